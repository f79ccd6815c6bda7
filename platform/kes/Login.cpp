#include "Login.h"

#include "DataService.h"
#include "DataSource.h"
#include "Dialect.h"
#include "ValueText.h"

#include <sodium.h>

#include <mutex>
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

PasswordVerifier& Verifier() {
    static PasswordVerifier verifier;
    return verifier;
}

int Verify(const std::string& hash, const CString& password) {
    if (Verifier()) return Verifier()(hash, password);
    return crypto_pwhash_str_verify(hash.c_str(), password.GetString(), std::size_t(password.GetLength()));
}

// A hash of a random password at the current cost, made once per process (again when the
// cost changes): unknown users are checked against it, and it matches no password.
const std::string& DummyHash() {
    static std::mutex mutex;
    static HashLimits madeWith{0, 0};
    static std::string hash;
    std::lock_guard lock(mutex);
    if (madeWith.ops != Limits().ops || madeWith.mem != Limits().mem || hash.empty()) {
        unsigned char secret[32];
        randombytes_buf(secret, sizeof secret);
        char out[crypto_pwhash_STRBYTES];
        if (crypto_pwhash_str(out, reinterpret_cast<const char*>(secret), sizeof secret, Limits().ops,
                              Limits().mem) == 0) {
            hash = out;
            madeWith = Limits();
        }
        sodium_memzero(secret, sizeof secret);
    }
    return hash;
}

// Refuses a login after the same work as a known user's wrong password.
// The reason of a refused name or password; any other reason is a failure to check.
constexpr const char* kRefused = "unknown user or wrong password";

int RefuseUnknown(const CString& password, std::string& error) {
    Verify(DummyHash(), password);
    if (error.empty()) error = kRefused;
    return -1;
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

PasswordVerifier SetPasswordVerifier(PasswordVerifier verifier) {
    return std::exchange(Verifier(), std::move(verifier));
}

int CheckUser(const CString& name, const CString& password, std::string& error) {
    error.clear();
    if (sodium_init() < 0) {
        error = "the password library cannot start";
        return -1;
    }
    std::string nameError;
    if (!ValidName(name, nameError)) return RefuseUnknown(password, error);
    std::string hash;
    bool canModify = false;
    if (!Lookup(name, hash, canModify, error)) return RefuseUnknown(password, error);
    if (Verify(hash, password) != 0) {
        error = kRefused;
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
        if (kind != 3) return -1;
        if (!kes::Responder()) return kLoginCancelled;
        kes::Credentials answer;
        bool given = kes::Responder()(text.IsEmpty() ? CString("请输入用户名和口令") : text, answer);
        kes::Wiped password{answer.password.str()};
        answer.password = CString();
        if (!given) return kLoginCancelled;
        std::string error;
        int right = kes::CheckUser(answer.user, CString(password.text), error);
        if (right < 0) return error == kes::kRefused ? kLoginRefused : kLoginFailed;
        kes::CurrentUser() = answer.user;
        if (user) *user = answer.user;
        return right;
    } catch (const std::exception&) {
        return kLoginFailed;
    }
}
