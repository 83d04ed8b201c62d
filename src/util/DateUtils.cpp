// basFormatDate cuts a run of digits into month, day and year by its first digit and length (the
// table users of the prompt form are used to), then normalises any m/d/y text to m/dd/yyyy.
#include "util/DateUtils.h"

#include <algorithm>
#include <cctype>

#include "runtime/ComError.h"
#include "runtime/Text.h"
#include "runtime/Variant.h"
#include "service/SetupHelpers.h"

namespace hlreports {
namespace {

struct DigitCut {
    std::size_t monthDigits;
    std::size_t dayDigits;
};

bool IsDigitRun(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        return std::isdigit(static_cast<unsigned char>(c));
    });
}

// The month and day digits for a run of digits, or nothing when the run cannot be a date.
std::optional<DigitCut> CutFor(std::string_view digits) {
    const char first = digits.front();
    const std::size_t length = digits.size();
    if (first == '0') {
        return (length == 5 || length == 7) ? DigitCut{2, 1} : DigitCut{2, 2};
    }
    if (first == '1') {
        if (length == 4) {
            return DigitCut{1, 1};
        }
        if (length == 5 || length == 7) {
            return DigitCut{1, 2};
        }
        if (length == 6 || length == 8) {
            return DigitCut{2, 2};
        }
        return std::nullopt;
    }
    return (length == 4 || length == 6) ? DigitCut{1, 1} : DigitCut{1, 2};
}

std::string WorkingTextFromDigits(std::string_view digits, DigitCut cut) {
    if (digits.size() <= cut.monthDigits + cut.dayDigits) {
        throw ComError(
            ErrorNumber::InvalidProcedureCall, "basUtils.basFormatDate",
            "The digits '" + std::string(digits) + "' are too few for a month, a day and a year");
    }
    return std::string(digits.substr(0, cut.monthDigits)) + "/" +
           std::string(digits.substr(cut.monthDigits, cut.dayDigits)) + "/" +
           std::string(digits.substr(cut.monthDigits + cut.dayDigits));
}

std::string Normalise(const std::string& workingText) {
    const std::vector<std::string> parts = Split(workingText, "/");
    if (parts.size() != 3) {
        throw ComError(ErrorNumber::SubscriptOutOfRange, "basUtils.basFormatDate",
                       "The date '" + workingText + "' is not written as month/day/year");
    }
    std::string month = parts[0];
    if (!month.empty() && month.front() == '0') {
        month = month.substr(month.size() - 1);
    }
    std::string day = parts[1];
    if (day.size() == 1) {
        day = "0" + day;
    }
    std::string year = parts[2];
    if (year.size() != 4) {
        const int yearNumber = Variant(year).ToInteger();
        year = (yearNumber >= 50 ? "19" : "20") + year;
    }
    const std::string joined = month + "/" + day + "/" + year;
    const std::optional<Date> date = Date::Parse(joined);
    if (!date) {
        return "";
    }
    if (date->Year() > 2078 || date->Year() < 1881) {
        return "";
    }
    return joined;
}

void ReportTrappedError(const ComError& error) {
    ShowErrorBox(error.Description(), error.Source(), "", error.Number());
}

}  // namespace

std::string basFormatDate(std::string_view text) {
    try {
        std::string workingText(text);
        if (!Date::Parse(text)) {
            if (!IsDigitRun(text)) {
                return "";
            }
            const std::optional<DigitCut> cut = CutFor(text);
            if (!cut) {
                return "";
            }
            workingText = WorkingTextFromDigits(text, *cut);
            if (!Date::Parse(workingText)) {
                return "";
            }
        }
        return Normalise(workingText);
    } catch (const ComError& error) {
        ReportTrappedError(error);
        return "";
    }
}

Date basBeginningOfPeriod(Date periodEnd) {
    try {
        if (periodEnd.Day() > 27) {
            return basFirstOfMonth(periodEnd);
        }
        return periodEnd.AddMonths(-1).AddDays(1);
    } catch (const ComError& error) {
        ReportTrappedError(error);
        return Date();
    }
}

Date basFirstOfMonth(std::optional<Date> date) {
    try {
        const Date base = (!date || date->IsZero()) ? Date::Today() : *date;
        return Date::FromYmd(base.Year(), base.Month(), 1);
    } catch (const ComError& error) {
        ReportTrappedError(error);
        return Date();
    }
}

int16_t basMaxInt(int16_t a, int16_t b) {
    return a < b ? b : a;
}
int16_t basMinInt(int16_t a, int16_t b) {
    return a < b ? a : b;
}

}  // namespace hlreports
