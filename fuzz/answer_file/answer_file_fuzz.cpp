// libFuzzer target for AnswerFile::Parse: any input parses or raises a ComError of the answer
// file family (20603 not JSON, 20604 not an answer file); anything else aborts.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "runtime/ComError.h"
#include "ui/AnswerFile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    try {
        const hlreports::AnswerFile file = hlreports::AnswerFile::Parse(text, "fuzz");
        (void)file.Dialogs().size();
    } catch (const hlreports::ComError& error) {
        if (error.Source() != "ScriptedUi" ||
            (error.Number() != 20603 && error.Number() != 20604)) {
            std::abort();
        }
    }
    return 0;
}
