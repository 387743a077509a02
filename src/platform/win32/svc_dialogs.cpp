#include "platform/win32/svc_dialogs.h"
#include "platform/win32/lazy_api.h"

#include <windows.h>
// windows.h must come before the other system headers.
#include <commdlg.h>
#include <shlobj.h>

#include <cstring>
#include <vector>

#include "platform/win32/scoped.h"
#include "platform/win32/svc_texts.h"
#include "util/error.h"

namespace vexal::platform::win32 {
namespace {

// ---- Message boxes -----------------------------------------------------------
// MessageBox labels its buttons in the system's language. A CBT hook on this
// thread catches the box as it activates and puts our labels on its buttons, so
// it keeps the standard look on every system.

struct BoxLabels {
    const char* okLabel = texts::kButtonOk;
    bool done = false;
};

thread_local BoxLabels* activeLabels = nullptr;

LRESULT CALLBACK relabelBoxButtons(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_ACTIVATE && activeLabels && !activeLabels->done) {
        const HWND box = reinterpret_cast<HWND>(wParam);
        char className[16] = {};
        if (GetClassNameA(box, className, sizeof className) && std::strcmp(className, "#32770") == 0) {
            SetDlgItemTextA(box, IDYES, texts::kButtonYes);
            SetDlgItemTextA(box, IDNO, texts::kButtonNo);
            SetDlgItemTextA(box, IDCANCEL, texts::kButtonCancel);
            SetDlgItemTextA(box, IDOK, activeLabels->okLabel);
            activeLabels->done = true;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

UINT iconOf(BoxKind kind) {
    switch (kind) {
        case BoxKind::Warning:
            return MB_ICONWARNING;
        case BoxKind::Error:
            return MB_ICONERROR;
        case BoxKind::Information:
            return MB_ICONINFORMATION;
        case BoxKind::Confirmation:
            return MB_ICONQUESTION;
        case BoxKind::Plain:
            break;
    }
    return 0;
}

UINT buttonsOf(BoxButtons buttons) {
    switch (buttons) {
        case BoxButtons::OkCancel:
        case BoxButtons::YesCancel:  // the OK button relabelled
            return MB_OKCANCEL;
        case BoxButtons::YesNo:
            return MB_YESNO;
        case BoxButtons::YesNoCancel:
            return MB_YESNOCANCEL;
        case BoxButtons::Ok:
        case BoxButtons::Cancel:
            break;  // a lone Cancel is the OK button relabelled
    }
    return MB_OK;
}

BoxResult resultOf(int id, BoxButtons buttons) {
    switch (id) {
        case IDYES:
            return BoxResult::Yes;
        case IDNO:
            return BoxResult::No;
        case IDCANCEL:
            return BoxResult::Cancel;
        case IDOK:
            if (buttons == BoxButtons::Cancel) return BoxResult::Cancel;
            return buttons == BoxButtons::YesCancel ? BoxResult::Yes : BoxResult::Ok;
        default:
            // 0 or -1: the box failed or went with its owner; that never means yes.
            return BoxResult::Cancel;
    }
}

// ---- Input box -----------------------------------------------------------------
// A small dialog laid out in memory: no resource script needed, and the texts are
// set at WM_INITDIALOG in the system code page.

constexpr WORD kPromptId = 100;
constexpr WORD kEditId = 101;

struct InputState {
    const std::string* caption;
    const std::string* prompt;
    const std::string* value;
    std::string result;
};

class DialogTemplate {
public:
    void dialog(DWORD style, WORD items, short cx, short cy, const wchar_t* font, WORD pointSize) {
        dword(style);
        dword(0);
        words.push_back(items);
        coordinates(0, 0, cx, cy);
        words.push_back(0);  // no menu
        words.push_back(0);  // standard dialog class
        words.push_back(0);  // caption set later
        words.push_back(pointSize);
        text(font);
    }
    void item(DWORD style, short x, short y, short cx, short cy, WORD id, WORD classAtom) {
        if (words.size() % 2) words.push_back(0);  // items start on a DWORD boundary
        dword(style | WS_CHILD | WS_VISIBLE);
        dword(0);
        coordinates(x, y, cx, cy);
        words.push_back(id);
        words.push_back(0xFFFF);
        words.push_back(classAtom);
        words.push_back(0);  // text set later
        words.push_back(0);  // no creation data
    }
    [[nodiscard]] const DLGTEMPLATE* get() const { return reinterpret_cast<const DLGTEMPLATE*>(words.data()); }

private:
    void dword(DWORD value) {
        words.push_back(LOWORD(value));
        words.push_back(HIWORD(value));
    }
    void coordinates(short x, short y, short cx, short cy) {
        for (short v : {x, y, cx, cy}) words.push_back(static_cast<WORD>(v));
    }
    void text(const wchar_t* s) {
        do words.push_back(static_cast<WORD>(*s));
        while (*s++);
    }
    std::vector<WORD> words;  // the heap block starts DWORD-aligned, as the header must
};

INT_PTR CALLBACK inputDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: {
            auto* state = reinterpret_cast<InputState*>(lParam);
            SetWindowLongPtrA(dialog, DWLP_USER, lParam);
            SetWindowTextA(dialog, state->caption->c_str());
            SetDlgItemTextA(dialog, kPromptId, state->prompt->c_str());
            SetDlgItemTextA(dialog, kEditId, state->value->c_str());
            SetDlgItemTextA(dialog, IDOK, texts::kButtonOk);
            SetDlgItemTextA(dialog, IDCANCEL, texts::kButtonCancel);
            const HWND edit = GetDlgItem(dialog, kEditId);
            SendMessageA(edit, EM_SETSEL, 0, -1);
            SetFocus(edit);
            return FALSE;  // the focus is set
        }
        case WM_COMMAND:
            if (LOWORD(wParam) == IDOK) {
                // Nothing thrown may leave a dialog procedure: without memory for the
                // text the box counts as cancelled.
                try {
                    auto* state = reinterpret_cast<InputState*>(GetWindowLongPtrA(dialog, DWLP_USER));
                    const HWND edit = GetDlgItem(dialog, kEditId);
                    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(edit)) + 1, '\0');
                    text.resize(
                        static_cast<std::size_t>(GetWindowTextA(edit, text.data(), static_cast<int>(text.size()))));
                    state->result = std::move(text);
                    EndDialog(dialog, IDOK);
                } catch (...) {
                    EndDialog(dialog, IDCANCEL);
                }
                return TRUE;
            }
            if (LOWORD(wParam) == IDCANCEL) {
                EndDialog(dialog, IDCANCEL);
                return TRUE;
            }
            break;
        default:
            break;
    }
    return FALSE;
}

// LF CR (the program's own line break) and lone LFs become CR LF.
std::string promptLines(const std::string& prompt) {
    std::string out;
    for (std::size_t i = 0; i < prompt.size(); ++i) {
        const char c = prompt[i];
        if (c == '\n' || c == '\r') {
            const char other = c == '\n' ? '\r' : '\n';
            if (i + 1 < prompt.size() && prompt[i + 1] == other) ++i;
            out += "\r\n";
        } else {
            out += c;
        }
    }
    return out;
}

// ---- Folder browser ------------------------------------------------------------

int CALLBACK preselectFolder(HWND window, UINT message, LPARAM, LPARAM data) {
    if (message == BFFM_INITIALIZED && data) SendMessageA(window, BFFM_SETSELECTIONA, TRUE, data);
    return 0;
}

}  // namespace

HWND Win32Dialogs::visibleOwner() const { return owner && IsWindowVisible(owner) ? owner : nullptr; }

BoxResult Win32Dialogs::messageBox(const std::string& text, BoxKind kind, BoxButtons buttons) {
    const char* caption = applicationTitle.c_str();
    switch (kind) {
        case BoxKind::Warning:
            caption = texts::kCaptionWarning;
            break;
        case BoxKind::Error:
            caption = texts::kCaptionError;
            break;
        case BoxKind::Information:
            caption = texts::kCaptionInformation;
            break;
        case BoxKind::Confirmation:
            caption = texts::kCaptionConfirmation;
            break;
        case BoxKind::Plain:
            break;
    }
    BoxLabels labels;
    if (buttons == BoxButtons::Cancel) labels.okLabel = texts::kButtonCancel;
    if (buttons == BoxButtons::YesCancel) labels.okLabel = texts::kButtonYes;
    BoxLabels* outer = activeLabels;  // a box may open while another one waits
    activeLabels = &labels;
    ScopedHook hook(SetWindowsHookExA(WH_CBT, relabelBoxButtons, nullptr, GetCurrentThreadId()));
    UINT flags = iconOf(kind) | buttonsOf(buttons);
    HWND parent = visibleOwner();
    if (!parent) flags |= MB_TASKMODAL;
    const int id = MessageBoxA(parent, text.c_str(), caption, flags);
    hook.reset();
    activeLabels = outer;
    return resultOf(id, buttons);
}

void Win32Dialogs::errorBox(const std::string& message) { messageBox(message, BoxKind::Error, BoxButtons::Ok); }

std::vector<std::string> splitOpenFileResult(const char* buffer) {
    std::vector<std::string> parts;
    for (const char* p = buffer; *p; p += std::strlen(p) + 1) parts.emplace_back(p);
    if (parts.size() <= 1) return parts;
    std::string folder = parts.front();
    if (folder.back() != '\\') folder += '\\';
    std::vector<std::string> files;
    for (std::size_t i = 1; i < parts.size(); ++i) files.push_back(folder + parts[i]);
    return files;
}

std::optional<std::vector<std::string>> Win32Dialogs::openFile(const OpenFileRequest& request) {
    // Room for many names at once when several may be chosen.
    std::vector<char> names(request.multiSelect ? 64 * 1024 : 4096, '\0');
    request.fileName.copy(names.data(), names.size() - 2);

    std::string filter = request.filter;
    for (char& c : filter) {
        if (c == '|') c = '\0';
    }
    filter.append(2, '\0');

    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = visibleOwner();
    dialog.lpstrFilter = request.filter.empty() ? nullptr : filter.c_str();
    dialog.nFilterIndex = 1;
    dialog.lpstrFile = names.data();
    dialog.nMaxFile = static_cast<DWORD>(names.size());
    dialog.lpstrInitialDir = request.initialDir.empty() ? nullptr : request.initialDir.c_str();
    dialog.lpstrTitle = request.title.empty() ? nullptr : request.title.c_str();
    dialog.lpstrDefExt = request.defaultExt.empty() ? nullptr : request.defaultExt.c_str();
    dialog.Flags = OFN_HIDEREADONLY | OFN_EXPLORER | OFN_NONETWORKBUTTON | OFN_ENABLESIZING;
    if (request.multiSelect) dialog.Flags |= OFN_ALLOWMULTISELECT;

    if (lazy::GetOpenFileNameA(&dialog)) {
        auto files = splitOpenFileResult(names.data());
        if (files.empty()) return std::nullopt;
        return files;
    }
    const DWORD error = lazy::CommDlgExtendedError();
    if (error == 0) return std::nullopt;  // cancelled
    if (error == FNERR_BUFFERTOOSMALL) throw Error(texts::kTooManyFiles);
    throw Error(texts::kFileDialogFailed);
}

std::optional<std::string> Win32Dialogs::browseForFolder(const std::string& instruction, const std::string& preselect) {
    std::string start = preselect;
    // The browser wants "C:\Games", but "C:\" for a drive.
    while (start.size() > 3 && start.back() == '\\') start.pop_back();

    char displayName[MAX_PATH] = {};
    BROWSEINFOA info{};
    info.hwndOwner = visibleOwner();
    info.pidlRoot = nullptr;
    info.pszDisplayName = displayName;
    info.lpszTitle = instruction.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS;
    if (!start.empty()) {
        info.lpfn = preselectFolder;
        info.lParam = reinterpret_cast<LPARAM>(start.c_str());
    }
    LPITEMIDLIST chosen = lazy::SHBrowseForFolderA(&info);
    if (!chosen) return std::nullopt;
    char path[MAX_PATH] = {};
    const BOOL isFolder = lazy::SHGetPathFromIDListA(chosen, path);
    lazy::CoTaskMemFree(chosen);
    if (!isFolder) return std::nullopt;
    return std::string(path);
}

std::optional<std::string> Win32Dialogs::inputBox(const std::string& caption, const std::string& prompt,
                                                  const std::string& value) {
    constexpr WORD kButton = 0x0080, kEdit = 0x0081, kStatic = 0x0082;
    // The program writes its line breaks as LF CR; a static control would show
    // that pair as two breaks, so the prompt gets the usual CR LF. The prompt
    // grows with its lines (8 dialog units each), and the box with it.
    const std::string shown = promptLines(prompt);
    short lines = 1;
    for (char c : shown) lines = static_cast<short>(lines + (c == '\n' ? 1 : 0));
    const short promptHeight = lines * 8 + 2 > 18 ? static_cast<short>(lines * 8 + 2) : short{18};
    const short editTop = static_cast<short>(7 + promptHeight + 2);
    const short buttonTop = static_cast<short>(editTop + 20);
    DialogTemplate layout;
    layout.dialog(DS_MODALFRAME | DS_SETFONT | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU, 4, 200,
                  static_cast<short>(buttonTop + 21), L"MS Shell Dlg", 8);
    layout.item(SS_LEFT | SS_NOPREFIX, 7, 7, 186, promptHeight, kPromptId, kStatic);
    layout.item(ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 7, editTop, 186, 13, kEditId, kEdit);
    layout.item(BS_DEFPUSHBUTTON | WS_TABSTOP, 89, buttonTop, 50, 14, IDOK, kButton);
    layout.item(BS_PUSHBUTTON | WS_TABSTOP, 143, buttonTop, 50, 14, IDCANCEL, kButton);

    InputState state{&caption, &shown, &value, {}};
    const INT_PTR result = DialogBoxIndirectParamA(GetModuleHandleA(nullptr), layout.get(), visibleOwner(),
                                                   inputDialogProc, reinterpret_cast<LPARAM>(&state));
    if (result == -1) throw Error(texts::kInputDialogFailed);
    if (result != IDOK) return std::nullopt;
    return state.result;
}

}  // namespace vexal::platform::win32
