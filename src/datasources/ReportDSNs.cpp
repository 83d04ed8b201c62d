// ReportDSNs: creates and removes the report DSNs through the ODBC installer; see
// hlreports/ReportDSNs.h for the contract.
//
// unixODBC hands SQLConfigDataSource to the setup library registered for "Larchfield Data"
// (src/datasources/setup), which writes the DSN into the user's odbc.ini. Nothing here writes
// odbc.ini directly, so a host that registers another setup library gets its behaviour.
#include "hlreports/ReportDSNs.h"

#include <odbcinst.h>

#include <filesystem>
#include <system_error>

#include "datasources/DsnAttributeBlock.h"
#include "datasources/DsnName.h"
#include "datasources/InstallerErrors.h"
#include "runtime/ComError.h"

namespace hlreports {

namespace {

constexpr const char* ErrorSource = "Hearthline";

// A folder the driver can serve: an existing directory. A name with a NUL in it cannot exist,
// though the file system would only see the part before the NUL.
bool FolderExists(const std::string& folder) {
    if (folder.find('\0') != std::string::npos) {
        return false;
    }
    std::error_code ignored;
    return std::filesystem::is_directory(folder, ignored);
}

}  // namespace

std::string ReportDSNs::CustomDSN() {
    return DsnFor(customDsn_, CustomModeKey);
}

std::string ReportDSNs::StandardDSN() {
    return DsnFor(standardDsn_, StandardModeKey);
}

std::string ReportDSNs::DictionaryDSN() {
    return DsnFor(dictionaryDsn_, DictionaryModeKey);
}

Variant ReportDSNs::Initialize(std::string& dataFolderPath) {
    if (!FolderExists(dataFolderPath)) {
        throw ComError(
            ErrorNumber::FirstObjectError, ErrorSource,
            "Error Creating Report DSN. The Data folder " + dataFolderPath + "does not exist");
    }
    dataFolderPath_ = dataFolderPath;
    return Variant();
}

Variant ReportDSNs::RemoveDSNs() {
    RemoveDsn(customDsn_, CustomModeKey);
    RemoveDsn(standardDsn_, StandardModeKey);
    RemoveDsn(dictionaryDsn_, DictionaryModeKey);
    return Variant();
}

const std::string& ReportDSNs::DsnFor(std::string& storedName, const char* modeKey) {
    if (!storedName.empty()) {
        return storedName;
    }
    std::string name = NewDsnName();
    std::string block = BuildDsnAttributeBlock(name, dataFolderPath_, modeKey);
    if (!SQLConfigDataSource(nullptr, ODBC_ADD_DSN, ReportDsnDriver, block.c_str())) {
        // The classic text comes first, unchanged, for callers that read it; the installer's
        // reason follows so the user can tell a refused folder or name from a driver that is
        // not registered with its setup library ("General installer error").
        std::string description = "Error Creating Report DSN. Name = " + name +
                                  " Type = " + modeKey + " Data Folder = " + dataFolderPath_;
        std::string reason = InstallerErrorText();
        if (!reason.empty()) {
            description += " (ODBC installer: " + reason + ")";
        }
        throw ComError(ErrorNumber::FirstObjectError, ErrorSource, description);
    }
    storedName = std::move(name);
    return storedName;
}

void ReportDSNs::RemoveDsn(std::string& storedName, const char* modeKey) {
    if (storedName.empty()) {
        return;
    }
    std::string block = BuildDsnAttributeBlock(storedName, dataFolderPath_, modeKey);
    // A DSN that cannot be removed is left to the user; the name is forgotten all the same.
    static_cast<void>(
        SQLConfigDataSource(nullptr, ODBC_REMOVE_DSN, ReportDsnDriver, block.c_str()));
    storedName.clear();
}

}  // namespace hlreports
