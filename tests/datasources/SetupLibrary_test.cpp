// The setup library as unixODBC drives it: SQLConfigDataSource for "Larchfield Data" loads it and
// calls its ConfigDSN. Checks what each request writes, and that a refused request posts its
// reason and leaves odbc.ini byte for byte as it was.
#include <gtest/gtest.h>
#include <odbcinst.h>

#include <optional>
#include <string>
#include <vector>

#include "datasources/SandboxEnvironment.h"
#include "support/TempDir.h"

namespace hlreports {
namespace {

using namespace std::string_literals;
using test::IniSection;
using test::ReadFileBytes;
using test::ReadIniFile;

struct InstallerRecord {
    DWORD code = 0;
    std::string message;
};

// The first record the installer posted for the last call, if any.
std::optional<InstallerRecord> FirstInstallerRecord() {
    InstallerRecord record;
    char message[SQL_MAX_MESSAGE_LENGTH + 1] = {};
    WORD length = 0;
    SQLRETURN rc = SQLInstallerError(1, &record.code, message, sizeof message - 1, &length);
    if (rc != SQL_SUCCESS && rc != SQL_SUCCESS_WITH_INFO) {
        return std::nullopt;
    }
    record.message = message;
    return record;
}

// entries: "key=value" entries each ended by a NUL; the closing NUL is added here.
BOOL ConfigDataSource(WORD request, std::string entries) {
    entries.push_back('\0');
    return SQLConfigDataSource(nullptr, request, "Larchfield Data", entries.c_str());
}

const std::string seed = "[Kept]\nDriver=Larchfield Data\nDBQ=/srv/kept\n";
const IniSection kept{"Kept", {{"Driver", "Larchfield Data"}, {"DBQ", "/srv/kept"}}};

// Accepted requests change the user file exactly as each request means.
TEST(SetupLibrary, AcceptedRequests) {
    struct Row {
        const char* label;
        WORD request;
        std::string entries;
        std::vector<IniSection> expected;
    };
    const Row rows[] = {
        {"add writes Driver then the other keys in order",
         ODBC_ADD_DSN,
         "DSN=New1\0DBQ=/srv/d\0MaxColSupport=1500\0CustomMode=1\0"s,
         {kept,
          {"New1",
           {{"Driver", "Larchfield Data"},
            {"DBQ", "/srv/d"},
            {"MaxColSupport", "1500"},
            {"CustomMode", "1"}}}}},
        {"the DSN keyword is found in any case",
         ODBC_ADD_DSN,
         "dsn=New2\0DBQ=/srv/d\0"s,
         {kept, {"New2", {{"Driver", "Larchfield Data"}, {"DBQ", "/srv/d"}}}}},
        {"config changes the given keys and keeps the others",
         ODBC_CONFIG_DSN,
         "DSN=Kept\0ShortenNames=0\0DBQ=/srv/moved\0"s,
         {{"Kept", {{"Driver", "Larchfield Data"}, {"DBQ", "/srv/moved"}, {"ShortenNames", "0"}}}}},
        {"remove takes the section out", ODBC_REMOVE_DSN, "DSN=Kept\0"s, {}},
        {"remove reads only DSN=", ODBC_REMOVE_DSN, "DSN=Kept\0DBQ=/srv/a \0junk\0"s, {}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        test::TempDir files;
        std::filesystem::path userIni = files.WriteFile("odbc.ini", seed);
        test::UseUserIni(userIni);
        EXPECT_EQ(ConfigDataSource(row.request, row.entries), 1);
        EXPECT_EQ(ReadIniFile(userIni), row.expected);
    }
}

// Refused requests return FALSE, post a record that names the problem, and change nothing.
TEST(SetupLibrary, RefusedRequests) {
    struct Row {
        const char* label;
        WORD request;
        std::string entries;
        DWORD code;
        std::string message;
    };
    const Row rows[] = {
        {"no DSN keyword", ODBC_ADD_DSN, "DBQ=/srv/d\0"s, ODBC_ERROR_INVALID_KEYWORD_VALUE,
         "DSN= missing"},
        {"empty DSN", ODBC_ADD_DSN, "DSN=\0DBQ=/srv/d\0"s, ODBC_ERROR_INVALID_KEYWORD_VALUE,
         "DSN= missing"},
        {"no DSN to remove", ODBC_REMOVE_DSN, "DBQ=/srv/d\0"s, ODBC_ERROR_INVALID_KEYWORD_VALUE,
         "DSN= missing"},
        {"DSN name the installer forbids", ODBC_ADD_DSN, "DSN=a;b\0"s, ODBC_ERROR_INVALID_DSN,
         "Invalid DSN name \"a;b\""},
        {"entry without =", ODBC_ADD_DSN, "DSN=New\0junk\0"s, ODBC_ERROR_INVALID_KEYWORD_VALUE,
         "Attribute \"junk\" has no \"=\""},
        {"entry without keyword", ODBC_ADD_DSN, "DSN=New\0=x\0"s, ODBC_ERROR_INVALID_KEYWORD_VALUE,
         "Attribute \"=x\" has no keyword"},
        {"keyword with a bracket", ODBC_ADD_DSN, "DSN=New\0[x]=1\0"s,
         ODBC_ERROR_INVALID_KEYWORD_VALUE, "Keyword \"[x]\" cannot be written to odbc.ini"},
        {"keyword with a line break", ODBC_ADD_DSN, "DSN=New\0a\nb=1\0"s,
         ODBC_ERROR_INVALID_KEYWORD_VALUE,
         "A keyword has a line break, which odbc.ini cannot keep"},
        {"value that would add a key", ODBC_ADD_DSN, "DSN=New\0DBQ=/srv/d\nCustomMode=0\0"s,
         ODBC_ERROR_INVALID_KEYWORD_VALUE,
         "Value of DBQ has a line break or blanks at either end, which odbc.ini cannot keep"},
        {"value the file would trim", ODBC_ADD_DSN, "DSN=New\0DBQ= /srv/d\0"s,
         ODBC_ERROR_INVALID_KEYWORD_VALUE,
         "Value of DBQ has a line break or blanks at either end, which odbc.ini cannot keep"},
        {"DSN name the file would trim", ODBC_ADD_DSN, "DSN=New \0"s,
         ODBC_ERROR_INVALID_KEYWORD_VALUE,
         "Value of DSN has a line break or blanks at either end, which odbc.ini cannot keep"},
        {"add over an existing DSN", ODBC_ADD_DSN, "DSN=Kept\0DBQ=/srv/other\0"s,
         ODBC_ERROR_REQUEST_FAILED, "DSN Kept already exists"},
        {"config of a missing DSN", ODBC_CONFIG_DSN, "DSN=Nope\0DBQ=/srv/d\0"s,
         ODBC_ERROR_REQUEST_FAILED, "DSN Nope does not exist"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        test::TempDir files;
        std::filesystem::path userIni = files.WriteFile("odbc.ini", seed);
        test::UseUserIni(userIni);
        EXPECT_EQ(ConfigDataSource(row.request, row.entries), 0);
        std::optional<InstallerRecord> record = FirstInstallerRecord();
        ASSERT_TRUE(record.has_value());
        EXPECT_EQ(record->code, row.code);
        EXPECT_EQ(record->message, row.message);
        EXPECT_EQ(ReadFileBytes(userIni), seed);
    }
}

// Removing a DSN that is not there succeeds and leaves the file alone.
TEST(SetupLibrary, RemovingAbsentDsnSucceeds) {
    test::TempDir files;
    std::filesystem::path userIni = files.WriteFile("odbc.ini", seed);
    test::UseUserIni(userIni);
    EXPECT_EQ(ConfigDataSource(ODBC_REMOVE_DSN, "DSN=Absent\0"s), 1);
    EXPECT_EQ(ReadIniFile(userIni), std::vector<IniSection>{kept});
}

// A removed name can be added again: nothing of the old DSN lingers.
TEST(SetupLibrary, ReAddAfterRemove) {
    test::TempDir files;
    std::filesystem::path userIni = files / "odbc.ini";
    test::UseUserIni(userIni);
    ASSERT_EQ(ConfigDataSource(ODBC_ADD_DSN, "DSN=Again\0DBQ=/srv/one\0"s), 1);
    ASSERT_EQ(ConfigDataSource(ODBC_REMOVE_DSN, "DSN=Again\0"s), 1);
    ASSERT_EQ(ConfigDataSource(ODBC_ADD_DSN, "DSN=Again\0DBQ=/srv/two\0"s), 1);
    EXPECT_EQ(
        ReadIniFile(userIni),
        (std::vector<IniSection>{{"Again", {{"Driver", "Larchfield Data"}, {"DBQ", "/srv/two"}}}}));
}

// System requests write the system odbc.ini, as the installer's config mode says, and not the
// user's file.
TEST(SetupLibrary, SystemRequestsWriteSystemFile) {
    test::TempDir files;
    std::filesystem::path userIni = files.WriteFile("odbc.ini", seed);
    test::UseUserIni(userIni);
    const std::filesystem::path systemIni = test::Sandbox().SystemIni();

    ASSERT_EQ(ConfigDataSource(ODBC_ADD_SYS_DSN, "DSN=Shared\0DBQ=/srv/s\0"s), 1);
    EXPECT_EQ(
        ReadIniFile(systemIni),
        (std::vector<IniSection>{{"Shared", {{"Driver", "Larchfield Data"}, {"DBQ", "/srv/s"}}}}));
    ASSERT_EQ(ConfigDataSource(ODBC_REMOVE_SYS_DSN, "DSN=Shared\0"s), 1);
    EXPECT_TRUE(ReadIniFile(systemIni).empty());
    EXPECT_EQ(ReadFileBytes(userIni), seed);
}

}  // namespace
}  // namespace hlreports
