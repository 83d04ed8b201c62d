// clsRecordset: the wrapper's operations (see clsRecordset.h).
//
// Every operation follows one shape: clear the pending error, open the shared connection when
// there is none (step O), do the work, close the connection unless a transaction is pending
// (step C), return true. The error path runs step C too and re-raises with the operation's
// number and source, so no path leaves a connection open outside a transaction.
#include "data/clsRecordset.h"

#include "data/clsRecordsetParams.h"
#include "runtime/ComError.h"
#include "runtime/Err.h"
#include "runtime/Text.h"

namespace hlreports {
namespace {

constexpr int32_t kCommandTimeoutSeconds = 600;
// The classic connection object's default: a server that is down fails within this.
constexpr int32_t kConnectionTimeoutSeconds = 15;

std::string DescriptionOf(const std::exception& error) {
    if (const auto* comError = dynamic_cast<const ComError*>(&error)) {
        return comError->Description();
    }
    return error.what();
}

std::string CommandText(std::string_view strSP, const SPParams* colParams) {
    if (colParams == nullptr) {
        return std::string(strSP);
    }
    return std::string(strSP) + " " + clsRecordset::ParamsToString(*colParams);
}

int32_t LockTypeFor(bool booUpdateable) {
    return booUpdateable ? adLockBatchOptimistic : adLockReadOnly;
}

// A procedure or query without rows still hands back a recordset object, closed.
RecordsetPtr OrClosed(RecordsetPtr rows, std::string_view source) {
    if (rows) {
        return rows;
    }
    auto closed = std::make_shared<Recordset>();
    closed->SetSource(std::string(source));
    return closed;
}

}  // namespace

clsRecordset::clsRecordset() = default;

// Dropping the connection rolls back a transaction that was never committed.
clsRecordset::~clsRecordset() = default;

void clsRecordset::SetConnectionString(std::string_view value) {
    connectionString_ = std::string(value) + ";Provider=SQLOLEDB.1";
    commandTimeout_ = kCommandTimeoutSeconds;
}

ConnectionOptions clsRecordset::Options() const {
    return {commandTimeout_, kConnectionTimeoutSeconds};
}

Connection& clsRecordset::OpenStep() {
    if (!connection_) {
        connection_ = OpenConnection(connectionString_, Options());
    }
    return *connection_;
}

void clsRecordset::CloseStep() {
    if (!txPending_) {
        connection_.reset();
    }
}

void clsRecordset::Fail(int32_t number, std::string_view operation, const std::exception& error,
                        std::string_view suffix, std::string_view statement) {
    std::string description = DescriptionOf(error);
    if (txPending_ && connection_ && !connection_->InTransaction()) {
        // The database ended the transaction itself; carrying on would autocommit what the
        // caller means to roll back.
        txPending_ = false;
        description += " (the pending transaction was rolled back)";
    }
    CloseStep();
    if (!suffix.empty()) {
        description += std::string(suffix) + std::string(statement);
    }
    Err().Raise(number, "clsRecordset." + std::string(operation), description);
}

bool clsRecordset::RunSPReturnValue(std::string_view strSP, SPParams& colParams) {
    Err().Clear();
    try {
        Connection& connection = OpenStep();
        std::vector<ProcedureArgument> arguments = CreateParams(colParams);
        ProcedureResult result = connection.CallProcedure(strSP, arguments);
        GetOutputParams(arguments, result.outputs, colParams);
        CloseStep();
        return true;
    } catch (const std::exception& error) {
        Fail(3201, "RunSPReturnValue", error, " SP:", strSP);
    }
}

bool clsRecordset::RunSPRetRSOutParams(std::string_view strSP, SPParams* colParams,
                                       RecordsetPtr& rstRS, bool booUpdateable) {
    Err().Clear();
    try {
        Connection& connection = OpenStep();
        std::vector<ProcedureArgument> arguments;
        if (colParams != nullptr) {
            arguments = CreateParams(*colParams);
        }
        ProcedureResult result = connection.CallProcedure(strSP, arguments);
        if (colParams != nullptr) {
            GetOutputParams(arguments, result.outputs, *colParams);
        }
        if (result.rows) {
            result.rows->SetLockType(LockTypeFor(booUpdateable));
            rstRS = result.rows->Clone(adLockUnspecified);
        } else {
            rstRS = nullptr;
        }
        CloseStep();
        return true;
    } catch (const std::exception& error) {
        Fail(3202, "RunSPRetRSOutParams", error, " SP:", strSP);
    }
}

bool clsRecordset::RunSP(std::string_view strSP, const SPParams* colParams) {
    Err().Clear();
    try {
        Connection& connection = OpenStep();
        connection.Execute(CommandText(strSP, colParams));
        CloseStep();
        return true;
    } catch (const std::exception& error) {
        Fail(3206, "RunSP", error, " SP:", strSP);
    }
}

bool clsRecordset::RunSpRetRS(std::string_view strSP, RecordsetPtr& rstRS,
                              const SPParams* colParams, bool booUpdateable) {
    Err().Clear();
    try {
        Connection& connection = OpenStep();
        std::string text = CommandText(strSP, colParams);
        RecordsetPtr rows = OrClosed(connection.OpenRecordset(text), text);
        rows->SetLockType(LockTypeFor(booUpdateable));
        rstRS = std::move(rows);
        CloseStep();
        return true;
    } catch (const std::exception& error) {
        Fail(3207, "RunSpRetRS", error, " SP:", strSP);
    }
}

bool clsRecordset::GetRS(std::string_view strSQL, RecordsetPtr& rstRS, bool booUpdateable) {
    Err().Clear();
    try {
        Connection& connection = OpenStep();
        RecordsetPtr rows = OrClosed(connection.OpenRecordset(strSQL), strSQL);
        rows->SetLockType(LockTypeFor(booUpdateable));
        rstRS = std::move(rows);
        CloseStep();
        return true;
    } catch (const std::exception& error) {
        Fail(3208, "GetRS", error, " SQL:", strSQL);
    }
}

bool clsRecordset::GetRSReadOnly(std::string_view strSQL, RecordsetPtr& rstRS,
                                 const std::vector<BoundValue>& values) {
    Err().Clear();
    try {
        RecordsetPtr rows = OpenStep().OpenReadOnly(strSQL, values);
        rows->SetLockType(adLockReadOnly);
        rstRS = std::move(rows);
        CloseStep();
        return true;
    } catch (const std::exception& error) {
        Fail(3208, "GetRSReadOnly", error, " SQL:", strSQL);
    }
}

bool clsRecordset::RunSpRetRSReadOnly(std::string_view strSP, RecordsetPtr& rstRS,
                                      const std::vector<BoundValue>& arguments) {
    Err().Clear();
    try {
        RecordsetPtr rows = OrClosed(OpenStep().CallReadOnly(strSP, arguments), strSP);
        rows->SetLockType(adLockReadOnly);
        rstRS = std::move(rows);
        CloseStep();
        return true;
    } catch (const std::exception& error) {
        Fail(3207, "RunSpRetRSReadOnly", error, " SP:", strSP);
    }
}

bool clsRecordset::GetRSUseShape(std::string_view strSQL, RecordsetPtr& rstRS) {
    Err().Clear();
    try {
        // Its own connection, never the shared one; the embedded backend runs the text plainly.
        std::unique_ptr<Connection> shape =
            OpenConnection(ReplaceAll(connectionString_, "Provider", "Data Provider"), Options());
        RecordsetPtr rows = OrClosed(shape->OpenRecordset(strSQL), strSQL);
        rows->SetLockType(adLockReadOnly);
        rstRS = std::move(rows);
        return true;
    } catch (const std::exception& error) {
        Fail(3209, "GetRSUseShape", error, " SQL:", strSQL);
    }
}

bool clsRecordset::ExecuteRS(std::string_view strSQL) {
    Err().Clear();
    try {
        OpenStep().Execute(strSQL);
        CloseStep();
        return true;
    } catch (const std::exception& error) {
        Fail(3205, "ExecuteRS", error, " SQL:", strSQL);
    }
}

bool clsRecordset::RSRequery(Recordset& prstRS) {
    Err().Clear();
    try {
        if (prstRS.Source().empty()) {
            throw ComError(ErrorNumber::ArgumentsWrong, "",
                           "the recordset has no source to run again");
        }
        Connection& connection = OpenStep();
        RecordsetPtr fresh = OrClosed(connection.OpenRecordset(prstRS.Source()), prstRS.Source());
        prstRS.ReplaceContents(*fresh);
        CloseStep();
        return true;
    } catch (const std::exception& error) {
        Fail(3216, "RSRequery", error, "", "");
    }
}

void clsRecordset::CloseRS(RecordsetPtr& prstRS) {
    Err().Clear();
    try {
        if (prstRS) {
            if (prstRS->IsOpen()) {
                prstRS->Close();
            }
            prstRS = nullptr;
        }
        CloseStep();
    } catch (const std::exception& error) {
        Fail(3218, "CloseRS", error, "", "");
    }
}

bool clsRecordset::RSUpdateBatch(RecordsetPtr& prstRS, bool booLeaveOpen) {
    Err().Clear();
    try {
        if (!prstRS) {
            throw ComError(ErrorNumber::ObjectRequired, "", "there is no recordset to update");
        }
        Connection& connection = OpenStep();
        connection.UpdateBatch(*prstRS);
        prstRS->AcceptPendingChanges();
        if (!booLeaveOpen) {
            prstRS->Close();
            prstRS = nullptr;
        }
        CloseStep();
        return true;
    } catch (const std::exception& error) {
        Fail(3215, "RSUpdateBatch", error, "", "");
    }
}

bool clsRecordset::TestConnection() {
    Err().Clear();
    try {
        // A connection of its own: replacing the shared one would drop a pending transaction.
        OpenConnection(connectionString_, Options());
        return true;
    } catch (const std::exception& error) {
        Fail(3211, "TestConnection", error, "", "");
    }
}

void clsRecordset::BeginTX() {
    Err().Clear();
    try {
        OpenStep().BeginTransaction();
        txPending_ = true;
    } catch (const std::exception& error) {
        Fail(3212, "BeginTX", error, "", "");
    }
}

void clsRecordset::CommitTX() {
    Err().Clear();
    try {
        if (!connection_) {
            throw ComError(ErrorNumber::ObjectRequired, "", "no transaction is pending");
        }
        connection_->Commit();
        txPending_ = false;
        connection_.reset();
    } catch (const std::exception& error) {
        // A commit that failed with the transaction still open keeps it, so the caller can roll
        // back; Fail notices when the database ended it.
        Fail(3219, "CommitTX", error, "", "");
    }
}

void clsRecordset::RollbackTX() {
    Err().Clear();
    if (!connection_) {
        Err().Raise(3221, "clsRecordset.RollbackTX", "no transaction is pending");
    }
    // Whatever happens, the transaction ends here: closing the connection rolls back too.
    txPending_ = false;
    std::unique_ptr<Connection> connection = std::move(connection_);
    try {
        connection->Rollback();
    } catch (const std::exception& error) {
        Fail(3221, "RollbackTX", error, "", "");
    }
}

void clsRecordset::RSCloseAll() {
    Err().Clear();
    if (!connection_) {
        return;
    }
    bool rollBack = txPending_;
    txPending_ = false;
    std::unique_ptr<Connection> connection = std::move(connection_);
    try {
        if (rollBack) {
            connection->Rollback();
        }
    } catch (const std::exception& error) {
        Fail(3222, "RSCloseAll", error, "", "");
    }
}

}  // namespace hlreports
