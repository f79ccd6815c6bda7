#include "GridIterator.h"
#include "RTEV.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

using Texts = std::vector<std::vector<std::string>>;

Texts TextsOf(const CGridIterator& grid) {
    Texts texts(std::size_t(grid.GetRowCount()));
    for (long r = 0; r < grid.GetRowCount(); ++r)
        for (long c = 0; c < grid.GetColumnCount(); ++c)
            texts[std::size_t(r)].emplace_back(grid.GetCellView(r, c));
    return texts;
}

void Fill(CGridIterator& grid, const Texts& texts) {
    grid.SetColumnCount(long(texts.at(0).size()));
    grid.SetRowCount(long(texts.size()));
    for (std::size_t r = 0; r < texts.size(); ++r)
        grid.SetRowTexts(long(r), 0, texts[r]);
}

LOGFONT Font(const char* face, LONG height) {
    LOGFONT f;
    f.lfFaceName = face;
    f.lfHeight = height;
    f.lfWeight = FW_NORMAL;
    f.lfCharSet = GB2312_CHARSET;
    return f;
}

// Shrinks the 40 x 12 grid to 30 x 9 and grows it back: cut cells are gone for good, new cells
// are empty.
void ShrinkAndGrow(CGridIterator& grid, Texts& mirror) {
    grid.SetColumnCount(9);
    grid.SetRowCount(30);
    grid.SetColumnCount(12);
    grid.SetRowCount(40);
    for (std::size_t r = 0; r < mirror.size(); ++r)
        for (std::size_t c = 0; c < mirror[r].size(); ++c)
            if (r >= 30 || c >= 9) mirror[r][c].clear();
}

// A text to copy into a cell: up to 119 letters, a third of them after a Chinese word.
std::string CopiedText(std::mt19937& rng) {
    std::string text(rng() % 120, char('a' + rng() % 26));
    return rng() % 3 == 0 ? "水位" + text : text;
}

// 40,000 writes into random cells of a 40 x 12 grid, which is shrunk and grown after every
// 5,000: write(row, col) puts a text into the cell and answers it. Answers the texts the grid
// must hold.
template <class Write> Texts WriteAtRandom(CGridIterator& grid, std::mt19937& rng, Write write) {
    Texts mirror(40, std::vector<std::string>(12));
    Fill(grid, mirror);
    for (int i = 0; i < 40000; ++i) {
        const long r = long(rng() % mirror.size());
        const long c = long(rng() % mirror[0].size());
        mirror[std::size_t(r)][std::size_t(c)] = write(r, c);
        if (i % 5000 == 4999) ShrinkAndGrow(grid, mirror);
    }
    return mirror;
}

TEST(GridIterator, ResetGivesOneEmptyCornerWithDefaultHeaderRecords) {
    CGridIterator grid;
    Fill(grid, {{"  ", "水位"}, {"1", "12.5"}});
    CGridCellPro pro;
    pro.m_strText = "雨量";
    pro.m_crText = RGB(255, 0, 0);
    pro.m_nKind = GRID_KIND_TIME;
    grid.SetColumnHeader(1, pro);
    grid.SetRowColors(1, RGB(1, 2, 3), RGB(4, 5, 6));
    grid.SetItemBkColour(1, 1, RGB(7, 8, 9));
    grid.SetBkColor(RGB(0, 0, 128));
    grid.SetFixedColumnCount(2);

    grid.SetDisplayModeInit();

    EXPECT_EQ(grid.GetDisplayMode(), CGridIterator::DISPLAY_INIT);
    EXPECT_EQ(grid.GetRowCount(), 1);
    EXPECT_EQ(grid.GetColumnCount(), 1);
    EXPECT_EQ(grid.GetFixedRowCount(), 1);
    EXPECT_EQ(grid.GetFixedColumnCount(), 1);
    EXPECT_EQ(grid.GetCellView(0, 0), "");
    EXPECT_EQ(grid.GetBkColor(), 0xFFFFFFu);
    const CGridCellPro corner = grid.GetColumnHeader(0);
    EXPECT_EQ(corner.m_crText, 0u);
    EXPECT_EQ(corner.m_crBack, 0xFFFFFFu);
    EXPECT_EQ(corner.m_nKind, 100);
    EXPECT_EQ(corner.m_nAlign, 3);
    EXPECT_TRUE(corner.m_values.IsEmpty());

    // Growing again shows none of the old content or looks.
    grid.SetColumnCount(2);
    grid.SetRowCount(2);
    EXPECT_EQ(TextsOf(grid), (Texts{{"", ""}, {"", ""}}));
    EXPECT_EQ(grid.GetColumnHeader(1), CGridCellPro{});
    EXPECT_EQ(grid.GetCellLook(1, 1).crBack, 0xFFFFFFu);
    EXPECT_EQ(grid.GetCellLook(1, 1).crText, 0u);
}

TEST(GridIterator, TextsAreStoredAsGivenAndWritesOutsideTheGridChangeNothing) {
    CGridIterator grid;
    Fill(grid, {{"  ", "站名", "时间"}, {"1", "长江大桥", "2024-06-01 08:00:00"}});

    EXPECT_TRUE(grid.SetItemText(1, 1, "汉口")); // shorter: rewritten in place
    EXPECT_TRUE(grid.SetItemText(1, 2, "2024-06-01 08:00:00 (补)"));
    EXPECT_TRUE(grid.SetItemText(0, 0, ""));
    // A text taken from the grid itself, longer and shorter than the cell it goes to.
    EXPECT_TRUE(grid.SetItemText(1, 0, grid.GetCellView(1, 2)));
    EXPECT_TRUE(grid.SetItemText(1, 2, grid.GetCellView(1, 2).substr(11, 5)));
    EXPECT_EQ(TextsOf(grid), (Texts{{"", "站名", "时间"}, {"2024-06-01 08:00:00 (补)", "汉口", "08:00"}}));
    EXPECT_EQ(grid.GetItemText(1, 1), CString("汉口"));

    for (auto [r, c] : {std::pair{-1L, 0L}, {0L, -1L}, {2L, 0L}, {0L, 3L}}) {
        EXPECT_FALSE(grid.SetItemText(r, c, "x"));
        EXPECT_EQ(grid.GetCellView(r, c), "");
        EXPECT_FALSE(grid.SetItemBkColour(r, c, 1));
    }
    EXPECT_FALSE(grid.SetRowTexts(2, 0, std::vector<std::string>{"x"}));
    EXPECT_EQ(grid.GetRowCount(), 2);
    EXPECT_EQ(grid.GetColumnCount(), 3);

    // Texts past the last column are dropped, not wrapped into the next row.
    EXPECT_TRUE(grid.SetRowTexts(0, 1, std::vector<std::string>{"a", "b", "c", "d"}));
    EXPECT_EQ(TextsOf(grid)[0], (std::vector<std::string>{"", "a", "b"}));
    EXPECT_EQ(TextsOf(grid)[1][0], "2024-06-01 08:00:00 (补)");
}

TEST(GridIterator, ManyRewritesAndReshapesKeepEveryText) {
    // Enough rewriting that dead text piles up and the storage is compacted several times.
    std::mt19937 rng(7);
    CGridIterator grid;
    const Texts mirror = WriteAtRandom(grid, rng, [&](long r, long c) {
        std::string text = CopiedText(rng);
        EXPECT_TRUE(grid.SetItemText(r, c, text));
        return text;
    });
    EXPECT_EQ(TextsOf(grid), mirror);
}

TEST(GridIterator, CellsReferringToKeptTextsReadLikeCopiedOnes) {
    // Cells referring to texts kept elsewhere mixed with copied ones, through rewrites in place,
    // compaction and reshaping; there are more kept texts than the grid refers to (the rest is
    // copied), and the grid keeps them readable after their owners let them go.
    std::mt19937 rng(11);
    std::vector<std::shared_ptr<const std::string>> owners;
    for (int k = 0; k < 200; ++k) {
        std::string text;
        for (int i = 0; i < 300; ++i)
            text += char('a' + rng() % 26);
        owners.push_back(std::make_shared<const std::string>(text));
    }
    CGridIterator grid;
    Texts mirror = WriteAtRandom(grid, rng, [&](long r, long c) {
        if (rng() % 2) {
            const auto& owner = owners[rng() % owners.size()];
            const std::size_t at = rng() % 300;
            const std::string_view kept = std::string_view(*owner).substr(at, rng() % (300 - at));
            EXPECT_TRUE(grid.SetItemText(r, c, kept, owner));
            return std::string(kept);
        }
        std::string text = CopiedText(rng);
        EXPECT_TRUE(grid.SetItemText(r, c, text));
        return text;
    });
    // A text that does not lie inside the owner given is copied.
    std::string outside = "水位 12.5";
    ASSERT_TRUE(grid.SetItemText(1, 1, outside, owners[0]));
    mirror[1][1] = outside;
    outside = "changed";
    EXPECT_FALSE(grid.SetItemText(40, 0, std::string_view(*owners[0]), owners[0]));

    const CGridIterator copy = grid;
    owners.clear();
    EXPECT_EQ(TextsOf(grid), mirror);
    EXPECT_EQ(TextsOf(copy), mirror);
    grid.ChangeRowColDirect();
    grid.ChangeRowColDirect();
    EXPECT_EQ(TextsOf(grid), mirror);
}

TEST(GridIterator, RecurringTextsKeptOnceReadLikeCopiedOnes) {
    // Recurring texts mixed with copied ones, through rewrites in place, compaction and
    // reshaping; a cell's own text given again (whole or in part) as a recurring text.
    std::mt19937 rng(13);
    std::vector<std::string> times;
    for (int h = 0; h < 30; ++h)
        times.push_back("2024年01月01日" + std::to_string(h) + "时");
    CGridIterator grid;
    Texts mirror = WriteAtRandom(grid, rng, [&](long r, long c) {
        std::string text;
        switch (rng() % 3) {
        case 0:
            text = times[rng() % times.size()];
            EXPECT_TRUE(grid.SetRecurringText(r, c, text));
            break;
        case 1: {
            const std::string_view own = grid.GetCellView(long(rng() % grid.GetRowCount()), c);
            text = own.substr(0, rng() % (own.size() + 1));
            EXPECT_TRUE(grid.SetRecurringText(r, c, own.substr(0, text.size())));
            break;
        }
        default:
            text = CopiedText(rng);
            EXPECT_TRUE(grid.SetItemText(r, c, text));
        }
        return text;
    });
    EXPECT_EQ(TextsOf(grid), mirror);

    // A cell holding a recurring text rewritten with a shorter one leaves its equals alone.
    ASSERT_TRUE(grid.SetRecurringText(1, 1, times[0]));
    ASSERT_TRUE(grid.SetRecurringText(2, 1, times[0]));
    ASSERT_TRUE(grid.SetItemText(1, 1, "12"));
    mirror[1][1] = "12";
    mirror[2][1] = times[0];
    EXPECT_FALSE(grid.SetRecurringText(40, 0, times[0]));

    CGridIterator copy = grid;
    ASSERT_TRUE(copy.SetRecurringText(3, 3, "只在副本"));
    EXPECT_EQ(TextsOf(grid), mirror);
    EXPECT_EQ(copy.GetCellView(3, 3), "只在副本");
    EXPECT_EQ(copy.GetCellView(2, 1), times[0]);

    // Sorting and transposing move whole rows with their texts.
    ASSERT_TRUE(grid.SortData(1, "DESC"));
    grid.ChangeRowColDirect();
    grid.ChangeRowColDirect();
    Texts rows = TextsOf(grid);
    std::sort(rows.begin(), rows.end());
    std::sort(mirror.begin(), mirror.end());
    EXPECT_EQ(rows, mirror);
}

TEST(GridIterator, RecurringTextsBeyondTheLimitAreCopied) {
    CGridIterator grid;
    grid.SetColumnCount(2);
    grid.SetRowCount(long(CGridIterator::MAX_RECURRING) + 11);
    for (long r = 0; r < grid.GetRowCount(); ++r)
        ASSERT_TRUE(grid.SetRecurringText(r, 1, "t" + std::to_string(r)));
    ASSERT_TRUE(grid.SetRecurringText(0, 0, "t3"));
    for (long r = 0; r < grid.GetRowCount(); ++r)
        ASSERT_EQ(grid.GetCellView(r, 1), "t" + std::to_string(r));
    EXPECT_EQ(grid.GetCellView(0, 0), "t3");
    grid.SetDisplayModeInit();
    ASSERT_TRUE(grid.SetRecurringText(0, 0, "t5"));
    EXPECT_EQ(grid.GetCellView(0, 0), "t5");
}

TEST(GridIterator, RowRecordsStayWithTheirRows) {
    // Each round fills rows in the order of their records, as a refresh does, then edits, sorts,
    // reshapes and transposes the grid. Column 1 holds each row's record as text (blank: none),
    // so every row must still answer the record its text names.
    std::mt19937 rng(17);
    CGridIterator grid;
    auto setRecord = [&](long row, long record) {
        ASSERT_TRUE(grid.SetRowRecord(row, record));
        ASSERT_TRUE(grid.SetItemText(row, 1, record < 0 ? "" : std::to_string(record)));
    };
    auto check = [&] {
        for (long r = 0; r < grid.GetRowCount(); ++r) {
            const std::string_view text = grid.GetCellView(r, 1);
            ASSERT_EQ(grid.GetRowRecord(r), text.empty() ? -1 : std::stol(std::string(text))) << "row " << r;
        }
    };
    for (int round = 0; round < 300; ++round) {
        grid.SetDisplayModeInit();
        grid.SetColumnCount(2);
        grid.SetRowCount(long(rng() % 30) + 2);
        const long first = long(rng() % 3);
        for (long r = first, record = 0; r < grid.GetRowCount() && record < 20; ++r, ++record)
            setRecord(r, record);
        for (int step = 0; step < 4; ++step) {
            const long row = long(rng() % std::uint32_t(grid.GetRowCount()));
            switch (rng() % 7) {
            case 0:
                setRecord(row, long(rng() % 40) - 5);
                break;
            case 1:
                setRecord(row, grid.GetRowRecord(row)); // the same record again
                break;
            case 2:
                ASSERT_TRUE(grid.InsertRow(row, long(rng() % 3) + 1));
                break;
            case 3:
                grid.DeleteRow(row, long(rng() % 3) + 1);
                break;
            case 4:
                grid.SetRowCount(row + 1);
                grid.SetRowCount(row + 5);
                break;
            case 5:
                ASSERT_TRUE(grid.SortData(1, rng() % 2 ? "ASC" : "DESC", 0, grid.GetRowCount() - 1));
                break;
            default:
                grid.ChangeRowColDirect();
                for (long c = 0; c < grid.GetColumnCount(); ++c) {
                    const std::string_view text = grid.GetCellView(1, c);
                    ASSERT_EQ(grid.GetColumnRecord(c), text.empty() ? -1 : std::stol(std::string(text)));
                }
                grid.ChangeRowColDirect();
            }
            check();
        }
    }
    EXPECT_FALSE(grid.SetRowRecord(grid.GetRowCount(), 0));
    EXPECT_EQ(grid.GetRowRecord(grid.GetRowCount()), -1);
    EXPECT_EQ(grid.GetRowRecord(-1), -1);
}

TEST(GridIterator, RowStripesLookLikeRowColoursSetOneByOne) {
    // Two grids go through the same edits, one striped by the setting and one row by row:
    // explicit row colours over the stripes, cell colours, sorting, inserting and deleting rows,
    // shrinking and transposing, restriping. Every cell must look the same in both (the view,
    // the printout and the exports read these looks).
    std::mt19937 rng(19);
    const COLORREF text = RGB(1, 1, 1), even = RGB(230, 240, 250), odd = RGB(250, 250, 210);
    for (int round = 0; round < 200; ++round) {
        CGridIterator striped, byRow;
        const long rows = long(rng() % 20) + 2;
        Texts texts(std::size_t(rows), std::vector<std::string>(3));
        for (std::size_t r = 0; r < texts.size(); ++r)
            texts[r] = {std::to_string(r), std::to_string(rng() % 7), ""};
        Fill(striped, texts);
        Fill(byRow, texts);
        auto stripe = [&](long first, long last) {
            ASSERT_TRUE(striped.SetRowStripes(first, last, text, even, odd));
            for (long r = first; r <= last; ++r)
                byRow.SetRowColors(r, text, r % 2 == 0 ? even : odd);
        };
        auto both = [&](auto&& change) {
            change(striped);
            change(byRow);
        };
        stripe(1, rows - 1);
        for (int step = 0; step < 5; ++step) {
            const long row = long(rng() % std::uint32_t(striped.GetRowCount()));
            switch (rng() % 8) {
            case 0: {
                const COLORREF back = RGB(rng() % 256, 0, 0);
                both([&](CGridIterator& g) { g.SetRowColors(row, RGB(9, 9, 9), back); });
                break;
            }
            case 1:
                both([&](CGridIterator& g) { g.SetItemBkColour(row, 1, RGB(0, 9, 0)); });
                break;
            case 2: {
                const char* order = rng() % 2 ? "ASC" : "DESC";
                both([&](CGridIterator& g) { g.SortData(1, order); });
                break;
            }
            case 3:
                both([&](CGridIterator& g) { g.InsertRow(row); });
                break;
            case 4:
                both([&](CGridIterator& g) { g.DeleteRow(row); });
                break;
            case 5:
                both([&](CGridIterator& g) {
                    g.SetRowCount(row + 1);
                    g.SetRowCount(row + 4);
                });
                break;
            case 6:
                both([&](CGridIterator& g) { g.ChangeRowColDirect(); });
                both([&](CGridIterator& g) { g.ChangeRowColDirect(); });
                break;
            default:
                stripe(row, row + long(rng() % std::uint32_t(striped.GetRowCount() - row)));
            }
            ASSERT_EQ(striped.GetRowCount(), byRow.GetRowCount());
            for (long r = 0; r < striped.GetRowCount(); ++r)
                for (long c = 0; c < striped.GetColumnCount(); ++c) {
                    const CGridCellLook a = striped.GetCellLook(r, c), b = byRow.GetCellLook(r, c);
                    ASSERT_EQ(a.crText, b.crText) << "round " << round << " row " << r << " col " << c;
                    ASSERT_EQ(a.crBack, b.crBack) << "round " << round << " row " << r << " col " << c;
                }
        }
    }
    CGridIterator grid;
    Fill(grid, {{"  ", "A"}, {"1", "a"}});
    EXPECT_FALSE(grid.SetRowStripes(1, 2, text, even, odd));
    EXPECT_FALSE(grid.SetRowStripes(1, 0, text, even, odd));
    EXPECT_EQ(grid.GetCellLook(1, 1).crBack, 0xFFFFFFu);
}

TEST(GridIterator, InsertedAndDeletedRowsAndColumnsTakeNeighboursAlong) {
    CGridIterator grid;
    Fill(grid, {{"  ", "A", "B"}, {"1", "a1", "b1"}, {"2", "a2", "b2"}, {"3", "a3", "b3"}});
    grid.SetRowColors(2, RGB(1, 1, 1), RGB(2, 2, 2));
    grid.SetItemFgColour(3, 2, RGB(9, 9, 9));
    CGridCellPro b;
    b.m_strText = "B";
    b.m_nKind = GRID_KIND_LIST;
    grid.SetColumnHeader(2, b);

    ASSERT_TRUE(grid.InsertRow(2));    // before row 2
    ASSERT_TRUE(grid.InsertRow(5, 2)); // appended
    ASSERT_TRUE(grid.InsertColumn(1)); // before column A
    EXPECT_EQ(TextsOf(grid), (Texts{{"  ", "", "A", "B"},
                                    {"1", "", "a1", "b1"},
                                    {"", "", "", ""},
                                    {"2", "", "a2", "b2"},
                                    {"3", "", "a3", "b3"},
                                    {"", "", "", ""},
                                    {"", "", "", ""}}));
    EXPECT_EQ(grid.GetCellLook(3, 2).crBack, RGB(2, 2, 2)); // row 2 moved to 3
    EXPECT_EQ(grid.GetCellLook(2, 2).crBack, 0xFFFFFFu);    // the new row has no look
    EXPECT_EQ(grid.GetCellLook(4, 3).crText, RGB(9, 9, 9)); // the cell moved down and right
    EXPECT_EQ(grid.GetColumnHeader(3).m_nKind, GRID_KIND_LIST);
    EXPECT_EQ(grid.GetColumnHeader(1).m_nKind, GRID_KIND_DEFAULT);

    ASSERT_TRUE(grid.DeleteRow(1, 2));
    ASSERT_TRUE(grid.DeleteColumn(2));
    ASSERT_TRUE(grid.DeleteRow(3, 99)); // clipped at the last row
    EXPECT_EQ(TextsOf(grid), (Texts{{"  ", "", "B"}, {"2", "", "b2"}, {"3", "", "b3"}}));
    EXPECT_EQ(grid.GetCellLook(1, 2).crBack, RGB(2, 2, 2));
    EXPECT_EQ(grid.GetCellLook(2, 2).crText, RGB(9, 9, 9));
    EXPECT_EQ(grid.GetColumnHeader(2).m_nKind, GRID_KIND_LIST);

    EXPECT_FALSE(grid.DeleteRow(0, 3)); // the grid keeps one row
    EXPECT_FALSE(grid.DeleteColumn(0, 3));
    EXPECT_FALSE(grid.InsertRow(4));
    EXPECT_FALSE(grid.InsertColumn(-1));
    EXPECT_FALSE(grid.InsertRow(1, 0));
    EXPECT_FALSE(grid.InsertRow(1, LONG_MAX)); // refused, not allocated
    EXPECT_FALSE(grid.InsertColumn(1, LONG_MAX));
    EXPECT_FALSE(grid.SetRowCount(-5));
    EXPECT_FALSE(grid.SetColumnCount(0));
    EXPECT_EQ(grid.GetRowCount(), 3);
    EXPECT_EQ(grid.GetColumnCount(), 3);
}

TEST(GridIterator, HeaderRecordsAndLooksLayerCellOverRowOverHeader) {
    CGridIterator grid;
    Fill(grid, {{"  ", "", ""}, {"1", "x", "y"}, {"2", "z", "w"}});
    grid.SetBkColor(RGB(200, 220, 240));

    CGridCellPro level;
    level.m_strText = "水位(m)";
    level.m_font = Font("宋体", 14);
    level.m_crText = RGB(0, 0, 255);
    level.m_crBack = RGB(255, 255, 0);
    level.m_nKind = GRID_KIND_LIST;
    level.m_nAlign = GRID_ALIGN_LEFT;
    level.m_values.Add("正常");
    level.m_values.Add("超警");
    ASSERT_TRUE(grid.SetColumnHeader(1, level));
    EXPECT_EQ(grid.GetCellView(0, 1), "水位(m)");
    EXPECT_EQ(grid.GetColumnHeader(1), level);
    EXPECT_EQ(grid.GetColumnLook(1).m_values, level.m_values); // what a painting view reads
    EXPECT_TRUE(grid.GetColumnLook(1).m_strText.IsEmpty());
    grid.SetItemText(0, 1, "水位"); // the header cell is the heading
    EXPECT_EQ(grid.GetColumnHeader(1).m_strText, CString("水位"));

    CGridCellPro stat;
    stat.m_strText = "统计 平均值";
    stat.m_crBack = RGB(240, 240, 240);
    ASSERT_TRUE(grid.SetRowHeader(2, stat));
    EXPECT_EQ(grid.GetCellView(2, 0), "统计 平均值");
    EXPECT_EQ(grid.GetCellLook(2, 0).crBack, RGB(240, 240, 240));
    EXPECT_FALSE(grid.SetColumnHeader(3, level));

    const CGridCellLook head = grid.GetCellLook(0, 1);
    EXPECT_EQ(head.crText, RGB(0, 0, 255));
    EXPECT_EQ(head.crBack, RGB(255, 255, 0));
    ASSERT_NE(head.font, nullptr);
    EXPECT_EQ(head.font->lfFaceName, CString("宋体"));
    EXPECT_EQ(grid.GetCellLook(0, 2).font, nullptr); // a default record has no font of its own

    // Data cells: grid background, then the row's colours, then the cell's own.
    EXPECT_EQ(grid.GetCellLook(1, 1).crBack, RGB(200, 220, 240));
    grid.SetRowColors(1, RGB(10, 10, 10), RGB(20, 20, 20));
    grid.SetItemBkColour(1, 2, RGB(30, 30, 30));
    grid.SetItemFont(1, 2, Font("黑体", 16));
    const CGridCellLook rowOnly = grid.GetCellLook(1, 1);
    const CGridCellLook own = grid.GetCellLook(1, 2);
    EXPECT_EQ(rowOnly.crText, RGB(10, 10, 10));
    EXPECT_EQ(rowOnly.crBack, RGB(20, 20, 20));
    EXPECT_EQ(rowOnly.font, nullptr);
    EXPECT_EQ(own.crText, RGB(10, 10, 10)); // the cell set only background and font
    EXPECT_EQ(own.crBack, RGB(30, 30, 30));
    ASSERT_NE(own.font, nullptr);
    EXPECT_EQ(own.font->lfFaceName, CString("黑体"));
    grid.SetRowColors(1, RGB(11, 11, 11), RGB(21, 21, 21)); // re-applied after a sort
    EXPECT_EQ(grid.GetCellLook(1, 1).crBack, RGB(21, 21, 21));
    EXPECT_EQ(grid.GetCellLook(1, 2).crBack, RGB(30, 30, 30));
    EXPECT_EQ(grid.GetCellLook(2, 1).crBack, RGB(200, 220, 240));
}

TEST(GridIterator, ListColumnShowsTheNameOfTheCodeItHolds) {
    CGridIterator grid;
    Fill(grid, {{"", "站码", "站类"}, {"1", "001", "PP"}, {"2", "002", "ZZ"}, {"3", "9", ""}});
    CGridCellPro kind;
    kind.m_strText = "站类";
    kind.m_nKind = GRID_KIND_LIST;
    // Malformed entries are passed over; a name may itself hold parentheses.
    kind.m_values = {"", "坏项", "ZZ)", "雨量站(PP)", "河道(水位)站(ZZ)"};
    ASSERT_TRUE(grid.SetColumnHeader(2, kind));
    kind.m_values = {"甲站(001)"};
    kind.m_strText = "站码";
    ASSERT_TRUE(grid.SetColumnHeader(1, kind));

    EXPECT_EQ(grid.GetDisplayText(1, 2), "雨量站");
    EXPECT_EQ(grid.GetDisplayText(2, 2), "河道(水位)站");
    EXPECT_EQ(grid.GetDisplayText(3, 2), ""); // empty cells stay empty
    EXPECT_EQ(grid.GetDisplayText(1, 1), "甲站");
    EXPECT_EQ(grid.GetDisplayText(2, 1), "002");  // a code without an entry shows as it is
    EXPECT_EQ(grid.GetDisplayText(0, 2), "站类"); // header texts are never mapped
    EXPECT_EQ(grid.GetDisplayText(3, 0), "3");
    EXPECT_EQ(grid.GetDisplayText(9, 9), "");

    // A header row more: the first data row is now fixed and shows its code.
    grid.SetFixedRowCount(2);
    EXPECT_EQ(grid.GetDisplayText(1, 2), "PP");
    EXPECT_EQ(grid.GetDisplayText(2, 2), "河道(水位)站");
}

TEST(GridIterator, TransposedListColumnBecomesARowThatStillShowsNames) {
    CGridIterator grid;
    Fill(grid, {{"", "曲线", "点号"}, {"1", "1", "1"}, {"2", "2", "2"}});
    CGridCellPro curve;
    curve.m_strText = "曲线";
    curve.m_nKind = GRID_KIND_LIST;
    curve.m_values = {"三峡水库库容曲线(1)", "丹江口水库库容曲线(2)"};
    ASSERT_TRUE(grid.SetColumnHeader(1, curve));

    grid.ChangeRowColDirect();
    EXPECT_TRUE(grid.IsTransposed());
    EXPECT_EQ(grid.GetDisplayText(1, 0), "曲线");
    EXPECT_EQ(grid.GetDisplayText(1, 1), "三峡水库库容曲线");
    EXPECT_EQ(grid.GetDisplayText(1, 2), "丹江口水库库容曲线");
    EXPECT_EQ(grid.GetDisplayText(2, 2), "2"); // the point numbers have no list
    EXPECT_EQ(grid.ValueListOf(1, 0), nullptr);

    grid.ChangeRowColDirect();
    EXPECT_FALSE(grid.IsTransposed());
    EXPECT_EQ(grid.GetDisplayText(2, 1), "丹江口水库库容曲线");
    grid.SetDisplayModeInit();
    EXPECT_FALSE(grid.IsTransposed());
}

TEST(GridSparse, ClosingTheMatrixPutsTheGatheredCellsInTheGrid) {
    CGridIterator grid;
    EXPECT_FALSE(grid.AddSparseCell(CGridCellSparse(1, 1, "x"))); // not in sparse mode
    grid.SetDisplayModeInit();
    grid.SetDisplayMode(CGridIterator::DISPLAY_SPARSE);
    ASSERT_TRUE(grid.SetMatrixSize(3, 3));
    CGridCellSparse cell;
    cell.SetData(2, 1, "第二行");
    ASSERT_TRUE(grid.AddSparseCell(cell));
    ASSERT_TRUE(grid.AddSparseCell(CGridCellSparse(0, 0, "  ")));
    ASSERT_TRUE(grid.AddSparseCell(CGridCellSparse(1, 1, "旧")));
    ASSERT_TRUE(grid.AddSparseCell(CGridCellSparse(1, 1, "新"))); // the last text given wins
    ASSERT_TRUE(grid.AddSparseCell(CGridCellSparse(3, 4, "统计")));
    EXPECT_FALSE(grid.AddSparseCell(CGridCellSparse(-1, 0, "x")));
    EXPECT_FALSE(grid.AddSparseCell(CGridCellSparse(0, 1L << 30, "x"))); // refused, not allocated
    EXPECT_FALSE(grid.AddSparseCell(CGridCellSparse(LONG_MAX, 0, "x")));
    EXPECT_EQ(grid.GetRowCount(), 1); // nothing shows before the matrix is closed

    ASSERT_TRUE(grid.CloseMatrix());
    EXPECT_TRUE(grid.IsMatrixClosed());
    EXPECT_EQ(TextsOf(grid), (Texts{{"  ", "", "", "", ""},
                                    {"", "新", "", "", ""},
                                    {"", "第二行", "", "", ""},
                                    {"", "", "", "", "统计"}}));
    EXPECT_FALSE(grid.AddSparseCell(CGridCellSparse(0, 0, "x")));
    EXPECT_FALSE(grid.CloseMatrix());

    // Entering the mode again starts a new gathering.
    grid.SetDisplayModeInit();
    grid.SetDisplayMode(CGridIterator::DISPLAY_SPARSE);
    EXPECT_FALSE(grid.SetMatrixSize(1L << 20, 1L << 20));
    ASSERT_TRUE(grid.CloseMatrix());
    EXPECT_EQ(TextsOf(grid), (Texts{{""}}));
}

TEST(GridTranspose, HeaderRowBecomesHeaderColumnAndTwiceGivesTheGridBack) {
    CGridIterator grid;
    const Texts original{{"  ", "时间", "水位"}, {"1", "2024-06-01", "12.5"}, {"2", "2024-06-02", ""}};
    Fill(grid, original);
    CGridCellPro time;
    time.m_strText = "时间";
    time.m_nKind = GRID_KIND_TIME;
    grid.SetColumnHeader(1, time);
    grid.SetFixedColumnCount(2);
    grid.SetRowColors(2, RGB(1, 2, 3), RGB(4, 5, 6));
    grid.SetItemFgColour(1, 2, RGB(7, 7, 7));

    grid.ChangeRowColDirect();
    EXPECT_EQ(TextsOf(grid),
              (Texts{{"  ", "1", "2"}, {"时间", "2024-06-01", "2024-06-02"}, {"水位", "12.5", ""}}));
    EXPECT_EQ(grid.GetRowHeader(1).m_nKind, GRID_KIND_TIME);
    EXPECT_EQ(grid.GetRowHeader(1).m_strText, CString("时间"));
    EXPECT_EQ(grid.GetFixedRowCount(), 2);
    EXPECT_EQ(grid.GetFixedColumnCount(), 1);
    EXPECT_EQ(grid.GetCellLook(1, 2).crBack, RGB(4, 5, 6)); // the row's colours went with its cells
    EXPECT_EQ(grid.GetCellLook(2, 1).crText, RGB(7, 7, 7));

    grid.ChangeRowColDirect();
    EXPECT_EQ(TextsOf(grid), original);
    EXPECT_EQ(grid.GetColumnHeader(1), time);
    EXPECT_EQ(grid.GetFixedRowCount(), 1);
    EXPECT_EQ(grid.GetFixedColumnCount(), 2);
    for (long c = 0; c < 3; ++c) {
        EXPECT_EQ(grid.GetCellLook(2, c).crText, RGB(1, 2, 3));
        EXPECT_EQ(grid.GetCellLook(2, c).crBack, RGB(4, 5, 6));
    }
    EXPECT_EQ(grid.GetCellLook(1, 2).crText, RGB(7, 7, 7));
    EXPECT_EQ(grid.GetCellLook(1, 1).crText, 0u);
}

TEST(GridEventState, KnownCodesReadAsStatesAndOthersSayUnknown) {
    EXPECT_EQ(CRTEV::GetStateMsg(0), CString("正常"));
    EXPECT_EQ(CRTEV::GetStateMsg(1), CString("越上限"));
    EXPECT_EQ(CRTEV::GetStateMsg(2), CString("越下限"));
    EXPECT_EQ(CRTEV::GetStateMsg(3), CString("通信中断"));
    EXPECT_EQ(CRTEV::GetStateMsg(-1), CString("未知状态(-1)"));
    EXPECT_EQ(CRTEV::GetStateMsg(999), CString("未知状态(999)"));
}

} // namespace
