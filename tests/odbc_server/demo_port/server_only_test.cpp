// What only the server port does, through the wrapper on the loaded demo.
#include <gtest/gtest.h>

#include <functional>

#include "data/clsRecordset.h"
#include "odbc_server/demo_port/DemoPortFixture.h"
#include "recordset/AdoTypes.h"
#include "runtime/ComError.h"

namespace hlreports {
namespace {

using test::DemoPort;

// What only the server port does, through the wrapper on the loaded demo: the report library
// lookup's output, a text output held to its declared size, a procedure that raises its own
// error, and a second result set left alone.
TEST_F(DemoPort, LookupsErrorsAndResultSetsOnTheServer) {
    clsRecordset rs;
    rs.SetConnectionString(connection);
    struct Case {
        const char* name;
        std::function<std::string()> run;
        const char* expected;
    };
    const std::vector<Case> cases = {
        {"the report library's file name comes back as an output",
         [&] {
             SPParams params;
             params.Add("@Description", adVarChar, 30, adParamInput, Variant("Owner's Summary"));
             params.Add("@Name", adVarChar, 30, adParamOutput, Variant::Missing());
             rs.RunSPReturnValue("sp_Rep_GetReportName", params);
             return params.GetValue("@Name").DisplayText();
         },
         "AptStatus.rpt"},
        {"an unknown description gives a Null name",
         [&] {
             SPParams params;
             params.Add("@Description", adVarChar, 30, adParamInput, Variant("No Such Report"));
             params.Add("@Name", adVarChar, 30, adParamOutput, Variant::Missing());
             rs.RunSPReturnValue("sp_Rep_GetReportName", params);
             return std::string(params.GetValue("@Name").IsNull() ? "Null" : "not Null");
         },
         "Null"},
        {"a procedure that refuses its arguments raises the server's message",
         [&] {
             RecordsetPtr rows;
             try {
                 rs.RunSpRetRS(
                     "sp_Rep_NSF @Property='NOPE',@StartDate='2026-01-01',@EndDate='2026-11-30'",
                     rows, nullptr, false);
             } catch (const ComError& error) {
                 return std::to_string(error.Number()) + " " +
                        error.Description().substr(error.Description().find("There"));
             }
             return std::string("no error");
         },
         "3207 There is no property NOPE SP:sp_Rep_NSF @Property='NOPE',@StartDate='2026-01-01',"
         "@EndDate='2026-11-30'"},
        {"a text output is cut to the size the caller declares, as the embedded database does",
         [&] {
             SPParams params;
             params.Add("@Property", adVarChar, 10, adParamInput, Variant("OAK"));
             params.Add("@Resident", adVarChar, 10, adParamInput, Variant("R10076"));
             params.Add("@StatementDate", adDBDate, 6, adParamInput, Variant("2026-12-06"));
             params.Add("@AsOf", adDBDate, 6, adParamInput, Variant("2027-01-01"));
             params.Add("@LastStatementDate", adDBDate, 6, adParamInput, Variant::Null());
             params.Add("@PropAddrLn1", adVarChar, 30, adParamOutput, Variant::Missing());
             params.Add("@PropAddrLn2", adVarChar, 30, adParamOutput, Variant::Missing());
             params.Add("@PropAddrLn3", adVarChar, 29, adParamOutput, Variant::Missing());
             rs.RunSPReturnValue("sp_Rep_RentStatement", params);
             return params.GetValue("@PropAddrLn2").DisplayText() + "|" +
                    params.GetValue("@PropAddrLn3").DisplayText();
         },
         "1200 Terrace Lane, Leasing Off|Riverton, OR 97401"},
        {"the rows are the first result set; the totals after them are left alone",
         [&] {
             RecordsetPtr rows;
             rs.RunSpRetRS(
                 "sp_Rep_DepositLog @StartDate='2026-01-01',@EndDate='2026-11-30',"
                 "@Property='OAK'",
                 rows, nullptr, false);
             return rows->Field(0).name + " " + std::to_string(rows->RecordCount());
         },
         "Status 22"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.run(), c.expected);
        EXPECT_FALSE(rs.IsConnectionOpen());
    }
}

}  // namespace
}  // namespace hlreports
