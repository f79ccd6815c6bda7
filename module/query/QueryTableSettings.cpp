#include "QueryTableSettings.h"

#include "ColumnTypes.h"
#include "ComplexString.h"
#include "QueryClient.h"
#include "SqlText.h"

#include <algorithm>
#include <utility>

namespace {

CString Trimmed(CString s) {
    return s.Trim();
}

// The settings statements are upper-cased as a whole before they are sent.
int QueryUpper(CQueryClient& client, CString sql) {
    return client.Query(sql.MakeUpper());
}

const CString& Field(const CStringArray& row, int i) {
    static const CString empty;
    return i < row.GetSize() ? row[i] : empty;
}

} // namespace

void CQueryTableSettings::Load(CQueryClient& client, const CString& tableName,
                               CElementColumns elementColumns) {
    m_tableName = Trimmed(tableName);
    m_elementColumns = elementColumns;
    m_selectMode.Empty();
    m_displayModeId.Empty();
    m_show.Empty();
    m_hasTableRow = false;

    CString sql;
    sql.Format("%s WHERE TNAME='%s' ",
               "SELECT tname,sta,username,obType,selectmode,dismodeid,show FROM KES.SET_DB_TABLE_NAME ",
               EscapeInLiteral(m_tableName));
    QueryUpper(client, sql);
    if (client.GetRowCount() > 0 && client.m_rows[0].GetSize() >= 7) {
        const CStringArray& row = client.m_rows[0];
        m_hasTableRow = true;
        m_selectMode = Trimmed(row[4]);
        m_displayModeId = Trimmed(row[5]);
        m_show = Trimmed(row[6]);
    }
    client.ClearRows();
    ReloadColumns(client, kColumnsAsConfigured);
}

void CQueryTableSettings::ReloadColumns(CQueryClient& client, int source) {
    if (source == kColumnsAsConfigured && m_elementColumns.advanced && m_elementColumns.columns) {
        m_columns = *m_elementColumns.columns;
        if (m_columns.IsEmpty()) m_columns.Add(std::make_unique<CQueryColumn>());
        PrepareColumns(client);
    } else if (source == kColumnsAsConfigured || source == kColumnsFromDatabase) {
        ReadColumnRows(client);
        PrepareColumns(client);
    }
    m_visibleCount = OrderByPoint(m_columns);

    CDirectiveSet table(&m_columns);
    table.Parse(m_show);
    m_modi = table.ModiWord();
    m_direct = table.DirectWord();

    ReadDisplayMode(client);

    m_changeTimeColumn = -1;
    CDirectiveSet d(&m_columns);
    for (int i = 1; i <= m_visibleCount; ++i) {
        d.ParseColumn(m_columns[i]);
        CString label;
        int count = 0;
        if (d.ChangeTime(label, count)) m_changeTimeColumn = i;
    }
}

void CQueryTableSettings::ReadColumnRows(CQueryClient& client) {
    m_columns.RemoveAll();
    m_columns.Add(std::make_unique<CQueryColumn>());
    CString sql =
        "SELECT colname,colnamech,datatypeid,Projmodeid,Point,restrictdata FROM KES.SET_TABLE_COL_NAME "
        "where Tname=" +
        QuoteLiteral(m_tableName);
    QueryUpper(client, sql);
    for (const auto& row : client.m_rows) {
        auto c = std::make_unique<CQueryColumn>();
        c->colname = Trimmed(Field(*row, 0));
        c->colnamech = Trimmed(Field(*row, 1));
        c->datatypeid = Trimmed(Field(*row, 2));
        c->Projmodeid = Trimmed(Field(*row, 3));
        c->Point = TextToInt(Field(*row, 4).str());
        c->restrictdata = Trimmed(Field(*row, 5));
        m_columns.Add(std::move(c));
    }
    client.ClearRows();
}

// Headings, types and mappings of every real column; columns that can never be shown go.
void CQueryTableSettings::PrepareColumns(CQueryClient& client) {
    CColumnList kept;
    kept.Add(std::make_unique<CQueryColumn>());
    for (int i = 1; i < m_columns.GetSize(); ++i) {
        auto c = std::make_unique<CQueryColumn>(m_columns[i]);
        if (c->colnamech.IsEmpty()) c->colnamech = c->colname;
        CColumnType type = ColumnTypeOf(TextToInt(c->datatypeid.str()));
        c->typeName = type.name;
        c->valueClass = type.valueClass;
        c->projections.RemoveAll();
        LoadProjection(client, *c);
        if (c->valueClass >= kValueText && c->valueClass <= kValueTime) kept.Add(std::move(c));
    }
    m_columns = std::move(kept);
}

void CQueryTableSettings::LoadProjection(CQueryClient& client, CQueryColumn& column) {
    int scheme = TextToInt(column.Projmodeid.str());
    if (scheme < 1) return;
    CString sql;
    sql.Format("SELECT protable,proname,pronumer,showt FROM KES.SET_PROJECTION_MODE WHERE projmodeid=%d",
               scheme);
    client.Query(sql);
    if (client.GetRowCount() == 0) {
        client.ClearRows();
        return;
    }
    CStringArray first = client.m_rows[0];
    client.ClearRows();
    CString table = Trimmed(Field(first, 0)), name = Trimmed(Field(first, 1)),
            number = Trimmed(Field(first, 2));
    column.showt = Trimmed(Field(first, 3));
    if (scheme < 1000) {
        sql = "SELECT " + name + "," + number + " FROM KES." + table + " ORDER BY " + number + " ASC";
    } else if (scheme >= 10000 && scheme <= 29999) {
        sql = "SELECT " + name + "," + number + " FROM KES." + "SMPRO";
        sql.AppendFormat(" WHERE PROID=%d ORDER BY %s ASC", scheme, number);
    } else {
        return;
    }
    client.Query(sql);
    for (const auto& row : client.m_rows) {
        CString n = Trimmed(Field(*row, 0)), code = Trimmed(Field(*row, 1));
        CString entry;
        entry.Format("%s(%s)", n.MakeUpper(), code.MakeUpper());
        column.projections.Add(entry);
    }
    client.ClearRows();
}

int CQueryTableSettings::OrderByPoint(CColumnList& columns) {
    // Columns placed below -1 go to the end, then the hidden ones (-1), each keeping its order.
    auto moveToEnd = [&](auto pick) {
        CColumnList front, back;
        for (int i = 0; i < columns.GetSize(); ++i) {
            auto copy = std::make_unique<CQueryColumn>(columns[i]);
            (i > 0 && pick(copy->Point) ? back : front).Add(std::move(copy));
        }
        for (int i = 0; i < back.GetSize(); ++i)
            front.Add(std::make_unique<CQueryColumn>(back[i]));
        columns = std::move(front);
    };
    moveToEnd([](std::int32_t p) { return p < -1; });
    moveToEnd([](std::int32_t p) { return p == -1; });

    int visible = 0;
    for (int i = 1; i < columns.GetSize() && columns[i].Point != -1; ++i)
        ++visible;

    // A selection sort by position among the visible columns, up to the first unplaced one.
    for (int i = 1; i <= visible; ++i) {
        if (columns[i].Point < 1) break;
        for (int j = i + 1; j <= visible; ++j) {
            if (columns[j].Point >= 1 && columns[j].Point < columns[i].Point)
                std::swap(columns[i], columns[j]);
        }
    }
    return visible;
}

void CQueryTableSettings::ReadDisplayMode(CQueryClient& client) {
    for (int i = 1; i < m_columns.GetSize(); ++i) {
        CQueryColumn& c = m_columns[i];
        c.colorfgText.Empty();
        c.colorbgText.Empty();
        c.fontText.Empty();
    }
    if (m_displayModeId.IsEmpty()) return;
    CString sql =
        "SELECT dismodeid,colid,colorfg,colorbg,font FROM KES.SET_DISPLAY_MODE_INI WHERE dismodeid=";
    sql.AppendFormat("%d", TextToInt(m_displayModeId.str()));
    sql += " ORDER BY dismodeid ASC,colid ASC";
    QueryUpper(client, sql);
    int n = client.GetRowCount();
    for (int i = 1; n > 0 && i <= m_visibleCount; ++i) {
        const CStringArray& row = client.m_rows[(i - 1) % n];
        CQueryColumn& c = m_columns[i];
        c.colorfgText = Trimmed(Field(row, 2));
        c.colorbgText = Trimmed(Field(row, 3));
        c.fontText = Trimmed(Field(row, 4));
        c.colorfg = COLORREF(TextToLong(c.colorfgText.str()));
        c.colorbg = COLORREF(TextToLong(c.colorbgText.str()));
        CComplexString::DecomposeString(c.fontText, c.font);
    }
    client.ClearRows();
}

CString CQueryTableSettings::PhysicalTableName(const CStringArray* keyValues) const {
    CDirectiveSet d(&m_columns);
    d.SetKeyValues(keyValues);
    d.Parse(m_show);
    return d.PhysicalTableName(m_tableName);
}

int CQueryTableSettings::ColumnIndex(const CString& name) const {
    CDirectiveSet d(&m_columns);
    return d.ColumnIndex(name);
}
