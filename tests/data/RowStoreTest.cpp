// The compact row store against a plain table of texts: many rows across its blocks, cells
// empty or with any bytes, rows replaced after edits (with other cell counts) and rows dropped
// from the end, as a failed statement drops its rows.
#include "RowStore.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

using Table = std::vector<std::vector<std::string>>;

std::vector<std::string> RandomRow(std::mt19937& random) {
    std::vector<std::string> row(random() % 9);
    for (std::string& cell : row) {
        const std::size_t length = random() % 4 == 0 ? 0 : random() % 40;
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
