#pragma once
// The day's log of writing statements and database errors, "VexorINIError.txt", in one folder
// of the user: $VEXOR_LOG_DIR when set, else $XDG_STATE_HOME/vexorquery (else
// ~/.local/state/vexorquery), created private. The file holds one day: the first entry of a
// new day moves the earlier file aside as "VexorINIError-YYYY-MM-DD.txt" (the date of its last
// entry); dated files older than 31 days are removed then. A day's file that reaches 64 MiB is
// moved aside as "VexorINIError-YYYY-MM-DD.N.txt". The log is never opened through a link, and
// only a regular file of the user's own is written.
//
// A log that cannot be written loses the entry and nothing else; the first such loss in a
// process is said on standard error and told to the failure reporter, if one is installed.
#include "CString.h"

#include <functional>
#include <string>

namespace daylog {

constexpr const char* kFileName = "VexorINIError.txt";
constexpr int kDaysKept = 31;
constexpr long long kLargestFile = 64LL << 20;

std::string LogDirectory();
std::string LogFilePath();
// Time line and statement: "%Y年%m月%d日%H时%M分%S秒" CR, text CR CR LF CR.
void AppendStatement(const CString& text);
// Text alone: text CR CR LF.
void AppendLine(const CString& text);

// Where a program with a status line shows the loss of entries; returns the one it replaces.
using FailureReporter = std::function<void(const std::string& message)>;
FailureReporter SetFailureReporter(FailureReporter reporter);

} // namespace daylog
