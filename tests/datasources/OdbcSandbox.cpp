// Private ODBC configuration and ini reading for the data-source tests; see OdbcSandbox.h.
#include "datasources/OdbcSandbox.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace hlreports::test {

namespace {

std::string Trimmed(const std::string& text) {
    std::size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) {
        return "";
    }
    std::size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

}  // namespace

OdbcSandbox::OdbcSandbox() {
    RegisterDriver(std::nullopt, false);
    // As the odbcinst package leaves /etc: an empty system odbc.ini is there from the start.
    folder_.WriteFile("odbc.ini", "");
    setenv("ODBCSYSINI", folder_.Path().c_str(), 1);
    // A relative odbcinst.ini name or a search-mode override would take writes out of the sandbox.
    unsetenv("ODBCINSTINI");
    unsetenv("ODBCSEARCH");
    UseUserIni(folder_ / "user-odbc.ini");
}

OdbcSandbox::~OdbcSandbox() {
    unsetenv("ODBCSYSINI");
    unsetenv("ODBCINI");
}

void OdbcSandbox::RegisterDriver(const std::optional<std::string>& setupLibrary,
                                 bool registered) const {
    std::string text;
    if (registered) {
        text =
            "[Larchfield Data]\nDescription=Data folders of the tests\nDriver=libsqlite3odbc.so\n";
        if (setupLibrary) {
            text += "Setup=" + *setupLibrary + "\n";
        }
    }
    folder_.WriteFile("odbcinst.ini", text);
}

void UseUserIni(const std::filesystem::path& file) {
    setenv("ODBCINI", file.c_str(), 1);
}

std::vector<IniSection> ReadIniFile(const std::filesystem::path& file) {
    std::vector<IniSection> sections;
    std::ifstream in(file);
    std::string line;
    while (std::getline(in, line)) {
        line = Trimmed(line);
        if (line.empty()) {
            continue;
        }
        if (line.front() == '[' && line.back() == ']') {
            sections.push_back({line.substr(1, line.size() - 2), {}});
            continue;
        }
        if (sections.empty()) {
            throw std::runtime_error(file.string() + ": a key before the first section: " + line);
        }
        std::size_t separator = line.find('=');
        if (separator == std::string::npos) {
            throw std::runtime_error(file.string() + ": a line without '=': " + line);
        }
        sections.back().entries.emplace_back(Trimmed(line.substr(0, separator)),
                                             Trimmed(line.substr(separator + 1)));
    }
    return sections;
}

std::optional<std::string> ReadFileBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

}  // namespace hlreports::test
