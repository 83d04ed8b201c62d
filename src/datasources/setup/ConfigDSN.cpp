// ConfigDSN: the setup entry point that unixODBC's SQLConfigDataSource loads from the library
// registered as Setup= of "Larchfield Data". No Debian driver ships one, and without it unixODBC
// cannot add or remove a DSN at all.
//
// The installer has already chosen the file (ODBC_ADD_DSN and friends write the user's odbc.ini,
// the *_SYS_DSN requests the system one) by setting the config mode; this code only writes.
//   ODBC_ADD_DSN     the DSN section with Driver=<driver>, then every other attribute in order.
//                    A DSN of that name that already exists is left alone and the call fails, so a
//                    name clash never redirects another session's DSN.
//   ODBC_CONFIG_DSN  the given attributes into an existing DSN; keys not given are kept.
//   ODBC_REMOVE_DSN  the DSN section; only DSN= is read, so a DSN can always be removed.
// Failures return FALSE with a record posted for SQLInstallerError, and leave the file as it was:
// everything is checked before the first write, and a failed add takes its section out again.
// Cost: one ini file read and one rewrite per attribute; DSNs are made a few times a session.
#include <odbcinst.h>

#include <array>
#include <string>
#include <vector>

#include "datasources/setup/AttributeList.h"

namespace hlreports::setup {

namespace {

// The installer's BOOL results; unixODBC's public headers do not define TRUE and FALSE.
constexpr BOOL Succeeded = 1;
constexpr BOOL Failed = 0;

BOOL Fail(DWORD code, const std::string& message) {
    SQLPostInstallerError(code, message.c_str());
    return Failed;
}

bool DsnExists(const std::string& dsn) {
    std::array<char, 256> keys{};
    return SQLGetPrivateProfileString(dsn.c_str(), nullptr, "", keys.data(),
                                      static_cast<int>(keys.size()), "odbc.ini") > 0;
}

// Writes the attributes other than DSN= into the section, in the order given.
bool WriteAttributes(const std::string& dsn, const std::vector<Attribute>& attributes,
                     std::string& failedKey) {
    for (const Attribute& attribute : attributes) {
        if (HasKeyword(attribute, "DSN")) {
            continue;
        }
        if (!SQLWritePrivateProfileString(dsn.c_str(), attribute.key.c_str(),
                                          attribute.value.c_str(), "odbc.ini")) {
            failedKey = attribute.key;
            return false;
        }
    }
    return true;
}

BOOL AddDsn(const std::string& dsn, LPCSTR driver, const std::vector<Attribute>& attributes) {
    if (driver == nullptr || *driver == '\0') {
        return Fail(ODBC_ERROR_INVALID_NAME, "Driver name missing");
    }
    if (DsnExists(dsn)) {
        return Fail(ODBC_ERROR_REQUEST_FAILED, "DSN " + dsn + " already exists");
    }
    if (!SQLWriteDSNToIni(dsn.c_str(), driver)) {
        return Failed;  // the installer has posted why
    }
    std::string failedKey;
    if (!WriteAttributes(dsn, attributes, failedKey)) {
        SQLRemoveDSNFromIni(dsn.c_str());
        return Fail(ODBC_ERROR_REQUEST_FAILED,
                    "Could not write " + failedKey + " of DSN " + dsn + "; the DSN was not added");
    }
    return Succeeded;
}

BOOL ConfigureDsn(const std::string& dsn, const std::vector<Attribute>& attributes) {
    if (!DsnExists(dsn)) {
        return Fail(ODBC_ERROR_REQUEST_FAILED, "DSN " + dsn + " does not exist");
    }
    std::string failedKey;
    if (!WriteAttributes(dsn, attributes, failedKey)) {
        return Fail(ODBC_ERROR_REQUEST_FAILED, "Could not write " + failedKey + " of DSN " + dsn);
    }
    return Succeeded;
}

}  // namespace

}  // namespace hlreports::setup

extern "C" [[gnu::visibility("default")]] BOOL INSTAPI ConfigDSN(HWND, WORD request, LPCSTR driver,
                                                                 LPCSTR attributeBlock) {
    using namespace hlreports::setup;
    if (request != ODBC_ADD_DSN && request != ODBC_CONFIG_DSN && request != ODBC_REMOVE_DSN) {
        return Fail(ODBC_ERROR_INVALID_REQUEST_TYPE, "Invalid type of request");
    }
    std::vector<Attribute> attributes = ParseAttributeBlock(attributeBlock);
    std::optional<std::string> dsn = FindAttribute(attributes, "DSN");
    if (!dsn || dsn->empty()) {
        return Fail(ODBC_ERROR_INVALID_KEYWORD_VALUE, "DSN= missing");
    }
    if (!SQLValidDSN(dsn->c_str())) {
        return Fail(ODBC_ERROR_INVALID_DSN, "Invalid DSN name \"" + *dsn + "\"");
    }
    if (request == ODBC_REMOVE_DSN) {
        return SQLRemoveDSNFromIni(dsn->c_str());
    }
    if (std::string problem = UnwritableAttributeProblem(attributes); !problem.empty()) {
        return Fail(ODBC_ERROR_INVALID_KEYWORD_VALUE, problem);
    }
    if (request == ODBC_ADD_DSN) {
        return AddDsn(*dsn, driver, attributes);
    }
    return ConfigureDsn(*dsn, attributes);
}
