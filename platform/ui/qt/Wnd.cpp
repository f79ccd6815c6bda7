#include "Wnd.h"

#include <QWidget>

#include <algorithm>

CWnd::CWnd(QWidget& widget, int controlId, CWnd* owner)
    : m_widget(widget), m_controlId(controlId), m_owner(owner) {
    m_widget.setProperty("controlId", controlId);
    if (m_owner) m_owner->m_children.push_back(this);
}

CWnd::~CWnd() {
    for (CWnd* child : m_children)
        child->m_owner = nullptr;
    if (m_owner) std::erase(m_owner->m_children, this);
}

CWnd* CWnd::GetDlgItem(int controlId) const {
    auto it = std::find_if(m_children.begin(), m_children.end(),
                           [controlId](const CWnd* child) { return child->m_controlId == controlId; });
    return it == m_children.end() ? nullptr : *it;
}

void CWnd::ShowWindow(bool show) {
    m_widget.setVisible(show);
}

bool CWnd::IsWindowVisible() const {
    return m_widget.isVisible();
}

void CWnd::MoveWindow(const CRect& rect) {
    m_widget.setGeometry(rect.left, rect.top, rect.Width(), rect.Height());
}

CRect CWnd::GetWindowRect() const {
    const QRect r = m_widget.geometry();
    return CRect(r.left(), r.top(), r.left() + r.width(), r.top() + r.height());
}

void CWnd::OnChildNotify(const CNotify&) {}

void CWnd::NotifyOwner(int code, long row, long col, CPoint point) {
    NotifyOwner(CNotify{m_controlId, code, row, col, point, this, {}, {}});
}

void CWnd::NotifyOwner(const CNotify& notify) {
    if (!m_owner) return;
    CNotify sent = notify;
    sent.controlId = m_controlId;
    sent.from = this;
    m_owner->OnChildNotify(sent);
}
