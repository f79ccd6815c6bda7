#include "DayLog.h"

#include "OleDateTime.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>

namespace daylog {
namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;

bool SameDate(std::time_t a, std::time_t b) {
    std::tm ta{}, tb{};
    localtime_r(&a, &ta);
    localtime_r(&b, &tb);
    return ta.tm_year == tb.tm_year && ta.tm_mon == tb.tm_mon && ta.tm_mday == tb.tm_mday;
}

// Opens the log for appending; a file last changed on another date is emptied first.
File OpenForToday() {
    std::string path = LogFilePath();
    struct stat st {};
    bool stale = ::stat(path.c_str(), &st) == 0 && !SameDate(st.st_mtime, std::time(nullptr));
    return File(std::fopen(path.c_str(), stale ? "wb" : "ab"));
}

void Append(const std::string& bytes) {
    File f = OpenForToday();
    if (!f) return;
    std::fwrite(bytes.data(), 1, bytes.size(), f.get());
}

} // namespace

std::string LogFilePath() {
    const char* dir = std::getenv("VEXOR_LOG_DIR");
    std::string path = dir && *dir ? dir : ".";
    if (path.back() != '/') path += '/';
    return path + "VexorINIError.txt";
}

void AppendStatement(const CString& text) {
    CString stamp = COleDateTime::GetCurrentTime().Format("%Y年%m月%d日%H时%M分%S秒");
    Append(stamp.str() + "\r" + text.str() + "\r\r\n\r");
}

void AppendLine(const CString& text) {
    Append(text.str() + "\r\r\n");
}

} // namespace daylog
