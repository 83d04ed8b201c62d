// Transactions on an ODBC connection: autocommit switched off for the length of a transaction,
// and a unit of work that must land whole or not at all (a batch update) or must leave nothing
// behind (the read-only road). Inside the caller's transaction a unit runs within a savepoint;
// outside, in a transaction of its own. One that is neither kept nor undone by its end (an
// error) is undone quietly, so that the work's own error is the one reported.
#pragma once

#include <string>
#include <string_view>

#include "backends/odbc/OdbcHandles.h"

namespace hlreports {

void SetOdbcAutocommit(const OdbcHandle& connection, bool on, std::string_view context);

class OdbcUnitOfWork {
  public:
    OdbcUnitOfWork(const OdbcHandle& connection, int commandTimeoutSeconds, bool insideTransaction,
                   std::string savepoint);
    ~OdbcUnitOfWork();
    OdbcUnitOfWork(const OdbcUnitOfWork&) = delete;
    OdbcUnitOfWork& operator=(const OdbcUnitOfWork&) = delete;

    // True when the unit is a transaction of its own (not a savepoint in the caller's).
    bool OwnTransaction() const { return !insideTransaction_; }
    // Runs one statement without rows inside the unit.
    void Run(std::string_view sql) const;
    void Keep();
    void Undo();

  private:
    const OdbcHandle& connection_;
    int commandTimeoutSeconds_;
    bool insideTransaction_;
    std::string savepoint_;
    bool finished_ = false;

    void Finish(bool keep);
};

}  // namespace hlreports
