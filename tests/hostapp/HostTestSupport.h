#pragma once
// Mouse gestures on the display view as a user makes them.
#include "DisplayView.h"

#include <QApplication>
#include <QTest>
#include <QTimer>

// A drag that the host's tracker runs modally: the moves and the release (or Esc) are queued
// before the press, because the press does not return before the drag ends.
inline void TrackedDrag(QWidget* area, QPoint from, QPoint to, bool abandon = false) {
    QTimer::singleShot(0, area, [=] {
        QTest::mouseMove(area, (from + to) / 2);
        QTest::mouseMove(area, to);
        if (abandon)
            QTest::keyClick(area, Qt::Key_Escape);
        else
            QTest::mouseRelease(area, Qt::LeftButton, {}, to);
    });
    QTest::mousePress(area, Qt::LeftButton, {}, from);
    if (abandon) QTest::mouseRelease(area, Qt::LeftButton, {}, to); // the button comes up later
}

// A drag the view follows event by event.
inline void PlainDrag(QWidget* area, QPoint from, QPoint to) {
    QTest::mousePress(area, Qt::LeftButton, {}, from);
    QTest::mouseMove(area, (from + to) / 2);
    QTest::mouseMove(area, to);
    QTest::mouseRelease(area, Qt::LeftButton, {}, to);
}

// A view on screen (offscreen), large enough for the tests' elements.
class ShownView {
public:
    ShownView() {
        view.resize(800, 600);
        view.show();
        QApplication::processEvents();
    }
    QWidget* Area() { return view.viewport(); }
    DisplayView view;
};
