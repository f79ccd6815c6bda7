#include "DisplayView.h"

#include "DriveRecords.h"
#include "EditInteraction.h"
#include "ElementPainting.h"
#include "QtConvert.h"
#include "RectTracker.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

QRect ToQRect(const CRect& r) {
    return QRect(r.left, r.top, r.Width(), r.Height());
}
CRect ToCRect(const QRect& r) {
    return CRect(r.left(), r.top(), r.left() + r.width(), r.top() + r.height());
}

} // namespace

DisplayView::DisplayView(QWidget* parent)
    : QAbstractScrollArea(parent),
      CWnd(*static_cast<QAbstractScrollArea*>(this)->viewport(), kControlId, nullptr),
      m_edit(std::make_unique<EditInteraction>(*this)) {
    setFocusPolicy(Qt::StrongFocus);
    viewport()->setMouseTracking(true);
    viewport()->setAutoFillBackground(false);
    horizontalScrollBar()->setSingleStep(20);
    verticalScrollBar()->setSingleStep(20);
    InstallServices();
    UpdateScrollBars();
}

DisplayView::~DisplayView() {
    // The elements own windows inside the viewport: they go before the viewport deletes its
    // children, and before the services that point at this view are withdrawn.
    m_selected = nullptr;
    m_document.m_objects.clear();
    SetHostServices(std::move(m_previousServices));
}

void DisplayView::InstallServices() {
    CHostServices services;
    services.mainWndDC = [this] { return Dc(); };
    services.trackRect = [this](CWnd*, int handle, CPoint start, CRect& rect) {
        QRect r = ToQRect(rect);
        if (!TrackRect(*viewport(), handle, QPoint(start.x, start.y), r)) return false;
        rect = ToCRect(r);
        return true;
    };
    services.invalidate = [this](CWnd*, const CRect& device) { viewport()->update(ToQRect(device)); };
    services.releaseCapture = [] {
        if (QWidget* grabber = QWidget::mouseGrabber()) grabber->releaseMouse();
    };
    services.status = [this](const CString& text) { emit statusMessage(ToQString(text.str())); };
    m_previousServices = SetHostServices(std::move(services));
}

CPoint DisplayView::ScrollLogical() const {
    const CDC unscrolled({0, 0}, m_zoomNumerator, m_zoomDenominator);
    return {unscrolled.DPtoLP(LONG(horizontalScrollBar()->value())),
            unscrolled.DPtoLP(LONG(verticalScrollBar()->value()))};
}

CDC DisplayView::Dc(CDrawSurface* surface) const {
    return CDC(ScrollLogical(), m_zoomNumerator, m_zoomDenominator, surface);
}

void DisplayView::SetZoom(int numerator, int denominator) {
    if (numerator <= 0 || denominator <= 0) return;
    m_zoomNumerator = numerator;
    m_zoomDenominator = denominator;
    UpdateScrollBars();
    // Windows of the elements are placed in device units: let every element place them anew.
    for (const auto& element : Elements())
        if (element->m_parentWnd) element->MoveTo(element->m_rect);
    viewport()->update();
}

QSize DisplayView::CanvasSize() const {
    LONG right = 0, bottom = 0;
    for (const auto& element : Elements()) {
        CRect r = element->m_rect;
        r.NormalizeRect();
        right = std::max(right, r.right);
        bottom = std::max(bottom, r.bottom);
    }
    const CDC unscrolled({0, 0}, m_zoomNumerator, m_zoomDenominator);
    return QSize(int(unscrolled.LPtoDP(right + kCanvasMargin)),
                 int(unscrolled.LPtoDP(bottom + kCanvasMargin)));
}

void DisplayView::UpdateScrollBars() {
    const QSize canvas = CanvasSize();
    const QSize area = viewport()->size();
    horizontalScrollBar()->setPageStep(area.width());
    verticalScrollBar()->setPageStep(area.height());
    horizontalScrollBar()->setRange(0, std::max(0, canvas.width() - area.width()));
    verticalScrollBar()->setRange(0, std::max(0, canvas.height() - area.height()));
}

void DisplayView::scrollContentsBy(int dx, int dy) {
    viewport()->scroll(dx, dy); // moves the elements' windows along with the picture
}

void DisplayView::resizeEvent(QResizeEvent* event) {
    QAbstractScrollArea::resizeEvent(event);
    UpdateScrollBars();
}

QImage DisplayView::RenderCanvas() {
    const QSize canvas = CanvasSize();
    QImage image(canvas, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    QScrollBar* h = horizontalScrollBar();
    QScrollBar* v = verticalScrollBar();
    const QPoint saved(h->value(), v->value());
    const QSize area = viewport()->size();
    if (area.isEmpty()) return image;
    // The canvas tile by tile as the viewport shows it, so the windows come out as they are.
    for (int y = 0; y < canvas.height(); y += area.height()) {
        for (int x = 0; x < canvas.width(); x += area.width()) {
            h->setValue(x);
            v->setValue(y);
            const QRect source(x - h->value(), y - v->value(), std::min(area.width(), canvas.width() - x),
                               std::min(area.height(), canvas.height() - y));
            painter.drawPixmap(QPoint(x, y), viewport()->grab(source));
        }
    }
    h->setValue(saved.x());
    v->setValue(saved.y());
    return image;
}

void DisplayView::SetDocument(CDisplayDocument document) {
    Select(nullptr);
    m_document.m_objects.clear();
    m_document = std::move(document);
    if (m_running)
        for (const auto& element : Elements())
            StartRunning(*element);
    SetModified(false);
    UpdateScrollBars();
    viewport()->update();
    emit elementsChanged();
}

CDrawObject* DisplayView::AddElement(std::unique_ptr<CDrawObject> element) {
    if (!element) return nullptr;
    CDrawObject* added = element.get();
    m_document.m_objects.push_back(std::move(element));
    if (m_running) StartRunning(*added);
    SetModified(true);
    UpdateScrollBars();
    viewport()->update();
    emit elementsChanged();
    return added;
}

void DisplayView::RemoveElement(CDrawObject* element) {
    auto& objects = m_document.m_objects;
    auto it = std::find_if(objects.begin(), objects.end(), [&](const auto& o) { return o.get() == element; });
    if (it == objects.end()) return;
    if (m_selected == element) Select(nullptr);
    m_edit->Forget(element);
    objects.erase(it);
    SetModified(true);
    UpdateScrollBars();
    viewport()->update();
    emit elementsChanged();
}

void DisplayView::StartRunning(CDrawObject& element) {
    element.SetState(1);
    element.SetParentWnd(this);
    element.ShowObjWnd(1);
    // A running display sends each element one show record as it starts: elements take that
    // one as the start, not as a request, so the operator's first request is heard.
    element.ObjectDrive(ShowDrive());
}

void DisplayView::SetRunning(bool running) {
    if (running == m_running) return;
    m_running = running;
    SetCreateType({});
    for (const auto& element : Elements()) {
        if (running) {
            StartRunning(*element);
        } else {
            element->ShowObjWnd(0);
            element->SetState(0);
        }
    }
    viewport()->update();
}

void DisplayView::Select(CDrawObject* element) {
    if (element == m_selected) return;
    m_selected = element;
    viewport()->update();
    emit selectionChanged();
}

CDrawObject* DisplayView::ElementAt(CPoint logical, int& hit) const {
    hit = -1;
    if (m_selected) {
        hit = m_selected->ItemHitTest(logical, true);
        if (hit > 0) return m_selected;
    }
    const auto& objects = Elements();
    for (auto it = objects.rbegin(); it != objects.rend(); ++it) {
        const bool selected = it->get() == m_selected;
        hit = (*it)->ItemHitTest(logical, selected);
        if (hit >= 0) return it->get();
    }
    hit = -1;
    return nullptr;
}

void DisplayView::SetCreateType(const std::string& typeName) {
    if (typeName == m_edit->CreateType()) return;
    m_edit->SetCreateType(typeName);
    viewport()->setCursor(typeName.empty() ? Qt::ArrowCursor : Qt::CrossCursor);
    emit createTypeChanged();
}

const std::string& DisplayView::CreateType() const {
    return m_edit->CreateType();
}

int DisplayView::Drive(const CDrawObjectDrive& drive, CDrawObject* target) {
    int handled = target ? (target->ObjectDrive(drive) ? 1 : 0) : DriveObjects(Elements(), drive);
    viewport()->update();
    return handled;
}

namespace {

// The element as the display file holds it, to tell whether its property sheet changed it.
std::vector<std::uint8_t> StoredForm(CDrawObject& element) {
    CArchive ar;
    ar.SetObjectSchema(element.GetRuntimeClass().m_schema);
    element.Serialize(ar);
    return ar.Bytes();
}

} // namespace

void DisplayView::OpenProperties(CDrawObject* element) {
    if (!element) return;
    // An element answers 1 whether or not the sheet changed anything (a cancelled sheet, a sheet
    // that is not there): the display counts as changed only when what it would save changed.
    const std::vector<std::uint8_t> before = StoredForm(*element);
    if (!element->Property(this)) {
        emit statusMessage(tr("这个元件没有属性页"));
        return;
    }
    // An element shows its rebuilt windows after OK; while editing they wait for the run, or
    // they would cover the element and take the clicks meant for it.
    if (!m_running) element->ShowObjWnd(0);
    if (StoredForm(*element) != before)
        ElementChanged();
    else
        viewport()->update();
}

void DisplayView::SetModified(bool modified) {
    if (modified == m_modified) return;
    m_modified = modified;
    emit modifiedChanged(modified);
}

void DisplayView::ElementChanged() {
    SetModified(true);
    UpdateScrollBars();
    viewport()->update();
}

void DisplayView::paintEvent(QPaintEvent*) {
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), Qt::white);
    QtDrawSurface surface(painter);
    CDC dc = Dc(&surface);
    for (const auto& element : Elements()) {
        if (!m_running) PaintEditFrame(painter, dc, *element);
        element->Draw(dc);
        if (element->m_drag.dragging) element->MoveDraw(dc);
    }
    if (!m_running && m_selected) PaintHandles(painter, dc, *m_selected);
}

void DisplayView::mousePressEvent(QMouseEvent* event) {
    setFocus();
    if (event->button() != Qt::LeftButton) return;
    m_edit->Press(event->position().toPoint());
}

void DisplayView::mouseMoveEvent(QMouseEvent* event) {
    m_edit->Move(event->position().toPoint());
}

void DisplayView::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    m_edit->Release(event->position().toPoint());
}

void DisplayView::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) return;
    m_edit->DoubleClick(event->position().toPoint());
}

void DisplayView::keyPressEvent(QKeyEvent* event) {
    if (!m_edit->Key(event->key())) QAbstractScrollArea::keyPressEvent(event);
}
