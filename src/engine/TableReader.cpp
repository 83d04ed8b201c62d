// CoreReport::ReadTables: tables that read their own rows (see CoreReport.h and
// docs/report-format.md). The rows come through the component's one road to the database,
// clsRecordset, on its read-only operations, over a connection string made from the table's
// log-on (SetLogOnInfo, which SetReportDatabase calls), or the host's own when the log-on names it.
#include <fmt/format.h>

#include <utility>

#include "backends/BackendSqlText.h"
#include "data/clsRecordset.h"
#include "engine/CoreReport.h"
#include "engine/EngineErrors.h"
#include "runtime/Text.h"

namespace hlreports {
namespace {

[[noreturn]] void Fail(const CoreReport& report, const CoreTable& table, std::string_view problem) {
    throw ComError(EngineError::TableReadFailed, std::string(EngineError::ReadTablesSource),
                   fmt::format("Report {}: table {} {}", report.Name(), table.Name(), problem));
}

// A connection-string value, braced when it holds what would end or open one.
std::string KeyValue(std::string_view key, const std::string& value) {
    bool plain = value.find_first_of(";{}\"") == std::string::npos &&
                 (value.empty() || (value.front() != ' ' && value.back() != ' '));
    return std::string(key) + "=" + (plain ? value : "{" + ReplaceAll(value, "}", "}}") + "}");
}

std::string ConnectionStringOf(const CoreLogOnInfo& logOn, const CoreHostConnection* host) {
    // Host names are not case-sensitive; server databases and users may be.
    if (host != nullptr && EqualsIgnoreCase(logOn.server, host->server) &&
        logOn.database == host->database && logOn.user == host->user) {
        return host->connectionString;
    }
    std::string text =
        KeyValue("Server", logOn.server) + ";" + KeyValue("Database", logOn.database);
    if (!logOn.user.empty()) {
        text += ";" + KeyValue("Uid", logOn.user);
    }
    if (!logOn.password.empty()) {
        text += ";" + KeyValue("Pwd", logOn.password);
    }
    return text;
}

// A value as an item of a joined list: dates as ISO text, numbers in their shortest form.
std::string ItemText(const Variant& value) {
    switch (value.Kind()) {
        case VariantKind::Empty:
        case VariantKind::Null:
            return "";
        case VariantKind::Boolean:
            return value.ToBoolean() ? "1" : "0";
        case VariantKind::Date: {
            Date date = value.ToDate();
            return date.DateOnly() == date ? date.ToIsoDate() : date.ToIsoDateTime();
        }
        case VariantKind::Integer:
        case VariantKind::Long:
        case VariantKind::Double:
        case VariantKind::Currency:
            return NumberLiteral(value.ToDouble());
        default:
            return value.ToString();
    }
}

Variant OrNull(const Variant& value) {
    return value.IsEmpty() || value.IsMissing() ? Variant::Null() : value;
}

BoundValue Bind(const TableArgument& argument, const CoreParameter& parameter) {
    const std::vector<CoreParameter::Value>& values = parameter.CurrentValues();
    BoundValue bound{argument.name, Variant::Null(), false, {}};
    switch (argument.take) {
        case ArgumentTake::Value:
        case ArgumentTake::Start:
            if (!values.empty()) {
                bound.value = OrNull(values.front().start);
            }
            break;
        case ArgumentTake::End:
            if (!values.empty()) {
                const CoreParameter::Value& first = values.front();
                bound.value = OrNull(first.isRange ? first.end : first.start);
            }
            break;
        case ArgumentTake::Count:
            bound.value = static_cast<int32_t>(values.size());
            break;
        case ArgumentTake::List:
            bound.isList = true;
            for (const CoreParameter::Value& value : values) {
                bound.items.push_back(OrNull(value.start));
            }
            break;
        case ArgumentTake::Joined: {
            std::vector<std::string> items;
            for (const CoreParameter::Value& value : values) {
                items.push_back(ItemText(value.start));
            }
            if (!items.empty()) {
                bound.value = Join(items, ",");
            }
            break;
        }
    }
    return bound;
}

std::shared_ptr<CoreParameter> FindParameter(const CoreReport& report, const CoreReport* main,
                                             std::string_view name) {
    for (const auto& parameter : report.Parameters()) {
        if (EqualsIgnoreCase(parameter->Name(), name)) {
            return parameter;
        }
    }
    return main != nullptr ? FindParameter(*main, nullptr, name) : nullptr;
}

RecordsetPtr ReadTable(const CoreReport& report, const CoreReport* main, const CoreTable& table,
                       const CoreHostConnection* host) {
    const CoreLogOnInfo& logOn = table.LogOnInfo();
    if (logOn.server.empty() && logOn.database.empty()) {
        Fail(report, table,
             "reads its own rows, but the report was pointed at no database (SetReportDatabase "
             "or SetLogOnInfo)");
    }
    const TableReading& reading = table.Reading();
    std::vector<BoundValue> values;
    for (const TableArgument& argument : reading.arguments) {
        std::shared_ptr<CoreParameter> parameter = FindParameter(report, main, argument.parameter);
        // The loader checked every name; only a report changed since then lacks it.
        if (!parameter) {
            Fail(report, table, "names the parameter '" + argument.parameter + "', which is gone");
        }
        values.push_back(Bind(argument, *parameter));
    }
    clsRecordset database;
    database.SetConnectionString(ConnectionStringOf(logOn, host));
    RecordsetPtr rows;
    try {
        if (reading.kind == TableReadKind::Procedure) {
            database.RunSpRetRSReadOnly(table.Location(), rows, values);
        } else {
            database.GetRSReadOnly(reading.query, rows, values);
        }
    } catch (const ComError& error) {
        Fail(report, table, "could not read its rows: " + error.Description());
    }
    return rows;
}

void CollectReads(const CoreReport& report, const CoreReport* main, const CoreHostConnection* host,
                  std::vector<std::pair<CoreTable*, RecordsetPtr>>& reads) {
    for (const std::shared_ptr<CoreTable>& table : report.Database()->Tables()) {
        if (table->Reading().kind != TableReadKind::None && !table->Rows()) {
            reads.emplace_back(table.get(), ReadTable(report, main, *table, host));
        }
    }
}

}  // namespace

void CoreReport::ReadTables(const CoreHostConnection* host) {
    std::vector<std::pair<CoreTable*, RecordsetPtr>> reads;
    CollectReads(*this, nullptr, host, reads);
    for (const std::shared_ptr<CoreReport>& subreport : subreports_) {
        CollectReads(*subreport, this, host, reads);
    }
    for (auto& [table, rows] : reads) {
        table->SetRows(std::move(rows));
    }
}

}  // namespace hlreports
