// Answer-file loading: JSON text to DialogAnswers, checked completely before anything plays.
#include "ui/AnswerFile.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <optional>
#include <sstream>

#include <fmt/format.h>
#include <nlohmann/json.hpp>

#include "runtime/ComError.h"
#include "ui/JsonScalar.h"
#include "ui/UiErrors.h"

namespace hlreports {

namespace {

using Json = nlohmann::json;

constexpr int MaxKeyCode = 255;
// Deep enough for any answer file (a value inside an action is five levels down).
constexpr int MaxAnswerFileDepth = 16;

[[noreturn]] void Raise(int32_t number, std::string description) {
    throw ComError(number, std::string(UiError::ScriptedUiSource), std::move(description));
}

struct LineAndColumn {
    std::size_t line = 1;
    std::size_t column = 1;
};

// The parser reports a byte count (one past the offending byte); people want line and column.
LineAndColumn PositionOf(std::string_view text, std::size_t byteCount) {
    LineAndColumn position;
    const std::size_t end = std::min(byteCount == 0 ? 0 : byteCount - 1, text.size());
    for (std::size_t i = 0; i < end; ++i) {
        if (text[i] == '\n') {
            ++position.line;
            position.column = 1;
        } else {
            ++position.column;
        }
    }
    return position;
}

// The parser's own explanation without its "[json.exception...] parse error at ...: " head.
std::string ParserDetail(const nlohmann::json::parse_error& error) {
    const std::string what = error.what();
    const auto colon = what.find(": ");
    return colon == std::string::npos ? what : what.substr(colon + 2);
}

class Checker {
  public:
    explicit Checker(std::string origin) : origin_(std::move(origin)) {}

    std::vector<DialogAnswers> Dialogs(const Json& root) {
        if (!root.is_object()) {
            Fail("the file must hold an object with a \"dialogs\" list");
        }
        CheckKeys(root, {"dialogs", "comment"});
        const auto dialogs = root.find("dialogs");
        if (dialogs == root.end() || !dialogs->is_array()) {
            Fail("the file must hold an object with a \"dialogs\" list");
        }
        std::vector<DialogAnswers> result;
        for (const auto& entry : *dialogs) {
            dialogNumber_ = result.size() + 1;
            result.push_back(Dialog(entry));
        }
        return result;
    }

  private:
    DialogAnswers Dialog(const Json& entry) {
        actionNumber_ = 0;
        if (!entry.is_object()) {
            Fail("a dialog entry must be an object with \"caption\" and \"do\"");
        }
        CheckKeys(entry, {"caption", "do", "comment"});
        DialogAnswers answers;
        if (const auto caption = entry.find("caption"); caption != entry.end()) {
            if (!caption->is_string()) {
                Fail("\"caption\" must be a text");
            }
            answers.caption = caption->get<std::string>();
        }
        const auto actions = entry.find("do");
        if (actions == entry.end()) {
            return answers;
        }
        if (!actions->is_array()) {
            Fail("\"do\" must be a list of actions");
        }
        for (const auto& action : *actions) {
            actionNumber_ = answers.actions.size() + 1;
            answers.actions.push_back(Action(action));
        }
        return answers;
    }

    AnswerAction Action(const Json& action) {
        if (!action.is_array() || action.empty() || !action[0].is_string()) {
            Fail(fmt::format("an action must be a list that starts with its name, not {}",
                             action.dump()));
        }
        AnswerAction result;
        result.written = action.dump();
        const std::string verb = action[0].get<std::string>();
        const std::size_t count = action.size();
        if (verb == "set") {
            RequireCount(action, count == 3, "[\"set\", control, value]");
            result.verb = AnswerVerb::Set;
            result.control = ControlName(action[1]);
            result.arguments.push_back(Scalar(action[2], "the value"));
        } else if (verb == "click" || verb == "focus") {
            RequireCount(action, count == 2, fmt::format("[\"{}\", control]", verb));
            result.verb = verb == "click" ? AnswerVerb::Click : AnswerVerb::Focus;
            result.control = ControlName(action[1]);
        } else if (verb == "pick") {
            RequireCount(action, count >= 3, "[\"pick\", control, row, ...]");
            result.verb = AnswerVerb::Pick;
            result.control = ControlName(action[1]);
            for (std::size_t i = 2; i < count; ++i) {
                if (!action[i].is_string() && !action[i].is_number_integer()) {
                    Fail(fmt::format("a row is a value or \"#index\", not {}", action[i].dump()));
                }
                result.arguments.push_back(Variant(
                    action[i].is_string() ? action[i].get<std::string>() : action[i].dump()));
            }
        } else if (verb == "key" || verb == "keydown") {
            RequireCount(action, count == 2 || count == 3,
                         fmt::format("[\"{0}\", control, code] or [\"{0}\", code]", verb));
            result.verb = verb == "key" ? AnswerVerb::Key : AnswerVerb::KeyDown;
            if (count == 3) {
                result.control = ControlName(action[1]);
            }
            result.arguments.push_back(Variant(KeyCode(action[count - 1])));
        } else if (verb == "tab") {
            RequireCount(action, count == 3, "[\"tab\", control, tab number or caption]");
            result.verb = AnswerVerb::Tab;
            result.control = ControlName(action[1]);
            result.arguments.push_back(Tab(action[2]));
        } else if (verb == "close") {
            RequireCount(action, count == 1, "[\"close\"]");
            result.verb = AnswerVerb::Close;
        } else {
            Fail(
                fmt::format("unknown action \"{}\" (known: set, click, pick, key, keydown, focus, "
                            "tab, close)",
                            verb));
        }
        return result;
    }

    ControlReference ControlName(const Json& value) {
        if (value.is_string()) {
            if (auto reference = ParseControlReference(value.get<std::string>())) {
                return *reference;
            }
        }
        Fail(fmt::format("{} is not a control name (write \"chk1\" or \"cboCombo(1)\")",
                         value.dump()));
    }

    Variant Scalar(const Json& value, std::string_view what) {
        if (!value.is_null()) {
            if (std::optional<Variant> scalar = VariantOfJsonScalar(value)) {
                return *std::move(scalar);
            }
        }
        Fail(fmt::format("{} must be a text, a number or true/false, not {}", what, value.dump()));
    }

    int32_t KeyCode(const Json& value) {
        if (!value.is_number_integer() || value.get<int64_t>() < 1 ||
            value.get<int64_t>() > MaxKeyCode) {
            Fail(
                fmt::format("a key code is a number from 1 to {} (13 Enter, 9 Tab, 27 Escape), "
                            "not {}",
                            MaxKeyCode, value.dump()));
        }
        return static_cast<int32_t>(value.get<int64_t>());
    }

    Variant Tab(const Json& value) {
        if (value.is_string()) {
            return Variant(value.get<std::string>());
        }
        if (value.is_number_integer() && value.get<int64_t>() >= 0 &&
            value.get<int64_t>() <= INT32_MAX) {
            return Variant(static_cast<int32_t>(value.get<int64_t>()));
        }
        Fail(fmt::format("a tab is a number from 0 or a caption, not {}", value.dump()));
    }

    void RequireCount(const Json& action, bool countIsRight, std::string_view form) {
        if (!countIsRight) {
            Fail(fmt::format("{} does not have the form {}", action.dump(), form));
        }
    }

    void CheckKeys(const Json& object, std::initializer_list<std::string_view> known) {
        for (const auto& item : object.items()) {
            if (std::find(known.begin(), known.end(), item.key()) == known.end()) {
                Fail(fmt::format("unknown key \"{}\"", item.key()));
            }
        }
    }

    [[noreturn]] void Fail(std::string_view problem) const {
        std::string where;
        if (dialogNumber_ > 0) {
            where += fmt::format(", dialog {}", dialogNumber_);
        }
        if (actionNumber_ > 0) {
            where += fmt::format(", action {}", actionNumber_);
        }
        Raise(UiError::AnswerFileInvalid,
              fmt::format("answer file '{}'{}: {}", origin_, where, problem));
    }

    std::string origin_;
    std::size_t dialogNumber_ = 0;
    std::size_t actionNumber_ = 0;
};

}  // namespace

AnswerFile AnswerFile::Load(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        const int error = errno;
        Raise(UiError::AnswerFileUnreadable,
              fmt::format("answer file '{}' cannot be read: {}", path.string(),
                          error != 0 ? std::strerror(error) : "cannot open"));
    }
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) {
        Raise(UiError::AnswerFileUnreadable,
              fmt::format("answer file '{}' cannot be read: read error", path.string()));
    }
    return Parse(text.str(), path.string());
}

AnswerFile AnswerFile::Parse(std::string_view json, std::string origin) {
    Json root;
    // An answer file nests a few levels; deeper values would only feed the recursive
    // serialiser that writes values into error texts, so they are refused while parsing.
    struct TooDeep {};
    const auto limitDepth = [](int depth, nlohmann::json::parse_event_t, Json&) {
        if (depth + 1 > MaxAnswerFileDepth) {  // the top value is level 1
            throw TooDeep{};
        }
        return true;
    };
    try {
        root = Json::parse(json, limitDepth);
    } catch (const TooDeep&) {
        Raise(UiError::AnswerFileInvalid,
              fmt::format("answer file '{}': values are nested more than {} levels deep", origin,
                          MaxAnswerFileDepth));
    } catch (const nlohmann::json::parse_error& error) {
        const auto position = PositionOf(json, error.byte);
        Raise(UiError::AnswerFileMalformed,
              fmt::format("answer file '{}' is not valid JSON: line {}, column {}: {}", origin,
                          position.line, position.column, ParserDetail(error)));
    } catch (const nlohmann::json::out_of_range& error) {
        // A number too large for a double ("1e999") is reported without a position.
        const std::string what = error.what();
        const auto tagEnd = what.find("] ");
        Raise(UiError::AnswerFileMalformed,
              fmt::format("answer file '{}' is not valid JSON: {}", origin,
                          tagEnd == std::string::npos ? what : what.substr(tagEnd + 2)));
    }
    AnswerFile file;
    file.dialogs_ = Checker(origin).Dialogs(root);
    file.origin_ = std::move(origin);
    return file;
}

}  // namespace hlreports
