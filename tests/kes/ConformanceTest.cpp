// Every statement form the module sends, answered with the same reply rows by every backend
// of the data service. Each case runs on SQLite and on the PostgreSQL server of the test run.
#include "DataService.h"
#include "DataSource.h"
#include "FixtureDatabase.h"
#include "TestDatabase.h"
#include "ValueText.h"

#include <gtest/gtest.h>

using testdb::Kind;
using testdb::Rows;
using Reply = std::vector<std::string>;

class Conformance : public ::testing::TestWithParam<Kind> {
protected:
    void SetUp() override {
        TESTDB_OPEN_FIXTURE(m_db, GetParam());
    }
    std::unique_ptr<testdb::TestDatabase> m_db;
};

const char* kJuly = " AND (TIME>={ts '2008-07-01 00:00:00'} AND TIME<={ts '2008-07-31 00:00:00'}) ";

TEST_P(Conformance, StatisticsFormsExcludeTheMissingMarkerAndCutTheAverage) {
    std::string avg =
        " SELECT TRIM(FLOOR(AVG(AVGV)*100)/100) FROM KES.DAYDB WHERE SENID=1 AND AVGV NOT IN(-999) ";
    EXPECT_EQ(Rows(avg + kJuly), Reply({"2.33,"}));
    EXPECT_EQ(
        Rows(" SELECT SUM(AVGV) FROM KES.DAYDB WHERE SENID=1 AND AVGV NOT IN(-999) " + std::string(kJuly)),
        Reply({"7,"}));
    EXPECT_EQ(
        Rows(" SELECT TRIM(FLOOR(AVG(AVGV)*100)/100),MAX(AVGV),MIN(AVGV) FROM KES.DAYDB WHERE SENID=1 AND "
             "AVGV NOT IN(-999) " +
             std::string(kJuly)),
        Reply({"2.33,4,1,"}));
    // 2.349 cuts to 2.34, it is not rounded to 2.35.
    EXPECT_EQ(
        Rows(" SELECT TRIM(FLOOR(AVG(AVGV)*100)/100) FROM KES.DAYDB WHERE SENID=2 AND AVGV NOT IN(-999) "),
        Reply({"2.34,"}));
    std::string extreme =
        " SELECT MAXV ,TIME FROM KES.DAYDB WHERE SENID=1 AND (MAXV NOT IN(-999)) " + std::string(kJuly);
    EXPECT_EQ(Rows(extreme + " ORDER BY MAXV DESC "),
              Reply({"4.5,2008-07-04 00:00:00,", "2.5,2008-07-02 00:00:00,", "1.5,2008-07-01 00:00:00,"}));
    EXPECT_EQ(Rows(extreme + " ORDER BY MAXV ASC ").front(), "1.5,2008-07-01 00:00:00,");
    // No row in range: the aggregate answers one row with an empty value.
    EXPECT_EQ(Rows(" SELECT SUM(AVGV) FROM KES.DAYDB WHERE SENID=99 AND AVGV NOT IN(-999) "), Reply({","}));
}

TEST_P(Conformance, ComputedColumnUpdatesGiveMonthAndTenDayLengths) {
    const char* range = " WHERE (TM>={ts '2008-01-01 00:00:00'} AND TM<={ts '2009-12-31 00:00:00'}) ";
    EXPECT_EQ(Rows(std::string(" UPDATE MONTHSTAT SET DAYS=to_char(last_day(TM),'DD') ") + range),
              Reply({"UPDATE 4"}));
    EXPECT_EQ(Rows("SELECT TM,DAYS FROM KES.MONTHSTAT ORDER BY TM"),
              Reply({"2008-02-01 08:00:00,29,", "2008-04-01 08:00:00,30,", "2008-07-01 08:00:00,31,",
                     "2009-02-01 08:00:00,28,"}));

    EXPECT_EQ(Rows(std::string(" UPDATE XUNSTAT SET DAYS=10 ") + range), Reply({"UPDATE 5"}));
    EXPECT_EQ(Rows(" UPDATE XUNSTAT SET DAYS=to_char(last_day(TM)-20,'DD') WHERE to_char(TM,'DD')='25' "
                   " AND (TM>={ts '2008-01-01 00:00:00'} AND TM<={ts '2009-12-31 00:00:00'}) "),
              Reply({"UPDATE 3"}));
    EXPECT_EQ(Rows(" UPDATE XUNSTAT SET W=Q*3600*24/100000000*DAYS WHERE (TM>={ts '2008-01-01 00:00:00'} AND "
                   "TM<={ts '2009-12-31 00:00:00'}) AND Q NOT IN(-999)"),
              Reply({"UPDATE 4"}));
    EXPECT_EQ(Rows("SELECT TM,DAYS,W FROM KES.XUNSTAT ORDER BY TM"),
              Reply({"2008-02-05 00:00:00,10,0.864,", "2008-02-15 00:00:00,10,1.728,",
                     "2008-02-25 00:00:00,9,2.3328,", "2008-07-25 00:00:00,11,0.1188,",
                     // a missing flow keeps its volume
                     "2009-02-25 00:00:00,8,5,"}));
    EXPECT_EQ(Rows(" UPDATE MONTHSTAT SET W=Q*3600*24/100000000 WHERE (TM>={ts '2008-01-01 00:00:00'} AND "
                   "TM<={ts '2008-12-31 00:00:00'}) AND Q NOT IN(-999)"),
              Reply({"UPDATE 2"}));
    EXPECT_EQ(Rows("SELECT W FROM KES.MONTHSTAT ORDER BY TM"), Reply({"0.0864,", "0.000864,", "7,", "0,"}));
}

TEST_P(Conformance, TimeFunctionsAgree) {
    EXPECT_EQ(Rows("SELECT to_char(TM,'YYYY-MM-DD HH24:MI:SS'),to_char(last_day(TM),'DD'),"
                   "to_char(last_day(TM)-20,'DD'),to_char(TM,'YYYYMM') FROM KES.MONTHSTAT ORDER BY TM"),
              Reply({"2008-02-01 08:00:00,29,09,200802,", "2008-04-01 08:00:00,30,10,200804,",
                     "2008-07-01 08:00:00,31,11,200807,", "2009-02-01 08:00:00,28,08,200902,"}));
    // Upper-cased statements, the function names and format included.
    EXPECT_EQ(Rows("SELECT TO_CHAR(LAST_DAY(TM),'YYYY-MM-DD HH24:MI:SS') FROM KES.MONTHSTAT WHERE "
                   "TM={TS '2008-2-1 8:0:0'}"),
              Reply({"2008-02-29 08:00:00,"}));
    EXPECT_EQ(Rows("SELECT COUNT(*) ,MIN(TIME),MAX(TIME) FROM KES.DAYDB "),
              Reply({"13,2007-12-29 00:00:00,2009-06-01 00:00:00,"}));
}

TEST_P(Conformance, MultiYearConditionSelectsTheSamePeriodOfEachYear) {
    std::string cond = "  ( (TIME>={ts '2007-12-30 00:00:00'} AND TIME<={ts '2008-01-02 00:00:00'})  OR "
                       " (TIME>={ts '2008-12-30 00:00:00'} AND TIME<={ts '2009-01-02 00:00:00'}) )  ";
    EXPECT_EQ(Rows("SELECT SENID,TIME,AVGV FROM KES.DAYDB WHERE SENID=3 AND " + cond + " ORDER BY TIME"),
              Reply({"3,2007-12-31 00:00:00,12,", "3,2008-01-02 00:00:00,13,", "3,2008-12-31 00:00:00,15,",
                     "3,2009-01-01 00:00:00,16,"}));
}

TEST_P(Conformance, ListingFormsKeepOrderTextsAndEmptyValues) {
    EXPECT_EQ(Rows("SELECT DISTINCT RTUID,SENNAME  FROM KES.ALLPOINT ORDER BY RTUID ASC"),
              Reply({"1,水位,", "2,雨量,", "3,Flow\\, \\(m3/s\\),"}));
    EXPECT_EQ(Rows("SELECT DATAPROID,COLOR,DISSTA FROM KES.SET_DATAPRO_COLOR ORDER BY DATAPROID"),
              Reply({"0,16777215,1,", "2,255,1,", "9,65280,0,"}));
    EXPECT_EQ(Rows("select DIRECTORY from kes.relation where ftype=10000"), Reply({"TRUE,"}));
    EXPECT_EQ(Rows("select DIRECTORY,FNAME, csid from kes.relation where ranking>100 and ranking<200 order "
                   "by ranking"),
              Reply({",一类厂甲,11,", ",一类厂乙,12,"}));
    EXPECT_EQ(Rows("SELECT ID,DCALCT FROM KES.ALLPOINT ORDER BY ID "),
              Reply({"101,8,", "102,8,", "103,0,", "104,8,"}));
    EXPECT_EQ(Rows("SELECT INSTV,AVGV,MAXV,MINV FROM KES.HOURDB"), Reply({"0.25,,1e-07,12345.678,"}));
}

TEST_P(Conformance, StoredDoublesReadAsFifteenSignificantDigits) {
    Reply reply;
    ASSERT_TRUE(testdb::Run("CREATE TABLE KES.DOUBLES (N INTEGER, V DOUBLE PRECISION)", reply));
    const char* values[] = {
        "0",        "-0.0",   "0.5", "-1234.25",          "0.0001", "0.00001", "2.349",  "123456789012345",
        "1e15",     "1e-300", "0.1", "40.49733690983123", "100.10", "-999",    "1.5e-5", "99999.99",
        "12.000001"};
    for (std::size_t i = 0; i < std::size(values); ++i)
        ASSERT_TRUE(testdb::Run(
            "INSERT INTO KES.DOUBLES VALUES (" + std::to_string(i) + "," + values[i] + ")", reply));
    EXPECT_EQ(Rows("SELECT V FROM KES.DOUBLES ORDER BY N"),
              Reply({"0,", "0,", "0.5,", "-1234.25,", "0.0001,", "1e-05,", "2.349,", "123456789012345,",
                     "1e+15,", "1e-300,", "0.1,", "40.4973369098312,", "100.1,", "-999,", "1.5e-05,",
                     "99999.99,", "12.000001,"}));
}

// A read that takes its cells as values sees what the reply rows of the same statement say:
// each cell written back as text is the row's cell, and a number reads as the row's text reads.
TEST_P(Conformance, CellsReadAsTheReplyRowsRead) {
    Reply reply;
    ASSERT_TRUE(testdb::Run("CREATE TABLE KES.CELLS (N INTEGER, V DOUBLE PRECISION, S VARCHAR(40), "
                            "T TIMESTAMP, B BIGINT)",
                            reply));
    ASSERT_TRUE(testdb::Run("INSERT INTO KES.CELLS VALUES (1, 40.49733690983123, 'a,b\\(c)', "
                            "{ts '2008-07-01 08:00:00'}, 9007199254740993), (2, NULL, '', NULL, NULL), "
                            "(3, -0.0, NULL, {ts '2008-12-31 23:59:59'}, -5), (4, 1e-300, '12.5', NULL, 0)",
                            reply));
    const char* statements[] = {
        "SELECT N,V,S,T,B FROM KES.CELLS ORDER BY N",
        "SELECT DISTINCT RTUID,SENNAME FROM KES.ALLPOINT ORDER BY RTUID",
        "SELECT SENID,TIME,INSTV,INSTQ,AVGV,AVGQ,MAXV,MAXQ,MINV,MINQ FROM KES.HOURDB",
        "SELECT COUNT(*),SUM(V),AVG(V),MAX(T),N>2 FROM KES.CELLS GROUP BY N>2 ORDER BY N>2",
    };
    for (const char* sql : statements) {
        const Reply rows = Rows(sql);
        std::string error;
        kes::Connection* conn = kes::CurrentReadConnection(error);
        ASSERT_NE(conn, nullptr) << error;
        std::size_t row = 0;
        std::string buffer;
        ASSERT_TRUE(conn->RunCells(
            sql, kes::Access::ReadOnly, 0,
            [&](kes::CellRow cells) {
                ASSERT_LT(row, rows.size()) << sql;
                const std::vector<std::string> texts = kes::SplitReplyRow(rows[row]);
                ASSERT_EQ(cells.size(), texts.size()) << sql;
                for (std::size_t c = 0; c < cells.size(); ++c) {
                    EXPECT_EQ(cells[c].Text(buffer), texts[c]) << sql << " row " << row << " cell " << c;
                    EXPECT_EQ(cells[c].Int(), TextToInt(texts[c])) << sql << " row " << row << " cell " << c;
                    const double number = cells[c].Number(-999);
                    const double fromText = texts[c].empty() ? -999 : TextToDouble(texts[c]);
                    EXPECT_NEAR(number, fromText, std::abs(fromText) * 1e-14) << sql << " row " << row;
                }
                ++row;
            },
            error))
            << error;
        EXPECT_EQ(row, rows.size()) << sql;
    }
}

// Reads are kept prepared by their text; a table changed in between, or prepared statements
// dropped by a writer, never make the same text answer stale columns or fail.
TEST_P(Conformance, AReadSentAgainAnswersTheTableAsItIsNow) {
    Reply reply;
    ASSERT_TRUE(testdb::Run("CREATE TABLE KES.AGAIN (A INTEGER)", reply));
    ASSERT_TRUE(testdb::Run("INSERT INTO KES.AGAIN VALUES (1)", reply));
    const std::string read = "SELECT * FROM KES.AGAIN";
    auto readOnly = [&read] {
        CParam param;
        param.SetReadOnly(true);
        CObArray array;
        array.Add(std::make_unique<CSqlStr>(CString(read)));
        if (InSqlStr(&param, &array) < 0)
            return "ERROR: " + static_cast<const CSqlStr&>(array[0]).m_strSql.str();
        return static_cast<const CSqlStr&>(array[0]).m_strSql.str();
    };
    EXPECT_EQ(readOnly(), "1,");
    EXPECT_EQ(readOnly(), "1,");
    ASSERT_TRUE(testdb::Run("ALTER TABLE KES.AGAIN ADD COLUMN B INTEGER", reply));
    ASSERT_TRUE(testdb::Run("UPDATE KES.AGAIN SET B=2", reply));
    EXPECT_EQ(readOnly(), "1,2,");
    if (GetParam() == Kind::Postgres) {
        ASSERT_TRUE(testdb::Run("DEALLOCATE ALL", reply));
    }
    EXPECT_EQ(readOnly(), "1,2,");
    ASSERT_TRUE(testdb::Run("DROP TABLE KES.AGAIN", reply));
    EXPECT_EQ(readOnly().rfind("ERROR: ", 0), 0u);
}

TEST_P(Conformance, AuditAndPointValueInsertsAreStoredAsSent) {
    EXPECT_EQ(Rows("SELECT MAX(SEQID) FROM KES.SCHLOG "), Reply({","}));
    EXPECT_EQ(
        Rows("INSERT INTO KES.SCHLOG(T,SEQID,TYPE,LOGINFO,CONT,CONDIR,CONTTYPE,EDITMEN) "
             "VALUES({ts '2008-07-01 09:30:00'},1,3,'表KES.DAYDB修改数据 关键字(SENID=1 TIME= ts  2008-07-01 "
             "00:00:00  ) 数据(1 2)',{ts '2008-07-01 09:30:00'},0,'Vexor数据修改','张三') "),
        Reply({"INSERT 0 1"}));
    EXPECT_EQ(
        Rows("INSERT INTO KES.SCHLOG(T,SEQID,TYPE,LOGINFO,CONT,CONDIR) VALUES({ts '2008-07-01 09:31:00'},2,3,"
             "'手工录入 7 2008-07-01 08:00:00 2 ',{ts '2008-07-01 09:31:00'},0) "),
        Reply({"INSERT 0 1"}));
    EXPECT_EQ(Rows(" INSERT INTO RTDB(SENID,TIME,FACTV) VALUES(7,{ts '2008-07-01 08:00:00'},2 )"),
              Reply({"INSERT 0 1"}));
    EXPECT_EQ(Rows("SELECT MAX(SEQID) FROM KES.SCHLOG "), Reply({"2,"}));
    EXPECT_EQ(Rows("SELECT T,SEQID,TYPE,CONDIR,CONTTYPE,EDITMEN FROM KES.SCHLOG ORDER BY SEQID"),
              Reply({"2008-07-01 09:30:00,1,3,0,Vexor数据修改,张三,", "2008-07-01 09:31:00,2,3,0,,,"}));
    EXPECT_EQ(Rows("SELECT SENID,TIME,FACTV FROM KES.RTDB"), Reply({"7,2008-07-01 08:00:00,2,"}));
}

TEST_P(Conformance, LiteralsAreNeverRewritten) {
    EXPECT_EQ(
        Rows("INSERT INTO KES.SCHLOG(SEQID,LOGINFO) VALUES(5,'a;b {ts ''2008-01-01''} trim( last_day(x)-1 "
             "--x')"),
        Reply({"INSERT 0 1"}));
    EXPECT_EQ(Rows("SELECT LOGINFO FROM KES.SCHLOG WHERE SEQID=5"),
              Reply({"a;b {ts '2008-01-01'} trim\\( last_day\\(x\\)-1 --x,"}));
    EXPECT_EQ(Rows("SELECT TRIM(SENNAME) FROM KES.ALLPOINT WHERE SENNAME='Flow, (m3/s)'"),
              Reply({"Flow\\, \\(m3/s\\),"}));
}

TEST_P(Conformance, PeriodCallsReadRecordsInTimeOrder) {
    CParam param;
    param.AddID(5);
    param.SetTime(COleDateTime(2008, 7, 1, 0, 0, 0), 'B');
    param.SetTime(COleDateTime(2008, 7, 1, 23, 59, 59), 'E');
    param.SetExStr("RTEV");
    CObArray records;
    ASSERT_EQ(OutRT(&param, &records), 2);
    auto& first = dynamic_cast<CRTRecord&>(records[0]);
    auto& second = dynamic_cast<CRTRecord&>(records[1]);
    EXPECT_EQ(first.m_time, COleDateTime(2008, 7, 1, 8, 0, 0));
    EXPECT_EQ(first.m_fValue, 9.5);
    EXPECT_EQ(first.m_nDataPro, 1);
    EXPECT_EQ(second.m_time, COleDateTime(2008, 7, 1, 9, 0, 1));
    DestroyOb(&records);
    EXPECT_TRUE(records.IsEmpty());

    param.SetExStr("kes.real ");
    EXPECT_EQ(OutRT(&param, &records), 1);
    DestroyOb(&records);

    CParam span;
    span.AddID(1);
    span.SetExStr("HOURDB");
    span.SetExInt(0);
    span.SetTime(COleDateTime(2008, 7, 1, 0, 0, 0), 'B');
    span.SetTime(COleDateTime(2008, 7, 1, 23, 59, 59), 'E');
    ASSERT_EQ(OutSpanDB(&span, &records), 1);
    auto& hour = dynamic_cast<CSpanRecord&>(records[0]);
    EXPECT_EQ(hour.m_fValue[CSpanRecord::Instant], 0.25f);
    EXPECT_EQ(hour.m_nQuality[CSpanRecord::Instant], 1);
    EXPECT_EQ(hour.m_fValue[CSpanRecord::Average], -999.0f); // stored as NULL
    EXPECT_EQ(hour.m_fValue[CSpanRecord::Minimum], 12345.678f);
    EXPECT_EQ(hour.m_nQuality[CSpanRecord::Minimum], 3);
}

TEST_P(Conformance, PeriodCallsRefuseWhatTheyCannotAnswer) {
    CObArray records;
    CParam unknownTable;
    unknownTable.AddID(5);
    unknownTable.SetTime(COleDateTime(2008, 7, 1, 0, 0, 0), 'B');
    unknownTable.SetTime(COleDateTime(2008, 7, 2, 0, 0, 0), 'E');
    unknownTable.SetExStr("RTEV; DROP TABLE KES.RTEV");
    EXPECT_LT(OutRT(&unknownTable, &records), 0);
    ASSERT_EQ(records.GetSize(), 1);
    EXPECT_NE(dynamic_cast<CSqlStr&>(records[0]).m_strSql.Find("unknown table"), -1);
    records.RemoveAll();

    CParam noEnd;
    noEnd.AddID(1);
    noEnd.SetExStr("DAYDB");
    noEnd.SetTime(COleDateTime(2008, 7, 1, 0, 0, 0), 'B');
    EXPECT_LT(OutSpanDB(&noEnd, &records), 0);
    records.RemoveAll();
    EXPECT_EQ(Rows("SELECT COUNT(*) FROM KES.RTEV"), Reply({"4,"}));
}

INSTANTIATE_TEST_SUITE_P(Backends, Conformance, ::testing::Values(Kind::Sqlite, Kind::Postgres),
                         [](const auto& info) {
                             return info.param == Kind::Sqlite ? "SQLite" : "PostgreSQL";
                         });
