// Ui: the one interface to the screen. Message boxes, the mouse pointer and modal dialogs go
// through it, so that dialog logic and the component never touch a toolkit. Two drivers
// implement it: ScriptedUi (answer files, records every message box) and the Qt driver.
// RecordingUi is the smallest implementation: it answers every box without a screen and
// remembers it; its ShowModal is an error, because no one could answer the form.
//
// Unattended answers (RecordingUi, ScriptedUi): the box's affirmative button that ends the
// question: OK for OK and OK/Cancel boxes, Yes for Yes/No and Yes/No/Cancel boxes, Ignore for
// Abort/Retry/Ignore, Cancel for Retry/Cancel (so an unattended retry loop cannot run forever).
// An empty title shows as DefaultMessageBoxTitle, as a classic box without title shows the
// application's name; the record holds the title that was shown.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace hlreports {

class Form;

// MsgBox styles and answers of the classic runtime. A style adds one button set, one icon and
// flags; the low three bits are the button set.
enum MsgBoxStyle : int32_t {
    vbOKOnly = 0,
    vbOKCancel = 1,
    vbAbortRetryIgnore = 2,
    vbYesNoCancel = 3,
    vbYesNo = 4,
    vbRetryCancel = 5,
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbInformation = 64,
};
enum MsgBoxAnswer : int32_t {
    vbOK = 1,
    vbCancel = 2,
    vbAbort = 3,
    vbRetry = 4,
    vbIgnore = 5,
    vbYes = 6,
    vbNo = 7
};

// Mouse pointers the component sets.
enum MousePointer : int32_t { vbDefault = 0, vbHourglass = 11 };

inline constexpr std::string_view DefaultMessageBoxTitle = "HLReports";

struct MessageBoxRecord {
    std::string text;
    std::string title;
    int32_t style = vbOKOnly;
};

// The answer of an unattended driver to a box of this style (see above).
MsgBoxAnswer UnattendedAnswer(int32_t style);
// The title as shown: the given one, or DefaultMessageBoxTitle when it is empty.
std::string ShownMessageBoxTitle(std::string_view title);

class Ui {
  public:
    virtual ~Ui() = default;
    virtual int32_t MsgBox(const std::string& text, int32_t style, const std::string& title) = 0;
    virtual void SetMousePointer(int32_t pointer) = 0;
    virtual int32_t GetMousePointer() const = 0;
    // Shows a form modally; returns when the form is hidden.
    virtual void ShowModal(Form& form) = 0;
    // Opens a help page (an HTML file) in the desktop's browser (xdg-open, not waited for);
    // drivers without a screen record the request instead.
    virtual void ShowHelpPage(const std::filesystem::path& page);
};

class RecordingUi : public Ui {
  public:
    int32_t MsgBox(const std::string& text, int32_t style, const std::string& title) override;
    void SetMousePointer(int32_t pointer) override;
    int32_t GetMousePointer() const override { return mousePointer_; }
    // A recording driver has no screen: showing a form is error 20601 naming the form.
    void ShowModal(Form& form) override;
    // Recorded, never opened.
    void ShowHelpPage(const std::filesystem::path& page) override;
    const std::vector<std::filesystem::path>& HelpPages() const { return helpPages_; }

    const std::vector<MessageBoxRecord>& Messages() const { return messages_; }
    // Every pointer set, in order, repeats included.
    const std::vector<int32_t>& PointerHistory() const { return pointerHistory_; }

  private:
    std::vector<MessageBoxRecord> messages_;
    std::vector<int32_t> pointerHistory_;
    std::vector<std::filesystem::path> helpPages_;
    int32_t mousePointer_ = vbDefault;
};

// The session's driver; error 20600 when none is installed.
Ui& TheUi();

}  // namespace hlreports
