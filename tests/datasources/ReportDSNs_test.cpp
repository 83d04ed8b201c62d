// ReportDSNs against the real unixODBC installer and the setup library built here: what lands in
// the user's odbc.ini, when, and the errors raised on the way.
#include "hlreports/ReportDSNs.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "datasources/SandboxEnvironment.h"
#include "runtime/ComError.h"
#include "support/TempDir.h"

namespace hlreports {
namespace {

using test::IniSection;
using test::ReadFileBytes;
using test::ReadIniFile;

constexpr int32_t CreationError = static_cast<int32_t>(0x80040000u);

// The section the setup library writes for a report DSN.
IniSection DsnSection(const std::string& name, const std::string& folder, const std::string& mode) {
    return {name,
            {{"Driver", "Larchfield Data"},
             {"DBQ", folder},
             {"MaxColSupport", "1500"},
             {"ShortenNames", "0"},
             {mode, "1"}}};
}

// Each test writes its own user odbc.ini and serves its own data folder.
class ReportDSNsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        test::UseUserIni(UserIni());
        dataFolder_ = MakeFolder("data");
        dsns_.Initialize(dataFolder_);
    }

    std::filesystem::path UserIni() const { return files_ / "odbc.ini"; }
    std::string MakeFolder(const std::string& name) const {
        std::filesystem::create_directories(files_ / name);
        return (files_ / name).string();
    }

    test::TempDir files_;
    std::string dataFolder_;
    ReportDSNs dsns_;
};

// Each mode's first read adds one DSN with the five attributes in order; a second read adds none.
TEST_F(ReportDSNsTest, FirstReadCreatesOneDsnPerMode) {
    struct Row {
        const char* modeKey;
        std::string (ReportDSNs::*read)();
    };
    const Row rows[] = {
        {"CustomMode", &ReportDSNs::CustomDSN},
        {"StandardMode", &ReportDSNs::StandardDSN},
        {"DictionaryMode", &ReportDSNs::DictionaryDSN},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.modeKey);
        test::UseUserIni(files_ / (std::string(row.modeKey) + ".ini"));
        ReportDSNs dsns;
        dsns.Initialize(dataFolder_);
        std::string name = (dsns.*row.read)();
        EXPECT_TRUE(std::regex_match(name, std::regex("HLReportDSN[0-9A-F]{6}"))) << name;
        EXPECT_EQ((dsns.*row.read)(), name);
        EXPECT_EQ(ReadIniFile(files_ / (std::string(row.modeKey) + ".ini")),
                  std::vector<IniSection>{DsnSection(name, dataFolder_, row.modeKey)});
    }
    // The installer's user mode: the system file is never written.
    EXPECT_TRUE(ReadIniFile(test::Sandbox().SystemIni()).empty());
}

// RemoveDSNs takes out exactly the DSNs it made, and the next read makes a DSN with a new name.
TEST_F(ReportDSNsTest, RemoveDSNsRemovesAndForgets) {
    const IniSection foreign{"Accounts", {{"Driver", "SQLite3"}, {"Database", "/srv/a.db"}}};
    files_.WriteFile("odbc.ini", "[Accounts]\nDriver=SQLite3\nDatabase=/srv/a.db\n");
    std::string custom = dsns_.CustomDSN();
    std::string standard = dsns_.StandardDSN();
    std::string dictionary = dsns_.DictionaryDSN();
    EXPECT_EQ(ReadIniFile(UserIni()).size(), 4u);

    dsns_.RemoveDSNs();
    EXPECT_EQ(ReadIniFile(UserIni()), std::vector<IniSection>{foreign});

    std::string again = dsns_.CustomDSN();
    EXPECT_NE(again, custom);
    EXPECT_EQ(ReadIniFile(UserIni()),
              (std::vector<IniSection>{foreign, DsnSection(again, dataFolder_, "CustomMode")}));
    EXPECT_NE(standard, dictionary);
}

// A fresh object removes nothing: the user file keeps its bytes, or is not created at all.
TEST_F(ReportDSNsTest, RemoveDSNsOnFreshObjectDoesNothing) {
    dsns_.RemoveDSNs();
    EXPECT_FALSE(ReadFileBytes(UserIni()).has_value());

    const std::string seeded = "[Accounts]\nDriver=SQLite3\n";
    files_.WriteFile("odbc.ini", seeded);
    ReportDSNs fresh;
    fresh.RemoveDSNs();
    EXPECT_EQ(ReadFileBytes(UserIni()), seeded);
}

// A folder that is not an existing directory raises the exact error and keeps the stored folder.
TEST_F(ReportDSNsTest, InitializeRejectsMissingFolder) {
    files_.WriteFile("plain.txt", "not a folder");
    const std::string rows[] = {
        (files_ / "missing").string(), (files_ / "plain.txt").string(), "",
        dataFolder_ + std::string(1, '\0') +
            "CustomMode=0",  // the file system sees only dataFolder_
    };
    for (std::string folder : rows) {
        SCOPED_TRACE(folder);
        try {
            dsns_.Initialize(folder);
            ADD_FAILURE() << "no error raised";
        } catch (const ComError& error) {
            EXPECT_EQ(error.Number(), CreationError);
            EXPECT_EQ(error.Source(), "Hearthline");
            EXPECT_EQ(error.Description(),
                      "Error Creating Report DSN. The Data folder " + folder + "does not exist");
        }
        EXPECT_EQ(dsns_.dataFolderPath(), dataFolder_);
    }
}

// A DSN keeps the folder it was made with; a later Initialize only reaches DSNs made after it.
TEST_F(ReportDSNsTest, InitializeLeavesExistingDsnsAlone) {
    std::string custom = dsns_.CustomDSN();
    std::string otherFolder = MakeFolder("other");
    dsns_.Initialize(otherFolder);
    EXPECT_EQ(dsns_.dataFolderPath(), otherFolder);
    std::string standard = dsns_.StandardDSN();
    EXPECT_EQ(ReadIniFile(UserIni()),
              (std::vector<IniSection>{DsnSection(custom, dataFolder_, "CustomMode"),
                                       DsnSection(standard, otherFolder, "StandardMode")}));
}

// A refused creation raises the classic text followed by the installer's reason, writes nothing,
// and leaves the name empty so that the next read tries again.
TEST_F(ReportDSNsTest, RefusedCreationRaisesAndRetries) {
    std::string brokenFolder = MakeFolder("line\nbreak");
    dsns_.Initialize(brokenFolder);
    try {
        dsns_.DictionaryDSN();
        ADD_FAILURE() << "no error raised";
    } catch (const ComError& error) {
        EXPECT_EQ(error.Number(), CreationError);
        EXPECT_EQ(error.Source(), "Hearthline");
        std::smatch name;
        const std::string& description = error.Description();
        ASSERT_TRUE(std::regex_search(description, name, std::regex("HLReportDSN[0-9A-F]{6}")));
        EXPECT_EQ(description, "Error Creating Report DSN. Name = " + name.str() +
                                   " Type = DictionaryMode Data Folder = " + brokenFolder +
                                   " (ODBC installer: Value of DBQ has a line break or blanks at "
                                   "either end, which odbc.ini cannot keep)");
    }
    EXPECT_FALSE(ReadFileBytes(UserIni()).has_value());

    dsns_.Initialize(dataFolder_);
    std::string name = dsns_.DictionaryDSN();
    EXPECT_EQ(ReadIniFile(UserIni()),
              std::vector<IniSection>{DsnSection(name, dataFolder_, "DictionaryMode")});
}

// Removal reads only the name, so a DSN goes even when the folder stored since cannot be written.
TEST_F(ReportDSNsTest, RemovalIgnoresFolderStoredSince) {
    dsns_.CustomDSN();
    std::string blankEnded = MakeFolder("blank ended ");
    dsns_.Initialize(blankEnded);
    dsns_.RemoveDSNs();
    EXPECT_TRUE(ReadIniFile(UserIni()).empty());
}

}  // namespace
}  // namespace hlreports
