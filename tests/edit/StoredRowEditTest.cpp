// Editing rows of the demo tables as the query window does, on both backends: the stored row
// changes in exactly the edited column (plus the manual-data flag), whatever the grid shows
// for the others, and every change leaves exactly one audit record. Rows that are gone or
// changed by someone else since they were read are not written.
#include "CompactDemo.h"
#include "Login.h"
#include "QueryClient.h"
#include "QueryWindowModel.h"
#include "TableQuery.h"
#include "TestDatabase.h"

#include <gtest/gtest.h>
#include <sodium.h>

#include <map>
#include <memory>

namespace {

using Row = std::vector<std::string>;

class StoredRowEdit : public ::testing::TestWithParam<testdb::Kind> {
protected:
    void SetUp() override {
        kes::SetPasswordHashLimits(crypto_pwhash_OPSLIMIT_MIN, crypto_pwhash_MEMLIMIT_MIN);
        TESTDB_OPEN_DEMO(m_db, GetParam());
        m_audits = std::stol(Select("SELECT COUNT(*) FROM KES.SCHLOG")[0]);
    }

    // One engine reading one station's rows, as a window would show them.
    struct Reader {
        CQueryClient client;
        CTableQuery query{client};
        CGridIterator grid;
        CEditedRow edit;

        void Read(const char* table, const char* station, const char* from, const char* to) {
            query.Load(table, {});
            query.m_request.form = kFormGivenStations;
            query.m_request.keys = {station};
            query.m_request.startTime = from;
            query.m_request.endTime = to;
            query.Refresh(grid, 1);
        }
        long ColumnOf(const char* heading) const {
            for (long c = 1; c < grid.GetColumnCount(); ++c)
                if (grid.GetCellView(0, c) == heading) return c;
            return -1;
        }
        // Types text into one cell of a data row and leaves the row, as the user does.
        int Edit(long row, const char* heading, const char* text) {
            LoadEditedRow(edit, grid, row, query.Settings().VisibleCount(), false);
            const long col = ColumnOf(heading);
            EXPECT_GE(col, 1) << heading;
            grid.SetItemText(row, col, text);
            return CommitEditedRow(edit, grid, query, false);
        }
        // The key condition of a shown row, from its stored record.
        CStringArray Stored(long row) const {
            CStringArray record;
            query.CopyRecord(grid.GetRowRecord(row), record);
            return record;
        }
    };

    static Row Select(const std::string& sql) {
        CQueryClient c;
        EXPECT_EQ(c.Query(CString(sql)), 1) << sql << ": " << c.m_strLastError.str();
        Row out;
        for (const auto& r : c.m_rows)
            for (const CString& cell : *r)
                out.push_back(cell.str());
        return out;
    }
    static void Execute(const std::string& sql) {
        CQueryClient c;
        ASSERT_EQ(c.Execute(CString(sql)), 1) << sql << ": " << c.m_strLastError.str();
    }
    // Audit records written since the test began.
    std::string AuditCount() const {
        return std::to_string(std::stol(Select("SELECT COUNT(*) FROM KES.SCHLOG")[0]) - m_audits);
    }
    // DDL whose body holds ";" goes to the service as one statement.
    static void RunDdl(const std::string& sql) {
        std::vector<std::string> reply;
        ASSERT_TRUE(testdb::Run(sql, reply)) << sql << ": " << (reply.empty() ? "" : reply[0]);
    }

    // The columns of a stored row, by name.
    static std::map<std::string, std::string> StoredRow(const std::string& table, const std::string& columns,
                                                        const std::string& where) {
        Row values = Select("SELECT " + columns + " FROM KES." + table + " WHERE " + where);
        std::map<std::string, std::string> out;
        std::size_t start = 0, k = 0;
        while (start <= columns.size()) {
            std::size_t comma = columns.find(',', start);
            std::string name =
                columns.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
            out[name] = k < values.size() ? values[k] : "<no row>";
            ++k;
            if (comma == std::string::npos) break;
            start = comma + 1;
        }
        return out;
    }
    // The names of the columns whose values differ.
    static std::vector<std::string> Changed(const std::map<std::string, std::string>& before,
                                            const std::map<std::string, std::string>& after) {
        std::vector<std::string> names;
        for (const auto& [name, value] : before)
            if (after.at(name) != value) names.push_back(name);
        return names;
    }

    std::unique_ptr<testdb::TestDatabase> m_db;
    long m_audits = 0;
};

using Names = std::vector<std::string>;

TEST_P(StoredRowEdit, DayTablesShownByDateAreKeyedByTheirStoredHour) {
    // RAIN_DAY is stored at 08:00 and shows dates only: the write must find the 08:00 row.
    Reader r;
    r.Read("RAIN_DAY", "60102200", "2024-01-01 00:00:00", "2024-01-10 23:00:00");
    ASSERT_GT(r.query.ResultRowCount(), 2);
    const std::string where = "STCD=60102200 AND TM={ts '2024-01-02 08:00:00'}";
    auto before = StoredRow("RAIN_DAY", "STCD,TM,P,PRO", where);
    ASSERT_EQ(r.Edit(2, "雨量(mm)", "12.3"), 1) << r.query.LastWriteError();
    auto after = StoredRow("RAIN_DAY", "STCD,TM,P,PRO", where);
    EXPECT_EQ(Changed(before, after), (Names{"P", "PRO"}));
    EXPECT_EQ(after["P"], "12.3");
    EXPECT_EQ(after["PRO"], "3");
    EXPECT_EQ(AuditCount(), "1");

    // Deleting the row deletes the 08:00 row, with its own audit record.
    ASSERT_EQ(r.query.DeleteRow(r.grid.GetRowRecord(2)), 1) << r.query.LastWriteError();
    EXPECT_EQ(Select("SELECT COUNT(*) FROM KES.RAIN_DAY WHERE " + where), Row{"0"});
    EXPECT_EQ(AuditCount(), "2");
}

TEST_P(StoredRowEdit, RoundedMissingAndMappedColumnsStayAsStored) {
    // RIVER_HOUR shows Q through AVAIL(4), WPTN through a scheme, NOTE hidden, -999 blank.
    Execute("UPDATE KES.RIVER_HOUR SET Q=25336.8, NOTE='阴,有雨(小)', WPTN=5 WHERE STCD=61802700 AND "
            "TM={ts '2026-11-05 02:00:00'}");
    Reader r;
    r.Read("RIVER_HOUR", "61802700", "2026-11-05 02:00:00", "2026-11-05 04:00:00");
    ASSERT_EQ(r.query.ResultRowCount(), 3);
    const std::string cols = "STCD,TM,Z,Q,WPTN,NOTE";
    const std::string rounded = "STCD=61802700 AND TM={ts '2026-11-05 02:00:00'}";
    const std::string missing = "STCD=61802700 AND TM={ts '2026-11-05 03:00:00'}";
    auto before = StoredRow("RIVER_HOUR", cols, rounded);
    ASSERT_EQ(r.Edit(1, "水位(m)", "150.25"), 1) << r.query.LastWriteError();
    auto after = StoredRow("RIVER_HOUR", cols, rounded);
    EXPECT_EQ(Changed(before, after), (Names{"Z"}));
    EXPECT_EQ(after["Q"], "25336.8");

    // A missing value shown blank stays the missing-value marker.
    before = StoredRow("RIVER_HOUR", cols, missing);
    ASSERT_EQ(before["Q"], "-999");
    ASSERT_EQ(r.Edit(2, "水位(m)", "150.5"), 1) << r.query.LastWriteError();
    after = StoredRow("RIVER_HOUR", cols, missing);
    EXPECT_EQ(Changed(before, after), (Names{"Z"}));

    // A mapped column takes the code of the name typed.
    before = after;
    ASSERT_EQ(r.Edit(2, "水势", "涨"), 1) << r.query.LastWriteError();
    after = StoredRow("RIVER_HOUR", cols, missing);
    EXPECT_EQ(Changed(before, after), (Names{"WPTN"}));
    EXPECT_EQ(after["WPTN"], "5");
    EXPECT_EQ(AuditCount(), "3");
}

TEST_P(StoredRowEdit, HiddenDataPropertyColumnsColourBlankAndTakeTheManualMark) {
    // RSVR_DAY's RZ carries DC(PRO) with PRO hidden; W is shown with DEC(2).
    Execute("UPDATE KES.RSVR_DAY SET PRO=9 WHERE STCD=60105000 AND TM={ts '2024-01-01 08:00:00'}");
    Execute(
        "UPDATE KES.RSVR_DAY SET PRO=3, W=392.161234 WHERE STCD=60105000 AND TM={ts '2024-01-02 08:00:00'}");
    Reader r;
    r.Read("RSVR_DAY", "60105000", "2024-01-01 00:00:00", "2024-01-03 23:00:00");
    ASSERT_EQ(r.query.ResultRowCount(), 3);
    const long rz = r.ColumnOf("库水位(m)");
    EXPECT_EQ(r.grid.GetCellView(1, rz), ""); // PRO 9 (错误) is not shown
    EXPECT_NE(r.grid.GetCellView(2, rz), ""); // PRO 3 is shown, in its colour
    EXPECT_NE(r.grid.GetCellLook(2, rz).crText, r.grid.GetCellLook(3, rz).crText);

    const std::string where = "STCD=60105000 AND TM={ts '2024-01-03 08:00:00'}";
    const std::string cols = "STCD,TM,RZ,W,INQ,OTQ,PRO";
    auto before = StoredRow("RSVR_DAY", cols, where);
    ASSERT_EQ(r.Edit(3, "库水位(m)", "174.5"), 1) << r.query.LastWriteError();
    auto after = StoredRow("RSVR_DAY", cols, where);
    EXPECT_EQ(Changed(before, after), (Names{"PRO", "RZ"}));
    EXPECT_EQ(after["PRO"], "3");

    // DEC(2) shows 392.16; editing RZ of that row keeps W's stored digits.
    const std::string second = "STCD=60105000 AND TM={ts '2024-01-02 08:00:00'}";
    before = StoredRow("RSVR_DAY", cols, second);
    ASSERT_EQ(r.Edit(2, "库水位(m)", "174.9"), 1) << r.query.LastWriteError();
    after = StoredRow("RSVR_DAY", cols, second);
    EXPECT_EQ(Changed(before, after), (Names{"RZ"}));
    EXPECT_EQ(after["W"], "392.161234");
}

TEST_P(StoredRowEdit, PointDayRowsWithSensorTimeAreFoundAtThePointsHour) {
    Reader r;
    r.Read("DAYDB", "10011", "2024-01-01 00:00:00", "2024-01-03 23:00:00");
    ASSERT_GE(r.query.ResultRowCount(), 2);
    const std::string where = "SENID=10011 AND TIME={ts '2024-01-02 08:00:00'}";
    const std::string cols = "SENID,TIME,INSTV,AVGV,MAXV,MINV,INSTQ";
    auto before = StoredRow("DAYDB", cols, where);
    ASSERT_EQ(r.Edit(2, "八时值", "163.5"), 1) << r.query.LastWriteError();
    auto after = StoredRow("DAYDB", cols, where);
    EXPECT_EQ(Changed(before, after), (Names{"INSTV"}));
    EXPECT_EQ(AuditCount(), "1");
}

TEST_P(StoredRowEdit, RowsGoneOrChangedSinceTheyWereReadAreNotWritten) {
    Reader a, b;
    a.Read("RIVER_HOUR", "60102200", "2026-11-01 00:00:00", "2026-11-01 02:00:00");
    b.Read("RIVER_HOUR", "60102200", "2026-11-01 00:00:00", "2026-11-01 02:00:00");
    ASSERT_EQ(a.query.ResultRowCount(), 3);
    const std::string where = "STCD=60102200 AND TM={ts '2026-11-01 01:00:00'}";

    // B saves Q; A saves Z from the copy read before: both stand, nothing is reverted.
    ASSERT_EQ(b.Edit(2, "流量(m³/s)", "9000"), 1) << b.query.LastWriteError();
    ASSERT_EQ(a.Edit(2, "水位(m)", "170.1"), 1) << a.query.LastWriteError();
    auto both = StoredRow("RIVER_HOUR", "Z,Q", where);
    EXPECT_EQ(both["Z"], "170.1");
    EXPECT_EQ(both["Q"], "9000");

    // A now edits Q from its old copy: someone else changed it since, so A is told and nothing moves.
    EXPECT_EQ(a.Edit(2, "流量(m³/s)", "8000"), 0);
    EXPECT_EQ(a.query.LastWriteError(), "此记录已被他人修改，请刷新后再修改");
    EXPECT_EQ(StoredRow("RIVER_HOUR", "Q", where)["Q"], "9000");
    EXPECT_EQ(AuditCount(), "2");

    // A row deleted behind the reader's back: no write, no audit record.
    Execute("DELETE FROM KES.RIVER_HOUR WHERE STCD=60102200 AND TM={ts '2026-11-01 02:00:00'}");
    EXPECT_EQ(a.Edit(3, "水位(m)", "171"), 0);
    EXPECT_EQ(a.query.LastWriteError(), "没有找到要修改的记录");
    EXPECT_EQ(AuditCount(), "2");
}

TEST_P(StoredRowEdit, AFailingAuditInsertIsReportedAndTheChangeKept) {
    if (GetParam() == testdb::Kind::Sqlite)
        RunDdl(
            "CREATE TRIGGER KES.NO_AUDIT BEFORE INSERT ON SCHLOG BEGIN SELECT RAISE(ABORT, 'audit refused'); "
            "END");
    else {
        RunDdl("CREATE FUNCTION kes.no_audit() RETURNS trigger LANGUAGE plpgsql AS $$ BEGIN RAISE EXCEPTION "
               "'audit refused'; END $$");
        RunDdl("CREATE TRIGGER no_audit BEFORE INSERT ON kes.schlog FOR EACH ROW EXECUTE FUNCTION "
               "kes.no_audit()");
    }
    Reader r;
    r.Read("RIVER_HOUR", "60102200", "2026-11-01 00:00:00", "2026-11-01 00:00:00");
    ASSERT_EQ(r.query.ResultRowCount(), 1);
    ASSERT_EQ(r.Edit(1, "水位(m)", "169.9"), 1) << r.query.LastWriteError();
    EXPECT_NE(r.query.LastAuditError().Find("audit refused"), -1) << r.query.LastAuditError();
    EXPECT_EQ(StoredRow("RIVER_HOUR", "Z", "STCD=60102200 AND TM={ts '2026-11-01 00:00:00'}")["Z"], "169.9");
    EXPECT_EQ(AuditCount(), "0");
}

TEST_P(StoredRowEdit, PartitionedTablesReadEachStationsStatisticsFromItsPartition) {
    Reader r;
    r.Read("SEDIMENT_DAY", "60102200", "2024-01-01 00:00:00", "2024-03-31 23:00:00");
    ASSERT_GT(r.query.ResultRowCount(), 10);
    const long cs = r.ColumnOf("含沙量(kg/m³)");
    const long last = r.grid.GetRowCount() - 1; // the station's statistics row
    EXPECT_NE(r.grid.GetCellView(last, cs), "") << "statistics of partition 60 are empty";
}

std::string BackendName(const ::testing::TestParamInfo<testdb::Kind>& info) {
    return info.param == testdb::Kind::Sqlite ? "SQLite" : "PostgreSQL";
}

INSTANTIATE_TEST_SUITE_P(Backends, StoredRowEdit,
                         ::testing::Values(testdb::Kind::Sqlite, testdb::Kind::Postgres), BackendName);

} // namespace
