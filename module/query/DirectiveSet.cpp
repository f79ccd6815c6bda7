#include "DirectiveSet.h"

#include <algorithm>

namespace {

CString Upper(std::string_view s) {
    CString t{std::string(s)};
    return t.MakeUpper();
}

CString TrimUpper(const CString& s) {
    CString t = s;
    return t.Trim().MakeUpper();
}

std::optional<int> IntArgument(const std::optional<CStringArray>& args) {
    if (!args) return std::nullopt;
    return TextToInt((*args)[0].str());
}

} // namespace

void CDirectiveSet::Parse(const CString& text) {
    m_current = nullptr;
    m_items.RemoveAll();
    std::string item;
    bool inside = false;
    for (char c : text.str()) {
        if (c == '[' && !inside) {
            inside = true;
            item.assign(1, '[');
        } else if (c == ']' && inside) {
            item += ']';
            CString done(std::move(item));
            m_items.Add(done.Trim().MakeUpper());
            item.clear();
            inside = false;
        } else if (inside) {
            item += c;
        }
    }
}

void CDirectiveSet::ParseColumn(const CQueryColumn& column) {
    Parse(column.restrictdata);
    m_current = &column;
}

bool CDirectiveSet::Has(std::string_view keyword) const {
    CString key = Upper(keyword);
    return std::any_of(m_items.begin(), m_items.end(),
                       [&](const CString& item) { return item.Find(key) >= 0; });
}

CStringArray CDirectiveSet::Arguments(const CString& item) {
    CStringArray args;
    int open = item.Find('(', 1);
    int close = open >= 0 ? item.Find(')', open + 1) : -1;
    if (open < 0 || close < 0 || close == open + 1) {
        args.Add(CString());
        return args;
    }
    CString inner = item.Mid(open + 1, close - open - 1);
    int start = 0;
    for (;;) {
        int comma = inner.Find(',', start);
        if (comma < 0) {
            args.Add(inner.Mid(start));
            break;
        }
        args.Add(inner.Mid(start, comma - start));
        start = comma + 1;
    }
    return args;
}

std::optional<CStringArray> CDirectiveSet::Find(std::string_view keyword, int minArgs) const {
    CString key = Upper(keyword);
    for (const CString& item : m_items) {
        if (item.Find(key) < 0) continue;
        CStringArray args = Arguments(item);
        if (args.GetSize() >= minArgs) return args;
    }
    return std::nullopt;
}

bool CDirectiveSet::HasFirstArgument(std::string_view keyword, std::string_view value) const {
    CString key = Upper(keyword);
    for (const CString& item : m_items)
        if (item.Find(key) >= 0 && TrimUpper(Arguments(item)[0]) == CString(std::string(value))) return true;
    return false;
}

int CDirectiveSet::ColumnIndex(const CString& name) const {
    if (!m_columns) return -1;
    CString wanted = TrimUpper(name);
    for (int i = 0; i < m_columns->GetSize(); ++i)
        if (TrimUpper((*m_columns)[i].colname) == wanted) return i;
    return -1;
}

int CDirectiveSet::FindColumnWith(std::string_view keyword) {
    if (!m_columns) return -1;
    for (int i = 1; i < m_columns->GetSize(); ++i) {
        ParseColumn((*m_columns)[i]);
        if (Has(keyword)) return i;
    }
    return -1;
}

CString CDirectiveSet::PhysicalTableName(const CString& configured) const {
    auto args = Find("TABLEID", 3);
    if (!args) return configured;
    int column = ColumnIndex((*args)[0]);
    long long divisor = TextToLong((*args)[1].str());
    long long modulus = TextToLong((*args)[2].str());
    if (column < 1 || divisor <= 0 || modulus <= 0) return configured;
    long long key = 0;
    if (m_keyValues && column < m_keyValues->GetSize()) key = TextToLong((*m_keyValues)[column].str());
    CString name = configured;
    name.AppendFormat("%lld", (key / divisor) % modulus);
    return name;
}

CString CDirectiveSet::ModiWord() const {
    auto args = Find("MODI", 1);
    return args ? (*args)[0] : CString("WRITE");
}

CString CDirectiveSet::DirectWord() const {
    auto args = Find("DIRECT", 1);
    return args ? (*args)[0] : CString("H");
}

bool CDirectiveSet::HasWhere() const {
    auto args = Find("WHERE", 1);
    return args && !TrimUpper((*args)[0]).IsEmpty();
}

CString CDirectiveSet::WhereText() const {
    auto args = Find("WHERE", 1);
    return args ? (*args)[0] : CString();
}

CString CDirectiveSet::CheckText() const {
    for (const CString& item : m_items) {
        if (item.Find("CHECK") < 0) continue;
        int open = item.Find('(');
        if (open < 0) return {};
        CString inner = item.Mid(open);
        if (inner.Right(1) == "]") inner = inner.Left(inner.GetLength() - 1);
        return inner;
    }
    return {};
}

int CDirectiveSet::DataPropertyColumn() const {
    auto args = Find("DC", 1);
    if (!args) return 0;
    int index = ColumnIndex((*args)[0]);
    if (index < 1 || !m_columns || index >= m_columns->GetSize()) return 0;
    return index;
}

CString CDirectiveSet::PeriodLabelOf(const CString& unitWord) {
    CString unit = TrimUpper(unitWord);
    if (unit == "YEAR") return "年";
    if (unit == "MON") return "月";
    if (unit == "DAY10") return "旬";
    if (unit == "DAY") return "日";
    if (unit == "HOUR") return "时";
    return {};
}

bool CDirectiveSet::ChangeTime(CString& label, int& count) const {
    for (const CString& item : m_items) {
        if (item.Find("CHANGETIME") < 0) continue;
        CStringArray args = Arguments(item);
        if (args.GetSize() < 2) continue;
        CString l = PeriodLabelOf(args[0]);
        if (l.IsEmpty()) continue;
        label = l;
        count = TextToInt(args[1].str());
        return true;
    }
    label.Empty();
    count = 0;
    return false;
}

std::optional<int> CDirectiveSet::Decimals() const {
    return IntArgument(Find("DEC", 1));
}

std::optional<int> CDirectiveSet::SignificantDigits() const {
    return IntArgument(Find("AVAIL", 1));
}

CString CDirectiveSet::ShowTime() const {
    auto args = Find("SHOWTIME", 1);
    return args ? TrimUpper((*args)[0]) : CString();
}

bool CDirectiveSet::HasTotalRole(std::string_view role) const {
    if (CString(std::string(role)) == "V" && CurrentColumnHidden()) return false;
    return HasFirstArgument("TOTAL", role);
}

int CDirectiveSet::TotalDcharDigits() const {
    for (const CString& item : m_items) {
        if (item.Find("TOTAL") < 0) continue;
        CStringArray args = Arguments(item);
        if (TrimUpper(args[0]) == "DCHAR") return args.GetSize() >= 2 ? TextToInt(args[1].str()) : 2;
    }
    return 2;
}

CDWordArray CDirectiveSet::TotalTables() const {
    CDWordArray tables;
    for (const CString& item : m_items) {
        if (item.Find("TOTAL") < 0) continue;
        CStringArray args = Arguments(item);
        if (TrimUpper(args[0]) != "TABLE") continue;
        for (int i = 1; i < args.GetSize(); ++i)
            tables.Add(DWORD(TextToInt(args[i].str())));
        break;
    }
    return tables;
}

std::optional<CStringArray> CDirectiveSet::Calc() const {
    if (CurrentColumnHidden()) return std::nullopt;
    return Find("CALC", 2);
}

CString CDirectiveSet::FieldTime() const {
    auto args = Find("FIELDTIME", 1);
    if (!args) return {};
    CString word = (*args)[0];
    return word.Trim();
}

EStatKind CDirectiveSet::StatKindOf(const CString& word) {
    CString w = TrimUpper(word);
    if (w == "MAX") return kStatMax;
    if (w == "MIN") return kStatMin;
    if (w == "AVG") return kStatAvg;
    if (w == "SUM") return kStatSum;
    if (w == "AVGEXT") return kStatAvgExt;
    if (w == "COLLIGATEA") return kStatColligateA;
    if (w == "COLLIGATEB") return kStatColligateB;
    return kStatNone;
}

EStatKind CDirectiveSet::StatKind(CStringArray* columns) const {
    if (columns) columns->RemoveAll();
    if (CurrentColumnHidden()) return kStatNone;
    auto args = Find("STAT", 1);
    if (!args) return kStatNone;
    if (columns) {
        CString own = m_current ? TrimUpper(m_current->colname) : CString();
        for (int i = 1; i < args->GetSize(); ++i) {
            CString name = TrimUpper((*args)[i]);
            if (name != own) columns->Add(name);
        }
    }
    return StatKindOf((*args)[0]);
}

CString CDirectiveSet::DataSensorTime() const {
    auto args = Find("DATASENSORTIME", 1);
    if (!args) return "DAY";
    CString word = TrimUpper((*args)[0]);
    return word.IsEmpty() ? CString("DAY") : word;
}

CString CDirectiveSet::AuditText() {
    if (!m_columns || m_columns->GetSize() < 2) return "无数据";
    CString text;
    for (int i = 1; i < m_columns->GetSize(); ++i) {
        ParseColumn((*m_columns)[i]);
        if (auto args = Find("WLOG", 1)) text = (*args)[0];
    }
    return text;
}

int CDirectiveSet::StatisticsLevel() {
    if (!m_columns) return 0;
    int level = 0;
    for (int i = 1; i < m_columns->GetSize(); ++i) {
        ParseColumn((*m_columns)[i]);
        EStatKind kind = StatKind();
        int code = kind == kStatColligateA ? 5 : kind == kStatColligateB ? 6 : kind != kStatNone ? 1 : 0;
        level = std::max(level, code);
    }
    return level;
}
