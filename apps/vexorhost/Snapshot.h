#pragma once
// The headless picture of a running display: every element shown (after one show-and-query
// when asked), the whole canvas written to a PNG.
#include <QString>

class DisplayView;

// Written to a uniquely named temporary file beside the target and renamed over it, so a
// failed snapshot never leaves half a picture and no link is followed. False with a message
// on failure.
bool WriteCanvasPng(DisplayView& view, const QString& path, QString& error);

// Lets every element show and query: one show record (the host sent the one an element skips
// as the display started running).
void RefreshAll(DisplayView& view);
