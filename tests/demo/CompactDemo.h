#pragma once
// The compact demo database in a fresh test database: the realistic tables, settings and
// stations that the tests of windows, dialogs and writes run over, on either backend.
#include "TestDatabase.h"

#include <string>

namespace testdb {

// Where the demo database of db goes: a file in its temporary directory on SQLite, db itself
// on PostgreSQL.
std::string DemoUri(const TestDatabase& db);

// Builds the compact demo database at DemoUri(db); false with the reason in error.
bool BuildCompactDemo(const TestDatabase& db, std::string& error);

} // namespace testdb

// Opens a test database into var as TESTDB_OPEN does and builds the compact demo database in
// it; a build that fails fails the test.
#define TESTDB_OPEN_DEMO(var, kind)                                                                          \
    do {                                                                                                     \
        TESTDB_OPEN(var, kind);                                                                              \
        std::string testdbDemoError;                                                                         \
        ASSERT_TRUE(testdb::BuildCompactDemo(*var, testdbDemoError)) << testdbDemoError;                     \
    } while (false)
