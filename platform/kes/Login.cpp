#include "Login.h"

#include "DataService.h"
#include "DataSource.h"
#include "Dialect.h"
#include "ValueText.h"

#include <sodium.h>

#include <stdexcept>
#include <utility>

namespace kes {
namespace {

struct HashLimits {
    unsigned long long ops = crypto_pwhash_OPSLIMIT_INTERACTIVE;
    std::size_t mem = crypto_pwhash_MEMLIMIT_INTERACTIVE;
};

HashLimits& Limits() {
    static HashLimits limits;
    return limits;
}

CredentialResponder& Responder() {
    static CredentialResponder responder;
    return responder;
}

CString& CurrentUser() {
    static CString user;
    return user;
}

const char* kCreateTable = "CREATE TABLE IF NOT EXISTS KES.VEXOR_USERS (USERNAME VARCHAR(64) PRIMARY KEY, "
                           "PWHASH VARCHAR(255) NOT NULL, CANMODIFY INTEGER NOT NULL)";

// Wipes a password from memory when it goes out of scope.
struct Wiped {
    std::string text;
    ~Wiped() { sodium_memzero(text.data(), text.size()); }
};

bool Run(const std::string& sql, CObArray& reply, std::string& error) {
    Connection* conn = CurrentConnection(error);
    return conn && conn->Run(sql, reply, error);
}

// User names go into statements (quoted) and come back in reply rows, where a comma or a
// parenthesis would split them; such names are refused.
bool ValidName(const CString& name, std::string& error) {
    if (name.IsEmpty() || name.GetLength() > 64) {
        error = "a user name has 1 to 64 bytes";
        return false;
    }
    for (char c : name.str())
        if (static_cast<unsigned char>(c) < 0x20 || c == ',' || c == '(' || c == ')' || c == '\'') {
            error = "a user name may not hold control characters, commas, quotes or parentheses";
            return false;
        }
    return true;
}

bool Hash(const CString& password, std::string& hash, std::string& error) {
    if (sodium_init() < 0) {
        error = "the password library cannot start";
        return false;
    }
    if (password.IsEmpty()) {
        error = "an empty password is not accepted";
        return false;
    }
    char out[crypto_pwhash_STRBYTES];
    if (crypto_pwhash_str(out, password.GetString(), std::size_t(password.GetLength()), Limits().ops,
                          Limits().mem) != 0) {
        error = "not enough memory to hash the password";
        return false;
    }
    hash = out;
    return true;
}

// The stored hash and right of a user; false with error empty when there is no such user.
bool Lookup(const CString& name, std::string& hash, bool& canModify, std::string& error) {
    CObArray created, reply;
    if (!Run(kCreateTable, created, error)) return false;
    if (!Run("SELECT CANMODIFY,PWHASH FROM KES.VEXOR_USERS WHERE USERNAME=" + QuoteLiteral(name.str()), reply,
             error))
        return false;
    if (reply.IsEmpty()) return false;
    std::vector<std::string> cells = SplitReplyRow(static_cast<const CSqlStr&>(reply[0]).m_strSql.str());
    if (cells.size() != 2) return false;
    canModify = TextToInt(cells[0]) >= 1;
    hash = cells[1];
    return true;
}

} // namespace

CredentialResponder SetCredentialResponder(CredentialResponder responder) {
    return std::exchange(Responder(), std::move(responder));
}

void SetPasswordHashLimits(unsigned long long opsLimit, std::size_t memLimit) {
    Limits().ops = opsLimit;
    Limits().mem = memLimit;
}

bool AddUser(const CString& name, const CString& password, bool canModify, std::string& error) {
    error.clear();
    if (!ValidName(name, error)) return false;
    std::string hash, existing;
    bool right = false;
    if (Lookup(name, existing, right, error)) {
        error = "the user " + name.str() + " exists already";
        return false;
    }
    if (!error.empty() || !Hash(password, hash, error)) return false;
    CObArray reply;
    return Run("INSERT INTO KES.VEXOR_USERS(USERNAME,PWHASH,CANMODIFY) VALUES(" + QuoteLiteral(name.str()) +
                   "," + QuoteLiteral(hash) + "," + (canModify ? "1" : "0") + ")",
               reply, error);
}

bool SetUserPassword(const CString& name, const CString& password, std::string& error) {
    error.clear();
    if (!ValidName(name, error)) return false;
    std::string existing, hash;
    bool right = false;
    if (!Lookup(name, existing, right, error)) {
        if (error.empty()) error = "there is no user " + name.str();
        return false;
    }
    if (!Hash(password, hash, error)) return false;
    CObArray reply;
    return Run("UPDATE KES.VEXOR_USERS SET PWHASH=" + QuoteLiteral(hash) +
                   " WHERE USERNAME=" + QuoteLiteral(name.str()),
               reply, error);
}

int CheckUser(const CString& name, const CString& password, std::string& error) {
    error.clear();
    std::string nameError;
    if (!ValidName(name, nameError) || sodium_init() < 0) {
        error = "unknown user or wrong password";
        return -1;
    }
    std::string hash;
    bool canModify = false;
    if (!Lookup(name, hash, canModify, error)) {
        if (error.empty()) error = "unknown user or wrong password";
        return -1;
    }
    if (crypto_pwhash_str_verify(hash.c_str(), password.GetString(), std::size_t(password.GetLength())) !=
        0) {
        error = "unknown user or wrong password";
        return -1;
    }
    return canModify ? 1 : 0;
}

CString LoggedInUser() {
    return CurrentUser();
}

void LogOut() {
    CurrentUser().Empty();
}

} // namespace kes

int KesLogin(void*, CString* user, const CString& text, int kind) {
    try {
        if (kind == 1) {
            if (!user || kes::CurrentUser().IsEmpty()) return -1;
            *user = kes::CurrentUser();
            return 0;
        }
        if (kind != 3 || !kes::Responder()) return -1;
        kes::Credentials answer;
        bool given = kes::Responder()(text.IsEmpty() ? CString("请输入用户名和口令") : text, answer);
        kes::Wiped password{answer.password.str()};
        answer.password = CString();
        if (!given) return -1;
        std::string error;
        int right = kes::CheckUser(answer.user, CString(password.text), error);
        if (right < 0) return -1;
        kes::CurrentUser() = answer.user;
        if (user) *user = answer.user;
        return right;
    } catch (const std::exception&) {
        return -1;
    }
}
