// The text cursor of the embedded backend's small grammars (see SqliteLexer.h).
#include "backends/SqlTextCursor.h"

#include <cctype>
#include <charconv>
#include <limits>

#include "backends/DatabaseError.h"
#include "runtime/Decimal.h"
#include "runtime/DoubledQuotes.h"
#include "runtime/Text.h"

namespace hlreports {
namespace {

bool IsNameStart(char c) {
    return std::isalpha(static_cast<unsigned char>(c)) != 0 || c == '_';
}

bool IsNamePart(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_' || c == '$' || c == '#' ||
           c == '.';
}

bool IsDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

}  // namespace

void SqlTextCursor::SkipBlanks() {
    while (pos_ < text_.size() && std::isspace(static_cast<unsigned char>(text_[pos_])) != 0) {
        ++pos_;
    }
}

bool SqlTextCursor::AtEnd() {
    SkipBlanks();
    return pos_ >= text_.size();
}

bool SqlTextCursor::Accept(char c) {
    SkipBlanks();
    if (pos_ < text_.size() && text_[pos_] == c) {
        ++pos_;
        return true;
    }
    return false;
}

std::optional<std::string> SqlTextCursor::ReadName() {
    SkipBlanks();
    if (pos_ < text_.size() && text_[pos_] == '[') {
        std::size_t close = text_.find(']', pos_ + 1);
        if (close == std::string_view::npos || close == pos_ + 1) {
            return std::nullopt;
        }
        std::string name(text_.substr(pos_ + 1, close - pos_ - 1));
        pos_ = close + 1;
        return name;
    }
    if (pos_ >= text_.size() || !IsNameStart(text_[pos_])) {
        return std::nullopt;
    }
    std::size_t start = pos_;
    while (pos_ < text_.size() && IsNamePart(text_[pos_])) {
        ++pos_;
    }
    return std::string(text_.substr(start, pos_ - start));
}

std::optional<std::string> SqlTextCursor::ReadParameterName() {
    SkipBlanks();
    if (pos_ + 1 >= text_.size() || text_[pos_] != '@' || !IsNamePart(text_[pos_ + 1])) {
        return std::nullopt;
    }
    std::size_t start = pos_++;
    while (pos_ < text_.size() && IsNamePart(text_[pos_])) {
        ++pos_;
    }
    return std::string(text_.substr(start, pos_ - start));
}

std::string SqlTextCursor::PeekName() {
    std::size_t saved = pos_;
    std::optional<std::string> name = ReadName();
    pos_ = saved;
    return name.value_or("");
}

bool SqlTextCursor::AcceptKeyword(std::string_view keyword) {
    std::size_t saved = pos_;
    std::optional<std::string> name = ReadName();
    if (name && EqualsIgnoreCase(*name, keyword)) {
        return true;
    }
    pos_ = saved;
    return false;
}

std::optional<std::string> SqlTextCursor::ReadUntil(char stop) {
    std::size_t end = text_.find(stop, pos_);
    if (end == std::string_view::npos) {
        return std::nullopt;
    }
    std::string content(text_.substr(pos_, end - pos_));
    pos_ = end + 1;
    return content;
}

std::string SqlTextCursor::ReadQuoted(char quote, std::string_view context) {
    std::optional<std::string> value = ReadDoubledQuoted(text_, pos_, quote);
    if (!value) {
        Fail(context, "a quoted text is not closed");
    }
    return *std::move(value);
}

std::optional<Variant> SqlTextCursor::ReadNumber() {
    std::size_t start = pos_;
    std::size_t end = pos_;
    if (end < text_.size() && (text_[end] == '-' || text_[end] == '+')) {
        ++end;
    }
    bool whole = true;
    std::size_t digits = 0;
    while (end < text_.size() && IsDigit(text_[end])) {
        ++end;
        ++digits;
    }
    if (end < text_.size() && text_[end] == '.') {
        whole = false;
        ++end;
        while (end < text_.size() && IsDigit(text_[end])) {
            ++end;
            ++digits;
        }
    }
    if (digits == 0) {
        return std::nullopt;
    }
    if (end < text_.size() && (text_[end] == 'e' || text_[end] == 'E')) {
        std::size_t exponent = end + 1;
        if (exponent < text_.size() && (text_[exponent] == '-' || text_[exponent] == '+')) {
            ++exponent;
        }
        if (exponent < text_.size() && IsDigit(text_[exponent])) {
            whole = false;
            end = exponent;
            while (end < text_.size() && IsDigit(text_[end])) {
                ++end;
            }
        }
    }
    // from_chars reads no leading "+".
    std::size_t numberStart = text_[start] == '+' ? start + 1 : start;
    double number = 0.0;
    auto result = std::from_chars(text_.data() + numberStart, text_.data() + end, number);
    if (result.ec != std::errc() || result.ptr != text_.data() + end) {
        return std::nullopt;
    }
    pos_ = end;
    if (whole && number >= std::numeric_limits<int32_t>::min() &&
        number <= std::numeric_limits<int32_t>::max()) {
        return Variant(static_cast<int32_t>(number));
    }
    // A literal with more digits than a double carries (a 28-digit amount, a 64-bit key) stays
    // exact as a decimal; every other number stays the double it always was.
    const std::string_view literal = text_.substr(numberStart, end - numberStart);
    if (std::optional<Decimal> exact = Decimal::Parse(literal)) {
        std::optional<Decimal> viaDouble = Decimal::FromDouble(number);
        if (!viaDouble || *viaDouble != *exact) {
            return Variant(*exact);
        }
    }
    return Variant(number);
}

std::optional<Variant> SqlTextCursor::ReadLiteral(std::string_view context) {
    SkipBlanks();
    if (pos_ >= text_.size()) {
        return std::nullopt;
    }
    char c = text_[pos_];
    if (c == '\'' || c == '"') {
        return Variant(ReadQuoted(c, context));
    }
    if ((c == 'N' || c == 'n') && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\'') {
        ++pos_;
        return Variant(ReadQuoted('\'', context));
    }
    if (IsNameStart(c)) {
        if (AcceptKeyword("NULL")) {
            return Variant::Null();
        }
        return std::nullopt;
    }
    return ReadNumber();
}

void SqlTextCursor::Fail(std::string_view context, std::string_view problem) const {
    FailAt(pos_, context, problem);
}

void SqlTextCursor::FailAt(std::size_t position, std::string_view context,
                           std::string_view problem) const {
    RaiseDatabaseError(std::string(context) + ": " + std::string(problem) + " at position " +
                       std::to_string(position + 1));
}

}  // namespace hlreports
