// vexorquery user add NAME [--can-modify] [--db URI]
// vexorquery user passwd NAME [--db URI]
// Manages the users of the data service. The password is read from the terminal without
// echo (asked twice), or as the first line of standard input when that is no terminal;
// never from the command line, where other users of the machine could see it.
#include "Commands.h"

#include "CommandLine.h"

#include "DataSource.h"
#include "Login.h"

#include <termios.h>
#include <unistd.h>

#include <cstdio>
#include <iostream>
#include <string>

namespace {

bool ReadLine(std::string& line) {
    if (!std::getline(std::cin, line)) return false;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
}

bool ReadHidden(const char* prompt, std::string& line) {
    std::fputs(prompt, stderr);
    std::fflush(stderr);
    termios old{};
    bool restore = tcgetattr(STDIN_FILENO, &old) == 0;
    if (restore) {
        termios quiet = old;
        quiet.c_lflag &= ~tcflag_t(ECHO);
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
    }
    bool ok = ReadLine(line);
    if (restore) tcsetattr(STDIN_FILENO, TCSAFLUSH, &old);
    std::fputs("\n", stderr);
    return ok;
}

bool ReadPassword(std::string& password) {
    if (!isatty(STDIN_FILENO)) return ReadLine(password);
    std::string again;
    if (!ReadHidden("Password: ", password) || !ReadHidden("Repeat password: ", again)) return false;
    if (password != again) {
        std::fputs("vexorquery user: the passwords differ\n", stderr);
        return false;
    }
    return true;
}

} // namespace

int RunUserCommand(const Args& args) {
    const char* usage = "usage: vexorquery user add NAME [--can-modify] [--db URI]\n"
                        "       vexorquery user passwd NAME [--db URI]\n";
    static constexpr cli::OptionSpec kOptions[] = {{"--can-modify", false}, {"--db", true}};
    cli::ParsedArgs parsed;
    if (auto status = cli::ReadCommandArgs("user", args, kOptions, 0, 2, usage, parsed)) return *status;
    const std::string action = parsed.positional.size() > 0 ? parsed.positional[0] : "";
    const std::string name = parsed.positional.size() > 1 ? parsed.positional[1] : "";
    const std::string db = parsed.Value("--db");
    const bool canModify = parsed.Has("--can-modify");
    if ((action != "add" && action != "passwd") || name.empty() || (canModify && action != "add")) {
        std::fputs(usage, stderr);
        return 1;
    }
    if (!db.empty()) kes::SetDataSource(db);
    std::string password, error;
    if (!ReadPassword(password) || password.empty()) {
        std::fputs("vexorquery user: no password given\n", stderr);
        return 1;
    }
    bool ok = action == "add" ? kes::AddUser(CString(name), CString(password), canModify, error)
                              : kes::SetUserPassword(CString(name), CString(password), error);
    password.assign(password.size(), '\0');
    if (!ok) {
        std::fprintf(stderr, "vexorquery user: %s\n", error.c_str());
        return 1;
    }
    std::printf("%s %s\n", action == "add" ? "added user" : "changed the password of", name.c_str());
    return 0;
}
