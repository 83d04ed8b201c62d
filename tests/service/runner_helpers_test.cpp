// The runner's helpers: the data-folder formula, the DSN a design mode picks, sub-report rows
// through a filter, the log-on error box, the database log-on that skips data-folder tables,
// and the focus handling of the last report form.
#include <gtest/gtest.h>

#include "data/clsRecordset.h"
#include "engine/CoreReport.h"
#include "engine/ValueFormat.h"
#include "hlreports/ReportDSNs.h"
#include "service/RunnerHelpers.h"
#include "service/ServiceFixture.h"

namespace hlreports::test {
namespace {

class RunnerHelpers : public ServiceTest {
  protected:
    std::shared_ptr<CoreReport> Load(const std::string& body) {
        const auto path = files.WriteFile("helper.rpt", "<report name='h'>" + body + "</report>");
        auto report = CoreEngine().NewReport();
        report->Load(path.string());
        return report;
    }
    void UseDataFolder() {
        TheSession().reportDSNs = std::make_shared<ReportDSNs>();
        std::string folder = DataFolder();
        TheSession().reportDSNs->Initialize(folder);
    }
};

// The folder is written in double quotes; a report without the formula is left alone.
TEST_F(RunnerHelpers, DataFolderFormulaQuotesTheFolder) {
    auto report = Load("<formulas><formula name='qzDataFolder'>\"\"</formula></formulas>");
    SetDataFolderFormula("D:\\Data", *report);
    EXPECT_EQ(report->FormulaField("qzDataFolder")->Text(), "\"D:\\Data\"");
    // A quote in the folder is doubled, so the literal still ends where the folder ends.
    SetDataFolderFormula("/srv/my \"data\"", *report);
    EXPECT_EQ(report->FormulaField("qzDataFolder")->Text(), "\"/srv/my \"\"data\"\"\"");
    EXPECT_EQ(FormulaDisplayText(report->FormulaField("qzDataFolder")->Text()), "/srv/my \"data\"");
    auto without = Load("");
    SetDataFolderFormula("D:\\Data", *without);
    EXPECT_FALSE(without->FormulaField("qzDataFolder"));
}

struct DsnCase {
    const char* formulas;  // the report's formulas element, or ""
    const char* kind;      // "custom", "standard" or "dictionary"
};

// "qzDesignMode" picks the DSN: absent or any other text custom, "SDesc" standard,
// "Dictionary" dictionary (the texts in double quotes).
TEST_F(RunnerHelpers, DesignModePicksTheDsn) {
    UseDataFolder();
    const DsnCase cases[] = {
        {"", "custom"},
        {"<formulas><formula name='qzDesignMode'>\"SDesc\"</formula></formulas>", "standard"},
        {"<formulas><formula name='qzDesignMode'>\"Dictionary\"</formula></formulas>",
         "dictionary"},
        {"<formulas><formula name='qzDesignMode'>SDesc</formula></formulas>", "custom"},
        {"<formulas><formula name='qzDesignMode'>\"sdesc\"</formula></formulas>", "custom"},
    };
    ReportDSNs& dsns = *TheSession().reportDSNs;
    for (const DsnCase& row : cases) {
        const std::string expected = std::string(row.kind) == "standard"     ? dsns.StandardDSN()
                                     : std::string(row.kind) == "dictionary" ? dsns.DictionaryDSN()
                                                                             : dsns.CustomDSN();
        EXPECT_EQ(ReportDSNKind(*Load(row.formulas)), expected) << row.formulas;
    }
}

// The sub-report gets the rows the filter shows (all of them for ""); the caller's rows keep
// their own filter.
TEST_F(RunnerHelpers, SubreportRecordsetFilters) {
    auto report = Load(
        "<tables><table name='Main'/></tables><report-footer><subreport name='Rents'>"
        "<tables><table name='RentRows'/></tables></subreport></report-footer>");
    RecordsetPtr units = Units();
    const std::pair<const char*, int64_t> cases[] = {{"unit = '101'", 1}, {"", 3}};
    for (const auto& [filter, count] : cases) {
        SetSubreportRecordset(*report, "Rents", *units, filter);
        const auto& rows = report->OpenSubreport("Rents")->Database()->Tables().front()->Rows();
        ASSERT_TRUE(rows);
        EXPECT_EQ(rows->RecordCount(), count) << filter;
        EXPECT_EQ(units->Filter(), "");
        EXPECT_EQ(units->RecordCount(), 3);
    }
}

// A failing log-on is shown, never raised: "Error:  " and the description, "Error occurred".
TEST_F(RunnerHelpers, LogOnErrorIsShown) {
    auto report = Load("");
    LogOnReport(*report, "qz", "pw");  // no report data sources: error 91
    ASSERT_EQ(ui->Messages().size(), 1u);
    EXPECT_EQ(ui->Messages()[0].text,
              "Error:  Object variable or With block variable not set (no report data sources "
              "object)");
    EXPECT_EQ(ui->Messages()[0].title, "Error occurred");
    EXPECT_TRUE(report->LogOns().empty());
}

// Every table but those of the data folder ("Larchfield Data Source", any case) gets the log-on.
TEST_F(RunnerHelpers, SetDatabaseSkipsDataFolderTables) {
    auto report = Load(
        "<tables><table name='Main' location='sp_x' connection-text='Server=old'/>"
        "<table name='Folder' location='Units' connection-text='DSN=x;LARCHFIELD data source'/>"
        "</tables>");
    SetDatabase(*report, "SQL1", "hl", "kim", "pw");
    const auto& tables = report->Database()->Tables();
    EXPECT_EQ(tables[0]->LogOnInfo().server, "SQL1");
    EXPECT_EQ(tables[0]->LogOnInfo().database, "hl");
    EXPECT_EQ(tables[0]->LogOnInfo().user, "kim");
    EXPECT_EQ(tables[0]->Location(), "sp_x");
    EXPECT_EQ(tables[1]->LogOnInfo().server, "");
    EXPECT_EQ(tables[1]->Location(), "Units");
}

// The main report's DSN first, then each sub-report whose DSN differs, in section order; every
// report's data-folder formula is set; the log-on carries the user and password.
TEST_F(RunnerHelpers, LogOnListsTheSubreportsOfAnotherDsn) {
    UseDataFolder();
    const std::string folderFormula = "<formula name='qzDataFolder'>\"\"</formula>";
    auto report =
        Load("<formulas><formula name='qzDesignMode'>\"SDesc\"</formula>" + folderFormula +
             "</formulas><report-footer>"
             "<subreport name='Same' connection-name='SameConn'><formulas>"
             "<formula name='qzDesignMode'>\"SDesc\"</formula>" +
             folderFormula +
             "</formulas>"
             "</subreport>"
             "<subreport name='Other' connection-name='OtherConn'><formulas>" +
             folderFormula + "</formulas></subreport></report-footer>");
    LogOnReport(*report, "qz", "pw");
    EXPECT_TRUE(ui->Messages().empty());
    ReportDSNs& dsns = *TheSession().reportDSNs;
    ASSERT_EQ(report->LogOns().size(), 1u);
    const CoreLogOnRecord& logOn = report->LogOns()[0];
    EXPECT_EQ(logOn.dsn, dsns.StandardDSN());
    EXPECT_EQ(logOn.user, "qz");
    EXPECT_EQ(logOn.password, "pw");
    EXPECT_EQ(logOn.names, (std::vector<std::string>{report->ConnectionName(), "OtherConn"}));
    EXPECT_EQ(logOn.dsns, (std::vector<std::string>{dsns.StandardDSN(), dsns.CustomDSN()}));
    const std::string quoted = "\"" + DataFolder() + "\"";
    EXPECT_EQ(report->FormulaField("qzDataFolder")->Text(), quoted);
    for (const char* name : {"Same", "Other"}) {
        EXPECT_EQ(report->OpenSubreport(name)->FormulaField("qzDataFolder")->Text(), quoted)
            << name;
    }
}

// Server, database and user come from the connection string (no user when it has no "Uid"),
// never a password; sub-reports get the same log-on.
TEST_F(RunnerHelpers, ReportDatabaseFromTheConnectionString) {
    const std::pair<const char*, const char*> cases[] = {
        {"Provider=SQLOLEDB;Server=SQL1;Database=hl;Uid=kim;Pwd=secret", "kim"},
        {"Server=SQL1;Database=hl", ""},
    };
    for (const auto& [connection, user] : cases) {
        auto report = Load(
            "<tables><table name='Main'/></tables><report-footer><subreport name='Sub'>"
            "<tables><table name='SubRows'/></tables></subreport></report-footer>");
        SetReportDatabase(*report, connection);
        for (const auto& target : {report, report->OpenSubreport("Sub")}) {
            const CoreLogOnInfo& info = target->Database()->Tables().front()->LogOnInfo();
            EXPECT_EQ(info.server, "SQL1") << connection;
            EXPECT_EQ(info.database, "hl") << connection;
            EXPECT_EQ(info.user, user) << connection;
            EXPECT_EQ(info.password, "") << connection;
        }
    }
}

// A failing custom-values query is 2959 "basRptRSVarrik.CustomReportParams".
TEST_F(RunnerHelpers, CustomReportParamsErrorIs2959) {
    TheSession().sharedRecordset = std::make_shared<clsRecordset>();
    TheSession().sharedRecordset->SetConnectionString(db.ConnectionString());
    const ComError error = CaughtComError([] { CustomReportParams("P1"); });
    EXPECT_EQ(error.Number(), 2959);
    EXPECT_EQ(error.Source(), "basRptRSVarrik.CustomReportParams");
}

// The count of the first dimension, whatever its lower bound.
TEST(ArrayCount, CountsTheFirstDimension) {
    EXPECT_EQ(ArrayCount(Variant(VariantArray(0, 3))), 3);
    EXPECT_EQ(ArrayCount(Variant(VariantArray(1, 2, 0, 5))), 2);
    EXPECT_EQ(ArrayCount(Variant(VariantArray(5, 0))), 0);
}

class FakeWindow : public CoreWindow {
  public:
    explicit FakeWindow(bool minimized) : minimized_(minimized) {}
    bool IsMinimized() const override { return minimized_; }

  private:
    bool minimized_;
};

class FakeReportForm : public CoreReportForm {
  public:
    bool closed = false;
    std::shared_ptr<ComObject> owner;
    bool failBringForward = false;
    int broughtForward = 0;

    void BringForward() override {
        ++broughtForward;
        if (failBringForward) {
            throw ComError(5, "form", "cannot focus");
        }
    }
    std::shared_ptr<ComObject> OwnerWindow() override { return owner; }
    bool IsClosed() override { return closed; }
};

struct FocusCase {
    const char* label;
    bool focusFlag;
    bool closed;
    int owner;  // 0 none, 1 a normal window, 2 a minimised one
    bool failBringForward;
    int broughtForward;
    bool formKept;
};

// The last form comes forward only with the flag set, open, owned by a window that is not
// minimised; a closed form is forgotten; an error is swallowed.
TEST_F(RunnerHelpers, FocusLastReportForm) {
    const FocusCase cases[] = {
        {"flagOff", false, false, 1, false, 0, true},  {"closed", true, true, 1, false, 0, false},
        {"noOwner", true, false, 0, false, 0, true},   {"normal", true, false, 1, false, 1, true},
        {"minimised", true, false, 2, false, 0, true}, {"failing", true, false, 1, true, 1, true},
    };
    for (const FocusCase& row : cases) {
        auto form = std::make_shared<FakeReportForm>();
        form->closed = row.closed;
        form->failBringForward = row.failBringForward;
        if (row.owner != 0) {
            form->owner = std::make_shared<FakeWindow>(row.owner == 2);
        }
        TheSession().settings.focusFlag = row.focusFlag;
        TheSession().lastReportForm = form;
        FocusLastReportForm();
        EXPECT_EQ(form->broughtForward, row.broughtForward) << row.label;
        EXPECT_EQ(TheSession().lastReportForm != nullptr, row.formKept) << row.label;
    }
}

}  // namespace
}  // namespace hlreports::test
