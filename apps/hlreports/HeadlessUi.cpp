#include "hlreports/HeadlessUi.h"

#include <ostream>

#include "runtime/ComError.h"
#include "ui/Form.h"

namespace hlreports::host {

int32_t HeadlessUi::MsgBox(const std::string& text, int32_t style, const std::string& title) {
    const int32_t answer = RecordingUi::MsgBox(text, style, title);
    errors_ << Messages().back().title << ": " << text << "\n";
    return answer;
}

void HeadlessUi::ShowModal(Form& form) {
    throw ComError(20600, "hlreports",
                   "The dialog \"" + form.Caption() +
                       "\" needs answers: this build has no dialog front-end, so give them with "
                       "--answers FILE "
                       "(see docs/answer-files.md)");
}

}  // namespace hlreports::host
