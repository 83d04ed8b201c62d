// The parameter saver; see clsParamSaver.h.
#include "prompts/clsParamSaver.h"

#include <fmt/format.h>

#include "prompts/ParameterTokens.h"
#include "prompts/clsList.h"
#include "runtime/ComError.h"

namespace hlreports {
namespace {

bool IsDateType(const CoreParameter& parameter) {
    return parameter.ValueType() == CoreValueDate || parameter.ValueType() == CoreValueDateTime;
}

Variant NumberOf(const std::string& text) {
    return Variant(text.empty() ? 0.0 : Variant(text).ToDouble());
}

}  // namespace

void clsParamSaver::SaveParams(std::vector<std::shared_ptr<CoreParameter>>& aReportParameters,
                               Form& Controls, ListArray& arrList) {
    listCounter_ = 0;
    dateCounter_ = 0;
    int line = 0;
    for (const auto& parameter : aReportParameters) {
        parameter->ClearCurrentValues();
        if (basIsListParameter(*parameter)) {
            SaveList(*parameter, Controls, arrList);
        } else if (parameter->IsRange()) {
            const Variant start = SingleValue(*parameter, Controls, line, 0);
            const Variant end = SingleValue(*parameter, Controls, line, 1);
            parameter->AddCurrentRange(start, end);
        } else {
            parameter->SetCurrentValue(SingleValue(*parameter, Controls, line, 0));
        }
        parameter->ApplyValues();
        ++line;
    }
}

Variant clsParamSaver::DateValue(Form& controls) {
    const Control& box = controls.Get("DateBox" + std::to_string(dateCounter_));
    ++dateCounter_;
    const auto date = Date::Parse(box.Text());
    if (!date) {
        throw ComError(
            ErrorNumber::TypeMismatch, "clsParamSaver.SaveParams",
            fmt::format("Type mismatch: '{}' of {} is not a date", box.Text(), box.Name()));
    }
    return Variant(*date);
}

Variant clsParamSaver::SingleValue(const CoreParameter& parameter, Form& controls, int line,
                                   int n) {
    if (IsDateType(parameter)) {
        return DateValue(controls);
    }
    if (basIsPromptParameter(parameter)) {
        return Variant("  ");
    }
    const Control& data = controls.Get(basDataControlName(line, n));
    switch (parameter.ValueType()) {
        case CoreValueNumber:
        case CoreValueCurrency:
            return NumberOf(data.Text());
        case CoreValueBoolean:
            return Variant(data.IsChecked());
        default:
            return Variant(data.Text());
    }
}

void clsParamSaver::SaveList(CoreParameter& parameter, Form& controls, ListArray& arrList) {
    const int n = listCounter_++;
    const clsList* list = static_cast<std::size_t>(n) < arrList.size()
                              ? arrList[static_cast<std::size_t>(n)].get()
                              : nullptr;
    if (list != nullptr && list->ValuesCount() > 0) {
        for (int16_t j = 0; j < list->ValuesCount(); ++j) {
            parameter.AddCurrentValue(Variant(list->Value(j)));
        }
        return;
    }
    if (list != nullptr && list->Feedback() == AllUnitsSelectedText) {
        parameter.AddCurrentValue(Variant(""));
        return;
    }
    parameter.AddCurrentValue(Variant(controls.Get("txtListText" + std::to_string(n)).Text()));
}

}  // namespace hlreports
