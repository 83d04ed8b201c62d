// clsLineAdder: lays out one line of the prompt form per report parameter, inside the form's
// scrolled picture box, and returns the height the line takes. The form owns one line adder per
// build, sets LabelLeft 300, DataLeft 3200, Top 100, BoundingBoxWidth, PropertyID, CurrentTabStop
// 0 and ScrolledPictureBox, then for each parameter sets LineNo, calls AddLine and advances Top by
// the height + 75.
//
// Line kinds: a "QZPROMPT(" text paragraph; a "QZLIST(" list line (the form's txtListText<n>
// and btnList<n>, a new clsList and a feedback label); a range line (two inputs joined by "To");
// an input line. Inputs by value type: 9 check box; 10 and 16 the form's DateBox<n> with its
// Calendar<n>; others a text box, or a combo box when the parameter has a current value and two
// or more default values. New controls are named "Label"/"Data" + line + "Dot" + 0 or 1; each
// focusable control takes the next tab index.
//
// Each line's controls also answer to the parameter's full name as an alias: "{?Name}" (index 0)
// and "{?Name}(1)", ... for the line's further controls, inputs first, then buttons.
//
// Positions are 16-bit twips: a line that would end beyond 32767 raises 6 (Overflow) naming the
// parameter. A missing fixed control (a sixth list or date input) raises 730 naming it; the form
// counts its lines before building so that this cannot happen half-way.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/CoreReport.h"
#include "prompts/clsList.h"
#include "ui/Form.h"

namespace hlreports {

using ListArray = std::vector<std::shared_ptr<clsList>>;

class clsLineAdder : public ComObject {
  public:
    int16_t LineNo = 0;
    int16_t LabelLeft = 0;
    int16_t DataLeft = 0;
    int16_t Top = 0;
    int16_t Right = 0;
    int16_t BoundingBoxWidth = 0;
    std::string PropertyID;
    Control* ScrolledPictureBox = nullptr;
    int16_t CurrentTabStop = 0;

    // Lays out the parameter at LineNo of the report; the list array must hold a slot for every
    // list line (the form keeps six).
    int16_t AddLine(Form& Ctrls, CoreReport& rptReport, ListArray& arrList);

    int ListCount() const { return listCounter_; }
    int DateCount() const { return dateCounter_; }

  private:
    struct Line;
    int32_t AddPromptText(Line& line);
    int32_t AddListLine(Line& line);
    int32_t AddRangeLine(Line& line);
    Control& AddLabel(Line& line);
    Control& AddDataControl(Line& line, int n);
    Control& CreateControl(Line& line, std::string_view className, const std::string& name);
    void TakeTabStop(Control& control);
    void CenterControls(const std::vector<Control*>& controls, bool movesTallest);
    int16_t Checked(int32_t value, const Line& line) const;

    int listCounter_ = 0;
    int dateCounter_ = 0;
};

// "Label" + line + "Dot" + n and "Data" + line + "Dot" + n.
std::string basLabelControlName(int line, int n);
std::string basDataControlName(int line, int n);

}  // namespace hlreports
