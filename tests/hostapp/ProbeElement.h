#pragma once
// Small element types the tests register instead of a module's: a plain box the host moves with
// its tracker, and one that follows the mouse itself (SetupTracker 0) as the data-query element
// does. Both record what the host asks of them and, once they have an owner window, place a
// child window over their rectangle the way an element's query window is placed.
#include "DisplayView.h"
#include "ElementTypeRegistry.h"
#include "HostServices.h"
#include "RuntimeClassRegistry.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

inline constexpr const char* kProbeType = "测试框";
inline constexpr const char* kSelfMovingType = "自移框";
inline constexpr LONG kProbeWidth = 200;
inline constexpr LONG kProbeHeight = 120;

class ProbeElement : public CRectObj {
public:
    static std::unique_ptr<CDrawObject> MakeEmpty() { return std::make_unique<ProbeElement>(); }
    static inline const CRuntimeClass kClass{"CProbeElement", 1, true, &ProbeElement::MakeEmpty};

    ProbeElement() {
        m_typeName = kProbeType;
        m_lineStyle.color = 0x0000FF; // red frame, so pictures show where it is
    }
    ~ProbeElement() override { delete m_window.data(); }

    const CRuntimeClass& GetRuntimeClass() const override { return kClass; }
    std::unique_ptr<CDrawObject> Duplicate() const override {
        auto copy = std::make_unique<ProbeElement>();
        copy->BaseDuplicate(*this);
        return copy;
    }

    void SetState(int runState) override {
        calls.push_back("SetState " + std::to_string(runState));
        CRectObj::SetState(runState);
    }
    void SetParentWnd(CWnd* parent) override {
        calls.push_back("SetParentWnd");
        CRectObj::SetParentWnd(parent);
        delete m_window.data();
        if (!parent) return;
        m_window = new QWidget(&parent->GetWidget());
        m_window->setAutoFillBackground(true);
        m_window->setBackgroundRole(QPalette::Window); // not the viewport's white Base
        QPalette p = m_window->palette();
        p.setColor(QPalette::Window, Qt::green);
        m_window->setPalette(p);
        PlaceWindow();
    }
    void ShowObjWnd(int show) override {
        calls.push_back("ShowObjWnd " + std::to_string(show));
        if (m_window) m_window->setVisible(show != 0);
    }
    void MoveTo(const CRect& position) override {
        CRectObj::MoveTo(position);
        PlaceWindow();
    }
    int ObjectDrive(const CDrawObjectDrive& drive) override {
        drives.push_back(drive);
        if (!sayOnDrive.empty()) ShowHostStatus(sayOnDrive.c_str());
        return 1;
    }
    int Property(CWnd* owner) override {
        propertyOwner = owner;
        ++propertyCalls;
        if (propertySheet) propertySheet(*this);
        return 1; // like every element, whatever the sheet did
    }

    QWidget* Window() const { return m_window.data(); }

    std::vector<std::string> calls;
    std::vector<CDrawObjectDrive> drives;
    std::string sayOnDrive; // put into the host's status line on each drive record
    CWnd* propertyOwner = nullptr;
    int propertyCalls = 0;
    std::function<void(ProbeElement&)> propertySheet; // what the user changes in the sheet

protected:
    // Where the element's window goes: its rectangle through the owner's device context.
    void PlaceWindow() {
        if (!m_window) return;
        CRect r = GetMainWndDC().LPtoDP(m_rect);
        m_window->setGeometry(r.left, r.top, r.Width(), r.Height());
    }

    QPointer<QWidget> m_window;
};

// Moves its body on button release and resizes through the host's tracker service.
class SelfMovingElement : public ProbeElement {
public:
    SelfMovingElement() { m_typeName = kSelfMovingType; }
    int SetupTracker() override { return 0; }

    void OnLButtonDown(CPoint point) override {
        downs.push_back(point);
        const int handle = ItemHitTest(point, true);
        if (handle >= 1 && handle <= kBaseHandleCount) {
            CDC dc = GetMainWndDC();
            CRect device = dc.LPtoDP(m_rect);
            if (HostServices().trackRect &&
                HostServices().trackRect(m_parentWnd, handle, dc.LPtoDP(point), device))
                MoveTo(dc.DPtoLP(device));
            m_drag = {};
            return;
        }
        CRectObj::OnLButtonDown(point);
    }
    void OnMouseMove(CPoint point) override {
        moves.push_back(point);
        CRectObj::OnMouseMove(point);
    }
    void OnLButtonUp(CPoint point) override {
        ups.push_back(point);
        const bool dragging = m_drag.dragging;
        CRectObj::OnLButtonUp(point);
        if (dragging && m_drag.handle == 0) {
            CRect r = m_rect;
            r.OffsetRect(m_drag.current.x - m_drag.start.x, m_drag.current.y - m_drag.start.y);
            MoveTo(r);
        }
    }

    std::vector<CPoint> downs, moves, ups;
};

template <class Element> std::unique_ptr<CDrawObject> CreateProbe(const CRect& drawn) {
    auto e = std::make_unique<Element>();
    e->m_rect = CRect(drawn.left, drawn.top, drawn.left + kProbeWidth, drawn.top + kProbeHeight);
    return e;
}

// Registers the two test types (and the box's class for display files) while it lives.
class ProbeTypes {
public:
    ProbeTypes() {
        CDrawObject::RegisterObject(kProbeType, CElementIcon{}, &CreateProbe<ProbeElement>);
        CDrawObject::RegisterObject(kSelfMovingType, CElementIcon{}, &CreateProbe<SelfMovingElement>);
        CRuntimeClassRegistry::Instance().Register(ProbeElement::kClass);
    }
    ~ProbeTypes() {
        CDrawObject::DeleteObjectInfo(kProbeType);
        CDrawObject::DeleteObjectInfo(kSelfMovingType);
        CRuntimeClassRegistry::Instance().Unregister(ProbeElement::kClass.m_className);
    }
    ProbeTypes(const ProbeTypes&) = delete;
    ProbeTypes& operator=(const ProbeTypes&) = delete;
};

template <class Element = ProbeElement> Element* AddProbe(DisplayView& view, CRect rect) {
    auto e = std::make_unique<Element>();
    e->m_rect = rect;
    return static_cast<Element*>(view.AddElement(std::move(e)));
}
