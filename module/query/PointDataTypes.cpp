#include "PointDataTypes.h"

#include "QueryClient.h"

#include <cstdlib>
#include <map>

namespace {

constexpr int kDefaultType = 2;

struct PointTypes {
    bool loaded = false;
    std::map<long, int> types;
    long lastId = 0;
    int lastType = kDefaultType;
};

PointTypes& Cache() {
    static PointTypes cache;
    return cache;
}

void Load(PointTypes& cache) {
    static CQueryClient client;
    if (client.Query("SELECT ID, DTYPE FROM KES.ALLPOINT ORDER BY ID ASC") != 1) return;
    for (int r = 0; r < client.GetRowCount(); ++r) {
        const CStringArray& row = client.m_rows[r];
        if (row.GetSize() < 2) continue;
        cache.types[std::atol(row[0].GetString())] = std::atoi(row[1].GetString());
    }
    client.ClearRows();
    cache.loaded = true;
}

} // namespace

int PointDataType(long pointId) {
    if (pointId <= 0) return kDefaultType;
    PointTypes& cache = Cache();
    if (cache.lastId == pointId) return cache.lastType;
    if (!cache.loaded) Load(cache);
    if (!cache.loaded) return kDefaultType; // asked again next time
    auto it = cache.types.find(pointId);
    cache.lastId = pointId;
    cache.lastType = it == cache.types.end() ? kDefaultType : it->second;
    return cache.lastType;
}

int PointDataTypeOf(const CString& pointIdText) {
    return PointDataType(std::atol(pointIdText.GetString()));
}

void ForgetPointDataTypes() {
    Cache() = PointTypes{};
}
