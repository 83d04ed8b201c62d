// clsCustomRptParams: stored values found by name, applied to a report's parameters, and what
// happens when there are none or the lookup fails.
#include <gtest/gtest.h>

#include "data/clsRecordset.h"
#include "engine/CoreReport.h"
#include "prompts/clsCustomRptParams.h"
#include "runtime/ComError.h"
#include "runtime/Session.h"
#include "support/TestDatabase.h"

namespace hlreports::test {
namespace {

class CustomRptParamsTest : public ::testing::Test {
  protected:
    TestDatabase db{
        "CREATE TABLE tblCustomParams (property varchar(10), ParamName varchar(50),"
        " ParamValue varchar(255));"
        "INSERT INTO tblCustomParams VALUES ('P1', 'Region', 'West'),"
        " ('P1', 'Owner''s Name', 'Kim'), ('P1', 'Empty One', ''), ('P1', 'Nothing', NULL),"
        " ('P1', 'Start', '1/1/2024'), ('P2', 'Region', 'East'),"
        " ('O''Brien', 'Region', 'North');"};

    void SetUp() override {
        ResetSession();
        TheSession().sharedRecordset = std::make_shared<clsRecordset>();
        TheSession().sharedRecordset->SetConnectionString(db.ConnectionString());
        db.AddProcedure("sp_rep_CustomReportParams", "@Property varchar(10)",
                        "SELECT ParamName, ParamValue FROM tblCustomParams"
                        " WHERE property = @Property ORDER BY ParamName");
    }
    void TearDown() override { ResetSession(); }
};

// Values are found by exact name for the property given to Init (apostrophes in the name or
// the property do no harm); a miss, an empty or Null value all give "".
TEST_F(CustomRptParamsTest, ParamValueFindsTheStoredValue) {
    const struct {
        const char* property;
        const char* name;
        const char* value;
    } cases[] = {
        {"P1", "Region", "West"}, {"P1", "Owner's Name", "Kim"},
        {"P1", "Empty One", ""},  {"P1", "Nothing", ""},
        {"P1", "Missing", ""},    {"P1", "Region' OR ParamName <> '", ""},
        {"P2", "Region", "East"}, {"O'Brien", "Region", "North"},
        {"P3", "Region", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.property) + " " + c.name);
        clsCustomRptParams stored;
        stored.Init(c.property);
        EXPECT_EQ(stored.ParamValue(c.name), c.value);
        // A second lookup starts from the first row again.
        EXPECT_EQ(stored.ParamValue(c.name), c.value);
    }
}

// Before Init there are no rows: every name gives "" without an error.
TEST_F(CustomRptParamsTest, ParamValueWithoutInitIsEmpty) {
    clsCustomRptParams stored;
    EXPECT_EQ(stored.ParamValue("Region"), "");
}

// SetParams sets non-empty stored values as text and leaves every other parameter as it was.
TEST_F(CustomRptParamsTest, SetParamsAppliesNonEmptyValues) {
    std::vector<std::shared_ptr<CoreParameter>> parameters;
    for (const char* name : {"Region", "Owner's Name", "Empty One", "Nothing", "Start", "Other"}) {
        parameters.push_back(std::make_shared<CoreParameter>(name, "", CoreValueString, false,
                                                             false, std::vector<Variant>{}));
    }
    parameters[2]->SetCurrentValue(Variant("kept"));
    clsCustomRptParams stored;
    stored.Init("P1");
    stored.SetParams(parameters);
    EXPECT_EQ(parameters[0]->CurrentValue(), Variant("West"));
    EXPECT_EQ(parameters[1]->CurrentValue(), Variant("Kim"));
    EXPECT_EQ(parameters[2]->CurrentValue(), Variant("kept"));
    EXPECT_FALSE(parameters[3]->HasCurrentValue());
    EXPECT_EQ(parameters[4]->CurrentValue(), Variant("1/1/2024"));
    EXPECT_FALSE(parameters[5]->HasCurrentValue());
}

// A failing Init keeps the wrapper's number and description under the class's own source.
TEST_F(CustomRptParamsTest, InitFailureNamesTheClass) {
    db.Execute("DELETE FROM sys_procedures");
    clsCustomRptParams stored;
    try {
        stored.Init("P1");
        ADD_FAILURE() << "no error";
    } catch (const ComError& error) {
        EXPECT_EQ(error.Number(), 3207);
        EXPECT_EQ(error.Source(), "clsCustomRptParams.Init");
        EXPECT_NE(error.Description().find(" SP:sp_rep_CustomReportParams"), std::string::npos);
    }
    EXPECT_EQ(stored.ParamValue("Region"), "");
}

}  // namespace
}  // namespace hlreports::test
