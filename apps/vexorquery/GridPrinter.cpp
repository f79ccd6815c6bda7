#include "GridPrinter.h"

#include "AtomicFile.h"

#include <cerrno>
#include <cstring>
#include <vector>

namespace {

// Decodes one UTF-8 sequence; malformed bytes count as one narrow character each.
char32_t NextCodePoint(std::string_view s, std::size_t& i) {
    unsigned char c = static_cast<unsigned char>(s[i]);
    int extra = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
    if (extra == 0 || i + std::size_t(extra) >= s.size()) {
        ++i;
        return c;
    }
    char32_t cp = c & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k)
        cp = (cp << 6) | (static_cast<unsigned char>(s[i + std::size_t(k)]) & 0x3F);
    i += std::size_t(extra) + 1;
    return cp;
}

bool IsWide(char32_t cp) {
    return (cp >= 0x1100 && cp <= 0x115F) || (cp >= 0x2E80 && cp <= 0xA4CF) ||
           (cp >= 0xAC00 && cp <= 0xD7A3) || (cp >= 0xF900 && cp <= 0xFAFF) ||
           (cp >= 0xFE30 && cp <= 0xFE4F) || (cp >= 0xFF00 && cp <= 0xFF60) ||
           (cp >= 0xFFE0 && cp <= 0xFFE6) || (cp >= 0x20000 && cp <= 0x3FFFD);
}

} // namespace

int DisplayWidth(std::string_view utf8) {
    int width = 0;
    for (std::size_t i = 0; i < utf8.size();)
        width += IsWide(NextCodePoint(utf8, i)) ? 2 : 1;
    return width;
}

void PrintGridAligned(const CGridIterator& grid, std::FILE* out) {
    const long rows = grid.GetRowCount(), cols = grid.GetColumnCount();
    std::vector<int> widths(std::size_t(cols), 0);
    for (long r = 0; r < rows; ++r)
        for (long c = 0; c < cols; ++c)
            widths[std::size_t(c)] =
                std::max(widths[std::size_t(c)], DisplayWidth(grid.GetDisplayText(r, c)));
    for (long r = 0; r < rows; ++r) {
        std::string line;
        for (long c = 0; c < cols; ++c) {
            std::string_view text = grid.GetDisplayText(r, c);
            int pad = widths[std::size_t(c)] - DisplayWidth(text);
            bool right = r > 0 && c > 0 && grid.GetColumnLook(c).m_nAlign == GRID_ALIGN_RIGHT;
            if (c > 0) line += "  ";
            if (right) line.append(std::size_t(pad), ' ');
            line += text;
            if (!right && c + 1 < cols) line.append(std::size_t(pad), ' ');
        }
        while (!line.empty() && line.back() == ' ')
            line.pop_back();
        std::fprintf(out, "%s\n", line.c_str());
    }
}

void PrintGridTsv(const CGridIterator& grid, std::FILE* out) {
    for (long r = 0; r < grid.GetRowCount(); ++r) {
        std::string line;
        for (long c = 0; c < grid.GetColumnCount(); ++c) {
            if (c > 0) line += '\t';
            for (char ch : grid.GetDisplayText(r, c))
                line += (ch == '\t' || ch == '\n' || ch == '\r') ? ' ' : ch;
        }
        std::fprintf(out, "%s\n", line.c_str());
    }
}

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
    auto fail = [command](const std::string& message) {
        std::fprintf(stderr, "vexorquery %s: %s\n", command, message.c_str());
        return 1;
    };
    if (o.format == "xlsx" || o.format == "xls") {
        CString saveError;
        if (!grid.SaveData(o.out, &saveError)) return fail(saveError.str());
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
            return fail(std::string("cannot write the output: ") + std::strerror(errno));
        return 0;
    }
    mfc::CAtomicFile file(o.out);
    std::FILE* out = file.Open() ? file.Stream() : nullptr;
    if (out) print(out);
    if (!out || !file.Commit()) return fail(file.Error());
    return 0;
}
