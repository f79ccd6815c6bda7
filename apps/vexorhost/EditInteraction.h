#pragma once
// What the mouse and keyboard do on the display view while the display is edited: drawing a
// new element of the chosen type, selecting, moving and resizing, the property sheet, deleting.
// An element whose SetupTracker() answers 1 is moved and resized by the host's tracker; one
// that answers 0 gets the mouse (in logical units) and moves or resizes itself. At run time
// a click only selects, for the drive panel.
#include <QPoint>
#include <QPointer>
#include <QRubberBand>

#include <string>

class CDrawObject;
class DisplayView;

class EditInteraction {
public:
    explicit EditInteraction(DisplayView& view) : m_view(view) {}
    ~EditInteraction();
    EditInteraction(const EditInteraction&) = delete;
    EditInteraction& operator=(const EditInteraction&) = delete;

    void SetCreateType(std::string typeName);
    const std::string& CreateType() const { return m_createType; }
    // The element is going away: no mouse is forwarded to it any more.
    void Forget(const CDrawObject* element);

    // Device points of the viewport.
    void Press(QPoint at);
    void Move(QPoint at);
    void Release(QPoint at);
    void DoubleClick(QPoint at);
    // True when the key was used.
    bool Key(int key);

private:
    void Track(CDrawObject& element, int handle, QPoint at);
    void FinishCreate(QPoint at);
    void ShowCursor(QPoint at);

    DisplayView& m_view;
    std::string m_createType;
    QPointer<QRubberBand> m_createBand; // while a new element is drawn
    QPoint m_createStart;
    CDrawObject* m_forwardTo = nullptr; // element that follows the mouse itself
};
