#pragma once
// A fresh test database with the canonical data set loaded, the set-up of the tests that read
// and write the fixture's tables on either backend.
#include "TestDatabase.h"

#include <string>

// Opens a test database into var as TESTDB_OPEN does and loads the canonical data set into it;
// a load that fails fails the test.
#define TESTDB_OPEN_FIXTURE(var, kind)                                                                       \
    do {                                                                                                     \
        TESTDB_OPEN(var, kind);                                                                              \
        std::string testdbFixtureFailure;                                                                    \
        ASSERT_TRUE(var->LoadFixture(testdbFixtureFailure)) << testdbFixtureFailure;                         \
    } while (false)
