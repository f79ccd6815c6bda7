#include "DayLog.h"

#include "OleDateTime.h"

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <string_view>
#include <utility>

namespace daylog {
namespace {

constexpr std::string_view kAsidePrefix = "VexorINIError-";

class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor() {
        if (m_fd >= 0) ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return m_fd; }
    int release() { return std::exchange(m_fd, -1); }

private:
    int m_fd;
};

FailureReporter& Reporter() {
    static FailureReporter reporter;
    return reporter;
}

// "YYYY-MM-DD" of a moment, local time.
std::string DateOf(std::time_t t) {
    std::tm local{};
    localtime_r(&t, &local);
    char text[16];
    std::strftime(text, sizeof text, "%Y-%m-%d", &local);
    return text;
}

bool IsDate(std::string_view s) {
    if (s.size() != 10 || s[4] != '-' || s[7] != '-') return false;
    for (std::size_t i : {0, 1, 2, 3, 5, 6, 8, 9})
        if (s[i] < '0' || s[i] > '9') return false;
    return true;
}

// The folder and any missing folder above it, private to the user.
bool MakeFolders(const std::string& path) {
    for (std::size_t i = 1; i <= path.size(); ++i) {
        if (i < path.size() && path[i] != '/') continue;
        if (::mkdir(path.substr(0, i).c_str(), 0700) != 0 && errno != EEXIST) return false;
    }
    return true;
}

bool Exists(int folder, const std::string& name) {
    struct stat st {};
    return ::fstatat(folder, name.c_str(), &st, AT_SYMLINK_NOFOLLOW) == 0;
}

// The first unused name for a day's file moved aside: "VexorINIError-DATE.txt" when
// firstNumber is 0, else "VexorINIError-DATE.N.txt" numbered from firstNumber.
std::string FreeAsideName(int folder, const std::string& date, int firstNumber) {
    for (int n = firstNumber; n < 10000; ++n) {
        std::string name = std::string(kAsidePrefix) + date + (n ? "." + std::to_string(n) : "") + ".txt";
        if (!Exists(folder, name)) return name;
    }
    return {};
}

// Removes the files moved aside on a day more than kDaysKept days back.
void RemoveOldDays(int folder, std::time_t now) {
    const std::string cutoff = DateOf(now - std::time_t(kDaysKept) * 86400);
    const int copy = ::fcntl(folder, F_DUPFD_CLOEXEC, 0);
    DIR* listing = copy < 0 ? nullptr : ::fdopendir(copy);
    if (!listing) {
        if (copy >= 0) ::close(copy);
        return;
    }
    while (const dirent* entry = ::readdir(listing)) {
        const std::string_view name = entry->d_name;
        if (name.size() < kAsidePrefix.size() + 14 || name.substr(0, kAsidePrefix.size()) != kAsidePrefix ||
            name.substr(name.size() - 4) != ".txt")
            continue;
        const std::string_view date = name.substr(kAsidePrefix.size(), 10);
        if (IsDate(date) && date < cutoff) ::unlinkat(folder, entry->d_name, 0);
    }
    ::closedir(listing);
}

// Moves the log aside when its day is over or it is full.
void MoveAsideWhenDue(int folder, std::time_t now) {
    struct stat st {};
    if (::fstatat(folder, kFileName, &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode) ||
        st.st_uid != ::geteuid())
        return;
    const std::string fileDate = DateOf(st.st_mtime), today = DateOf(now);
    const bool dayOver = fileDate != today;
    if (!dayOver && st.st_size < kLargestFile) return;
    const std::string aside = dayOver ? FreeAsideName(folder, fileDate, 0) : FreeAsideName(folder, today, 1);
    if (!aside.empty()) ::renameat(folder, kFileName, folder, aside.c_str());
    if (dayOver) RemoveOldDays(folder, now);
}

// Appends the bytes; false with the reason.
bool Append(const std::string& bytes, std::string& reason) {
    const std::string path = LogDirectory();
    if (path.empty()) {
        reason = "there is no folder for it";
        return false;
    }
    if (!MakeFolders(path)) {
        reason = std::strerror(errno);
        return false;
    }
    Descriptor folder(::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.get() < 0) {
        reason = std::strerror(errno);
        return false;
    }
    MoveAsideWhenDue(folder.get(), std::time(nullptr));
    // Never through a link, and never waiting on a pipe planted under the name.
    Descriptor file(::openat(folder.get(), kFileName,
                             O_WRONLY | O_APPEND | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC,
                             0600));
    if (file.get() < 0) {
        reason = errno == ELOOP ? "it is a link" : std::strerror(errno);
        return false;
    }
    struct stat st {};
    if (::fstat(file.get(), &st) != 0) {
        reason = std::strerror(errno);
        return false;
    }
    if (!S_ISREG(st.st_mode)) {
        reason = "it is not a regular file";
        return false;
    }
    if (st.st_uid != ::geteuid()) {
        reason = "it belongs to another user";
        return false;
    }
    if (st.st_mode & 077) ::fchmod(file.get(), 0600);
    std::string_view rest = bytes;
    while (!rest.empty()) {
        const ssize_t n = ::write(file.get(), rest.data(), rest.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            reason = std::strerror(errno);
            return false;
        }
        rest.remove_prefix(std::size_t(n));
    }
    if (::close(file.release()) != 0) {
        reason = std::strerror(errno);
        return false;
    }
    return true;
}

// Says the first loss of the process; later ones would only repeat it.
void Write(const std::string& bytes) {
    static std::atomic<bool> told{false};
    std::string reason;
    if (Append(bytes, reason) || told.exchange(true)) return;
    const std::string message =
        "cannot write the day log " + LogFilePath() + ": " + reason + "; entries are lost";
    std::fprintf(stderr, "%s: %s\n", program_invocation_short_name, message.c_str());
    if (Reporter()) Reporter()(message);
}

} // namespace

std::string LogDirectory() {
    if (const char* dir = std::getenv("VEXOR_LOG_DIR"); dir && *dir) return dir;
    // Relative values of XDG_STATE_HOME are to be ignored.
    if (const char* state = std::getenv("XDG_STATE_HOME"); state && *state == '/')
        return std::string(state) + "/vexorquery";
    const char* home = std::getenv("HOME");
    if (!home || !*home) {
        const passwd* user = ::getpwuid(::geteuid());
        home = user ? user->pw_dir : nullptr;
    }
    return home && *home ? std::string(home) + "/.local/state/vexorquery" : std::string();
}

std::string LogFilePath() {
    std::string path = LogDirectory();
    if (!path.empty() && path.back() != '/') path += '/';
    return path + kFileName;
}

void AppendStatement(const CString& text) {
    CString stamp = COleDateTime::GetCurrentTime().Format("%Y年%m月%d日%H时%M分%S秒");
    Write(stamp.str() + "\r" + text.str() + "\r\r\n\r");
}

void AppendLine(const CString& text) {
    Write(text.str() + "\r\r\n");
}

FailureReporter SetFailureReporter(FailureReporter reporter) {
    return std::exchange(Reporter(), std::move(reporter));
}

} // namespace daylog
