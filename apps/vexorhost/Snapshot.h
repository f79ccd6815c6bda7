#pragma once
// The headless picture of a running display: every element shown (after one show-and-query
// when asked), the whole canvas written to a PNG.
#include <QString>

class DisplayView;

// Written to a uniquely named temporary file beside the target and renamed over it, so a
// failed snapshot never leaves half a picture and no link is followed. False with a message
// on failure.
bool WriteCanvasPng(DisplayView& view, const QString& path, QString& error);

// The property sheet of element number `element` (1 the first of the display), opened as 属性
// opens it, pictured on page `page` (1 the first) and cancelled.
bool WritePropertySheetPng(DisplayView& view, int element, int page, const QString& path, QString& error);

// Lets every element show and query: one show record (the host sent the one an element skips
// as the display started running).
void RefreshAll(DisplayView& view);
