// libFuzzer target for typed dates: Date::Parse gives a date or nothing, and a date it gives
// reads back from its own short text; basFormatDate gives a date text or "" (its error box goes
// to a recording driver), and a text it gives is itself a date.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "runtime/ComError.h"
#include "runtime/Date.h"
#include "runtime/Session.h"
#include "ui/Ui.h"
#include "util/DateUtils.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    using namespace hlreports;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    if (const std::optional<Date> date = Date::Parse(text)) {
        try {
            const std::optional<Date> again = Date::Parse(date->ToShortString());
            if (!again || again->DateOnly() != date->DateOnly()) {
                std::abort();
            }
        } catch (const ComError&) {
            // A day number outside the calendar has no text to read back.
        }
    }
    // A fresh driver for each input, so that recorded boxes do not pile up.
    TheSession().ui = std::make_shared<RecordingUi>();
    const std::string formatted = basFormatDate(text);
    if (!formatted.empty() && !Date::Parse(formatted)) {
        std::abort();
    }
    return 0;
}
