// vexorquery demo-db URI [--scale N] [--force]
// Builds the demo database at URI ("sqlite:PATH" or a PostgreSQL connection string): the
// settings tables, twenty stations with three years of data (N x 20 stations with --scale),
// the generating units and the users admin and viewer. An existing database is replaced only
// with --force.
#include "Commands.h"

#include "CommandLine.h"
#include "DemoDatabase.h"

#include <chrono>
#include <cstdio>
#include <string>

namespace {

constexpr int kMaxScale = 50; // station ids of a copy differ from the named one in the last two digits

const char* kUsage = "usage: vexorquery demo-db URI [--scale N] [--force]\n"
                     "  URI      sqlite:PATH or a PostgreSQL connection string\n"
                     "  N        stations x 20, 1 to 50 (default 1)\n"
                     "  --force  replace an existing database (the file, or the tables of schema kes)\n";

constexpr cli::OptionSpec kOptions[] = {{"--scale", true}, {"--compact", false}, {"--force", false}};

} // namespace

int RunDemoDbCommand(const Args& args) {
    cli::ParsedArgs parsed;
    if (auto status = cli::ReadCommandArgs("demo-db", args, kOptions, 1, 1, kUsage, parsed)) return *status;
    std::string error;
    const std::string& uri = parsed.positional[0];
    demo::DemoOptions options;
    if (parsed.Has("--scale")) {
        long long scale = 0;
        if (!cli::ReadWholeNumber(parsed.Value("--scale"), 1, kMaxScale, scale)) {
            std::fprintf(stderr, "vexorquery demo-db: --scale needs a whole number from 1 to %d\n%s",
                         kMaxScale, kUsage);
            return 1;
        }
        options.scale = int(scale);
    }
    options.compact = parsed.Has("--compact"); // for tests: one month of hourly data
    options.replace = parsed.Has("--force");
    options.progress = [](const std::string& line) {
        std::printf("%s\n", line.c_str());
        std::fflush(stdout);
    };
    auto started = std::chrono::steady_clock::now();
    if (!demo::BuildDemoDatabase(uri, options, error)) {
        std::fprintf(stderr, "vexorquery demo-db: %s\n", error.c_str());
        return 1;
    }
    double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("完成：%lld 行，用时 %.1f 秒。演示用户 admin/admin（可修改）、viewer/viewer（只读）。\n",
                demo::LastBuildRowCount(), seconds);
    return 0;
}
