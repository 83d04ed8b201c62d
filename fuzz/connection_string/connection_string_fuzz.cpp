// libFuzzer target for ParseConnectionString: any text gives keys or a ComError naming the
// problem, and what it gives, written back with every value in braces, reads back the same.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "backends/ConnectionString.h"
#include "runtime/ComError.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    using namespace hlreports;
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::vector<ConnectionStringKey> keys;
    try {
        keys = ParseConnectionString(text);
    } catch (const ComError&) {
        return 0;
    }
    std::string again;
    for (const ConnectionStringKey& entry : keys) {
        again += entry.key + "={";
        for (const char c : entry.value) {
            again += c;
            if (c == '}') {
                again += '}';
            }
        }
        again += "};";
    }
    const std::vector<ConnectionStringKey> reread = ParseConnectionString(again);
    if (reread.size() != keys.size()) {
        std::abort();
    }
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (reread[i].key != keys[i].key || reread[i].value != keys[i].value) {
            std::abort();
        }
    }
    return 0;
}
