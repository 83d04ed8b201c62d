// UTF-8 <-> UTF-16 for the wide ODBC calls (see OdbcText.h), through glibc's iconv.
#include "backends/odbc/OdbcText.h"

#include <iconv.h>

#include <cerrno>
#include <vector>

#include "backends/DatabaseError.h"
#include "backends/odbc/OdbcHandles.h"

namespace hlreports {
namespace {

static_assert(sizeof(SQLWCHAR) == 2, "unixODBC's SQLWCHAR is UTF-16");

// One converter per direction for the process: opening one costs more than most conversions.
class Converter {
  public:
    Converter(const char* to, const char* from) : handle_(iconv_open(to, from)) {
        if (handle_ == reinterpret_cast<iconv_t>(-1)) {
            RaiseDatabaseError(std::string("the C library cannot convert from ") + from + " to " +
                               to);
        }
    }
    ~Converter() { iconv_close(handle_); }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    std::string Convert(const char* input, std::size_t bytes, std::string_view what) {
        std::string output(bytes * 2 + 8, '\0');
        char* in = const_cast<char*>(input);
        std::size_t inLeft = bytes;
        std::size_t done = 0;
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        while (inLeft > 0) {
            char* out = output.data() + done;
            std::size_t outLeft = output.size() - done;
            std::size_t rc = iconv(handle_, &in, &inLeft, &out, &outLeft);
            done = output.size() - outLeft;
            if (rc != static_cast<std::size_t>(-1)) {
                continue;
            }
            if (errno == E2BIG) {
                output.resize(output.size() * 2);
                continue;
            }
            RaiseDatabaseError(std::string(what) + " is not valid " +
                               (what == "text from the database" ? "UTF-16" : "UTF-8") +
                               " (at byte " + std::to_string(bytes - inLeft + 1) + ")");
        }
        output.resize(done);
        return output;
    }

  private:
    iconv_t handle_;
};

}  // namespace

OdbcWideText ToOdbcWide(std::string_view utf8) {
    static Converter converter("UTF-16LE", "UTF-8");
    std::string bytes = converter.Convert(utf8.data(), utf8.size(), "text for the database");
    OdbcWideText wide(bytes.size() / 2, 0);
    for (std::size_t i = 0; i < wide.size(); ++i) {
        wide[i] = static_cast<SQLWCHAR>(static_cast<unsigned char>(bytes[2 * i]) |
                                        static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
    }
    return wide;
}

std::string FromOdbcWide(const SQLWCHAR* text, std::size_t units) {
    static Converter converter("UTF-8", "UTF-16LE");
    std::vector<char> bytes(units * 2);
    for (std::size_t i = 0; i < units; ++i) {
        bytes[2 * i] = static_cast<char>(text[i] & 0xFF);
        bytes[2 * i + 1] = static_cast<char>(text[i] >> 8);
    }
    return converter.Convert(bytes.data(), bytes.size(), "text from the database");
}

bool ProbeCharsAreUtf8(const OdbcHandle& connection) {
    const OdbcHandle statement(SQL_HANDLE_STMT, connection.Get());
    OdbcWideText query = ToOdbcWide("SELECT '\xC3\xA9'");
    if (!OdbcSucceeded(
            SQLExecDirectW(statement.Get(), query.data(), static_cast<SQLINTEGER>(query.size()))) ||
        !OdbcSucceeded(SQLFetch(statement.Get()))) {
        return false;
    }
    unsigned char bytes[8] = {};
    SQLLEN indicator = 0;
    return OdbcSucceeded(
               SQLGetData(statement.Get(), 1, SQL_C_CHAR, bytes, sizeof bytes, &indicator)) &&
           indicator == 2 && bytes[0] == 0xC3 && bytes[1] == 0xA9;
}

}  // namespace hlreports
