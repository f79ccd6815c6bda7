#pragma once
// A file that takes the place of its target only once it is complete: written under a unique
// hidden name in the target's folder (created exclusively, so nothing planted there is
// followed), every write checked, flushed to disk, then renamed over the target. Until then,
// and after any failure, the target keeps what it held and the temporary file is removed.
// A link at the target's name is replaced by the new file, never written through; a target
// that exists but is not a regular file (a device, a folder) is refused.
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

namespace mfc {

enum class FileAccess {
    Shared,  // like any new file: 0666 less the umask
    Private, // the owner only: 0600
};

class CAtomicFile {
public:
    explicit CAtomicFile(std::string target, FileAccess access = FileAccess::Shared);
    ~CAtomicFile();
    CAtomicFile(const CAtomicFile&) = delete;
    CAtomicFile& operator=(const CAtomicFile&) = delete;

    // Creates the temporary file; false with Error() set.
    bool Open();
    bool Write(std::string_view bytes);
    // A buffered stream onto the temporary file for printf-style writers; its errors are
    // found by Commit.
    std::FILE* Stream();
    // For a library that writes only by name. Commit checks that the file under this name is
    // still the one Open created.
    const std::string& TemporaryPath() const { return m_tempPath; }
    // Puts the complete file in place of the target; false with Error() set.
    bool Commit();
    // Drops the temporary file; the target stays as it was.
    void Discard();

    const std::string& Target() const { return m_target; }
    // Why the last step failed, naming the target.
    const std::string& Error() const { return m_error; }

private:
    bool Fail(const char* what, int error);
    bool FlushStream();

    struct StreamCloser {
        void operator()(std::FILE* f) const { std::fclose(f); }
    };

    std::string m_target;
    FileAccess m_access;
    std::string m_tempPath;
    int m_fd = -1;
    std::unique_ptr<std::FILE, StreamCloser> m_stream;
    std::string m_error;
};

// The whole file in one call; false with the reason in error.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string& error,
                         FileAccess access = FileAccess::Shared);

} // namespace mfc
