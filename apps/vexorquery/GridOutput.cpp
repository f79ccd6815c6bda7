#include "GridOutput.h"

#include "AtomicFile.h"
#include "GridPrinter.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace {

int Fail(const char* command, const std::string& message) {
    std::fprintf(stderr, "vexorquery %s: %s\n", command, message.c_str());
    return 1;
}

} // namespace

bool ReadGridOutput(const cli::ParsedArgs& args, CGridOutput& o, std::string& error) {
    o.out = args.Value("--out");
    if (args.Has("--format")) {
        o.format = args.Value("--format");
        if (o.format != "text" && o.format != "tsv" && o.format != "xlsx" && o.format != "xls") {
            error = "unknown format '" + o.format + "' (text, tsv or xlsx)";
            return false;
        }
    }
    if ((o.format == "xlsx" || o.format == "xls") && o.out.empty()) {
        error = "--format " + o.format + " needs --out FILE";
        return false;
    }
    return true;
}

int WriteGrid(const CGridIterator& grid, const CGridOutput& o, const char* command) {
    if (o.format == "xlsx" || o.format == "xls") {
        CString saveError;
        if (!grid.SaveData(o.out, &saveError)) return Fail(command, saveError.str());
        std::fprintf(stderr, "wrote %s: %ld rows\n", o.out.c_str(), grid.GetRowCount());
        return 0;
    }
    auto print = [&](std::FILE* out) {
        if (o.format == "tsv")
            PrintGridTsv(grid, out);
        else
            PrintGridAligned(grid, out);
    };
    if (o.out.empty()) {
        print(stdout);
        if (std::fflush(stdout) != 0 || std::ferror(stdout))
            return Fail(command, std::string("cannot write the output: ") + std::strerror(errno));
        return 0;
    }
    mfc::CAtomicFile file(o.out);
    std::FILE* out = file.Open() ? file.Stream() : nullptr;
    if (out) print(out);
    if (!out || !file.Commit()) return Fail(command, file.Error());
    return 0;
}
