// The rows of OwnWindowReports.h. Names, types, sizes and the spelling of the procedures and
// formulas are the stored procedures' and report files' own.
#include "catalogue/OwnWindowReports.h"

namespace hlreports {
namespace {

std::vector<ReportRow> BuildRows() {
    std::vector<ReportRow> rows;
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
