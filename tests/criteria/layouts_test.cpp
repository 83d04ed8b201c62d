// frmRepCriteria before and inside each generic layout: design captions and geometry, which
// controls each layout shows, their captions, positions and presets, and the run-time additions.
#include <algorithm>
#include <map>
#include <optional>
#include <set>

#include "criteria/CriteriaFixture.h"
#include "criteria/frmRepCriteria.h"
#include "runtime/ExpectComError.h"

namespace hlreports::test {
namespace {

RecordsetPtr Rows(std::vector<std::vector<std::string>> rows) {
    auto recordset = std::make_shared<Recordset>();
    FieldInfo fielda;
    fielda.name = "a";
    recordset->AppendField(fielda);
    FieldInfo fieldb;
    fieldb.name = "b";
    recordset->AppendField(fieldb);
    recordset->Open();
    for (auto& row : rows) {
        recordset->AppendRow({Variant(row.at(0)), Variant(row.at(1))});
    }
    recordset->FinishLoading();
    return recordset;
}

struct DesignCase {
    std::string control;
    std::string caption;
    int32_t left, top, width, height;
    bool shown;
};

// Every control starts with its design caption, geometry and visibility.
TEST_F(CriteriaTest, DesignBeforeALayout) {
    const std::vector<DesignCase> cases = {
        {"lblDate1", "", 420, 1020, 1935, 255, false},
        {"lblDate2", "", 60, 1800, 2295, 255, true},
        {"lblDesc", "", 5220, 1320, 2835, 315, true},
        {"lblCombo1", "Label7", 420, 1800, 1935, 255, false},
        {"cboCombo(1)", "", 2460, 1800, 1935, 315, false},
        {"chk2", "", 2400, 2460, 3000, 255, false},
        {"fraSortOpts", "Sort Options", 360, 2340, 2655, 1455, false},
        {"optSort2", "", 780, 600, 1755, 315, false},
        {"fraShowOpts", "Show", 3180, 2340, 2715, 1455, false},
        {"optShow3", "", 420, 960, 2235, 315, false},
        {"chkCB3Frm1", "", 3600, 300, 1575, 255, false},
        {"lblRentStatement2",
         "Statement detail includes transactions for all residents on the lease.", 240, 4320, 6015,
         255, false},
        {"lblTo", "To:", 2760, 360, 375, 255, false},
        {"cmdPrint", "&Print", 2940, 4680, 975, 495, true},
        {"cmdPreview", "P&review", 4380, 4680, 1095, 495, true},
        {"cmdCancel", "&Cancel", 5820, 4680, 975, 495, true},
    };
    frmRepCriteria form;
    EXPECT_EQ(form.Caption(), "Report Criteria");
    EXPECT_EQ(form.Width(), 7380);
    EXPECT_EQ(form.Height(), 5280);
    EXPECT_TRUE(form.Get("chkCB1Frm1").IsVisible());  // visible inside its hidden frame
    for (const DesignCase& c : cases) {
        const Control& control = form.Get(c.control);
        EXPECT_EQ(control.Caption(), c.caption) << c.control;
        EXPECT_EQ(std::vector<int32_t>(
                      {control.Left(), control.Top(), control.Width(), control.Height()}),
                  std::vector<int32_t>({c.left, c.top, c.width, c.height}))
            << c.control;
        EXPECT_EQ(control.IsShown(), c.shown) << c.control;
    }
}

struct Expect {
    std::string control;
    std::optional<std::string> caption{};
    std::optional<int32_t> top{};
    std::optional<int32_t> left{};
    std::optional<bool> checked{};
};

struct LayoutCase {
    std::string name;
    std::function<void(frmRepCriteria&)> run;
    std::set<std::string> shownBeyondBase;
    std::vector<Expect> expects;
};

const Date kStart = Date::FromYmd(2024, 1, 1);
const Date kEnd = Date::FromYmd(2024, 1, 31);

// Each layout shows exactly its controls, captioned, placed and preset as it says, and
// captions the dialog.
TEST_F(CriteriaTest, EachLayoutArrangesItsControls) {
    auto posted = Rows({{"1/5/2024", "x"}, {"1/12/2024", "y"}});
    auto residents = Rows({{"R1", "Ann"}});
    Date d1 = kStart, d2 = kEnd, d3 = kEnd;
    const std::set<std::string> startEnd = {"lblDate1", "datDate1", "datDate2"};
    auto with = [](std::set<std::string> a, std::set<std::string> b) {
        a.insert(b.begin(), b.end());
        return a;
    };
    const std::vector<LayoutCase> cases = {
        {"OptsOnly2",
         [](frmRepCriteria& f) { f.OptsOnly2("C", "Sort By", "Unit", "Unit Class"); },
         {"fraSortOpts", "optSort1", "optSort2"},
         {{"fraSortOpts", "Sort By", 1380, 1800},
          {"optSort1", "Unit", {}, {}, true},
          {"optSort2", "Unit Class", {}, {}, false}}},
        {"DateOnly",
         [](frmRepCriteria& f) { f.DateOnly("C", kStart, "As Of:"); },
         {"lblDate1", "datDate1"},
         {{"lblDate1", "As Of:"}}},
        {"StartEnd",
         [](frmRepCriteria& f) { f.StartEnd("C", kStart, kEnd, "Start Date:", "End Date:"); },
         startEnd,
         {{"lblDate1", "Start Date:"}, {"lblDate2", "End Date:", 1800}}},
        {"StartEnd2Options",
         [](frmRepCriteria& f) {
             f.StartEnd2Options("C", kStart, kEnd, "S", "E", "Sort Options", "Resident", "Unit");
         },
         with(startEnd, {"fraSortOpts", "optSort1", "optSort2"}),
         {{"fraSortOpts", "Sort Options", 2655, 1800}, {"optSort1", "Resident", {}, {}, true}}},
        {"StartEnd3Options",
         [](frmRepCriteria& f) {
             f.StartEnd3Options("C", kStart, kEnd, "S", "E", "F", "Unit", "Name", "Tran Type");
         },
         with(startEnd, {"fraSortOpts", "optSort1", "optSort2", "optSort3"}),
         {{"fraSortOpts", "F", 2655, 1800},
          {"optSort1", "Unit", {}, {}, true},
          {"optSort3", "Tran Type", {}, {}, false}}},
        {"StartEndSort2Show3",
         [](frmRepCriteria& f) {
             f.StartEndSort2Show3("C", kStart, kEnd, "S", "E", "Agent Name", "Date of Visit",
                                  "Phone", "Walk In", "Both");
         },
         with(startEnd, {"fraSortOpts", "optSort1", "optSort2", "fraShowOpts", "optShow1",
                         "optShow2", "optShow3"}),
         {{"fraSortOpts", "Sort Options", 2340, 360},
          {"fraShowOpts", "Show", 2340, 3180},
          {"optSort1", "Agent Name", {}, {}, true},
          {"optShow1", "Phone", {}, {}, false},
          {"optShow3", "Both", {}, {}, true},
          {"lblDesc", ""}}},
        {"StartEndCkbox3",
         [](frmRepCriteria& f) {
             f.StartEndCkbox3("C", kStart, kEnd, "S", "E", "Status", "Current", "Former",
                              "Pending");
         },
         with(startEnd, {"frmCheckBoxes", "chkCB1Frm1", "chkCB2Frm1", "chkCB3Frm1"}),
         {{"frmCheckBoxes", "Status"},
          {"chkCB1Frm1", "Current", {}, {}, true},
          {"chkCB2Frm1", "Former", {}, {}, false},
          {"chkCB3Frm1", "Pending", {}, {}, true}}},
        {"Sort2Show2",
         [](frmRepCriteria& f) { f.Sort2Show2("C", "Month", "Unit", "All", "Exclude"); },
         {"fraSortOpts", "optSort1", "optSort2", "fraShowOpts", "optShow1", "optShow2"},
         {{"fraSortOpts", "Sort Options", 2340, 360},
          {"optShow1", "All", {}, {}, true},
          {"optShow2", "Exclude", {}, {}, false}}},
        {"DateCboResidents",
         [&](frmRepCriteria& f) {
             f.DateCboResidents("C", "Statement Date:", d1, "Select Resident:", *residents,
                                "As Of:", d2, "Last Statement Date:", d3);
         },
         {"lblDate1", "datDate1", "lblCombo1", "cboCombo(1)", "datDate2", "datDate3", "chk2",
          "lblRentStatement1", "lblRentStatement2"},
         {{"lblDate1", "Statement Date:", 1220},
          {"datDate1", {}, 1160},
          {"lblCombo1", "Select Resident:", 2000},
          {"cboCombo(1)", {}, 1970},
          {"lblDate2", "As Of:", 1600},
          {"datDate2", {}, 1550},
          {"lblDate3", "Last Statement Date:", 800},
          {"datDate3", {}, 750},
          {"chk2", "Print All Residents", 2750},
          {"lblRentStatement1", {}, 0},
          {"lblRentStatement2", {}, 2400}}},
        {"Asof3Opts1Ck",
         [](frmRepCriteria& f) { f.Asof3Opts1Ck("C", kStart, "As Of:", "Detail", "A", "B", "D"); },
         {"chk1", "lblDate1", "datDate1", "fraShowOpts", "optShow1", "optShow2", "optShow3"},
         {{"chk1", "Detail", 3840},
          {"fraShowOpts", "Show", 2040, 1800},
          {"optShow1", "A", {}, {}, true}}},
        {"Asof3Opts2Ck",
         [](frmRepCriteria& f) {
             f.Asof3Opts2Ck("C", kStart, "As Of:", "Detail", "Applicants", "A", "B", "D");
         },
         {"chk1", "chk2", "lblDate1", "datDate1", "fraShowOpts", "optShow1", "optShow2",
          "optShow3"},
         {{"chk2", "Applicants", 4165}, {"optShow1", "A", {}, {}, true}}},
        {"OtherUBT",
         [](frmRepCriteria& f) {
             f.OtherUBT("C", "Available", "Rented", "Type:", "SELECT * FROM tblTypes");
         },
         {"chk1", "chk2", "cboCombo(1)"},
         {{"chk1", "Available", {}, {}, true},
          {"chk2", "Rented", {}, {}, true},
          {"lblDate2", "Type:"}}},
        {"CRPosted",
         [&](frmRepCriteria& f) {
             f.CRPosted("C", "View All Batches", "Date:", "Batch:", *posted);
         },
         {"chk1", "cboCombo(0)", "cboCombo(1)", "lblDate1"},
         {{"chk1", "View All Batches", {}, {}, false},
          {"lblDate1", "Date:"},
          {"lblDate2", "Batch:"}}},
    };
    const std::set<std::string> base = {"lblDate2", "lblDate3",   "lblDesc",
                                        "cmdPrint", "cmdPreview", "cmdCancel"};
    for (const LayoutCase& c : cases) {
        frmRepCriteria form;
        std::set<std::string> shown;
        std::string caption;
        ui->script = [&](Form& dialog) {
            caption = dialog.Caption();
            for (const Control* control : dialog.Controls()) {
                if (control->IsShown()) {
                    shown.insert(control->DisplayName());
                }
            }
            for (const Expect& e : c.expects) {
                const Control& control = dialog.Get(e.control);
                if (e.caption) {
                    EXPECT_EQ(control.Caption(), *e.caption) << c.name << " " << e.control;
                }
                if (e.top) {
                    EXPECT_EQ(control.Top(), *e.top) << c.name << " " << e.control;
                }
                if (e.left) {
                    EXPECT_EQ(control.Left(), *e.left) << c.name << " " << e.control;
                }
                if (e.checked) {
                    EXPECT_EQ(control.IsChecked(), *e.checked) << c.name << " " << e.control;
                }
            }
            if (c.name == "CRPosted") {
                dialog.Get("cboCombo", 0).PickRow(0);
                dialog.Get("chk1").Click();
            }
            dialog.Get("cmdPreview").Click();
        };
        c.run(form);
        EXPECT_EQ(caption, "C") << c.name;
        EXPECT_EQ(shown, with(base, c.shownBeyondBase)) << c.name;
        EXPECT_TRUE(form.Result()) << c.name;
        EXPECT_FALSE(form.IsVisible()) << c.name;
        EXPECT_EQ(form.Caption(), "") << c.name;
        // A successful Preview hides and clears the shared controls.
        EXPECT_FALSE(form.Get("datDate1").IsVisible()) << c.name;
        EXPECT_FALSE(form.Get("fraShowOpts").IsVisible()) << c.name;
        EXPECT_EQ(form.Get("lblDate1").Caption(), "") << c.name;
        EXPECT_FALSE(form.Get("optShow3").IsChecked()) << c.name;
    }
}

// The lists: A from the recordset's current row on (not rewound); B with its first entry
// "Prints All Unit Types", even when the query returns no row; C with the date in both
// columns and the batch list disabled until a date is picked.
TEST_F(CriteriaTest, ListFills) {
    auto residents = Rows({{"R1", "Ann"}, {"R2", "Bob"}, {"R3", "Cy"}});
    residents->MoveNext();
    Date d1 = kStart, d2 = kEnd, d3 = kEnd;
    std::vector<std::vector<std::string>> lists;
    ui->script = [&](Form& dialog) {
        lists.push_back(dialog.Get("cboCombo", 1).List().Row(0));
        lists.push_back({std::to_string(dialog.Get("cboCombo", 1).List().RowCount())});
        dialog.Get("cmdCancel").Click();
    };
    frmRepCriteria residentsForm;
    residentsForm.DateCboResidents("C", "S", d1, "R", *residents, "A", d2, "L", d3);
    EXPECT_EQ(lists.at(0), (std::vector<std::string>{"R2", "Bob"}));
    EXPECT_EQ(lists.at(1), (std::vector<std::string>{"2"}));
    EXPECT_TRUE(residents->EOF());

    lists.clear();
    frmRepCriteria types;
    types.OtherUBT("C", "A", "R", "T", "SELECT ItemValue, ItemDescription FROM tblTypes");
    EXPECT_EQ(lists.at(0), (std::vector<std::string>{"Prints All Unit Types", ""}));
    EXPECT_EQ(lists.at(1), (std::vector<std::string>{"1"}));

    auto posted = Rows({{"1/5/2024", "x"}});
    bool batchesEnabled = true;
    std::vector<std::string> dateRow;
    ui->script = [&](Form& dialog) {
        batchesEnabled = dialog.Get("cboCombo", 1).IsEnabled();
        dateRow = dialog.Get("cboCombo", 0).List().Row(0);
        dialog.Get("cmdCancel").Click();
    };
    frmRepCriteria receipts;
    receipts.CRPosted("C", "V", "D", "B", *posted);
    EXPECT_FALSE(batchesEnabled);
    EXPECT_EQ(dateRow, (std::vector<std::string>{"1/5/2024", "1/5/2024"}));
}

// A picked post date lists that day's batches of the property (its apostrophes doubled) and
// enables the batch list.
TEST_F(CriteriaTest, PickingAPostDateListsItsBatches) {
    TheSession().settings.propertyId = "O'Hara";
    db.Execute(
        "INSERT INTO tblPayment VALUES ('B1','ann','2024-01-05','O''Hara','Post Cash Receipts'),"
        "('B2','bob','2024-01-06','O''Hara','Post Cash Receipts'),"
        "('B3','cy','2024-01-05','P1','Post Cash Receipts');");
    auto posted = Rows({{"1/5/2024", ""}});
    std::vector<std::string> batch;
    int rows = 0;
    bool enabled = false;
    ui->script = [&](Form& dialog) {
        dialog.Get("cboCombo", 0).PickRow(0);
        const Control& batches = dialog.Get("cboCombo", 1);
        rows = batches.List().RowCount();
        batch = batches.List().Row(0);
        enabled = batches.IsEnabled();
        dialog.Get("cmdCancel").Click();
    };
    frmRepCriteria form;
    form.CRPosted("C", "V", "D", "B", *posted);
    EXPECT_EQ(rows, 1);
    EXPECT_EQ(batch, (std::vector<std::string>{"B1", "B1", "ann"}));
    EXPECT_TRUE(enabled);
}

// The SQL literal of a post date: ISO for dates, Null for the empty date texts, "" otherwise.
TEST(SqlDateLiteralTest, Texts) {
    const std::vector<std::pair<Variant, std::string>> cases = {
        {Variant(Date::FromYmd(2024, 1, 5)), "'2024-01-05'"},
        {Variant("1/5/2024"), "'2024-01-05'"},
        {Variant(""), "Null"},
        {Variant("  /  /  "), "Null"},
        {Variant("00/00/00"), "Null"},
        {Variant("x'; DROP"), ""},
        {Variant::Null(), ""},
    };
    for (const auto& [value, literal] : cases) {
        EXPECT_EQ(SqlDateLiteral(value), literal) << value.DisplayText();
    }
}

// AddDatePicker stacks a picker with its right-aligned label; AddOptionGroup makes a frame
// 1300 wide per option with buttons "Option0".. 1200 apart.
TEST_F(CriteriaTest, RunTimeAdditions) {
    frmRepCriteria form;
    const auto count = static_cast<int32_t>(form.ControlCount());
    form.AddDatePicker("dtpExtra", "Due:", kStart);
    const Control& picker = form.Get("dtpExtra");
    const Control& label = form.Get("dtpExtra_Label");
    EXPECT_EQ(picker.Top(), (count + 1) * 500 - 500);
    EXPECT_EQ(picker.Height(), 350);
    EXPECT_EQ(label.Top(), picker.Top() + 50);
    EXPECT_EQ(label.Width(), 400);
    EXPECT_EQ(label.TextAlignment(), Alignment::Right);
    EXPECT_EQ(picker.Left(), label.Left() + 500);
    EXPECT_TRUE(picker.IsVisible() && label.IsVisible());
    EXPECT_EQ(picker.Value().ToDate(), kStart);

    VariantArray one(0, 1);
    one.At(0) = Variant("Only");
    form.AddOptionGroup("fraExtra", "Pick", one);
    EXPECT_EQ(form.Get("fraExtra").Width(), 1300);
    EXPECT_EQ(form.Get("fraExtra").Height(), 1000);
    EXPECT_EQ(form.Get("Option0").Caption(), "Only");
    EXPECT_EQ(form.Get("Option0").Left(), 100);
    EXPECT_EQ(form.Get("Option0").Container(), form.Find("fraExtra"));

    frmRepCriteria wide;
    VariantArray many(0, 29);
    EXPECT_TRUE(RaisesComError([&] { wide.AddOptionGroup("fraMany", "Many", many); }, 6));
}

}  // namespace
}  // namespace hlreports::test
