// frmDetailTrasactionOptions: the opening state, the "All" boxes and what they disable, the date
// field and "All Dates:" keeping each other in step, the resident status filter, the selection
// texts Preview hands back (an apostrophe doubled inside its item, runs unquoted), the units,
// Print, and Cancel and the title-bar close as the user's cancel.
#include <functional>

#include "criteria/CriteriaFixture.h"
#include "criteria/frmDetailTrasactionOptions.h"
#include "runtime/Err.h"

namespace hlreports::test {
namespace {

// A recordset of text fields with the given rows.
RecordsetPtr Rows(const std::vector<std::string>& fields,
                  const std::vector<std::vector<std::string>>& rows) {
    auto recordset = std::make_shared<Recordset>();
    for (const std::string& name : fields) {
        FieldInfo field;
        field.name = name;
        recordset->AppendField(field);
    }
    recordset->Open();
    for (const auto& row : rows) {
        recordset->AppendRow(std::vector<Variant>(row.begin(), row.end()));
    }
    recordset->FinishLoading();
    return recordset;
}

struct Answers {
    std::string accountMethod = "unset";
    int16_t dateType = -9;
    std::string startDate = "unset";
    std::string endDate = "unset";
    int32_t unitStart = -9;
    int32_t unitEnd = -9;
    std::string residentStatus = "unset";
    std::string residents = "unset";
    std::string accounts = "unset";
    std::string chargeTypes = "unset";
    std::string batches = "unset";
    std::string runs = "unset";
};

class TransactionDetailTest : public CriteriaTest {
  protected:
    RecordsetPtr residents =
        Rows({"Name", "Resident", "Status"}, {{"Ann Lee", "R1", "Current"},
                                              {"O'Brien, Kate", "O'BRIEN", "Current"},
                                              {"Gone, Gary", "R9", "Terminated"},
                                              {"New, Nina", "A4", "Applicant"}});
    RecordsetPtr chargeTypes = Rows({"Charge_Type", "Charge_Description"},
                                    {{"RENT", "Rent"}, {"PET", "Pet rent"}, {"LATE", "Late fee"}});
    RecordsetPtr units =
        Rows({"Property", "Unit", "SortOrder"}, {{"P1", "101", "1"}, {"P1", "102", "2"}});
    RecordsetPtr accounts =
        Rows({"Value", "Title"}, {{"4000", "Rental Income"}, {"4'10", "Unknown account"}});
    RecordsetPtr batches = Rows({"Value"}, {{"B-1"}, {"B-2"}});
    RecordsetPtr runs = Rows({"Value"}, {{"3"}, {"5"}});
    bool result = false;

    Answers Show(std::function<void(Form&)> user) {
        ui->script = std::move(user);
        frmDetailTrasactionOptions window;
        Answers a;
        window.FormShow(a.accountMethod, a.dateType, a.startDate, a.endDate, a.unitStart, a.unitEnd,
                        a.residentStatus, a.residents, a.accounts, a.chargeTypes, a.batches, a.runs,
                        *residents, *chargeTypes, *units, *accounts, *batches, *runs);
        result = window.Result();
        return a;
    }
};

std::vector<std::string> Column(const Control& list, int column) {
    std::vector<std::string> cells;
    for (int row = 0; row < list.List().RowCount(); ++row) {
        cells.push_back(list.List().Cell(row, column));
    }
    return cells;
}

// Opening: caption, method "1", date field "<All>", every "All" box checked with what it governs
// disabled, the pickers on today, and the lists filled.
TEST_F(TransactionDetailTest, OpensOnEverything) {
    Show([](Form& form) {
        EXPECT_EQ(form.Caption(), "Accounting Transaction Report Criteria");
        EXPECT_EQ(form.Get("cboAcctgMethod").Text(), "1");
        EXPECT_EQ(form.Get("cboDateUsed").Text(), "<All>");
        EXPECT_EQ(form.Get("cboDateUsed").Value(), Variant("0"));
        for (const char* box : {"chkDates", "chkUnits", "chkResidents", "chkAccounts",
                                "chkChargeTypes", "chkBatches", "chkRuns"}) {
            EXPECT_TRUE(form.Get(box).IsChecked()) << box;
        }
        for (const char* governed :
             {"fraDateOps", "dtpDateFrom", "fraUnitOps", "cboUnitStart", "fraResidentOps",
              "grdResident", "grdAccount", "grdChargeType", "grdBatch", "grdRun"}) {
            EXPECT_FALSE(form.Get(governed).IsUsable()) << governed;
        }
        EXPECT_FALSE(form.Get("optResStatus", 1).IsEnabled());
        EXPECT_EQ(form.Get("dtpDateFrom").Value().ToDate(), Date::Today());
        EXPECT_EQ(form.Get("dtpDateTo").Value().ToDate(), Date::Today());
        EXPECT_TRUE(form.Get("optResStatus", 0).IsChecked());
        EXPECT_EQ(Column(form.Get("grdResident"), 1),
                  (std::vector<std::string>{"R1", "O'BRIEN", "R9", "A4"}));
        EXPECT_EQ(form.Get("grdResident").List().Column(0).caption, "Resident Name");
        EXPECT_EQ(Column(form.Get("cboUnitStart"), 0), (std::vector<std::string>{"101", "102"}));
        EXPECT_EQ(Column(form.Get("grdAccount"), 1),
                  (std::vector<std::string>{"Rental Income", "Unknown account"}));
        EXPECT_EQ(form.Get("grdRun").List().Column(0).caption, "RunID");
        form.Get("cmdPreview").Click();
    });
}

// Everything at once: empty selection texts and dates, units -1, method "1", date type 0.
TEST_F(TransactionDetailTest, PreviewOnOpeningSendsEverything) {
    const Answers a = Show([](Form& form) { form.Get("cmdPreview").Click(); });
    EXPECT_TRUE(result);
    EXPECT_EQ(a.accountMethod, "1");
    EXPECT_EQ(a.dateType, 0);
    EXPECT_EQ(a.startDate, "unset") << "All Dates leaves the dates as they were";
    EXPECT_EQ(a.endDate, "unset");
    EXPECT_EQ(a.unitStart, -1);
    EXPECT_EQ(a.unitEnd, -1);
    EXPECT_EQ(a.residentStatus, "");
    for (const std::string* text :
         {&a.residents, &a.accounts, &a.chargeTypes, &a.batches, &a.runs}) {
        EXPECT_EQ(*text, "");
    }
    EXPECT_EQ(TheSession().settings.destination, irtowindow);
}

// An "All" box cleared enables what it governs (a frame with everything inside it), checked
// again disables it.
TEST_F(TransactionDetailTest, AllBoxesGovernTheirLists) {
    Show([](Form& form) {
        const struct {
            const char* box;
            std::vector<const char*> governed;
        } boxes[] = {
            {"chkUnits", {"fraUnitOps", "cboUnitStart", "cboUnitEnd", "lblUnitStart"}},
            {"chkResidents", {"fraResidentOps", "optResStatus(2)", "grdResident"}},
            {"chkAccounts", {"grdAccount"}},
            {"chkChargeTypes", {"grdChargeType"}},
            {"chkBatches", {"grdBatch"}},
            {"chkRuns", {"grdRun"}},
            {"chkDates", {"fraDateOps", "dtpDateFrom", "dtpDateTo"}},
        };
        for (const auto& b : boxes) {
            form.Get(b.box).Click();
            for (const char* name : b.governed) {
                EXPECT_TRUE(form.Get(name).IsUsable()) << b.box << " " << name;
            }
            form.Get(b.box).Click();
            for (const char* name : b.governed) {
                EXPECT_FALSE(form.Get(name).IsUsable()) << b.box << " " << name;
            }
        }
        form.Get("cmdCancel").Click();
    });
}

// Picking a date field clears "All Dates:"; picking "<All>" checks it; checking it sets the
// date field back to "<All>".
TEST_F(TransactionDetailTest, DateFieldAndAllDatesKeepInStep) {
    const Answers a = Show([](Form& form) {
        Control& dateUsed = form.Get("cboDateUsed");
        dateUsed.PickRow(2);
        EXPECT_FALSE(form.Get("chkDates").IsChecked());
        EXPECT_TRUE(form.Get("dtpDateFrom").IsUsable());
        dateUsed.PickRow(0);
        EXPECT_TRUE(form.Get("chkDates").IsChecked());
        dateUsed.PickRow(1);
        form.Get("chkDates").Click();
        EXPECT_EQ(dateUsed.Value(), Variant("0"));
        form.Get("chkDates").Click();
        dateUsed.PickRow(3);
        form.Get("dtpDateFrom").SetValue(Variant(Date::FromYmd(2024, 1, 5)));
        form.Get("dtpDateTo").SetValue(Variant(Date::FromYmd(2024, 12, 31)));
        form.Get("cmdPreview").Click();
    });
    EXPECT_EQ(a.dateType, 3);
    EXPECT_EQ(a.startDate, "1/5/2024");
    EXPECT_EQ(a.endDate, "12/31/2024");
}

// The status options filter the residents (status texts "", "Active", "Closed"); residents
// still listed stay selected; the selection text quotes each id once, an apostrophe doubled.
TEST_F(TransactionDetailTest, ResidentStatusFiltersTheList) {
    const Answers a = Show([](Form& form) {
        form.Get("chkResidents").Click();
        Control& grid = form.Get("grdResident");
        grid.PickRow(1);
        grid.PickRow(2);
        form.Get("optResStatus", 2).Click();
        EXPECT_EQ(Column(grid, 1), (std::vector<std::string>{"R9"}));
        EXPECT_EQ(grid.SelectedRows(), (std::vector<int>{0}));
        form.Get("optResStatus", 1).Click();
        EXPECT_EQ(Column(grid, 1), (std::vector<std::string>{"R1", "O'BRIEN"}));
        EXPECT_TRUE(grid.SelectedRows().empty());
        grid.PickRow(1);
        grid.PickRow(0);
        form.Get("cmdPreview").Click();
    });
    EXPECT_EQ(a.residentStatus, "Active");
    EXPECT_EQ(a.residents, "'O''BRIEN','R1'");
    EXPECT_EQ(a.accounts, "");
}

// Each list whose "All" box is clear sends its selected rows: quoted residents, charge types,
// accounts (an apostrophe doubled inside its item) and batches; runs unquoted.
TEST_F(TransactionDetailTest, SelectionTextsOfEachList) {
    const Answers a = Show([](Form& form) {
        for (const char* box : {"chkAccounts", "chkChargeTypes", "chkBatches", "chkRuns"}) {
            form.Get(box).Click();
        }
        form.Get("grdAccount").PickRow(1);
        form.Get("grdAccount").PickRow(0);
        form.Get("grdChargeType").PickRow(2);
        form.Get("grdBatch").PickRow(0);
        form.Get("grdRun").PickRow(0);
        form.Get("grdRun").PickRow(1);
        form.Get("cmdPrint").Click();
    });
    EXPECT_EQ(a.accounts, "'4''10','4000'");
    EXPECT_EQ(a.chargeTypes, "'LATE'");
    EXPECT_EQ(a.batches, "'B-1'");
    EXPECT_EQ(a.runs, "3,5");
    EXPECT_EQ(a.residents, "");
    EXPECT_EQ(TheSession().settings.destination, irToPrinter);
}

// Units: the chosen rows' sort orders, -1 for an empty combo or while "All Units:" is checked;
// a unit typed that the property lacks warns and keeps the window open.
TEST_F(TransactionDetailTest, UnitsSendTheirSortOrder) {
    const Answers a = Show([](Form& form) {
        form.Get("chkUnits").Click();
        form.Get("cboUnitStart").SetText("999");
        form.Get("cmdPreview").Click();
        EXPECT_TRUE(form.IsVisible());
        form.Get("cboUnitStart").PickRow(1);
        form.Get("cmdPreview").Click();
    });
    ASSERT_EQ(ui->Messages().size(), 1u);
    EXPECT_EQ(ui->Messages()[0].text, "Unit 999 is not a unit of this property.");
    EXPECT_EQ(ui->Messages()[0].title, "Hearthline");
    EXPECT_EQ(a.unitStart, 2);
    EXPECT_EQ(a.unitEnd, -1);
    const Answers all = Show([](Form& form) {
        form.Get("chkUnits").Click();
        form.Get("cboUnitStart").PickRow(0);
        form.Get("chkUnits").Click();
        form.Get("cmdPreview").Click();
    });
    EXPECT_EQ(all.unitStart, -1);
}

// Cancel and the title-bar close: Result False, every answer left as it was, 20545 pending.
TEST_F(TransactionDetailTest, CancelAndCloseAreTheUsersCancel) {
    for (const bool close : {false, true}) {
        SCOPED_TRACE(close ? "close" : "Cancel");
        Err().Clear();
        const Answers a = Show([close](Form& form) {
            form.Get("chkRuns").Click();
            form.Get("grdRun").PickRow(0);
            if (close) {
                form.RequestClose();
                return;
            }
            form.Get("cmdCancel").Click();
        });
        EXPECT_FALSE(result);
        EXPECT_EQ(a.runs, "unset");
        EXPECT_EQ(a.unitStart, -9);
        EXPECT_EQ(Err().Number(), 20545);
        EXPECT_EQ(Err().Source(), "frmDetailTrasactionOptions");
    }
}

}  // namespace
}  // namespace hlreports::test
