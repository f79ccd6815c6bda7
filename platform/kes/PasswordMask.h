#pragma once
// Passwords out of messages. A data source text may reach a message whole (the client library
// quotes a malformed URI in its error), so every message about the data source is passed
// through MaskPasswords before anyone sees it.
#include <string>
#include <string_view>

namespace kes {

// The text with the value of every password it holds replaced by "***": the userinfo
// password of a "postgresql://user:PW@host" URI, "password=PW" words (blanks around "=",
// single-quoted values with backslash escapes, any keyword ending in "password" such as
// sslpassword) and "?password=PW" / "&password=PW" URI parameters. Keywords are matched
// without regard to case. What cannot be told apart is masked rather than shown.
std::string MaskPasswords(std::string_view text);

} // namespace kes
