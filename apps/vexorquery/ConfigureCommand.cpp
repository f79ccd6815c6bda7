// vexorquery configure FILE --element N --set FIELD=VALUE ...: changes an element's
// configuration as its property sheet would keep it.
#include "Commands.h"

#include "CommandLine.h"

#include "DisplayDocument.h"
#include "ElementDescription.h"
#include "ElementFieldSetter.h"
#include "PropertyPageValues.h"
#include "VexorQueryElemOBJ.h"

#include <cstdio>
#include <map>

namespace {

constexpr const char* kUsage =
    "usage: vexorquery configure FILE --element N --set FIELD=VALUE [--set FIELD=VALUE]...\n"
    "  N is the element's number as 'vexorquery display FILE' prints it, FIELD a field name as\n"
    "  it prints them (query.tableName, query.stations=1,2, interface.panelWidth, ...).\n"
    "  Every value is checked as the property sheet checks it; on any refusal the file stays as it was.\n";

constexpr cli::OptionSpec kSpecs[] = {{"--element", true}, {"--set", true}};

struct Change {
    std::string field;
    std::string value;
};

CVexorQueryElemOBJ* ElementOf(CDisplayDocument& doc, long long number) {
    if (number < 1 || number > static_cast<long long>(doc.m_objects.size())) return nullptr;
    return dynamic_cast<CVexorQueryElemOBJ*>(doc.m_objects[std::size_t(number - 1)].get());
}

std::map<std::string, std::string> Described(const CVexorQueryElemOBJ& element) {
    std::map<std::string, std::string> lines;
    for (const CFieldLine& line : DescribeElement(element))
        lines[line.name] = line.value;
    return lines;
}

bool ApplyChanges(CVexorQueryElemOBJ& element, const std::vector<Change>& changes, std::string& error) {
    for (const Change& c : changes)
        if (!SetElementField(element, c.field, c.value, error)) return false;
    return true;
}

// The changed element, loaded into the sheet's pages and taken back with OK, must keep every
// changed field as it was set.
bool SheetKeeps(CVexorQueryElemOBJ& element, const std::vector<Change>& changes, std::string& error) {
    const std::map<std::string, std::string> set = Described(element);
    CElementPropertyPages pages = element.PropertyPages();
    CString refusal;
    if (!SavePagesUnchanged(pages, refusal)) {
        error = "the property sheet refuses the values: " + refusal.str();
        return false;
    }
    element.ApplyProperties(pages);
    const std::map<std::string, std::string> kept = Described(element);
    for (const auto& [name, value] : set) {
        // A list the sheet empties (the stations under "全部显示") loses its entry lines.
        const auto found = kept.find(name);
        const std::string keptValue = found == kept.end() ? "(none)" : found->second;
        if (keptValue == value) continue;
        for (const Change& c : changes)
            if (name == c.field || name.starts_with(c.field + ".") || name.starts_with(c.field + "[")) {
                error = c.field + "=" + c.value + ": the property sheet keeps " + name + " as " + keptValue +
                        ", not " + value;
                return false;
            }
    }
    return true;
}

} // namespace

int RunConfigureCommand(const Args& args) {
    cli::ParsedArgs parsed;
    if (auto status = cli::ReadCommandArgs("configure", args, kSpecs, 1, 1, kUsage, parsed)) return *status;
    const std::string& path = parsed.positional[0];
    long long number = 0;
    if (!parsed.Has("--element") || !cli::ReadWholeNumber(parsed.Value("--element"), 1, 1000000000, number))
        return cli::UsageError("configure", "--element needs an element number from 1", kUsage);
    std::vector<Change> changes;
    for (const std::string& set : parsed.Values("--set")) {
        const std::size_t eq = set.find('=');
        if (eq == std::string::npos || eq == 0)
            return cli::UsageError("configure", "--set takes FIELD=VALUE, not '" + set + "'", kUsage);
        changes.push_back({set.substr(0, eq), set.substr(eq + 1)});
    }
    if (changes.empty())
        return cli::UsageError("configure", "nothing to change: give --set FIELD=VALUE", kUsage);
    RegisterVexorQueryElementClass();

    // One copy is changed and written; a second one goes through the sheet to check it.
    CDisplayDocument doc;
    CDisplayDocument check;
    CDisplayLoadError loadError;
    if (!doc.LoadFile(path, loadError) || !check.LoadFile(path, loadError)) {
        std::fprintf(stderr, "vexorquery: %s: %s\n", path.c_str(), loadError.message.c_str());
        return 1;
    }
    CVexorQueryElemOBJ* element = ElementOf(doc, number);
    if (!element) {
        std::fprintf(stderr,
                     "vexorquery: %s: element %lld is no data-query element (the display holds %zu)\n",
                     path.c_str(), number, doc.m_objects.size());
        return 1;
    }
    std::string error;
    if (!ApplyChanges(*element, changes, error) || !ApplyChanges(*ElementOf(check, number), changes, error) ||
        !SheetKeeps(*ElementOf(check, number), changes, error)) {
        std::fprintf(stderr, "vexorquery: %s: %s; nothing written\n", path.c_str(), error.c_str());
        return 1;
    }
    if (!doc.SaveFile(path, error)) {
        std::fprintf(stderr, "vexorquery: %s: %s\n", path.c_str(), error.c_str());
        return 1;
    }
    for (const Change& c : changes)
        std::printf("element %lld: %s=%s\n", number, c.field.c_str(), c.value.c_str());
    return 0;
}
