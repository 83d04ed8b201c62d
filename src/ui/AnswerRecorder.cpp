// AnswerRecorder: actions to answer-file JSON; see AnswerRecorder.h.
#include "ui/AnswerRecorder.h"

#include <nlohmann/json.hpp>

#include "runtime/PartialFile.h"
#include "ui/Form.h"

namespace hlreports {
namespace {

using Json = nlohmann::json;

std::string_view VerbName(AnswerVerb verb) {
    switch (verb) {
        case AnswerVerb::Set:
            return "set";
        case AnswerVerb::Click:
            return "click";
        case AnswerVerb::Pick:
            return "pick";
        case AnswerVerb::Key:
            return "key";
        case AnswerVerb::KeyDown:
            return "keydown";
        case AnswerVerb::Focus:
            return "focus";
        case AnswerVerb::Tab:
            return "tab";
        case AnswerVerb::Close:
            return "close";
    }
    return "click";
}

// Values as the answer-file loader reads them back: texts, whole numbers, numbers, booleans.
Json ScalarJson(const Variant& value) {
    switch (value.Kind()) {
        case VariantKind::Boolean:
            return value.ToBoolean();
        case VariantKind::Integer:
        case VariantKind::Long:
            return value.ToLong();
        case VariantKind::Double:
        case VariantKind::Currency:
            return value.ToDouble();
        default:
            return value.ToString();
    }
}

Json ActionJson(const AnswerAction& action) {
    Json json = Json::array({VerbName(action.verb)});
    if (action.control) {
        json.push_back(action.control->ToString());
    }
    for (const Variant& argument : action.arguments) {
        json.push_back(ScalarJson(argument));
    }
    return json;
}

}  // namespace

AnswerAction MakeAnswerAction(AnswerVerb verb, std::optional<ControlReference> control,
                              std::vector<Variant> arguments) {
    AnswerAction action;
    action.verb = verb;
    action.control = std::move(control);
    action.arguments = std::move(arguments);
    action.written = ActionJson(action).dump();
    return action;
}

void AnswerRecorder::BeginDialog(const Form& form) {
    DialogAnswers entry;
    entry.caption = form.Caption();
    dialogs_.push_back(std::move(entry));
    open_.push_back(dialogs_.size() - 1);
}

void AnswerRecorder::Played(const AnswerAction& action) {
    if (open_.empty()) {
        return;
    }
    auto& actions = dialogs_[open_.back()].actions;
    const bool sameSet = action.verb == AnswerVerb::Set && !actions.empty() &&
                         actions.back().verb == AnswerVerb::Set &&
                         actions.back().control->ToString() == action.control->ToString();
    if (sameSet) {
        actions.back() = action;
        return;
    }
    actions.push_back(action);
}

void AnswerRecorder::EndDialog() {
    if (!open_.empty()) {
        open_.pop_back();
    }
}

std::string AnswerRecorder::Json() const {
    // One action per line keeps the file readable and easy to edit by hand.
    std::string text = "{\"comment\": \"Recorded by hlreports --record\",\n \"dialogs\": [";
    for (std::size_t d = 0; d < dialogs_.size(); ++d) {
        const DialogAnswers& dialog = dialogs_[d];
        text += d == 0 ? "\n  " : ",\n  ";
        text += "{\"caption\": " + ::nlohmann::json(dialog.caption.value_or("")).dump() +
                ",\n   \"do\": [";
        for (std::size_t a = 0; a < dialog.actions.size(); ++a) {
            text += a == 0 ? "\n     " : ",\n     ";
            text += ActionJson(dialog.actions[a]).dump();
        }
        text += "]}";
    }
    text += "]}\n";
    return text;
}

void AnswerRecorder::Save(const std::filesystem::path& file) const {
    WriteTextFile(file, Json());
}

}  // namespace hlreports
