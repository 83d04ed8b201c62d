// Date and period functions of the custom prompt form (basUtils): normalising a typed date,
// period and month beginnings, and two small integer helpers used for layout.
//
// basFormatDate, basBeginningOfPeriod and basFirstOfMonth trap their own failures: the error is
// shown in the common error box (titled "Hearthline", exclamation icon) and the empty result is
// returned ("" or the zero date), as the prompt form expects.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "runtime/Date.h"

namespace hlreports {

// "010199" -> "1/01/1999", "7/4/49" -> "7/04/2049", "" when the text is no acceptable date.
std::string basFormatDate(std::string_view text);
// The first day of the period that ends on periodEnd: a month end (day > 27) starts its own month,
// any other day starts one calendar month earlier plus one day.
Date basBeginningOfPeriod(Date periodEnd);
// The first day of the month of the date; no date (or the zero date) means today.
Date basFirstOfMonth(std::optional<Date> date = std::nullopt);
int16_t basMaxInt(int16_t a, int16_t b);
int16_t basMinInt(int16_t a, int16_t b);

}  // namespace hlreports
