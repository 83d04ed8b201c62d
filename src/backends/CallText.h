// Procedure calls written as text, as the wrapper sends them: "sp_x @Property='P1',@Days=7",
// "EXECUTE sp_y @A = \"x\"", "EXEC sp_z 'a', 2, NULL". EXEC/EXECUTE is optional; arguments are
// named ("@Name = value") or positional (value), positional ones first.
//
// Parsing is split so that the connection can look the procedure up before reading the
// arguments: a text whose first word is an SQL statement keyword (SELECT, INSERT, WITH, ...) or
// that does not start with a name is SQL, not a call.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/Variant.h"

namespace hlreports {

struct CallHead {
    std::string procedure;
    std::size_t argumentsAt = 0;  // where the argument list starts in the text
};

struct CallArgument {
    std::string name;  // with "@"; empty for a positional argument
    Variant value;
};

// No value when the text is SQL rather than a procedure call; the database error naming the
// problem when EXECUTE is followed by no procedure name.
std::optional<CallHead> ParseCallHead(std::string_view text);
// The arguments after the head; raises a ComError naming the problem and its position.
std::vector<CallArgument> ParseCallArguments(std::string_view text, const CallHead& head);

}  // namespace hlreports
