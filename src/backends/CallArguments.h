// Which declared parameter each argument of a call fills, for the calls that name their
// arguments: procedure calls written as text (positional arguments first, then "@Name = value")
// and read-only procedure calls (every argument by name). Both backends resolve calls this way,
// so that the same text fails with the same message on either.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "backends/Backend.h"
#include "backends/CallText.h"
#include "runtime/Variant.h"

namespace hlreports {

// The declared procedure as the resolution needs it: its name, how many parameters it declares
// and the position of a parameter by name (-1 when it declares none of that name).
struct DeclaredParameters {
    std::string procedure;
    std::size_t count = 0;
    std::function<int(std::string_view name)> indexOf;
};

// One slot per declared parameter; a slot stays empty when the call gives that parameter no
// value. Raises naming the procedure when there are too many positional arguments, a name the
// procedure does not declare, or a parameter given twice.
std::vector<std::optional<Variant>> SupplyTextArguments(const DeclaredParameters& declared,
                                                        std::vector<CallArgument> arguments);
// The same for the read-only road, which also refuses a list for a procedure parameter.
std::vector<std::optional<Variant>> SupplyNamedArguments(const DeclaredParameters& declared,
                                                         const std::vector<BoundValue>& arguments);

}  // namespace hlreports
