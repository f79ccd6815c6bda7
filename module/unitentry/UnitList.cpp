#include "UnitList.h"

#include "QueryClient.h"

namespace {

CString Cell(const CStringArray& row, int index) {
    CString text = index < row.GetSize() ? row[index] : CString();
    return text.Trim();
}

} // namespace

CString UnitListStatement(long scheme, const CString& table, const CString& nameColumn,
                          const CString& numberColumn) {
    CString sql = "SELECT " + nameColumn + "," + numberColumn + " FROM KES." + table;
    // Ordered by the unit numbers: the unit tables hold no column of their own to order by.
    sql.AppendFormat(" WHERE PROID=%ld ORDER BY %s ASC", scheme, numberColumn);
    return sql;
}

bool LoadUnits(CQueryClient& client, long scheme, CUnitList& units, CString& error) {
    units = {};
    error.Empty();
    CString sql;
    sql.Format("SELECT protable,proname,pronumer,showt FROM KES.SET_PROJECTION_MODE WHERE projmodeid=%ld",
               scheme);
    if (client.Query(sql) != 1) {
        error = client.m_strLastError;
        return false;
    }
    if (client.GetRowCount() == 0) return true;
    const CStringArray first = client.m_rows[0];
    client.ClearRows();
    const CString table = Cell(first, 0), name = Cell(first, 1), number = Cell(first, 2);
    if (table.IsEmpty() || name.IsEmpty() || number.IsEmpty()) return true;
    if (client.Query(UnitListStatement(scheme, table, name, number)) != 1) {
        error = client.m_strLastError;
        client.ClearRows();
        return false;
    }
    for (const auto& row : client.m_rows) {
        units.names.Add(Cell(*row, 0).MakeUpper());
        units.numbers.Add(Cell(*row, 1).MakeUpper());
    }
    client.ClearRows();
    return true;
}
