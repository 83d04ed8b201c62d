// ODBC handles and diagnostics (see OdbcHandles.h).
#include "backends/odbc/OdbcHandles.h"

#include <vector>

#include "backends/DatabaseError.h"
#include "backends/odbc/OdbcText.h"

namespace hlreports {

OdbcHandle::OdbcHandle(SQLSMALLINT type, SQLHANDLE parent) : type_(type) {
    SQLRETURN rc = SQLAllocHandle(type, parent, &handle_);
    if (!OdbcSucceeded(rc)) {
        handle_ = SQL_NULL_HANDLE;
        RaiseDatabaseError(type == SQL_HANDLE_ENV
                               ? "the ODBC driver manager (unixODBC) cannot be initialised"
                               : "the ODBC driver manager refused a new handle");
    }
    if (type == SQL_HANDLE_ENV) {
        SQLSetEnvAttr(handle_, SQL_ATTR_ODBC_VERSION, reinterpret_cast<SQLPOINTER>(SQL_OV_ODBC3),
                      0);
    }
}

OdbcHandle::~OdbcHandle() {
    if (handle_ == SQL_NULL_HANDLE) {
        return;
    }
    if (connected_) {
        // Disconnecting with a transaction open fails on some drivers; end it first.
        SQLEndTran(SQL_HANDLE_DBC, handle_, SQL_ROLLBACK);
        SQLDisconnect(handle_);
    }
    SQLFreeHandle(type_, handle_);
}

bool OdbcSucceeded(SQLRETURN rc) {
    return rc == SQL_SUCCESS || rc == SQL_SUCCESS_WITH_INFO;
}

std::string OdbcDiagnostics(const OdbcHandle& handle) {
    std::string text;
    for (SQLSMALLINT record = 1;; ++record) {
        SQLWCHAR state[6] = {};
        SQLINTEGER native = 0;
        std::vector<SQLWCHAR> message(1024);
        SQLSMALLINT length = 0;
        SQLRETURN rc =
            SQLGetDiagRecW(handle.Type(), handle.Get(), record, state, &native, message.data(),
                           static_cast<SQLSMALLINT>(message.size()), &length);
        if (rc == SQL_SUCCESS_WITH_INFO && length >= static_cast<SQLSMALLINT>(message.size())) {
            message.resize(static_cast<std::size_t>(length) + 1);
            rc = SQLGetDiagRecW(handle.Type(), handle.Get(), record, state, &native, message.data(),
                                static_cast<SQLSMALLINT>(message.size()), &length);
        }
        if (!OdbcSucceeded(rc)) {
            break;
        }
        std::size_t units =
            std::min<std::size_t>(static_cast<std::size_t>(length), message.size() - 1);
        if (!text.empty()) {
            text += "; ";
        }
        text += "[" + FromOdbcWide(state, 5) + "] " + FromOdbcWide(message.data(), units);
    }
    return text.empty() ? "the ODBC driver reported an error without a message" : text;
}

std::string OdbcState(const OdbcHandle& handle) {
    SQLWCHAR state[6] = {};
    SQLINTEGER native = 0;
    SQLWCHAR message[2] = {};
    SQLSMALLINT length = 0;
    SQLRETURN rc =
        SQLGetDiagRecW(handle.Type(), handle.Get(), 1, state, &native, message, 2, &length);
    return OdbcSucceeded(rc) ? FromOdbcWide(state, 5) : std::string();
}

void RaiseOdbcError(const OdbcHandle& handle, std::string_view context) {
    std::string diagnostics = OdbcDiagnostics(handle);
    RaiseDatabaseError(context.empty() ? diagnostics : std::string(context) + ": " + diagnostics);
}

void CheckOdbc(SQLRETURN rc, const OdbcHandle& handle, std::string_view context) {
    if (!OdbcSucceeded(rc)) {
        RaiseOdbcError(handle, context);
    }
}

}  // namespace hlreports
