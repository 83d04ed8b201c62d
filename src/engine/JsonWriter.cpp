// Streaming JSON text; see JsonWriter.h.
#include "engine/JsonWriter.h"

#include <cassert>
#include <cmath>

#include <fmt/format.h>
#include <nlohmann/json.hpp>

namespace hlreports {
namespace {

// Plain ASCII with nothing to escape: the common case of report data, written as is for speed.
bool NeedsNoEscape(std::string_view text) {
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte >= 0x80 || c == '"' || c == '\\') {
            return false;
        }
    }
    return true;
}

}  // namespace

void JsonWriter::BeforeValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!hasItem_.empty()) {
        if (hasItem_.back()) {
            out_ += ',';
        }
        hasItem_.back() = true;
    }
}

void JsonWriter::BeginObject() {
    BeforeValue();
    out_ += '{';
    hasItem_.push_back(false);
}

void JsonWriter::EndObject() {
    assert(!hasItem_.empty() && "EndObject without BeginObject");
    hasItem_.pop_back();
    out_ += '}';
    output_.HandOnWhenFull();
}

void JsonWriter::BeginArray() {
    BeforeValue();
    out_ += '[';
    hasItem_.push_back(false);
}

void JsonWriter::EndArray() {
    assert(!hasItem_.empty() && "EndArray without BeginArray");
    hasItem_.pop_back();
    out_ += ']';
    output_.HandOnWhenFull();
}

void JsonWriter::Key(std::string_view key) {
    BeforeValue();
    AppendQuoted(key);
    out_ += ':';
    afterKey_ = true;
}

void JsonWriter::AppendQuoted(std::string_view text) {
    if (NeedsNoEscape(text)) {
        out_ += '"';
        out_ += text;
        out_ += '"';
        return;
    }
    out_ += nlohmann::json(std::string(text))
                .dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

void JsonWriter::String(std::string_view value) {
    BeforeValue();
    AppendQuoted(value);
}

void JsonWriter::Number(double value) {
    if (!std::isfinite(value)) {
        Null();
        return;
    }
    BeforeValue();
    fmt::format_to(std::back_inserter(out_), "{}", value);
}

void JsonWriter::Integer(int64_t value) {
    BeforeValue();
    fmt::format_to(std::back_inserter(out_), "{}", value);
}

void JsonWriter::RawValue(std::string_view text) {
    BeforeValue();
    out_ += text;
}

void JsonWriter::Bool(bool value) {
    BeforeValue();
    out_ += value ? "true" : "false";
}

void JsonWriter::Null() {
    BeforeValue();
    out_ += "null";
}

}  // namespace hlreports
