#include "HostOptions.h"

#include "WholeNumber.h"

const char* const kHostUsage =
    "usage: vexorhost [--db URI] [--edit|--run] [--module PATH]... [--snapshot PNG [--after-refresh]] "
    "[--property N [--page K]] [DISPLAY]\n"
    "  --db URI         data source: sqlite:PATH or a PostgreSQL connection string\n"
    "                   (default: VEXOR_DB, the config file, the demo database)\n"
    "  --edit, --run    open the display for editing (default) or run it\n"
    "  --module PATH    load this module besides those of the plug-in folders\n"
    "  --snapshot PNG   run the display headless, write the whole canvas to PNG and exit\n"
    "  --after-refresh  with --snapshot: let every element show and query first\n"
    "  --property N     with --snapshot and --edit: picture the open property sheet of element N\n"
    "                   (numbered as 'vexorquery display' numbers them) instead of the display\n"
    "  --page K         with --property: the sheet's page K (1 the first, default 1)\n";

bool ParseHostOptions(const std::vector<std::string>& args, HostOptions& o, std::string& error) {
    bool propertyGiven = false;
    bool pageGiven = false;
    auto value = [&](std::size_t& i, std::string& into) {
        if (i + 1 >= args.size() || args[i + 1].empty()) {
            error = args[i] + " needs a value";
            return false;
        }
        into = args[++i];
        return true;
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--db") {
            if (!value(i, o.db)) return false;
        } else if (a == "--edit" || a == "--run") {
            HostOptions::Mode mode = a == "--edit" ? HostOptions::Mode::Edit : HostOptions::Mode::Run;
            if (o.modeGiven && o.mode != mode) {
                error = "--edit and --run exclude each other";
                return false;
            }
            o.mode = mode;
            o.modeGiven = true;
        } else if (a == "--module") {
            std::string path;
            if (!value(i, path)) return false;
            o.modules.push_back(path);
        } else if (a == "--snapshot") {
            if (!value(i, o.snapshot)) return false;
        } else if (a == "--property" || a == "--page") {
            std::string text;
            if (!value(i, text)) return false;
            long long n = 0;
            if (!ReadWholeNumber(text, 1, 1000000, n)) {
                error = a + " needs a number from 1, not '" + text + "'";
                return false;
            }
            (a == "--property" ? o.property : o.page) = int(n);
            (a == "--property" ? propertyGiven : pageGiven) = true;
        } else if (a == "--after-refresh") {
            o.afterRefresh = true;
        } else if (a.starts_with("-") && a != "-") {
            error = "unknown option '" + a + "'";
            return false;
        } else if (o.display.empty()) {
            o.display = a;
        } else {
            error = "more than one display file ('" + o.display + "', '" + a + "')";
            return false;
        }
    }
    if (o.afterRefresh && o.snapshot.empty()) {
        error = "--after-refresh belongs to --snapshot";
        return false;
    }
    if (pageGiven && !propertyGiven) {
        error = "--page belongs to --property";
        return false;
    }
    if (propertyGiven) {
        if (o.snapshot.empty() || o.afterRefresh || (o.modeGiven && o.mode == HostOptions::Mode::Run)) {
            error = "--property goes with --snapshot and --edit (a sheet opens while the display is edited)";
            return false;
        }
        if (o.display.empty()) {
            error = "--property needs a display file";
            return false;
        }
        o.mode = HostOptions::Mode::Edit;
        return true;
    }
    if (!o.snapshot.empty()) {
        if (o.display.empty()) {
            error = "--snapshot needs a display file";
            return false;
        }
        if (o.modeGiven && o.mode == HostOptions::Mode::Edit) {
            error = "--snapshot runs the display; --edit does not go with it";
            return false;
        }
        o.mode = HostOptions::Mode::Run;
    }
    return true;
}
