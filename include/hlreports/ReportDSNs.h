// ReportDSNs: the ODBC data sources that custom and data-folder reports read through, one per
// design mode (custom, standard, dictionary), each under a fresh random name.
//
// A DSN is created by the first read of its property (and again after RemoveDSNs) through the ODBC
// installer with the driver "Larchfield Data"; its data folder is the one stored at that moment.
// Creating costs one installer call, which rewrites the user's odbc.ini; reading an existing name
// costs nothing. Lives on the host's thread; nothing is guarded.
//
// The destructor removes nothing: the Reports object that shares this instance calls RemoveDSNs
// when it goes, and an instance never read leaves nothing to remove. An instance dropped without
// RemoveDSNs (or a process that dies) leaves its DSNs behind in odbc.ini.
#pragma once

#include <string>

#include "runtime/Variant.h"

namespace hlreports {

class ReportDSNs : public ComObject {
  public:
    ReportDSNs() = default;
    ReportDSNs(const ReportDSNs&) = delete;  // two owners of one DSN name would remove it twice
    ReportDSNs& operator=(const ReportDSNs&) = delete;

    const std::string& dataFolderPath() const { return dataFolderPath_; }
    // The DSN name of each mode, creating the DSN on first use. Raises 0x80040000 ("Hearthline")
    // when the installer refuses; the name then stays empty, so the next read tries a new name.
    std::string CustomDSN();
    std::string StandardDSN();
    std::string DictionaryDSN();

    // Stores the folder after checking it exists (raises 0x80040000 and keeps the old folder
    // otherwise). DSNs that already exist keep the folder they were made with. Result: Empty.
    Variant Initialize(std::string& dataFolderPath);
    // Removes the custom, standard and dictionary DSNs, in that order, that exist; a failed
    // removal is ignored and the name forgotten all the same. Result: Empty.
    Variant RemoveDSNs();

  private:
    std::string customDsn_;
    std::string standardDsn_;
    std::string dictionaryDsn_;
    std::string dataFolderPath_;

    const std::string& DsnFor(std::string& storedName, const char* modeKey);
    void RemoveDsn(std::string& storedName, const char* modeKey);
};

}  // namespace hlreports
