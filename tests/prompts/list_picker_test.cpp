// frmDatabaseList: selection modes, buttons, keys, type-ahead, text matching, feedback texts,
// reloads and the column-name failure.
#include <gtest/gtest.h>

#include "prompts/PromptsFixture.h"
#include "prompts/frmDatabaseList.h"
#include "runtime/ComError.h"

namespace hlreports::test {
namespace {

RecordsetPtr Rows(const std::vector<std::vector<std::string>>& rows,
                  const std::string& source = "SELECT Code, Label, Name FROM T") {
    auto recordset = std::make_shared<Recordset>();
    for (const char* name : {"Code", "Label", "Name"}) {
        FieldInfo field;
        field.name = name;
        field.definedSize = 10;
        recordset->AppendField(field);
    }
    recordset->Open();
    for (const auto& row : rows) {
        recordset->AppendRow({Variant(row[0]), Variant(row[1]), Variant(row[2])});
    }
    recordset->FinishLoading();
    recordset->SetSource(source);
    return recordset;
}

const std::vector<std::vector<std::string>> People = {{"ADAMS", "A1", "Adams"},
                                                      {"OBRIEN", "O'B", "O'Brien"},
                                                      {"O'NEIL", "O2", "O'Neil"},
                                                      {"PRICE", "P1", "Price"},
                                                      {"ABBOT", "A2", "Abbot"}};

class ListPickerTest : public PromptsTest {
  protected:
    frmDatabaseList picker;
    Control& grid = picker.Get("grdDBList");

    void Open(RowSelectionKind kind) {
        picker.SetSelectionType(kind);
        picker.SetRecordSet(Rows(People));
    }
    // Shows the picker and plays the script on it.
    void Show(std::function<void(Form&)> script) {
        ui->scripts.push_back(std::move(script));
        picker.ShowModal();
    }
};

// Single selection: All is hidden and Help takes its place; Enter chooses the current row and
// closes; the choice answers value, description and feedback.
TEST_F(ListPickerTest, SingleSelectionEnterChooses) {
    Open(RowSelectionKind::Single);
    const int32_t allLeft = picker.Get("btnAll").Left();
    Show([&](Form& form) {
        EXPECT_FALSE(form.Get("btnAll").IsVisible());
        EXPECT_EQ(form.Get("btnHelp").Left(), allLeft);
        EXPECT_EQ(form.FocusedControl(), &grid);
        form.PressKeyDown(KeyCodeDown);
        form.PressKeyDown(KeyCodeDown);
        form.PressKey(KeyEnter);
        EXPECT_FALSE(form.IsVisible());
    });
    EXPECT_EQ(picker.ValuesCount(), 1);
    EXPECT_EQ(picker.Value(0), "O'NEIL");
    EXPECT_EQ(picker.Value(1), "");
    EXPECT_EQ(picker.Description(), "O2");
    EXPECT_EQ(picker.Feedback(), "Name O'Neil");
}

// Multiple selection: Enter toggles the current row and moves down (staying on the last row);
// OK keeps the rows in selection order; Cancel keeps the last OK's rows.
TEST_F(ListPickerTest, MultipleSelectionEnterToggles) {
    Open(RowSelectionKind::Multiple);
    Show([&](Form& form) {
        EXPECT_TRUE(form.Get("btnAll").IsVisible());
        form.PressKeyDown(KeyCodeEnd);
        form.PressKey(KeyEnter);  // selects ABBOT, stays on the last row
        form.PressKey(KeyEnter);  // deselects it
        form.PressKey(KeyEnter);  // selects it again
        form.PressKeyDown(KeyCodeHome);
        form.PressKey(KeyEnter);  // ADAMS, moves to OBRIEN
        form.PressKey(KeyEnter);  // OBRIEN
        form.Get("btnOK").Click();
    });
    ASSERT_EQ(picker.ValuesCount(), 3);
    EXPECT_EQ(picker.Value(0), "ABBOT");
    EXPECT_EQ(picker.Value(1), "ADAMS");
    EXPECT_EQ(picker.Value(2), "OBRIEN");
    EXPECT_EQ(picker.Description(), "Multiple. Click List to modify.");
    EXPECT_EQ(picker.Feedback(), "Name Multiple. Click List to modify.");
    EXPECT_FALSE(picker.AllUnitsSelected());
    Show([&](Form& form) {
        EXPECT_EQ(grid.SelectedRows().size(), 3U);  // the chosen rows come back selected
        form.Get("btnClear").Click();
        EXPECT_TRUE(grid.SelectedRows().empty());
        form.Get("btnCancel").Click();
    });
    EXPECT_EQ(picker.ValuesCount(), 3);
}

// All selects every row and marks all units; OK with every row selected does too; opening the
// picker again clears the mark until the next All or full OK.
TEST_F(ListPickerTest, AllMarksAllUnits) {
    Open(RowSelectionKind::Multiple);
    Show([&](Form& form) {
        form.Get("btnAll").Click();
        EXPECT_EQ(grid.SelectedRows().size(), People.size());
        form.Get("btnOK").Click();
    });
    EXPECT_TRUE(picker.AllUnitsSelected());
    EXPECT_EQ(picker.ValuesCount(), 5);
    Show([&](Form& form) {
        EXPECT_FALSE(picker.AllUnitsSelected());
        grid.DeselectRow(0);
        form.Get("btnOK").Click();
    });
    EXPECT_FALSE(picker.AllUnitsSelected());
    Show([&](Form& form) {
        grid.SelectRow(0);
        form.Get("btnOK").Click();
    });
    EXPECT_TRUE(picker.AllUnitsSelected());
}

// Type-ahead searches column 0 from the current row, ignoring case, wrapping once; an
// apostrophe is a plain character; Backspace and moves shorten or empty the search text.
TEST_F(ListPickerTest, TypeAheadSearch) {
    Open(RowSelectionKind::Single);
    Show([&](Form& form) {
        form.PressKey('o');
        EXPECT_EQ(grid.SelectedRow(), 1);
        form.PressKey('\'');
        EXPECT_EQ(picker.SearchText(), "o'");
        EXPECT_EQ(grid.SelectedRow(), 2);
        EXPECT_EQ(grid.SelectedRows(), std::vector<int>{2});  // single: the current row is chosen
        form.PressKey('x');                                   // no match: stays
        EXPECT_EQ(grid.SelectedRow(), 2);
        form.PressKey(KeyBackspace);
        form.PressKey(KeyBackspace);
        EXPECT_EQ(picker.SearchText(), "o");
        form.PressKeyDown(KeyCodeEnd);
        EXPECT_EQ(picker.SearchText(), "");
        form.PressKey('a');  // from the last row ABBOT itself matches
        EXPECT_EQ(grid.SelectedRow(), 4);
        form.PressKey('d');  // ABBOT does not, wraps to ADAMS
        EXPECT_EQ(grid.SelectedRow(), 0);
        form.PressKey(' ');  // blanks are not searched
        EXPECT_EQ(picker.SearchText(), "ad");
        form.Get("btnCancel").Click();
    });
    EXPECT_EQ(picker.ValuesCount(), 0);
}

// Matching typed text: column 1 equal or beginning with the text, ignoring case, apostrophes
// included; the empty text chooses nothing; the "Multiple" text changes nothing.
TEST_F(ListPickerTest, SelectWithText) {
    Open(RowSelectionKind::Single);
    const struct {
        const char* text;
        const char* value;  // "" for none chosen
    } cases[] = {{"a2", "ABBOT"}, {"O'B", "OBRIEN"}, {"o", "OBRIEN"},
                 {"P", "PRICE"},  {"zz", ""},        {"", ""}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        picker.SelectWithText("P1");
        picker.SelectWithText(c.text);
        EXPECT_EQ(picker.Value(0), c.value);
        EXPECT_EQ(picker.ValuesCount(), std::string(c.value).empty() ? 0 : 1);
    }
    picker.SelectWithText("P1");
    picker.SelectWithText("multiple. click list to modify.");
    EXPECT_EQ(picker.Value(0), "PRICE");
    EXPECT_TRUE(ui->Messages().empty());
}

// ExistsOnList compares column 1 exactly (ignoring case); the empty and "Multiple" texts count
// as on a list with rows; an empty list holds nothing.
TEST_F(ListPickerTest, ExistsOnList) {
    EXPECT_FALSE(picker.ExistsOnList(""));
    Open(RowSelectionKind::Single);
    EXPECT_TRUE(picker.ExistsOnList(""));
    EXPECT_TRUE(picker.ExistsOnList("Multiple. Click List to modify."));
    EXPECT_TRUE(picker.ExistsOnList("o'b"));
    EXPECT_FALSE(picker.ExistsOnList("O"));
    EXPECT_FALSE(picker.ExistsOnList("Adams"));
}

// SQL whose column cannot be read shows the "Error Parsing SQL" box and chooses nothing.
TEST_F(ListPickerTest, ColumnNameFailureShowsTheBox) {
    picker.SetRecordSet(Rows(People, "SELECT * FROM People"));
    picker.SelectWithText("A1");
    EXPECT_EQ(picker.ValuesCount(), 0);
    ASSERT_EQ(ui->Messages().size(), 1U);
    EXPECT_EQ(ui->Messages()[0].title, "Error Parsing SQL");
    EXPECT_EQ(ui->Messages()[0].style, vbCritical);
    EXPECT_EQ(ui->Messages()[0].text,
              "Unable to to determine column name from the following SQL statement:\nSELECT * "
              "FROM People\nReferencing column #2");
}

// A column name that the rows do not have is error 3300 naming the text.
TEST_F(ListPickerTest, UnknownColumnRaises3300) {
    picker.SetRecordSet(Rows(People, "SELECT Code, Other, Name FROM T"));
    try {
        picker.SelectWithText("A1");
        ADD_FAILURE() << "no error";
    } catch (const ComError& error) {
        EXPECT_EQ(error.Number(), 3300);
        EXPECT_EQ(error.Source(), "SelectWithText");
        EXPECT_EQ(error.Description(), "Error finding A1");
    }
}

// New rows keep the chosen values they still hold, at their new positions, and drop the rest.
TEST_F(ListPickerTest, ReloadRematchesByValue) {
    Open(RowSelectionKind::Multiple);
    Show([&](Form& form) {
        form.Get("btnAll").Click();
        form.Get("btnOK").Click();
    });
    picker.SetRecordSet(
        Rows({{"PRICE", "P1", "Price"}, {"NEW", "N1", "New"}, {"ADAMS", "A1", "Adams"}}));
    ASSERT_EQ(picker.ValuesCount(), 2);
    EXPECT_EQ(picker.Value(0), "ADAMS");
    EXPECT_EQ(picker.Value(1), "PRICE");
}

// Help opens the picker's topic page (recorded by the headless driver).
TEST_F(ListPickerTest, HelpOpensTheTopic) {
    Open(RowSelectionKind::Multiple);
    Show([&](Form& form) {
        form.Get("btnHelp").Click();
        form.Get("btnCancel").Click();
    });
    ASSERT_EQ(ui->HelpPages().size(), 1U);
    EXPECT_EQ(ui->HelpPages()[0].filename(), "context-5500.html");
}

}  // namespace
}  // namespace hlreports::test
