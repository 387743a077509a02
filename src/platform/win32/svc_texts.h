#pragma once
// Texts the system dialogs show, in the system code page (Windows-1252).

namespace vexal::platform::win32::texts {

inline constexpr const char* kCaptionWarning = "Warnung";
inline constexpr const char* kCaptionError = "Fehler";
inline constexpr const char* kCaptionInformation = "Information";
inline constexpr const char* kCaptionConfirmation = "Best\xE4tigung";

inline constexpr const char* kButtonYes = "&Ja";
inline constexpr const char* kButtonNo = "&Nein";
inline constexpr const char* kButtonCancel = "Abbrechen";
inline constexpr const char* kButtonOk = "OK";

inline constexpr const char* kTooManyFiles = "Es wurden zu viele Dateien auf einmal ausgew\xE4hlt.";
inline constexpr const char* kFileDialogFailed =
    "Der Dateiauswahldialog konnte nicht ge\xF6"
    "ffnet werden.";
inline constexpr const char* kInputDialogFailed =
    "Das Eingabefenster konnte nicht ge\xF6"
    "ffnet werden.";
inline constexpr const char* kClipboardBusy = "Die Zwischenablage ist gerade von einem anderen Programm belegt.";
inline constexpr const char* kSoundFailed = "Die Klangdatei kann nicht abgespielt werden.";

}  // namespace vexal::platform::win32::texts
