// GetColumnName: the name of the n-th (0-based) selected column of a list's SELECT text, read
// the way the list picker has always read it (a column list up to FROM, "AS" aliases skipped,
// "= CASE ... END" columns cut out). It does not parse SQL: a text it cannot read raises 40001,
// source "HLReports.frmDatabaseList.GetColumnName", "Cannot find column name in '" + the
// upper-cased text + "'".
#pragma once

#include <string>
#include <string_view>

namespace hlreports {

inline constexpr int32_t ColumnNameNotFound = 40001;

// "SELECT UNIT, UNIT, DESCR FROM UNIT_LIST", 1 -> "UNIT"; "SELECT CODE, NAME AS LABEL, X FROM T",
// 1 -> "NAME"; "SELECT * FROM T" fails.
std::string GetColumnName(std::string_view sql, int columnIndex);

}  // namespace hlreports
