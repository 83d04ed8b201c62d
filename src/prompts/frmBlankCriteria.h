// frmBlankCriteria: the modal prompt form of a custom report (caption "Report Criteria").
// SetParams builds one line per report parameter with the line adder inside the scrolled picture
// box pbScrolled, arranges the frame, viewport and scroll bars for the content, and returns true;
// the runner then shows the form modally when there is a parameter to ask for. Preview and Print
// validate every answer (combo values, numbers, dates, the property/unit interlock), hide the
// form and write the answers into the parameters with clsParamSaver; Cancel (and closing the
// window) hides it with Result false and leaves 20545 pending.
//
// The property list ("Property Selection") and the unit list ("Unit Selection") interlock: the
// unit list's rows are those of the chosen properties; a property change that drops chosen units
// blocks Preview and Print until the units are chosen again or cleared (all units).
//
// A failure while building (more than five list prompts or date inputs, list SQL that is refused
// or fails, positions beyond 16 bits) raises the error and leaves nothing built: the form is not
// shown and nothing runs. Errors of list buttons and list validation are shown in the common
// error box. Every message box is titled "Hearthline".
// Keys: Enter acts as Tab. A control that takes the focus is scrolled into view first.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "engine/CoreReport.h"
#include "prompts/clsLineAdder.h"
#include "prompts/clsList.h"
#include "ui/Form.h"

namespace hlreports {

inline constexpr int PromptFormFixedControls = 5;  // txtListText0..4, DateBox0..4, ...

class frmBlankCriteria : public Form {
  public:
    frmBlankCriteria();

    bool SetParams(std::vector<std::shared_ptr<CoreParameter>>& parameters,
                   std::shared_ptr<CoreReport> report, const std::string& propertyId,
                   const std::string& reportName);
    bool Result() const { return result_; }
    int LineCount() const { return lineCount_; }
    const ListArray& Lists() const { return lists_; }
    bool PropertyChanged() const { return propertyChanged_; }
    // The validation of list text box n when it loses the focus.
    void txtListTextX_Validate(int index, bool& cancel);

  private:
    void Design();
    void CheckCapacity(const std::vector<std::shared_ptr<CoreParameter>>& parameters) const;
    void Build(const std::string& propertyId);
    void Arrange(int32_t contentHeight, int32_t contentWidth);
    void ResetPromptArea();
    void ScrollIntoView(const Control& control);
    void FailOn(Control& control);
    void ListButtonClick(int index);
    void PropertyChange(int index);
    void CalendarClick(int index);
    bool DateBoxIsValid(int index);
    bool ValidateAll();
    void Finish(bool print);
    void CancelPrompts();
    clsList* ListAt(std::optional<int> index) const;
    std::string PropertyFilterOfPropertyList() const;
    Control& ListBox(int index) const;

    std::vector<std::shared_ptr<CoreParameter>>* parameters_ = nullptr;
    std::shared_ptr<CoreReport> report_;
    ListArray lists_;
    bool built_ = false;
    int lineCount_ = 0;
    bool result_ = false;
    std::optional<int> propertyListIndex_;
    bool propertyListSeen_ = false;
    std::optional<int> unitListIndex_;
    bool propertyChanged_ = false;
};

}  // namespace hlreports
