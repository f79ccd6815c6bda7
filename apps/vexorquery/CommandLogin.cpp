#include "CommandLogin.h"

#include "DataService.h"
#include "Login.h"

#include <algorithm>
#include <iostream>
#include <utility>

// Logs the user in through the same question the window asks, answered from the options.
bool LogInFromInput(const std::string& user, std::string& error) {
    std::string password;
    if (!std::getline(std::cin, password)) {
        error = "--user needs the password as the first line of standard input";
        return false;
    }
    if (!password.empty() && password.back() == '\r') password.pop_back();
    auto previous = kes::SetCredentialResponder([&](const CString&, kes::Credentials& answer) {
        answer.user = CString(user);
        answer.password = CString(password);
        return true;
    });
    CString name;
    const int right = KesLogin(nullptr, &name, "", 3);
    kes::SetCredentialResponder(std::move(previous));
    std::fill(password.begin(), password.end(), '\0');
    if (right < 0)
        error = "login failed: unknown user or wrong password";
    else if (right == 0)
        error = "user " + user + " may not modify data";
    return right >= 1;
}
