// Writes audit records for an edited row again and again: run as two processes at once to
// show that concurrent writers never take the same SEQID.
#include "DataSource.h"
#include "QueryClient.h"
#include "TableQuery.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: audit_writer URI COUNT\n");
        return 2;
    }
    kes::SetDataSource(argv[1]);
    CQueryClient client;
    CTableQuery query(client);
    query.Load("DAY_LEVEL", {});
    CStringArray before = {"7", "2008-07-01 08:00:00", "10.5", "正常", "0"};
    CStringArray after = {"7", "2008-07-01 08:00:00", "10.6", "正常", "0"};
    int failed = 0;
    for (int i = 0, n = std::atoi(argv[2]); i < n; ++i)
        if (!query.WriteAudit("修改", before, after, "表DAY_LEVEL修改数据")) ++failed;
    return failed == 0 ? 0 : 1;
}
