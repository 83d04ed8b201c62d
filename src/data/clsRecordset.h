// clsRecordset: the component's only road to the database. It holds the connection string and,
// only while an operation runs or a transaction is pending, one open connection: every operation
// opens the connection when it is closed and closes it again afterwards unless a transaction is
// pending. Operations return true or raise ComError with the wrapper's number and source
// ("clsRecordset.<operation>") and the database's description, plus " SP:"/" SQL:" and the
// statement for the statement-running operations. Recordsets come back disconnected.
#pragma once

#include <cstdint>
#include <exception>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "data/Connections.h"
#include "data/SPParams.h"
#include "recordset/Recordset.h"
#include "runtime/Variant.h"

namespace hlreports {

class clsRecordset : public ComObject {
  public:
    clsRecordset();
    ~clsRecordset() override;

    // Stores value & ";Provider=SQLOLEDB.1" and sets the command timeout to 600 seconds.
    void SetConnectionString(std::string_view value);
    const std::string& ConnectionString() const { return connectionString_; }
    int32_t CommandTimeout() const { return commandTimeout_; }
    bool TXPending() const { return txPending_; }
    // True while a connection is open (only inside a transaction between operations).
    bool IsConnectionOpen() const { return connection_ != nullptr; }

    bool RunSPReturnValue(std::string_view strSP, SPParams& colParams);
    bool RunSPRetRSOutParams(std::string_view strSP, SPParams* colParams, RecordsetPtr& rstRS,
                             bool booUpdateable);
    bool RunSP(std::string_view strSP, const SPParams* colParams);
    bool RunSpRetRS(std::string_view strSP, RecordsetPtr& rstRS, const SPParams* colParams,
                    bool booUpdateable);
    bool GetRS(std::string_view strSQL, RecordsetPtr& rstRS, bool booUpdateable);
    // The read-only road (Connection::OpenReadOnly / CallReadOnly): one query, or a procedure
    // whose every statement only reads, with every value bound; rows come back read-only. A
    // refused statement fails like any database error: 3208 "clsRecordset.GetRSReadOnly" with
    // " SQL:" and the query, 3207 "clsRecordset.RunSpRetRSReadOnly" with " SP:" and the name.
    bool GetRSReadOnly(std::string_view strSQL, RecordsetPtr& rstRS,
                       const std::vector<BoundValue>& values = {});
    bool RunSpRetRSReadOnly(std::string_view strSP, RecordsetPtr& rstRS,
                            const std::vector<BoundValue>& arguments = {});
    bool GetRSUseShape(std::string_view strSQL, RecordsetPtr& rstRS);
    bool ExecuteRS(std::string_view strSQL);
    bool RSRequery(Recordset& prstRS);
    void CloseRS(RecordsetPtr& prstRS);
    bool RSUpdateBatch(RecordsetPtr& prstRS, bool booLeaveOpen);
    bool TestConnection();
    void BeginTX();
    void CommitTX();
    void RollbackTX();
    void RSCloseAll();

    // The argument text of a parameter list: inputs only, "@Name='text'" for types 133 and 200
    // (apostrophes doubled), "@Name=value" otherwise; a non-numeric value of another type
    // raises 3204. Exposed for tests.
    static std::string ParamsToString(const SPParams& colParams);

  private:
    std::string connectionString_;
    int32_t commandTimeout_ = 30;
    bool txPending_ = false;
    std::unique_ptr<Connection> connection_;

    ConnectionOptions Options() const;
    Connection& OpenStep();
    void CloseStep();
    // The error path of every operation: step C, then raise `number` with source
    // "clsRecordset.<operation>" and the error's description followed by suffix and statement.
    [[noreturn]] void Fail(int32_t number, std::string_view operation, const std::exception& error,
                           std::string_view suffix, std::string_view statement);
};

}  // namespace hlreports
