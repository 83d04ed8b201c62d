// Error numbers of the dialog model and its drivers. The model raises the classic numbers of the
// desktop forms runtime (so callers that test for them keep working) with "HLReports" as source;
// the drivers raise numbers of their own, 20600 and up, with the driver's name as source.
// docs/answer-files.md lists every driver error with its text.
#pragma once

#include <cstdint>
#include <string_view>

namespace hlreports::UiError {

// The model: a wrong property value or argument, a form shown twice, a bad class name, a
// name taken twice, a control that is not there.
inline constexpr int32_t InvalidPropertyValue = 380;
inline constexpr int32_t FormAlreadyDisplayed = 400;
inline constexpr int32_t InvalidClassString = 711;
inline constexpr int32_t DuplicateControlName = 727;
inline constexpr int32_t ControlNotFound = 730;

// The screen: no driver installed, or a driver without a screen asked to show a form.
inline constexpr int32_t NoUserInterface = 20600;
inline constexpr int32_t NoScreen = 20601;

// Answer files: loading.
inline constexpr int32_t AnswerFileUnreadable = 20602;
inline constexpr int32_t AnswerFileMalformed = 20603;  // not JSON
inline constexpr int32_t AnswerFileInvalid = 20604;    // JSON, but not an answer file

// Answer files: playing.
inline constexpr int32_t NoAnswersLeft = 20605;
inline constexpr int32_t CaptionMismatch = 20606;
inline constexpr int32_t DialogStillOpen = 20607;
inline constexpr int32_t DialogClosedEarly = 20608;
inline constexpr int32_t ControlMissing = 20609;
inline constexpr int32_t ValueRejected = 20610;  // a value the control cannot take
inline constexpr int32_t ActionRefused = 20611;  // hidden, disabled, or the wrong kind of control

inline constexpr std::string_view ModelSource = "HLReports";
inline constexpr std::string_view RecordingUiSource = "RecordingUi";
inline constexpr std::string_view ScriptedUiSource = "ScriptedUi";

}  // namespace hlreports::UiError
