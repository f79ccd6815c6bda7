// The compact row store against a plain table of texts: many rows across its blocks, cells
// empty or with any bytes, rows replaced after edits (with other cell counts) and rows dropped
// from the end, as a failed statement drops its rows; texts shared with a reader stay as they
// were while the store changes.
#include "RowStore.h"

#include <gtest/gtest.h>

#include <memory>

#include <random>
#include <string>
#include <vector>

namespace {

using Table = std::vector<std::vector<std::string>>;

std::vector<std::string> RandomRow(std::mt19937& random) {
    std::vector<std::string> row(random() % 9);
    for (std::string& cell : row) {
        // Mostly short cells; now and then one whose length takes two or three bytes to keep.
        const std::size_t length = random() % 4 == 0    ? 0
                                   : random() % 50 == 0 ? 100 + random() % 20000
                                                        : random() % 40;
        for (std::size_t i = 0; i < length; ++i)
            cell += char(random() % 256); // any byte, NUL included
    }
    return row;
}

CStringArray Cells(const std::vector<std::string>& row) {
    CStringArray cells;
    for (const std::string& cell : row)
        cells.Add(CString(cell));
    return cells;
}

void ExpectSame(const CRowStore& store, const Table& table) {
    ASSERT_EQ(store.GetSize(), long(table.size()));
    for (long r = 0; r < store.GetSize(); ++r) {
        const auto& row = table[std::size_t(r)];
        ASSERT_EQ(store.CellCount(r), int(row.size())) << "row " << r;
        for (int c = 0; c < store.CellCount(r); ++c)
            ASSERT_EQ(store.Cell(r, c), row[std::size_t(c)]) << "row " << r << " cell " << c;
        EXPECT_EQ(store.Cell(r, int(row.size())), "") << "past the row's last cell";
    }
}

} // namespace

TEST(RowStoreTest, KeepsEveryCellAcrossBlocksReplacementsAndDroppedRows) {
    std::mt19937 random(20261208);
    CRowStore store;
    Table table;
    for (int r = 0; r < 10000; ++r) {
        table.push_back(RandomRow(random));
        if (r % 2) {
            store.AddRow(Cells(table.back()));
        } else {
            for (const std::string& cell : table.back())
                store.AddCell(cell);
            store.EndRow();
        }
    }
    ExpectSame(store, table);

    // Edited rows come back with other texts, some with another number of cells.
    for (int k = 0; k < 500; ++k) {
        const long r = long(random() % table.size());
        table[std::size_t(r)] = RandomRow(random);
        ASSERT_TRUE(store.ReplaceRow(r, Cells(table[std::size_t(r)])));
    }
    EXPECT_FALSE(store.ReplaceRow(long(table.size()), {}));
    ExpectSame(store, table);

    // A failed statement's rows go; the store then fills on as before, across a block's end.
    store.Truncate(4000);
    table.resize(4000);
    ExpectSame(store, table);
    for (int r = 0; r < 200; ++r) {
        table.push_back(RandomRow(random));
        store.AddRow(Cells(table.back()));
    }
    ExpectSame(store, table);
    EXPECT_EQ(store.CopyRow(7).GetSize(), int(table[7].size()));

    EXPECT_EQ(store.CellCount(-1), 0);
    EXPECT_EQ(store.Cell(long(table.size()), 0), "");
    store.Clear();
    EXPECT_TRUE(store.IsEmpty());
    EXPECT_EQ(store.TextBytes(), 0u);
}

TEST(RowStoreTest, SharedTextsStayAsTheyWereWhileTheStoreChanges) {
    std::mt19937 random(7);
    CRowStore store;
    Table table;
    for (int r = 0; r < 5000; ++r) {
        table.push_back(RandomRow(random));
        store.AddRow(Cells(table.back()));
    }
    // A reader keeps the texts of a row in the first block and of the last row, as the grid does.
    std::vector<std::string_view> first, last;
    store.RowCells(10, first);
    store.RowCells(4999, last);
    ASSERT_EQ(first.size(), table[10].size());
    const std::shared_ptr<const std::string> firstText = store.RowText(10), lastText = store.RowText(4999);
    const std::string firstCopy = *firstText, lastCopy = *lastText;
    for (std::string_view cell : first)
        EXPECT_TRUE(cell.data() >= firstText->data() &&
                    cell.data() + cell.size() <= firstText->data() + firstText->size());

    table[10] = RandomRow(random);
    ASSERT_TRUE(store.ReplaceRow(10, Cells(table[10])));
    for (int r = 0; r < 300; ++r) {
        table.push_back(RandomRow(random));
        store.AddRow(Cells(table.back()));
    }
    store.Truncate(4990);
    table.resize(4990);
    ExpectSame(store, table);
    EXPECT_EQ(*firstText, firstCopy);
    EXPECT_EQ(*lastText, lastCopy);
    EXPECT_EQ(store.RowText(5000), nullptr);
}
