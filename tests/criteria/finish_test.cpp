// How frmRepCriteria is finished: what Preview collects per layout, the checks of the posted
// cash receipts layout (message, title, focus, dialog kept open), Print against Preview, Cancel
// with its pending 20545, and Enter moving the focus instead of pressing a button.
#include "criteria/CriteriaFixture.h"
#include "criteria/frmRepCriteria.h"
#include "runtime/Err.h"

namespace hlreports::test {
namespace {

const Date kStart = Date::FromYmd(2024, 2, 1);
const Date kEnd = Date::FromYmd(2024, 2, 29);

// One text column per name, one row of the given texts.
RecordsetPtr OneRow(const std::vector<std::string>& texts) {
    auto recordset = std::make_shared<Recordset>();
    for (std::size_t i = 0; i < texts.size(); ++i) {
        FieldInfo field;
        field.name = "f" + std::to_string(i);
        recordset->AppendField(field);
    }
    recordset->Open();
    std::vector<Variant> row(texts.begin(), texts.end());
    recordset->AppendRow(row);
    recordset->FinishLoading();
    return recordset;
}

RecordsetPtr PostedDates() {
    auto recordset = std::make_shared<Recordset>();
    FieldInfo fieldDateStamp;
    fieldDateStamp.name = "Date_Stamp";
    recordset->AppendField(fieldDateStamp);
    recordset->Open();
    recordset->AppendRow({Variant("2/5/2024")});
    recordset->FinishLoading();
    return recordset;
}

struct Collected {
    std::string sort, view;
    Date start, end;
    bool check1, check2;
    std::string combo2;
};

struct CollectionCase {
    std::string name;
    std::function<void(frmRepCriteria&)> run;
    std::function<void(Form&)> user;
    Collected expected;
};

// Preview collects exactly the fields of the active layout, as the user left them.
TEST_F(CriteriaTest, PreviewCollectsByLayout) {
    const Date picked = Date::FromYmd(2024, 3, 9);
    auto none = [](Form&) {};
    const std::vector<CollectionCase> cases = {
        {"OptsOnly2 second option",
         [](frmRepCriteria& f) { f.OptsOnly2("C", "F", "A", "B"); },
         [](Form& d) { d.Get("optSort2").Click(); },
         {"Option2", "", {}, {}, false, false, ""}},
        {"DateOnly picked date",
         [](frmRepCriteria& f) { f.DateOnly("C", kStart, "L"); },
         [&](Form& d) { d.Get("datDate1").SetValue(Variant(picked)); },
         {"", "", picked, {}, false, false, ""}},
        {"StartEnd defaults",
         [](frmRepCriteria& f) { f.StartEnd("C", kStart, kEnd, "S", "E"); },
         none,
         {"", "", kStart, kEnd, false, false, ""}},
        {"StartEnd3Options third",
         [](frmRepCriteria& f) {
             f.StartEnd3Options("C", kStart, kEnd, "S", "E", "F", "A", "B", "D");
         },
         [](Form& d) { d.Get("optSort3").Click(); },
         {"Option3", "", kStart, kEnd, false, false, ""}},
        {"StartEndSort2Show3 preset",
         [](frmRepCriteria& f) {
             f.StartEndSort2Show3("C", kStart, kEnd, "S", "E", "A", "B", "P", "W", "Both");
         },
         none,
         {"Option1", "Option3", kStart, kEnd, false, false, ""}},
        {"Sort2Show2 second show gives empty View",
         [](frmRepCriteria& f) { f.Sort2Show2("C", "M", "U", "All", "Excl"); },
         [](Form& d) { d.Get("optShow2").Click(); },
         {"Option1", "", {}, {}, false, false, ""}},
        {"Sort2Show2 first show gives All",
         [](frmRepCriteria& f) { f.Sort2Show2("C", "M", "U", "All", "Excl"); },
         [](Form& d) { d.Get("optSort2").Click(); },
         {"Option2", "All", {}, {}, false, false, ""}},
        {"Asof3Opts1Ck detail and second view",
         [](frmRepCriteria& f) { f.Asof3Opts1Ck("C", kStart, "L", "K", "A", "B", "D"); },
         [](Form& d) {
             d.Get("chk1").Click();
             d.Get("optShow2").Click();
         },
         {"", "Option2", kStart, {}, true, false, ""}},
        {"Asof3Opts2Ck applicants only",
         [](frmRepCriteria& f) { f.Asof3Opts2Ck("C", kStart, "L", "K1", "K2", "A", "B", "D"); },
         [](Form& d) { d.Get("chk2").Click(); },
         {"", "Option1", kStart, {}, false, true, ""}},
        {"OtherUBT both cleared stay False",
         [](frmRepCriteria& f) { f.OtherUBT("C", "A", "R", "T", "SELECT * FROM tblTypes"); },
         [](Form& d) {
             d.Get("chk1").Click();
             d.Get("chk2").Click();
         },
         {"", "", {}, {}, false, false, ""}},
        {"OtherUBT chosen type",
         [](frmRepCriteria& f) { f.OtherUBT("C", "A", "R", "T", "SELECT * FROM tblTypes"); },
         [](Form& d) { d.Get("cboCombo", 1).SetSelectedRow(0); },
         {"", "", {}, {}, true, true, "Prints All Unit Types"}},
    };
    for (const CollectionCase& c : cases) {
        ui->script = [&](Form& dialog) {
            c.user(dialog);
            dialog.Get("cmdPreview").Click();
        };
        frmRepCriteria form;
        c.run(form);
        ASSERT_TRUE(form.Result()) << c.name;
        const Collected& e = c.expected;
        EXPECT_EQ(form.Sort(), e.sort) << c.name;
        EXPECT_EQ(form.View(), e.view) << c.name;
        EXPECT_EQ(form.StartDate(), e.start) << c.name;
        EXPECT_EQ(form.EndDate(), e.end) << c.name;
        EXPECT_EQ(form.Check1(), e.check1) << c.name;
        EXPECT_EQ(form.Check2(), e.check2) << c.name;
        EXPECT_EQ(form.Combo2(), e.combo2) << c.name;
    }
}

// StartEndCkbox3 counts any non-zero value (grayed included) as checked.
TEST_F(CriteriaTest, CheckBoxFrameCountsAnyNonZeroValue) {
    ui->script = [](Form& dialog) {
        dialog.Get("chkCB2Frm1").SetValue(Variant::Integer(vbGrayed));
        dialog.Get("chkCB3Frm1").Click();
        dialog.Get("cmdPreview").Click();
    };
    frmRepCriteria form;
    form.StartEndCkbox3("C", kStart, kEnd, "S", "E", "F", "Cur", "For", "Pen");
    EXPECT_EQ((std::vector<bool>{form.CheckBox1Frm1(), form.CheckBox2Frm1(), form.CheckBox3Frm1()}),
              (std::vector<bool>{true, true, false}));
}

// Posted receipts: no date is check 3, a date without batch or "View All" is check 4, each
// with its message under "HLS-Reports", the focus on the list and the dialog left open; View
// All passes with an empty batch.
TEST_F(CriteriaTest, PostedReceiptsChecks) {
    auto dates = PostedDates();
    std::vector<std::string> focus;
    std::vector<bool> visible;
    ui->script = [&](Form& dialog) {
        dialog.Get("cmdPreview").Click();
        focus.push_back(dialog.FocusedControl() ? dialog.FocusedControl()->DisplayName() : "");
        visible.push_back(dialog.IsVisible());
        dialog.Get("cboCombo", 0).PickRow(0);
        dialog.Get("cmdPreview").Click();
        focus.push_back(dialog.FocusedControl() ? dialog.FocusedControl()->DisplayName() : "");
        visible.push_back(dialog.IsVisible());
        dialog.Get("chk1").Click();
        dialog.Get("cmdPreview").Click();
    };
    frmRepCriteria form;
    form.CRPosted("C", "View All Batches", "D", "B", *dates);
    ASSERT_EQ(ui->Messages().size(), 2u);
    EXPECT_EQ(ui->Messages()[0].text, "You must select a date.");
    EXPECT_EQ(ui->Messages()[1].text, "You must select a Batch# or check View All Batches.");
    EXPECT_EQ(ui->Messages()[1].title, "HLS-Reports");
    EXPECT_EQ(focus, (std::vector<std::string>{"cboCombo(0)", "cboCombo(1)"}));
    EXPECT_EQ(visible, (std::vector<bool>{true, true}));
    EXPECT_EQ(ui->PointerHistory().back(), vbHourglass);
    EXPECT_TRUE(form.Result());
    EXPECT_EQ(form.Combo1(), "2/5/2024");
    EXPECT_EQ(form.Combo2(), "");
    EXPECT_TRUE(form.Check1());
}

// Print sends the request to the printer; Preview keeps the host's destination.
TEST_F(CriteriaTest, PrintSetsThePrinterDestination) {
    for (const auto& [button, destination] : {std::pair{"cmdPreview", int32_t{irtowindow}},
                                              std::pair{"cmdPrint", int32_t{irToPrinter}}}) {
        TheSession().settings.destination = irtowindow;
        ui->script = [button = std::string(button)](Form& d) { d.Get(button).Click(); };
        frmRepCriteria form;
        form.DateOnly("C", kStart, "L");
        EXPECT_TRUE(form.Result()) << button;
        EXPECT_EQ(TheSession().settings.destination, destination) << button;
    }
}

// Cancel, and closing the window, end with Result False, Cancel True and 20545 pending under
// the layout's name; the dates of the resident layout still come back.
TEST_F(CriteriaTest, CancelLeaves20545Pending) {
    for (const bool closeWindow : {false, true}) {
        Err().Clear();
        ui->script = [closeWindow](Form& d) {
            d.Get("datDate2").SetValue(Variant(kEnd));
            if (closeWindow) {
                d.RequestClose();
                return;
            }
            d.Get("cmdCancel").Click();
        };
        auto residents = OneRow({"R1", "Ann"});
        Date d1 = kStart, d2 = kStart, d3 = kStart;
        frmRepCriteria form;
        form.DateCboResidents("C", "S", d1, "R", *residents, "A", d2, "L", d3);
        EXPECT_FALSE(form.Result());
        EXPECT_TRUE(form.Cancel);
        EXPECT_EQ(Err().Number(), 20545);
        EXPECT_EQ(Err().Source(), "DateCboResidents");
        EXPECT_EQ(Err().Description(), "");
        EXPECT_EQ(d2, kEnd);
        EXPECT_FALSE(form.IsVisible());
    }
}

// Enter moves the focus to the next control and never presses a button.
TEST_F(CriteriaTest, EnterActsAsTab) {
    std::string before, after;
    bool open = false;
    ui->script = [&](Form& dialog) {
        dialog.Get("cmdPreview").SetFocus();
        before = dialog.FocusedControl()->DisplayName();
        dialog.PressKey(KeyEnter);
        dialog.DeliverSentKeys();
        after = dialog.FocusedControl()->DisplayName();
        open = dialog.IsVisible();
        dialog.Get("cmdCancel").Click();
    };
    frmRepCriteria form;
    form.DateOnly("C", kStart, "L");
    EXPECT_EQ(before, "cmdPreview");
    EXPECT_EQ(after, "cmdCancel");
    EXPECT_TRUE(open);
}

// With the session's focus flag set, activation brings the last report form forward (and an
// absent one is ignored).
TEST_F(CriteriaTest, ActivationWithFocusFlagIsHarmless) {
    TheSession().settings.focusFlag = true;
    ui->script = [](Form& d) { d.Get("cmdPreview").Click(); };
    frmRepCriteria form;
    form.DateOnly("C", kStart, "L");
    EXPECT_TRUE(form.Result());
}

}  // namespace
}  // namespace hlreports::test
