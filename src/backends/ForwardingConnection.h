// ForwardingConnection: a Connection that passes every call on to another one, telling a hook
// first. It is the one place that lists the interface's calls for wrappers: the connection
// counting of data/Connections.cpp and the recording and failing backends of the tests.
//
// Observe runs before the call is passed on; throwing there fails the call as the database
// would, and the inner connection never sees it.
#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "backends/Backend.h"

namespace hlreports {

enum class ConnectionCallKind {
    Execute,
    OpenRecordset,
    CallProcedure,
    OpenReadOnly,
    CallReadOnly,
    BeginTransaction,
    Commit,
    Rollback,
    UpdateBatch
};

// "Execute", "OpenRecordset", ...: the call's name as the interface spells it.
std::string_view ConnectionCallName(ConnectionCallKind kind);

class ForwardingConnection : public Connection {
  public:
    explicit ForwardingConnection(std::unique_ptr<Connection> inner) : inner_(std::move(inner)) {}
    ForwardingConnection(const ForwardingConnection&) = delete;
    ForwardingConnection& operator=(const ForwardingConnection&) = delete;

    void Execute(std::string_view sql) override;
    RecordsetPtr OpenRecordset(std::string_view sqlOrCall) override;
    ProcedureResult CallProcedure(std::string_view name,
                                  const std::vector<ProcedureArgument>& arguments) override;
    RecordsetPtr OpenReadOnly(std::string_view sql, const std::vector<BoundValue>& values) override;
    RecordsetPtr CallReadOnly(std::string_view procedure,
                              const std::vector<BoundValue>& arguments) override;
    void BeginTransaction() override;
    void Commit() override;
    void Rollback() override;
    bool InTransaction() const override { return inner_->InTransaction(); }
    void UpdateBatch(Recordset& recordset) override;

  protected:
    // `text` is the SQL, the call text or the procedure name (empty for the others); `arguments`
    // is given for CallProcedure only (the read-only road's bound values are not passed).
    virtual void Observe(ConnectionCallKind kind, std::string_view text,
                         const std::vector<ProcedureArgument>* arguments);

  private:
    std::unique_ptr<Connection> inner_;
};

}  // namespace hlreports
