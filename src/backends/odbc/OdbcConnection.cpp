// The ODBC connection (see OdbcConnection.h).
#include "backends/odbc/OdbcConnection.h"

#include <deque>
#include <optional>
#include <set>
#include <vector>

#include "backends/BackendSqlText.h"
#include "backends/CallText.h"
#include "backends/DatabaseError.h"
#include "backends/ReadOnlyRoad.h"
#include "backends/odbc/OdbcBatchUpdate.h"
#include "backends/odbc/OdbcConnectionString.h"
#include "backends/odbc/OdbcHandles.h"
#include "backends/odbc/OdbcProcedure.h"
#include "backends/odbc/OdbcStatement.h"
#include "backends/odbc/OdbcText.h"
#include "backends/odbc/OdbcTransaction.h"
#include "backends/odbc/OdbcValues.h"
#include "recordset/AdoTypes.h"
#include "runtime/Text.h"

namespace hlreports {
namespace {

// The call text with one marker per bound parameter, and "? =" when the server declares a
// return value.
std::string CallEscape(const OdbcProcedureInfo& procedure, std::size_t markers) {
    std::string text = procedure.hasReturnValue ? "{? = CALL " : "{CALL ";
    text += procedure.name + "(";
    for (std::size_t i = 0; i < markers; ++i) {
        text += i == 0 ? "?" : ", ?";
    }
    return text + ")}";
}

// The text that runs the same call again (the Source of its rows, for Requery), as the wrapper
// writes calls.
std::string CallSource(const OdbcProcedureInfo& procedure,
                       const std::vector<std::optional<Variant>>& supplied) {
    std::string text = procedure.name;
    const char* separator = " ";
    for (std::size_t i = 0; i < procedure.parameters.size(); ++i) {
        if (!supplied[i] || supplied[i]->IsMissing() || procedure.parameters[i].IsOutput()) {
            continue;
        }
        std::string name = procedure.parameters[i].name;
        text +=
            separator + (name.front() == '@' ? name : "@" + name) + "=" + SqlLiteral(*supplied[i]);
        separator = ",";
    }
    return text;
}

class OdbcConnection final : public Connection {
  public:
    OdbcConnection(const OdbcTarget& target, const ConnectionOptions& options);

    void Execute(std::string_view sql) override { RunText(sql, false); }
    RecordsetPtr OpenRecordset(std::string_view sqlOrCall) override {
        return RunText(sqlOrCall, true);
    }
    ProcedureResult CallProcedure(std::string_view name,
                                  const std::vector<ProcedureArgument>& arguments) override;
    RecordsetPtr OpenReadOnly(std::string_view sql, const std::vector<BoundValue>& values) override;
    RecordsetPtr CallReadOnly(std::string_view name,
                              const std::vector<BoundValue>& arguments) override;

    void BeginTransaction() override;
    void Commit() override { EndTransaction(SQL_COMMIT); }
    void Rollback() override { EndTransaction(SQL_ROLLBACK); }
    bool InTransaction() const override { return inTransaction_; }

    void UpdateBatch(Recordset& recordset) override {
        ApplyOdbcPendingChanges(connection_, recordset, commandTimeoutSeconds_, inTransaction_);
    }

  private:
    OdbcHandle environment_;
    OdbcHandle connection_;
    int commandTimeoutSeconds_;
    bool inTransaction_ = false;
    OdbcProcedureCatalog procedures_;

    RecordsetPtr RunText(std::string_view text, bool wantRows);
    RecordsetPtr RunCall(const OdbcProcedureInfo& procedure,
                         const std::vector<std::optional<Variant>>& supplied, bool wantRows,
                         std::string source);
    template <typename Work>
    RecordsetPtr ReadingOnly(Work work);
    void EndTransaction(SQLSMALLINT completion);
};

OdbcConnection::OdbcConnection(const OdbcTarget& target, const ConnectionOptions& options)
    : environment_(SQL_HANDLE_ENV, SQL_NULL_HANDLE),
      connection_(SQL_HANDLE_DBC, environment_.Get()),
      commandTimeoutSeconds_(options.commandTimeoutSeconds) {
    int loginTimeout = target.loginTimeoutSeconds.value_or(options.connectionTimeoutSeconds);
    SQLSetConnectAttr(connection_.Get(), SQL_ATTR_LOGIN_TIMEOUT,
                      reinterpret_cast<SQLPOINTER>(static_cast<SQLULEN>(loginTimeout)), 0);
    OdbcWideText text = ToOdbcWide(ConnectionTextWithTimeout(target, loginTimeout));
    SQLRETURN rc = SQLDriverConnectW(connection_.Get(), nullptr, text.data(),
                                     static_cast<SQLSMALLINT>(text.size()), nullptr, 0, nullptr,
                                     SQL_DRIVER_NOPROMPT);
    if (!OdbcSucceeded(rc)) {
        RaiseOdbcError(connection_, "cannot connect to " + target.label);
    }
    connection_.MarkConnected();
    connection_.SetCharsAreUtf8(ProbeCharsAreUtf8(connection_));
}

ProcedureResult OdbcConnection::CallProcedure(std::string_view name,
                                              const std::vector<ProcedureArgument>& arguments) {
    const OdbcProcedureInfo& procedure = procedures_.Require(connection_, name);
    std::string context = "procedure " + procedure.name;
    std::deque<OdbcParameter> bound;
    std::vector<std::string> outputNames;
    std::vector<std::optional<Variant>> supplied(procedure.parameters.size());
    std::optional<std::size_t> returnSlot;
    std::vector<int> boundIndexOfArgument(arguments.size(), -1);
    if (procedure.hasReturnValue) {
        bound.emplace_back(adInteger, 0, adParamReturnValue, Variant(), context + ": return value");
    }
    std::size_t position = 0;
    for (std::size_t a = 0; a < arguments.size(); ++a) {
        const ProcedureArgument& argument = arguments[a];
        if (argument.direction == adParamReturnValue) {
            returnSlot = a;
            continue;
        }
        if (position >= procedure.parameters.size()) {
            RaiseDatabaseError(context + " has too many arguments specified");
        }
        const OdbcDeclaredParameter& declared = procedure.parameters[position];
        if (!SameParameterName(argument.name, declared.name)) {
            RaiseDatabaseError(context + ": argument " + std::to_string(position + 1) + " is " +
                               argument.name + " but the procedure declares " +
                               WrapperParameterName(declared.name) + " there");
        }
        bool wantsOutput =
            argument.direction == adParamOutput || argument.direction == adParamInputOutput;
        if (wantsOutput && !declared.IsOutput()) {
            RaiseDatabaseError(context + ": parameter " + argument.name +
                               " is not declared OUTPUT");
        }
        // A parameter the server declares OUTPUT is bound as one even when the caller passes it
        // as input, so that the driver has somewhere to put the value.
        int32_t direction = argument.direction;
        if (declared.IsOutput() && direction == adParamInput) {
            direction = adParamInputOutput;
        }
        bound.emplace_back(argument.type, argument.size, direction, argument.value,
                           context + ": parameter " + argument.name);
        boundIndexOfArgument[a] = static_cast<int>(bound.size() - 1);
        if (declared.IsOutput()) {
            outputNames.push_back(declared.name);
        }
        if (argument.direction != adParamOutput) {
            supplied[position] = argument.value;
        }
        ++position;
    }
    for (; position < procedure.parameters.size(); ++position) {
        // Servers without parameter defaults need every marker; an omitted one is NULL.
        const OdbcDeclaredParameter& declared = procedure.parameters[position];
        bound.emplace_back(declared.AdoType(), 0,
                           declared.IsOutput() ? adParamInputOutput : adParamInput, Variant::Null(),
                           context + ": parameter " + WrapperParameterName(declared.name));
        if (declared.IsOutput()) {
            outputNames.push_back(declared.name);
        }
    }
    OdbcHandle statement = NewOdbcStatement(connection_, commandTimeoutSeconds_);
    for (std::size_t i = 0; i < bound.size(); ++i) {
        bound[i].Bind(statement, static_cast<SQLUSMALLINT>(i + 1));
    }
    std::size_t markers = bound.size() - (procedure.hasReturnValue ? 1 : 0);
    ProcedureResult result;
    std::set<std::string> nullOutputs;
    result.rows = RunOdbcStatement(statement, CallEscape(procedure, markers), outputNames, true,
                                   CallSource(procedure, supplied), nullptr, &nullOutputs);
    for (std::size_t a = 0; a < arguments.size(); ++a) {
        if (returnSlot && *returnSlot == a) {
            // Without a declared return value, a procedure that ran to its end returns 0.
            result.outputs.push_back(procedure.hasReturnValue ? bound.front().Output()
                                                              : Variant(0));
            continue;
        }
        int32_t direction = arguments[a].direction;
        bool isOutput = direction == adParamOutput || direction == adParamInputOutput;
        const std::size_t declaredAt = returnSlot && *returnSlot < a ? a - 1 : a;
        if (isOutput && nullOutputs.count(procedure.parameters[declaredAt].name) > 0) {
            result.outputs.push_back(Variant::Null());
            continue;
        }
        result.outputs.push_back(
            isOutput ? bound[static_cast<std::size_t>(boundIndexOfArgument[a])].Output()
                     : Variant());
    }
    return result;
}

RecordsetPtr OdbcConnection::RunText(std::string_view text, bool wantRows) {
    std::optional<CallHead> head = ParseCallHead(text);
    if (!head) {
        OdbcHandle statement = NewOdbcStatement(connection_, commandTimeoutSeconds_);
        return RunOdbcStatement(statement, text, {}, wantRows, std::string(text));
    }
    const OdbcProcedureInfo& procedure = procedures_.Require(connection_, head->procedure);
    std::vector<std::optional<Variant>> supplied =
        SupplyTextArguments(procedure.Declared(), ParseCallArguments(text, *head));
    return RunCall(procedure, supplied, wantRows, std::string(text));
}

RecordsetPtr OdbcConnection::RunCall(const OdbcProcedureInfo& procedure,
                                     const std::vector<std::optional<Variant>>& supplied,
                                     bool wantRows, std::string source) {
    std::string context = "procedure " + procedure.name;
    std::deque<OdbcParameter> bound;
    std::vector<std::string> outputNames;
    for (std::size_t i = 0; i < procedure.parameters.size(); ++i) {
        const OdbcDeclaredParameter& declared = procedure.parameters[i];
        // A text call carries no sizes: the server's declaration decides what fits.
        bound.emplace_back(declared.AdoType(), 0,
                           declared.IsOutput() ? adParamInputOutput : adParamInput,
                           supplied[i].value_or(Variant::Null()),
                           context + ": parameter " + WrapperParameterName(declared.name));
        if (declared.IsOutput()) {
            outputNames.push_back(declared.name);
        }
    }
    if (procedure.hasReturnValue) {
        bound.emplace_front(adInteger, 0, adParamReturnValue, Variant(),
                            context + ": return value");
    }
    OdbcHandle statement = NewOdbcStatement(connection_, commandTimeoutSeconds_);
    for (std::size_t i = 0; i < bound.size(); ++i) {
        bound[i].Bind(statement, static_cast<SQLUSMALLINT>(i + 1));
    }
    return RunOdbcStatement(statement, CallEscape(procedure, procedure.parameters.size()),
                            outputNames, wantRows, std::move(source));
}

// Outside a transaction the work runs in a READ ONLY transaction that is rolled back, so the
// server refuses any write and nothing could stay; inside the caller's transaction it runs
// within a savepoint that is rolled back to afterwards.
template <typename Work>
RecordsetPtr OdbcConnection::ReadingOnly(Work work) {
    OdbcUnitOfWork unit(connection_, commandTimeoutSeconds_, inTransaction_, "hl_read_only");
    if (unit.OwnTransaction()) {
        unit.Run("SET TRANSACTION READ ONLY");
    }
    RecordsetPtr rows = work();
    unit.Undo();
    return rows;
}

RecordsetPtr OdbcConnection::OpenReadOnly(std::string_view sql,
                                          const std::vector<BoundValue>& values) {
    PositionalQuery query = BindPlaceholders(sql, values);
    std::optional<CallHead> head = ParseCallHead(query.text);
    std::string first =
        ToUpperAscii(Trim(query.text).substr(0, Trim(query.text).find_first_of(" \t\r\n(")));
    if (head || (first != "SELECT" && first != "WITH" && first != "VALUES")) {
        RaiseWouldChange(
            "it is " + (first.empty() ? std::string("not a query") : "a " + first + " statement"));
    }
    return ReadingOnly([&] {
        std::deque<OdbcParameter> bound;
        for (std::size_t i = 0; i < query.values.size(); ++i) {
            const Variant& value = query.values[i];
            int32_t type = value.Kind() == VariantKind::Date ? adDBTimeStamp
                           : value.Kind() == VariantKind::Long ||
                                   value.Kind() == VariantKind::Integer ||
                                   value.Kind() == VariantKind::Boolean
                               ? adInteger
                           : value.Kind() == VariantKind::Double   ? adDouble
                           : value.Kind() == VariantKind::Currency ? adCurrency
                           : value.Kind() == VariantKind::Decimal  ? adNumeric
                                                                   : adVarChar;
            bound.emplace_back(type, 0, adParamInput, value,
                               "value " + std::to_string(i + 1) + " of the query");
        }
        OdbcHandle statement = NewOdbcStatement(connection_, commandTimeoutSeconds_);
        for (std::size_t i = 0; i < bound.size(); ++i) {
            bound[i].Bind(statement, static_cast<SQLUSMALLINT>(i + 1));
        }
        RecordsetPtr rows = RunOdbcStatement(statement, query.text, {}, true, std::string(sql));
        if (!rows) {
            RaiseDatabaseError(std::string(kReadOnlyNoRows));
        }
        return rows;
    });
}

RecordsetPtr OdbcConnection::CallReadOnly(std::string_view name,
                                          const std::vector<BoundValue>& arguments) {
    const OdbcProcedureInfo& procedure = procedures_.Require(connection_, name);
    std::vector<std::optional<Variant>> supplied =
        SupplyNamedArguments(procedure.Declared(), arguments);
    return ReadingOnly(
        [&] { return RunCall(procedure, supplied, true, CallSource(procedure, supplied)); });
}

void OdbcConnection::BeginTransaction() {
    if (inTransaction_) {
        RaiseDatabaseError("a transaction is already pending on this connection");
    }
    SetOdbcAutocommit(connection_, false, "beginning a transaction");
    inTransaction_ = true;
}

void OdbcConnection::EndTransaction(SQLSMALLINT completion) {
    if (!inTransaction_) {
        RaiseDatabaseError("no transaction is pending on this connection");
    }
    CheckOdbc(SQLEndTran(SQL_HANDLE_DBC, connection_.Get(), completion), connection_,
              completion == SQL_COMMIT ? "committing" : "rolling back");
    inTransaction_ = false;
    SetOdbcAutocommit(connection_, true, "ending the transaction");
}

}  // namespace

std::unique_ptr<Connection> OpenOdbcConnection(std::string_view connectionString,
                                               const ConnectionOptions& options) {
    return std::make_unique<OdbcConnection>(TranslateConnectionString(connectionString), options);
}

}  // namespace hlreports
