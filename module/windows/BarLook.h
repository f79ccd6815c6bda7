#pragma once
// What every query bar looks like: the panel colour, the element's window font (宋体 at 15
// pixels without one) and the icons of its buttons.
#include "QueryBarWindow.h"

#include <QFont>
#include <QIcon>

class QWidget;

// Gives the bar its background and font; answers the font for its children.
QFont ApplyBarLook(QWidget& bar, const CQueryBarRecords& records);
// The icons of direct entry (924) and quick search (925).
QIcon BarIcon(int resource);
