// frmBlankCriteria: building, the list and date handlers, validation and the ways out. The
// design, arrangement and scrolling are in frmBlankCriteriaLayout.cpp.
#include "prompts/frmBlankCriteria.h"

#include <fmt/format.h>

#include "prompts/ListSql.h"
#include "prompts/ParameterTokens.h"
#include "prompts/clsParamSaver.h"
#include "runtime/ComError.h"
#include "runtime/Err.h"
#include "runtime/Session.h"
#include "runtime/Text.h"
#include "service/CriteriaWindowHabits.h"
#include "service/SetupHelpers.h"
#include "ui/Ui.h"
#include "ui/UiErrors.h"
#include "util/DatePicker.h"
#include "util/DateUtils.h"

namespace hlreports {
namespace {

constexpr std::string_view Title = "Hearthline";
constexpr std::size_t ListSlots = 6;

void Message(const std::string& text) {
    TheUi().MsgBox(text, vbOKOnly, std::string(Title));
}

// Handlers report their own failures in the common error box; an answer file that went astray
// is the script's error and passes through.
void ReportTrapped(const ComError& error) {
    if (error.Source() == UiError::ScriptedUiSource) {
        throw error;
    }
    ShowErrorBox(error.Description(), error.Source(), "", error.Number());
}

template <typename Handler>
void Trapped(Handler&& handler) {
    try {
        handler();
    } catch (const ComError& error) {
        ReportTrapped(error);
    }
}

bool IsDateType(const CoreParameter& parameter) {
    return parameter.ValueType() == CoreValueDate || parameter.ValueType() == CoreValueDateTime;
}

bool IsNumberType(const CoreParameter& parameter) {
    return parameter.ValueType() == CoreValueNumber || parameter.ValueType() == CoreValueCurrency;
}

}  // namespace

frmBlankCriteria::frmBlankCriteria() : Form("frmBlankCriteria", "Report Criteria") {
    lists_.resize(ListSlots);
    Design();
    ApplyCriteriaWindowHabits(*this, [this] { CancelPrompts(); });
    for (int n = 0; n < PromptFormFixedControls; ++n) {
        const std::string number = std::to_string(n);
        Control& box = Get("txtListText" + number);
        box.handlers.validate = [this, n](bool& cancel) { txtListTextX_Validate(n, cancel); };
        box.handlers.change = [this, n] {
            if (ListAt(n) != nullptr && ListAt(n)->IsUnitList()) {
                propertyChanged_ = false;
            }
        };
        Get("btnList" + number).handlers.click = [this, n] {
            Trapped([&] { ListButtonClick(n); });
        };
        Get("DateBox" + number).handlers.validate = [this, n](bool& cancel) {
            cancel = !DateBoxIsValid(n);
        };
        Get("Calendar" + number).handlers.click = [this, n] { CalendarClick(n); };
    }
    Get("vsScroll").handlers.change = [this] {
        Get("pbScrolled").SetTop(-Get("vsScroll").Value().ToLong());
    };
    Get("hsScroll").handlers.change = [this] {
        Get("pbScrolled").SetLeft(-Get("hsScroll").Value().ToLong());
    };
    Get("btnPreview").handlers.click = [this] { Finish(false); };
    Get("btnPrint").handlers.click = [this] { Finish(true); };
    Get("btnCancel").handlers.click = [this] { CancelPrompts(); };
}

clsList* frmBlankCriteria::ListAt(std::optional<int> index) const {
    if (!index || *index < 0 || static_cast<std::size_t>(*index) >= lists_.size()) {
        return nullptr;
    }
    return lists_[static_cast<std::size_t>(*index)].get();
}

Control& frmBlankCriteria::ListBox(int index) const {
    return Get("txtListText" + std::to_string(index));
}

// --- Building -----------------------------------------------------------------------------

bool frmBlankCriteria::SetParams(std::vector<std::shared_ptr<CoreParameter>>& parameters,
                                 std::shared_ptr<CoreReport> report, const std::string& propertyId,
                                 [[maybe_unused]] const std::string& reportName) {
    parameters_ = &parameters;
    report_ = std::move(report);
    if (!built_) {
        CheckCapacity(parameters);
        try {
            Build(propertyId);
        } catch (...) {
            ResetPromptArea();
            lists_.assign(ListSlots, nullptr);
            propertyListIndex_.reset();
            unitListIndex_.reset();
            throw;
        }
    }
    TheUi().SetMousePointer(vbDefault);
    return true;
}

// Five list prompts and five date inputs at most: found before anything is built, so that a
// report asking for more gets an error naming the parameter and no half-built form.
void frmBlankCriteria::CheckCapacity(
    const std::vector<std::shared_ptr<CoreParameter>>& parameters) const {
    int lists = 0;
    int dates = 0;
    for (const auto& parameter : parameters) {
        if (basIsPromptParameter(*parameter)) {
            continue;
        }
        if (basIsListParameter(*parameter)) {
            ++lists;
        } else if (IsDateType(*parameter)) {
            dates += parameter->IsRange() ? 2 : 1;
        }
        if (lists > PromptFormFixedControls || dates > PromptFormFixedControls) {
            throw ComError(
                ErrorNumber::SubscriptOutOfRange, "frmBlankCriteria.SetParams",
                fmt::format("The prompt form holds at most {} {}; parameter {} is one too many",
                            PromptFormFixedControls,
                            lists > PromptFormFixedControls ? "list prompts" : "date inputs",
                            parameter->ParameterName()));
        }
    }
}

void frmBlankCriteria::Build(const std::string& propertyId) {
    for (int n = 0; n < PromptFormFixedControls; ++n) {
        Get("btnList" + std::to_string(n)).SetVisible(false);
        ListBox(n).SetVisible(false);
    }
    clsLineAdder adder;
    adder.LabelLeft = 300;
    adder.DataLeft = 3200;
    adder.Top = 100;
    adder.BoundingBoxWidth =
        static_cast<int16_t>(Get("frCriteria").Width() - Get("vsScroll").Width());
    adder.PropertyID = propertyId;
    adder.CurrentTabStop = 0;
    adder.ScrolledPictureBox = &Get("pbScrolled");
    int32_t widest = 0;
    for (std::size_t i = 0; i < parameters_->size(); ++i) {
        adder.LineNo = static_cast<int16_t>(i);
        const int32_t height = adder.AddLine(*this, *report_, lists_);
        const int32_t top = adder.Top + height + 75;
        if (top > INT16_MAX) {
            throw ComError(ErrorNumber::Overflow, "frmBlankCriteria.SetParams",
                           fmt::format("Overflow: the prompt lines reach {} twips at parameter "
                                       "{}; the form holds at most 32767",
                                       top, (*parameters_)[i]->ParameterName()));
        }
        adder.Top = static_cast<int16_t>(top);
        widest = std::max<int32_t>(widest, adder.Right);
    }
    for (int n = 0; n < adder.ListCount(); ++n) {
        if (ListAt(n) != nullptr && ListAt(n)->IsUnitList()) {
            unitListIndex_ = n;
        }
    }
    Arrange(adder.Top, widest);
    lineCount_ = static_cast<int>(parameters_->size());
    built_ = true;
    Get("btnPrint").SetTabIndex(adder.CurrentTabStop);
    Get("btnPreview").SetTabIndex(adder.CurrentTabStop + 1);
    Get("btnCancel").SetTabIndex(adder.CurrentTabStop + 2);
    for (Control* control : ControlsIn(Get("pbScrolled"))) {
        if (CanTakeFocus(control->Kind())) {
            control->handlers.gotFocus = [this, control] { ScrollIntoView(*control); };
        }
    }
}

// --- Lists --------------------------------------------------------------------------------

std::string frmBlankCriteria::PropertyFilterOfPropertyList() const {
    const clsList* property = ListAt(propertyListIndex_);
    return property != nullptr ? property->CreatePropertyFilter() : PropertyFilterText({});
}

void frmBlankCriteria::ListButtonClick(int index) {
    clsList* list = ListAt(index);
    if (list == nullptr) {
        return;
    }
    Control& box = ListBox(index);
    if (list->IsUnitList()) {
        const std::string filter = PropertyFilterOfPropertyList();
        if (filter.size() < 3) {
            Message("Property field is blank. Select a Property before selecting a Unit.");
            if (propertyListIndex_) {
                Control& propertyBox = ListBox(*propertyListIndex_);
                ScrollIntoView(propertyBox);
                SetFocus(propertyBox);
            }
            return;
        }
        list->PropertyFilter = filter;
        list->InitRS(*report_);
        propertyChanged_ = false;
    }
    if (!box.Text().empty()) {
        list->MatchText(box.Text(), *report_);
    }
    list->Show(*report_);
    Get(list->FeedbackLabel).SetCaption(list->Feedback());
    box.SetText(list->Description());
    if (EqualsIgnoreCase(list->Feedback(), AllUnitsSelectedText)) {
        // All units is no unit restriction, which an empty box says too: leaving the box later
        // must not turn the "Multiple" text into a value.
        list->ClearValues();
        box.SetText("");
    }
    if (list->IsPropertyList()) {
        PropertyChange(index);
    }
}

void frmBlankCriteria::txtListTextX_Validate(int index, bool& cancel) {
    clsList* list = ListAt(index);
    if (list == nullptr) {
        return;
    }
    try {
        Control& box = ListBox(index);
        if (list->IsUnitList()) {
            list->PropertyFilter = PropertyFilterOfPropertyList();
            list->InitRS(*report_);
            list->ClearAllUnitsSelected();
        }
        list->MatchText(box.Text(), *report_);
        Get(list->FeedbackLabel).SetCaption(list->Feedback());
        if (!list->IsPropertyList()) {
            return;
        }
        propertyListSeen_ = true;
        propertyListIndex_ = index;
        if (!box.Text().empty() && !list->ExistsOnList(box.Text(), *report_)) {
            Message(basListName(list->ParamName) +
                    " is invalid or the necessary security permissions are not available.");
            cancel = true;
            return;
        }
        PropertyChange(index);
    } catch (const ComError& error) {
        // While the form is built a failing list is the build's error (nothing is shown then).
        if (!built_) {
            throw;
        }
        ReportTrapped(error);
    }
}

void frmBlankCriteria::PropertyChange(int index) {
    clsList* property = ListAt(index);
    clsList* unit = ListAt(unitListIndex_);
    if (property == nullptr || unit == nullptr) {
        return;
    }
    const std::string filter = property->CreatePropertyFilter();
    if (EqualsIgnoreCase(filter, unit->PropertyFilter)) {
        return;
    }
    const int16_t before = unit->ValuesCount();
    const std::string unitText = ListBox(*unitListIndex_).Text();
    unit->PropertyFilter = filter;
    unit->InitRS(*report_);
    if (!unitText.empty()) {
        if (unitText == MultipleSelectedText) {
            unit->ClearValues();
            propertyChanged_ = true;
        } else {
            unit->MatchText(unitText, *report_);
        }
    }
    if (unit->ValuesCount() < before) {
        propertyChanged_ = true;
    }
}

// --- Dates --------------------------------------------------------------------------------

void frmBlankCriteria::CalendarClick(int index) {
    Control& box = Get("DateBox" + std::to_string(index));
    const Date date = basShowDatePicker(box.Text(), box);
    if (!date.IsZero()) {
        box.SetText(Variant(date).ToString());
    }
}

bool frmBlankCriteria::DateBoxIsValid(int index) {
    Control& box = Get("DateBox" + std::to_string(index));
    const std::string normalised = basFormatDate(box.Text());
    if (normalised.empty()) {
        Message("You must enter a valid date.");
        return false;
    }
    box.SetText(normalised);
    return true;
}

// --- Finishing ----------------------------------------------------------------------------

void frmBlankCriteria::FailOn(Control& control) {
    ScrollIntoView(control);
    if (control.IsShown() && control.IsUsable()) {
        SetFocus(control);
    }
}

bool frmBlankCriteria::ValidateAll() {
    for (int line = 0; line < lineCount_; ++line) {
        const CoreParameter& parameter = *(*parameters_)[static_cast<std::size_t>(line)];
        const int inputs = parameter.IsRange() ? 2 : 1;
        for (int n = 0; n < inputs; ++n) {
            Control* data = Find(basDataControlName(line, n));
            if (data == nullptr) {
                continue;
            }
            if (data->Kind() == ControlKind::ComboBox) {
                const auto& defaults = parameter.DefaultValues();
                const bool listed =
                    std::any_of(defaults.begin(), defaults.end(), [&](const Variant& value) {
                        return !value.IsNull() && value.ToString() == data->Text();
                    });
                if (!listed) {
                    Message("Please select a value from the list.");
                    FailOn(*data);
                    return false;
                }
            } else if (!basIsPromptParameter(parameter) && IsNumberType(parameter) &&
                       !data->Text().empty() && !Variant(data->Text()).IsNumeric()) {
                Message("Please enter a number.");
                FailOn(*data);
                return false;
            }
        }
    }
    for (int n = 0; n < PromptFormFixedControls; ++n) {
        Control& box = Get("DateBox" + std::to_string(n));
        if (box.IsVisible() && !DateBoxIsValid(n)) {
            FailOn(box);
            return false;
        }
    }
    if (propertyChanged_ && unitListIndex_) {
        Message(
            "Property Selection changed.  Units must be reselected, or to report on all units, "
            "clear the Unit Selection field.");
        FailOn(ListBox(*unitListIndex_));
        return false;
    }
    return true;
}

void frmBlankCriteria::Finish(bool print) {
    if (print) {
        TheSession().settings.destination = irToPrinter;
    }
    if (!ValidateAll()) {
        return;
    }
    Hide();
    clsParamSaver saver;
    saver.SaveParams(*parameters_, *this, lists_);
    if (print) {
        ResetPromptArea();
    }
    result_ = true;
}

void frmBlankCriteria::CancelPrompts() {
    Hide();
    ResetPromptArea();
    result_ = false;
    Err().SetPending(ErrorNumber::UserCancelled, "frmBlankCriteria", "");
}

}  // namespace hlreports
