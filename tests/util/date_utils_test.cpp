// The prompt form's date functions: typed dates normalised to m/dd/yyyy, period and month
// beginnings, and the error box of a text that breaks the normalising.
#include <gtest/gtest.h>

#include <memory>

#include "runtime/Session.h"
#include "ui/Ui.h"
#include "util/DateUtils.h"

namespace hlreports {
namespace {

class DateUtils : public ::testing::Test {
  protected:
    std::shared_ptr<RecordingUi> ui = std::make_shared<RecordingUi>();
    void SetUp() override {
        ResetSession();
        TheSession().ui = ui;
    }
    void TearDown() override { ResetSession(); }
};

struct FormatCase {
    const char* typed;
    const char* normalised;
};

// Digit runs are cut by their first digit and length; two-digit years pivot at 50; years
// outside 1881-2078 and texts that are no date give "" without a box.
TEST_F(DateUtils, FormatDateNormalises) {
    const FormatCase cases[] = {
        {"010199", "1/01/1999"},      {"1299", "1/02/1999"},   {"123456789", ""},
        {"7/4/49", "7/04/2049"},      {"7/4/50", "7/04/1950"}, {"1/1/1880", ""},
        {"12/31/2078", "12/31/2078"}, {"1/1/2079", ""},        {"", ""},
        {"12252024", "12/25/2024"},   {"hello", ""},
    };
    for (const FormatCase& row : cases) {
        EXPECT_EQ(basFormatDate(row.typed), row.normalised) << row.typed;
    }
    EXPECT_TRUE(ui->Messages().empty());
}

// A date written with a month name is a date but not m/d/y: the error box, and "".
TEST_F(DateUtils, MonthNameShowsTheErrorBox) {
    EXPECT_EQ(basFormatDate("January 5, 2024"), "");
    ASSERT_EQ(ui->Messages().size(), 1u);
    EXPECT_EQ(ui->Messages()[0].title, "Hearthline");
    EXPECT_EQ(ui->Messages()[0].style, vbExclamation);
}

// A month end (day > 27) starts its own month; another day one month earlier plus one day.
TEST_F(DateUtils, BeginningOfPeriod) {
    const Date cases[][2] = {
        {Date::FromYmd(2024, 1, 31), Date::FromYmd(2024, 1, 1)},
        {Date::FromYmd(2024, 2, 28), Date::FromYmd(2024, 2, 1)},
        {Date::FromYmd(2024, 3, 15), Date::FromYmd(2024, 2, 16)},
        {Date::FromYmd(2024, 1, 10), Date::FromYmd(2023, 12, 11)},
    };
    for (const auto& row : cases) {
        EXPECT_EQ(basBeginningOfPeriod(row[0]), row[1]);
    }
}

// The first of the date's month.
TEST_F(DateUtils, FirstOfMonth) {
    EXPECT_EQ(basFirstOfMonth(Date::FromYmd(2024, 3, 15)), Date::FromYmd(2024, 3, 1));
    EXPECT_EQ(basFirstOfMonth(Date::FromYmd(2024, 12, 1)), Date::FromYmd(2024, 12, 1));
}

}  // namespace
}  // namespace hlreports
