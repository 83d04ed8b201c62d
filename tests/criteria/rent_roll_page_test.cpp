// The rent roll and delinquency page of frmRepCriteria: how each report kind prepares it
// (caption, labels, dates, which frames show), what Preview collects per kind (sort letters,
// resident status code, include flags, amounts, balance limit), the mouse pointer it restores,
// and a non-number amount.
#include "criteria/PagesFixture.h"
#include "runtime/ComError.h"

namespace hlreports::test {
namespace {

using Strings = std::vector<std::string>;

struct PrepareCase {
    int32_t kind;
    std::string caption;
    Strings shown, hidden;
    std::vector<std::pair<std::string, std::string>> captions;
};

// Each kind captions the dialog and shows exactly its parts; another kind leaves the page as
// designed.
TEST_F(PagesTest, RentRollPreparesByKind) {
    const std::vector<PrepareCase> cases = {
        {2,
         "Comprehensive Delinquency",
         {"cboRPStartDate", "fraIncludeCalc", "fraAmounts", "fraCurrFormerRes"},
         {"cboRPEndDate", "lblEndDate", "fraRptParamsSort", "fraBalanceLimit", "chk1"},
         {{"lblStartDate", "As Of Date: "}}},
        {1,
         "Rent Roll All Units",
         {"cboRPStartDate", "fraRptParamsSort", "lblStartDate"},
         {"cboRPEndDate", "lblEndDate", "fraAmounts", "fraBalanceLimit", "fraIncludeCalc",
          "fraCurrFormerRes"},
         {{"optRptParamsName", "Unit Class"},
          {"optRptParamsUnit", "Unit"},
          {"lblStartDate", "Report As Of:"}}},
        {0,
         "Rent Roll Balances",
         {"cboRPStartDate", "cboRPEndDate", "fraBalanceLimit", "fraCurrFormerRes", "chk1",
          "fraRptParamsSort"},
         {"fraIncludeCalc", "fraAmounts"},
         {{"lblStartDate", "Start Date: "},
          {"lblEndDate", "End Date: "},
          {"chk1", "Include Applicants"},
          {"optRptParamsName", "Name"}}},
        {7, "Report Criteria", {"fraRptParams", "fraIncludeCalc"}, {"fraBalanceLimit"}, {}},
    };
    for (const PrepareCase& c : cases) {
        ui->script = [&](Form& d) {
            EXPECT_EQ(d.Caption(), c.caption) << c.kind;
            for (const std::string& name : c.shown) {
                EXPECT_TRUE(d.Get(name).IsShown()) << c.kind << " " << name;
            }
            for (const std::string& name : c.hidden) {
                EXPECT_FALSE(d.Get(name).IsShown()) << c.kind << " " << name;
            }
            for (const auto& [name, caption] : c.captions) {
                EXPECT_EQ(d.Get(name).Caption(), caption) << c.kind << " " << name;
            }
            d.Get("cmdCancel").Click();
        };
        frmRepCriteria form;
        form.RptParams(c.kind);
    }
}

// The dates and boxes each kind starts with: the balances end 30 days after today and include
// applicants; the delinquency checks every box and shows its default amounts.
TEST_F(PagesTest, RentRollStartingValues) {
    ui->script = [](Form& d) {
        EXPECT_EQ(d.Get("cboRPStartDate").Value(), Variant(Date::Today()));
        EXPECT_EQ(d.Get("cboRPEndDate").Value(), Variant(Date::Today().AddDays(30)));
        const Control& check = d.Get("chk1");
        EXPECT_TRUE(check.IsChecked());
        EXPECT_EQ(std::vector<int32_t>({check.Left(), check.Top(), check.Width()}),
                  std::vector<int32_t>({5225, 2760, 1635}));
        d.Get("cmdCancel").Click();
    };
    frmRepCriteria balances;
    balances.RptParams(0);
    ui->script = [](Form& d) {
        for (const char* box :
             {"chkIncludeDep", "chkIncludeLate", "chkCurrentRes", "chkFormerRes"}) {
            EXPECT_TRUE(d.Get(box).IsChecked()) << box;
        }
        EXPECT_EQ(d.Get("txtInclDelqLess").Text(), "999,999.00");
        EXPECT_EQ(d.Get("txtInclDelqGreater").Text(), "1.00");
        d.Get("cmdCancel").Click();
    };
    frmRepCriteria delinquency;
    delinquency.RptParams(2);
}

struct RentRollCase {
    std::string name;
    int32_t kind;
    std::function<void(Form&)> user;
    std::string sort, currFormer, inclDeps, inclLateChg, balanceLimit;
    bool check1;
    double greater, less;
};

// Collection by kind: "U"/"T" or "U"/"N" sorts, B/F/C/N residents, Y/N flags, the amounts as
// numbers (thousands separators read), the first selected balance option.
TEST_F(PagesTest, RentRollCollection) {
    const auto click = [](std::vector<std::string> names) {
        return [names](Form& d) {
            for (const std::string& name : names) {
                d.Get(name).Click();
            }
        };
    };
    const std::vector<RentRollCase> cases = {
        {"delinquency defaults", 2, click({}), "U", "B", "Y", "Y", "", false, 1, 999999},
        {"no residents", 2, click({"chkCurrentRes", "chkFormerRes", "chkIncludeDep"}), "U", "N",
         "N", "Y", "", false, 1, 999999},
        {"former only", 2, click({"chkCurrentRes", "chkIncludeLate"}), "U", "F", "Y", "N", "",
         false, 1, 999999},
        {"current only", 2, click({"chkFormerRes"}), "U", "C", "Y", "Y", "", false, 1, 999999},
        {"amounts", 2,
         [](Form& d) {
             d.Get("txtInclDelqGreater").SetText("250.5");
             d.Get("txtInclDelqLess").SetText("1,000");
         },
         "U", "B", "Y", "Y", "", false, 250.5, 1000},
        {"all units by unit", 1, click({}), "U", "", "", "", "", false, 0, 0},
        {"all units by class", 1, click({"optRptParamsName"}), "T", "", "", "", "", false, 0, 0},
        {"balances defaults", 0, click({}), "U", "C", "", "", "D", true, 0, 0},
        {"balances by name, all, no applicants", 0,
         click({"optRptParamsName", "optBalance(3)", "chk1", "chkFormerRes"}), "N", "B", "", "",
         "A", false, 0, 0},
        {"balances pre-paid", 0, click({"optBalance(2)"}), "U", "C", "", "", "P", true, 0, 0},
    };
    for (const RentRollCase& c : cases) {
        ui->SetMousePointer(vbHourglass);
        int32_t pointerWhileOpen = -1;
        ui->script = [&](Form& d) {
            pointerWhileOpen = ui->GetMousePointer();
            c.user(d);
            d.Get("cmdPreview").Click();
        };
        frmRepCriteria form;
        form.RptParams(c.kind);
        EXPECT_TRUE(form.Result()) << c.name;
        EXPECT_EQ(pointerWhileOpen, vbDefault) << c.name;
        EXPECT_EQ(ui->GetMousePointer(), vbHourglass) << c.name;
        EXPECT_EQ(Strings({form.Sort(), form.CurrFormer(), form.InclDeps(), form.InclLateChg(),
                           form.BalanceLimit()}),
                  Strings({c.sort, c.currFormer, c.inclDeps, c.inclLateChg, c.balanceLimit}))
            << c.name;
        EXPECT_EQ(form.Check1(), c.check1) << c.name;
        EXPECT_EQ(form.AmtGreaterThan(), c.greater) << c.name;
        EXPECT_EQ(form.AmtLessThan(), c.less) << c.name;
        EXPECT_EQ(form.StartDate(), Date::Today()) << c.name;
        EXPECT_EQ(form.EndDate(), c.kind == 0 ? Date::Today().AddDays(30) : Date()) << c.name;
        EXPECT_EQ(form.PropertyName(), "Oak Knoll") << c.name;
    }
}

// A non-number amount raises the conversion error from Preview, naming dialog, control and text.
TEST_F(PagesTest, RentRollAmountThatIsNoNumber) {
    ui->script = [](Form& d) {
        d.Get("txtInclDelqGreater").SetText("lots");
        d.Get("cmdPreview").Click();
    };
    frmRepCriteria form;
    try {
        form.RptParams(2);
        ADD_FAILURE() << "no error";
    } catch (const ComError& error) {
        EXPECT_EQ(error.Number(), 13);
        EXPECT_EQ(error.Description(),
                  "Type mismatch: dialog 'Comprehensive Delinquency', control txtInclDelqGreater "
                  "holds \"lots\", which is not a number");
    }
}

}  // namespace
}  // namespace hlreports::test
