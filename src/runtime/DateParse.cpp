// Reading text as a date, month first. The text is cut into numbers, words and punctuation; a
// trailing time is taken off first, and what is left must match one of a few fixed shapes.
// Anything else, and any impossible day or time, is no date: callers turn that into error 13.
#include <array>
#include <cctype>
#include <cmath>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/Date.h"
#include "runtime/DateParts.h"

namespace hlreports {

namespace {

using namespace date_detail;

enum class TokenKind { Number, Word, Punct };

struct Token {
    TokenKind kind;
    std::string text;  // words lower-cased
    int value = 0;     // numbers only
};

constexpr std::size_t MaxNumberDigits = 9;  // keeps values in int; longer runs are no date

std::optional<std::vector<Token>> Tokenize(std::string_view text) {
    std::vector<Token> tokens;
    std::size_t i = 0;
    while (i < text.size()) {
        const unsigned char c = static_cast<unsigned char>(text[i]);
        if (std::isspace(c)) {
            ++i;
            continue;
        }
        if (std::isdigit(c)) {
            std::size_t end = i;
            while (end < text.size() && std::isdigit(static_cast<unsigned char>(text[end]))) {
                ++end;
            }
            if (end - i > MaxNumberDigits) {
                return std::nullopt;
            }
            Token token{TokenKind::Number, std::string(text.substr(i, end - i))};
            token.value = std::stoi(token.text);
            tokens.push_back(std::move(token));
            i = end;
            continue;
        }
        if (std::isalpha(c)) {
            std::size_t end = i;
            std::string word;
            while (end < text.size() && std::isalpha(static_cast<unsigned char>(text[end]))) {
                word += static_cast<char>(std::tolower(static_cast<unsigned char>(text[end])));
                ++end;
            }
            tokens.push_back({TokenKind::Word, std::move(word)});
            i = end;
            continue;
        }
        if (c == '/' || c == '-' || c == ',' || c == '.' || c == ':') {
            tokens.push_back({TokenKind::Punct, std::string(1, static_cast<char>(c))});
            ++i;
            continue;
        }
        return std::nullopt;
    }
    return tokens;
}

bool IsPunct(const Token& token, char c) {
    return token.kind == TokenKind::Punct && token.text[0] == c;
}

bool IsNumber(const Token& token, std::size_t maxDigits) {
    return token.kind == TokenKind::Number && token.text.size() <= maxDigits;
}

// 1..12 for a month's name or its three-letter abbreviation ("sept" too); 0 otherwise.
int MonthFromWord(const Token& token) {
    static constexpr std::array<std::string_view, 12> names = {
        "january", "february", "march",     "april",   "may",      "june",
        "july",    "august",   "september", "october", "november", "december"};
    if (token.kind != TokenKind::Word || token.text.size() < 3) {
        return 0;
    }
    for (std::size_t m = 0; m < names.size(); ++m) {
        const bool abbreviation = token.text.size() == 3 && names[m].substr(0, 3) == token.text;
        const bool full = names[m] == token.text;
        const bool sept = m == 8 && token.text == "sept";
        if (abbreviation || full || sept) {
            return static_cast<int>(m) + 1;
        }
    }
    return 0;
}

enum class Meridiem { None, Am, Pm };

Meridiem MeridiemFromWord(const Token& token) {
    if (token.kind != TokenKind::Word) {
        return Meridiem::None;
    }
    if (token.text == "am" || token.text == "a") {
        return Meridiem::Am;
    }
    if (token.text == "pm" || token.text == "p") {
        return Meridiem::Pm;
    }
    return Meridiem::None;
}

std::optional<double> SecondOfDay(int hour, int minute, double second, Meridiem meridiem) {
    if (meridiem != Meridiem::None) {
        if (hour > 12) {
            return std::nullopt;
        }
        hour %= 12;
        if (meridiem == Meridiem::Pm) {
            hour += 12;
        }
    }
    if (hour > 23 || minute > 59 || second >= 60.0) {
        return std::nullopt;
    }
    return hour * 3600.0 + minute * 60.0 + second;
}

// Takes a time off the end of the tokens: "h:mm", "h:mm:ss", "h:mm:ss.fff", each with an optional
// AM/PM, or "h AM". An ISO "T" before the time goes with it. No value when the tail is no time;
// tokens without a time give 0 and stay as they are.
std::optional<double> TakeTime(std::vector<Token>& tokens, bool& hasTime) {
    hasTime = false;
    std::size_t colon = 0;
    while (colon < tokens.size() && !IsPunct(tokens[colon], ':')) {
        ++colon;
    }
    std::size_t end = tokens.size();
    Meridiem meridiem = Meridiem::None;
    if (end > 0 && MeridiemFromWord(tokens[end - 1]) != Meridiem::None) {
        meridiem = MeridiemFromWord(tokens[end - 1]);
        --end;
    }
    std::size_t start = 0;
    std::optional<double> second;
    if (colon < tokens.size()) {
        // hour ':' minute [':' second ['.' fraction]]
        if (colon == 0 || !IsNumber(tokens[colon - 1], 2)) {
            return std::nullopt;
        }
        start = colon - 1;
        const std::size_t count = end - start;
        const bool hm = count == 3 && IsNumber(tokens[start + 2], 2);
        const bool hms = count >= 5 && IsNumber(tokens[start + 2], 2) &&
                         IsPunct(tokens[start + 3], ':') && IsNumber(tokens[start + 4], 2);
        const bool fraction = count == 7 && hms && IsPunct(tokens[start + 5], '.') &&
                              IsNumber(tokens[start + 6], MaxNumberDigits);
        if (!hm && !(hms && (count == 5 || fraction))) {
            return std::nullopt;
        }
        double seconds = hms ? tokens[start + 4].value : 0.0;
        if (fraction) {
            seconds += tokens[start + 6].value / std::pow(10.0, tokens[start + 6].text.size());
        }
        second = SecondOfDay(tokens[start].value, tokens[start + 2].value, seconds, meridiem);
    } else if (meridiem != Meridiem::None) {
        if (end == 0 || !IsNumber(tokens[end - 1], 2)) {
            return std::nullopt;
        }
        start = end - 1;
        second = SecondOfDay(tokens[start].value, 0, 0.0, meridiem);
    } else {
        return 0.0;
    }
    if (!second) {
        return std::nullopt;
    }
    if (start > 0 && tokens[start - 1].kind == TokenKind::Word && tokens[start - 1].text == "t") {
        --start;
    }
    tokens.resize(start);
    hasTime = true;
    return second;
}

// Years below 100, however many digits they are written with, pivot into 19xx or 20xx.
int ExpandYear(const Token& year, int twoDigitPivot) {
    if (year.value >= 100) {
        return year.value;
    }
    return year.value < twoDigitPivot ? 2000 + year.value : 1900 + year.value;
}

std::optional<Ymd> ReadNumericDate(const std::vector<Token>& t, int twoDigitPivot) {
    // m/d/y, m-d-y, m.d.y, or y-m-d (and y/m/d) when the first number has four digits.
    if (t.size() == 5 && t[0].kind == TokenKind::Number && t[1].kind == TokenKind::Punct &&
        t[1].text != ":" && t[1].text != "," && IsPunct(t[3], t[1].text[0]) &&
        t[2].kind == TokenKind::Number && t[4].kind == TokenKind::Number) {
        if (t[0].text.size() == 4 && IsNumber(t[2], 2) && IsNumber(t[4], 2)) {
            return Ymd{t[0].value, t[2].value, t[4].value};
        }
        if (IsNumber(t[0], 2) && IsNumber(t[2], 2) && IsNumber(t[4], 4)) {
            return Ymd{ExpandYear(t[4], twoDigitPivot), t[0].value, t[2].value};
        }
        return std::nullopt;
    }
    // m/d in the current year
    if (t.size() == 3 && IsNumber(t[0], 2) && IsPunct(t[1], '/') && IsNumber(t[2], 2)) {
        return Ymd{Date::Today().Year(), t[0].value, t[2].value};
    }
    return std::nullopt;
}

std::optional<Ymd> ReadNamedMonthDate(const std::vector<Token>& t, int twoDigitPivot) {
    // Drop the punctuation that may separate the parts: "Mar. 5, 2007", "5-Mar-2007".
    std::vector<Token> parts;
    for (std::size_t i = 0; i < t.size(); ++i) {
        if (t[i].kind != TokenKind::Punct) {
            parts.push_back(t[i]);
            continue;
        }
        const bool between = i > 0 && i + 1 < t.size() && t[i - 1].kind != TokenKind::Punct &&
                             t[i + 1].kind != TokenKind::Punct;
        const bool dotAfterMonth = IsPunct(t[i], '.') && i > 0 && MonthFromWord(t[i - 1]) != 0;
        const bool allowed = IsPunct(t[i], ',') || IsPunct(t[i], '-') || dotAfterMonth;
        if (!between || !allowed) {
            return std::nullopt;
        }
    }
    if (parts.size() != 3) {
        return std::nullopt;
    }
    if (MonthFromWord(parts[0]) != 0 && IsNumber(parts[1], 2) && IsNumber(parts[2], 4)) {
        return Ymd{ExpandYear(parts[2], twoDigitPivot), MonthFromWord(parts[0]), parts[1].value};
    }
    if (IsNumber(parts[0], 2) && MonthFromWord(parts[1]) != 0 && IsNumber(parts[2], 4)) {
        return Ymd{ExpandYear(parts[2], twoDigitPivot), MonthFromWord(parts[1]), parts[0].value};
    }
    return std::nullopt;
}

}  // namespace

std::optional<Date> Date::Parse(std::string_view text, int twoDigitPivot) {
    auto tokens = Tokenize(text);
    if (!tokens || tokens->empty()) {
        return std::nullopt;
    }
    bool hasTime = false;
    const std::optional<double> second = TakeTime(*tokens, hasTime);
    if (!second) {
        return std::nullopt;
    }
    if (tokens->empty()) {
        return hasTime ? std::optional<Date>(Date(ComposeDayNumber(0, *second))) : std::nullopt;
    }
    std::optional<Ymd> ymd = ReadNumericDate(*tokens, twoDigitPivot);
    if (!ymd) {
        ymd = ReadNamedMonthDate(*tokens, twoDigitPivot);
    }
    if (!ymd || !IsValidYmd(ymd->year, ymd->month, ymd->day)) {
        return std::nullopt;
    }
    return Date(ComposeDayNumber(DayFromYmd(ymd->year, ymd->month, ymd->day), *second));
}

}  // namespace hlreports
