#pragma once
// The host's part in the window tests: a plain window the element's windows are made in, and
// the messages the windows show, answered as the test says; and the controls of a window found
// as a test looks for them.
#include "Hooks.h"
#include "UseGridWindow.h"
#include "Wnd.h"

#include <QWidget>

#include <gtest/gtest.h>

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

// The child id of parent, of class T; a failed expectation when there is none of that class.
template <class T> T& ChildOf(const CWnd& parent, int id) {
    auto* child = dynamic_cast<T*>(parent.GetDlgItem(id));
    EXPECT_NE(child, nullptr) << id;
    return *child;
}

// The query bar of a window that shows one, of class Bar.
template <class Bar> Bar& BarOf(const CUseGridWindow& window) {
    return ChildOf<Bar>(*window.Widget(), CUseGridWindow::kBarId);
}
