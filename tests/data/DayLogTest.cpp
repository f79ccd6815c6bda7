// The day log: where it lies, its entries, the days kept aside, the size cap, and what happens
// when it cannot be written.
#include "DayLog.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>
#include <utime.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>

namespace fs = std::filesystem;

namespace {

std::string Read(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

unsigned Mode(const fs::path& path) {
    struct stat st {};
    EXPECT_EQ(::stat(path.c_str(), &st), 0) << path;
    return st.st_mode & 07777;
}

std::string DateDaysAgo(int days) {
    const std::time_t t = std::time(nullptr) - std::time_t(days) * 86400;
    std::tm local{};
    localtime_r(&t, &local);
    char text[16];
    std::strftime(text, sizeof text, "%Y-%m-%d", &local);
    return text;
}

void SetChangedDaysAgo(const fs::path& path, int days) {
    utimbuf times{};
    times.actime = times.modtime = std::time(nullptr) - std::time_t(days) * 86400;
    ASSERT_EQ(::utime(path.c_str(), &times), 0);
}

std::string Aside(const std::string& date, int number = 0) {
    return "VexorINIError-" + date + (number ? "." + std::to_string(number) : "") + ".txt";
}

class DayLog : public ::testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "vexor-daylog-XXXXXX").string();
        ASSERT_TRUE(::mkdtemp(pattern.data()));
        m_dir = pattern;
        for (const char* name : {"VEXOR_LOG_DIR", "XDG_STATE_HOME", "HOME"})
            if (const char* v = std::getenv(name)) m_saved.emplace_back(name, v);
        m_log = m_dir / "log";
        setenv("VEXOR_LOG_DIR", m_log.c_str(), 1);
    }
    void TearDown() override {
        for (const char* name : {"VEXOR_LOG_DIR", "XDG_STATE_HOME", "HOME"})
            unsetenv(name);
        for (const auto& [name, value] : m_saved)
            setenv(name.c_str(), value.c_str(), 1);
        std::error_code ignored;
        fs::remove_all(m_dir, ignored);
    }
    fs::path Current() const { return m_log / daylog::kFileName; }

    fs::path m_dir, m_log;
    std::vector<std::pair<std::string, std::string>> m_saved;
};

} // namespace

TEST_F(DayLog, EntriesGoToOnePrivateFolderOfTheUser) {
    daylog::AppendStatement("UPDATE KES.RAIN_DAY SET DRP=1");
    daylog::AppendLine("database is locked");
    const std::string log = Read(Current());
    EXPECT_EQ(log.find("年"), 4u) << log; // "%Y年%m月%d日%H时%M分%S秒"
    EXPECT_EQ(log.substr(log.find("秒")),
              "秒\rUPDATE KES.RAIN_DAY SET DRP=1\r\r\n\rdatabase is locked\r\r\n");
    EXPECT_EQ(Mode(m_log), 0700u);
    EXPECT_EQ(Mode(Current()), 0600u);

    // A log that others could read is narrowed to the user.
    ::chmod(Current().c_str(), 0644);
    daylog::AppendLine("again");
    EXPECT_EQ(Mode(Current()), 0600u);

    // Without VEXOR_LOG_DIR: the XDG state folder, else the one under the home folder.
    unsetenv("VEXOR_LOG_DIR");
    setenv("XDG_STATE_HOME", (m_dir / "state").c_str(), 1);
    EXPECT_EQ(daylog::LogFilePath(), (m_dir / "state/vexorquery/VexorINIError.txt").string());
    daylog::AppendLine("state");
    EXPECT_EQ(Read(m_dir / "state/vexorquery/VexorINIError.txt"), "state\r\r\n");
    EXPECT_EQ(Mode(m_dir / "state/vexorquery"), 0700u);
    setenv("XDG_STATE_HOME", "relative/state", 1);
    setenv("HOME", (m_dir / "home").c_str(), 1);
    EXPECT_EQ(daylog::LogDirectory(), (m_dir / "home/.local/state/vexorquery").string());
    daylog::AppendLine("home");
    EXPECT_EQ(Read(m_dir / "home/.local/state/vexorquery/VexorINIError.txt"), "home\r\r\n");
    EXPECT_FALSE(fs::exists("relative"));
}

TEST_F(DayLog, EarlierDaysAreKeptAsideForAMonth) {
    daylog::AppendLine("three days ago");
    SetChangedDaysAgo(Current(), 3);
    fs::create_directories(m_log);
    for (const std::string& name : {Aside(DateDaysAgo(40)), Aside(DateDaysAgo(40), 2), Aside(DateDaysAgo(10)),
                                    std::string("VexorINIError-notes.txt"), std::string("other.txt")})
        std::ofstream(m_log / name) << "kept?";

    daylog::AppendLine("today");
    EXPECT_EQ(Read(Current()), "today\r\r\n");
    EXPECT_EQ(Read(m_log / Aside(DateDaysAgo(3))), "three days ago\r\r\n");
    EXPECT_EQ(Mode(m_log / Aside(DateDaysAgo(3))), 0600u);
    EXPECT_FALSE(fs::exists(m_log / Aside(DateDaysAgo(40))));
    EXPECT_FALSE(fs::exists(m_log / Aside(DateDaysAgo(40), 2)));
    for (const std::string& name :
         {Aside(DateDaysAgo(10)), std::string("VexorINIError-notes.txt"), std::string("other.txt")})
        EXPECT_EQ(Read(m_log / name), "kept?") << name;

    // The same day moved aside again does not replace the first one.
    SetChangedDaysAgo(Current(), 3);
    daylog::AppendLine("later");
    EXPECT_EQ(Read(m_log / Aside(DateDaysAgo(3))), "three days ago\r\r\n");
    EXPECT_EQ(Read(m_log / Aside(DateDaysAgo(3), 1)), "today\r\r\n");
    EXPECT_EQ(Read(Current()), "later\r\r\n");
}

TEST_F(DayLog, AFullDayIsMovedAsideNumbered) {
    const std::string today = DateDaysAgo(0);
    for (int round = 1; round <= 2; ++round) {
        daylog::AppendLine("before " + std::to_string(round));
        fs::resize_file(Current(), daylog::kLargestFile); // sparse: no disk space taken
        daylog::AppendLine("after " + std::to_string(round));
        EXPECT_EQ(Read(Current()), "after " + std::to_string(round) + "\r\r\n");
        ASSERT_TRUE(fs::exists(m_log / Aside(today, round)));
        EXPECT_EQ(fs::file_size(m_log / Aside(today, round)), std::uintmax_t(daylog::kLargestFile));
        fs::remove(Current());
    }
}

TEST_F(DayLog, PlantedNamesAreNeverWrittenAndTheLossIsSaidOnce) {
    std::vector<std::string> reported;
    daylog::FailureReporter previous =
        daylog::SetFailureReporter([&](const std::string& message) { reported.push_back(message); });
    fs::create_directories(m_log);
    std::ofstream(m_dir / "victim") << "someone else's file";
    fs::create_symlink(m_dir / "victim", Current());

    ::testing::internal::CaptureStderr();
    daylog::AppendLine("through the link");
    // A pipe would block a writer waiting for a reader; a folder cannot be appended to.
    fs::remove(Current());
    ASSERT_EQ(::mkfifo(Current().c_str(), 0600), 0);
    daylog::AppendStatement("into the pipe");
    fs::remove(Current());
    fs::create_directory(Current());
    daylog::AppendLine("into a folder");
    // A folder that cannot be made.
    setenv("VEXOR_LOG_DIR", (m_dir / "victim/sub").c_str(), 1);
    daylog::AppendLine("nowhere");
    const std::string err = ::testing::internal::GetCapturedStderr();
    daylog::SetFailureReporter(previous);

    EXPECT_EQ(Read(m_dir / "victim"), "someone else's file");
    ASSERT_EQ(reported.size(), 1u);
    EXPECT_NE(reported[0].find("cannot write the day log " + Current().string() + ": it is a link"),
              std::string::npos)
        << reported[0];
    EXPECT_NE(err.find(reported[0]), std::string::npos) << err;
    EXPECT_EQ(err.find("day log", err.find("day log") + 1), std::string::npos) << err;
}
