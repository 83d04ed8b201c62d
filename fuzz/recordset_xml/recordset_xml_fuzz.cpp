// libFuzzer target for Recordset::LoadXml: any input either loads or raises ComError. What
// loads must save, and the saved text must load back with the same row count (a save may also
// refuse with ComError, for texts XML 1.0 cannot carry).
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "recordset/Recordset.h"
#include "runtime/ComError.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    hlreports::RecordsetPtr loaded;
    try {
        loaded = hlreports::Recordset::LoadXml(text);
    } catch (const hlreports::ComError&) {
        return 0;
    }
    try {
        const int64_t count = loaded->RecordCount();
        const hlreports::RecordsetPtr again = hlreports::Recordset::LoadXml(loaded->SaveXml());
        if (again->RecordCount() != count) {
            std::abort();
        }
    } catch (const hlreports::ComError& error) {
        if (error.Source() != "Recordset.SaveXml") {
            std::abort();  // our own output must always load
        }
    }
    return 0;
}
