// The printed layout of one report as its file declares it: page header items, the body's table
// and columns, groups with their footers, and the report footer. Everything here was checked by
// the loader: names of parameters, formulas and tables exist, formats parsed, sum labels and
// formats resolved. Renderers read it and never change it.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "engine/ValueFormat.h"

namespace hlreports {

enum class HeaderItemKind { Parameter, Formula, ReportDate, Text };

struct HeaderItem {
    HeaderItemKind kind = HeaderItemKind::Text;
    std::string name;   // parameter or formula name; the literal for Text
    std::string label;  // printed before ": "; empty prints the value alone
};

enum class ColumnAlign { ByType, Left, Right };

struct ColumnDefinition {
    std::string field;
    std::string heading;
    ValueFormat format;
    int width = 10;  // characters in the text output
    ColumnAlign align = ColumnAlign::ByType;
};

struct SumDefinition {
    std::string field;
    std::string label;
    ValueFormat format;
};

struct FooterDefinition {
    bool count = false;
    std::vector<SumDefinition> sums;
    std::string label;  // report footer only
};

enum class GroupOrder { Ascending, Descending, AsRead };

struct GroupDefinition {
    std::string field;
    std::string label;
    GroupOrder order = GroupOrder::Ascending;
    std::optional<FooterDefinition> footer;
};

enum class PaperKind { Letter, A4, Legal };
enum class OrientationKind { Portrait, Landscape };

struct ReportDefinition {
    // What <page> states; the paginated layout takes the rest from the locale.
    std::optional<PaperKind> paper;
    std::optional<OrientationKind> orientation;
    std::vector<HeaderItem> pageHeader;
    bool hasPageHeader = false;
    bool hasDetail = false;
    int bodyTable = -1;  // index into the report's tables; -1 when the report has none
    std::vector<ColumnDefinition> columns;
    std::vector<GroupDefinition> groups;  // outermost first
    std::optional<FooterDefinition> reportFooter;
};

}  // namespace hlreports
