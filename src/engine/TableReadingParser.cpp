// Table reading in report files (see TableReadingParser.h).
#include "engine/TableReadingParser.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "backends/ReadOnlyRoad.h"
#include "runtime/Text.h"

namespace hlreports {
namespace {

const CoreParameter* FindParameter(const ParameterList& parameters, std::string_view name) {
    for (const auto& parameter : parameters) {
        if (EqualsIgnoreCase(parameter->Name(), name)) {
            return parameter.get();
        }
    }
    return nullptr;
}

TableArgument ParseArgument(const ReportXmlRules& rules, pugi::xml_node node,
                            const TableReading& reading, const ParameterList& parameters,
                            const ParameterList* mainParameters) {
    rules.CheckAttributes(node, {"name", "parameter", "take"});
    rules.NoChildren(node);
    TableArgument argument;
    argument.name = rules.RequiredName(node, "name");
    if (argument.name.size() < 2 || argument.name.front() != '@' ||
        argument.name.find_first_of(" \t;'\"@", 1) != std::string::npos) {
        rules.Fail(node, fmt::format("the argument name '{}' is not an @Name", argument.name));
    }
    for (const TableArgument& earlier : reading.arguments) {
        if (EqualsIgnoreCase(earlier.name, argument.name)) {
            rules.Fail(node, fmt::format("duplicate argument '{}'", argument.name));
        }
    }
    argument.parameter = rules.RequiredName(node, "parameter");
    const CoreParameter* parameter = FindParameter(parameters, argument.parameter);
    if (parameter == nullptr && mainParameters != nullptr) {
        parameter = FindParameter(*mainParameters, argument.parameter);
    }
    if (parameter == nullptr) {
        rules.Fail(node,
                   fmt::format("argument '{}' names the parameter '{}', which the report does "
                               "not declare",
                               argument.name, argument.parameter));
    }
    const bool procedure = reading.kind == TableReadKind::Procedure;
    const std::optional<std::string> take = rules.Optional(node, "take");
    if (!take) {
        if (parameter->IsRange()) {
            rules.Fail(node, fmt::format("argument '{}' is fed by the range parameter '{}': say "
                                         "take=\"start\" or take=\"end\"",
                                         argument.name, parameter->Name()));
        }
        argument.take = !parameter->IsMultiValue() ? ArgumentTake::Value
                        : procedure                ? ArgumentTake::Joined
                                                   : ArgumentTake::List;
        return argument;
    }
    static const std::pair<std::string_view, ArgumentTake> takes[] = {
        {"value", ArgumentTake::Value},   {"list", ArgumentTake::List},
        {"joined", ArgumentTake::Joined}, {"start", ArgumentTake::Start},
        {"end", ArgumentTake::End},       {"count", ArgumentTake::Count}};
    const auto* found = std::find_if(std::begin(takes), std::end(takes),
                                     [&](const auto& entry) { return entry.first == *take; });
    if (found == std::end(takes)) {
        rules.Fail(node, fmt::format("the attribute 'take' of <argument> is '{}', not value, list, "
                                     "joined, start, end or count",
                                     *take));
    }
    argument.take = found->second;
    if (argument.take == ArgumentTake::List && procedure) {
        rules.Fail(node, fmt::format("argument '{}': a procedure takes one value per argument; use "
                                     "take=\"joined\" for a list",
                                     argument.name));
    }
    return argument;
}

// The query's placeholders and the arguments must match one to one.
void CheckPlaceholders(const ReportXmlRules& rules, pugi::xml_node query, const std::string& table,
                       const TableReading& reading) {
    std::vector<BoundValue> values;
    for (const TableArgument& argument : reading.arguments) {
        values.push_back(
            BoundValue{argument.name, Variant::Null(), argument.take == ArgumentTake::List, {}});
    }
    try {
        static_cast<void>(BindPlaceholders(reading.query, values));
    } catch (const ComError& error) {
        rules.Fail(query, fmt::format("the query of table '{}': {}", table, error.Description()));
    }
}

}  // namespace

// The reads attribute with the <query> and <argument> children of a table.
TableReading ParseTableReading(const ReportXmlRules& rules, pugi::xml_node node,
                               const std::string& table, const std::string& location,
                               const ParameterList& parameters,
                               const ParameterList* mainParameters) {
    TableReading reading;
    const std::string reads = rules.Optional(node, "reads").value_or("none");
    if (reads == "procedure") {
        reading.kind = TableReadKind::Procedure;
    } else if (reads == "query") {
        reading.kind = TableReadKind::Query;
    } else if (reads != "none") {
        rules.Fail(node, fmt::format("the attribute 'reads' of <table> is '{}', not procedure, "
                                     "query or none",
                                     reads));
    }
    pugi::xml_node query;
    for (pugi::xml_node child : rules.Elements(node)) {
        const std::string_view kind = child.name();
        if (kind == "query" && !query) {
            rules.CheckAttributes(child, {});
            query = child;
            reading.query = rules.TextOf(child);
        } else if (kind == "argument") {
            reading.arguments.push_back(
                ParseArgument(rules, child, reading, parameters, mainParameters));
        } else {
            rules.Fail(child, kind == "query"
                                  ? fmt::format("a second <query> in table '{}'", table)
                                  : fmt::format("unknown element <{}> in <table>", kind));
        }
    }
    if (reading.kind == TableReadKind::None && (query || !reading.arguments.empty())) {
        rules.Fail(node,
                   fmt::format("table '{}' has a <query> or <argument> but no reads=\"query\" "
                               "or reads=\"procedure\"",
                               table));
    }
    if (reading.kind == TableReadKind::Procedure && (location.empty() || query)) {
        rules.Fail(
            node,
            fmt::format("table '{}' reads a procedure: it needs a location and no <query>", table));
    }
    if (reading.kind == TableReadKind::Query) {
        if (!query || rules.IsBlank(reading.query)) {
            rules.Fail(node,
                       fmt::format("table '{}' reads a query but has no <query> text", table));
        }
        CheckPlaceholders(rules, query, table, reading);
    }
    return reading;
}

}  // namespace hlreports
