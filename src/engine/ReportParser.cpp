// Report definition XML to report pieces; see ReportParser.h and docs/report-format.md.
//
// The XML is parsed with whitespace text kept (so that a <default> of blanks stays blanks); every
// element then checks its own attributes and children against a fixed list, which is what
// rejects typos. Lines are counted from the offsets pugixml reports, in the original text.
#include "engine/ReportParser.h"

#include <algorithm>
#include <charconv>
#include <initializer_list>
#include <optional>

#include <fmt/format.h>
#include <pugixml.hpp>

#include "engine/EngineErrors.h"
#include "engine/PageSetup.h"
#include "engine/ParameterValueText.h"
#include "engine/ReportXmlRules.h"
#include "engine/TableReadingParser.h"
#include "runtime/Text.h"

namespace hlreports {
namespace {

constexpr int MinimumDefaultWidth = 10;
constexpr int MaximumWidth = 500;

std::size_t CodePointCount(std::string_view text) {
    return static_cast<std::size_t>(std::count_if(text.begin(), text.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

template <typename Named>
const Named* FindByName(const std::vector<std::shared_ptr<Named>>& items, std::string_view name) {
    for (const auto& item : items) {
        if (EqualsIgnoreCase(item->Name(), name)) {
            return item.get();
        }
    }
    return nullptr;
}

class Parser : public ReportXmlRules {
  public:
    Parser(std::string_view text, const std::string& path) : ReportXmlRules(text, path) {}

    ParsedReport ParseDocument(const std::string& defaultName) {
        pugi::xml_document document;
        const unsigned options = pugi::parse_default | pugi::parse_ws_pcdata;
        const pugi::xml_parse_result result =
            document.load_buffer(text_.data(), text_.size(), options, pugi::encoding_utf8);
        if (!result) {
            FailAt(result.offset, fmt::format("not well-formed XML ({})", result.description()));
        }
        pugi::xml_node root;
        for (pugi::xml_node child : document.children()) {
            if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata) {
                if (!IsBlank(child.value())) {
                    Fail(child, "text outside the <report> element");
                }
                continue;
            }
            if (child.type() != pugi::node_element) {
                continue;
            }
            if (root) {
                Fail(child, fmt::format("a second root element <{}> after <report>", child.name()));
            }
            root = child;
        }
        if (std::string_view(root.name()) != "report") {
            Fail(root, fmt::format("the root element is <{}>, not <report>", root.name()));
        }
        return ParseReport(root, false, defaultName);
    }

  private:
    const ParsedReport* parent_ = nullptr;  // while a sub-report is parsed: its main report

    ParsedReport ParseReport(pugi::xml_node node, bool isSubreport,
                             const std::string& defaultName) {
        ParsedReport report;
        CheckAttributes(node, {"name", "title", "connection-name"});
        report.name =
            isSubreport ? RequiredName(node, "name") : Optional(node, "name").value_or(defaultName);
        report.title = Optional(node, "title").value_or("");
        report.connectionName = Optional(node, "connection-name").value_or("");

        // Data parts first: the layout refers to them by name, wherever they sit in the file.
        pugi::xml_node parameters, formulas, tables, page, pageHeader, detail, reportFooter;
        std::vector<pugi::xml_node> groups;
        for (pugi::xml_node child : Elements(node)) {
            const std::string_view name = child.name();
            pugi::xml_node* single = name == "parameters"             ? &parameters
                                     : name == "formulas"             ? &formulas
                                     : name == "tables"               ? &tables
                                     : name == "page" && !isSubreport ? &page
                                     : name == "page-header"          ? &pageHeader
                                     : name == "detail"               ? &detail
                                     : name == "report-footer"        ? &reportFooter
                                                                      : nullptr;
            if (name == "group") {
                groups.push_back(child);
            } else if (single == nullptr) {
                Unknown(child, node);
            } else if (*single) {
                Fail(child, fmt::format("a second <{}> in <{}>", name, node.name()));
            } else {
                *single = child;
            }
        }
        if (parameters) {
            ParseParameters(parameters, report);
        }
        if (formulas) {
            ParseFormulas(formulas, report);
        }
        if (tables) {
            ParseTables(tables, report);
        }
        ReportDefinition& definition = report.definition;
        definition.bodyTable = report.tables.empty() ? -1 : 0;
        if (page) {
            ParsePage(page, definition);
        }
        if (pageHeader) {
            ParsePageHeader(pageHeader, report);
        }
        if (detail) {
            ParseDetail(detail, report);
        }
        for (pugi::xml_node group : groups) {
            ParseGroup(group, report);
        }
        if (reportFooter) {
            ParseReportFooter(reportFooter, report, isSubreport);
        }
        return report;
    }

    // Sub-reports print on their parent's pages, so only the root names the sheet.
    void ParsePage(pugi::xml_node node, ReportDefinition& definition) const {
        CheckAttributes(node, {"paper", "orientation"});
        NoChildren(node);
        if (const std::optional<std::string> paper = Optional(node, "paper")) {
            definition.paper = PaperFromName(*paper);
            if (!definition.paper) {
                Fail(node, fmt::format("paper '{}' is not letter, a4 or legal", *paper));
            }
        }
        if (const std::optional<std::string> orientation = Optional(node, "orientation")) {
            if (*orientation != "portrait" && *orientation != "landscape") {
                Fail(node,
                     fmt::format("orientation '{}' is not portrait or landscape", *orientation));
            }
            definition.orientation =
                *orientation == "portrait" ? OrientationKind::Portrait : OrientationKind::Landscape;
        }
    }

    void ParseParameters(pugi::xml_node node, ParsedReport& report) const {
        CheckAttributes(node, {});
        for (pugi::xml_node child : Elements(node)) {
            if (std::string_view(child.name()) != "parameter") {
                Unknown(child, node);
            }
            CheckAttributes(child, {"name", "prompt", "type", "range", "multi"});
            std::string name = RequiredName(child, "name");
            if (FindByName(report.parameters, name) != nullptr) {
                Fail(child, fmt::format("duplicate parameter '{}'", name));
            }
            const std::string typeText = Required(child, "type");
            const std::optional<int32_t> type = ReadValueTypeCode(typeText);
            if (!type) {
                Fail(child,
                     fmt::format(
                         "value type '{}' of parameter '{}' is not one of 7, 8, 9, 10, 11, 16",
                         typeText, name));
            }
            std::vector<Variant> defaults;
            std::optional<Variant> current;
            for (pugi::xml_node value : Elements(child)) {
                const std::string_view element = value.name();
                if (element != "default" && element != "current") {
                    Unknown(value, child);
                }
                CheckAttributes(value, {});
                if (element == "current" && current) {
                    Fail(value, fmt::format("parameter '{}' has a second <current>", name));
                }
                const std::string text = TextOf(value);
                std::optional<Variant> read = ReadParameterValue(*type, text);
                if (!read) {
                    Fail(value, fmt::format("{} value '{}' of parameter '{}' is not {}", element,
                                            text, name, ValueTypeExpectation(*type)));
                }
                if (element == "current") {
                    current = std::move(*read);
                } else {
                    defaults.push_back(std::move(*read));
                }
            }
            auto parameter = std::make_shared<CoreParameter>(
                std::move(name), Optional(child, "prompt").value_or(""), *type,
                Flag(child, "range"), Flag(child, "multi"), std::move(defaults));
            if (current) {
                parameter->SetCurrentValue(std::move(*current));
            }
            report.parameters.push_back(std::move(parameter));
        }
    }

    void ParseFormulas(pugi::xml_node node, ParsedReport& report) const {
        CheckAttributes(node, {});
        for (pugi::xml_node child : Elements(node)) {
            if (std::string_view(child.name()) != "formula") {
                Unknown(child, node);
            }
            CheckAttributes(child, {"name"});
            std::string name = RequiredName(child, "name");
            if (FindByName(report.formulas, name) != nullptr) {
                Fail(child, fmt::format("duplicate formula '{}'", name));
            }
            report.formulas.push_back(
                std::make_shared<CoreFormula>(std::move(name), TextOf(child)));
        }
    }

    void ParseTables(pugi::xml_node node, ParsedReport& report) const {
        CheckAttributes(node, {});
        for (pugi::xml_node child : Elements(node)) {
            if (std::string_view(child.name()) != "table") {
                Unknown(child, node);
            }
            CheckAttributes(child, {"name", "location", "connection-text", "reads"});
            std::string name = RequiredName(child, "name");
            if (FindByName(report.tables, name) != nullptr) {
                Fail(child, fmt::format("duplicate table '{}'", name));
            }
            std::string location = Optional(child, "location").value_or("");
            TableReading reading =
                ParseTableReading(*this, child, name, location, report.parameters,
                                  parent_ != nullptr ? &parent_->parameters : nullptr);
            report.tables.push_back(std::make_shared<CoreTable>(
                std::move(name), Optional(child, "connection-text").value_or(""),
                std::move(location), std::move(reading)));
        }
    }

    void ParsePageHeader(pugi::xml_node node, ParsedReport& report) const {
        CheckAttributes(node, {});
        ReportDefinition& definition = report.definition;
        definition.hasPageHeader = true;
        for (pugi::xml_node child : Elements(node)) {
            const std::string_view kind = child.name();
            HeaderItem item;
            if (kind == "parameter") {
                CheckAttributes(child, {"name", "label"});
                NoChildren(child);
                const std::string name = RequiredName(child, "name");
                const CoreParameter* parameter = FindByName(report.parameters, name);
                if (parameter == nullptr) {
                    Fail(child, fmt::format("<parameter> names the parameter '{}', which the "
                                            "report does not declare",
                                            name));
                }
                item.kind = HeaderItemKind::Parameter;
                item.name = parameter->Name();
                item.label =
                    Optional(child, "label")
                        .value_or(parameter->PromptText().empty() ? parameter->Name()
                                                                  : parameter->PromptText());
            } else if (kind == "formula") {
                CheckAttributes(child, {"name", "label"});
                NoChildren(child);
                const std::string name = RequiredName(child, "name");
                const CoreFormula* formula = FindByName(report.formulas, name);
                if (formula == nullptr) {
                    Fail(child,
                         fmt::format(
                             "<formula> names the formula '{}', which the report does not declare",
                             name));
                }
                item.kind = HeaderItemKind::Formula;
                item.name = formula->Name();
                item.label = Optional(child, "label").value_or(formula->Name());
            } else if (kind == "report-date") {
                CheckAttributes(child, {"label"});
                NoChildren(child);
                item.kind = HeaderItemKind::ReportDate;
                item.label = Optional(child, "label").value_or("Report date");
            } else if (kind == "text") {
                CheckAttributes(child, {});
                item.kind = HeaderItemKind::Text;
                item.name = TextOf(child);
            } else {
                Unknown(child, node);
            }
            definition.pageHeader.push_back(std::move(item));
        }
    }

    void NeedRows(pugi::xml_node node, const ParsedReport& report) const {
        if (report.definition.bodyTable < 0) {
            Fail(node,
                 fmt::format("<{}> needs rows, but the report declares no table", node.name()));
        }
    }

    ValueFormat FormatAttribute(pugi::xml_node node) const {
        const std::optional<std::string> spec = Optional(node, "format");
        if (!spec) {
            return {};
        }
        std::optional<ValueFormat> format = ParseValueFormat(*spec);
        if (!format) {
            Fail(node, fmt::format("unknown format '{}' on <{}>", *spec, node.name()));
        }
        return std::move(*format);
    }

    void ParseDetail(pugi::xml_node node, ParsedReport& report) const {
        CheckAttributes(node, {"table"});
        ReportDefinition& definition = report.definition;
        definition.hasDetail = true;
        if (const std::optional<std::string> table = Optional(node, "table")) {
            const auto found =
                std::find_if(report.tables.begin(), report.tables.end(),
                             [&](const auto& t) { return EqualsIgnoreCase(t->Name(), *table); });
            if (found == report.tables.end()) {
                Fail(node,
                     fmt::format("<detail> names the table '{}', which the report does not declare",
                                 *table));
            }
            definition.bodyTable = static_cast<int>(found - report.tables.begin());
        }
        NeedRows(node, report);
        for (pugi::xml_node child : Elements(node)) {
            if (std::string_view(child.name()) != "column") {
                Unknown(child, node);
            }
            CheckAttributes(child, {"field", "heading", "format", "width", "align"});
            NoChildren(child);
            ColumnDefinition column;
            column.field = RequiredName(child, "field");
            column.heading = Optional(child, "heading").value_or(column.field);
            column.format = FormatAttribute(child);
            column.width =
                std::max(MinimumDefaultWidth, static_cast<int>(CodePointCount(column.heading)));
            if (const std::optional<std::string> width = Optional(child, "width")) {
                column.width = ReadWidth(child, *width, column.field);
            }
            const std::string align = Optional(child, "align").value_or("");
            if (align == "left") {
                column.align = ColumnAlign::Left;
            } else if (align == "right") {
                column.align = ColumnAlign::Right;
            } else if (!align.empty() || child.attribute("align")) {
                Fail(child, fmt::format("align '{}' of column '{}' is not left or right", align,
                                        column.field));
            }
            definition.columns.push_back(std::move(column));
        }
    }

    int ReadWidth(pugi::xml_node node, const std::string& text, const std::string& field) const {
        int width = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), width);
        if (error != std::errc() || end != text.data() + text.size() || width < 1 ||
            width > MaximumWidth) {
            Fail(node, fmt::format("width '{}' of column '{}' is not a whole number from 1 to {}",
                                   text, field, MaximumWidth));
        }
        return width;
    }

    FooterDefinition ParseFooter(pugi::xml_node node, const ParsedReport& report,
                                 bool allowSubreports,
                                 std::vector<pugi::xml_node>* subreports) const {
        FooterDefinition footer;
        footer.count = Flag(node, "count");
        for (pugi::xml_node child : Elements(node)) {
            const std::string_view kind = child.name();
            if (kind == "subreport" && subreports != nullptr) {
                if (!allowSubreports) {
                    Fail(child, "a sub-report cannot hold sub-reports");
                }
                subreports->push_back(child);
                continue;
            }
            if (kind != "sum") {
                Unknown(child, node);
            }
            CheckAttributes(child, {"field", "label", "format"});
            NoChildren(child);
            SumDefinition sum;
            sum.field = RequiredName(child, "field");
            const auto column = std::find_if(
                report.definition.columns.begin(), report.definition.columns.end(),
                [&](const ColumnDefinition& c) { return EqualsIgnoreCase(c.field, sum.field); });
            const bool shown = column != report.definition.columns.end();
            sum.label = Optional(child, "label").value_or(shown ? column->heading : sum.field);
            sum.format =
                child.attribute("format") || !shown ? FormatAttribute(child) : column->format;
            footer.sums.push_back(std::move(sum));
        }
        if (footer.count || !footer.sums.empty()) {
            NeedRows(node, report);
        }
        return footer;
    }

    void ParseGroup(pugi::xml_node node, ParsedReport& report) const {
        CheckAttributes(node, {"field", "label", "order"});
        NeedRows(node, report);
        GroupDefinition group;
        group.field = RequiredName(node, "field");
        group.label = Optional(node, "label").value_or(group.field);
        const std::string order = Optional(node, "order").value_or("ascending");
        if (order == "ascending") {
            group.order = GroupOrder::Ascending;
        } else if (order == "descending") {
            group.order = GroupOrder::Descending;
        } else if (order == "as-read") {
            group.order = GroupOrder::AsRead;
        } else {
            Fail(node,
                 fmt::format("order '{}' of group '{}' is not ascending, descending or as-read",
                             order, group.field));
        }
        for (pugi::xml_node child : Elements(node)) {
            if (std::string_view(child.name()) != "footer") {
                Unknown(child, node);
            }
            if (group.footer) {
                Fail(child, fmt::format("a second <footer> in the group of '{}'", group.field));
            }
            CheckAttributes(child, {"count"});
            group.footer = ParseFooter(child, report, false, nullptr);
        }
        report.definition.groups.push_back(std::move(group));
    }

    void ParseReportFooter(pugi::xml_node node, ParsedReport& report, bool isSubreport) {
        CheckAttributes(node, {"count", "label"});
        std::vector<pugi::xml_node> subreportNodes;
        FooterDefinition footer = ParseFooter(node, report, !isSubreport, &subreportNodes);
        footer.label = Optional(node, "label").value_or("Grand total");
        report.definition.reportFooter = std::move(footer);
        for (pugi::xml_node child : subreportNodes) {
            parent_ = &report;
            ParsedReport subreport = ParseReport(child, true, "");
            parent_ = nullptr;
            const bool duplicate = std::any_of(
                report.subreports.begin(), report.subreports.end(),
                [&](const ParsedReport& s) { return EqualsIgnoreCase(s.name, subreport.name); });
            if (duplicate) {
                Fail(child, fmt::format("duplicate sub-report '{}'", subreport.name));
            }
            report.subreports.push_back(std::move(subreport));
        }
    }
};

}  // namespace

ParsedReport ParseReportDefinition(std::string_view xmlText, const std::string& path,
                                   const std::string& defaultName) {
    return Parser(xmlText, path).ParseDocument(defaultName);
}

}  // namespace hlreports
