#include "AnalysisContext.h"

#include "PointDataTypes.h"
#include "QueryItem.h"
#include "TableQuery.h"

#include <algorithm>
#include <cstdlib>
#include <unordered_map>

namespace {

constexpr const char* kTimeFormat = "%Y-%m-%d %H:%M:%S";
constexpr const char* kRoleNames[kRoleCount] = {"GY",  "V",      "AVGV",   "MAXV",  "MINV",
                                                "V_R", "AVGV_R", "MAXV_R", "MINV_R"};
// Half a second in days: a span of whole hours read back as a double is never just short.
constexpr double kHalfSecond = 0.000005787037037037037;
constexpr int kUnitHour = 1, kUnitDay = 2, kUnitTenDay = 3, kUnitMonth = 4;

// A value near zero, or the missing-value marker, is no value.
bool Missing(double value) {
    return CQueryItem::IsNearZero(value) || value == CTableQuery::kMissingValue;
}

// The fields of a time text as the data service writes it ("YYYY-MM-DD HH:MM:SS" or a leading
// part down to the hour); false for any other form, which is then read by ParseTime.
bool ReadServiceTime(std::string_view t, int& year, int& month, int& day, int& hour) {
    auto digits = [&](std::size_t at, std::size_t n, int& into) {
        if (t.size() < at + n) return false;
        into = 0;
        for (std::size_t i = at; i < at + n; ++i) {
            if (t[i] < '0' || t[i] > '9') return false;
            into = into * 10 + (t[i] - '0');
        }
        return true;
    };
    return t.size() >= 13 && t[4] == '-' && t[7] == '-' && t[10] == ' ' && digits(0, 4, year) &&
           digits(5, 2, month) && digits(8, 2, day) && digits(11, 2, hour) && month >= 1 && month <= 12 &&
           day >= 1 && day <= 31 && hour <= 23;
}

COleDateTime Midnight(const COleDateTime& t) {
    return COleDateTime(t.GetYear(), t.GetMonth(), t.GetDay(), 0, 0, 0);
}

} // namespace

void CAnalysisContext::Reset() {
    for (std::vector<int>& role : m_roles)
        role.clear();
    m_tableIds.RemoveAll();
    m_labels.RemoveAll();
    m_records.clear();
    m_statistics.clear();
    m_interval = 1;
    m_dtypeColumn = m_timeColumn = -1;
    m_dataType = 2;
    m_colours.reset();
}

void CAnalysisContext::SetRange(const COleDateTime& start, const COleDateTime& end) {
    m_start = start;
    m_end = end;
    m_startText = start.Format(kTimeFormat);
    m_endText = end.Format(kTimeFormat);
}

void CAnalysisContext::SetTimeType(int code) {
    for (int& flag : m_typeFlags)
        flag = 0;
    m_typeFlags[code >= 0 && code < 10 ? code : 3] = 1;
}

int CAnalysisContext::TimeType() const {
    for (int code = 0; code < 10; ++code)
        if (m_typeFlags[code]) return code;
    return 3;
}

bool CAnalysisContext::HasRoles() const {
    if (!m_columns) return false;
    CDirectiveSet d(m_columns);
    return d.FindColumnWith("TOTAL") >= 0;
}

bool CAnalysisContext::HasTableRoles() const {
    if (!m_columns) return false;
    CDirectiveSet d(m_columns);
    for (int c = 0; c < m_columns->GetSize(); ++c) {
        d.ParseColumn((*m_columns)[c]);
        if (d.HasFirstArgument("TOTAL", "TABLE")) return true;
    }
    return false;
}

void CAnalysisContext::CollectRoles() {
    if (!m_columns) return;
    CDirectiveSet d(m_columns);
    for (int c = 0; c < m_columns->GetSize(); ++c) {
        d.ParseColumn((*m_columns)[c]);
        if (!d.Has("TOTAL")) continue;
        for (int role = 0; role < kRoleCount; ++role)
            if (d.HasTotalRole(kRoleNames[role])) m_roles[role].push_back(c);
        if (d.HasFirstArgument("TOTAL", "DTYPE")) m_dtypeColumn = c;
        if (d.HasFirstArgument("TOTAL", "TIME")) m_timeColumn = c;
        if (d.HasFirstArgument("TOTAL", "DCHAR")) m_dataType = d.TotalDcharDigits();
        if (d.HasFirstArgument("TOTAL", "TABLE")) m_tableIds = d.TotalTables();
    }
}

CString CAnalysisContext::PeriodText(const COleDateTime& time) const {
    if (IsMonth()) return time.Format("%Y-%m");
    if (IsTenDay()) {
        const int day = time.GetDay() <= 10 ? 1 : time.GetDay() <= 20 ? 11 : 21;
        return COleDateTime(time.GetYear(), time.GetMonth(), day, 0, 0, 0).Format("%Y-%m-%d");
    }
    if (IsDay()) return time.Format("%Y-%m-%d");
    return time.Format("%Y-%m-%d %H");
}

long long CAnalysisContext::PeriodKey(const COleDateTime& time) const {
    return PeriodKey(time.GetYear(), time.GetMonth(), time.GetDay(), time.GetHour());
}

long long CAnalysisContext::PeriodKey(int year, int month, int day, int hour) const {
    if (!IsHour()) hour = 0;
    if (IsMonth()) day = 1;
    if (IsTenDay()) day = day <= 10 ? 1 : day <= 20 ? 11 : 21;
    return ((year * 100LL + month) * 100 + day) * 100 + hour;
}

std::optional<long long> CAnalysisContext::RowPeriodKey(std::string_view timeText) const {
    int year = 0, month = 0, day = 0, hour = 0;
    if (ReadServiceTime(timeText, year, month, day, hour)) return PeriodKey(year, month, day, hour);
    const COleDateTime time = CQueryItem::ParseTime(CString(timeText));
    if (!time.IsValid()) return std::nullopt;
    return PeriodKey(time);
}

void CAnalysisContext::AddPeriod(const COleDateTime& start) {
    m_labels.Add(PeriodText(start));
    m_keys.push_back(PeriodKey(start));
}

void CAnalysisContext::BuildPeriodLabels() {
    m_labels.RemoveAll();
    m_keys.clear();
    COleDateTime start = m_start, end = m_end;
    if (!start.IsValid() || !end.IsValid()) return;
    CString changeLabel;
    int changeCount = 0;
    if (m_engine && m_engine->KeyColumns().changeIndex >= 0) {
        changeLabel = m_engine->KeyColumns().changeLabel;
        changeCount = m_engine->KeyColumns().changeCount;
    }
    auto moveBack = [&](int unit) {
        CQueryItem::StepTime(start, unit, -changeCount);
        CQueryItem::StepTime(end, unit, -changeCount);
    };
    if (IsMonth()) {
        moveBack(kUnitMonth);
        start = Midnight(start);
        end = Midnight(end);
        for (COleDateTime t = start; t <= end; CQueryItem::StepTime(t, kUnitMonth, 1)) {
            AddPeriod(t);
            t = Midnight(t);
        }
        return;
    }
    if (IsDay() || IsTenDay()) {
        moveBack(IsDay() ? kUnitDay : kUnitTenDay);
        start = Midnight(start);
        end = Midnight(end);
        const int days = int((end - start).GetTotalDays() + kHalfSecond);
        for (int k = 0; k <= days; ++k) {
            const COleDateTime t = start + COleDateTimeSpan(k, 0, 0, 0);
            const int dom = t.GetDay();
            if (IsDay() || dom == 1 || dom == 11 || dom == 21) AddPeriod(t);
        }
        return;
    }
    if (changeLabel == "时") moveBack(kUnitHour);
    start = COleDateTime(start.GetYear(), start.GetMonth(), start.GetDay(), start.GetHour(), 0, 0);
    end = COleDateTime(end.GetYear(), end.GetMonth(), end.GetDay(), end.GetHour(), 0, 0);
    const long hours = long((end - start).GetTotalDays() * 24 + kHalfSecond);
    for (long k = 0; k <= hours; ++k)
        AddPeriod(start + COleDateTimeSpan(0, int(k), 0, 0));
}

std::string_view CAnalysisContext::Cell(long row, int column) const {
    return column >= 1 ? m_rows->Cell(row, column - 1) : std::string_view();
}

int CAnalysisContext::GroupDataType(long row) const {
    if (m_dtypeColumn >= 1) return PointDataTypeOf(CString(Cell(row, m_dtypeColumn)));
    return m_dataType;
}

CAnalysisRecord CAnalysisContext::NewRecord(long row, const CString& group) const {
    CAnalysisRecord record;
    record.group = group;
    const int columns = m_columns ? m_columns->GetSize() : 0;
    record.cells.SetSize(columns);
    for (int c : m_textColumns)
        record.cells[c] = CString(Cell(row, c));
    record.sums.assign(std::size_t(columns), 0.0);
    record.counts.assign(std::size_t(columns), 0);
    record.values.assign(std::size_t(columns), std::nullopt);
    for (int c : m_roles[kRoleMaximum])
        record.sums[std::size_t(c)] = kMaximumStart;
    for (int c : m_roles[kRoleMinimum])
        record.sums[std::size_t(c)] = kMinimumStart;
    return record;
}

void CAnalysisContext::Fold(CAnalysisRecord& record, long row, int dataType) const {
    auto copyTimes = [&](ETotalRole role) {
        for (int c : m_roles[role])
            record.cells[c] = CString(Cell(row, c));
    };
    auto each = [&](ETotalRole role, auto&& fold) {
        for (int c : m_roles[role]) {
            double& sum = record.sums[std::size_t(c)];
            int& count = record.counts[std::size_t(c)];
            fold(sum, count, TextToDouble(Cell(row, c)));
        }
    };
    switch (dataType) {
    case 1:
    case 3:
        each(kRoleValue, [](double& sum, int& count, double x) { sum = x, count = 1; });
        break;
    case 2:
        each(kRoleValue, [&](double& sum, int& count, double x) {
            if (!Missing(sum)) return;
            sum = x, count = 1;
            copyTimes(kRoleValueTime);
        });
        each(kRoleAverage, [](double& sum, int& count, double x) {
            if (Missing(x)) return;
            sum = Missing(sum) ? x : sum + x;
            ++count;
        });
        each(kRoleMaximum, [&](double& sum, int& count, double x) {
            if (Missing(x) || !(x > sum)) return;
            sum = x, count = 1;
            copyTimes(kRoleMaximumTime);
        });
        each(kRoleMinimum, [&](double& sum, int& count, double x) {
            if (Missing(x) || !(x < sum)) return;
            sum = x, count = 1;
            copyTimes(kRoleMinimumTime);
        });
        break;
    case 4:
        for (ETotalRole role : {kRoleValue, kRoleAverage, kRoleMaximum, kRoleMinimum})
            each(role, [](double& sum, int& count, double x) { sum = x, count = 1; });
        break;
    case 5:
        each(kRoleValue, [](double& sum, int& count, double x) { sum += x, ++count; });
        copyTimes(kRoleValueTime);
        break;
    default:
        break;
    }
}

// What each value column shows: the accumulated value, the mean of the averages (a mean of
// the period is what the average column of a period means), nothing where no value was taken.
// The texts are made only when cells are shown: a comparison reads the values alone.
void CAnalysisContext::Finish(CAnalysisRecord& record, int dataType) const {
    for (int role : {kRoleValue, kRoleAverage, kRoleMaximum, kRoleMinimum})
        for (int c : m_roles[role]) {
            const std::size_t i = std::size_t(c);
            std::optional<double> value;
            if (record.counts[i] > 0) value = record.sums[i];
            if (value && role == kRoleAverage && dataType == 2) value = *value / record.counts[i];
            if (value && dataType == 2 && role == kRoleValue && Missing(*value)) value.reset();
            record.values[i] = value;
        }
}

CString CAnalysisContext::CellText(const CAnalysisRecord& record, int column) const {
    if (column < 0 || column >= record.cells.GetSize()) return {};
    if (std::size_t(column) >= record.values.size() || !IsValueColumn(column)) return record.cells[column];
    CString text;
    if (const std::optional<double>& value = record.values[std::size_t(column)]) text.Format("%lf", *value);
    return text;
}

bool CAnalysisContext::IsValueColumn(int column) const {
    for (ETotalRole role : {kRoleValue, kRoleAverage, kRoleMaximum, kRoleMinimum})
        if (std::find(m_roles[role].begin(), m_roles[role].end(), column) != m_roles[role].end()) return true;
    return false;
}

void CAnalysisContext::Compute() {
    m_highlight = kHighlight;
    m_records.clear();
    m_statistics.clear();
    BuildPeriodLabels();
    if (!m_rows || !m_columns || m_timeColumn < 1) return;
    std::unordered_map<long long, int> periodOf;
    for (std::size_t i = 0; i < m_keys.size(); ++i)
        periodOf.emplace(m_keys[i], int(i));

    // The columns whose text a record takes from its first row: a value column shows its value,
    // a time column the time of the value taken (none until one is), the period column its label.
    m_textColumns.clear();
    for (int c = 1; c < m_columns->GetSize(); ++c) {
        bool timeRole = c == m_timeColumn;
        for (ETotalRole role : {kRoleValueTime, kRoleAverageTime, kRoleMaximumTime, kRoleMinimumTime})
            timeRole =
                timeRole || std::find(m_roles[role].begin(), m_roles[role].end(), c) != m_roles[role].end();
        if (!timeRole && !IsValueColumn(c)) m_textColumns.push_back(c);
    }

    // A group's records by the step they condense, in the order the steps began, and where the
    // record of each step is (-1 for none yet): the steps come out in period order from there.
    struct Group {
        CString key;
        int dataType = 2;
        std::vector<CAnalysisRecord> steps;
        std::vector<int> stepAt;
        std::optional<CAnalysisRecord> all;
    };
    std::vector<Group> groups;
    std::unordered_map<CString, std::size_t> groupIndex;
    for (long row = 0; row < m_rows->GetSize(); ++row) {
        const std::optional<long long> periodKey = RowPeriodKey(Cell(row, m_timeColumn));
        if (!periodKey) continue;
        auto period = periodOf.find(*periodKey);
        if (period == periodOf.end()) continue;
        CString key;
        for (std::size_t k = 0; k < m_roles[kRoleGroup].size(); ++k) {
            if (k) key += ",";
            key += Cell(row, m_roles[kRoleGroup][k]);
        }
        auto [at, added] = groupIndex.emplace(key, groups.size());
        if (added)
            groups.push_back(
                {key, GroupDataType(row), {}, std::vector<int>(m_keys.size(), -1), std::nullopt});
        Group& group = groups[at->second];
        const int first = period->second / m_interval * m_interval;
        int& stepAt = group.stepAt[std::size_t(first)];
        if (stepAt < 0) {
            stepAt = int(group.steps.size());
            CAnalysisRecord& step = group.steps.emplace_back(NewRecord(row, key));
            step.period = first;
            step.cells[m_timeColumn] = m_labels[first];
        }
        Fold(group.steps[std::size_t(stepAt)], row, group.dataType);
        if (!group.all) {
            group.all = NewRecord(row, key);
            group.all->cells[m_timeColumn] = "统计 " + CoveredRange();
        }
        Fold(*group.all, row, group.dataType);
    }
    for (Group& group : groups) {
        m_records.reserve(m_records.size() + group.steps.size());
        for (int stepAt : group.stepAt) {
            if (stepAt < 0) continue;
            CAnalysisRecord& record = group.steps[std::size_t(stepAt)];
            Finish(record, group.dataType);
            m_records.push_back(std::move(record));
        }
        Finish(*group.all, group.dataType);
        m_statistics.push_back(std::move(*group.all));
    }
}

CString CAnalysisContext::CoveredRange() const {
    if (m_labels.IsEmpty()) return {};
    const CString& first = m_labels[0];
    const CString& last = m_labels[m_labels.GetSize() - 1];
    if (first == last) return first;
    CString range;
    range.Format("%s 至 %s", first.GetString(), last.GetString());
    return range;
}

void CAnalysisContext::FillGrid(CGridIterator& grid) const {
    grid.SetDisplayModeInit();
    grid.SetDisplayMode(CGridIterator::DISPLAY_SPARSE);
    const int columns =
        m_records.empty() ? (m_columns ? m_columns->GetSize() : 1) : m_records[0].cells.GetSize();
    const long rows = long(m_records.size() + m_statistics.size());
    grid.SetMatrixSize(rows + 1, columns);
    grid.AddSparseCell({0, 0, "  "});
    for (int c = 1; c < columns && m_columns && c < m_columns->GetSize(); ++c)
        grid.AddSparseCell({0, c, (*m_columns)[c].colnamech});
    long row = 0;
    CString number;
    for (const auto* block : {&m_records, &m_statistics})
        for (const CAnalysisRecord& record : *block) {
            ++row;
            number.Format("%d", row);
            grid.AddSparseCell({row, 0, number});
            for (int c = 1; c < columns && c < record.cells.GetSize(); ++c)
                grid.AddSparseCell({row, c, CellText(record, c)});
        }
    grid.CloseMatrix();
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    // The records' rows alternate, the first in the first colour; the statistics rows below
    // them are highlighted.
    if (m_colours && m_colours->alternate)
        grid.SetRowStripes(1, std::min(rows, long(m_records.size())), 0, m_colours->second, m_colours->first);
    for (long r = long(m_records.size()) + 1; r <= rows; ++r)
        for (int c = 0; c < columns; ++c)
            grid.SetItemFgColour(r, c, m_highlight);
}
