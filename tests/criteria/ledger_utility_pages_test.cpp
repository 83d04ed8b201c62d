// The transaction ledger and utility statement pages of frmRepCriteria: their lists for a
// property whose id holds an apostrophe, the handlers that keep only one ledger range filled,
// "Print For All Dates", the range check, the arguments written back (also after Cancel), the
// utility page's copying of start into end, the drop-down on typing and the charge heading.
#include "criteria/PagesFixture.h"
#include "runtime/Err.h"

namespace hlreports::test {
namespace {

using Strings = std::vector<std::string>;

const Date kFrom = Date::FromYmd(2024, 5, 1);
const Date kTo = Date::FromYmd(2024, 5, 31);

struct LedgerAnswers {
    Date from = kFrom, to = kTo;
    std::string status = "x", sort = "x", resFrom = "x", resTo = "x";
    double unitStart = -1, unitEnd = -1;
};

LedgerAnswers RunLedger(frmRepCriteria& form) {
    LedgerAnswers a;
    form.TransLedg(a.from, a.to, a.status, a.sort, a.unitStart, a.unitEnd, a.resFrom, a.resTo);
    return a;
}

// The page's layout: the date frame and "Print For All Dates" placed, the units of the property
// by sort order, the resident lists empty and off until an account option fills them.
TEST_F(PagesTest, LedgerLayoutAndResidentOptions) {
    Strings units;
    std::vector<Strings> residents;
    std::vector<bool> residentsOn;
    ui->script = [&](Form& d) {
        EXPECT_EQ(d.Caption(), "Report Criteria");
        const Control& check = d.Get("chk1");
        EXPECT_EQ(check.Caption(), "Print For All Dates");
        EXPECT_EQ(std::vector<int32_t>({check.Top(), check.Width()}),
                  std::vector<int32_t>({3690, 1870}));
        EXPECT_TRUE(check.IsShown());
        EXPECT_EQ(d.Get("fraDateRange").Top(), 3720);
        EXPECT_TRUE(d.Get("dtpTo").IsShown());
        EXPECT_EQ(d.Get("dtpFrom").Value(), Variant(kFrom));
        units = Rows(d.Get("cboTLUnitEnd"));
        d.Get("tabTransLedg").SetSelectedTab(1);
        residents.push_back(Rows(d.Get("cboResFrom")));
        residentsOn.push_back(d.Get("cboResFrom").IsUsable());
        for (const char* option : {"optActive", "optClosed", "optResBoth"}) {
            d.Get(option).Click();
            residents.push_back(Rows(d.Get("cboResTo")));
            residentsOn.push_back(d.Get("cboResFrom").IsUsable() && d.Get("cboResTo").IsUsable());
        }
        d.Get("cmdCancel").Click();
    };
    frmRepCriteria form;
    RunLedger(form);
    EXPECT_EQ(units, Strings({"1\tA1", "2\tB2", "3\tC3"}));
    EXPECT_EQ(residents, (std::vector<Strings>{
                             {}, {"Adams", "Baker"}, {"O'Brien"}, {"Adams", "Baker", "O'Brien"}}));
    EXPECT_EQ(residentsOn, std::vector<bool>({false, true, true, true}));
}

// Only one range is ever filled: an account option empties the unit values, a picked unit
// empties the resident values; the unit list shows the unit and carries its sort order.
TEST_F(PagesTest, LedgerKeepsOneRange) {
    ui->script = [](Form& d) {
        Control& start = d.Get("cboTLUnitStart");
        start.PickRow(1);
        EXPECT_EQ(start.Text(), "B2");
        EXPECT_EQ(start.Value(), Variant("2"));
        d.Get("tabTransLedg").SetSelectedTab(1);
        d.Get("optResBoth").Click();
        EXPECT_EQ(start.Text(), "");
        d.Get("cboResFrom").PickRow(0);
        d.Get("tabTransLedg").SetSelectedTab(0);
        d.Get("cboTLUnitEnd").PickRow(2);
        EXPECT_EQ(d.Get("cboResFrom").Value(), Variant(""));
        d.Get("cmdCancel").Click();
    };
    frmRepCriteria form;
    RunLedger(form);
}

// "Print For All Dates" sets day numbers 2 and 65537 and turns the dates off; clearing it
// restores exactly the two dates that were showing.
TEST_F(PagesTest, LedgerPrintForAllDates) {
    const Date shown = Date::FromYmd(2024, 4, 9);
    std::vector<Variant> values;
    std::vector<bool> usable;
    ui->script = [&](Form& d) {
        d.Get("dtpFrom").SetValue(Variant(shown));
        d.Get("chk1").Click();
        values = {d.Get("dtpFrom").Value(), d.Get("dtpTo").Value()};
        usable.push_back(d.Get("dtpFrom").IsUsable() || d.Get("dtpTo").IsUsable());
        d.Get("chk1").Click();
        values.push_back(d.Get("dtpFrom").Value());
        values.push_back(d.Get("dtpTo").Value());
        usable.push_back(d.Get("dtpFrom").IsUsable() && d.Get("dtpTo").IsUsable());
        d.Get("cmdCancel").Click();
    };
    frmRepCriteria form;
    RunLedger(form);
    EXPECT_EQ(values, std::vector<Variant>(
                          {Variant(Date(2)), Variant(Date(65537)), Variant(shown), Variant(kTo)}));
    EXPECT_EQ(Date(2), Date::FromYmd(1900, 1, 1));
    EXPECT_EQ(Date(65537), Date::FromYmd(2079, 6, 6));
    EXPECT_EQ(usable, std::vector<bool>({false, true}));
}

struct LedgerCase {
    std::string name;
    std::function<void(Form&)> user;
    bool confirmed;
    LedgerAnswers expected;
};

// What the page hands back: by unit the sort orders (0 for an empty end), by resident the
// names, the lease or account status word; the dates come back also after Cancel.
TEST_F(PagesTest, LedgerAnswersThroughItsArguments) {
    const Date moved = Date::FromYmd(2024, 6, 2);
    const std::vector<LedgerCase> cases = {
        {"units, terminated leases",
         [](Form& d) {
             d.Get("optTerm").Click();
             d.Get("cboTLUnitStart").PickRow(0);
             d.Get("cboTLUnitEnd").PickRow(2);
             d.Get("cmdPreview").Click();
         },
         true,
         {kFrom, kTo, "Closed", "Unit", "x", "x", 1, 3}},
        {"residents, closed accounts",
         [](Form& d) {
             d.Get("tabTransLedg").SetSelectedTab(1);
             d.Get("optResBoth").Click();
             d.Get("optClosed").Click();
             d.Get("cboResFrom").PickRow(0);
             d.Get("cboResTo").SetText("Zz");
             d.Get("cmdPreview").Click();
         },
         true,
         {kFrom, kTo, "Closed", "Resident", "O'Brien", "Zz", -1, -1}},
        {"cancel",
         [&](Form& d) {
             d.Get("optBoth").Click();
             d.Get("dtpFrom").SetValue(Variant(moved));
             d.Get("cboTLUnitStart").SetText("Q7");
             d.Get("cmdCancel").Click();
         },
         false,
         {moved, kTo, "Both", "Unit", "x", "x", -1, 0}},
    };
    for (const LedgerCase& c : cases) {
        ui->script = c.user;
        frmRepCriteria form;
        const LedgerAnswers a = RunLedger(form);
        const LedgerAnswers& e = c.expected;
        EXPECT_EQ(form.Result(), c.confirmed) << c.name;
        EXPECT_EQ(a.from, e.from) << c.name;
        EXPECT_EQ(a.to, e.to) << c.name;
        EXPECT_EQ(Strings({a.status, a.sort, a.resFrom, a.resTo}),
                  Strings({e.status, e.sort, e.resFrom, e.resTo}))
            << c.name;
        EXPECT_EQ(a.unitStart, e.unitStart) << c.name;
        EXPECT_EQ(a.unitEnd, e.unitEnd) << c.name;
    }
}

// Preview needs one complete range: a unit range alone passes, one unit and one resident bound
// fail with the message; a unit typed that is not in the list is refused too.
TEST_F(PagesTest, LedgerRangeCheck) {
    const std::vector<std::tuple<std::string, std::function<void(Form&)>, std::string>> cases = {
        {"units only",
         [](Form& d) {
             d.Get("cboTLUnitStart").PickRow(0);
             d.Get("cboTLUnitEnd").PickRow(0);
         },
         ""},
        {"one of each",
         [](Form& d) {
             d.Get("cboTLUnitStart").PickRow(0);
             d.Get("tabTransLedg").SetSelectedTab(1);
             d.Get("optActive").Click();
             d.Get("cboResTo").PickRow(0);
         },
         "You must select a range of values for either Resident or Unit."},
        {"nothing", [](Form&) {}, "You must select a range of values for either Resident or Unit."},
        {"unit not in the list",
         [](Form& d) {
             d.Get("cboTLUnitStart").SetText("Q7");
             d.Get("cboTLUnitEnd").PickRow(0);
         },
         "The unit \"Q7\" is not in the list (cboTLUnitStart). Choose a unit from the list."},
    };
    for (const auto& [name, user, message] : cases) {
        ui = std::make_shared<ScriptUi>();
        TheSession().ui = ui;
        bool open = true;
        ui->script = [&](Form& d) {
            user(d);
            d.Get("cmdPreview").Click();
            open = d.IsVisible();
            if (open) {
                d.Get("cmdCancel").Click();
            }
        };
        frmRepCriteria form;
        RunLedger(form);
        EXPECT_EQ(open, !message.empty()) << name;
        if (message.empty()) {
            EXPECT_TRUE(ui->Messages().empty()) << name;
            continue;
        }
        ASSERT_EQ(ui->Messages().size(), 1u) << name;
        EXPECT_EQ(ui->Messages()[0].text, message) << name;
        EXPECT_EQ(ui->Messages()[0].title, "Hearthline") << name;
    }
}

// The utility page: the property's billed charge types by description and its tenants by name,
// the first and last of each preselected, today's dates, sort by unit.
TEST_F(PagesTest, UtilityLayoutAndLists) {
    ui->script = [](Form& d) {
        EXPECT_EQ(d.Caption(), "Utility Statement Report Criteria");
        EXPECT_TRUE(d.Get("fraUtilStmt").IsShown());
        EXPECT_EQ(d.Get("dteUtilEnd").Value(), Variant(Date::Today()));
        EXPECT_TRUE(d.Get("optUtilUnit").IsChecked());
        EXPECT_EQ(Rows(d.Get("cboChgTypeEnd")), Strings({"GAS\tGas", "WTR\tWater"}));
        EXPECT_EQ(Rows(d.Get("cboTenantStart")), Strings({"A1\tAdams", "B2\tBaker"}));
        EXPECT_EQ(d.Get("cboChgTypeStart").Text(), "Gas");
        d.Get("cmdPreview").Click();
    };
    frmRepCriteria form;
    form.UtilStmt("Utility Statement Report Criteria");
    EXPECT_EQ(Strings({form.StartCharge(), form.EndCharge(), form.StartTenant(), form.EndTenant(),
                       form.Sort()}),
              Strings({"GAS", "WTR", "Adams", "Baker", "Unit"}));
    EXPECT_EQ(form.StartDate(), Date::Today());
    EXPECT_EQ(form.ChgDescription(), "****  Utility Bill  ****");
}

// Choosing a start entry copies it into the end list, a new start date becomes the end date,
// and one charge type gives its own heading.
TEST_F(PagesTest, UtilityStartCopiesIntoEnd) {
    const Date posted = Date::FromYmd(2024, 7, 4);
    ui->script = [&](Form& d) {
        d.Get("cboChgTypeStart").PickRow(1);
        d.Get("cboTenantStart").PickRow(1);
        d.Get("dteUtilStart").SetValue(Variant(posted));
        d.Get("optUtilName").Click();
        d.Get("cmdPreview").Click();
    };
    frmRepCriteria form;
    form.UtilStmt("C");
    EXPECT_EQ(Strings({form.StartCharge(), form.EndCharge(), form.StartTenant(), form.EndTenant(),
                       form.Sort()}),
              Strings({"WTR", "WTR", "Baker", "Baker", "Name"}));
    EXPECT_EQ(form.EndDate(), posted);
    EXPECT_EQ(form.ChgDescription(), "****  Water  ****");
}

// Typing drops a list down except Enter and Escape; Enter in a date picker moves on by one
// control; a property without billing shows empty lists and empty values.
TEST_F(PagesTest, UtilityKeysAndEmptyProperty) {
    std::vector<bool> dropped;
    std::string afterEnter;
    ui->script = [&](Form& d) {
        for (const int key : {KeyEscape, KeyEnter, int{'a'}}) {
            d.Get("cboTenantEnd").SetFocus();
            d.PressKey(key);
            d.DeliverSentKeys();
            dropped.push_back(d.Get("cboTenantEnd").IsDroppedDown());
        }
        d.Get("dteUtilStart").SetFocus();
        d.PressKey(KeyEnter);
        d.DeliverSentKeys();
        afterEnter = d.FocusedControl()->DisplayName();
        d.Get("cmdCancel").Click();
    };
    frmRepCriteria form;
    form.UtilStmt("C");
    EXPECT_EQ(dropped, std::vector<bool>({false, false, true}));
    EXPECT_EQ(afterEnter, "dteUtilEnd");

    TheSession().settings.propertyId = "P0";
    std::size_t rows = 99;
    ui->script = [&](Form& d) {
        rows = Rows(d.Get("cboChgTypeStart")).size() + Rows(d.Get("cboTenantEnd")).size();
        d.Get("cmdPreview").Click();
    };
    frmRepCriteria empty;
    empty.UtilStmt("C");
    EXPECT_EQ(rows, 0u);
    EXPECT_EQ(Strings({empty.StartCharge(), empty.EndCharge(), empty.StartTenant()}),
              Strings({"", "", ""}));
    EXPECT_EQ(empty.ChgDescription(), "****    ****");
}

}  // namespace
}  // namespace hlreports::test
