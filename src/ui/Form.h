// Form: the model of one dialog. It owns its controls in creation order, finds them by name
// (ignoring case, as the classic controls do) and index, keeps the tab order and the focus,
// routes typed keys, and is shown modally through the installed Ui driver.
//
// A dialog is a subclass that adds its controls with their design geometry and assigns the
// handlers it needs:
//     Add(ControlKind::Frame, "fraSortOpts").Move(360, 2340, 2655, 1455).SetCaption("Sort
//     Options"); Add(ControlKind::OptionButton,
//     "optSort1").SetContainer(Get("fraSortOpts")).Move(780, 300); Get("cmdPreview").handlers.click
//     = [this] { Preview(); };
//
// Focus: SetFocus validates the control that loses the focus (its Validate may cancel the move),
// then fires its LostFocus and the new control's GotFocus, as a user's click or Tab does. Tab
// moves through the tab order, skipping controls that are hidden, disabled, inside a hidden or
// disabled container, on an unselected tab page, without a tab stop, and unselected option
// buttons of a group that has a selected one.
// Keys: PressKey gives the key to the form's keyPress first when key preview is on, then to the
// focused control's keyPress; either may swallow it (set it to 0) and SendKey another, which is
// delivered when the current key is done. Tab (9) never reaches the handlers: it moves the
// focus. A key nobody swallowed does what it does on the control: Enter or Space clicks a
// button, Space clicks a check box or option button, printable characters and Backspace edit a
// text box or combo.
// Removing a control removes the controls inside it too. Errors: 730 for a missing control,
// 727 for a name taken twice, 711 for an unknown class name, 380 for a bad name or index, 5 for
// a focus the target cannot take, 400 for showing a visible form modally; all with "HLReports"
// as source and the form and control named in the text.
// Cost: lookups, tab moves and option groups scan the controls linearly; a dialog holds a few
// hundred controls at most, and no lookup table can go stale when controls come and go.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/Control.h"
#include "ui/FormEvents.h"

namespace hlreports {

inline constexpr int KeyBackspace = 8;
inline constexpr int KeyTab = 9;
inline constexpr int KeyEnter = 13;
inline constexpr int KeyEscape = 27;
inline constexpr int KeySpace = 32;
// Key codes of keyDown.
inline constexpr int KeyCodePageUp = 33;
inline constexpr int KeyCodePageDown = 34;
inline constexpr int KeyCodeEnd = 35;
inline constexpr int KeyCodeHome = 36;
inline constexpr int KeyCodeUp = 38;
inline constexpr int KeyCodeDown = 40;

class Form {
  public:
    explicit Form(std::string name, std::string caption = {});
    virtual ~Form();
    Form(const Form&) = delete;
    Form& operator=(const Form&) = delete;

    const std::string& Name() const { return name_; }  // "frmRepCriteria"
    const std::string& Caption() const { return caption_; }
    void SetCaption(std::string caption) { caption_ = std::move(caption); }
    // The caption, or the form's name when the caption is empty: how messages name a dialog.
    const std::string& Title() const { return caption_.empty() ? name_ : caption_; }

    // Window position and client size in twips.
    int32_t Left() const { return left_; }
    int32_t Top() const { return top_; }
    int32_t Width() const { return width_; }
    int32_t Height() const { return height_; }
    void Move(int32_t left, int32_t top);
    void Move(int32_t left, int32_t top, int32_t width, int32_t height);
    void SetWidth(int32_t width);
    void SetHeight(int32_t height);

    bool KeyPreview() const { return keyPreview_; }
    void SetKeyPreview(bool keyPreview) { keyPreview_ = keyPreview; }
    int32_t HelpContextId() const { return helpContextId_; }
    void SetHelpContextId(int32_t id) { helpContextId_ = id; }

    // --- Controls -------------------------------------------------------------------------
    // Names start with a letter and hold letters, digits and underscores; an index (0..32767)
    // makes the control a member of a control array. The control comes last in the tab order.
    Control& Add(ControlKind kind, std::string name, std::optional<int> index = std::nullopt);
    // Run-time creation by class name ("MSComCtl2.DTPicker", "VB.Label", ...), optionally
    // inside a container. The new control starts hidden, as the classic run-time Add makes it.
    Control& AddByClass(std::string_view className, std::string name, Control* container = nullptr);
    // Removes the control and everything inside it; a removed focused control leaves no focus.
    void Remove(Control& control);
    void Remove(std::string_view reference);

    // "chk1", "cboCombo(1)", or an alias "{?Start_Date}" / "{?Amount}(1)"; nullptr when absent.
    Control* Find(std::string_view reference) const;
    Control* Find(std::string_view name, std::optional<int> index) const;
    // As Find, but a missing control is error 730 naming the form and the control.
    Control& Get(std::string_view reference) const;
    Control& Get(std::string_view name, int index) const;
    // Every control, in creation order.
    std::vector<Control*> Controls() const;
    std::size_t ControlCount() const { return controls_.size(); }
    // The controls whose container is the given one, in creation order.
    std::vector<Control*> ControlsIn(const Control& container) const;
    // Every control, in tab order (TabIndex 0 first).
    const std::vector<Control*>& TabOrder() const { return tabOrder_; }

    // --- Focus and keys -------------------------------------------------------------------
    Control* FocusedControl() const { return focused_; }
    // Moves the focus (error 5 when the target is hidden, disabled or cannot take it). False
    // when the Validate of the control losing the focus cancelled the move.
    bool SetFocus(Control& target);
    // Tab (forward) or Shift-Tab; false when nothing can take the focus or validation refused.
    bool MoveFocus(bool forward = true);
    void PressKey(int keyAscii);
    // A navigation key by key code, for the focused control's keyDown (no effect of its own).
    void PressKeyDown(int keyCode);
    void SendKey(int keyAscii);
    // Delivers keys sent by handlers outside a PressKey (drivers call it after each user event).
    void DeliverSentKeys();

    // --- Showing --------------------------------------------------------------------------
    bool IsVisible() const { return visible_; }
    bool IsLoaded() const { return loaded_; }
    // Shows the form through TheUi() and returns when it is hidden.
    void ShowModal();
    void Hide() { visible_ = false; }
    // Fires unload, hides the form and forgets the focus; the model itself stays usable.
    void Unload();
    // The user closes the window: queryUnload may cancel; otherwise Unload.
    void RequestClose();
    // For drivers: the form comes on screen. Makes it visible, fires activate, then gives the
    // focus to the first control in tab order unless a control already holds it.
    void Present();

    FormHandlers handlers;

  private:
    friend class Control;
    int TabIndexOf(const Control& control) const;
    void SetTabIndexOf(Control& control, int tabIndex);
    int64_t NextZOrder() { return ++lastZOrder_; }
    void ClearOtherOptions(const Control& selected);
    bool Contains(const Control* control) const;
    bool CanTabTo(const Control& control) const;
    void DeliverKey(int keyAscii);
    void ApplyKey(Control& control, int keyAscii);
    [[noreturn]] void RaiseMissing(std::string_view reference) const;
    void RemoveOne(Control& control);

    std::string name_;
    std::string caption_;
    int32_t left_ = 0;
    int32_t top_ = 0;
    int32_t width_ = 0;
    int32_t height_ = 0;
    bool keyPreview_ = false;
    int32_t helpContextId_ = 0;
    bool visible_ = false;
    bool loaded_ = true;
    std::vector<std::unique_ptr<Control>> controls_;
    std::vector<Control*> tabOrder_;
    Control* focused_ = nullptr;
    bool validating_ = false;
    std::deque<int> sentKeys_;
    int64_t lastZOrder_ = 0;
};

}  // namespace hlreports
