// The SQL of list prompts: the keyword check of list formulas, the property list's security
// wrapper with the session's user-name list, the unit list's procedure call and the property
// filter text that links the two lists.
//
// The keyword check keeps its three passes, their order and their texts; any whitespace
// (tab, line break) counts as the blank of passes 2 and 3, so "SELECT 1\nDELETE FROM x" is caught
// like "SELECT 1 DELETE FROM x". It is a first line only: list SQL also runs on the read-only
// road of the data layer, which refuses a statement that writes or a text of several statements.
//
// Values that reach SQL are quoted: user names and property ids as literals with their
// apostrophes doubled; the unit list's filter text as a double-quoted literal whose double
// quotes are doubled, so the procedure receives the list text 'A','B' whatever the ids hold.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/CoreReport.h"

namespace hlreports {

// Numbers of the list prompts (source and texts at the raising places).
inline constexpr int32_t ListErrorSelectFailed = 3300;   // frmDatabaseList.SelectWithText
inline constexpr int32_t ListErrorForbiddenSql = 3301;   // ValidSelectStatement
inline constexpr int32_t ListErrorRowsNotOpened = 3302;  // clsList.GetRS

// True when the SQL may run. Otherwise raises 3301, source "ValidSelectStatement", with the
// keyword entry as the pass wrote it + " is not allowed in formula " + listName.
bool ValidSelectStatement(std::string_view sql, std::string_view listName);

// The session's user name read as a list of user names ("kim", "kim,lee", "'kim', 'o''neil'"),
// written back as SQL literals joined by commas. A text that is no such list (empty, an empty
// item, an unclosed quote, text after a closing quote) raises 3302 naming the text.
std::string UserNameListSql(std::string_view userName);

// The property list's security wrapper around the list formula's SQL: only properties for which
// tblSecurity holds a 'Property' row of one of the session's users.
std::string PropertySecurityCommand(std::string_view listCommand, std::string_view userName);

// The text of the report formula named by the list name, without its first and last character
// (the quotes around the SQL). A missing formula raises 91 naming the report, formula and
// parameter.
std::string basListCommand(std::string_view fullName, const CoreReport& report);

// "EXECUTE sp_DistinctUnitListParameter @PropertyString = " + filter text, when the filter text
// is longer than 2 characters; "" otherwise.
std::string basDistinctUnitListCommand(std::string_view propertyFilter);

// The chosen property ids as the unit list's filter text: a double quote, the ids as SQL
// literals joined by commas (with double quotes doubled), a double quote. No ids give two double
// quotes, which counts as a blank property.
std::string PropertyFilterText(const std::vector<std::string>& propertyIds);

}  // namespace hlreports
