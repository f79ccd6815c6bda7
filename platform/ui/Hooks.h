#pragma once
// Installable responders for everything that would stop and ask the user. The windowed build
// installs dialogs; tests and the command-line tool install their own (record, print, answer).
// Without an installed responder a message box prints to standard error and answers OK, a
// question answers Cancel, a file or colour dialog answers Cancel and the wait cursor does
// nothing, so nothing ever blocks.
#include "CString.h"
#include "LogFont.h"
#include "Types.h"

#include <functional>
#include <vector>

class CWnd;

namespace ui {

// Message box type bits and answers, as the windowing toolkit numbers them.
constexpr unsigned MB_OK = 0x0;
constexpr unsigned MB_OKCANCEL = 0x1;
constexpr unsigned MB_YESNO = 0x4;
constexpr int IDOK = 1;
constexpr int IDCANCEL = 2;
constexpr int IDYES = 6;
constexpr int IDNO = 7;

// A window that fills itself in the background (the system view counting its tables) sets this
// dynamic property of its widget to true until it is done, so that a picture of the display
// taken "after the first refresh" can wait for it.
constexpr const char* kLoadingProperty = "loading";

using MessageBoxResponder = std::function<int(const CString& text, const CString& caption, unsigned type)>;

// Installs a responder and returns the one it replaces (an empty one restores the default).
MessageBoxResponder SetMessageBoxResponder(MessageBoxResponder responder);
// Shows a message through the installed responder and returns its answer.
int MessageBox(const CString& text, const CString& caption = {}, unsigned type = MB_OK);

// The wait cursor: the responder is told true when a wait begins and false when it ends.
// Waits nest; each begin is matched by one end.
using WaitCursorResponder = std::function<void(bool begin)>;
WaitCursorResponder SetWaitCursorResponder(WaitCursorResponder responder);

// Shows the wait cursor for as long as it lives.
class CWaitCursor {
public:
    CWaitCursor();
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
};

// The save-file dialog. The filter is written as pairs "description|patterns|" ending in "|",
// e.g. "文本 文件(*.txt)|*.txt||"; several patterns of one pair are separated by ";".
struct SaveFileRequest {
    CString filter;
    CString defaultExt; // without the dot; added when the chosen name has no extension
    CString fileName;   // proposed name or path, may be empty
    bool overwritePrompt = true;
    CString title;
};
struct SaveFileAnswer {
    CString path;
    int filterIndex = 1; // 1-based index of the chosen filter pair
};
// Answers IDOK with answer filled, or IDCANCEL.
using SaveFileResponder = std::function<int(const SaveFileRequest& request, SaveFileAnswer& answer)>;
SaveFileResponder SetSaveFileResponder(SaveFileResponder responder);
int SaveFileDialog(const SaveFileRequest& request, SaveFileAnswer& answer);

struct FileFilter {
    CString description;
    std::vector<CString> patterns;
};
// The pairs of a filter text; a trailing description without patterns is dropped.
std::vector<FileFilter> ParseFileFilter(const CString& filter);

// The colour dialog: answers IDOK with chosen filled, or IDCANCEL.
using ColorResponder = std::function<int(COLORREF initial, COLORREF& chosen)>;
ColorResponder SetColorResponder(ColorResponder responder);
int ChooseColor(COLORREF initial, COLORREF& chosen);

// The font dialog: answers IDOK with font replaced by the chosen one, or IDCANCEL.
using FontResponder = std::function<int(LOGFONT& font)>;
FontResponder SetFontResponder(FontResponder responder);
int ChooseFont(LOGFONT& font);

// The windows' own modal dialogs (property sheets and their dialogs). An installed responder
// gets the dialog, with its controls reachable by id, instead of the user, and answers IDOK or
// IDCANCEL as the button the user would have pressed; without one the dialog runs its own
// modal loop (run).
using ModalResponder = std::function<int(CWnd& dialog)>;
ModalResponder SetModalResponder(ModalResponder responder);
int RunModal(CWnd& dialog, const std::function<int()>& run);

} // namespace ui
