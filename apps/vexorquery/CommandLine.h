#pragma once
// Reading the vexorquery command line: options and their values, whole numbers and times.
// Everything here refuses what it does not fully understand (trailing characters, numbers out
// of range, dates that do not exist) instead of reading a prefix of it.
#include "WholeNumber.h"

#include <cstddef>
#include <map>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace cli {

struct OptionSpec {
    std::string_view name; // with its dashes: "--table"
    bool takesValue = false;
};

struct ParsedArgs {
    std::map<std::string, std::string, std::less<>> values;           // the last value of each option given
    std::map<std::string, std::vector<std::string>, std::less<>> all; // every value, in order
    std::set<std::string, std::less<>> flags;
    std::vector<std::string> positional;
    bool help = false; // --help or -h stood in an option's place; nothing after it was read

    bool Has(std::string_view option) const { return flags.count(option) || values.count(option); }
    std::string Value(std::string_view option) const;
    // Every value of an option that may be given more than once (--set A=1 --set B=2).
    const std::vector<std::string>& Values(std::string_view option) const;
};

// Reads args against the known options. An argument starting with "-" that is no known option,
// an option without its value and more than maxPositional other arguments are refused with
// error filled. The word after an option that takes a value is always its value.
bool ParseArgs(const std::vector<std::string>& args, std::span<const OptionSpec> options,
               std::size_t maxPositional, ParsedArgs& out, std::string& error);

// The start of every subcommand: reads its arguments against its options. Bad arguments, or
// fewer positional ones than minPositional, print the reason and the usage on standard error
// and give exit status 1; --help prints the usage on standard output and gives 0; otherwise
// nothing is printed and the command goes on (nullopt).
std::optional<int> ReadCommandArgs(std::string_view command, const std::vector<std::string>& args,
                                   std::span<const OptionSpec> options, std::size_t minPositional,
                                   std::size_t maxPositional, const char* usage, ParsedArgs& out);
// "vexorquery COMMAND: REASON" and the usage on standard error; answers exit status 1.
int UsageError(std::string_view command, const std::string& reason, const char* usage);

// A whole decimal number from min to max (see WholeNumber.h).
using ::ReadWholeNumber;

// "YYYY-MM-DD HH:MM:SS" or a leading part of it ending after a field (YYYY, YYYY-MM,
// YYYY-MM-DD, ...), year 1000 to 9999, a real date and time of day. Fields left out are the
// start of their period. normal is the full "%Y-%m-%d %H:%M:%S" text.
bool ReadTime(std::string_view text, std::string& normal);

} // namespace cli
