// ReportError: the error a catalogue row raises when its builder fails, and the one helper that
// raises it from a catch block, so every builder road (procedure rows, journals, custom reports)
// words its failure the same way: the row's number and source, and the description of the error
// that occurred, prefixed with "Error processing report: " where the row says so.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace hlreports {

struct ReportError {
    int32_t number = 0;
    std::string source;
    bool prefixDescription = false;
};

// How catalogue rows name their error: Raises for the plain description, RaisesWithPrefix for the
// builders that put "Error processing report: " before it.
inline ReportError Raises(int32_t number, std::string source) {
    return ReportError{number, std::move(source), false};
}
inline ReportError RaisesWithPrefix(int32_t number, std::string source) {
    return ReportError{number, std::move(source), true};
}

inline constexpr const char* ReportErrorPrefix = "Error processing report: ";

// For a catch block only. With a row error: raises it (pending in Err() as well) with the caught
// error's description. Without one (builders that raise nothing of their own): rethrows the
// caught error unchanged.
[[noreturn]] void RaiseReportError(const std::optional<ReportError>& error);

}  // namespace hlreports
