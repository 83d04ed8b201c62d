// clsList over a database: the property list's security, refused and failing list SQL, the unit
// list's procedure call, widths and the list's own connection.
#include <gtest/gtest.h>

#include <algorithm>

#include "data/Connections.h"
#include "prompts/ListSql.h"
#include "prompts/PromptsFixture.h"
#include "prompts/clsList.h"
#include "runtime/ComError.h"
#include "support/CaughtComError.h"

namespace hlreports::test {
namespace {

class ListObjectTest : public PromptsTest {
  protected:
    std::shared_ptr<CoreReport> report;

    void SetUp() override {
        PromptsTest::SetUp();
        report = LoadReport(
            "<parameter name=\"QZLIST(Property Selection)\" type=\"11\" multi=\"true\"/>"
            "<parameter name=\"QZLIST(Unit Selection)\" type=\"11\" multi=\"true\"/>"
            "<parameter name=\"QZLIST(Bad)\" type=\"11\"/>"
            "<parameter name=\"QZLIST(Missing)\" type=\"11\"/>"
            "<parameter name=\"QZLIST(Two)\" type=\"11\"/>"
            "<parameter name=\"QZLIST(Writes)\" type=\"11\"/>",
            PropertyFormula() +
                "<formula name=\"Bad\">\"SELECT 1 AS a, 2 AS b\nDELETE FROM "
                "tblProperty\"</formula>"
                "<formula name=\"Two\">\"SELECT Property, Property, Name FROM tblProperty;"
                "/**/DELETE/**/FROM tblSecurity\"</formula>"
                "<formula name=\"Writes\">\"REPLACE INTO tblSecurity VALUES ('x', 'Property', "
                "'OAK') RETURNING *\"</formula>");
    }

    std::vector<std::string> Codes(clsList& list) {
        list.InitRS(*report);
        std::vector<std::string> codes;
        const GridData& rows = list.Picker()->Get("grdDBList").List();
        for (int row = 0; row < rows.RowCount(); ++row) {
            codes.push_back(rows.Cell(row, 1));
        }
        return codes;
    }

    ComError GetRsError(clsList& list) {
        return test::CaughtComError([&] { list.GetRS(*report); });
    }
};

// The property list shows only properties with a 'Property' security row of the session's
// users: the same list gives different rows for different users.
TEST_F(ListObjectTest, PropertyListFollowsSecurity) {
    const struct {
        const char* user;
        std::vector<std::string> codes;
    } cases[] = {{"kim", {"OAK", "PINE"}},
                 {"lee", {"CEDAR", "O'HARE"}},
                 {"'o''neil'", {"PINE"}},
                 {"kim, lee", {"CEDAR", "O'HARE", "OAK", "PINE"}},
                 {"nobody", {}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.user);
        TheSession().settings.userName = c.user;
        clsList list;
        list.Init("{?QZLIST(Property Selection)}", Variant("txtListText0"));
        std::vector<std::string> codes = Codes(list);
        std::sort(codes.begin(), codes.end());
        EXPECT_EQ(codes, c.codes);
    }
}

// Refused, failing and missing list SQL all end in 3302 with the cause and the command; a
// user name that is no list gets no rows.
TEST_F(ListObjectTest, FailuresRaise3302) {
    clsList bad;
    bad.Init("{?QZLIST(Bad)}", Variant("txtListText2"));
    ComError error = GetRsError(bad);
    EXPECT_EQ(error.Number(), 3302);
    EXPECT_EQ(error.Source(), "clsList.GetRS");
    EXPECT_EQ(error.Description(),
              " DELETE  is not allowed in formula Bad  Command was SELECT 1 AS a, 2 AS b\nDELETE "
              "FROM tblProperty");
    EXPECT_EQ(db.QueryText("SELECT count(*) FROM tblProperty"), "4");

    clsList missing;
    missing.Init("{?QZLIST(Missing)}", Variant("txtListText3"));
    error = GetRsError(missing);
    EXPECT_EQ(error.Number(), 3302);
    EXPECT_NE(error.Description().find("no formula named \"Missing\""), std::string::npos)
        << error.Description();

    // What slips past the keyword check is refused by the read-only road before it runs.
    const struct {
        const char* list;
        const char* reason;
    } roadCases[] = {{"Two", "the text holds more than one statement"},
                     {"Writes", "the statement would change the database ("}};
    for (const auto& c : roadCases) {
        SCOPED_TRACE(c.list);
        clsList list;
        list.Init(std::string("{?QZLIST(") + c.list + ")}", Variant("txtListText4"));
        error = GetRsError(list);
        EXPECT_EQ(error.Number(), 3302);
        EXPECT_EQ(error.Description().rfind(std::string("Only a query that reads is allowed in "
                                                        "formula ") +
                                                c.list + ": " + c.reason,
                                            0),
                  0U)
            << error.Description();
    }
    EXPECT_EQ(db.QueryText("SELECT count(*) FROM tblSecurity"), "6");

    TheSession().settings.userName = "'kim";
    clsList property;
    property.Init("{?QZLIST(Property Selection)}", Variant("txtListText0"));
    error = GetRsError(property);
    EXPECT_EQ(error.Number(), 3302);
    EXPECT_NE(error.Description().find("is not a list of user names"), std::string::npos);
    EXPECT_EQ(property.ValuesCount(), 0);
}

// The unit list runs the procedure for the filter text, whose ids arrive as the same quoted
// list whatever they hold; a blank filter runs nothing and gives no rows.
TEST_F(ListObjectTest, UnitListCallsTheProcedure) {
    clsList units;
    units.Init("{?QZLIST(Unit Selection)}", Variant("txtListText1"));
    units.PropertyFilter = "\"\"";
    EXPECT_TRUE(Codes(units).empty());
    EXPECT_EQ(units.Command, "");
    EXPECT_EQ(LastUnitListArgument(), "");

    units.PropertyFilter = PropertyFilterText({"OAK", "O'HARE"});
    EXPECT_EQ(Codes(units), (std::vector<std::string>{"H1", "101", "102"}));
    EXPECT_EQ(LastUnitListArgument(), "'OAK','O''HARE'");
    // The third column (the property) is hidden in the grid.
    EXPECT_FALSE(units.Picker()->Get("grdDBList").List().Column(2).visible);
}

// The box width is the second column's defined size at 120 twips a character; the list's own
// connection stays open until Term.
TEST_F(ListObjectTest, DescriptionWidthAndConnection) {
    const int openBefore = GetConnectionStats().open;
    {
        clsList list;
        EXPECT_EQ(list.DescriptionWidth("{?QZLIST(Property Selection)}", *report), "1200");
        EXPECT_EQ(GetConnectionStats().open, openBefore + 1);
        list.Term();
        EXPECT_EQ(GetConnectionStats().open, openBefore);
        list.InitRS(*report);
        EXPECT_EQ(GetConnectionStats().open, openBefore + 1);
    }
    EXPECT_EQ(GetConnectionStats().open, openBefore);
}

}  // namespace
}  // namespace hlreports::test
