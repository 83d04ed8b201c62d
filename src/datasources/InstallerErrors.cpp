// Reads the ODBC installer's error records; see InstallerErrors.h.
#include "datasources/InstallerErrors.h"

#include <odbcinst.h>

#include <array>

namespace hlreports {

std::string InstallerErrorText() {
    std::string text;
    // The installer numbers its records 1..8 and answers SQL_NO_DATA after the last one.
    for (WORD record = 1; record <= 8; ++record) {
        DWORD code = 0;
        std::array<char, SQL_MAX_MESSAGE_LENGTH + 1> message{};
        WORD length = 0;
        SQLRETURN rc = SQLInstallerError(record, &code, message.data(),
                                         static_cast<WORD>(message.size() - 1), &length);
        if (rc != SQL_SUCCESS && rc != SQL_SUCCESS_WITH_INFO) {
            break;
        }
        if (!text.empty()) {
            text += "; ";
        }
        text += message.data();
    }
    return text;
}

}  // namespace hlreports
