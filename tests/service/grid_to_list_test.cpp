// GridToList: the list text of a grid's selected rows, quoted and unquoted, its length limit,
// its errors, and what a procedure receives on both roads of a call.
#include <gtest/gtest.h>

#include "data/SPParams.h"
#include "data/clsRecordset.h"
#include "service/GridToList.h"
#include "service/ServiceFixture.h"
#include "ui/Form.h"

namespace hlreports::test {
namespace {

class GridListTest : public ServiceTest {
  protected:
    Form form{"frmTest"};
    Control& grid = form.Add(ControlKind::Grid, "grdItems");

    void SetUp() override {
        ServiceTest::SetUp();
        grid.SetColumns({{"Value", ""}, {"Other", ""}});
        grid.SetRowSelection(RowSelectionKind::Multiple);
    }
    void Select(const std::vector<std::string>& values) {
        grid.ClearList();
        for (const std::string& value : values) {
            grid.AddRow({value, "x"});
        }
        for (int row = 0; row < static_cast<int>(values.size()); ++row) {
            grid.SelectRow(row);
        }
    }
};

struct ListCase {
    std::vector<std::string> values;
    bool quoted;
    std::string list;
};

// Quoted items are 'a','b' with inner apostrophes doubled; unquoted a,b; no rows, no text.
TEST_F(GridListTest, JoinsTheSelectedRows) {
    const std::vector<ListCase> cases = {
        {{}, true, ""},
        {{}, false, ""},
        {{"a", "b"}, true, "'a','b'"},
        {{"a", "b"}, false, "a,b"},
        {{"O'Brien", "x''y"}, true, "'O''Brien','x''''y'"},
        {{"A, B"}, true, "'A, B'"},
        {{""}, true, "''"},
    };
    for (const ListCase& c : cases) {
        Select(c.values);
        EXPECT_EQ(GridToList(grid, "value", c.quoted), c.list) << c.list;
    }
}

// Rows come in the order the user selected them, not in list order.
TEST_F(GridListTest, KeepsTheSelectionOrder) {
    grid.AddRow({"r0"}).AddRow({"r1"}).AddRow({"r2"});
    grid.SelectRow(2).SelectRow(0);
    EXPECT_EQ(GridToList(grid, "Value", true), "'r2','r0'");
}

// The list stops before the first item that would pass 8000 characters; a list of exactly
// 8000 keeps its last item, and a doubled apostrophe counts as two.
TEST_F(GridListTest, StopsAtTheLimit) {
    // 7996 + 1 (comma) + 3 = 8000 with the unquoted item "abc".
    const std::string big(7996, 'x');
    Select({big, "abc", "d"});
    EXPECT_EQ(GridToList(grid, "Value", false), big + ",abc");
    // Quoted: "'" + 7994 + "'" = 7996, then ",'a'" makes 8000; "'b'" would pass it.
    const std::string quotedBig(7994, 'y');
    Select({quotedBig, "a", "b"});
    EXPECT_EQ(GridToList(grid, "Value", true), "'" + quotedBig + "','a'");
    // One apostrophe more in the second value makes it 8001: it is left out.
    Select({quotedBig, "'"});
    EXPECT_EQ(GridToList(grid, "Value", true), "'" + quotedBig + "'");
    Select({std::string(8001, 'z'), "a"});
    EXPECT_EQ(GridToList(grid, "Value", false), "");
}

// An unquoted value with a comma or a quote, and an unknown column, raise 5 naming the grid,
// column and value, instead of handing the procedure a wrong or empty list.
TEST_F(GridListTest, RefusesWhatCannotBeAnItem) {
    for (const std::string value : {"1,2", "O'K", "say \"x\""}) {
        Select({"7", value});
        const ComError error = CaughtComError([&] { GridToList(grid, "Value", false); });
        EXPECT_EQ(error.Number(), 5);
        EXPECT_EQ(error.Source(), "basRptFunctions.GridToList");
        EXPECT_NE(error.Description().find("grdItems"), std::string::npos);
        EXPECT_NE(error.Description().find("\"" + value + "\""), std::string::npos)
            << error.Description();
    }
    const ComError error = CaughtComError([&] { GridToList(grid, "Resident", true); });
    EXPECT_EQ(error.Number(), 5);
    EXPECT_EQ(error.Description(), "grid grdItems has no column Resident");
}

// What the procedure receives is the list itself, on the text road (RunSpRetRS) and on the
// command road (RunSPRetRSOutParams): apostrophes are not doubled a second time.
TEST_F(GridListTest, TheProcedureReceivesTheListOnce) {
    db.AddProcedure("sp_Echo", "@Items varchar(8000)", "SELECT @Items AS Items");
    clsRecordset wrapper;
    wrapper.SetConnectionString(db.ConnectionString());
    Select({"a", "O'Brien"});
    const std::string list = GridToList(grid, "Value", true);
    for (const bool commandRoad : {false, true}) {
        SPParams params;
        params.Add("@Items", adVarChar, 8000, adParamInput, Variant(list));
        RecordsetPtr rows;
        const bool ran = commandRoad ? wrapper.RunSPRetRSOutParams("sp_Echo", &params, rows, false)
                                     : wrapper.RunSpRetRS("sp_Echo", rows, &params, false);
        ASSERT_TRUE(ran);
        EXPECT_EQ(rows->Value("Items").ToString(), "'a','O''Brien'") << commandRoad;
    }
}

}  // namespace
}  // namespace hlreports::test
