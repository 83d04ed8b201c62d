// The prompt tests' fixture; see PromptsFixture.h.
#include "prompts/PromptsFixture.h"

#include "data/clsRecordset.h"
#include "ui/AnswerFile.h"

namespace hlreports::test {

void QueueUi::ShowModal(Form& form) {
    shown.push_back(form.Name());
    form.Present();
    if (!scripts.empty()) {
        auto script = std::move(scripts.front());
        scripts.pop_front();
        script(form);
    }
    form.DeliverSentKeys();
    form.Hide();
}

std::string PromptsTest::PromptsSchema() {
    return "CREATE TABLE tblProperty (Property varchar(10), Name varchar(40));"
           "INSERT INTO tblProperty VALUES ('OAK', 'Oak Terrace'), ('PINE', 'Pine Ridge'),"
           " ('CEDAR', 'Cedar Court'), ('O''HARE', 'O''Hare Place');"
           "CREATE TABLE tblSecurity (Username varchar(30), Type varchar(20), Item varchar(30));"
           "INSERT INTO tblSecurity VALUES ('kim', 'Property', 'OAK'),"
           " ('kim', 'Property', 'PINE'), ('kim', 'Report', 'CEDAR'), ('lee', 'Property', 'CEDAR'),"
           " ('lee', 'Property', 'O''HARE'), ('o''neil', 'Property', 'PINE');"
           "CREATE TABLE tblProp_Unit (Property varchar(10), Unit varchar(10), SortOrder int);"
           "INSERT INTO tblProp_Unit VALUES ('OAK', '101', 1), ('OAK', '102', 2),"
           " ('PINE', 'A01', 1), ('CEDAR', 'C101', 1), ('O''HARE', 'H1', 1);"
           "CREATE TABLE tblUnitCalls (PropertyString TEXT);";
}

void PromptsTest::SetUp() {
    ResetSession();
    TheSession().ui = ui;
    TheSession().sharedRecordset = std::make_shared<clsRecordset>();
    TheSession().sharedRecordset->SetConnectionString(db.ConnectionString());
    TheSession().settings.userName = "kim";
    TheSession().settings.propertyId = "OAK";
    db.AddProcedure("sp_DistinctUnitListParameter", "@PropertyString varchar(8000)",
                    "INSERT INTO tblUnitCalls VALUES (@PropertyString);"
                    "SELECT DISTINCT Unit, Unit AS Unit_Number, Property FROM tblProp_Unit"
                    " WHERE instr(@PropertyString, '''' || replace(Property, '''', '''''')"
                    " || '''') > 0 ORDER BY Property, SortOrder;");
    db.AddProcedure("sp_GetPropertyInfo", "@Property varchar(10), @DBVersion varchar(10) OUTPUT",
                    "SELECT '7.1' AS \"@DBVersion\";");
}

void PromptsTest::TearDown() {
    ResetSession();
}

std::shared_ptr<CoreReport> PromptsTest::LoadReport(const std::string& parameters,
                                                    const std::string& formulas) {
    const std::string xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<report name=\"Custom\" title=\"Custom\">"
        "<parameters>" +
        parameters + "</parameters><formulas>" + formulas + "</formulas></report>";
    const auto path = db.Dir().WriteFile("custom.rpt", xml);
    auto report = CoreEngine().NewReport();
    report->Load(path.string());
    TheSession().currentReport = report;
    return report;
}

std::shared_ptr<ScriptedUi> PromptsTest::UseAnswers(const std::string& json) {
    auto scripted = std::make_shared<ScriptedUi>(AnswerFile::Parse(json, "test"), messages);
    TheSession().ui = scripted;
    return scripted;
}

std::string PromptsTest::PropertyFormula() {
    return "<formula name=\"Property Selection\">\"SELECT Property, Property, Name FROM "
           "tblProperty ORDER BY Name\"</formula>";
}

std::string PromptsTest::LastUnitListArgument() const {
    return db.QueryText("SELECT PropertyString FROM tblUnitCalls ORDER BY rowid DESC LIMIT 1");
}

}  // namespace hlreports::test
