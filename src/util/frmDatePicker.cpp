// The date picker; see frmDatePicker.h.
#include "util/frmDatePicker.h"

#include "runtime/ComError.h"
#include "runtime/Err.h"
#include "ui/UiErrors.h"

namespace hlreports {

frmDatePicker::frmDatePicker() : Form("frmDatePicker", "Select a Date") {
    Move(0, 0, 3600, 2835);
    SetKeyPreview(true);
    Control& calendar = Add(ControlKind::MonthView, "MonthView1").Move(0, 0, 3600, 2835);
    calendar.handlers.click = [this] {
        result_ = Get("MonthView1").Value().ToDate();
        Unload();
    };
    handlers.keyPress = [this](int& keyAscii) {
        if (keyAscii == KeyEscape) {
            keyAscii = 0;
            Unload();
        }
    };
}

Date frmDatePicker::FormShow(int32_t XPos, int32_t Ypos, Date DefaultDate) {
    try {
        Move(XPos, Ypos);
        Get("MonthView1").SetValue(Variant(DefaultDate));
        result_ = DefaultDate;
        ShowModal();
    } catch (const ComError& error) {
        // An answer file that went astray is the script's error, not the picker's.
        if (error.Source() == UiError::ScriptedUiSource) {
            throw;
        }
        // A picker that cannot show leaves the date it holds: nothing to report to the user.
        Err().Clear();
    }
    return result_;
}

}  // namespace hlreports
