// The object model the component walks: lookups by name, sub-reports, sections, log-on record,
// tables and the engine's window state.
#include <gtest/gtest.h>

#include "engine/EngineFixtures.h"

namespace hlreports::test {
namespace {

constexpr const char* ModelReport =
    R"(<report name="rptDeposit" title="Deposit Log" connection-name="HLData">
  <parameters>
    <parameter name="StartDate" type="10"/>
    <parameter name="Current" type="9"/>
  </parameters>
  <formulas>
    <formula name="qzDataFolder">""</formula>
  </formulas>
  <tables>
    <table name="Deposits" location="sp_Rep_DepositLog" connection-text="Provider=SQLOLEDB;Server=s"/>
    <table name="Files" location="residents.dat" connection-text="Larchfield Data Source;DSN=x"/>
  </tables>
  <page-header><parameter name="StartDate"/><text>Confidential</text></page-header>
  <detail><column field="Resident"/></detail>
  <report-footer count="true">
    <subreport name="Sum" connection-name="HLSum">
      <tables><table name="SumRows"/></tables>
      <formulas><formula name="qzDesignMode">"Dictionary"</formula></formulas>
    </subreport>
    <subreport name="Box"/>
  </report-footer>
</report>)";

class ReportModel : public ::testing::Test {
  protected:
    TempDir folder_;
    std::shared_ptr<CoreReport> report_ = LoadReport(folder_, ModelReport);
};

// ParameterByName ignores case; an unknown name is error 20512 naming report and parameter.
TEST_F(ReportModel, ParameterByName) {
    EXPECT_EQ(report_->ParameterByName("startdate"), report_->Parameters()[0]);
    const ComError error = CaughtComError([&] { report_->ParameterByName("Batch ID"); });
    EXPECT_EQ(error.Number(), 20512);
    EXPECT_EQ(error.Source(), "CoreReport.ParameterByName");
    EXPECT_EQ(error.Description(), "Report rptDeposit has no parameter named Batch ID");
}

// FormulaField ignores case, answers nullptr when absent, and SetText is what Text reads back.
TEST_F(ReportModel, FormulaField) {
    EXPECT_EQ(report_->FormulaField("qzDesignMode"), nullptr);
    const auto folder = report_->FormulaField("QZDATAFOLDER");
    ASSERT_NE(folder, nullptr);
    folder->SetText("\"D:\\Data\"");
    EXPECT_EQ(report_->FormulaField("qzDataFolder")->Text(), "\"D:\\Data\"");
    EXPECT_EQ(report_->OpenSubreport("Sum")->FormulaField("qzDesignMode")->Text(),
              "\"Dictionary\"");
}

// Sub-reports open by name ignoring case, the same object the report footer's object opens.
TEST_F(ReportModel, SubreportsBySectionsAndByName) {
    std::vector<std::string> opened;
    for (const auto& section : report_->Sections()) {
        for (const auto& object : section->Objects()) {
            if (object->Kind() != CoreObjectSubreport) {
                continue;
            }
            const auto subreport = object->Subreport()->Open(object->Subreport()->Name());
            EXPECT_EQ(subreport, report_->OpenSubreport(object->Subreport()->Name()));
            opened.push_back(section->Name() + "/" + subreport->Name());
        }
    }
    EXPECT_EQ(opened, (std::vector<std::string>{"ReportFooter/Sum", "ReportFooter/Box"}));
    EXPECT_EQ(report_->OpenSubreport("sum")->ConnectionName(), "HLSum");
}

// Unknown sub-report names are error 20511 naming the name asked for.
TEST_F(ReportModel, UnknownSubreportRaises20511) {
    const ComError byReport = CaughtComError([&] { report_->OpenSubreport("MonthlySum.rpt"); });
    EXPECT_EQ(byReport.Number(), 20511);
    EXPECT_EQ(byReport.Source(), "CoreReport.OpenSubreport");
    EXPECT_EQ(byReport.Description(), "Report rptDeposit has no sub-report named MonthlySum.rpt");
    const auto object = report_->Sections().back()->Objects().back()->Subreport();
    const ComError byObject = CaughtComError([&] { object->Open("Sum"); });
    EXPECT_EQ(byObject.Number(), 20511);
    EXPECT_EQ(byObject.Description(),
              "The sub-report object holds Box, not a sub-report named Sum");
}

// Sections list each printed part with objects of the documented kinds and names.
TEST_F(ReportModel, SectionsAndObjects) {
    std::vector<std::string> seen;
    for (const auto& section : report_->Sections()) {
        for (const auto& object : section->Objects()) {
            seen.push_back(section->Name() + ":" + std::to_string(object->Kind()) + ":" +
                           object->Name());
        }
    }
    EXPECT_EQ(seen,
              (std::vector<std::string>{"PageHeader:1:{?StartDate}", "PageHeader:2:Text",
                                        "Detail:1:{Deposits.Resident}", "ReportFooter:1:Count",
                                        "ReportFooter:5:Sum", "ReportFooter:5:Box"}));
}

// LogOnDataSources keeps what it received, one record per call, in order.
TEST_F(ReportModel, LogOnDataSourcesIsRecorded) {
    report_->LogOnDataSources("HLReportDSN00A1B2", "", "qz", "secret", {"HLData", "HLSum"},
                              {"HLReportDSN00A1B2", "HLReportDSNFFFFFF"}, 0, -1, 5, -1, -1);
    report_->LogOnDataSources("HLReportDSN00A1B2", "", "qz2", "", {"HLData"}, {"HLReportDSN00A1B2"},
                              0, -1, 5, -1, -1);
    ASSERT_EQ(report_->LogOns().size(), 2u);
    const CoreLogOnRecord& first = report_->LogOns()[0];
    EXPECT_EQ(first.dsn, "HLReportDSN00A1B2");
    EXPECT_EQ(first.user, "qz");
    EXPECT_EQ(first.password, "secret");
    EXPECT_EQ(first.names, (std::vector<std::string>{"HLData", "HLSum"}));
    EXPECT_EQ(first.dsns[1], "HLReportDSNFFFFFF");
    EXPECT_EQ(report_->LogOns()[1].user, "qz2");
}

// Tables keep log-on details, connection text and a location written back unchanged.
TEST_F(ReportModel, TableLogOnAndLocation) {
    const auto& tables = report_->Database()->Tables();
    ASSERT_EQ(tables.size(), 2u);
    EXPECT_EQ(tables[1]->ConnectionText(), "Larchfield Data Source;DSN=x");
    tables[0]->SetLogOnInfo("srv", "hl", "sa", "pw");
    tables[0]->SetLocation(tables[0]->Location());
    EXPECT_EQ(tables[0]->LogOnInfo().server, "srv");
    EXPECT_EQ(tables[0]->LogOnInfo().database, "hl");
    EXPECT_EQ(tables[0]->LogOnInfo().user, "sa");
    EXPECT_EQ(tables[0]->Location(), "sp_Rep_DepositLog");
    EXPECT_EQ(tables[0]->Rows(), nullptr);
}

// SetDataSource reads recordset XML; malformed text raises and keeps the rows already there.
TEST_F(ReportModel, SetDataSourceKeepsRowsOnBadXml) {
    const auto& table = report_->Database()->Tables()[0];
    table->SetDataSource(RowsXml({{"Resident"}}, {{"Ann"}, {"Bob"}}));
    ASSERT_NE(table->Rows(), nullptr);
    EXPECT_EQ(table->Rows()->RecordCount(), 2);
    const RecordsetPtr before = table->Rows();
    EXPECT_THROW(table->SetDataSource("<xml><unclosed>"), ComError);
    EXPECT_EQ(table->Rows(), before);
}

// Title put and get; the report date is kept once set.
TEST_F(ReportModel, TitleAndReportDate) {
    report_->SetTitle("Deposit Log - Current");
    EXPECT_EQ(report_->Title(), "Deposit Log - Current");
    EXPECT_FALSE(report_->HasReportDate());
    report_->SetReportDate(Date::FromYmd(2024, 2, 29));
    EXPECT_TRUE(report_->HasReportDate());
    EXPECT_EQ(report_->ReportDate(), Date::FromYmd(2024, 2, 29));
}

class FakeWindow : public CoreWindow {
  public:
    explicit FakeWindow(bool minimized) : minimized_(minimized) {}
    bool IsMinimized() const override { return minimized_; }

  private:
    bool minimized_;
};

class NotAWindow : public ComObject {};

// WindowState asks a CoreWindow; anything else (or nothing) counts as not minimised.
TEST(CoreEngine, WindowState) {
    const CoreEngine engine;
    EXPECT_TRUE(engine.WindowState(std::make_shared<FakeWindow>(true)).IsMinimized);
    EXPECT_FALSE(engine.WindowState(std::make_shared<FakeWindow>(false)).IsMinimized);
    EXPECT_FALSE(engine.WindowState(std::make_shared<NotAWindow>()).IsMinimized);
    EXPECT_FALSE(engine.WindowState(nullptr).IsMinimized);
}

// A new report is empty and safe to ask: no parameters, no tables, no definition.
TEST(CoreEngine, NewReportIsEmpty) {
    const auto report = CoreEngine().NewReport();
    EXPECT_TRUE(report->Parameters().empty());
    EXPECT_TRUE(report->Database()->Tables().empty());
    EXPECT_EQ(report->Definition(), nullptr);
    EXPECT_EQ(report->FormulaField("qzDataFolder"), nullptr);
}

}  // namespace
}  // namespace hlreports::test
