// The events a dialog's code handles, as plain callbacks that the code assigns:
//     Get("cmdPreview").handlers.click = [this] { Preview(); };
// An unset handler means the event is not handled. The model fires them, the drivers make the
// model fire them (a click, a typed key, a picked row), and dialog code fires them by setting
// values, exactly as the classic controls do. A handler may change anything on the form, even
// remove the control whose event it handles: the model calls a copy of the callback and touches
// nothing of the control afterwards.
#pragma once

#include <functional>

namespace hlreports {

struct ControlHandlers {
    // Command buttons, labels, frames; check boxes when their value changes; option buttons when
    // they become selected; month views when the user clicks a date.
    std::function<void()> click;
    // Text of text boxes and combos; the value of date pickers, month views and scroll bars.
    std::function<void()> change;
    // A key typed while the control has the focus (after the form's own handler when the form
    // previews keys). Setting keyAscii to 0 swallows the key.
    std::function<void(int& keyAscii)> keyPress;
    // A key went down while the control has the focus, by key code (36 Home, 35 End, 33 Page Up,
    // 34 Page Down, 38 Up, 40 Down, ...): keys that move rather than type. Setting keyCode to 0
    // swallows it.
    std::function<void(int& keyCode)> keyDown;
    // The focus is about to leave the control; setting cancel keeps it there.
    std::function<void(bool& cancel)> validate;
    std::function<void()> gotFocus;
    std::function<void()> lostFocus;
    // The user chose a row of a grid combo, combo box or grid (the list closed up on it, or the
    // row was clicked).
    std::function<void()> rowPicked;
    // A tab control's selected tab changed; the argument is the tab that was selected before.
    std::function<void(int previousTab)> tabChange;
};

struct FormHandlers {
    // The form came on screen (shown modally).
    std::function<void()> activate;
    // With key preview on, every key typed on the form reaches this handler before the
    // control's own; setting keyAscii to 0 swallows it.
    std::function<void(int& keyAscii)> keyPress;
    // The user asks to close the window (title-bar close); setting cancel keeps it open.
    std::function<void(bool& cancel)> queryUnload;
    // The form is being unloaded.
    std::function<void()> unload;
};

}  // namespace hlreports
