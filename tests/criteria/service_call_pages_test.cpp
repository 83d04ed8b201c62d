// The pages of frmRepCriteria before any page procedure runs (hidden containers, geometry,
// presets), and the two service-call pages: their lists for a property whose id holds an
// apostrophe, the status refill, the range switch, the date check box, and what Preview
// collects or refuses.
#include <functional>
#include <optional>

#include "criteria/PagesFixture.h"
#include "runtime/ComError.h"
#include "runtime/Err.h"

namespace hlreports::test {
namespace {

using Strings = std::vector<std::string>;

struct Geometry {
    std::string control;
    int32_t left, top, width, height;
};

// The page containers lie hidden at their design geometry until their procedure runs, and the
// presets are selected when the dialog is created (no resident or utility sort option).
TEST_F(PagesTest, DesignAndPresets) {
    const std::vector<Geometry> containers = {
        {"fraWOList", 180, 300, 5895, 4035},         {"tabWOSelect", 1320, 480, 3285, 2895},
        {"tabTransLedg", 840, 360, 5655, 3195},      {"fraUtilStmt", 540, 120, 4875, 4155},
        {"fraRptParams", 120, 300, 7095, 4215},      {"fraBalanceLimit", 2700, 1140, 4215, 1095},
        {"fraIncludeCalc", 2880, 1140, 3975, 1035},  {"fraAmounts", 300, 2820, 4155, 975},
        {"fraCurrFormerRes", 4980, 2820, 1875, 975}, {"lblStartDate", 180, 540, 1155, 315},
        {"lblEndDate", 2880, 540, 975, 315},         {"fraRptParamsSort", 240, 1140, 1995, 1095},
        {"chkDateOn", 1980, 840, 2175, 315},
    };
    frmRepCriteria form;
    for (const Geometry& g : containers) {
        const Control& control = form.Get(g.control);
        EXPECT_EQ(Strings({std::to_string(control.Left()), std::to_string(control.Top()),
                           std::to_string(control.Width()), std::to_string(control.Height())}),
                  Strings({std::to_string(g.left), std::to_string(g.top), std::to_string(g.width),
                           std::to_string(g.height)}))
            << g.control;
        EXPECT_FALSE(control.IsShown()) << g.control;
    }
    EXPECT_FALSE(form.Get("fraBalanceLimit").IsVisible());
    for (const char* option :
         {"optUnit", "optWOOpen", "optWORange", "optCurr", "optRptParamsUnit", "optBalance(0)"}) {
        EXPECT_TRUE(form.Get(option).IsChecked()) << option;
    }
    for (const char* option : {"optActive", "optClosed", "optResBoth", "optUtilUnit", "optUtilName",
                               "optUnitRange", "optWONum"}) {
        EXPECT_FALSE(form.Get(option).IsChecked()) << option;
    }
    const std::vector<std::pair<std::string, std::string>> captions = {
        {"fraSelWORange", "Select Range By Service Call Number Or By Unit"},
        {"optWORange", "Service Call #"},
        {"optWONum", "Service Call Number"},
        {"chkDateOn", "Turn Date Criteria On"},
        {"fraTransLedgTab2", "Select Resident Account Option"},
        {"fraUtilDates", "Select Date Posted Options"},
        {"optBalance(2)", "Pre-Pd"},
        {"chkIncludeLate", "Include Accruing Late Charges In Calculation"},
        {"chkIncludeDep", "Include Delinquent Deposits Calculation"},
        {"lblAmtsGreater", "Include Delinquents Greater Than:"},
        {"lblStartDate", "Report As Of:"},
    };
    for (const auto& [control, caption] : captions) {
        EXPECT_EQ(form.Get(control).Caption(), caption) << control;
    }
    EXPECT_EQ(form.Get("tabWOSelect").TabCaptions(), Strings({"SC Number", "SC Dates"}));
    EXPECT_EQ(form.Get("tabTransLedg").TabCaptions(), Strings({"By Unit", "By Resident"}));
    EXPECT_EQ(form.Get("txtInclDelqGreater").Text(), "1.00");
    EXPECT_EQ(form.Get("txtInclDelqLess").Text(), "999,999.00");
}

// The service-call list page opens on open calls by number: only the property's calls, unit
// lists hidden, and each status option refills both pairs of lists.
TEST_F(PagesTest, ServiceCallListFillsByStatus) {
    std::vector<Strings> numbers, units;
    bool unitsShown = true;
    std::string caption;
    ui->script = [&](Form& d) {
        caption = d.Caption();
        unitsShown = d.Get("cboUnitStart").IsShown() || d.Get("lblToUnit").IsShown();
        for (const char* status : {"optWOOpen", "optWOAll", "optWOClosed"}) {
            d.Get(status).Click();
            numbers.push_back(Rows(d.Get("cboWOEnd")));
            units.push_back(Rows(d.Get("cboUnitStart")));
        }
        d.Get("optWOOpen").Click();
        d.Get("cmdPreview").Click();
    };
    frmRepCriteria form;
    form.WOList();
    EXPECT_EQ(caption, "Service Call List Criteria");
    EXPECT_FALSE(unitsShown);
    EXPECT_EQ(numbers,
              (std::vector<Strings>{{"101", "103"}, {"101", "102", "103", "104"}, {"102", "104"}}));
    EXPECT_EQ(units,
              (std::vector<Strings>{{"A1\t1"}, {"A1\t1", "A1\t1", "B2\t2"}, {"A1\t1", "B2\t2"}}));
}

struct ListCase {
    std::string name;
    std::function<void(Form&)> user;
    std::string status, rangeType, sort;
    double start, end;
};

// Preview collects status, range kind, range and sort: empty ranges are 0..9999 by number and
// 0..999999 by unit; a unit range is the units' sort orders.
TEST_F(PagesTest, ServiceCallListCollection) {
    const std::vector<ListCase> cases = {
        {"defaults", [](Form&) {}, "OPEN", "WO", "UNIT", 0, 9999},
        {"units, empty", [](Form& d) { d.Get("optUnitRange").Click(); }, "OPEN", "UNIT", "UNIT", 0,
         999999},
        {"units picked",
         [](Form& d) {
             d.Get("optWOAll").Click();
             d.Get("optUnitRange").Click();
             d.Get("cboUnitStart").PickRow(0);
             d.Get("cboUnitEnd").PickRow(2);
             d.Get("optWONum").Click();
         },
         "ALL", "UNIT", "WO", 1, 2},
        {"numbers",
         [](Form& d) {
             d.Get("optWOClosed").Click();
             d.Get("cboWOStart").PickRow(0);
             d.Get("cboWOEnd").SetText("150");
         },
         "CLOSED", "WO", "UNIT", 102, 150},
        {"back to numbers",
         [](Form& d) {
             d.Get("optUnitRange").Click();
             d.Get("optWORange").Click();
         },
         "OPEN", "WO", "UNIT", 0, 9999},
    };
    for (const ListCase& c : cases) {
        ui->script = [&](Form& d) {
            c.user(d);
            d.Get("cmdPreview").Click();
        };
        frmRepCriteria form;
        form.WOList();
        EXPECT_TRUE(form.Result()) << c.name;
        EXPECT_EQ(form.Status(), c.status) << c.name;
        EXPECT_EQ(form.RangeType(), c.rangeType) << c.name;
        EXPECT_EQ(form.Sort(), c.sort) << c.name;
        EXPECT_EQ(form.RangeStart(), c.start) << c.name;
        EXPECT_EQ(form.RangeEnd(), c.end) << c.name;
    }
}

// A property without calls shows empty lists and still gives 0..9999.
TEST_F(PagesTest, ServiceCallListWithoutCalls) {
    TheSession().settings.propertyId = "P0";
    std::size_t rows = 99;
    ui->script = [&](Form& d) {
        rows = Rows(d.Get("cboWOStart")).size() + Rows(d.Get("cboUnitEnd")).size();
        d.Get("cmdPreview").Click();
    };
    frmRepCriteria form;
    form.WOList();
    EXPECT_EQ(rows, 0u);
    EXPECT_EQ(form.RangeStart(), 0);
    EXPECT_EQ(form.RangeEnd(), 9999);
}

// A call number that is no number raises 13 from Preview naming dialog, control and text; a
// unit typed that is not in the list is refused with a message and the dialog stays open.
TEST_F(PagesTest, ServiceCallListBadInput) {
    ui->script = [](Form& d) {
        d.Get("cboWOStart").SetText("abc");
        d.Get("cmdPreview").Click();
    };
    frmRepCriteria form;
    try {
        form.WOList();
        ADD_FAILURE() << "no error";
    } catch (const ComError& error) {
        EXPECT_EQ(error.Number(), 13);
        EXPECT_EQ(error.Description(),
                  "Type mismatch: dialog 'Service Call List Criteria', control cboWOStart holds "
                  "\"abc\", which is not a number");
    }

    bool open = false;
    std::string focused;
    ui->script = [&](Form& d) {
        d.Get("optUnitRange").Click();
        d.Get("cboUnitEnd").SetText("Q7");
        d.Get("cmdPreview").Click();
        open = d.IsVisible();
        focused = d.FocusedControl() ? d.FocusedControl()->DisplayName() : "";
        d.Get("cmdCancel").Click();
    };
    frmRepCriteria units;
    units.WOList();
    EXPECT_TRUE(open);
    EXPECT_EQ(focused, "cboUnitEnd");
    ASSERT_EQ(ui->Messages().size(), 1u);
    EXPECT_EQ(ui->Messages()[0].text,
              "The unit \"Q7\" is not in the list (cboUnitEnd). Choose a unit from the list.");
    EXPECT_EQ(ui->Messages()[0].title, "Hearthline");
}

// The selection page: moved and resized, number lists of the property, dates of today that
// only the check box turns on, and Result already True while the dialog shows.
TEST_F(PagesTest, ServiceCallSelectionLayout) {
    Strings numbers;
    std::vector<bool> datesOn;
    bool resultWhileOpen = false;
    Geometry tabs{};
    ui->script = [&](Form& d) {
        const Control& t = d.Get("tabWOSelect");
        tabs = {"", t.Left(), t.Top(), t.Width(), t.Height()};
        EXPECT_EQ(t.TabHeight(), 295);
        EXPECT_EQ(t.SelectedTab(), 0);
        EXPECT_TRUE(t.IsShown());
        EXPECT_EQ(d.Caption(), "Service Call Selection Criteria");
        EXPECT_EQ(d.Get("datStart").Value(), Variant(Date::Today()));
        numbers = Rows(d.Get("cboWONumStart"));
        EXPECT_EQ(Rows(d.Get("cboWONumEnd")), numbers);
        resultWhileOpen = Criteria(d).Result();
        d.Get("tabWOSelect").SetSelectedTab(1);
        datesOn.push_back(d.Get("datStart").IsUsable());
        d.Get("chkDateOn").Click();
        datesOn.push_back(d.Get("datStart").IsUsable() && d.Get("datEnd").IsUsable());
        d.Get("chkDateOn").Click();
        datesOn.push_back(d.Get("datEnd").IsUsable());
        d.Get("cmdCancel").Click();
    };
    frmRepCriteria form;
    form.rptWO();
    EXPECT_EQ(Strings({std::to_string(tabs.left), std::to_string(tabs.top),
                       std::to_string(tabs.width), std::to_string(tabs.height)}),
              Strings({"360", "420", "5595", "3555"}));
    EXPECT_EQ(numbers, Strings({"101", "102", "103", "104"}));
    EXPECT_EQ(datesOn, std::vector<bool>({false, true, false}));
    EXPECT_TRUE(resultWhileOpen);
    EXPECT_FALSE(form.Result());
}

struct SelectionCase {
    std::string name;
    std::function<void(Form&)> user;
    std::optional<std::string> refusedFocus;  // a check failed: the focused list
    std::string combo1, combo2;
    bool checkDate;
    Date start;
};

// On the number tab both numbers are required (message with the default title, focus on the
// empty list, dialog kept open); on the date tab the check box, dates and numbers are taken.
TEST_F(PagesTest, ServiceCallSelectionCollection) {
    const Date picked = Date::FromYmd(2024, 3, 1);
    const std::vector<SelectionCase> cases = {
        {"no start", [](Form& d) { d.Get("cboWONumEnd").PickRow(1); }, "cboWONumStart", "", "",
         false, Date()},
        {"no end", [](Form& d) { d.Get("cboWONumStart").PickRow(1); }, "cboWONumEnd", "", "", false,
         Date()},
        {"both",
         [](Form& d) {
             d.Get("cboWONumStart").PickRow(0);
             d.Get("cboWONumEnd").PickRow(3);
         },
         {},
         "101",
         "104",
         false,
         Date()},
        {"dates on",
         [&](Form& d) {
             d.Get("tabWOSelect").SetSelectedTab(1);
             d.Get("chkDateOn").Click();
             d.Get("datStart").SetValue(Variant(picked));
         },
         {},
         "",
         "",
         true,
         picked},
        {"date tab, dates off",
         [](Form& d) { d.Get("tabWOSelect").SetSelectedTab(1); },
         {},
         "",
         "",
         false,
         Date::Today()},
    };
    for (const SelectionCase& c : cases) {
        ui = std::make_shared<ScriptUi>();
        TheSession().ui = ui;
        bool open = false;
        std::string focused;
        ui->script = [&](Form& d) {
            c.user(d);
            d.Get("cmdPreview").Click();
            open = d.IsVisible();
            focused = d.FocusedControl() ? d.FocusedControl()->DisplayName() : "";
            if (open) {
                d.Get("cmdCancel").Click();
            }
        };
        frmRepCriteria form;
        form.rptWO();
        if (c.refusedFocus) {
            EXPECT_TRUE(open) << c.name;
            EXPECT_EQ(focused, *c.refusedFocus) << c.name;
            ASSERT_EQ(ui->Messages().size(), 1u) << c.name;
            EXPECT_EQ(ui->Messages()[0].text,
                      "You must enter a Starting and Ending WorkOrder Number.");
            EXPECT_EQ(ui->Messages()[0].title, "HLReports");  // the default title
            continue;
        }
        EXPECT_FALSE(open) << c.name;
        EXPECT_TRUE(form.Result()) << c.name;
        EXPECT_EQ(form.Combo1(), c.combo1) << c.name;
        EXPECT_EQ(form.Combo2(), c.combo2) << c.name;
        EXPECT_EQ(form.CheckDate(), c.checkDate) << c.name;
        EXPECT_EQ(form.StartDate(), c.start) << c.name;
    }
}

}  // namespace
}  // namespace hlreports::test
