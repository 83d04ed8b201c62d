// The rows of OwnWindowReports.h. Names, types, sizes and the spelling of the procedures and
// formulas are the stored procedures' and report files' own.
#include "catalogue/OwnWindowReports.h"

namespace hlreports {
namespace {

ParameterSpec TextIn(std::string name, int16_t size) {
    ValueSource answer = Answer(name.substr(1));
    return In(std::move(name), adVarChar, size, std::move(answer));
}

std::vector<ReportRow> BuildRows() {
    std::vector<ReportRow> rows;
    rows.push_back(
        {.key = "rptTransDetailOptions",
         .error = Raises(2955, "rptTransDetailOptions"),
         .window =
             CriteriaWindow{&TransDetailOptionsWindow, {"Accounting Transaction Report Criteria"}},
         .procedure = "sp_Rep_TransDetailOptions",
         .parameters = {PropertyParameter(), TextIn("@AcctgMethod", 10), TextIn("@DateType", 20),
                        TextIn("@StartDt", 10), TextIn("@EndDt", 10),
                        In("@UnitStart", adInteger, 6, Answer("UnitStart")),
                        In("@UnitEnd", adInteger, 6, Answer("UnitEnd")), TextIn("@UnitStatus", 10),
                        TextIn("@Residents", 8000), TextIn("@Accounts", 8000),
                        TextIn("@ChargeTypes", 8000), TextIn("@Batches", 8000),
                        TextIn("@Runs", 8000)},
         .formulas = {{"Property", PropertyName()}},
         .needsSetupService = true});
    // The classic builder traps no errors of its own: they reach the dispatcher unchanged.
    rows.push_back(
        {.key = "ClassicInterfaceStatus",
         .window = CriteriaWindow{&ClassicInterfaceStatusWindow,
                                  {"Classic Interface Status Report Options"}},
         .procedure = "sp_Rep_ClassicInterfaceStatus",
         .parameters = {PropertyParameter(), In("@Option", adSmallInt, 4, Answer("Option")),
                        In("@Lease", adVarChar, 15, Answer("Lease")),
                        In("@Revision", adSmallInt, 4, Answer("Revision"))},
         .formulas = {{"PropertyName", PropertyIdAndName()}}});
    return rows;
}

}  // namespace

RecordsetPtr EmptyList(std::initializer_list<const char*> fields) {
    auto rows = std::make_shared<Recordset>();
    for (const char* name : fields) {
        FieldInfo field;
        field.name = name;
        rows->AppendField(field);
    }
    rows->Open();
    return rows;
}

const std::vector<ReportRow>& OwnWindowReportRows() {
    static const std::vector<ReportRow> rows = BuildRows();
    return rows;
}

}  // namespace hlreports
