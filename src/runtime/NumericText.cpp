// Numbers as text, both ways, the way the classic conversions read and print them. Reading is
// done by hand on top of std::from_chars so that it never depends on the process locale.
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include <fmt/format.h>

#include "runtime/Variant.h"

namespace hlreports {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

}  // namespace

std::optional<double> ParseNumericText(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && IsBlank(text[begin])) {
        ++begin;
    }
    while (end > begin && IsBlank(text[end - 1])) {
        --end;
    }
    std::string_view rest = text.substr(begin, end - begin);
    auto skipBlanks = [&rest] {
        while (!rest.empty() && IsBlank(rest.front())) {
            rest.remove_prefix(1);
        }
    };

    bool negative = false;
    if (rest.size() >= 2 && rest.front() == '(' && rest.back() == ')') {
        negative = true;
        rest = rest.substr(1, rest.size() - 2);
        skipBlanks();
    }
    // A sign and a "$" in either order: "-$5", "$-5".
    bool sawSign = false;
    bool sawDollar = false;
    for (;;) {
        if (!rest.empty() && (rest.front() == '-' || rest.front() == '+') && !sawSign) {
            if (negative && rest.front() == '-') {
                return std::nullopt;  // "(-5)" is no amount
            }
            negative = negative || rest.front() == '-';
            sawSign = true;
        } else if (!rest.empty() && rest.front() == '$' && !sawDollar) {
            sawDollar = true;
        } else {
            break;
        }
        rest.remove_prefix(1);
        skipBlanks();
    }

    // Mantissa digits with thousands separators before the point, then an optional exponent.
    std::string plain;
    std::size_t i = 0;
    bool digitBeforePoint = false;
    while (i < rest.size() && (IsDigit(rest[i]) || (rest[i] == ',' && digitBeforePoint))) {
        if (rest[i] != ',') {
            plain += rest[i];
            digitBeforePoint = true;
        }
        ++i;
    }
    bool digitAfterPoint = false;
    if (i < rest.size() && rest[i] == '.') {
        plain += '.';
        ++i;
        while (i < rest.size() && IsDigit(rest[i])) {
            plain += rest[i];
            digitAfterPoint = true;
            ++i;
        }
    }
    if (!digitBeforePoint && !digitAfterPoint) {
        return std::nullopt;
    }
    bool negativeExponent = false;
    if (i < rest.size() && (rest[i] == 'e' || rest[i] == 'E')) {
        plain += 'e';
        ++i;
        if (i < rest.size() && (rest[i] == '+' || rest[i] == '-')) {
            negativeExponent = rest[i] == '-';
            plain += rest[i];
            ++i;
        }
        const std::size_t exponentStart = i;
        while (i < rest.size() && IsDigit(rest[i])) {
            plain += rest[i];
            ++i;
        }
        if (i == exponentStart) {
            return std::nullopt;
        }
    }
    if (i != rest.size()) {
        return std::nullopt;
    }

    double value = 0.0;
    const auto [ptr, ec] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (ec == std::errc::result_out_of_range) {
        // Too small reads as zero, too large as infinity; conversions report the overflow.
        const bool underflow = plain.find('e') != std::string::npos
                                   ? negativeExponent
                                   : plain.find_first_of("123456789") >= plain.find('.');
        value = underflow ? 0.0 : std::numeric_limits<double>::infinity();
    } else if (ec != std::errc() || ptr != plain.data() + plain.size()) {
        return std::nullopt;
    }
    return negative ? -value : value;
}

std::string FormatClassicDouble(double value) {
    if (value == 0.0) {
        return "0";  // also for -0
    }
    if (!std::isfinite(value)) {
        return std::isnan(value) ? "NaN" : (value > 0 ? "Infinity" : "-Infinity");
    }
    // Fifteen significant digits without trailing zeros; exponent form below 1E-4 and from 1E15,
    // with the exponent's sign and at least two digits ("1E+20", "1.5E-05").
    return fmt::format("{:.15G}", value);
}

}  // namespace hlreports
