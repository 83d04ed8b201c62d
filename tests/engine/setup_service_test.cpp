// The setup service: reading setup.json from the data folder, its errors, and the GL account
// lookup the transaction-detail report uses.
#include <gtest/gtest.h>

#include "engine/CoreSetupService.h"
#include "engine/EngineFixtures.h"

namespace hlreports::test {
namespace {

constexpr const char* GoodSetup = R"({"gl_accounts": {
  "01": [{"number": "1000", "title": "Operating Cash"}, {"number": "4000", "title": "Rental Income"}],
  "02": []
}})";

// Accounts of a prefix come back as Value/Title rows in file order; other prefixes give none.
TEST(CoreSetupService, LooksUpAccountsByPrefix) {
    TempDir folder;
    folder.WriteFile("setup.json", GoodSetup);
    CoreSetupService service;
    service.Init(folder.Path().string(), "qz", "pw");
    const RecordsetPtr rows = service.GLAccounts("01");
    ASSERT_EQ(rows->RecordCount(), 2);
    EXPECT_EQ(rows->Value("Value"), Variant("1000"));
    EXPECT_EQ(rows->Value("Title"), Variant("Operating Cash"));
    rows->MoveNext();
    EXPECT_EQ(rows->Value("Title"), Variant("Rental Income"));
    for (const char* prefix : {"02", "03", "1", ""}) {
        SCOPED_TRACE(prefix);
        const RecordsetPtr none = service.GLAccounts(prefix);
        EXPECT_TRUE(none->IsOpen());
        EXPECT_EQ(none->RecordCount(), 0);
    }
}

// The builder filters the rows by account number, as it does with the service's answer.
TEST(CoreSetupService, RowsTakeTheBuildersFilter) {
    TempDir folder;
    folder.WriteFile("setup.json", GoodSetup);
    CoreSetupService service;
    service.Init(folder.Path().string(), "qz", "pw");
    const RecordsetPtr rows = service.GLAccounts("01");
    rows->SetFilter("Value = '4000'");
    ASSERT_EQ(rows->RecordCount(), 1);
    EXPECT_EQ(rows->Value("Title"), Variant("Rental Income"));
}

// Every setup problem is a ComError naming the path and the problem; Init changes nothing then.
TEST(CoreSetupService, InitErrors) {
    struct Case {
        const char* what;
        const char* content;  // nullptr: no setup.json at all
        int number;
        const char* problem;  // after "Malformed setup file <path>: "
    };
    const Case cases[] = {
        {"no file", nullptr, 20521, ""},
        {"not JSON", "{\n  \"gl_accounts\": {,\n}", 20522,
         "parse error at line 2, column 19: syntax error while parsing object key - unexpected "
         "','; expected string "
         "literal"},
        {"an array", "[]", 20522, "the file must hold one JSON object"},
        {"misspelt key", R"({"gl_acounts": {}})", 20522,
         "unknown key \"gl_acounts\" (expected \"gl_accounts\")"},
        {"no accounts", "{}", 20522, "\"gl_accounts\" must be an object keyed by GL prefix"},
        {"accounts not a list", R"({"gl_accounts": {"01": {}}})", 20522,
         "the accounts of GL prefix \"01\" must be an array"},
        {"number as a number", R"({"gl_accounts": {"01": [{"number": 1000, "title": "Cash"}]}})",
         20522, "account 1 of GL prefix \"01\" needs a text \"number\""},
        {"missing title",
         R"({"gl_accounts": {"01": [{"number": "1000", "title": "A"}, {"number": "2000"}]}})",
         20522, "account 2 of GL prefix \"01\" needs a text \"title\""},
        {"unknown account key",
         R"({"gl_accounts": {"01": [{"number": "1", "title": "A", "tilte": "B"}]}})", 20522,
         "unknown key \"tilte\" in account 1 of GL prefix \"01\""},
        {"duplicate account",
         R"({"gl_accounts": {"01": [{"number": "1", "title": "A"}, {"number": "1", "title": "B"}]}})",
         20522, "account \"1\" is listed twice under GL prefix \"01\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir good;
        good.WriteFile("setup.json", GoodSetup);
        CoreSetupService service;
        service.Init(good.Path().string(), "qz", "pw");
        TempDir folder;
        if (c.content != nullptr) {
            folder.WriteFile("setup.json", c.content);
        }
        const std::string path = (folder / "setup.json").string();
        const ComError error =
            CaughtComError([&] { service.Init(folder.Path().string(), "other", "pw"); });
        EXPECT_EQ(error.Number(), c.number);
        EXPECT_EQ(error.Source(), "CoreSetupService.Init");
        EXPECT_EQ(error.Description(), c.content == nullptr
                                           ? "Setup file not found: " + path
                                           : "Malformed setup file " + path + ": " + c.problem);
        EXPECT_EQ(service.User(), "qz");
        EXPECT_EQ(service.GLAccounts("01")->RecordCount(), 2);
    }
}

// A missing data folder is 20520; a lookup before any good Init is 20523.
TEST(CoreSetupService, MissingFolderAndLookupBeforeInit) {
    TempDir folder;
    const std::string missing = (folder / "no-such-folder").string();
    CoreSetupService service;
    for (const std::string& path : {missing, std::string()}) {
        const ComError error = CaughtComError([&] { service.Init(path, "qz", "pw"); });
        EXPECT_EQ(error.Number(), 20520);
        EXPECT_EQ(error.Source(), "CoreSetupService.Init");
        EXPECT_EQ(error.Description(), "Data folder not found: " + path);
    }
    EXPECT_FALSE(service.IsInitialised());
    const ComError lookup = CaughtComError([&] { service.GLAccounts("01"); });
    EXPECT_EQ(lookup.Number(), 20523);
    EXPECT_EQ(lookup.Source(), "CoreSetupService.GLAccounts");
    EXPECT_EQ(lookup.Description(),
              "The setup service is not initialised: Init it with the data folder first");
}

}  // namespace
}  // namespace hlreports::test
