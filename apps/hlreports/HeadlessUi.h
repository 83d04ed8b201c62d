// The screen of the host command when no answer file is given and no dialog front-end is built:
// message boxes are answered OK and written to the error stream as "title: text"; a dialog that
// would open is an error that says how to answer it.
#pragma once

#include <iosfwd>

#include "ui/Ui.h"

namespace hlreports::host {

class HeadlessUi : public RecordingUi {
  public:
    explicit HeadlessUi(std::ostream& errors) : errors_(errors) {}
    int32_t MsgBox(const std::string& text, int32_t style, const std::string& title) override;
    void ShowModal(Form& form) override;

  private:
    std::ostream& errors_;
};

}  // namespace hlreports::host
