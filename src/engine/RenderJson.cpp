// The complete state of a prepared report as JSON; the shape is documented in
// docs/prepared-report-json.md and is what tests and scripts read, so keys only ever get added.
//
// Passwords are never written: a log-on says "password_set" instead. Rows are streamed from a
// clone of each table's recordset (the component's cursor stays where it was), and the text
// goes to the stream as it is written (JsonWriter).
#include <cmath>
#include <optional>

#include <fmt/format.h>

#include "engine/JsonWriter.h"
#include "engine/Render.h"
#include "engine/ReportDefinition.h"
#include "runtime/ComError.h"

namespace hlreports {
namespace {

// Currency is exact to four decimals; written as that exact decimal, not through a double.
std::string CurrencyJson(int64_t scaled) {
    const uint64_t magnitude =
        scaled < 0 ? 0 - static_cast<uint64_t>(scaled) : static_cast<uint64_t>(scaled);
    std::string text = fmt::format("{}{}", scaled < 0 ? "-" : "", magnitude / 10000);
    const uint64_t fraction = magnitude % 10000;
    if (fraction != 0) {
        std::string decimals = fmt::format("{:04}", fraction);
        decimals.erase(decimals.find_last_not_of('0') + 1);
        text += '.';
        text += decimals;
    }
    return text;
}

void WriteDate(JsonWriter& json, const Date& date) {
    try {
        const double day = date.DayNumber();
        json.String(day == std::floor(day) ? date.ToIsoDate() : date.ToIsoDateTime());
    } catch (const ComError&) {
        json.Number(date.DayNumber());  // outside the calendar: keep the day number itself
    }
}

void WriteValue(JsonWriter& json, const Variant& value);

void WriteArray(JsonWriter& json, const VariantArray& array) {
    json.BeginArray();
    if (array.Dimensions() == 1) {
        for (int i = array.LowerBound(1); i <= array.UpperBound(1); ++i) {
            WriteValue(json, array.At(i));
        }
    } else {
        for (int i = array.LowerBound(1); i <= array.UpperBound(1); ++i) {
            json.BeginArray();
            for (int j = array.LowerBound(2); j <= array.UpperBound(2); ++j) {
                WriteValue(json, array.At(i, j));
            }
            json.EndArray();
        }
    }
    json.EndArray();
}

void WriteValue(JsonWriter& json, const Variant& value) {
    switch (value.Kind()) {
        case VariantKind::Boolean:
            json.Bool(value.ToBoolean());
            return;
        case VariantKind::Integer:
        case VariantKind::Long:
            json.Integer(value.ToLong());
            return;
        case VariantKind::Double:
            json.Number(value.ToDouble());
            return;
        case VariantKind::Currency:
            json.RawValue(CurrencyJson(value.ToCurrencyScaled()));
            return;
        case VariantKind::Decimal:
            json.RawValue(value.ToString());  // every digit: a double would lose some
            return;
        case VariantKind::Date:
            WriteDate(json, value.ToDate());
            return;
        case VariantKind::String:
            json.String(value.ToString());
            return;
        case VariantKind::Array:
            WriteArray(json, value.AsArray());
            return;
        default:
            json.Null();  // Empty, Null, Missing, objects
            return;
    }
}

void WriteParameterValues(JsonWriter& json, const std::vector<CoreParameter::Value>& values) {
    json.BeginArray();
    for (const CoreParameter::Value& value : values) {
        json.BeginObject();
        if (value.isRange) {
            json.Key("start");
            WriteValue(json, value.start);
            json.Key("end");
            WriteValue(json, value.end);
        } else {
            json.Key("value");
            WriteValue(json, value.start);
        }
        json.EndObject();
    }
    json.EndArray();
}

void WriteParameters(JsonWriter& json, const CoreReport& report) {
    json.BeginArray();
    for (const auto& parameter : report.Parameters()) {
        json.BeginObject();
        json.Key("name");
        json.String(parameter->Name());
        json.Key("parameter_name");
        json.String(parameter->ParameterName());
        json.Key("prompt_text");
        json.String(parameter->PromptText());
        json.Key("value_type");
        json.Integer(parameter->ValueType());
        json.Key("is_range");
        json.Bool(parameter->IsRange());
        json.Key("is_multi_value");
        json.Bool(parameter->IsMultiValue());
        json.Key("default_values");
        json.BeginArray();
        for (const Variant& value : parameter->DefaultValues()) {
            WriteValue(json, value);
        }
        json.EndArray();
        json.Key("current_values");
        WriteParameterValues(json, parameter->CurrentValues());
        json.Key("pending_values");
        WriteParameterValues(json, parameter->PendingValues());
        json.Key("values_applied");
        json.Bool(parameter->ValuesApplied());
        json.EndObject();
    }
    json.EndArray();
}

void WriteFormulas(JsonWriter& json, const CoreReport& report) {
    json.BeginArray();
    for (const auto& formula : report.Formulas()) {
        json.BeginObject();
        json.Key("name");
        json.String(formula->Name());
        json.Key("text");
        json.String(formula->Text());
        json.EndObject();
    }
    json.EndArray();
}

void WriteRows(JsonWriter& json, const Recordset& source) {
    const RecordsetPtr rows = source.Clone();
    json.Key("fields");
    json.BeginArray();
    for (int i = 0; i < rows->FieldCount(); ++i) {
        const FieldInfo& field = rows->Field(i);
        json.BeginObject();
        json.Key("name");
        json.String(field.name);
        json.Key("type");
        json.Integer(field.type);
        json.Key("defined_size");
        json.Integer(field.definedSize);
        json.EndObject();
    }
    json.EndArray();
    json.Key("row_count");
    json.Integer(rows->RecordCount());
    json.Key("rows");
    json.BeginArray();
    if (!rows->BOF() || !rows->EOF()) {
        rows->MoveFirst();
    }
    const int fieldCount = rows->FieldCount();
    for (; !rows->EOF(); rows->MoveNext()) {
        json.BeginArray();
        for (int i = 0; i < fieldCount; ++i) {
            WriteValue(json, rows->Value(i));
        }
        json.EndArray();
    }
    json.EndArray();
}

void WriteTables(JsonWriter& json, const CoreReport& report) {
    json.BeginArray();
    for (const auto& table : report.Database()->Tables()) {
        json.BeginObject();
        json.Key("name");
        json.String(table->Name());
        json.Key("location");
        json.String(table->Location());
        json.Key("connection_text");
        json.String(table->ConnectionText());
        json.Key("log_on");
        json.BeginObject();
        json.Key("server");
        json.String(table->LogOnInfo().server);
        json.Key("database");
        json.String(table->LogOnInfo().database);
        json.Key("user");
        json.String(table->LogOnInfo().user);
        json.Key("password_set");
        json.Bool(!table->LogOnInfo().password.empty());
        json.EndObject();
        json.Key("has_data");
        json.Bool(table->Rows() != nullptr);
        if (table->Rows()) {
            WriteRows(json, *table->Rows());
        } else {
            json.Key("fields");
            json.BeginArray();
            json.EndArray();
            json.Key("row_count");
            json.Integer(0);
            json.Key("rows");
            json.BeginArray();
            json.EndArray();
        }
        json.EndObject();
    }
    json.EndArray();
}

void WriteStrings(JsonWriter& json, const std::vector<std::string>& texts) {
    json.BeginArray();
    for (const std::string& text : texts) {
        json.String(text);
    }
    json.EndArray();
}

void WriteLogOns(JsonWriter& json, const CoreReport& report) {
    json.BeginArray();
    for (const CoreLogOnRecord& logOn : report.LogOns()) {
        json.BeginObject();
        json.Key("dsn");
        json.String(logOn.dsn);
        json.Key("user");
        json.String(logOn.user);
        json.Key("password_set");
        json.Bool(!logOn.password.empty());
        json.Key("names");
        WriteStrings(json, logOn.names);
        json.Key("dsns");
        WriteStrings(json, logOn.dsns);
        json.EndObject();
    }
    json.EndArray();
}

void WriteSections(JsonWriter& json, const CoreReport& report) {
    json.BeginArray();
    for (const auto& section : report.Sections()) {
        json.BeginObject();
        json.Key("name");
        json.String(section->Name());
        json.Key("objects");
        json.BeginArray();
        for (const auto& object : section->Objects()) {
            json.BeginObject();
            json.Key("kind");
            json.Integer(object->Kind());
            json.Key("name");
            json.String(object->Name());
            json.EndObject();
        }
        json.EndArray();
        json.EndObject();
    }
    json.EndArray();
}

void WriteFormatSpec(JsonWriter& json, const ValueFormat& format) {
    if (format.spec.empty()) {
        json.Null();
        return;
    }
    json.String(format.spec);
}

void WriteFooter(JsonWriter& json, const std::optional<FooterDefinition>& footer, bool withLabel) {
    if (!footer) {
        json.Null();
        return;
    }
    json.BeginObject();
    if (withLabel) {
        json.Key("label");
        json.String(footer->label);
    }
    json.Key("count");
    json.Bool(footer->count);
    json.Key("sums");
    json.BeginArray();
    for (const SumDefinition& sum : footer->sums) {
        json.BeginObject();
        json.Key("field");
        json.String(sum.field);
        json.Key("label");
        json.String(sum.label);
        json.Key("format");
        WriteFormatSpec(json, sum.format);
        json.EndObject();
    }
    json.EndArray();
    json.EndObject();
}

std::string_view HeaderKindName(HeaderItemKind kind) {
    switch (kind) {
        case HeaderItemKind::Parameter:
            return "parameter";
        case HeaderItemKind::Formula:
            return "formula";
        case HeaderItemKind::ReportDate:
            return "report_date";
        case HeaderItemKind::Text:
            return "text";
    }
    return "text";
}

std::string_view AlignName(ColumnAlign align) {
    return align == ColumnAlign::Left ? "left" : (align == ColumnAlign::Right ? "right" : "auto");
}

std::string_view OrderName(GroupOrder order) {
    return order == GroupOrder::Descending
               ? "descending"
               : (order == GroupOrder::AsRead ? "as-read" : "ascending");
}

void WriteLayout(JsonWriter& json, const CoreReport& report) {
    const ReportDefinition* definition = report.Definition();
    if (definition == nullptr) {
        json.Null();
        return;
    }
    json.BeginObject();
    json.Key("page_header");
    json.BeginArray();
    for (const HeaderItem& item : definition->pageHeader) {
        json.BeginObject();
        json.Key("kind");
        json.String(HeaderKindName(item.kind));
        json.Key(item.kind == HeaderItemKind::Text ? "text" : "name");
        json.String(item.name);
        json.Key("label");
        json.String(item.label);
        json.EndObject();
    }
    json.EndArray();
    const auto& tables = report.Database()->Tables();
    const auto bodyTable = static_cast<std::size_t>(definition->bodyTable);
    json.Key("body_table");
    if (definition->bodyTable >= 0 && bodyTable < tables.size()) {
        json.String(tables[bodyTable]->Name());
    } else {
        json.Null();
    }
    json.Key("columns");
    json.BeginArray();
    for (const ColumnDefinition& column : definition->columns) {
        json.BeginObject();
        json.Key("field");
        json.String(column.field);
        json.Key("heading");
        json.String(column.heading);
        json.Key("format");
        WriteFormatSpec(json, column.format);
        json.Key("width");
        json.Integer(column.width);
        json.Key("align");
        json.String(AlignName(column.align));
        json.EndObject();
    }
    json.EndArray();
    json.Key("groups");
    json.BeginArray();
    for (const GroupDefinition& group : definition->groups) {
        json.BeginObject();
        json.Key("field");
        json.String(group.field);
        json.Key("label");
        json.String(group.label);
        json.Key("order");
        json.String(OrderName(group.order));
        json.Key("footer");
        WriteFooter(json, group.footer, false);
        json.EndObject();
    }
    json.EndArray();
    json.Key("report_footer");
    WriteFooter(json, definition->reportFooter, true);
    json.EndObject();
}

void WriteReport(JsonWriter& json, const CoreReport& report,
                 const std::vector<JsonMember>& extraMembers = {}) {
    json.BeginObject();
    json.Key("name");
    json.String(report.Name());
    json.Key("title");
    json.String(report.Title());
    json.Key("path");
    json.String(report.Path());
    json.Key("connection_name");
    json.String(report.ConnectionName());
    json.Key("report_date");
    if (report.HasReportDate()) {
        WriteDate(json, report.ReportDate());
    } else {
        json.Null();
    }
    json.Key("parameters");
    WriteParameters(json, report);
    json.Key("formulas");
    WriteFormulas(json, report);
    json.Key("tables");
    WriteTables(json, report);
    json.Key("log_ons");
    WriteLogOns(json, report);
    json.Key("sections");
    WriteSections(json, report);
    json.Key("layout");
    WriteLayout(json, report);
    json.Key("subreports");
    json.BeginArray();
    for (const auto& subreport : report.Subreports()) {
        WriteReport(json, *subreport);
    }
    json.EndArray();
    for (const JsonMember& member : extraMembers) {
        json.Key(member.key);
        json.RawValue(member.jsonValue);
    }
    json.EndObject();
}

}  // namespace

void RenderJson(const CoreReport& report, std::ostream& stream,
                const std::vector<JsonMember>& extraMembers) {
    StreamedText output(stream);
    JsonWriter json(output);
    WriteReport(json, report, extraMembers);
    output.Text() += '\n';
    output.Finish();
}

}  // namespace hlreports
