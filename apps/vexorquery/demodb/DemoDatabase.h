#pragma once
// The demo database an operator sees on a fresh machine: the settings and reference tables,
// about twenty hydrological stations with three years of plausible data, the two plants'
// generating units and two demo users. Built deterministically: the same options give the
// same rows on every run and on both backends.
#include <functional>
#include <string>

namespace demo {

struct DemoOptions {
    // Stations of the station tables: scale x 20 (the benchmarks ask for more).
    int scale = 1;
    // A shorter hourly and real-time stretch (one month instead of fourteen, two days of
    // five-minute records instead of three weeks), for tests that build the database often.
    bool compact = false;
    // An existing database (the SQLite file, or tables in schema kes of the server) is
    // replaced only when set; otherwise the build is refused and nothing is touched.
    bool replace = false;
    // Called with one line per step of the build ("建表…", "写入河道水情 20 站 …").
    std::function<void(const std::string&)> progress;
};

// Builds the demo database at the data source URI: "sqlite:PATH" (a new file, built beside
// the old one and moved over it only when complete) or a PostgreSQL connection string (the
// demo tables of schema kes dropped and made anew in one transaction, so a failed build
// leaves the old data). The data service is left pointing at the built database. False with
// error filled when it cannot be built or a database is there and options.replace is unset.
bool BuildDemoDatabase(const std::string& uri, const DemoOptions& options, std::string& error);

// Number of rows written by the last successful build.
long long LastBuildRowCount();

} // namespace demo
