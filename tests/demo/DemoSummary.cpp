// The demo run summary of DemoSummary.h.
#include "demo/DemoSummary.h"

#include <string_view>

namespace hlreports::test {
namespace {

void ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
    if (from.empty()) {
        return;
    }
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size())) {
        text.replace(at, from.size(), to);
    }
}

nlohmann::json CallSummary(const RecordedCall& call) {
    // The text road sends one text; the command road a name and typed arguments.
    if (call.arguments.empty()) {
        return call.text;
    }
    nlohmann::json arguments = nlohmann::json::array();
    for (const ProcedureArgument& argument : call.arguments) {
        arguments.push_back(DescribeArgument(argument));
    }
    return {{"procedure", call.text}, {"arguments", arguments}};
}

// Tables and sub-reports with the rows they received.
nlohmann::json RowCounts(const nlohmann::json& report) {
    nlohmann::json counts = nlohmann::json::object();
    for (const nlohmann::json& table : report.value("tables", nlohmann::json::array())) {
        if (table.value("has_data", false)) {
            counts[table.value("name", "")] = table.value("row_count", 0);
        }
    }
    for (const nlohmann::json& subreport : report.value("subreports", nlohmann::json::array())) {
        const nlohmann::json inner = RowCounts(subreport);
        for (const auto& [table, rows] : inner.items()) {
            counts[subreport.value("name", "") + "/" + table] = rows;
        }
    }
    return counts;
}

// Parameters the component gave values, with those values.
nlohmann::json ParameterValues(const nlohmann::json& report) {
    nlohmann::json values = nlohmann::json::object();
    for (const nlohmann::json& parameter : report.value("parameters", nlohmann::json::array())) {
        const nlohmann::json current = parameter.value("current_values", nlohmann::json::array());
        const nlohmann::json pending = parameter.value("pending_values", nlohmann::json::array());
        if (current.empty() && pending.empty()) {
            continue;
        }
        // {"value": v} reads as v; a range keeps its start and end.
        nlohmann::json entry = nlohmann::json::array();
        for (const nlohmann::json& value : current) {
            entry.push_back(value.contains("value") ? value["value"] : value);
        }
        if (!pending.empty()) {
            entry = {{"current", entry}, {"pending", pending}};
        }
        values[parameter.value("name", "")] = entry;
    }
    return values;
}

nlohmann::json FormulaTexts(const nlohmann::json& report) {
    nlohmann::json texts = nlohmann::json::object();
    for (const nlohmann::json& formula : report.value("formulas", nlohmann::json::array())) {
        texts[formula.value("name", "")] = formula.value("text", "");
    }
    return texts;
}

}  // namespace

nlohmann::json SummaryOf(const DemoRun& run, const std::string& folder) {
    nlohmann::json summary;
    summary["exit"] = run.exitCode;
    nlohmann::json messages = nlohmann::json::array();
    std::string_view rest = run.messages;
    while (!rest.empty()) {
        const std::size_t end = rest.find('\n');
        messages.push_back(std::string(rest.substr(0, end)));
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
    }
    summary["messages"] = messages;
    nlohmann::json calls = nlohmann::json::array();
    for (const RecordedCall& call : run.calls) {
        calls.push_back(CallSummary(call));
    }
    summary["calls"] = calls;
    if (!run.reportJson.empty()) {
        const nlohmann::json report = nlohmann::json::parse(run.reportJson);
        summary["request"] = report.value("request", nlohmann::json::object());
        summary["parameters"] = ParameterValues(report);
        summary["formulas"] = FormulaTexts(report);
        summary["rows"] = RowCounts(report);
    }
    std::string text = summary.dump();
    const std::string quoted = nlohmann::json(folder).dump();
    ReplaceAll(text, quoted.substr(1, quoted.size() - 2), "<demo folder>");
    return nlohmann::json::parse(text);
}

}  // namespace hlreports::test
