// libFuzzer target for the call-text grammar: a text is SQL (no head) or a call whose arguments
// parse or raise a ComError naming the problem. What parses is written back as a call (names
// and SqlLiteral values) and must parse again to the same arguments.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "backends/BackendSqlText.h"
#include "backends/CallText.h"
#include "runtime/ComError.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    using namespace hlreports;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::optional<CallHead> head;
    std::vector<CallArgument> arguments;
    try {
        head = ParseCallHead(text);
        if (!head) {
            return 0;
        }
        arguments = ParseCallArguments(text, *head);
    } catch (const ComError&) {
        return 0;
    }
    std::string again = "sp_again";
    const char* separator = " ";
    for (const CallArgument& argument : arguments) {
        again += separator + (argument.name.empty() ? "" : argument.name + "=") +
                 SqlLiteral(argument.value);
        separator = ",";
    }
    const std::optional<CallHead> headAgain = ParseCallHead(again);
    if (!headAgain || ParseCallArguments(again, *headAgain).size() != arguments.size()) {
        std::abort();
    }
    return 0;
}
