// Users, passwords and the login of the data service; notices on the local channel.
#include "Login.h"
#include "DataService.h"
#include "Notice.h"
#include "TestDatabase.h"

#include <sodium.h>

#include <gtest/gtest.h>

namespace {

class Login : public ::testing::TestWithParam<testdb::Kind> {
protected:
    void SetUp() override {
        TESTDB_OPEN(m_db, GetParam());
        // The library's minimum cost keeps hashing in tests to milliseconds.
        kes::SetPasswordHashLimits(crypto_pwhash_OPSLIMIT_MIN, crypto_pwhash_MEMLIMIT_MIN);
        std::string error;
        ASSERT_TRUE(kes::AddUser("张三", "river-level-1", true, error)) << error;
        ASSERT_TRUE(kes::AddUser("viewer", "look only", false, error)) << error;
        kes::LogOut();
    }
    void TearDown() override {
        kes::SetCredentialResponder({});
        kes::LogOut();
    }
    // Installs a responder that answers with these credentials and counts the questions.
    void Answer(const char* user, const char* password, bool given = true) {
        kes::SetCredentialResponder([=, this](const CString&, kes::Credentials& c) {
            ++m_asked;
            c.user = user;
            c.password = password;
            return given;
        });
    }
    std::unique_ptr<testdb::TestDatabase> m_db;
    int m_asked = 0;
};

} // namespace

TEST_P(Login, RightPasswordGrantsByTheUsersRight) {
    CString user;
    Answer("张三", "river-level-1");
    EXPECT_EQ(KesLogin(nullptr, &user, "", 3), 1);
    EXPECT_EQ(m_asked, 1);
    CString name;
    EXPECT_EQ(KesLogin(nullptr, &name, "", 1), 0);
    EXPECT_EQ(name, "张三");

    Answer("viewer", "look only");
    EXPECT_EQ(KesLogin(nullptr, &user, "", 3), 0); // known, but may not modify
}

TEST_P(Login, WrongPasswordUnknownUserAndCancelAreRefused) {
    CString name;
    // A refusal and a cancelled question answer apart: only the first is worth asking again.
    Answer("张三", "river-level-2");
    EXPECT_EQ(KesLogin(nullptr, nullptr, "", 3), kLoginRefused);
    EXPECT_LT(KesLogin(nullptr, &name, "", 1), 0); // nobody logged in
    Answer("nobody", "river-level-1");
    EXPECT_EQ(KesLogin(nullptr, nullptr, "", 3), kLoginRefused);
    Answer("x' OR '1'='1", "x' OR '1'='1");
    EXPECT_EQ(KesLogin(nullptr, nullptr, "", 3), kLoginRefused);
    Answer("张三", "river-level-1", false);
    EXPECT_EQ(KesLogin(nullptr, nullptr, "", 3), kLoginCancelled);
    kes::SetCredentialResponder({});
    EXPECT_EQ(KesLogin(nullptr, nullptr, "", 3), kLoginCancelled);
    EXPECT_LT(KesLogin(nullptr, nullptr, "", 2), 0);
}

TEST_P(Login, StoredPasswordsAreSaltedHashesAndCanBeChanged) {
    std::string error;
    EXPECT_FALSE(kes::AddUser("viewer", "again", true, error));
    EXPECT_NE(error.find("exists"), std::string::npos);
    EXPECT_FALSE(kes::AddUser("a,b", "pw", true, error));
    EXPECT_FALSE(kes::SetUserPassword("ghost", "pw", error));
    ASSERT_TRUE(kes::AddUser("twin", "river-level-1", true, error)) << error;

    std::vector<std::string> rows =
        testdb::Rows("SELECT USERNAME,PWHASH FROM KES.VEXOR_USERS ORDER BY USERNAME");
    ASSERT_EQ(rows.size(), 3u);
    for (const std::string& row : rows) {
        EXPECT_EQ(row.find("river-level"), std::string::npos) << row;
        EXPECT_EQ(row.find("look only"), std::string::npos) << row;
        EXPECT_NE(row.find("$argon2id$"), std::string::npos) << row;
    }
    // The same password under two names gives two different hashes (salted).
    EXPECT_NE(rows[0].substr(rows[0].find(',')), rows[1].substr(rows[1].find(',')));
    EXPECT_EQ(rows[0].substr(0, 5), "twin,");

    ASSERT_TRUE(kes::SetUserPassword("viewer", "new words", error)) << error;
    EXPECT_EQ(kes::CheckUser("viewer", "look only", error), -1);
    EXPECT_EQ(kes::CheckUser("viewer", "new words", error), 0);
}

// Unknown names cost the same work as known ones: each answer comes after one verification
// against a hash of the configured cost.
TEST_P(Login, UnknownUsersAreCheckedAgainstAHashOfTheSameCost) {
    std::vector<std::string> checked;
    kes::SetPasswordVerifier([&](const std::string& hash, const CString& password) {
        checked.push_back(hash);
        return crypto_pwhash_str_verify(hash.c_str(), password.GetString(),
                                        std::size_t(password.GetLength()));
    });
    std::string error;
    EXPECT_EQ(kes::CheckUser("nobody", "river-level-1", error), -1);
    EXPECT_EQ(error, "unknown user or wrong password");
    EXPECT_EQ(kes::CheckUser("no,body", "river-level-1", error), -1); // a name no user can have
    EXPECT_EQ(kes::CheckUser("张三", "wrong", error), -1);
    EXPECT_EQ(kes::CheckUser("张三", "river-level-1", error), 1);
    Answer("nobody", "look only");
    EXPECT_LT(KesLogin(nullptr, nullptr, "", 3), 0);
    kes::SetPasswordVerifier({});

    ASSERT_EQ(checked.size(), 5u);
    for (const std::string& hash : checked) {
        SCOPED_TRACE(hash);
        EXPECT_EQ(crypto_pwhash_str_needs_rehash(hash.c_str(), crypto_pwhash_OPSLIMIT_MIN,
                                                 crypto_pwhash_MEMLIMIT_MIN),
                  0);
    }
    EXPECT_EQ(checked[0], checked[1]); // one stand-in hash, made once
    EXPECT_EQ(checked[0], checked[4]);
    EXPECT_EQ(checked[2], checked[3]); // the user's own hash
    EXPECT_NE(checked[0], checked[2]);
}

INSTANTIATE_TEST_SUITE_P(Backends, Login, ::testing::Values(testdb::Kind::Sqlite, testdb::Kind::Postgres),
                         [](const auto& info) {
                             return info.param == testdb::Kind::Sqlite ? "SQLite" : "PostgreSQL";
                         });

TEST(Notices, LongTextsAreNotSentOthersReachTheChannel) {
    std::vector<kes::Notice> seen;
    kes::SetNoticeSink([&](const kes::Notice& n) { seen.push_back(n); });
    EXPECT_EQ(BrdNetMsg("调度台", "水位越限"), 0);
    // Counted in the code page: 499 hanzi and a letter are 999 bytes (1498 in UTF-8).
    std::string hanzi;
    for (int i = 0; i < 499; ++i)
        hanzi += "水";
    EXPECT_EQ(BrdNetMsg("all", CString(hanzi + "a")), 0);
    EXPECT_LT(BrdNetMsg("all", CString(hanzi + "水")), 0);
    EXPECT_LT(BrdNetMsg(std::string(1000, 't').c_str(), "x"), 0);
    EXPECT_EQ(BrdNetMsg(nullptr, "x"), 0);
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0].target, "调度台");
    EXPECT_EQ(kes::RecentNotices().back().message, "x");
    kes::SetNoticeSink({});
}
