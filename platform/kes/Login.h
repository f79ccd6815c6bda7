#pragma once
// Users of the data service and their login. Users live in the table KES.VEXOR_USERS of the
// served database: USERNAME (the login name), PWHASH (a salted Argon2id hash from
// libsodium's crypto_pwhash_str, never the password) and CANMODIFY (1 when the user may
// modify data). How the name and password are asked is left to an installed responder: the
// windowed build installs a dialog, tests and the command-line tool their own.
#include "CString.h"

#include <cstddef>
#include <functional>
#include <string>

namespace kes {

struct Credentials {
    CString user;
    CString password;
};

// Fills the credentials and answers true, or answers false when the user cancels.
using CredentialResponder = std::function<bool(const CString& prompt, Credentials& answer)>;
// Installs a responder and returns the one it replaces.
CredentialResponder SetCredentialResponder(CredentialResponder responder);

// Cost of new password hashes. The default is libsodium's interactive limits; tests lower
// them to the library's minimum so that a hash takes milliseconds.
void SetPasswordHashLimits(unsigned long long opsLimit, std::size_t memLimit);

// Checks a password against a stored hash: 0 when they match. The default is libsodium's
// verification; tests install their own to see which hashes a login checks.
using PasswordVerifier = std::function<int(const std::string& hash, const CString& password)>;
// Installs a verifier (an empty one restores the default) and returns the one it replaces.
PasswordVerifier SetPasswordVerifier(PasswordVerifier verifier);

// Each answers false with error filled when it fails.
bool AddUser(const CString& name, const CString& password, bool canModify, std::string& error);
bool SetUserPassword(const CString& name, const CString& password, std::string& error);

// 1 known user who may modify, 0 known user who may not, -1 unknown user, wrong password or
// a database failure (error says which). An unknown name costs one verification against a
// hash of the same cost, so that the time of the answer does not tell which users exist.
int CheckUser(const CString& name, const CString& password, std::string& error);

// The user of the last successful login of this process, empty when nobody has logged in.
CString LoggedInUser();
void LogOut();

} // namespace kes
