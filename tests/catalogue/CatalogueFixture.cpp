// The fixture of CatalogueFixture.h.
#include "catalogue/CatalogueFixture.h"

#include <filesystem>

#include "catalogue/Catalogue.h"
#include "data/clsRecordset.h"
#include "hlreports/ReportDSNs.h"
#include "ui/AnswerFile.h"
#include "ui/ScriptedUi.h"

namespace hlreports::test {
namespace {

std::string TableXml(const std::string& name) {
    return "<tables><table name='" + name +
           "' location='sp_x' connection-text='Provider=SQLOLEDB;Server=old;Database=old'/>"
           "</tables>";
}

std::string ReportXml(const TestReport& description) {
    std::string xml = "<report name='rptTest' connection-name='HLData'><parameters>";
    for (const TestParameter& parameter : description.parameters) {
        xml += "<parameter name=\"" + parameter.name + "\" type='" +
               std::to_string(parameter.type) + "'" + (parameter.multi ? " multi='true'" : "") +
               "/>";
    }
    xml += "</parameters><formulas><formula name='qzDataFolder'>\"\"</formula></formulas>";
    xml +=
        "<tables><table name='Main' location='sp_x' "
        "connection-text='Provider=SQLOLEDB;Server=old;Database=old'/>";
    if (description.withDataFolderTable) {
        xml +=
            "<table name='Folder' location='Units' "
            "connection-text='DSN=x;Larchfield Data Source'/>";
    }
    xml += "</tables>";
    if (!description.subreports.empty()) {
        xml += "<report-footer>";
        for (const std::string& name : description.subreports) {
            xml += "<subreport name='" + name + "'>" + TableXml(name + "Rows") + "</subreport>";
        }
        xml += "</report-footer>";
    }
    return xml + "</report>";
}

}  // namespace

std::shared_ptr<CoreParameter> MakeParameter(const std::string& name) {
    return std::make_shared<CoreParameter>(name, "", CoreValueString, false, false,
                                           std::vector<Variant>{});
}

void CatalogueTest::SetUp() {
    ResetSession();
    Session& session = TheSession();
    session.ui = ui;
    session.sharedRecordset = std::make_shared<clsRecordset>();
    session.sharedRecordset->SetConnectionString(db.ConnectionString());
    std::filesystem::create_directories(files / "data");
    session.reportDSNs = std::make_shared<ReportDSNs>();
    std::string folder = DataFolder();
    session.reportDSNs->Initialize(folder);
    session.settings.propertyId = "P1";
    session.settings.propertyName = "Maple Court";
    session.settings.criteria = Variant::Null();
}

void CatalogueTest::TearDown() {
    if (TheSession().reportDSNs) {
        TheSession().reportDSNs->RemoveDSNs();
    }
    ResetSession();
}

std::string CatalogueTest::DataFolder() const {
    return (files / "data").string();
}

std::shared_ptr<CoreReport> CatalogueTest::LoadCurrentReport(const TestReport& description) {
    const auto path = files.WriteFile("report.rpt", ReportXml(description));
    auto report = CoreEngine().NewReport();
    report->Load(path.string());
    TheSession().currentReport = report;
    return report;
}

std::string CatalogueTest::FormulaText(const CoreReport& report, const std::string& name) const {
    const auto formula = report.FormulaField(name);
    return formula ? formula->Text() : "(no formula " + name + ")";
}

RecordsetPtr BuilderTest::RunBuilder(const std::string& key, const std::string& answers,
                                     const TestReport& description, const Variant& criteria) {
    report = LoadCurrentReport(description);
    parameters = report->Parameters();
    TheSession().ui = std::make_shared<ScriptedUi>(AnswerFile::Parse(answers, "test"), messages);
    BuilderContext context{
        propertyId, propertyName, bParamsWindow, parameters, criteria, report, "", ""};
    return StandardCatalogue().at(key).build(context);
}

TestReport BuilderTest::ReportWith(const std::vector<std::string>& formulas,
                                   std::vector<std::string> subreports) {
    TestReport description;
    description.subreports = std::move(subreports);
    for (const std::string& name : formulas) {
        description.parameters.push_back({name});
    }
    return description;
}

Variant BuilderTest::Formula(const std::string& name) const {
    for (const auto& parameter : parameters) {
        if (parameter->Name() == name) {
            return OnlyValue(*parameter);
        }
    }
    return Variant("(none)");
}

Variant OnlyValue(const CoreParameter& parameter) {
    const auto& values = parameter.CurrentValues();
    EXPECT_LE(values.size(), 1U) << parameter.Name();
    return values.empty() ? Variant() : values.front().start;
}

std::vector<Variant> CurrentValues(const CoreParameter& parameter) {
    std::vector<Variant> values;
    for (const auto& value : parameter.CurrentValues()) {
        values.push_back(value.start);
    }
    return values;
}

}  // namespace hlreports::test
