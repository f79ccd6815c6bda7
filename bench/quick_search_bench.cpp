// The query bar's quick search over a station list of 10,000 realistic Chinese names, one
// keystroke at a time: the word typed letter by letter and deleted again, each step being the
// bar model's search plus the list texts the bar refills its list from. Against a plain
// substring scan over the same keys, measured in the same run; that scan does not know the
// further readings of polyphones, so it keeps fewer stations. Target: under 1 ms per keystroke
// on average.
#include "BenchTables.h"
#include "DataSource.h"
#include "PinyinInitials.h"
#include "QueryBarModel.h"
#include "QueryClient.h"
#include "TableQuery.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace {

constexpr int kStations = 10'000;
constexpr int kRounds = 20; // the whole word typed and deleted this many times

double Seconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

volatile std::size_t g_sink;

} // namespace

int main() {
    bench::ScratchDatabase db("quick_search.db");
    bench::FillHourlyRiverTable(db); // the engine's table; the bar lists the stations below
    bench::FillStationTable(db, bench::RealisticStations(kStations));
    kes::SetDataSource(db.Uri());

    CQueryClient client;
    CTableQuery engine(client);
    engine.Load("RIVER_HOUR", {});
    CQuerySettings request;
    CWindowSettings window;
    CQueryOptions options;
    CInterfaceSettings face;
    auto item = std::make_unique<CSelectItem>();
    item->schemeId = "1";
    item->label = "测站";
    item->table = "STATION";
    item->nameColumn = "STNM";
    item->keyColumn = "STCD";
    item->kind = kSelectStation;
    options.m_selectItems.Add(std::move(item));
    request.m_advanced = 1;
    CQueryBarModel bar(engine, client, request, window, options, face);
    bar.Attach();
    const CSelectGroup* station = bar.Groups().Station();
    if (!station || station->GetCount() != kStations) {
        std::fprintf(stderr, "the station list did not load\n");
        return 1;
    }
    const CStringArray initials = bar.Groups().Master().initials;
    const auto polyphonic = std::count_if(initials.begin(), initials.end(), [](const CString& key) {
        std::string_view k = key;
        return std::any_of(k.begin(), k.end(), [](char c) {
            return (static_cast<unsigned char>(c) & kPinyinAlternativeBit) != 0;
        });
    });
    std::printf("%d stations, %d of them with polyphones, e.g. %s -> %s\n", station->GetCount(),
                int(polyphonic), station->displayTexts[0].GetString(), initials[0].GetString());

    // "cjyc": 长江宜昌…; typed, then deleted back to the empty box (the full list again).
    const std::vector<const char*> keystrokes = {"c", "cj", "cjy", "cjyc", "cjy", "cj", "c", ""};
    std::vector<std::vector<double>> model(keystrokes.size()), scan(keystrokes.size());
    std::vector<int> kept(keystrokes.size());
    for (int round = 0; round < kRounds; ++round) {
        for (std::size_t k = 0; k < keystrokes.size(); ++k) {
            const std::string word = keystrokes[k];
            model[k].push_back(Seconds([&] {
                bar.QuickSearch(CString(word));
                g_sink = std::size_t(bar.StationTexts().GetSize());
            }));
            kept[k] = bar.Groups().Station()->GetCount();
            scan[k].push_back(Seconds([&] {
                std::vector<int> indices;
                for (int i = 0; i < initials.GetSize(); ++i)
                    if (std::string_view(initials[i]).find(word) != std::string_view::npos)
                        indices.push_back(i);
                g_sink = indices.size();
            }));
        }
    }

    double worst = 0, sumModel = 0, sumScan = 0;
    std::printf("keystroke   kept   bar model (median)   substring scan   ratio\n");
    for (std::size_t k = 0; k < keystrokes.size(); ++k) {
        const double m = bench::Median(model[k]), s = bench::Median(scan[k]);
        worst = std::max(worst, m);
        sumModel += m;
        sumScan += s;
        std::printf("%-10s %5d   %12.3f ms   %11.3f ms   %6.1f\n", *keystrokes[k] ? keystrokes[k] : "(empty)",
                    kept[k], m * 1e3, s * 1e3, m / s);
    }
    std::printf("per keystroke: mean %.3f ms, worst %.3f ms (target: mean under 1 ms); ratio to the plain "
                "scan %.1f\n",
                sumModel / double(keystrokes.size()) * 1e3, worst * 1e3, sumModel / sumScan);
    return 0;
}
