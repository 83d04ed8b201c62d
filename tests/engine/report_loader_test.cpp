// Loading report definition files: the documented example, and the failure fixtures that pin
// number, source, text and line of every load error.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "engine/EngineErrors.h"
#include "engine/EngineFixtures.h"
#include "engine/ReportDefinition.h"

namespace hlreports::test {
namespace {

std::string DocumentedExample() {
    std::ifstream doc(SourcePath("docs/report-format.md"));
    std::stringstream text;
    text << doc.rdbuf();
    const std::string all = text.str();
    const std::size_t start = all.find("```xml\n");
    const std::size_t end = all.find("```", start + 7);
    return all.substr(start + 7, end - start - 7);
}

// The example of docs/report-format.md loads, and the object model shows what it declares.
TEST(ReportLoader, LoadsTheDocumentedExample) {
    TempDir folder;
    const auto report = LoadReport(folder, DocumentedExample(), "NSF.rpt");
    EXPECT_EQ(report->Name(), "rptNSF");
    EXPECT_EQ(report->Title(), "Returned Item Report");
    EXPECT_EQ(report->ConnectionName(), "HLData");
    ASSERT_EQ(report->Parameters().size(), 4u);
    EXPECT_EQ(report->Parameters()[1]->ParameterName(), "{?SortOrder}");
    EXPECT_EQ(report->Parameters()[1]->PromptText(), "Sorted by");
    EXPECT_EQ(report->Parameters()[1]->DefaultValueCount(), 2);
    EXPECT_EQ(report->Parameters()[1]->DefaultValues()[1], Variant("Unit"));
    EXPECT_EQ(report->Parameters()[2]->ValueType(), CoreValueDate);
    ASSERT_NE(report->FormulaField("qzDesignMode"), nullptr);
    EXPECT_EQ(report->FormulaField("qzDesignMode")->Text(), "\"SDesc\"");
    ASSERT_EQ(report->Database()->Tables().size(), 1u);
    EXPECT_EQ(report->Database()->Tables()[0]->Location(), "sp_Rep_NSF");
    std::vector<std::string> sections;
    for (const auto& section : report->Sections()) {
        sections.push_back(section->Name());
    }
    EXPECT_EQ(sections, (std::vector<std::string>{"PageHeader", "Detail", "GroupHeader1",
                                                  "GroupFooter1", "ReportFooter"}));
    const auto subreport = report->OpenSubreport("ReasonSummary");
    EXPECT_EQ(subreport->Title(), "Returned Items by Reason");
    EXPECT_EQ(subreport->Path(), report->Path());
    EXPECT_EQ(subreport->Database()->Tables()[0]->Name(), "Reasons");
}

struct LoadFailure {
    const char* what;
    const char* xml;
    int line;
    const char* problem;
};

// A malformed file raises 20510 from "CoreReport.Load" naming the file, the line and the problem.
TEST(ReportLoader, MalformedFilesNameFileLineAndProblem) {
    const LoadFailure failures[] = {
        {"empty file", "", 1, "not well-formed XML (No document element found)"},
        {"unclosed element", "<report>\n  <parameters>\n</report>\n", 3,
         "not well-formed XML (Start-end tags mismatch)"},
        {"duplicate attribute", "<report title='a'\n  title='b'/>", 1,
         "attribute 'title' given twice on <report>"},
        {"wrong root", "<reports/>", 1, "the root element is <reports>, not <report>"},
        {"second root", "<report/>\n<report/>", 2, "a second root element <report> after <report>"},
        {"unknown element",
         "<report>\n<tables><table name='T'/></tables>\n<detail>\n  <colum "
         "field='A'/>\n</detail>\n</report>",
         4, "unknown element <colum> in <detail>"},
        {"unknown attribute",
         "<report>\n<tables><table name='T'/></tables>\n<detail>\n<column field='A' "
         "witdh='3'/>\n</detail>\n</report>",
         4, "unknown attribute 'witdh' on <column>"},
        {"text in a container", "<report>\n<tables>oops</tables>\n</report>", 2,
         "unexpected text in <tables>"},
        {"missing type", "<report><parameters>\n<parameter name='A'/>\n</parameters></report>", 2,
         "<parameter> needs the attribute 'type'"},
        {"bad value type",
         "<report><parameters>\n<parameter name='StartDate' type='12'/>\n</parameters></report>", 2,
         "value type '12' of parameter 'StartDate' is not one of 7, 8, 9, 10, 11, 16"},
        {"value type as a word",
         "<report><parameters>\n<parameter name='A' type='date'/>\n</parameters></report>", 2,
         "value type 'date' of parameter 'A' is not one of 7, 8, 9, 10, 11, 16"},
        {"duplicate parameter ignoring case",
         "<report><parameters>\n<parameter name='StartDate' type='10'/>\n<parameter "
         "name='startdate' type='10'/>\n"
         "</parameters></report>",
         3, "duplicate parameter 'startdate'"},
        {"empty parameter name",
         "<report><parameters>\n<parameter name='' type='11'/>\n</parameters></report>", 2,
         "the attribute 'name' of <parameter> is empty"},
        {"bad flag",
         "<report><parameters>\n<parameter name='A' type='11' "
         "range='yes'/>\n</parameters></report>",
         2, "the attribute 'range' of <parameter> is 'yes', not true or false"},
        {"bad default date",
         "<report><parameters>\n<parameter name='StartDate' type='10'>\n  "
         "<default>2024-13-01</default>\n"
         "</parameter>\n</parameters></report>",
         3, "default value '2024-13-01' of parameter 'StartDate' is not a date (YYYY-MM-DD)"},
        {"bad default number",
         "<report><parameters><parameter name='N' type='7'>\n<default>1e5</default>\n"
         "</parameter></parameters></report>",
         2, "default value '1e5' of parameter 'N' is not a number"},
        {"bad current date",
         "<report><parameters><parameter name='D' type='10'>\n<current>soon</current>\n"
         "</parameter></parameters></report>",
         2, "current value 'soon' of parameter 'D' is not a date (YYYY-MM-DD)"},
        {"second current",
         "<report><parameters><parameter name='S' type='11'><current>a</current>\n"
         "<current>b</current></parameter></parameters></report>",
         2, "parameter 'S' has a second <current>"},
        {"duplicate formula",
         "<report><formulas>\n<formula name='F'/>\n<formula "
         "name='f'>1</formula>\n</formulas></report>",
         3, "duplicate formula 'f'"},
        {"element inside a formula",
         "<report><formulas>\n<formula name='F'>a<b/></formula>\n</formulas></report>", 2,
         "unknown element <b> in <formula>"},
        {"duplicate table",
         "<report><tables>\n<table name='T'/>\n<table name='t'/>\n</tables></report>", 3,
         "duplicate table 't'"},
        {"undeclared detail table",
         "<report><tables><table name='NSF'/></tables>\n<detail table='NFS'/>\n</report>", 2,
         "<detail> names the table 'NFS', which the report does not declare"},
        {"detail without a table", "<report>\n<detail/>\n</report>", 2,
         "<detail> needs rows, but the report declares no table"},
        {"group without a table", "<report>\n<group field='Unit'/>\n</report>", 2,
         "<group> needs rows, but the report declares no table"},
        {"undeclared header parameter",
         "<report>\n<page-header>\n<parameter name='Nope'/>\n</page-header>\n</report>", 3,
         "<parameter> names the parameter 'Nope', which the report does not declare"},
        {"undeclared header formula",
         "<report>\n<page-header><formula name='qzDataFolder'/></page-header>\n</report>", 2,
         "<formula> names the formula 'qzDataFolder', which the report does not declare"},
        {"unknown format",
         "<report><tables><table name='T'/></tables><detail>\n<column field='A' format='money'/>\n"
         "</detail></report>",
         2, "unknown format 'money' on <column>"},
        {"zero width",
         "<report><tables><table name='T'/></tables><detail>\n<column field='A' width='0'/>\n"
         "</detail></report>",
         2, "width '0' of column 'A' is not a whole number from 1 to 500"},
        {"bad align",
         "<report><tables><table name='T'/></tables><detail>\n<column field='A' align='centre'/>\n"
         "</detail></report>",
         2, "align 'centre' of column 'A' is not left or right"},
        {"bad group order",
         "<report><tables><table name='T'/></tables>\n<group field='U' order='up'/>\n</report>", 2,
         "order 'up' of group 'U' is not ascending, descending or as-read"},
        {"second detail",
         "<report><tables><table name='T'/></tables><detail/>\n<detail/>\n</report>", 2,
         "a second <detail> in <report>"},
        {"sub-report inside a sub-report",
         "<report><report-footer>\n<subreport name='A'><report-footer>\n<subreport name='B'/>\n"
         "</report-footer></subreport>\n</report-footer></report>",
         3, "a sub-report cannot hold sub-reports"},
        {"sub-report without a name",
         "<report><report-footer>\n<subreport/>\n</report-footer></report>", 2,
         "<subreport> needs the attribute 'name'"},
        {"duplicate sub-report",
         "<report><report-footer>\n<subreport name='Sum'/>\n<subreport name='SUM'/>\n"
         "</report-footer></report>",
         3, "duplicate sub-report 'SUM'"},
        {"sum in a group footer naming nothing",
         "<report><tables><table name='T'/></tables><group field='U'>\n"
         "<footer><sum/></footer>\n</group></report>",
         2, "<sum> needs the attribute 'field'"},
    };
    for (const LoadFailure& failure : failures) {
        SCOPED_TRACE(failure.what);
        TempDir folder;
        const std::string path = folder.WriteFile("bad.rpt", failure.xml).string();
        const ComError error = CaughtComError([&] { CoreEngine().NewReport()->Load(path); });
        EXPECT_EQ(error.Number(), 20510);
        EXPECT_EQ(error.Source(), "CoreReport.Load");
        EXPECT_EQ(error.Description(), "Malformed report file " + path + ", line " +
                                           std::to_string(failure.line) + ": " + failure.problem);
    }
}

// A missing file, or a folder where a file is expected, raises 20507 that the runner relies on.
TEST(ReportLoader, MissingFileRaises20507) {
    TempDir folder;
    const std::string missing = (folder / "gone.rpt").string();
    const std::string paths[] = {missing, folder.Path().string(), ""};
    for (const std::string& path : paths) {
        SCOPED_TRACE(path);
        const ComError error = CaughtComError([&] { CoreEngine().NewReport()->Load(path); });
        EXPECT_EQ(error.Number(), 20507);
        EXPECT_EQ(error.Source(), "CoreReport.Load");
        EXPECT_EQ(error.Description(), "Report file not found: " + path);
    }
}

// A failed Load leaves the report exactly as the last good Load made it.
TEST(ReportLoader, FailedLoadLeavesTheReportAsItWas) {
    TempDir folder;
    const auto report =
        LoadReport(folder,
                   "<report title='Good'><parameters><parameter name='P' type='11'/></parameters>"
                   "<tables><table name='T'/></tables></report>");
    const std::string goodPath = report->Path();
    folder.WriteFile(
        "bad.rpt",
        "<report title='Bad'><parameters><parameter name='Q' type='99'/></parameters></report>");
    EXPECT_THROW(report->Load((folder / "bad.rpt").string()), ComError);
    EXPECT_EQ(report->Title(), "Good");
    EXPECT_EQ(report->Path(), goodPath);
    ASSERT_EQ(report->Parameters().size(), 1u);
    EXPECT_EQ(report->Parameters()[0]->Name(), "P");
    EXPECT_EQ(report->Database()->Tables().size(), 1u);
}

// Loading again replaces everything, and the arrays the caller holds see the new content.
TEST(ReportLoader, SecondLoadReplacesStateInTheSameArrays) {
    TempDir folder;
    const auto report = LoadReport(
        folder, "<report><parameters><parameter name='A' type='11'/></parameters></report>");
    auto& parameters = report->Parameters();
    report->ParameterByName("A")->SetCurrentValue(Variant("x"));
    report->SetReportDate(Date::FromYmd(2024, 1, 31));
    report->Load(folder
                     .WriteFile("second.rpt",
                                "<report><parameters><parameter name='B' type='7'/><parameter "
                                "name='C' type='9'/></parameters></report>")
                     .string());
    ASSERT_EQ(parameters.size(), 2u);
    EXPECT_EQ(parameters[0]->Name(), "B");
    EXPECT_FALSE(report->HasReportDate());
}

// Without a name attribute the report is named after its file; texts and blanks stay as written.
TEST(ReportLoader, DefaultsAndExactTexts) {
    TempDir folder;
    const auto report = LoadReport(
        folder,
        "<?xml version='1.0' encoding='UTF-8'?>\n<!-- a comment -->\n<report>"
        "<parameters><parameter name='QZLIST(Unit Selection)' type='11'>"
        "<default>  two blanks  </default><default></default></parameter>"
        "<parameter name='Amount' type='8'><default>-1250.1234</default></parameter>"
        "<parameter name='When' type='16'><default>2024-01-31T17:30:00</default></parameter>"
        "<parameter name='Flag' type='9'><default>true</default></parameter></parameters>"
        "<formulas><formula name='Unit Selection'><![CDATA[SELECT a < b]]></formula>"
        "</formulas></report>",
        "rptUnits.rpt");
    EXPECT_EQ(report->Name(), "rptUnits");
    EXPECT_EQ(report->Title(), "");
    const auto& list = *report->Parameters()[0];
    EXPECT_EQ(list.ParameterName(), "{?QZLIST(Unit Selection)}");
    EXPECT_EQ(list.DefaultValues(), (std::vector<Variant>{Variant("  two blanks  "), Variant("")}));
    EXPECT_EQ(report->Parameters()[1]->DefaultValues()[0], Variant::Currency(-12501234));
    EXPECT_EQ(report->Parameters()[2]->DefaultValues()[0],
              Variant(Date::FromYmdHms(2024, 1, 31, 17, 30, 0)));
    EXPECT_EQ(report->Parameters()[3]->DefaultValues()[0], Variant(true));
    EXPECT_EQ(report->FormulaField("unit selection")->Text(), "SELECT a < b");
}

// Sum labels and formats come from the column that shows the field unless the sum says otherwise.
TEST(ReportLoader, SumsTakeLabelAndFormatFromTheirColumn) {
    TempDir folder;
    const auto report = LoadReport(
        folder,
        "<report><tables><table name='T'/></tables><detail>"
        "<column field='Amount' heading='Paid' format='currency'/></detail>"
        "<report-footer><sum field='amount'/><sum field='Fee'/>"
        "<sum field='Amount' label='Total paid' format='number:1'/></report-footer></report>");
    const auto& sums = report->Definition()->reportFooter->sums;
    ASSERT_EQ(sums.size(), 3u);
    EXPECT_EQ(sums[0].label, "Paid");
    EXPECT_EQ(sums[0].format.spec, "currency");
    EXPECT_EQ(sums[1].label, "Fee");
    EXPECT_EQ(sums[1].format.spec, "");
    EXPECT_EQ(sums[2].label, "Total paid");
    EXPECT_EQ(sums[2].format.spec, "number:1");
}

}  // namespace
}  // namespace hlreports::test
