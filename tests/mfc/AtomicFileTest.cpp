// Files that replace their target whole or not at all.
#include "AtomicFile.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;
using mfc::CAtomicFile;
using mfc::FileAccess;

namespace {

class AtomicFile : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "vexor-atomic-XXXXXX").string();
        ASSERT_TRUE(::mkdtemp(pattern.data()));
        m_dir = pattern;
    }
    void TearDown() override {
        std::error_code ignored;
        fs::remove_all(m_dir, ignored);
    }
    std::string Path(const char* name) const { return (m_dir / name).string(); }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(m_dir))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }
    static void Put(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    static unsigned Mode(const std::string& path) {
        struct stat st {};
        EXPECT_EQ(::stat(path.c_str(), &st), 0);
        return st.st_mode & 07777;
    }

    fs::path m_dir;
};

// Lowers the file size limit for one scope; the signal the kernel would send is ignored, as the
// programs do, so the write fails instead of the process.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &m_previous);
        m_signal = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lower = m_previous;
        lower.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &lower);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &m_previous);
        std::signal(SIGXFSZ, m_signal);
    }

private:
    rlimit m_previous{};
    void (*m_signal)(int);
};

} // namespace

TEST_F(AtomicFile, ReplacesTheTargetWholeWithTheRequestedPermissions) {
    const mode_t mask = ::umask(022);
    const std::string target = Path("报表.txt");
    Put(target, "old content that is longer");
    std::string error;
    ASSERT_TRUE(mfc::WriteFileAtomically(target, "new", error)) << error;
    EXPECT_EQ(Read(target), "new");
    EXPECT_EQ(Mode(target), 0644u);
    EXPECT_EQ(Names(), std::vector<std::string>{"报表.txt"});

    const std::string secret = Path("secret");
    ASSERT_TRUE(mfc::WriteFileAtomically(secret, "x", error, FileAccess::Private)) << error;
    EXPECT_EQ(Mode(secret), 0600u);

    // Stream and direct writes keep their order; nothing shows at the target before Commit.
    {
        CAtomicFile file(target);
        ASSERT_TRUE(file.Open()) << file.Error();
        ASSERT_TRUE(file.Write("a"));
        std::fprintf(file.Stream(), "%d", 2);
        ASSERT_TRUE(file.Write("c"));
        EXPECT_EQ(Read(target), "new");
        ASSERT_TRUE(file.Commit()) << file.Error();
    }
    EXPECT_EQ(Read(target), "a2c");
    // Given up without Commit: the target is untouched and the temporary file gone.
    {
        CAtomicFile file(target);
        ASSERT_TRUE(file.Open());
        ASSERT_TRUE(file.Write("abandoned"));
    }
    EXPECT_EQ(Read(target), "a2c");
    EXPECT_EQ(Names(), (std::vector<std::string>{"secret", "报表.txt"}));
    ::umask(mask);
}

TEST_F(AtomicFile, ALinkAtTheTargetIsReplacedNotWrittenThrough) {
    const std::string victim = Path("victim");
    Put(victim, "keep me");
    fs::create_symlink(victim, Path("out.txt"));
    fs::create_symlink(Path("nowhere"), Path("dangling"));
    std::string error;
    ASSERT_TRUE(mfc::WriteFileAtomically(Path("out.txt"), "export", error)) << error;
    ASSERT_TRUE(mfc::WriteFileAtomically(Path("dangling"), "export", error)) << error;
    EXPECT_EQ(Read(victim), "keep me");
    EXPECT_FALSE(fs::is_symlink(Path("out.txt")));
    EXPECT_EQ(Read(Path("out.txt")), "export");
    EXPECT_FALSE(fs::exists(Path("nowhere")));
    EXPECT_EQ(Read(Path("dangling")), "export");
}

TEST_F(AtomicFile, FailuresSayWhyAndLeaveTheTargetAsItWas) {
    const std::string target = Path("data.tsv");
    Put(target, "previous export");
    {
        FileSizeLimit limit(4096);
        std::string error;
        EXPECT_FALSE(mfc::WriteFileAtomically(target, std::string(100000, 'x'), error));
        EXPECT_NE(error.find("cannot write " + target + ": File too large"), std::string::npos) << error;

        CAtomicFile file(target);
        ASSERT_TRUE(file.Open());
        for (int i = 0; i < 100; ++i)
            std::fputs(std::string(1000, 'y').c_str(), file.Stream());
        EXPECT_FALSE(file.Commit());
        EXPECT_NE(file.Error().find("File too large"), std::string::npos) << file.Error();
    }
    EXPECT_EQ(Read(target), "previous export");
    EXPECT_EQ(Names(), std::vector<std::string>{"data.tsv"});

    // What is not a regular file is refused, not replaced; a missing folder is named.
    fs::create_directory(Path("folder"));
    for (const std::string& path :
         {std::string("/dev/full"), Path("folder"), Path("missing/x.txt"), Path("folder/")}) {
        std::string error;
        EXPECT_FALSE(mfc::WriteFileAtomically(path, "x", error)) << path;
        EXPECT_NE(error.find(path), std::string::npos) << error;
    }
    EXPECT_TRUE(fs::is_character_file("/dev/full"));
    EXPECT_TRUE(fs::is_empty(Path("folder")));
}

TEST_F(AtomicFile, AFileWrittenByNameMustStillBeTheOneCreated) {
    const std::string target = Path("book.xlsx");
    Put(target, "previous");
    {
        CAtomicFile file(target);
        ASSERT_TRUE(file.Open());
        EXPECT_EQ(fs::path(file.TemporaryPath()).parent_path(), m_dir);
        Put(file.TemporaryPath(), "by name");
        ASSERT_TRUE(file.Commit()) << file.Error();
    }
    EXPECT_EQ(Read(target), "by name");

    // Someone swaps the temporary name for a link to a file of theirs while the library writes.
    const std::string planted = Path("planted");
    Put(planted, "theirs");
    CAtomicFile file(target);
    ASSERT_TRUE(file.Open());
    fs::remove(file.TemporaryPath());
    fs::create_symlink(planted, file.TemporaryPath());
    EXPECT_FALSE(file.Commit());
    EXPECT_NE(file.Error().find("was replaced"), std::string::npos) << file.Error();
    EXPECT_EQ(Read(target), "by name");
    EXPECT_EQ(Names(), (std::vector<std::string>{"book.xlsx", "planted"}));
}
