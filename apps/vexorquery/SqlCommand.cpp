// vexorquery sql [--db URI] [--execute] TEXT: runs TEXT through the query client as the
// module would and prints every row it kept, one line a row, cells joined by a tab. Without
// --execute the text runs read-only; with it every failed statement is reported.
#include "Commands.h"

#include "DataSource.h"
#include "QueryClient.h"

#include <cstdio>
#include <vector>

int RunSqlCommand(const Args& args) {
    const char* usage = "usage: vexorquery sql [--db URI] [--execute] TEXT\n";
    if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) {
        std::fputs(usage, stdout);
        return 0;
    }
    std::string text, db;
    bool execute = false, haveText = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--execute") {
            execute = true;
        } else if (args[i] == "--db") {
            if (++i >= args.size()) {
                std::fputs(usage, stderr);
                return 1;
            }
            db = args[i];
        } else if (!haveText && (args[i].empty() || args[i][0] != '-')) {
            text = args[i];
            haveText = true;
        } else {
            std::fprintf(stderr, "vexorquery sql: unexpected argument '%s'\n%s", args[i].c_str(), usage);
            return 1;
        }
    }
    if (!haveText) {
        std::fputs(usage, stderr);
        return 1;
    }
    if (!db.empty()) kes::SetDataSource(db);

    CQueryClient client;
    if (execute) {
        // Statement by statement, so every failure is reported, not only the last one's.
        std::vector<CString> statements = CQueryClient::SplitForExecute(text);
        if (statements.empty()) {
            std::fputs("vexorquery sql: the text holds no statement\n", stderr);
            return 1;
        }
        int failed = 0;
        for (const CString& statement : statements) {
            if (client.Execute(statement)) continue;
            ++failed;
            std::fprintf(stderr, "vexorquery sql: %s\n  %s\n", statement.GetString(),
                         client.m_strLastError.GetString());
        }
        return failed ? 1 : 0;
    }
    int answer = client.Query(text);
    for (const auto& row : client.m_rows) {
        std::string line;
        for (int c = 0; c < row->GetSize(); ++c) {
            if (c) line += '\t';
            line += (*row)[c].str();
        }
        std::printf("%s\n", line.c_str());
    }
    if (answer == 1) return 0;
    CString error = client.m_strLastError;
    if (error.IsEmpty()) error = "the text holds no statement";
    std::fprintf(stderr, "vexorquery sql: %s\n", error.GetString());
    return 1;
}
