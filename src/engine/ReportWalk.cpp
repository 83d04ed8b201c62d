// The printed body of a prepared report; see ReportWalk.h.
//
// Rows are sorted by the group fields (stable, so the delivered order stands inside a group),
// as report engines do: data that arrives in another order must not split one group in two.
#include "engine/ReportWalk.h"

#include <algorithm>
#include <numeric>
#include <optional>

#include <fmt/format.h>

#include "engine/EngineErrors.h"
#include "engine/ReportDefinition.h"
#include "engine/ValueFormat.h"
#include "recordset/AdoTypeSets.h"
#include "runtime/Text.h"

namespace hlreports {
namespace {

// A group field's value reduced to what ordering needs, computed once per row so that sorting
// compares plain numbers and texts instead of converting values on every comparison.
struct GroupKey {
    int rank = 0;  // Null, number, date, text, anything else
    double number = 0;
    std::string text;
};

GroupKey MakeGroupKey(const Variant& value) {
    GroupKey key;
    try {
        switch (value.Kind()) {
            case VariantKind::Boolean:
            case VariantKind::Integer:
            case VariantKind::Long:
            case VariantKind::Double:
            case VariantKind::Currency:
            case VariantKind::Decimal:
                key.rank = 1;
                key.number = value.ToDouble();
                break;
            case VariantKind::Date:
                key.rank = 2;
                key.number = value.ToDate().DayNumber();
                break;
            case VariantKind::String:
                key.rank = 3;
                key.text = value.ToString();
                break;
            case VariantKind::Empty:
            case VariantKind::Null:
            case VariantKind::Missing:
                break;
            default:
                key.rank = 4;
                break;
        }
    } catch (const ComError&) {
        key.rank = 4;
    }
    return key;
}

int FoldedCompare(std::string_view a, std::string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const auto fold = [](char c) {
            return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
        };
        const auto x = static_cast<unsigned char>(fold(a[i]));
        const auto y = static_cast<unsigned char>(fold(b[i]));
        if (x != y) {
            return x < y ? -1 : 1;
        }
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

// A total order on group values: Null first, then numbers, dates, texts (ignoring case first;
// texts equal but for case stay two values, in a fixed order).
int CompareKeys(const GroupKey& a, const GroupKey& b) {
    if (a.rank != b.rank) {
        return a.rank < b.rank ? -1 : 1;
    }
    if (a.rank == 1 || a.rank == 2) {
        return a.number < b.number ? -1 : (a.number > b.number ? 1 : 0);
    }
    if (a.rank != 3) {
        return 0;
    }
    if (const int folded = FoldedCompare(a.text, b.text); folded != 0) {
        return folded;
    }
    const int exact = a.text.compare(b.text);
    return exact < 0 ? -1 : (exact > 0 ? 1 : 0);
}

[[noreturn]] void RenderError(const std::string& description) {
    throw ComError(EngineError::RenderFailed, std::string(EngineError::RenderSource), description);
}

// The values of the fields the layout prints, read from the rows where they are kept rather
// than copied out: a copy of every printed cell would cost more than the rows themselves.
class RowValues {
  public:
    RowValues(const CoreReport& report, const CoreTable& table, const Recordset& rows)
        : report_(report), table_(table) {
        fields_.reserve(8);
        rows_ = rows.Clone();  // own cursor: printing must not move the component's recordset
        count_ = static_cast<std::size_t>(std::max<int64_t>(0, rows_->RecordCount()));
    }

    // Slot of a field among the printed ones; a field the rows lack is an error naming it.
    int Slot(const std::string& field) {
        const int index = rows_->FieldIndex(field);
        if (index < 0) {
            RenderError(fmt::format("Report {}: table {} has no field {}", report_.Name(),
                                    table_.Name(), field));
        }
        const auto found = std::find(fields_.begin(), fields_.end(), index);
        if (found != fields_.end()) {
            return static_cast<int>(found - fields_.begin());
        }
        fields_.push_back(index);
        return static_cast<int>(fields_.size()) - 1;
    }

    int FieldType(const std::string& field) const {
        const int index = rows_->FieldIndex(field);
        return index < 0 ? adVarChar : rows_->Field(index).type;
    }

    std::size_t Count() const { return count_; }
    // Moves the walk's own cursor to the row (0-based, in the rows' order).
    Variant At(std::size_t row, int slot) const {
        rows_->SetAbsolutePosition(static_cast<int64_t>(row) + 1);
        return rows_->Value(fields_[static_cast<std::size_t>(slot)]);
    }

  private:
    const CoreReport& report_;
    const CoreTable& table_;
    RecordsetPtr rows_;
    std::vector<int> fields_;
    std::size_t count_ = 0;
};

struct Totals {
    int64_t count = 0;
    std::vector<double> sums;
};

struct ResolvedFooter {
    const FooterDefinition* definition = nullptr;
    std::vector<int> slots;
};

class BodyWalk {
  public:
    BodyWalk(const CoreReport& report, const ReportDefinition& definition, ReportSink& sink)
        : report_(report), definition_(definition), sink_(sink) {}

    void Run() {
        const bool printsBody = definition_.hasDetail || !definition_.groups.empty();
        const CoreTable& table = BodyTable();
        std::vector<PrintColumn> columns;
        for (const ColumnDefinition& column : definition_.columns) {
            columns.push_back(
                PrintColumn{column.heading, column.width, column.align == ColumnAlign::Right});
        }
        if (!table.Rows()) {
            // No data was given to the table: headings, "No data." and zero totals.
            if (printsBody) {
                sink_.BeginBody(columns);
                sink_.NoData();
                sink_.EndBody();
            }
            PrintReportFooter(nullptr);
            return;
        }
        RowValues values(report_, table, *table.Rows());
        const std::vector<int> columnSlots = ResolveColumns(values, columns);
        std::vector<int> groupSlots;
        std::vector<ResolvedFooter> groupFooters;
        for (const GroupDefinition& group : definition_.groups) {
            groupSlots.push_back(values.Slot(group.field));
            groupFooters.push_back(Resolve(group.footer ? &*group.footer : nullptr, values));
        }
        const ResolvedFooter reportFooter =
            Resolve(definition_.reportFooter ? &*definition_.reportFooter : nullptr, values);

        const std::vector<GroupKey> keys = GroupKeys(values, groupSlots);
        std::vector<std::size_t> order(values.Count());
        std::iota(order.begin(), order.end(), std::size_t{0});
        SortByGroups(order, keys, groupSlots.size());

        if (printsBody) {
            sink_.BeginBody(columns);
        }
        if (printsBody && order.empty()) {
            sink_.NoData();
        }
        Totals grand = EmptyTotals(reportFooter);
        PrintRows(order, values, keys, columnSlots, groupSlots, groupFooters, reportFooter, grand);
        if (printsBody) {
            sink_.EndBody();
        }
        PrintReportFooter(&grand);
    }

  private:
    const CoreReport& report_;
    const ReportDefinition& definition_;
    ReportSink& sink_;

    const CoreTable& BodyTable() const {
        const auto& tables = report_.Database()->Tables();
        const auto index = static_cast<std::size_t>(definition_.bodyTable);
        if (index >= tables.size() || !tables[index]) {
            RenderError(
                fmt::format("Report {}: the table of its body was removed", report_.Name()));
        }
        return *tables[index];
    }

    // Slots of the printed columns; an alignment left to the type follows the field's type.
    std::vector<int> ResolveColumns(RowValues& values, std::vector<PrintColumn>& columns) const {
        std::vector<int> slots;
        for (std::size_t i = 0; i < definition_.columns.size(); ++i) {
            const ColumnDefinition& column = definition_.columns[i];
            slots.push_back(values.Slot(column.field));
            if (column.align == ColumnAlign::ByType) {
                columns[i].alignRight =
                    column.format.IsNumeric() || (column.format.kind == ValueFormatKind::ByValue &&
                                                  IsNumericAdoType(values.FieldType(column.field)));
            }
        }
        return slots;
    }

    // One key per group level, row after row.
    static std::vector<GroupKey> GroupKeys(const RowValues& values,
                                           const std::vector<int>& groupSlots) {
        std::vector<GroupKey> keys;
        keys.reserve(values.Count() * groupSlots.size());
        for (std::size_t row = 0; row < values.Count(); ++row) {
            for (const int slot : groupSlots) {
                keys.push_back(MakeGroupKey(values.At(row, slot)));
            }
        }
        return keys;
    }

    // Rows in print order: a changed group closes the footers inside it (innermost first) and
    // opens the headers from it inwards.
    void PrintRows(const std::vector<std::size_t>& order, const RowValues& values,
                   const std::vector<GroupKey>& keys, const std::vector<int>& columnSlots,
                   const std::vector<int>& groupSlots,
                   const std::vector<ResolvedFooter>& groupFooters,
                   const ResolvedFooter& reportFooter, Totals& grand) const {
        const std::size_t levels = groupSlots.size();
        std::vector<Totals> groupTotals(levels);
        std::vector<std::string> cells(definition_.columns.size());
        std::optional<std::size_t> previous;
        for (const std::size_t row : order) {
            const std::size_t firstChanged = FirstChangedGroup(keys, levels, previous, row);
            if (previous) {
                for (std::size_t level = levels; level-- > firstChanged;) {
                    PrintGroupFooter(level, groupFooters[level], groupTotals[level], values,
                                     groupSlots, *previous);
                }
            }
            for (std::size_t level = firstChanged; level < levels; ++level) {
                groupTotals[level] = EmptyTotals(groupFooters[level]);
                const GroupDefinition& group = definition_.groups[level];
                sink_.GroupHeader(
                    static_cast<int>(level), group.label,
                    FormatValue(values.At(row, groupSlots[level]), GroupFormat(group)));
            }
            if (definition_.hasDetail) {
                for (std::size_t i = 0; i < cells.size(); ++i) {
                    cells[i] =
                        FormatValue(values.At(row, columnSlots[i]), definition_.columns[i].format);
                }
                sink_.Row(cells);
            }
            for (std::size_t level = 0; level < levels; ++level) {
                Add(groupTotals[level], groupFooters[level], values, row);
            }
            Add(grand, reportFooter, values, row);
            previous = row;
        }
        if (previous) {
            for (std::size_t level = levels; level-- > 0;) {
                PrintGroupFooter(level, groupFooters[level], groupTotals[level], values, groupSlots,
                                 *previous);
            }
        }
    }

    static ResolvedFooter Resolve(const FooterDefinition* footer, RowValues& values) {
        ResolvedFooter resolved;
        resolved.definition = footer;
        if (footer != nullptr) {
            for (const SumDefinition& sum : footer->sums) {
                resolved.slots.push_back(values.Slot(sum.field));
            }
        }
        return resolved;
    }

    static Totals EmptyTotals(const ResolvedFooter& footer) {
        Totals totals;
        totals.sums.assign(footer.slots.size(), 0.0);
        return totals;
    }

    const ValueFormat& GroupFormat(const GroupDefinition& group) const {
        static const ValueFormat byValue;
        for (const ColumnDefinition& column : definition_.columns) {
            if (EqualsIgnoreCase(column.field, group.field)) {
                return column.format;
            }
        }
        return byValue;
    }

    // keys holds `levels` keys per row, row after row.
    void SortByGroups(std::vector<std::size_t>& order, const std::vector<GroupKey>& keys,
                      std::size_t levels) const {
        const bool anySorted =
            std::any_of(definition_.groups.begin(), definition_.groups.end(),
                        [](const GroupDefinition& g) { return g.order != GroupOrder::AsRead; });
        if (!anySorted) {
            return;
        }
        std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
            for (std::size_t level = 0; level < levels; ++level) {
                const GroupOrder direction = definition_.groups[level].order;
                if (direction == GroupOrder::AsRead) {
                    continue;
                }
                const int compared =
                    CompareKeys(keys[a * levels + level], keys[b * levels + level]);
                if (compared != 0) {
                    return direction == GroupOrder::Ascending ? compared < 0 : compared > 0;
                }
            }
            return false;
        });
    }

    // The outermost group whose value differs from the previous row's; all groups for the first
    // row; the group count when none changed.
    static std::size_t FirstChangedGroup(const std::vector<GroupKey>& keys, std::size_t levels,
                                         std::optional<std::size_t> previous, std::size_t row) {
        if (!previous) {
            return 0;
        }
        for (std::size_t level = 0; level < levels; ++level) {
            if (CompareKeys(keys[*previous * levels + level], keys[row * levels + level]) != 0) {
                return level;
            }
        }
        return levels;
    }

    void Add(Totals& totals, const ResolvedFooter& footer, const RowValues& values,
             std::size_t row) const {
        ++totals.count;
        if (footer.definition == nullptr) {
            return;
        }
        for (std::size_t i = 0; i < footer.slots.size(); ++i) {
            const Variant value = values.At(row, footer.slots[i]);
            if (value.IsNull() || value.IsEmpty()) {
                continue;
            }
            if (value.Kind() == VariantKind::Boolean || !value.IsNumeric()) {
                const SumDefinition& sum = footer.definition->sums[i];
                RenderError(fmt::format(
                    "Report {}: cannot sum field {} of table {}: the value '{}' is not a number",
                    report_.Name(), sum.field, BodyTable().Name(), value.DisplayText()));
            }
            totals.sums[i] += value.ToDouble();
        }
    }

    static std::string TotalsText(const FooterDefinition& footer, const Totals* totals) {
        std::vector<std::string> items;
        if (footer.count) {
            items.push_back(fmt::format("Count {}", totals != nullptr ? totals->count : 0));
        }
        for (std::size_t i = 0; i < footer.sums.size(); ++i) {
            const double sum = totals != nullptr ? totals->sums[i] : 0.0;
            items.push_back(footer.sums[i].label + " " +
                            FormatValue(Variant(sum), footer.sums[i].format));
        }
        return Join(items, "; ");
    }

    void PrintGroupFooter(std::size_t level, const ResolvedFooter& footer, const Totals& totals,
                          const RowValues& values, const std::vector<int>& groupSlots,
                          std::size_t lastRow) const {
        if (footer.definition == nullptr) {
            return;
        }
        const GroupDefinition& group = definition_.groups[level];
        const std::string value =
            FormatValue(values.At(lastRow, groupSlots[level]), GroupFormat(group));
        const std::string items = TotalsText(*footer.definition, &totals);
        sink_.GroupFooter(static_cast<int>(level),
                          items.empty()
                              ? fmt::format("Total {} {}", group.label, value)
                              : fmt::format("Total {} {}: {}", group.label, value, items));
    }

    void PrintReportFooter(const Totals* totals) const {
        if (!definition_.reportFooter) {
            return;
        }
        const FooterDefinition& footer = *definition_.reportFooter;
        if (!footer.count && footer.sums.empty()) {
            return;
        }
        sink_.ReportFooter(footer.label + ": " + TotalsText(footer, totals));
    }
};

const ValueFormat& DateFormat() {
    static const ValueFormat format = *ParseValueFormat("date");
    return format;
}

bool NeedsRows(const ReportDefinition& definition) {
    const auto asks = [](const std::optional<FooterDefinition>& footer) {
        return footer && (footer->count || !footer->sums.empty());
    };
    return definition.bodyTable >= 0 &&
           (definition.hasDetail || !definition.groups.empty() || asks(definition.reportFooter));
}

std::string HeaderValue(const CoreReport& report, const HeaderItem& item) {
    switch (item.kind) {
        case HeaderItemKind::Parameter:
            return ParameterDisplayText(*report.ParameterByName(item.name));
        case HeaderItemKind::Formula: {
            const auto formula = report.FormulaField(item.name);
            return formula ? FormulaDisplayText(formula->Text()) : std::string();
        }
        case HeaderItemKind::ReportDate:
            return report.HasReportDate() ? FormatValue(Variant(report.ReportDate()), DateFormat())
                                          : std::string();
        case HeaderItemKind::Text:
            return item.name;
    }
    return {};
}

void Walk(const CoreReport& report, ReportSink& sink, int depth) {
    sink.BeginReport(report.Title().empty() ? report.Name() : report.Title(), depth);
    const ReportDefinition* definition = report.Definition();
    if (definition == nullptr) {
        sink.EndReport(depth);  // never loaded: nothing but the heading
        return;
    }
    for (const HeaderItem& item : definition->pageHeader) {
        sink.HeaderLine(item.label, HeaderValue(report, item));
    }
    if (NeedsRows(*definition)) {
        BodyWalk(report, *definition, sink).Run();
    }
    for (const auto& subreport : report.Subreports()) {
        Walk(*subreport, sink, depth + 1);
    }
    sink.EndReport(depth);
}

}  // namespace

std::string ParameterDisplayText(const CoreParameter& parameter) {
    ValueFormat format;
    if (parameter.ValueType() == CoreValueCurrency) {
        format.kind = ValueFormatKind::Currency;
    }
    std::vector<std::string> parts;
    for (const CoreParameter::Value& value : parameter.CurrentValues()) {
        parts.push_back(value.isRange ? FormatValue(value.start, format) + " to " +
                                            FormatValue(value.end, format)
                                      : FormatValue(value.start, format));
    }
    return Join(parts, ", ");
}

void WalkReport(const CoreReport& report, ReportSink& sink) {
    Walk(report, sink, 0);
}

}  // namespace hlreports
