#pragma once
// --user of the writing commands: the password is the first line of standard input, asked
// through the same login the window uses; the user must be allowed to modify data.
#include <string>

bool LogInFromInput(const std::string& user, std::string& error);
