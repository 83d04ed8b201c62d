// ReportDSNs when "Larchfield Data" cannot add a DSN: no Setup= line, a setup library that is
// missing or has no ConfigDSN (as every stock Debian driver), or no registration at all. unixODBC
// answers all of these with the same installer error.
#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <regex>
#include <string>

#include "datasources/OdbcSandbox.h"
#include "hlreports/ReportDSNs.h"
#include "runtime/ComError.h"
#include "support/TempDir.h"

namespace hlreports {
namespace {

std::unique_ptr<test::OdbcSandbox> sandbox;

// ODBCSYSINI must be set before the program's first ODBC call; odbcinst.ini itself is read anew
// on every call, so each case rewrites it.
class SandboxEnvironment : public ::testing::Environment {
  public:
    void SetUp() override { sandbox = std::make_unique<test::OdbcSandbox>(); }
    void TearDown() override { sandbox.reset(); }
};

// gtest owns and deletes the environment.
const ::testing::Environment* const environment =
    ::testing::AddGlobalTestEnvironment(new SandboxEnvironment);

// The name in a creation error's description.
std::string NameInDescription(const std::string& description) {
    std::smatch name;
    if (!std::regex_search(description, name, std::regex("HLReportDSN[0-9A-F]{6}"))) {
        return "";
    }
    return name.str();
}

// Creation fails with 0x80040000, "Hearthline", the classic text and the installer's reason;
// nothing is written, and the name stays empty, so each read tries again under a new name.
TEST(NoSetupLibrary, CreationFailsAndRetries) {
    struct Row {
        const char* label;
        std::optional<std::string> setupLibrary;
        bool registered;
    };
    const Row rows[] = {
        {"no Setup= line", std::nullopt, true},
        {"setup library missing", "/nonexistent/libnosuchS.so", true},
        {"stock driver as its own setup library", HL_STOCK_ODBC_DRIVER, true},
        {"driver not registered", std::nullopt, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.label);
        sandbox->RegisterDriver(row.setupLibrary, row.registered);
        test::TempDir files;
        test::UseUserIni(files / "odbc.ini");
        std::string folder = (files / "data").string();
        std::filesystem::create_directories(folder);
        ReportDSNs dsns;
        dsns.Initialize(folder);

        std::string names[2];
        for (std::string& name : names) {
            try {
                dsns.CustomDSN();
                ADD_FAILURE() << "no error raised";
            } catch (const ComError& error) {
                EXPECT_EQ(error.Number(), static_cast<int32_t>(0x80040000u));
                EXPECT_EQ(error.Source(), "Hearthline");
                name = NameInDescription(error.Description());
                EXPECT_EQ(error.Description(), "Error Creating Report DSN. Name = " + name +
                                                   " Type = CustomMode Data Folder = " + folder +
                                                   " (ODBC installer: General installer error)");
            }
        }
        EXPECT_FALSE(names[0].empty());
        EXPECT_NE(names[0], names[1]);
        EXPECT_FALSE(std::filesystem::exists(files / "odbc.ini"));
        EXPECT_TRUE(test::ReadIniFile(sandbox->SystemIni()).empty());
        // Nothing was made, so there is nothing to remove and no error to raise.
        dsns.RemoveDSNs();
    }
}

}  // namespace
}  // namespace hlreports
