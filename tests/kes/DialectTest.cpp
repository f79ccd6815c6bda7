// The dialect adapter: what each backend is sent for the system's SQL.
#include "Dialect.h"

#include <gtest/gtest.h>

using kes::AdaptSql;
using kes::Backend;

namespace {

std::string Adapt(const std::string& sql, Backend backend) {
    std::string out, error;
    if (!AdaptSql(sql, backend, out, error)) return "ERROR: " + error;
    return out;
}

} // namespace

TEST(Dialect, TimeEscapesBecomeEachBackendsTimeLiteral) {
    std::string sql = "WHERE (TM>={ts '2008-7-1 8:0:0'} AND TM<={TS'2008-07-31 23:59:59'})";
    EXPECT_EQ(Adapt(sql, Backend::Sqlite), "WHERE (TM>='2008-07-01 08:00:00' AND TM<='2008-07-31 23:59:59')");
    EXPECT_EQ(Adapt(sql, Backend::Postgres),
              "WHERE (TM>=TIMESTAMP '2008-07-01 08:00:00' AND TM<=TIMESTAMP '2008-07-31 23:59:59')");
    EXPECT_EQ(Adapt("{d '2008-07-01'} {t '8:30:00'} {fn UCASE(x)}", Backend::Postgres),
              "DATE '2008-07-01' TIME '08:30:00' UCASE(x)");
}

TEST(Dialect, NothingInsideLiteralsQuotedNamesOrCommentsIsTouched) {
    std::string sql = "SELECT 'a {ts ''x''} TRIM(1)', \"TRIM(\" -- {ts 'y'}\n/* TRIM( */ FROM T";
    EXPECT_EQ(Adapt(sql, Backend::Postgres), sql);
    EXPECT_EQ(Adapt(sql, Backend::Sqlite), sql);
}

TEST(Dialect, TrimOfAnExpressionIsRenamedForPostgresOnly) {
    EXPECT_EQ(Adapt("SELECT TRIM(FLOOR(AVG(V)*100)/100), trim (X)", Backend::Postgres),
              "SELECT vx_trim(FLOOR(AVG(V)*100)/100), vx_trim (X)");
    EXPECT_EQ(Adapt("SELECT TRIM(BOTH ' ' FROM X), TRIM(' ' FROM X), TRIMMED, TRIM", Backend::Postgres),
              "SELECT TRIM(BOTH ' ' FROM X), TRIM(' ' FROM X), TRIMMED, TRIM");
    EXPECT_EQ(Adapt("SELECT TRIM(X)", Backend::Sqlite), "SELECT TRIM(X)");
}

TEST(Dialect, DamagedTextIsRefusedWithAReason) {
    EXPECT_EQ(Adapt("SELECT * FROM T WHERE A='x", Backend::Sqlite), "ERROR: unterminated string literal");
    EXPECT_EQ(Adapt("SELECT \"A FROM T", Backend::Postgres), "ERROR: unterminated quoted name");
    EXPECT_EQ(Adapt("WHERE T>{ts '2008-01-01 00:00:00'", Backend::Sqlite),
              "ERROR: a time escape is not closed with }");
    EXPECT_EQ(Adapt("WHERE T>{ts 'yesterday'}", Backend::Postgres),
              "ERROR: not a time in escape: 'yesterday'");
    EXPECT_EQ(Adapt("WHERE T>{ts '2008-13-01'}", Backend::Sqlite),
              "ERROR: not a time in escape: '2008-13-01'");
    EXPECT_NE(Adapt("WHERE T>{xx '1'}", Backend::Sqlite).find("ERROR: unknown or damaged escape"),
              std::string::npos);
    EXPECT_EQ(Adapt("SELECT 1 /* open", Backend::Sqlite), "ERROR: unterminated comment");
}

TEST(Dialect, QuotedLiteralsDoubleTheirQuotes) {
    EXPECT_EQ(kes::QuoteLiteral("O'Brien'; DROP TABLE X; --"), "'O''Brien''; DROP TABLE X; --'");
}

TEST(Dialect, ARowLimitIsAddedOnlyWhereItKeepsTheFirstRows) {
    auto limited = [](const std::string& sql) {
        std::string out;
        return kes::WithRowLimit(sql, 1, out) ? out : "unchanged";
    };
    EXPECT_EQ(limited(" SELECT Z ,TM FROM KES.T WHERE ID=1 ORDER BY Z DESC ,TM ASC "),
              " SELECT Z ,TM FROM KES.T WHERE ID=1 ORDER BY Z DESC ,TM ASC\nLIMIT 1");
    // A closing comment or ";" cannot swallow the limit.
    EXPECT_EQ(limited("SELECT A FROM T ORDER BY A -- by value;\n"), "SELECT A FROM T ORDER BY A\nLIMIT 1");
    EXPECT_EQ(limited("SELECT A FROM T;; "), "SELECT A FROM T\nLIMIT 1");
    // Words inside parentheses, literals and names are no reason to refuse.
    EXPECT_EQ(limited("SELECT A FROM (SELECT A FROM T LIMIT 5) X WHERE B='FOR' AND \"LIMIT\"=1"),
              "SELECT A FROM (SELECT A FROM T LIMIT 5) X WHERE B='FOR' AND \"LIMIT\"=1\nLIMIT 1");
    for (const char* kept :
         {"SELECT A FROM T LIMIT 3", "SELECT A FROM T OFFSET 2", "select a from t for update",
          "SELECT A FROM T FETCH FIRST 2 ROWS ONLY", "SELECT A INTO B FROM T", "SELECT 1; SELECT 2",
          "UPDATE T SET A=1", "WITH X AS (SELECT 1) SELECT * FROM X", "SELECT (A FROM T", "SELECT 'A FROM T"})
        EXPECT_EQ(limited(kept), "unchanged") << kept;
}
