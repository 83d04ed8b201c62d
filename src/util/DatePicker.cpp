// basShowDatePicker and ShowDatePicker; see DatePicker.h.
#include "util/DatePicker.h"

#include "runtime/ComError.h"
#include "service/SetupHelpers.h"
#include "ui/Form.h"
#include "util/frmDatePicker.h"

namespace hlreports {

Date ShowDatePicker(int32_t leftTwips, int32_t topTwips, Date startDate) {
    frmDatePicker picker;
    return picker.FormShow(leftTwips, topTwips, startDate);
}

Date basShowDatePicker(std::string_view text, const Control& box) {
    try {
        int32_t left = box.Owner().Left() + box.Left();
        int32_t top = box.Owner().Top() + box.Top() + box.Height();
        for (const Control* container = box.Container(); container != nullptr;
             container = container->Container()) {
            left += container->Left();
            top += container->Top();
        }
        const Date start = Date::Parse(text).value_or(Date::Today());
        return ShowDatePicker(left, top, start);
    } catch (const ComError& error) {
        ShowErrorBox(error.Description(), error.Source(), "", error.Number());
        return Date();
    }
}

}  // namespace hlreports
