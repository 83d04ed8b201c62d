// clsParamSaver: writes the prompt form's answers into the report's parameter records, in array
// order, finding each answer by the control names and counters the line adder used: list n is
// arrList(n) with "txtListText" + n, date input n is "DateBox" + n, other inputs are "Data" +
// line + "Dot" + 0 (and 1 for a range's end).
//
// Values by type: 7 and 8 as doubles (an empty text is 0); 9 the check box as a Boolean; 10 and
// 16 the date box as a date (a date range reads two date boxes); a "QZPROMPT(" text line two
// blanks; anything else the text. A list saves its chosen values (column 0) in order, or one
// empty value for "ALL Units Selected" (compared exactly), or else the box's text. Each record
// is cleared first and its values applied last. Nothing is trapped: a text that does not convert
// raises to the prompt form, whose validation keeps such texts out.
#pragma once

#include <memory>
#include <vector>

#include "engine/CoreReport.h"
#include "prompts/clsLineAdder.h"
#include "ui/Form.h"

namespace hlreports {

class clsParamSaver : public ComObject {
  public:
    void SaveParams(std::vector<std::shared_ptr<CoreParameter>>& aReportParameters, Form& Controls,
                    ListArray& arrList);

  private:
    Variant SingleValue(const CoreParameter& parameter, Form& controls, int line, int n);
    Variant DateValue(Form& controls);
    void SaveList(CoreParameter& parameter, Form& controls, ListArray& arrList);

    int listCounter_ = 0;
    int dateCounter_ = 0;
};

}  // namespace hlreports
