// vexorquery demo-db URI [--scale N]
// Builds the demo database at URI ("sqlite:PATH" or a PostgreSQL connection string): the
// settings tables, twenty stations with three years of data (N x 20 stations with --scale),
// the generating units and the users admin and viewer.
#include "Commands.h"

#include "DemoDatabase.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr int kMaxScale = 50; // station ids of a copy differ from the named one in the last two digits

bool ReadScale(const std::string& text, int& scale) {
    if (text.empty() || text.size() > 3) return false;
    for (char c : text)
        if (c < '0' || c > '9') return false;
    scale = std::atoi(text.c_str());
    return scale >= 1 && scale <= kMaxScale;
}

} // namespace

int RunDemoDbCommand(const Args& args) {
    const char* usage = "usage: vexorquery demo-db URI [--scale N]\n"
                        "  URI  sqlite:PATH or a PostgreSQL connection string\n"
                        "  N    stations x 20, 1 to 50 (default 1)\n";
    std::string uri;
    demo::DemoOptions options;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--scale") {
            if (i + 1 >= args.size() || !ReadScale(args[i + 1], options.scale)) {
                std::fprintf(stderr, "vexorquery demo-db: --scale needs a whole number from 1 to %d\n%s",
                             kMaxScale, usage);
                return 1;
            }
            ++i;
        } else if (args[i] == "--compact") {
            options.compact = true; // for tests: one month of hourly data
        } else if (!args[i].empty() && args[i][0] == '-') {
            std::fprintf(stderr, "vexorquery demo-db: unknown option '%s'\n%s", args[i].c_str(), usage);
            return 1;
        } else if (uri.empty()) {
            uri = args[i];
        } else {
            std::fprintf(stderr, "vexorquery demo-db: unexpected argument '%s'\n%s", args[i].c_str(), usage);
            return 1;
        }
    }
    if (uri.empty()) {
        std::fputs(usage, stderr);
        return 1;
    }
    options.progress = [](const std::string& line) {
        std::printf("%s\n", line.c_str());
        std::fflush(stdout);
    };
    auto started = std::chrono::steady_clock::now();
    std::string error;
    if (!demo::BuildDemoDatabase(uri, options, error)) {
        std::fprintf(stderr, "vexorquery demo-db: %s\n", error.c_str());
        return 1;
    }
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("完成：%lld 行，用时 %.1f 秒。演示用户 admin/admin（可修改）、viewer/viewer（只读）。\n",
                demo::LastBuildRowCount(), seconds);
    return 0;
}
