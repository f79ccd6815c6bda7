#pragma once
// The host's part in the window tests: a plain window the element's windows are made in, and
// the messages the windows show, answered as the test says.
#include "Hooks.h"
#include "Wnd.h"

#include <QWidget>

#include <string>
#include <vector>

class OwnerWindow : public QWidget, public CWnd {
public:
    OwnerWindow() : CWnd(*this, 1, nullptr) { resize(1100, 750); }
};

// Records every message box while it lives and answers it with answer.
class MessageLog {
public:
    MessageLog()
        : m_old(ui::SetMessageBoxResponder([this](const CString& text, const CString&, unsigned) {
              texts.push_back(text.str());
              return answer;
          })) {}
    ~MessageLog() { ui::SetMessageBoxResponder(m_old); }
    MessageLog(const MessageLog&) = delete;
    MessageLog& operator=(const MessageLog&) = delete;

    std::vector<std::string> texts;
    int answer = ui::IDOK;

private:
    ui::MessageBoxResponder m_old;
};
