#include "GridIterator.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// A private directory, removed with everything in it.
class ScratchDir {
public:
    ScratchDir() {
        std::string pattern = (fs::temp_directory_path() / "vexor-grid-XXXXXX").string();
        if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
        m_path = pattern;
    }
    ~ScratchDir() {
        std::error_code ignored;
        fs::remove_all(m_path, ignored);
    }
    const fs::path& path() const { return m_path; }
    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(m_path))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    fs::path m_path;
};

std::string ReadFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void Fill(CGridIterator& grid, const std::vector<std::vector<std::string>>& texts) {
    grid.SetColumnCount(long(texts.at(0).size()));
    grid.SetRowCount(long(texts.size()));
    for (std::size_t r = 0; r < texts.size(); ++r)
        grid.SetRowTexts(long(r), 0, texts[r]);
}

TEST(GridSave, TextFileIsUtf8WithTabsAndCrLfLines) {
    ScratchDir dir;
    CGridIterator grid;
    Fill(grid, {{"  ", "站名", "水位"}, {"1", "长江\t大桥", "12.50"}, {"2", "", "第\r\n二行"}});
    const fs::path target = dir.path() / "导出.txt";
    CString error;
    ASSERT_TRUE(grid.SaveData(target.string().c_str(), &error)) << error;
    EXPECT_EQ(ReadFile(target), "\xEF\xBB\xBF"
                                "  \t站名\t水位\r\n"
                                "1\t长江 大桥\t12.50\r\n"
                                "2\t\t第  二行\r\n");
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"导出.txt"});

    // Saving again replaces the file whole.
    grid.SetRowCount(1);
    ASSERT_TRUE(grid.SaveData(target.string().c_str()));
    EXPECT_EQ(ReadFile(target), "\xEF\xBB\xBF  \t站名\t水位\r\n");
    EXPECT_EQ(dir.Names(), std::vector<std::string>{"导出.txt"});
}

TEST(GridSave, FailedSaveSaysSoAndLeavesNoFile) {
    ScratchDir dir;
    CGridIterator grid;
    Fill(grid, {{"  ", "水位"}, {"1", "12.5"}});
    std::ofstream(dir.path() / "plain") << "x";
    fs::create_directory(dir.path() / "sub.xls");

    for (const char* name : {"missing/out.txt", "missing/out.xls", "plain/out.txt", "sub.xls", ""}) {
        const std::string path = *name ? (dir.path() / name).string() : std::string();
        CString error;
        EXPECT_FALSE(grid.SaveData(path.c_str(), &error)) << name;
        EXPECT_FALSE(error.IsEmpty()) << name;
    }
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"plain", "sub.xls"}));
    EXPECT_TRUE(fs::is_empty(dir.path() / "sub.xls"));

    // A grid the spreadsheet cannot hold (a cell longer than a spreadsheet cell may be) fails
    // without touching the file that was there.
    const fs::path earlier = dir.path() / "earlier.xlsx";
    std::ofstream(earlier) << "earlier export";
    grid.SetItemText(1, 1, std::string(40000, 'x'));
    CString error;
    EXPECT_FALSE(grid.SaveData(earlier.string().c_str(), &error));
    EXPECT_FALSE(error.IsEmpty());
    EXPECT_EQ(ReadFile(earlier), "earlier export");
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"earlier.xlsx", "plain", "sub.xls"}));
}

TEST(GridSave, ExportsOverASizeLimitOrOntoNoFileFailWhole) {
    ScratchDir dir;
    CGridIterator grid;
    grid.SetColumnCount(3);
    grid.SetRowCount(2000);
    for (long r = 0; r < 2000; ++r)
        grid.SetRowTexts(r, 0,
                         std::vector<std::string>{std::to_string(r), "长江大桥站", std::to_string(r * 0.25)});
    const fs::path text = dir.path() / "earlier.txt", book = dir.path() / "earlier.xlsx";
    std::ofstream(text) << "earlier export";
    std::ofstream(book) << "earlier export";
    {
        rlimit previous{};
        ::getrlimit(RLIMIT_FSIZE, &previous);
        auto signal = std::signal(SIGXFSZ, SIG_IGN);
        rlimit lower = previous;
        lower.rlim_cur = 2048;
        ::setrlimit(RLIMIT_FSIZE, &lower);
        CString textError, bookError;
        const bool textSaved = grid.SaveData(text.string().c_str(), &textError);
        const bool bookSaved = grid.SaveData(book.string().c_str(), &bookError);
        ::setrlimit(RLIMIT_FSIZE, &previous);
        std::signal(SIGXFSZ, signal);
        EXPECT_FALSE(textSaved);
        EXPECT_NE(textError.Find("File too large"), -1) << textError;
        EXPECT_FALSE(bookSaved);
        EXPECT_NE(bookError.Find("earlier.xlsx"), -1) << bookError;
    }
    EXPECT_EQ(ReadFile(text), "earlier export");
    EXPECT_EQ(ReadFile(book), "earlier export");

    // A named pipe (like a device) is not a file to be replaced by an export.
    const fs::path pipe = dir.path() / "pipe.txt";
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    CString error;
    EXPECT_FALSE(grid.SaveData(pipe.string().c_str(), &error));
    EXPECT_NE(error.Find("not a regular file"), -1) << error;
    EXPECT_TRUE(fs::is_fifo(pipe));
    EXPECT_EQ(dir.Names(), (std::vector<std::string>{"earlier.txt", "earlier.xlsx", "pipe.txt"}));
}

// Converts spreadsheets to CSV with LibreOffice: UTF-8, text cells quoted, numbers bare, cells
// as shown. Returns the CSV lines of each file without line ends.
std::vector<std::vector<std::string>> ConvertWithLibreOffice(const ScratchDir& dir,
                                                             const std::vector<fs::path>& files) {
    const fs::path out = dir.path() / "csv";
    const fs::path profile = dir.path() / "profile";
    std::string command = "timeout 240 libreoffice -env:UserInstallation=file://" + profile.string() +
                          " --headless --convert-to 'csv:Text - txt - csv (StarCalc):44,34,76,1,,0,true'" +
                          " --outdir " + out.string();
    for (const fs::path& file : files)
        command += " " + file.string();
    command += " > " + (dir.path() / "libreoffice.log").string() + " 2>&1";
    const int rc = std::system(command.c_str());
    EXPECT_EQ(rc, 0) << "libreoffice failed (is libreoffice-calc-nogui installed? scripts/setup-deps):\n"
                     << ReadFile(dir.path() / "libreoffice.log");
    std::vector<std::vector<std::string>> result;
    for (const fs::path& file : files) {
        std::vector<std::string> lines;
        std::istringstream csv(ReadFile(out / file.filename().replace_extension(".csv")));
        for (std::string line; std::getline(csv, line);) {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            lines.push_back(line);
        }
        result.push_back(lines);
    }
    return result;
}

// A list column the way the query fills one: codes in the cells, "name(code)" entries in its
// header record.
void MapTrendColumn(CGridIterator& grid, long col) {
    CGridCellPro trend = grid.GetColumnHeader(col);
    trend.m_nKind = GRID_KIND_LIST;
    trend.m_values = {"落(4)", "涨(5)", "平(6)"};
    ASSERT_TRUE(grid.SetColumnHeader(col, trend));
}

TEST(GridSave, ExportsWriteTheNamesTheGridShowsForCodes) {
    ScratchDir dir;
    CGridIterator grid;
    Fill(grid, {{"  ", "站名", "水势"}, {"1", "汉口", "4"}, {"2", "汉口", "5"}, {"统计 最多", "", "6"}});
    MapTrendColumn(grid, 2);
    const fs::path txt = dir.path() / "水势.txt";
    CString error;
    ASSERT_TRUE(grid.SaveData(txt.string().c_str(), &error)) << error;
    EXPECT_EQ(ReadFile(txt),
              "\xEF\xBB\xBF  \t站名\t水势\r\n1\t汉口\t落\r\n2\t汉口\t涨\r\n统计 最多\t\t平\r\n");
}

TEST(GridSave, SpreadsheetHoldsNumbersAsNumbersAndTextsAsTexts) {
    ScratchDir dir;
    CGridIterator grid;
    Fill(grid, {{"  ", "站名", "时间", "水位", "编码", "2021", "水势"},
                {"1", "长江大桥", "2024-06-01 08:00:00", "12.50", "007", "-0.125", "4"},
                {"2", "汉口", "2024-06-02", "-3", "", "1234567890123456789", "5"},
                {"统计 平均值", "", "", "4.75", "1e3", "", "6"}});
    MapTrendColumn(grid, 6);
    const fs::path xls = dir.path() / "报表.xls";
    const fs::path xlsx = dir.path() / "grid.XLSX";
    CString error;
    ASSERT_TRUE(grid.SaveData(xls.string().c_str(), &error)) << error;
    ASSERT_TRUE(grid.SaveData(xlsx.string().c_str(), &error)) << error;
    EXPECT_EQ(ReadFile(xls).substr(0, 2), "PK"); // a workbook whatever the name says

    // Mapped codes are written as the names the grid shows, never as numbers.
    const std::vector<std::string> expected{
        R"("  ","站名","时间","水位","编码","2021","水势")",
        R"(1,"长江大桥","2024-06-01 08:00:00",12.50,"007",-0.125,"落")",
        R"(2,"汉口","2024-06-02",-3,,"1234567890123456789","涨")",
        R"("统计 平均值",,,4.75,"1e3",,"平")",
    };
    const auto converted = ConvertWithLibreOffice(dir, {xls, xlsx});
    EXPECT_EQ(converted.at(0), expected);
    EXPECT_EQ(converted.at(1), expected);
}

} // namespace
