// One operator editing the same row again and again, as the query window does: refresh, type
// a value, leave the row. Run as several processes at once to show that concurrent writers
// never lose a write, never revert each other's columns and never share an audit number.
//
// usage: edit_writer URI COUNT WRITER
// Writer k edits the DAY_LEVEL row of station 100 + k/2 on 2008-07-01: its Z when k is even
// (to i + 0.5 in edit i), its NOTE when k is odd (to "w<k>-<i>").
#include "DataSource.h"
#include "QueryClient.h"
#include "QueryWindowModel.h"
#include "TableQuery.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: edit_writer URI COUNT WRITER\n");
        return 2;
    }
    kes::SetDataSource(argv[1]);
    const int count = std::atoi(argv[2]);
    const int writer = std::atoi(argv[3]);
    const bool level = writer % 2 == 0;
    CQueryClient client;
    CTableQuery query(client);
    query.Load("DAY_LEVEL", {});
    query.m_request.form = kFormGivenStations;
    query.m_request.keys = {CString(std::to_string(100 + writer / 2))};
    query.m_request.startTime = "2008-07-01 00:00:00";
    query.m_request.endTime = "2008-07-02 00:00:00";
    int failed = 0;
    for (int i = 0; i < count; ++i) {
        CGridIterator grid;
        query.Refresh(grid, 1);
        if (query.ResultRowCount() != 1) {
            std::fprintf(stderr, "writer %d: the row was not read\n", writer);
            return 1;
        }
        CEditedRow edit;
        LoadEditedRow(edit, grid, 1, query.Settings().VisibleCount(), false);
        const std::string value =
            level ? std::to_string(i) + ".5" : "w" + std::to_string(writer) + "-" + std::to_string(i);
        grid.SetItemText(1, level ? 3 : 4, value);
        if (CommitEditedRow(edit, grid, query, false) != 1 || !query.LastAuditError().IsEmpty()) {
            std::fprintf(stderr, "writer %d, edit %d: %s%s\n", writer, i, query.LastWriteError().GetString(),
                         query.LastAuditError().GetString());
            ++failed;
        }
    }
    return failed == 0 ? 0 : 1;
}
