// The data folder's setup file and the GL account lookup; see CoreSetupService.h.
#include "engine/CoreSetupService.h"

#include <filesystem>
#include <fstream>
#include <sstream>

#include <fmt/format.h>
#include <nlohmann/json.hpp>

#include "engine/EngineErrors.h"
#include "recordset/AdoTypes.h"

namespace hlreports {
namespace {

constexpr std::string_view SetupFileName = "setup.json";
constexpr int32_t AccountNumberSize = 50;
constexpr int32_t AccountTitleSize = 255;

using AccountMap = std::map<std::string, std::vector<GLAccount>, std::less<>>;

[[noreturn]] void Malformed(const std::string& path, const std::string& problem) {
    throw ComError(EngineError::MalformedSetupFile, std::string(EngineError::SetupInitSource),
                   fmt::format("Malformed setup file {}: {}", path, problem));
}

// nlohmann's texts start with "[json.exception.parse_error.101] "; the rest names line and column.
std::string WithoutExceptionTag(const std::string& text) {
    const std::size_t end = text.find("] ");
    return text.starts_with("[json.exception.") && end != std::string::npos ? text.substr(end + 2)
                                                                            : text;
}

std::string RequiredText(const nlohmann::json& account, const char* key, const std::string& where,
                         const std::string& path) {
    const auto found = account.find(key);
    if (found == account.end() || !found->is_string()) {
        Malformed(path, fmt::format("{} needs a text \"{}\"", where, key));
    }
    return found->get<std::string>();
}

AccountMap ReadAccounts(const nlohmann::json& document, const std::string& path) {
    if (!document.is_object()) {
        Malformed(path, "the file must hold one JSON object");
    }
    for (const auto& [key, value] : document.items()) {
        if (key != "gl_accounts") {
            Malformed(path, fmt::format("unknown key \"{}\" (expected \"gl_accounts\")", key));
        }
    }
    const auto accounts = document.find("gl_accounts");
    if (accounts == document.end() || !accounts->is_object()) {
        Malformed(path, "\"gl_accounts\" must be an object keyed by GL prefix");
    }
    AccountMap byPrefix;
    for (const auto& [prefix, list] : accounts->items()) {
        if (!list.is_array()) {
            Malformed(path,
                      fmt::format("the accounts of GL prefix \"{}\" must be an array", prefix));
        }
        std::vector<GLAccount>& target = byPrefix[prefix];
        for (std::size_t i = 0; i < list.size(); ++i) {
            const nlohmann::json& account = list[i];
            const std::string where = fmt::format("account {} of GL prefix \"{}\"", i + 1, prefix);
            if (!account.is_object()) {
                Malformed(path, where + " must be an object");
            }
            for (const auto& [key, value] : account.items()) {
                if (key != "number" && key != "title") {
                    Malformed(path, fmt::format("unknown key \"{}\" in {}", key, where));
                }
            }
            GLAccount read{RequiredText(account, "number", where, path),
                           RequiredText(account, "title", where, path)};
            for (const GLAccount& existing : target) {
                if (existing.number == read.number) {
                    Malformed(path,
                              fmt::format("account \"{}\" is listed twice under GL prefix \"{}\"",
                                          read.number, prefix));
                }
            }
            target.push_back(std::move(read));
        }
    }
    return byPrefix;
}

}  // namespace

void CoreSetupService::Init(const std::string& dataFolder, const std::string& user,
                            const std::string& /*password*/) {
    std::error_code error;
    if (dataFolder.empty() || !std::filesystem::is_directory(dataFolder, error)) {
        throw ComError(EngineError::DataFolderNotFound, std::string(EngineError::SetupInitSource),
                       "Data folder not found: " + dataFolder);
    }
    const std::string path = (std::filesystem::path(dataFolder) / SetupFileName).string();
    if (!std::filesystem::is_regular_file(path, error)) {
        throw ComError(EngineError::SetupFileNotFound, std::string(EngineError::SetupInitSource),
                       "Setup file not found: " + path);
    }
    std::ifstream stream(path, std::ios::binary);
    if (!stream.is_open()) {
        Malformed(path, "the file cannot be opened");
    }
    std::ostringstream text;
    text << stream.rdbuf();
    if (stream.bad()) {
        Malformed(path, "the file cannot be read");
    }
    nlohmann::json document;
    try {
        document = nlohmann::json::parse(text.str());
    } catch (const nlohmann::json::exception& parseError) {
        Malformed(path, WithoutExceptionTag(parseError.what()));
    }
    AccountMap accounts = ReadAccounts(document, path);
    accountsByPrefix_ = std::move(accounts);
    dataFolder_ = dataFolder;
    user_ = user;
    initialised_ = true;
}

RecordsetPtr CoreSetupService::GLAccounts(std::string_view glPrefix) const {
    if (!initialised_) {
        throw ComError(EngineError::SetupNotInitialised,
                       std::string(EngineError::SetupLookupSource),
                       "The setup service is not initialised: Init it with the data folder first");
    }
    auto rows = std::make_shared<Recordset>();
    FieldInfo value;
    value.name = "Value";
    value.type = adVarChar;
    value.definedSize = AccountNumberSize;
    FieldInfo title;
    title.name = "Title";
    title.type = adVarChar;
    title.definedSize = AccountTitleSize;
    rows->AppendField(std::move(value));
    rows->AppendField(std::move(title));
    rows->Open();
    if (const auto found = accountsByPrefix_.find(glPrefix); found != accountsByPrefix_.end()) {
        for (const GLAccount& account : found->second) {
            rows->AppendRow({Variant(account.number), Variant(account.title)});
        }
    }
    rows->FinishLoading();
    return rows;
}

}  // namespace hlreports
