#include "Hooks.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>

namespace ui {
namespace {

MessageBoxResponder& Installed() {
    static MessageBoxResponder responder;
    return responder;
}
WaitCursorResponder& WaitCursor() {
    static WaitCursorResponder responder;
    return responder;
}
SaveFileResponder& SaveFile() {
    static SaveFileResponder responder;
    return responder;
}
ColorResponder& Color() {
    static ColorResponder responder;
    return responder;
}

FontResponder& Font() {
    static FontResponder responder;
    return responder;
}

ModalResponder& Modal() {
    static ModalResponder responder;
    return responder;
}

std::string Trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

} // namespace

MessageBoxResponder SetMessageBoxResponder(MessageBoxResponder responder) {
    return std::exchange(Installed(), std::move(responder));
}

int MessageBox(const CString& text, const CString& caption, unsigned type) {
    if (Installed()) return Installed()(text, caption, type);
    std::fprintf(stderr, "%s%s%s\n", caption.GetString(), caption.IsEmpty() ? "" : ": ", text.GetString());
    // A question that nobody can answer is declined; a plain notice is acknowledged.
    if ((type & 0xF) == MB_YESNO) return IDNO;
    return (type & 0xF) == MB_OKCANCEL ? IDCANCEL : IDOK;
}

WaitCursorResponder SetWaitCursorResponder(WaitCursorResponder responder) {
    return std::exchange(WaitCursor(), std::move(responder));
}

CWaitCursor::CWaitCursor() {
    if (WaitCursor()) WaitCursor()(true);
}

CWaitCursor::~CWaitCursor() {
    if (WaitCursor()) WaitCursor()(false);
}

SaveFileResponder SetSaveFileResponder(SaveFileResponder responder) {
    return std::exchange(SaveFile(), std::move(responder));
}

int SaveFileDialog(const SaveFileRequest& request, SaveFileAnswer& answer) {
    if (SaveFile()) return SaveFile()(request, answer);
    std::fprintf(stderr, "save file dialog declined: no dialog installed\n");
    return IDCANCEL;
}

std::vector<FileFilter> ParseFileFilter(const CString& filter) {
    std::vector<std::string> parts;
    const std::string text = filter.GetString();
    std::size_t start = 0;
    for (std::size_t bar = text.find('|'); bar != std::string::npos; bar = text.find('|', start)) {
        parts.push_back(text.substr(start, bar - start));
        start = bar + 1;
    }
    if (start < text.size()) parts.push_back(text.substr(start));

    std::vector<FileFilter> filters;
    for (std::size_t i = 0; i + 1 < parts.size(); i += 2) {
        // An empty description ends the list ("||").
        if (parts[i].empty()) break;
        FileFilter entry{CString(parts[i]), {}};
        const std::string& patterns = parts[i + 1];
        std::size_t from = 0;
        while (from <= patterns.size()) {
            const std::size_t semi = std::min(patterns.find(';', from), patterns.size());
            const std::string one = Trimmed(patterns.substr(from, semi - from));
            if (!one.empty()) entry.patterns.emplace_back(one);
            from = semi + 1;
        }
        if (!entry.patterns.empty()) filters.push_back(std::move(entry));
    }
    return filters;
}

ColorResponder SetColorResponder(ColorResponder responder) {
    return std::exchange(Color(), std::move(responder));
}

int ChooseColor(COLORREF initial, COLORREF& chosen) {
    if (Color()) return Color()(initial, chosen);
    return IDCANCEL;
}

FontResponder SetFontResponder(FontResponder responder) {
    return std::exchange(Font(), std::move(responder));
}

int ChooseFont(LOGFONT& font) {
    if (Font()) return Font()(font);
    return IDCANCEL;
}

ModalResponder SetModalResponder(ModalResponder responder) {
    return std::exchange(Modal(), std::move(responder));
}

int RunModal(CWnd& dialog, const std::function<int()>& run) {
    if (Modal()) return Modal()(dialog);
    return run();
}

} // namespace ui
