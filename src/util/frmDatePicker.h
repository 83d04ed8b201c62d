// frmDatePicker: a month calendar that returns one date. FormShow places the dialog, shows
// DefaultDate and waits modally; clicking a date in MonthView1 returns it and closes the dialog,
// Escape (seen by the form before its controls) closes it and returns DefaultDate. Every way out
// unloads the dialog; a failure while showing returns the date held at that moment (errors of an
// answer file that went astray pass through).
#pragma once

#include <cstdint>

#include "runtime/Date.h"
#include "ui/Form.h"

namespace hlreports {

class frmDatePicker : public Form {
  public:
    frmDatePicker();
    // XPos and Ypos: the dialog's left and top in twips.
    Date FormShow(int32_t XPos, int32_t Ypos, Date DefaultDate);

  private:
    Date result_;
};

}  // namespace hlreports
