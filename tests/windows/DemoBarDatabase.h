#pragma once
// The demo database, built once for the query bar tests, with three more configured tables
// whose time columns carry TOTAL(TABLE, ...) and CHANGETIME, and a station table whose keys
// hold quotes.
#include "CompactDemo.h"
#include "Login.h"
#include "QueryBarModel.h"
#include "QueryClient.h"
#include "TableQuery.h"
#include "TestDatabase.h"

#include <gtest/gtest.h>
#include <sodium.h>

#include <cstdlib>
#include <memory>
#include <vector>

class DemoBarTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        kes::SetPasswordHashLimits(crypto_pwhash_OPSLIMIT_MIN, crypto_pwhash_MEMLIMIT_MIN);
        std::string reason;
        s_db = testdb::TestDatabase::Create(testdb::Kind::Sqlite, reason);
        ASSERT_TRUE(s_db) << reason;
        std::string error;
        ASSERT_TRUE(testdb::BuildCompactDemo(*s_db, error)) << error;
        for (const char* sql : kExtraSettings) {
            std::vector<std::string> reply;
            ASSERT_TRUE(testdb::Run(sql, reply)) << sql << (reply.empty() ? "" : reply[0]);
        }
    }
    static void TearDownTestSuite() { s_db.reset(); }

    void SetUp() override {
        if (!s_db) GTEST_SKIP() << "no demo database";
    }

    // A bar model over the engine of the table, directive-driven unless items are given.
    struct Bar {
        CQueryClient client;
        CTableQuery engine{client};
        CQuerySettings request;
        CWindowSettings window;
        CQueryOptions options;
        CInterfaceSettings ui;
        CQueryBarModel model{engine, client, request, window, options, ui};

        explicit Bar(const char* table) { engine.Load(table, {}); }
        void AddItem(const char* scheme, const char* label, const char* table, const char* nameColumn,
                     const char* keyColumn, int kind, const char* condition = "") {
            auto item = std::make_unique<CSelectItem>();
            item->schemeId = scheme;
            item->label = label;
            item->table = table;
            item->nameColumn = nameColumn;
            item->keyColumn = keyColumn;
            item->kind = kind;
            item->condition = condition;
            options.m_selectItems.Add(std::move(item));
            request.m_advanced = 1;
        }
    };

    // The first value of a one-value query.
    static int Count(const std::string& sql) {
        std::vector<std::string> rows = testdb::Rows(sql);
        return rows.empty() ? -1 : std::atoi(rows[0].c_str());
    }

    static COleDateTime At(int y, int mo, int d, int h = 0, int mi = 0) {
        return COleDateTime(y, mo, d, h, mi, 0);
    }

    // What a click of the bar's refresh hands its model: the chosen items and the stretch.
    static CRefreshInput Input(std::vector<int> items, COleDateTime start, COleDateTime end) {
        CRefreshInput input;
        input.selectedItems = std::move(items);
        input.start = start;
        input.end = end;
        return input;
    }

    static inline std::unique_ptr<testdb::TestDatabase> s_db;

    static constexpr const char* kExtraSettings[] = {
        "INSERT INTO KES.SET_DB_TABLE_NAME VALUES ('BAR_DAY',1,'admin',0,2,1,'')",
        "INSERT INTO KES.SET_TABLE_COL_NAME VALUES ('BAR_DAY','STCD','站名',8,4,8,0,1,1,'站名',1,"
        "'[PK(ID)][Where(1)]')",
        "INSERT INTO KES.SET_TABLE_COL_NAME VALUES ('BAR_DAY','TM','日期',19,11,19,0,0,0,'日期',2,"
        "'[PK(TIME)][CHANGETIME(DAY,1)][TOTAL(TABLE,4,6)][SHOWTIME(DAY)][Where(0)]')",
        "INSERT INTO KES.SET_TABLE_COL_NAME VALUES ('BAR_DAY','P','雨量',8,8,8,1,0,0,'雨量',3,'')",
        "INSERT INTO KES.SET_DB_TABLE_NAME VALUES ('BAR_HOUR',1,'admin',0,2,1,'')",
        "INSERT INTO KES.SET_TABLE_COL_NAME VALUES ('BAR_HOUR','STCD','站名',8,4,8,0,1,1,'站名',1,"
        "'[PK(ID)][Where(1)]')",
        "INSERT INTO KES.SET_TABLE_COL_NAME VALUES ('BAR_HOUR','TM','时间',19,11,19,0,0,0,'时间',2,"
        "'[PK(TIME)][TOTAL(TABLE,3,4)][Where(0)]')",
        "INSERT INTO KES.SET_DB_TABLE_NAME VALUES ('BAR_HOURC',1,'admin',0,2,1,'')",
        "INSERT INTO KES.SET_TABLE_COL_NAME VALUES ('BAR_HOURC','STCD','站名',8,4,8,0,1,1,'站名',1,"
        "'[PK(ID)][Where(1)]')",
        "INSERT INTO KES.SET_TABLE_COL_NAME VALUES ('BAR_HOURC','TM','时间',19,11,19,0,0,0,'时间',2,"
        "'[PK(TIME)][CHANGETIME(HOUR,1)][TOTAL(TABLE,3)][Where(0)]')",
        "CREATE TABLE KES.ODDSTA (K VARCHAR(20), N VARCHAR(40), G VARCHAR(20))",
        "INSERT INTO KES.ODDSTA VALUES ('a''b', '引号站', 'g''1')",
        "INSERT INTO KES.ODDSTA VALUES ('c', '普通站', 'g2')",
    };
};
