// Raising a catalogue row's error from a catch block; see ReportError.h.
#include "catalogue/ReportError.h"

#include <cassert>
#include <exception>

#include "runtime/ComError.h"
#include "runtime/Err.h"

namespace hlreports {
namespace {

std::string CaughtDescription() {
    try {
        throw;
    } catch (const ComError& error) {
        return error.Description();
    } catch (const std::exception& error) {
        return error.what();
    }
}

}  // namespace

void RaiseReportError(const std::optional<ReportError>& error) {
    assert(std::current_exception() && "RaiseReportError called outside a catch block");
    if (!error) {
        throw;
    }
    const std::string description = CaughtDescription();
    Err().Raise(error->number, error->source,
                error->prefixDescription ? ReportErrorPrefix + description : description);
}

}  // namespace hlreports
