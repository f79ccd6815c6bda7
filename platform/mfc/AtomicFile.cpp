#include "AtomicFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace mfc {

namespace {

// Longest piece of the target's name kept in the temporary name, so that the hidden name with
// its prefix and random suffix stays within the file system's limit.
constexpr std::size_t kNameKept = 200;

std::string FolderOf(const std::string& path) {
    const auto slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
}

} // namespace

CAtomicFile::CAtomicFile(std::string target, FileAccess access)
    : m_target(std::move(target)), m_access(access) {}

CAtomicFile::~CAtomicFile() {
    Discard();
}

bool CAtomicFile::Fail(const char* what, int error) {
    m_error = std::string(what) + " " + m_target + ": " + std::strerror(error);
    Discard();
    return false;
}

bool CAtomicFile::Open() {
    Discard();
    m_error.clear();
    const auto slash = m_target.find_last_of('/');
    const std::string name = slash == std::string::npos ? m_target : m_target.substr(slash + 1);
    if (name.empty() || name == "." || name == "..") {
        m_error = "not a file name: " + m_target;
        return false;
    }
    struct stat st {};
    if (::stat(m_target.c_str(), &st) == 0 && !S_ISREG(st.st_mode)) {
        m_error = "cannot write " + m_target + ": it is not a regular file";
        return false;
    }
    std::string temp = (slash == std::string::npos ? std::string() : m_target.substr(0, slash + 1)) + "." +
                       name.substr(0, kNameKept) + ".XXXXXX";
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) return Fail("cannot write", errno);
    m_fd = fd;
    m_tempPath = std::move(temp);
    if (m_access == FileAccess::Shared) {
        // mkstemp makes the file private; a shared file gets the permissions of any new file.
        // The umask can only be read by setting it, so it is put back at once.
        const mode_t mask = ::umask(0);
        ::umask(mask);
        if (::fchmod(m_fd, 0666 & ~mask) != 0) return Fail("cannot write", errno);
    }
    return true;
}

std::FILE* CAtomicFile::Stream() {
    if (m_stream || m_fd < 0) return m_stream.get();
    const int copy = ::fcntl(m_fd, F_DUPFD_CLOEXEC, 0);
    std::FILE* f = copy < 0 ? nullptr : ::fdopen(copy, "wb");
    if (!f) {
        if (copy >= 0) ::close(copy);
        Fail("cannot write", errno);
        return nullptr;
    }
    m_stream.reset(f);
    return f;
}

bool CAtomicFile::Write(std::string_view bytes) {
    if (m_fd < 0) {
        if (m_error.empty()) m_error = "cannot write " + m_target + ": the file is not open";
        return false;
    }
    if (m_stream) {
        if (std::fwrite(bytes.data(), 1, bytes.size(), m_stream.get()) != bytes.size())
            return Fail("cannot write", errno);
        return true;
    }
    while (!bytes.empty()) {
        const ssize_t n = ::write(m_fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR) continue;
            return Fail("cannot write", errno);
        }
        bytes.remove_prefix(std::size_t(n));
    }
    return true;
}

bool CAtomicFile::FlushStream() {
    if (!m_stream) return true;
    errno = 0;
    const bool flushed = std::fflush(m_stream.get()) == 0 && !std::ferror(m_stream.get());
    const int flushError = errno ? errno : EIO;
    const bool closed = std::fclose(m_stream.release()) == 0;
    if (!flushed) return Fail("cannot write", flushError);
    if (!closed) return Fail("cannot write", errno);
    return true;
}

bool CAtomicFile::Commit() {
    if (m_fd < 0) {
        if (m_error.empty()) m_error = "cannot write " + m_target + ": the file is not open";
        return false;
    }
    if (!FlushStream()) return false;
    // A library that wrote by name opened the file itself; it must have been this very file.
    struct stat own {
    }, named{};
    if (::fstat(m_fd, &own) != 0) return Fail("cannot write", errno);
    if (::lstat(m_tempPath.c_str(), &named) != 0 || !S_ISREG(named.st_mode) || named.st_dev != own.st_dev ||
        named.st_ino != own.st_ino) {
        m_error = "cannot write " + m_target + ": its temporary file " + m_tempPath + " was replaced";
        Discard();
        return false;
    }
    if (::fsync(m_fd) != 0) return Fail("cannot write", errno);
    const int fd = m_fd;
    m_fd = -1;
    if (::close(fd) != 0) return Fail("cannot write", errno);
    if (::rename(m_tempPath.c_str(), m_target.c_str()) != 0) return Fail("cannot replace", errno);
    m_tempPath.clear();
    // The rename itself reaches the disk with the folder.
    const int folder = ::open(FolderOf(m_target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder >= 0) {
        ::fsync(folder);
        ::close(folder);
    }
    return true;
}

void CAtomicFile::Discard() {
    m_stream.reset();
    if (m_fd >= 0) ::close(m_fd);
    m_fd = -1;
    if (!m_tempPath.empty()) ::unlink(m_tempPath.c_str());
    m_tempPath.clear();
}

bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& error,
                         FileAccess access) {
    CAtomicFile file(path, access);
    const bool ok = file.Open() && file.Write(bytes) && file.Commit();
    if (!ok) error = file.Error();
    return ok;
}

} // namespace mfc
