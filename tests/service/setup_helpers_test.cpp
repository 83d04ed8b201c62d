// The setup helpers: a missing setup value, values out of a connection string, the first of the
// next month, the common error box and the report directory's separator.
#include <gtest/gtest.h>

#include "data/clsRecordset.h"
#include "service/ReportRunner.h"
#include "service/ServiceFixture.h"
#include "service/SetupHelpers.h"

namespace hlreports::test {
namespace {

// A setting that is not stored comes back Null: 3002 "GetSetupInfo" with the conversion's own
// text, as the classic callers expect it.
TEST_F(ServiceTest, GetSetupInfoOfANullValueRaises3002) {
    TheSession().sharedRecordset = std::make_shared<clsRecordset>();
    TheSession().sharedRecordset->SetConnectionString(db.ConnectionString());
    EXPECT_EQ(GetSetupInfo("P1", "ReportDirectory"), ReportFolder());
    const ComError error = CaughtComError([] { GetSetupInfo("P9", "ReportDirectory"); });
    EXPECT_EQ(error.Number(), 3002);
    EXPECT_EQ(error.Source(), "GetSetupInfo");
    EXPECT_EQ(error.Description(), "Invalid use of Null");
}

struct ParseCase {
    const char* connection;
    const char* key;
    const char* value;  // nullptr: the key is not there, an error
};

// The value after "key=" up to the next ";" (one appended first); a missing key raises.
TEST(ParseConnectionString, TakesTheKeysValue) {
    const ParseCase cases[] = {
        {"Provider=SQLOLEDB;Server=SQL1;Database=hl", "Server", "SQL1"},
        {"Provider=SQLOLEDB;Server=SQL1;Database=hl", "Database", "hl"},
        {"server=SQL1;Uid=kim;", "SERVER", "SQL1"},
        {"Server=;Database=hl", "Server", ""},
        {"Server=SQL1;Database=hl", "Uid", nullptr},
    };
    for (const ParseCase& row : cases) {
        if (row.value) {
            EXPECT_EQ(basParseConnectionString(row.connection, row.key), row.value) << row.key;
            continue;
        }
        const ComError error =
            CaughtComError([&] { basParseConnectionString(row.connection, row.key); });
        EXPECT_EQ(error.Number(), ErrorNumber::FirstObjectError);
        EXPECT_EQ(error.Source(), "basRptFunctions.basParseConnectionString");
    }
}

// The first of the next month, across a year end and from a month's last day.
TEST(FirstOfNextMonth, StartsTheNextMonth) {
    const Date cases[][2] = {
        {Date::FromYmd(2024, 12, 15), Date::FromYmd(2025, 1, 1)},
        {Date::FromYmd(2025, 1, 31), Date::FromYmd(2025, 2, 1)},
        {Date::FromYmd(2024, 2, 29), Date::FromYmd(2024, 3, 1)},
    };
    for (const auto& row : cases) {
        EXPECT_EQ(FirstOfNextMonth(row[0]), row[1]);
    }
}

// The box shows description and extra (extra alone without a description), exclamation style,
// titled "Hearthline"; source and number are not shown.
TEST_F(ServiceTest, ShowErrorBoxText) {
    ShowErrorBox("Disk full", "basX.Save", "Try again.", 61);
    ShowErrorBox("", "basX.Save", "Only this.", 61);
    ASSERT_EQ(ui->Messages().size(), 2u);
    EXPECT_EQ(ui->Messages()[0].text, "Disk full Try again.");
    EXPECT_EQ(ui->Messages()[1].text, "Only this.");
    for (const MessageBoxRecord& box : ui->Messages()) {
        EXPECT_EQ(box.style, vbExclamation);
        EXPECT_EQ(box.title, "Hearthline");
    }
}

// The directory gets a separator in its own style; one already there is kept.
TEST(ReportDirectory, EndsWithOneSeparator) {
    const char* cases[][2] = {
        {"C:\\Reports", "C:\\Reports\\x.rpt"},
        {"C:\\Reports\\", "C:\\Reports\\x.rpt"},
        {"/srv/reports", "/srv/reports/x.rpt"},
        {"/srv/reports/", "/srv/reports/x.rpt"},
    };
    for (const auto& row : cases) {
        EXPECT_EQ(ReportDirectoryWithSeparator(row[0]) + "x.rpt", row[1]) << row[0];
    }
}

}  // namespace
}  // namespace hlreports::test
