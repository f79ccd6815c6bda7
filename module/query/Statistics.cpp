// Statistics rows below the result rows: per selected station the average, the maximum and
// minimum with their times and the sum of the columns that ask for them, -999 excluded.
#include "QueryClient.h"
#include "QueryItem.h"
#include "SqlText.h"
#include "TableQuery.h"

namespace {

enum Slot { kAvg = 0, kMax = 1, kMaxTime = 2, kMin = 3, kMinTime = 4, kSum = 5 };

CString BareTable(CString table) {
    table.Trim().MakeUpper();
    if (table.Left(4) == "KES.") table = table.Mid(4);
    return table;
}

} // namespace

CString CTableQuery::StationLiteral(const CString& station) const {
    CString s = station;
    s.Trim();
    if (m_keys.idClass == kValueNumber && IsSqlNumber(s)) return s;
    return QuoteLiteral(s);
}

std::vector<CString> CTableQuery::StatisticsStatements(const CString& station, int column) {
    std::vector<CString> out;
    const CColumnList& cols = m_settings.Columns();
    if (column < 1 || column > m_settings.VisibleCount() || m_keys.idIndex < 0 || m_keys.timeIndex < 0)
        return out;
    CDirectiveSet d(&cols);
    d.ParseColumn(cols[column]);
    EStatKind kind = d.StatKind();
    if (kind == kStatNone) return out;

    const CString& c = cols[column].colname;
    CString t = BareTable(PhysicalTableFor(station));
    const CString& i = m_keys.idName;
    const CString& tm = m_keys.timeName;
    CString s = StationLiteral(station);
    CString range;
    range.Format(" AND (%s>={ts '%s'} AND %s<={ts '%s'}) ", tm, EscapeInLiteral(m_request.startTime), tm,
                 EscapeInLiteral(m_request.endTime));

    CString sql;
    auto extreme = [&](const char* direction) {
        sql.Format(" SELECT %s ,%s FROM KES.%s WHERE %s=%s ", c, tm, t, i, s);
        CString notMissing, order;
        notMissing.Format("AND (%s NOT IN(-999)) ", c);
        // Of equal extremes the earliest is taken, the same row on every database.
        order.Format(" ORDER BY %s %s ,%s ASC ", c, direction, tm);
        return sql + notMissing + range + order;
    };
    auto average = [&]() {
        sql.Format(" SELECT TRIM(FLOOR(AVG(%s)*100)/100) FROM KES.%s WHERE %s=%s AND %s NOT IN(-999) ", c, t,
                   i, s, c);
        return sql + range;
    };
    auto sum = [&]() {
        sql.Format(" SELECT SUM(%s) FROM KES.%s WHERE %s=%s AND %s NOT IN(-999) ", c, t, i, s, c);
        return sql + range;
    };
    switch (kind) {
    case kStatMax:
        out.push_back(extreme("DESC"));
        break;
    case kStatMin:
        out.push_back(extreme("ASC"));
        break;
    case kStatAvg:
        out.push_back(average());
        break;
    case kStatSum:
        out.push_back(sum());
        break;
    case kStatAvgExt:
        sql.Format(" SELECT TRIM(FLOOR(AVG(%s)*100)/100),MAX(%s),MIN(%s) FROM KES.%s WHERE %s=%s AND %s NOT "
                   "IN(-999) ",
                   c, c, c, t, i, s, c);
        out.push_back(sql + range);
        break;
    case kStatColligateA:
    case kStatColligateB:
        out.push_back(average());
        out.push_back(extreme("DESC"));
        out.push_back(extreme("ASC"));
        if (kind == kStatColligateB) out.push_back(sum());
        break;
    default:
        break;
    }
    return out;
}

CString CTableQuery::FirstValue(const CString& sql, CString* second) {
    CQueryClient client; // the result rows of the refresh stay in the engine's own client
    client.QueryFirstRows(sql, 1);
    if (second) second->Empty();
    if (client.GetRowCount() == 0 || client.m_rows[0].GetSize() == 0) return {};
    const CStringArray& row = client.m_rows[0];
    if (second && row.GetSize() > 1) *second = row[1];
    return row[0];
}

std::vector<CStatisticsRow> CTableQuery::ComputeStatistics() {
    std::vector<CStatisticsRow> rows;
    const CColumnList& cols = m_settings.Columns();
    const int visible = m_settings.VisibleCount();
    m_keys = CQueryComposition::FindKeyColumns(cols, visible);
    if (m_keys.idIndex < 0 || m_keys.timeIndex < 0) return rows;

    CDirectiveSet d(&cols);
    std::vector<std::pair<int, EStatKind>> asked;
    for (int i = 1; i <= visible; ++i) {
        d.ParseColumn(cols[i]);
        EStatKind kind = d.StatKind();
        if (kind != kStatNone) asked.emplace_back(i, kind);
    }
    if (asked.empty()) return rows;
    const int level = StatisticsLevel();
    const int perStation = level == 1 ? 1 : level;
    int stcdtb = -1;
    for (int i = 1; i <= visible; ++i) {
        CString name = cols[i].colname;
        if (name.Trim().MakeUpper() == "STCDTB") stcdtb = i;
    }

    for (const CString& station : m_request.keys) {
        std::vector<CStatisticsRow> block(static_cast<std::size_t>(perStation));
        for (int r = 0; r < perStation; ++r) {
            CStatisticsRow& row = block[std::size_t(r)];
            row.label = level == 1 ? CString("统计 ") : CString(kStatisticsLabels[r]);
            row.cells.SetSize(visible);
            row.cells[m_keys.idIndex - 1] = station;
            row.cells[m_keys.timeIndex - 1] = row.label;
            if (stcdtb > 0) {
                for (long result = 0; result < m_records.GetSize(); ++result)
                    if (m_records.CellCount(result) >= stcdtb &&
                        CString(m_records.Cell(result, m_keys.idIndex - 1)).Trim() ==
                            CString(station).Trim()) {
                        row.cells[stcdtb - 1] = CString(m_records.Cell(result, stcdtb - 1));
                        break;
                    }
            }
        }
        // Puts a value into the row of its slot; a table with one statistics row takes every
        // value into that row.
        auto put = [&](int column, Slot slot, const CString& value, bool isTime = false) {
            int r = level == 1 ? (slot == kMaxTime || slot == kMinTime ? -1 : 0) : int(slot);
            if (r < 0 || r >= perStation) return;
            block[std::size_t(r)].cells[column - 1] = value;
            if (isTime) block[std::size_t(r)].timeCells.Add(DWORD(column));
        };
        auto putExtreme = [&](int column, const CString& sql, Slot value, Slot time) {
            CString when;
            CString v = FirstValue(sql, &when);
            put(column, value, v);
            if (!when.IsEmpty())
                put(column, time, CQueryItem::FormatTimeText(when, m_options.timeTypeWord), true);
        };
        for (auto [column, kind] : asked) {
            std::vector<CString> sql = StatisticsStatements(station, column);
            if (sql.empty()) continue;
            switch (kind) {
            case kStatMax:
                putExtreme(column, sql[0], kMax, kMaxTime);
                break;
            case kStatMin:
                putExtreme(column, sql[0], kMin, kMinTime);
                break;
            case kStatAvg:
                put(column, kAvg, FirstValue(sql[0]));
                break;
            case kStatSum:
                put(column, kSum, FirstValue(sql[0]));
                break;
            case kStatAvgExt: {
                CQueryClient client;
                client.QueryFirstRows(sql[0], 1);
                if (client.GetRowCount() > 0) {
                    const CStringArray& r = client.m_rows[0];
                    if (r.GetSize() > 0) put(column, kAvg, r[0]);
                    if (level != 1 && r.GetSize() > 2) {
                        put(column, kMax, r[1]);
                        put(column, kMin, r[2]);
                    }
                }
                break;
            }
            case kStatColligateA:
            case kStatColligateB:
                put(column, kAvg, FirstValue(sql[0]));
                putExtreme(column, sql[1], kMax, kMaxTime);
                putExtreme(column, sql[2], kMin, kMinTime);
                if (sql.size() > 3) put(column, kSum, FirstValue(sql[3]));
                break;
            default:
                break;
            }
        }
        for (auto& r : block)
            rows.push_back(std::move(r));
    }
    return rows;
}
