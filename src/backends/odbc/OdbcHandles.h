// RAII for ODBC handles and the one way this backend turns an ODBC failure into an error: a
// ComError(DatabaseError) whose description is the driver's own diagnostic records
// ("[SQLSTATE] message"), prefixed with what was being done when that helps the reader.
//
// A handle frees itself (a connection disconnects first, rolling back an open transaction), so
// no path, including a throw, leaves a connection to the server open.
#pragma once

#include <sql.h>
#include <sqlext.h>

#include <string>
#include <string_view>

namespace hlreports {

class OdbcHandle {
  public:
    // Allocates a handle of `type` under `parent` (SQL_NULL_HANDLE for an environment).
    OdbcHandle(SQLSMALLINT type, SQLHANDLE parent);
    ~OdbcHandle();
    OdbcHandle(const OdbcHandle&) = delete;
    OdbcHandle& operator=(const OdbcHandle&) = delete;
    OdbcHandle(OdbcHandle&& other) noexcept
        : type_(other.type_),
          handle_(other.handle_),
          connected_(other.connected_),
          commandTimeoutSeconds_(other.commandTimeoutSeconds_),
          charsAreUtf8_(other.charsAreUtf8_) {
        other.handle_ = SQL_NULL_HANDLE;
        other.connected_ = false;
    }
    OdbcHandle& operator=(OdbcHandle&&) = delete;

    SQLHANDLE Get() const { return handle_; }
    SQLSMALLINT Type() const { return type_; }
    // Marks a connection handle as connected, so that destruction disconnects it.
    void MarkConnected() { connected_ = true; }
    // The command timeout a statement handle was made with (0: none).
    void SetCommandTimeout(int seconds) { commandTimeoutSeconds_ = seconds; }
    int CommandTimeout() const { return commandTimeoutSeconds_; }
    // Whether the driver hands narrow text (SQL_C_CHAR) over in UTF-8 on this connection, and so
    // on its statements; unknown counts as no.
    void SetCharsAreUtf8(bool isUtf8) { charsAreUtf8_ = isUtf8; }
    bool CharsAreUtf8() const { return charsAreUtf8_; }

  private:
    SQLSMALLINT type_;
    SQLHANDLE handle_ = SQL_NULL_HANDLE;
    bool connected_ = false;
    int commandTimeoutSeconds_ = 0;
    bool charsAreUtf8_ = false;
};

// The diagnostic records of the handle, "[SQLSTATE] message" joined by "; ".
std::string OdbcDiagnostics(const OdbcHandle& handle);
// The SQLSTATE of the first diagnostic record ("" when none).
std::string OdbcState(const OdbcHandle& handle);
bool OdbcSucceeded(SQLRETURN rc);
// Raises the handle's diagnostics, after `context` and ": " when `context` is not empty.
[[noreturn]] void RaiseOdbcError(const OdbcHandle& handle, std::string_view context);
// Raises when `rc` is neither success nor success with information.
void CheckOdbc(SQLRETURN rc, const OdbcHandle& handle, std::string_view context);

}  // namespace hlreports
