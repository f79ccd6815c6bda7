#pragma once
// A query window over the compact demo database, on the backend of the test's parameter: the
// owner window it is made in and the element's records it is handed.
#include "CompactDemo.h"
#include "QueryWindow.h"
#include "TestDatabase.h"
#include "WindowTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

class DemoWindowTest : public ::testing::TestWithParam<testdb::Kind> {
protected:
    void SetUp() override {
        TESTDB_OPEN_DEMO(m_db, GetParam());
        m_uri = testdb::DemoUri(*m_db);
        m_owner.show();
    }

    // Hands m_window the records, applies them and makes the window in the owner at the size
    // the element gives it.
    CQueryWindow& Create() {
        m_window->SetRecords(&m_windowSettings, &m_options, &m_face);
        m_window->ApplySettings();
        EXPECT_TRUE(m_window->Create(&m_owner, 0x4000, CRect(0, 0, 1020, 695), kElementWindowStyle));
        return *m_window;
    }

    std::unique_ptr<testdb::TestDatabase> m_db;
    std::string m_uri;
    OwnerWindow m_owner;
    CWindowSettings m_windowSettings;
    CQueryOptions m_options;
    CInterfaceSettings m_face;
    std::unique_ptr<CQueryWindow> m_window;
};
