// Transactions on an ODBC connection (see OdbcTransaction.h).
#include "backends/odbc/OdbcTransaction.h"

#include "backends/odbc/OdbcStatement.h"

namespace hlreports {

void SetOdbcAutocommit(const OdbcHandle& connection, bool on, std::string_view context) {
    const SQLULEN value = on ? SQL_AUTOCOMMIT_ON : SQL_AUTOCOMMIT_OFF;
    CheckOdbc(SQLSetConnectAttr(connection.Get(), SQL_ATTR_AUTOCOMMIT,
                                reinterpret_cast<SQLPOINTER>(value), 0),
              connection, context);
}

OdbcUnitOfWork::OdbcUnitOfWork(const OdbcHandle& connection, int commandTimeoutSeconds,
                               bool insideTransaction, std::string savepoint)
    : connection_(connection),
      commandTimeoutSeconds_(commandTimeoutSeconds),
      insideTransaction_(insideTransaction),
      savepoint_(std::move(savepoint)) {
    if (insideTransaction_) {
        Run("SAVEPOINT " + savepoint_);
    } else {
        SetOdbcAutocommit(connection_, false, "beginning a transaction");
    }
}

OdbcUnitOfWork::~OdbcUnitOfWork() {
    if (finished_) {
        return;
    }
    // Should undoing fail too, a savepoint's work stays in the caller's transaction, which the
    // caller rolls back; a transaction of its own ends with the connection.
    try {
        Finish(false);
    } catch (...) {
    }
}

void OdbcUnitOfWork::Run(std::string_view sql) const {
    OdbcHandle statement = NewOdbcStatement(connection_, commandTimeoutSeconds_);
    RunOdbcStatement(statement, sql, {}, false, "");
}

void OdbcUnitOfWork::Keep() {
    Finish(true);
}

void OdbcUnitOfWork::Undo() {
    Finish(false);
}

void OdbcUnitOfWork::Finish(bool keep) {
    finished_ = true;
    if (insideTransaction_) {
        Run((keep ? "RELEASE SAVEPOINT " : "ROLLBACK TO SAVEPOINT ") + savepoint_);
        return;
    }
    const SQLRETURN rc =
        SQLEndTran(SQL_HANDLE_DBC, connection_.Get(), keep ? SQL_COMMIT : SQL_ROLLBACK);
    if (!OdbcSucceeded(rc)) {
        try {
            CheckOdbc(rc, connection_, keep ? "committing" : "rolling back");
        } catch (...) {
            SQLSetConnectAttr(connection_.Get(), SQL_ATTR_AUTOCOMMIT,
                              reinterpret_cast<SQLPOINTER>(SQL_AUTOCOMMIT_ON), 0);
            throw;
        }
    }
    SetOdbcAutocommit(connection_, true, "ending the transaction");
}

}  // namespace hlreports
