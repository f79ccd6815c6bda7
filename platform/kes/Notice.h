#pragma once
// The local notice channel behind BrdNetMsg: notices are kept in memory (the latest few
// hundred) for the host to show, and handed to an installed sink as they come.
#include "CString.h"

#include <functional>
#include <vector>

namespace kes {

struct Notice {
    CString target;
    CString message;
};

using NoticeSink = std::function<void(const Notice&)>;
NoticeSink SetNoticeSink(NoticeSink sink);
// The kept notices, oldest first.
std::vector<Notice> RecentNotices();

} // namespace kes
