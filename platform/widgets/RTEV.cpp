#include "RTEV.h"

#include <array>

namespace {

// Index = state code of an event record.
constexpr std::array<const char*, 14> kStateMessages = {
    "正常",       // 0
    "越上限",     // 1
    "越下限",     // 2
    "通信中断",   // 3
    "越上上限",   // 4
    "越下下限",   // 5
    "越限恢复",   // 6
    "通信恢复",   // 7
    "数据跳变",   // 8
    "数据不刷新", // 9
    "人工置数",   // 10
    "遥信变位",   // 11
    "事故跳闸",   // 12
    "设备检修",   // 13
};

} // namespace

CString CRTEV::GetStateMsg(int code) {
    if (code >= 0 && std::size_t(code) < kStateMessages.size())
        return CString(kStateMessages[std::size_t(code)]);
    CString text;
    text.Format("未知状态(%d)", code);
    return text;
}
