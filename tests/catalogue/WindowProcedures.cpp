// The procedures of WindowProcedures.h.
#include "catalogue/WindowProcedures.h"

#include <string>
#include <vector>

namespace hlreports::test {
namespace {

struct Procedure {
    const char* name;
    const char* params;
};

// The report procedures, parameters in declaration order.
const Procedure kReportProcedures[] = {
    {"sp_Rep_RentStatement",
     "@Property varchar(10), @Resident varchar(10), @StatementDate date, @AsOf date,"
     " @LastStatementDate date, @PropAddrLn1 varchar(30) OUTPUT, @PropAddrLn2 varchar(30) OUTPUT,"
     " @PropAddrLn3 varchar(29) OUTPUT"},
    {"sp_Rep_EconomicVacancy",
     "@Property varchar(10), @StartDate date, @EndDate date, @ProMoDays int OUTPUT"},
    {"sp_Rep_rptLeaseExpiration",
     "@RepStart date, @RepEnd date, @Property varchar(10), @OrderBy varchar(50)"},
    {"sp_Rep_NSF", "@Property varchar(10), @StartDate date, @EndDate date"},
    {"sp_Rep_rptPropStatus", "@Property varchar(10), @StartDate date, @EndDate date"},
    {"sp_Rep_rptTraffic", "@Property varchar(10), @DateStart date, @DateEnd date"},
    {"sp_Rep_rptTrafficSources",
     "@Property varchar(10), @PropName varchar(55), @StartDate date, @EndDate date"},
    {"sp_Rep_rptTenantList", "@Property varchar(10)"},
    {"sp_Rep_rptCashReceiptsPosted",
     "@Property varchar(10), @DatePost date, @BatchNum varchar(10), @ViewAll smallint"},
    {"sp_Rep_BankDepBatch", "@Property varchar(10), @StartDate date, @EndDate date"},
    {"sp_Rep_rptCurrentBallance", "@Property varchar(10), @AsOfDate date, @Applicants int"},
    {"sp_Rep_rptDelinquency",
     "@Property varchar(10), @DelinqOper varchar(2), @AgeBy int, @AsOfDate date"},
    {"sp_Rep_WeeklyBoxMain", "@Property varchar(10), @StartDate date, @EndDate date"},
    {"sp_Rep_WeeklyBoxSub", "@Property varchar(10), @StartDate date, @EndDate date"},
    {"sp_Rep_MonthlySum",
     "@Property varchar(10), @AcctgMethod int, @RepStart date, @RepEnd date, @EOM date,"
     " @DefaultChargeType varchar(20) OUTPUT, @DepositCredits int OUTPUT,"
     " @NetDelinquentPrepaid float OUTPUT, @CurrentAR float OUTPUT"},
    {"sp_Rep_UnitListing", "@Property varchar(10)"},
    {"sp_Rep_UnitStatistics",
     "@Property varchar(10), @StartDate date, @EndDate date, @OnNotice int OUTPUT"},
    {"sp_Rep_rptTransList",
     "@Property varchar(10), @PropName varchar(55), @RepStart date, @RepEnd date"},
    {"sp_Rep_PostedCashGLEffect", "@Property varchar(10), @StartDate date, @EndDate date"},
    {"sp_Rep_rptMoveInOut",
     "@Property varchar(10), @StartDate date, @EndDate date, @SortBy varchar(15)"},
    {"sp_Rep_DaysVacant",
     "@Property varchar(10), @StartDate date, @EndDate date,"
     " @Occ_Proration_Opt varchar(20) OUTPUT"},
    {"sp_Rep_DepositLog", "@StartDate date, @EndDate date, @Property varchar(10)"},
    {"sp_Rep_OtherUnitByType",
     "@Property varchar(10), @booRented smallint, @booAvailable smallint, @Type varchar(20)"},
    {"sp_Rep_ResidentBDay", "@Property varchar(10), @AllBDays smallint"},
    {"sp_Rep_WeeklyBoxCommunities", "@StartDate date, @EndDate date"},
    {"sp_Rep_VacancyDeviation",
     "@Property varchar(10), @StartDate date, @EndDate date, @ProMoDays int OUTPUT"},
    {"sp_Rep_ConcessionMatrix",
     "@Property varchar(10), @AsOfMonth varchar(2), @AsOfYear varchar(4)"},
    {"sp_Rep_ClassicInterfaceStatus",
     "@Property varchar(10), @Option smallint, @Lease varchar(15), @Revision smallint"},
    {"sp_Rep_TransDetailOptions",
     "@Property varchar(10), @AcctgMethod varchar(10), @DateType varchar(20),"
     " @StartDt varchar(10), @EndDt varchar(10), @UnitStart int, @UnitEnd int,"
     " @UnitStatus varchar(10), @Residents varchar(8000), @Accounts varchar(8000),"
     " @ChargeTypes varchar(8000), @Batches varchar(8000), @Runs varchar(8000)"},
    {"sp_EOM",
     "@Property varchar(10), @EndDate date, @DaysInMonth int, @ReportOnly smallint,"
     " @GPR float OUTPUT, @LTL float OUTPUT, @VL float OUTPUT"},
};

// The fixed values of the outputs named in a parameter text, as one assigning SELECT.
std::string OutputAssignments(const std::string& params) {
    std::vector<std::string> values;
    std::size_t at = 0;
    while ((at = params.find('@', at)) != std::string::npos) {
        const std::size_t end = params.find(',', at);
        const std::string declaration = params.substr(at, end - at);
        at = end == std::string::npos ? params.size() : end;
        if (declaration.find("OUTPUT") == std::string::npos) {
            continue;
        }
        const std::string name = declaration.substr(0, declaration.find(' '));
        // The days vacant report works its proration days out from this setting.
        const std::string value = name == "@Occ_Proration_Opt" ? "'Actual Number Days'"
                                  : declaration.find("varchar") != std::string::npos
                                      ? "'out " + name.substr(1) + "'"
                                  : declaration.find("float") != std::string::npos ? "2.5"
                                                                                   : "7";
        values.push_back(value + " AS \"" + name + "\"");
    }
    std::string select;
    for (const std::string& value : values) {
        select += (select.empty() ? "SELECT " : ", ") + value;
    }
    return select.empty() ? select : select + "; ";
}

}  // namespace

void AddWindowProcedures(const TestDatabase& db) {
    for (const Procedure& procedure : kReportProcedures) {
        db.AddProcedure(procedure.name, procedure.params,
                        OutputAssignments(procedure.params) + "SELECT 1 AS Row");
    }
    // The deposit log's sub-report filters its rows on the residents' status.
    db.Execute(
        "UPDATE sys_procedures SET body = 'SELECT ''Current'' AS Status UNION ALL SELECT"
        " ''Applicant'' UNION ALL SELECT ''Terminated''' WHERE name = 'sp_Rep_DepositLog'");
    db.Execute(
        "CREATE TABLE tblSetup (Property TEXT, Setting TEXT, SettingValue TEXT);"
        "INSERT INTO tblSetup VALUES ('', 'TrafficLeaseDate', '3/1/2024'),"
        "('', 'DefaultDepositType', 'CK'), ('P1', 'DefaultDepositCode', '1010');"
        "CREATE TABLE tblProperties (Property TEXT PRIMARY KEY, LastStatementDate date);"
        "INSERT INTO tblProperties VALUES ('P1', '2024-03-01');"
        "CREATE TABLE tblRes (Resident TEXT, Name TEXT, Account_Status TEXT, Status TEXT,"
        " Unit TEXT, SortOrder INT, Lease TEXT, Revision_Num INT);"
        "INSERT INTO tblRes VALUES"
        " ('O''NEIL1', 'O''Neil, Pat', 'Active', 'Current', '102', 2, 'L-2', 1),"
        " ('R1', 'Ann', 'Active', 'Current', '101', 1, 'L-1', 0),"
        " ('R9', 'Gone', 'Closed', 'Terminated', '103', 3, 'L-9', 0),"
        " ('A4', 'Applicant, New', 'Active', 'Applicant', NULL, NULL, 'L-4', 0);"
        "CREATE TABLE tblPayment (Date_Stamp date, Batch TEXT, Operator_Stamp TEXT,"
        " Misc_Property TEXT, Batch_Source TEXT);"
        "INSERT INTO tblPayment VALUES ('2024-02-05', 'B7', 'kim', 'P1', 'Post Cash Receipts');"
        "CREATE TABLE tblCBOValues (ItemValue TEXT, ItemDescription TEXT, ItemType TEXT,"
        " Property TEXT, SortKey INT);"
        "INSERT INTO tblCBOValues VALUES ('GARAGE', 'Garage', 'OtherUnitType', 'System', 1),"
        "('RV', 'RV Pad', 'OtherUnitType', 'System', 2);"
        "CREATE TABLE tblOtherUnit (Property TEXT, OtherUnitType TEXT);"
        "INSERT INTO tblOtherUnit VALUES ('P1', 'GARAGE'), ('P1', 'RV');");
    db.AddProcedure(
        "sp_GetSetupInfo",
        "@Property varchar(10), @Setting varchar(30), @SettingValue varchar(255) OUTPUT",
        "SELECT coalesce((SELECT SettingValue FROM tblSetup WHERE Property = @Property AND"
        " Setting = @Setting), (SELECT SettingValue FROM tblSetup WHERE Property = '' AND"
        " Setting = @Setting)) AS \"@SettingValue\"");
    db.AddProcedure("sp_GetDistinctPaymentDates", "@Property varchar(10)",
                    "SELECT DISTINCT Date_Stamp FROM tblPayment WHERE Misc_Property = @Property");
    db.AddProcedure("sp_ResidentsAndUnits", "@Property varchar(10)",
                    "SELECT * FROM tblRes ORDER BY Name");
    db.AddProcedure("sp_ResidentsAndApplicants", "@Property varchar(10)",
                    "SELECT * FROM tblRes ORDER BY Name");
    db.AddProcedure("sp_ChargeTypes", "@Property varchar(10)",
                    "SELECT 'LATE' AS Charge_Type, 'Late fee' AS Charge_Description UNION ALL"
                    " SELECT 'RENT', 'Rent'");
    db.AddProcedure("sp_stp_Units", "",
                    "SELECT 'P1' AS Property, '101' AS Unit, 1 AS SortOrder UNION ALL"
                    " SELECT 'P1', '102', 2 UNION ALL SELECT 'O''K', '201', 1 UNION ALL"
                    " SELECT 'O''K', '202', 2");
    db.AddProcedure("sp_TransDetailOptions_Parameters", "@Property varchar(10)",
                    "SELECT '4000' AS Value, 'Rent' AS Title, 'Account' AS Type UNION ALL"
                    " SELECT '4999', '', 'Account' UNION ALL SELECT '4''10', '', 'Account'"
                    " UNION ALL SELECT 'B-1', 'Receipts', 'Batch' UNION ALL"
                    " SELECT '3', 'Monthly', 'Run' UNION ALL SELECT '5', 'Monthly', 'Run'");
    db.AddProcedure("sp_stp_Properties", "", "SELECT * FROM tblProperties");
    db.AddProcedure("sp_GetPropertyInfo", "@Property varchar(10), @DBVersion varchar(10) OUTPUT",
                    "SELECT '1' AS \"@DBVersion\"; SELECT 'Actual Number Days' AS"
                    " Occ_Proration_Opt");
}

}  // namespace hlreports::test
