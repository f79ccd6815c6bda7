#include "Notice.h"

#include "DataService.h"
#include "Gbk.h"

#include <deque>
#include <utility>

namespace kes {
namespace {

constexpr std::size_t kKept = 200;
// The longest text the channel carries is 999 bytes in the system code page.
constexpr int kMaxBytes = 1000;

struct Channel {
    std::deque<Notice> kept;
    NoticeSink sink;
};

Channel& TheChannel() {
    static Channel channel;
    return channel;
}

} // namespace

NoticeSink SetNoticeSink(NoticeSink sink) {
    return std::exchange(TheChannel().sink, std::move(sink));
}

std::vector<Notice> RecentNotices() {
    return {TheChannel().kept.begin(), TheChannel().kept.end()};
}

} // namespace kes

int BrdNetMsg(const char* target, const CString& message) {
    CString to = target ? target : "";
    if (mfc::GbkByteLength(to.str()) >= kes::kMaxBytes || mfc::GbkByteLength(message.str()) >= kes::kMaxBytes)
        return -1;
    kes::Channel& channel = kes::TheChannel();
    kes::Notice notice{to, message};
    channel.kept.push_back(notice);
    if (channel.kept.size() > kes::kKept) channel.kept.pop_front();
    if (channel.sink) channel.sink(notice);
    return 0;
}
