// Resolving call arguments to declared parameters (see CallArguments.h).
#include "backends/CallArguments.h"

#include "backends/DatabaseError.h"

namespace hlreports {
namespace {

std::optional<Variant>& SlotOf(const DeclaredParameters& declared,
                               std::vector<std::optional<Variant>>& supplied,
                               const std::string& name) {
    const int index = declared.indexOf(name);
    if (index < 0) {
        RaiseDatabaseError("procedure " + declared.procedure + ": " + name +
                           " is not a parameter of the procedure");
    }
    std::optional<Variant>& slot = supplied[static_cast<std::size_t>(index)];
    if (slot) {
        RaiseDatabaseError("procedure " + declared.procedure + ": " + name +
                           " is given more than once");
    }
    return slot;
}

}  // namespace

std::vector<std::optional<Variant>> SupplyTextArguments(const DeclaredParameters& declared,
                                                        std::vector<CallArgument> arguments) {
    std::vector<std::optional<Variant>> supplied(declared.count);
    std::size_t position = 0;
    for (CallArgument& argument : arguments) {
        if (argument.name.empty()) {
            if (position >= declared.count) {
                RaiseDatabaseError("procedure " + declared.procedure +
                                   " has too many arguments specified");
            }
            supplied[position++] = std::move(argument.value);
            continue;
        }
        SlotOf(declared, supplied, argument.name) = std::move(argument.value);
    }
    return supplied;
}

std::vector<std::optional<Variant>> SupplyNamedArguments(const DeclaredParameters& declared,
                                                         const std::vector<BoundValue>& arguments) {
    std::vector<std::optional<Variant>> supplied(declared.count);
    for (const BoundValue& argument : arguments) {
        std::optional<Variant>& slot = SlotOf(declared, supplied, argument.name);
        if (argument.isList) {
            RaiseDatabaseError("procedure " + declared.procedure + ": " + argument.name +
                               " is given a list; a procedure takes one value per parameter");
        }
        slot = argument.value;
    }
    return supplied;
}

}  // namespace hlreports
