// Criteria: the compiled form of a Filter or Find criterion.
//
// Grammar: an OR of AND-groups; AND binds first ("a OR b AND c" is a OR (b AND c)); parentheses
// may enclose a clause or an AND-group but never an OR ("(a OR b) AND c" is refused). A clause
// is `field op value` with op = <> < > <= >= LIKE; the field is a bare or [bracketed] name; the
// value is 'text' (doubled quotes), #text# (dates, or any text), or a number ($, exponent).
// LIKE takes * or % at the end, or at both ends; a wildcard elsewhere is refused.
//
// Parsing binds each field and converts each literal to the field's kind once, so evaluation
// per row is a switch on plain integers, doubles or folded text (a 100,000-row two-clause filter
// runs in a few milliseconds). Strings compare ignoring ASCII case; a NULL field never matches.
// Errors: ComError 3265 for an unknown field, 3001 for anything else that is wrong.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "recordset/RowStore.h"

namespace hlreports {

// Three-way comparison of texts with ASCII letters folded (shared with Sort).
int CompareIgnoringCase(std::string_view a, std::string_view b);

enum class CriteriaUse { Filter, Find };

class Criteria {
  public:
    // `source` is the error source ("Recordset.Filter", "Recordset.Find").
    static Criteria Parse(std::string_view text, const RowStore& store, CriteriaUse use,
                          const char* source);
    bool Matches(const RowStore& store, uint32_t row) const;

  private:
    enum class Operator : uint8_t { Equal, NotEqual, Less, Greater, LessEqual, GreaterEqual, Like };
    enum class LikeKind : uint8_t { Exact, Prefix, Contains, Everything };
    struct Clause {
        int field = 0;
        CellKind kind = CellKind::Text;
        Operator op = Operator::Equal;
        LikeKind like = LikeKind::Exact;
        long double number = 0;  // integer, double and boolean kinds
        int64_t scaled = 0;      // currency
        double day = 0;          // dates, on the linear day line
        std::string text;        // text kinds
    };
    friend class CriteriaParser;

    static bool ClauseMatches(const Clause& clause, const RowStore& store, uint32_t row);

    std::vector<std::vector<Clause>> groups_;  // OR of AND-groups
};

}  // namespace hlreports
