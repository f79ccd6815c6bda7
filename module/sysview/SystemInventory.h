#pragma once
// The inventory of the system view: for each chosen table its row count and, when it has a
// time column, its earliest and latest time. Tables are counted one after the other, one
// statement each, and every finished row is handed on at once, so a viewer can show it while
// the next table is still being counted.
#include "CString.h"

#include <functional>
#include <memory>
#include <stop_token>
#include <vector>

namespace kes {
class StatementControl;
}

// One table the system view lists.
struct CInventoryTable {
    CString table;
    CString chineseName;
    CString timeColumn; // empty: the count only
};

// One row of the inventory. A table that could not be counted keeps the database's reason in
// failure and leaves its count and times empty; a table without a time column leaves the times
// empty, and so does an empty table (MIN and MAX of no rows are NULL).
struct CInventoryRow {
    CString table;
    CString chineseName;
    CString count;
    CString earliest;
    CString latest;
    CString failure;
    bool Counted() const { return failure.IsEmpty(); }
    friend bool operator==(const CInventoryRow&, const CInventoryRow&) = default;
};

// The counting statement of a table, its names trimmed: the count alone, or with the time
// column also its minimum and maximum. Empty for an entry without a table name.
CString InventoryStatement(const CInventoryTable& table);

// Whether a name can stand in the statement as it is: letters, digits, "_" and "$" (and the
// bytes of non-ASCII letters), not starting with a digit. Anything else could change what the
// statement means, so such a table is not counted.
bool IsPlainName(const CString& name);

// Counts one table with a fresh query client. The entry must have a table name. A failure keeps
// the first line of the database's message. With a control (a worker's connection), cancelling
// it stops the statement.
CInventoryRow CountTable(const CInventoryTable& table, std::shared_ptr<kes::StatementControl> control = {});

struct CInventoryOutcome {
    int counted = 0;        // rows with a count
    int failed = 0;         // rows holding a reason instead
    bool cancelled = false; // the load stopped before the last table
    CString openFailure;    // why the database could not be opened (nothing was counted)
};

// Counts the tables in order and hands each row to onRow as soon as it is counted. An entry
// without a table name gives no row. A table that fails gives its row with the reason and the
// load goes on. stop is looked at before each table: once it is requested no further statement
// is sent. A statement already sent runs to its end, unless control is cancelled too: then it is
// stopped and its table gives no row.
CInventoryOutcome LoadInventory(const std::vector<CInventoryTable>& tables,
                                const std::function<void(const CInventoryRow&)>& onRow,
                                std::stop_token stop = {},
                                std::shared_ptr<kes::StatementControl> control = {});
