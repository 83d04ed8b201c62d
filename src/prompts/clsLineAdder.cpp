// The line adder; see clsLineAdder.h. Sizes in twips: inputs 315 high, text boxes and date boxes
// 1500 wide, calendar buttons 495 square 100 to the right of their box, captions 2700 wide.
#include "prompts/clsLineAdder.h"

#include <algorithm>
#include <cmath>

#include <fmt/format.h>

#include "prompts/ParameterTokens.h"
#include "prompts/PromptCaptions.h"
#include "prompts/PromptMetrics.h"
#include "runtime/ComError.h"
#include "runtime/Text.h"
#include "ui/UiErrors.h"

namespace hlreports {
namespace {

constexpr int32_t InputHeight = 315;
constexpr int32_t InputWidth = 1500;
constexpr int32_t CaptionWidth = 2700;
constexpr int32_t CalendarGap = 100;
constexpr int32_t CalendarSize = 495;
constexpr int32_t UnitListBoxWidth = 1200;
// A list box never grows past this, so that a wide description column cannot push the line
// beyond what 16-bit positions hold.
constexpr int32_t MaxListBoxWidth = 6000;

std::string TextOf(const Variant& value) {
    return value.IsNull() || value.IsEmpty() ? std::string() : value.ToString();
}

bool IsTrue(const Variant& value) {
    try {
        return value.ToBoolean();
    } catch (const ComError&) {
        return false;
    }
}

// The width of an input: a date box ends with its calendar button, which the next control
// of a range line must not cover.
int32_t InputExtent(const Control& input) {
    if (StartsWithIgnoreCase(input.Name(), "DateBox")) {
        return input.Width() + CalendarGap + CalendarSize;
    }
    return input.Width();
}

}  // namespace

std::string basLabelControlName(int line, int n) {
    return fmt::format("Label{}Dot{}", line, n);
}

std::string basDataControlName(int line, int n) {
    return fmt::format("Data{}Dot{}", line, n);
}

struct clsLineAdder::Line {
    Form& form;
    CoreReport& report;
    ListArray& lists;
    CoreParameter& parameter;
    std::string fullName;
    int aliasIndex = 0;
    std::vector<Control*> buttons;  // aliased after the inputs

    void Alias(Control& control) { control.SetAlias(fullName, aliasIndex++); }
    Control& Fixed(const std::string& name) const {
        Control* control = form.Find(name);
        if (control == nullptr) {
            throw ComError(UiError::ControlNotFound, "clsLineAdder.AddLine",
                           fmt::format("The prompt form has no control {} for parameter {}: it "
                                       "holds at most 5 list prompts and 5 date inputs",
                                       name, fullName));
        }
        return *control;
    }
};

int16_t clsLineAdder::Checked(int32_t value, const Line& line) const {
    if (value < INT16_MIN || value > INT16_MAX) {
        throw ComError(ErrorNumber::Overflow, "clsLineAdder.AddLine",
                       fmt::format("Overflow: the prompt lines reach {} twips at parameter {}; "
                                   "the form holds at most 32767",
                                   value, line.fullName));
    }
    return static_cast<int16_t>(value);
}

int16_t clsLineAdder::AddLine(Form& Ctrls, CoreReport& rptReport, ListArray& arrList) {
    auto& parameters = rptReport.Parameters();
    if (LineNo < 0 || static_cast<std::size_t>(LineNo) >= parameters.size()) {
        throw ComError(
            ErrorNumber::SubscriptOutOfRange, "clsLineAdder.AddLine",
            fmt::format("Subscript out of range: the report has no parameter {}", LineNo));
    }
    CoreParameter& parameter = *parameters[static_cast<std::size_t>(LineNo)];
    Line line{Ctrls, rptReport, arrList, parameter, parameter.ParameterName(), 0, {}};
    int32_t height = 0;
    if (basIsPromptParameter(parameter)) {
        height = AddPromptText(line);
    } else if (basIsListParameter(parameter)) {
        height = AddListLine(line);
    } else if (parameter.IsRange()) {
        height = AddRangeLine(line);
    } else {
        Control& label = AddLabel(line);
        Control& data = AddDataControl(line, 0);
        CenterControls({&label, &data}, false);
        height = std::max(label.Height(), data.Height()) + 160;
        Right = Checked(data.Left() + InputExtent(data) + 200, line);
    }
    for (Control* button : line.buttons) {
        line.Alias(*button);
    }
    return Checked(height, line);
}

Control& clsLineAdder::CreateControl(Line& line, std::string_view className,
                                     const std::string& name) {
    return line.form.AddByClass(className, name, ScrolledPictureBox);
}

void clsLineAdder::TakeTabStop(Control& control) {
    control.SetTabStop(true).SetTabIndex(CurrentTabStop);
    ++CurrentTabStop;
}

int32_t clsLineAdder::AddPromptText(Line& line) {
    Control& label = CreateControl(line, "VB.Label", basLabelControlName(LineNo, 0));
    // Before the first line Right is 0: the paragraph then takes the whole usable width.
    const int32_t usable = BoundingBoxWidth - LabelLeft;
    const int32_t width = Right > 0 ? std::min<int32_t>(Right, usable) : usable;
    const std::string& text = line.parameter.PromptText();
    label.SetAutoSize(true)
        .SetWordWrap(true)
        .SetCaption(text)
        .Move(LabelLeft, Checked(Top + 150, line), width, WrappedTextHeightTwips(text, width))
        .SetAlignment(Alignment::Left)
        .SetVisible(true);
    Right = Checked(label.Left() + label.Width() + 200, line);
    return label.Height() + 300;
}

Control& clsLineAdder::AddLabel(Line& line) {
    Control& label = CreateControl(line, "VB.Label", basLabelControlName(LineNo, 0));
    const std::string caption = LineCaption(line.parameter);
    label.SetAutoSize(true)
        .SetWordWrap(true)
        .SetCaption(caption)
        .Move(LabelLeft, Top, CaptionWidth, WrappedTextHeightTwips(caption, CaptionWidth))
        .SetAlignment(Alignment::Right)
        .SetVisible(true);
    return label;
}

Control& clsLineAdder::AddDataControl(Line& line, int n) {
    CoreParameter& parameter = line.parameter;
    const std::string name = basDataControlName(LineNo, n);
    const int32_t type = parameter.ValueType();
    Control* data = nullptr;
    if (type == CoreValueBoolean) {
        data = &CreateControl(line, "VB.CheckBox", name);
        if (parameter.HasCurrentValue() && IsTrue(parameter.CurrentValue())) {
            data->SetValue(Variant::Integer(vbChecked));
        }
        data->Move(DataLeft, Top, InputWidth, InputHeight);
    } else if (type == CoreValueDate || type == CoreValueDateTime) {
        Top = Checked(Top + 40, line);
        const std::string number = std::to_string(dateCounter_);
        data = &line.Fixed("DateBox" + number);
        if (parameter.HasCurrentValue()) {
            data->SetText(TextOf(parameter.CurrentValue()));
        }
        data->SetVisible(true);
        data->SetText(Variant(PrefillDate(parameter, PropertyID)).ToString());
        data->Move(DataLeft, Top, InputWidth, InputHeight);
        Control& calendar = line.Fixed("Calendar" + number);
        calendar.SetVisible(true).Move(Checked(DataLeft + InputWidth + CalendarGap, line), Top - 80,
                                       CalendarSize, CalendarSize);
        line.buttons.push_back(&calendar);
        ++dateCounter_;
    } else if (!parameter.HasCurrentValue() || parameter.DefaultValueCount() < 2) {
        data = &CreateControl(line, "VB.TextBox", name);
        int32_t width = InputWidth;
        if (parameter.HasCurrentValue()) {
            const std::string text = TextOf(parameter.CurrentValue());
            width = std::max(InputWidth, TextWidthTwips(text) + 200);
            data->SetText(text);
        }
        data->Move(DataLeft, Top, width, InputHeight);
    } else {
        data = &CreateControl(line, "VB.ComboBox", name);
        int32_t widest = 0;
        for (const Variant& value : parameter.DefaultValues()) {
            const std::string text = TextOf(value);
            data->AddItem(text);
            widest = std::max(widest, TextWidthTwips(text));
        }
        data->Move(DataLeft, Top, widest + 500, InputHeight);
        data->SetText(TextOf(parameter.CurrentValue()));
    }
    Checked(data->Left() + data->Width(), line);
    data->SetVisible(true);
    TakeTabStop(*data);
    line.Alias(*data);
    return *data;
}

int32_t clsLineAdder::AddRangeLine(Line& line) {
    Control& label = AddLabel(line);
    const int16_t savedDataLeft = DataLeft;
    Control& from = AddDataControl(line, 0);
    DataLeft = Checked(DataLeft + InputExtent(from) + 200, line);
    Control& to = CreateControl(line, "VB.Label", basLabelControlName(LineNo, 1));
    to.SetAutoSize(true)
        .SetCaption("To")
        .Move(DataLeft, Top, TextWidthTwips("To"), LineHeightTwips)
        .SetVisible(true);
    DataLeft = Checked(DataLeft + to.Width() + 200, line);
    Control& upto = AddDataControl(line, 1);
    DataLeft = savedDataLeft;
    CenterControls({&label, &from, &to, &upto}, true);
    Right = Checked(upto.Left() + InputExtent(upto), line);
    return std::max({label.Height(), from.Height(), to.Height(), upto.Height()});
}

int32_t clsLineAdder::AddListLine(Line& line) {
    const int n = listCounter_;
    const int16_t savedDataLeft = DataLeft;
    const int16_t savedTop = Top;
    if (static_cast<std::size_t>(n) >= line.lists.size()) {
        line.lists.resize(static_cast<std::size_t>(n) + 1);
    }
    auto list = std::make_shared<clsList>();
    line.lists[static_cast<std::size_t>(n)] = list;
    Control& label = AddLabel(line);
    Control& box = line.Fixed("txtListText" + std::to_string(n));
    list->Init(line.fullName, Variant(box.Name()));
    const std::string listName = basListName(line.fullName);
    int32_t width = UnitListBoxWidth;
    if (!EqualsIgnoreCase(listName, UnitListName)) {
        width = std::min(std::stoi(list->DescriptionWidth(line.fullName, line.report)),
                         MaxListBoxWidth);
    }
    box.Move(DataLeft, Top, width, InputHeight).SetVisible(true);
    TakeTabStop(box);
    line.Alias(box);
    Top = Checked(Top + std::max(label.Height(), box.Height()) + 75, line);
    Control& feedback = CreateControl(line, "VB.Label", basLabelControlName(LineNo, 1));
    feedback.SetAutoSize(true).SetCaption("").Move(DataLeft, Top, 0, LineHeightTwips);
    feedback.SetVisible(true);
    list->FeedbackLabel = feedback.Name();
    DataLeft = Checked(DataLeft + width + 200, line);
    Control& button = line.Fixed("btnList" + std::to_string(n));
    button.SetLeft(DataLeft).SetVisible(true);
    TakeTabStop(button);
    line.buttons.push_back(&button);
    DataLeft = savedDataLeft;
    Top = savedTop;
    CenterControls({&label, &box, &button}, true);
    const int32_t height =
        std::max(label.Height(), std::max(box.Height(), button.Height()) + 75 + feedback.Height());
    Right = Checked(button.Left() + button.Width(), line);
    ++listCounter_;
    if (EqualsIgnoreCase(listName, PropertyListName)) {
        box.SetText(PropertyID);
        if (auto validate = box.handlers.validate) {
            bool cancel = false;
            validate(cancel);
        }
    }
    return height;
}

// Centres the controls on the line's middle (half the tallest, rounded); CenterTwo leaves the
// tallest where it is.
void clsLineAdder::CenterControls(const std::vector<Control*>& controls, bool movesTallest) {
    int32_t tallest = 0;
    for (const Control* control : controls) {
        tallest = std::max(tallest, control->Height());
    }
    const auto half = static_cast<int32_t>(std::lround(tallest / 2.0));
    for (Control* control : controls) {
        if (!movesTallest && control->Height() == tallest) {
            continue;
        }
        control->SetTop(Top + half - control->Height() / 2);
    }
}

}  // namespace hlreports
