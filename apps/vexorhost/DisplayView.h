#pragma once
// The display view: a scrolling window that shows the elements of one display and is their
// owner window (the CWnd whose widget, the viewport, parents every window an element creates).
//
// Units: one logical unit of the display is one pixel at 100 %. The view lends its elements a
// device context with its scroll position and zoom: device = (logical - scroll) * zoom, in
// viewport pixels, scroll in logical units. Windows that elements place in the viewport move
// with it when it scrolls, as the painted picture does.
#include "DeviceContext.h"
#include "DisplayDocument.h"
#include "HostServices.h"
#include "Wnd.h"

#include <QAbstractScrollArea>
#include <QImage>

#include <functional>
#include <memory>
#include <string>

class EditInteraction;

class DisplayView : public QAbstractScrollArea, public CWnd {
    Q_OBJECT
public:
    static constexpr int kControlId = 0xE900;
    // Room kept right of and below the last element, logical units.
    static constexpr int kCanvasMargin = 20;

    explicit DisplayView(QWidget* parent = nullptr);
    ~DisplayView() override;

    const std::vector<std::unique_ptr<CDrawObject>>& Elements() const { return m_document.m_objects; }
    const CDisplayDocument& Document() const { return m_document; }
    // Takes the elements of a document (the old ones are destroyed); in run mode they start running.
    void SetDocument(CDisplayDocument document);
    CDrawObject* AddElement(std::unique_ptr<CDrawObject> element);
    void RemoveElement(CDrawObject* element);

    bool IsRunning() const { return m_running; }
    // Run mode: every element runs and shows its windows; edit mode hides them again.
    void SetRunning(bool running);

    CDrawObject* Selected() const { return m_selected; }
    void Select(CDrawObject* element);
    // The topmost element whose body or (when selected) handle lies under the logical point;
    // hit receives the hit code (0 body, 1.. handle).
    CDrawObject* ElementAt(CPoint logical, int& hit) const;

    // The element type the next drag on the view creates; empty: selecting and editing.
    void SetCreateType(const std::string& typeName);
    const std::string& CreateType() const;

    CDC Dc(CDrawSurface* surface = nullptr) const;
    void SetZoom(int numerator, int denominator);
    // The whole display in device pixels: up to the farthest element plus the margin.
    QSize CanvasSize() const;
    // The whole canvas, windows included, whatever part of it is scrolled into view.
    QImage RenderCanvas();

    // Hands a drive record to one element, or to all of them when target is null; returns
    // how many handled it.
    int Drive(const CDrawObjectDrive& drive, CDrawObject* target);
    // Opens the property sheet of an element.
    void OpenProperties(CDrawObject* element);

    bool IsModified() const { return m_modified; }
    void SetModified(bool modified);
    // After an element moved, changed size or was driven by the mouse.
    void ElementChanged();

signals:
    void selectionChanged();
    void elementsChanged();
    void createTypeChanged();
    void modifiedChanged(bool modified);
    void statusMessage(const QString& text);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void InstallServices();
    void UpdateScrollBars();
    void StartRunning(CDrawObject& element);
    CPoint ScrollLogical() const;

    CDisplayDocument m_document;
    CDrawObject* m_selected = nullptr;
    bool m_running = false;
    bool m_modified = false;
    int m_zoomNumerator = 1;
    int m_zoomDenominator = 1;
    std::unique_ptr<EditInteraction> m_edit;
    CHostServices m_previousServices;
};
