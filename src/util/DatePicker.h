// basShowDatePicker: the date picker opened directly under a date box, aligned with its left
// edge. The box's screen position is the form's position plus the positions of the box and of
// every container it sits in (scrolled containers included), in twips.
#pragma once

#include <cstdint>
#include <string_view>

#include "runtime/Date.h"
#include "ui/Control.h"

namespace hlreports {

// The date chosen in the picker, starting from the box's text (today when it is no date).
// Failures show the common error box and give the zero date.
Date basShowDatePicker(std::string_view text, const Control& box);
// Creates the picker, shows it at (left, top) twips and returns its date.
Date ShowDatePicker(int32_t leftTwips, int32_t topTwips, Date startDate);

}  // namespace hlreports
