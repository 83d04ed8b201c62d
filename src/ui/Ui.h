// Ui: the one interface to the screen. Message boxes, the mouse pointer and modal dialogs go
// through it, so that dialog logic and the component never touch a toolkit. Two drivers
// implement it: ScriptedUi (answer files, records every message box) and the Qt driver.
// RecordingUi is the smallest implementation: it answers every box with OK and remembers it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace hlreports {

class Form;

// MsgBox styles and answers of the classic runtime.
enum MsgBoxStyle : int32_t {
    vbOKOnly = 0,
    vbOKCancel = 1,
    vbYesNo = 4,
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbInformation = 64,
};
enum MsgBoxAnswer : int32_t { vbOK = 1, vbCancel = 2, vbYes = 6, vbNo = 7 };

// Mouse pointers the component sets.
enum MousePointer : int32_t { vbDefault = 0, vbHourglass = 11 };

struct MessageBoxRecord {
    std::string text;
    std::string title;
    int32_t style = vbOKOnly;
};

class Ui {
public:
    virtual ~Ui() = default;
    virtual int32_t MsgBox(const std::string& text, int32_t style, const std::string& title) = 0;
    virtual void SetMousePointer(int32_t pointer) = 0;
    virtual int32_t GetMousePointer() const = 0;
    // Shows a form modally; returns when the form is hidden.
    virtual void ShowModal(Form& form) = 0;
};

class RecordingUi : public Ui {
public:
    int32_t MsgBox(const std::string& text, int32_t style, const std::string& title) override;
    void SetMousePointer(int32_t pointer) override;
    int32_t GetMousePointer() const override { return mousePointer_; }
    // A recording driver has no screen: showing a form is an error naming the form.
    void ShowModal(Form& form) override;

    const std::vector<MessageBoxRecord>& Messages() const { return messages_; }
    const std::vector<int32_t>& PointerHistory() const { return pointerHistory_; }

private:
    std::vector<MessageBoxRecord> messages_;
    std::vector<int32_t> pointerHistory_;
    int32_t mousePointer_ = vbDefault;
};

// The session's driver; raises a ComError when none is installed.
Ui& TheUi();

}  // namespace hlreports
