#pragma once
// The day's log of writing statements and database errors, "VexorINIError.txt". It lies in
// the directory named by the VEXOR_LOG_DIR environment variable, else in the current
// directory. The file holds one day: an entry made on another date than the file's last
// change starts it afresh. A log that cannot be written loses the entry and nothing else.
#include "CString.h"

#include <string>

namespace daylog {

std::string LogFilePath();
// Time line and statement: "%Y年%m月%d日%H时%M分%S秒" CR, text CR CR LF CR.
void AppendStatement(const CString& text);
// Text alone: text CR CR LF.
void AppendLine(const CString& text);

} // namespace daylog
