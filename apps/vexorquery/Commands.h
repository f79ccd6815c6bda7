#pragma once
// The subcommands of the vexorquery tool. Each takes its own arguments (after the command
// word) and returns the process exit status: 0 success, 1 bad input or failure.
#include <string>
#include <vector>

using Args = std::vector<std::string>;

int RunCompareCommand(const Args& args);
int RunConfigureCommand(const Args& args);
int RunDisplayCommand(const Args& args);
int RunDemoDbCommand(const Args& args);
int RunDemoDisplayCommand(const Args& args);
int RunEditCommand(const Args& args);
int RunInventoryCommand(const Args& args);
int RunPointsCommand(const Args& args);
int RunQueryCommand(const Args& args);
int RunSqlCommand(const Args& args);
int RunUnitEntryCommand(const Args& args);
int RunUserCommand(const Args& args);
