// CreateObject: the creatable classes by programmatic name, the classic error for other names,
// and a Reports object that reaches the standard catalogue.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "hlreports/CreateObject.h"
#include "hlreports/ReportDSNs.h"
#include "hlreports/Reports.h"
#include "prompts/clsCustomRptParams.h"
#include "runtime/ComError.h"
#include "runtime/Session.h"
#include "support/TempDir.h"
#include "support/TestDatabase.h"
#include "ui/Ui.h"

namespace hlreports::test {
namespace {

class CreateObjectTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetSession();
        TheSession().ui = std::make_shared<RecordingUi>();
    }
    void TearDown() override { ResetSession(); }
};

// Each registered name gives a new object of its class, whatever the case of the name.
TEST_F(CreateObjectTest, CreatesTheRegisteredClasses) {
    const struct {
        const char* name;
        std::function<bool(const std::shared_ptr<ComObject>&)> isExpectedClass;
    } cases[] = {
        {"HLReports.Reports",
         [](const auto& object) { return std::dynamic_pointer_cast<Reports>(object) != nullptr; }},
        {"hlreports.reports",
         [](const auto& object) { return std::dynamic_pointer_cast<Reports>(object) != nullptr; }},
        {"HLReports.ReportDSNs",
         [](const auto& object) {
             return std::dynamic_pointer_cast<ReportDSNs>(object) != nullptr;
         }},
        {"HLREPORTS.CLSCUSTOMRPTPARAMS",
         [](const auto& object) {
             return std::dynamic_pointer_cast<clsCustomRptParams>(object) != nullptr;
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const std::shared_ptr<ComObject> first = CreateObject(c.name);
        EXPECT_TRUE(c.isExpectedClass(first));
        EXPECT_NE(CreateObject(c.name), first);
    }
}

// Any other name is the classic 429 naming it, and creates nothing.
TEST_F(CreateObjectTest, UnknownNamesRaise429) {
    for (const char* name : {"HLReports.clsLineAdder", "Reports", "HLReports.Report",
                             "HLReports.Reports ", "", "HLReports.CoreReport"}) {
        SCOPED_TRACE(std::string("'") + name + "'");
        try {
            CreateObject(name);
            ADD_FAILURE() << "no error";
        } catch (const ComError& error) {
            EXPECT_EQ(error.Number(), 429);
            EXPECT_EQ(error.Source(), "HLReports");
            EXPECT_EQ(error.Description(),
                      std::string("ActiveX component can't create object: ") + name);
        }
        EXPECT_FALSE(TheSession().sharedRecordset);
    }
}

// A Reports object from the registry prints a standard report through the catalogue: the
// row's procedure fills the main table, its formula value is set and the report is logged on.
TEST_F(CreateObjectTest, ReportsReachTheCatalogue) {
    TestDatabase db(
        "CREATE TABLE tblReportLib (Description varchar(50), Name varchar(50),"
        " DataSource varchar(50));"
        "INSERT INTO tblReportLib VALUES ('Apartment Status', 'aptstatus.rpt', 'rptAptStatus');"
        "CREATE TABLE tblUnit (property varchar(10), unit varchar(10));"
        "INSERT INTO tblUnit VALUES ('P1', '101'), ('P1', '102'), ('P2', '201');");
    TempDir folders;
    std::filesystem::create_directories(folders / "reports");
    std::filesystem::create_directories(folders / "data");
    folders.WriteFile("reports/aptstatus.rpt",
                      "<report name='rptAptStatus'><parameters>"
                      "<parameter name='Property' type='11'/></parameters>"
                      "<tables><table name='Units'/></tables></report>");
    db.AddProcedure(
        "sp_GetSetupInfo",
        "@Property varchar(10), @Setting varchar(30), @SettingValue varchar(255) OUTPUT",
        "SELECT '" + (folders / "reports").string() + "' AS \"@SettingValue\"");
    db.AddProcedure("sp_Rep_ApartmentStatus", "@Property varchar(10)",
                    "SELECT unit AS Unit FROM tblUnit WHERE property = @Property ORDER BY unit");

    auto reports = std::dynamic_pointer_cast<Reports>(CreateObject("HLReports.Reports"));
    ASSERT_TRUE(reports);
    int32_t destination = irtowindow;
    bool bParamsWindow = false;
    std::string dataFolder = (folders / "data").string();
    std::string user = "qz";
    std::string password = "secret";
    auto report = reports->PrintReport("Apartment Status", "01", "P1", "Maple Court",
                                       db.ConnectionString(), "kim", destination, bParamsWindow,
                                       Variant(false), dataFolder, user, password, Date(), Date());
    ASSERT_TRUE(report);
    const auto& rows = report->Database()->Tables().front()->Rows();
    ASSERT_TRUE(rows);
    EXPECT_EQ(rows->RecordCount(), 2);
    EXPECT_EQ(report->ParameterByName("Property")->CurrentValue(), Variant("P1 - Maple Court"));
    EXPECT_EQ(report->LogOns().size(), 1U);
    EXPECT_FALSE(bParamsWindow);
}

}  // namespace
}  // namespace hlreports::test
