// The fixture of ServiceFixture.h.
#include "service/ServiceFixture.h"

#include <filesystem>

#include "data/Connections.h"
#include "data/clsRecordset.h"
#include "datasources/OdbcSandbox.h"
#include "hlreports/ReportDSNs.h"

namespace hlreports::test {

RecordsetPtr FakeDispatcher::GetReportData(const std::string& dataSource, bool& bParamsWindow,
                                           bool& /*journalHandled*/,
                                           CoreParameterArray& reportParameters,
                                           const std::string& /*userName*/,
                                           const std::string& /*password*/,
                                           const std::string& reportName) {
    calls.push_back({dataSource, reportName, reportParameters.size()});
    return act(bParamsWindow);
}

ServiceTest::ServiceTest()
    : db("CREATE TABLE tblReportLib (Description varchar(50), Name varchar(255),"
         " DataSource varchar(50));"
         "CREATE TABLE tblSetup (property varchar(10), setting varchar(30), value varchar(255));"
         "CREATE TABLE tblUnit (unit varchar(10) NOT NULL, rent money);"
         "INSERT INTO tblUnit VALUES ('101', 900), ('102', 950), ('201', 1000);") {}

void ServiceTest::SetUp() {
    ResetSession();
    TheSession().ui = ui;
    std::filesystem::create_directories(files / "reports");
    std::filesystem::create_directories(files / "data");
    UseUserIni(files / "odbc.ini");
    db.AddProcedure(
        "sp_GetSetupInfo",
        "@Property varchar(10), @Setting varchar(30), @SettingValue varchar(255) OUTPUT",
        "SELECT value AS \"@SettingValue\" FROM tblSetup"
        " WHERE property = @Property AND setting = @Setting");
    db.AddProcedure("sp_Rep_GetReportName", "@Description varchar(30), @Name varchar(30) OUTPUT",
                    "SELECT Name AS \"@Name\" FROM tblReportLib WHERE Description = @Description");
    // The runner reads the property's setting, PrintRS the one of no property.
    db.Execute("INSERT INTO tblSetup VALUES ('P1', 'ReportDirectory', '" + ReportFolder() +
               "'), ('', 'ReportDirectory', '" + ReportFolder() + "')");
}

void ServiceTest::TearDown() {
    if (TheSession().reportDSNs) {
        TheSession().reportDSNs->RemoveDSNs();
    }
    ResetSession();
}

void ServiceTest::AddLibraryRow(const std::string& description, const std::string& name,
                                const std::string& dataSource) const {
    auto quoted = [](const std::string& text) {
        std::string out = "'";
        for (char c : text) {
            out += c == '\'' ? std::string("''") : std::string(1, c);
        }
        return out + "'";
    };
    db.Execute("INSERT INTO tblReportLib VALUES (" + quoted(description) + ", " + quoted(name) +
               ", " + (dataSource.empty() ? std::string("NULL") : quoted(dataSource)) + ")");
}

std::string ServiceTest::WriteReport(const std::string& name, const std::string& title,
                                     const std::string& formulas) const {
    const std::string xml =
        "<report name='rptTest' title='" + title +
        "'><parameters><parameter name='Property' type='11'/>"
        "<parameter name='Note' type='11'/></parameters>" +
        (formulas.empty() ? std::string() : "<formulas>" + formulas + "</formulas>") +
        "<tables><table name='Main' location='sp_x'/></tables></report>";
    return files.WriteFile("reports/" + name, xml).string();
}

RecordsetPtr ServiceTest::Units(const std::string& where) const {
    return OpenConnection(db.ConnectionString())
        ->OpenRecordset("SELECT unit, rent FROM tblUnit WHERE " + where + " ORDER BY unit");
}

}  // namespace hlreports::test
