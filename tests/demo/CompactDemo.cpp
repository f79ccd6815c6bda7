#include "CompactDemo.h"

#include "DemoDatabase.h"

namespace testdb {

std::string DemoUri(const TestDatabase& db) {
    return db.kind() == Kind::Sqlite ? "sqlite:" + db.dir() + "/demo.sqlite" : db.uri();
}

bool BuildCompactDemo(const TestDatabase& db, std::string& error) {
    demo::DemoOptions options;
    options.compact = true;
    return demo::BuildDemoDatabase(DemoUri(db), options, error);
}

} // namespace testdb
