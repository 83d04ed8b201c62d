// A streaming JSON writer, for prepared reports with many rows: the text goes to a stream in
// pieces (StreamedText) as each array or object closes, so memory stays flat however many rows
// there are. Commas and nesting are tracked here; callers write keys and values in order. Compact
// output (no blanks), valid UTF-8 (invalid bytes of a value become U+FFFD), non-finite numbers as
// null.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/StreamedText.h"

namespace hlreports {

class JsonWriter {
  public:
    explicit JsonWriter(StreamedText& output) : output_(output), out_(output.Text()) {}

    void BeginObject();
    void EndObject();
    void BeginArray();
    void EndArray();
    void Key(std::string_view key);

    void String(std::string_view value);
    void Number(double value);
    void Integer(int64_t value);
    // A value already written as JSON text (an exact decimal, a caller's own member).
    void RawValue(std::string_view text);
    void Bool(bool value);
    void Null();

  private:
    StreamedText& output_;
    std::string& out_;
    std::vector<bool> hasItem_;  // per open container: a comma is due before the next item
    bool afterKey_ = false;

    void BeforeValue();
    void AppendQuoted(std::string_view text);
};

}  // namespace hlreports
