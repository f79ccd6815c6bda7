#pragma once
// The command line of vexorhost:
//   vexorhost [--db URI] [--edit|--run] [--module PATH]... [--snapshot PNG [--after-refresh]]
//             [--property N [--page K]] [DISPLAY]
#include <string>
#include <vector>

struct HostOptions {
    enum class Mode { Edit, Run };
    std::string db; // empty: the data source the environment names
    Mode mode = Mode::Edit;
    bool modeGiven = false;
    std::vector<std::string> modules; // module files loaded besides the plug-in folders
    std::string snapshot;             // PNG to write headless, then exit
    bool afterRefresh = false;        // the snapshot waits for one show-and-query
    int property = 0;                 // with snapshot: picture element N's property sheet instead
    int page = 1;                     // its page K
    std::string display;              // display file to open
};

extern const char* const kHostUsage;

// False with a message for the user when the arguments make no sense.
bool ParseHostOptions(const std::vector<std::string>& args, HostOptions& options, std::string& error);
