#include "DataService.h"

#include "DataSource.h"
#include "ValueText.h"

#include <cstdio>
#include <exception>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace {

int Fail(CObArray* array, const std::string& error) {
    if (array) array->InsertAt(0, std::make_unique<CSqlStr>(CString(error)));
    return -1;
}

// Runs a read-only statement and hands each result row to cells as it is read: the period
// calls answer hundreds of thousands of rows, which are never all held at once, and take their
// numbers as numbers, never written as text and read back.
bool RunForCells(const std::string& sql, const kes::CellSink& cells, std::string& error) {
    kes::Connection* conn = kes::CurrentReadConnection(error);
    if (!conn) return false;
    return conn->RunCells(sql, kes::Access::ReadOnly, 0, cells, error);
}

// "YYYY-MM-DD HH:MM:SS" as both backends write times; anything else is read field by field.
COleDateTime TimeOf(std::string_view text) {
    auto digits = [&](std::size_t at, std::size_t n, int& value) {
        value = 0;
        for (std::size_t i = at; i < at + n; ++i) {
            if (text[i] < '0' || text[i] > '9') return false;
            value = value * 10 + (text[i] - '0');
        }
        return true;
    };
    int f[6] = {0, 0, 0, 0, 0, 0};
    if (text.size() == 19 && text[4] == '-' && text[7] == '-' && text[10] == ' ' && text[13] == ':' &&
        text[16] == ':' && digits(0, 4, f[0]) && digits(5, 2, f[1]) && digits(8, 2, f[2]) &&
        digits(11, 2, f[3]) && digits(14, 2, f[4]) && digits(17, 2, f[5]))
        return COleDateTime(f[0], f[1], f[2], f[3], f[4], f[5]);
    const std::string copy(text);
    if (std::sscanf(copy.c_str(), "%d-%d-%d %d:%d:%d", &f[0], &f[1], &f[2], &f[3], &f[4], &f[5]) < 3) {
        COleDateTime bad;
        bad.SetStatus(COleDateTime::invalid);
        return bad;
    }
    return COleDateTime(f[0], f[1], f[2], f[3], f[4], f[5]);
}

// The table named by the request's extra text, if it is one of the allowed ones.
std::string AllowedTable(const CParam& param, std::initializer_list<const char*> allowed) {
    CString name = param.ExStr();
    name.Trim();
    name.MakeUpper();
    if (name.Left(4) == "KES.") name = name.Mid(4);
    for (const char* t : allowed)
        if (name == t) return t;
    return {};
}

// Checks the request of OutRT and OutSpanDB and builds the shared part of their SELECT.
bool PeriodRequest(const CParam* param, std::initializer_list<const char*> tables, const char* columns,
                   std::string& sql, std::string& error) {
    if (!param) {
        error = "no request";
        return false;
    }
    std::string table = AllowedTable(*param, tables);
    if (table.empty()) {
        error = "unknown table \"" + param->ExStr().str() + "\"";
        return false;
    }
    if (param->Ids().size() != 1) {
        error = "one identifier is needed, " + std::to_string(param->Ids().size()) + " given";
        return false;
    }
    if (!param->Begin() || !param->End() || !param->Begin()->IsValid() || !param->End()->IsValid()) {
        error = "a valid begin and end time are needed";
        return false;
    }
    const char* fmt = "%Y-%m-%d %H:%M:%S";
    sql = std::string("SELECT ") + columns + " FROM KES." + table +
          " WHERE SENID=" + std::to_string(param->Ids()[0]) + " AND TIME>={ts '" +
          param->Begin()->Format(fmt).str() + "'} AND TIME<={ts '" + param->End()->Format(fmt).str() +
          "'} ORDER BY TIME";
    return true;
}

// The time of a cell: a text as TimeOf reads it, anything else as its reply-row text.
COleDateTime TimeOf(const kes::CellView& cell) {
    std::string buffer;
    return TimeOf(cell.Text(buffer));
}

// A period call: the rows of the request's point and stretch from the table it names, each row
// of at least cellCount values handed to take. The number of rows read, or -1 with the reason
// first in array.
template <class Take>
int OutPeriod(CParam* param, CObArray* array, std::initializer_list<const char*> tables, const char* columns,
              std::size_t cellCount, Take take) {
    if (!array) return -1;
    try {
        std::string sql, error;
        int rows = 0;
        auto record = [&](kes::CellRow cells) {
            ++rows;
            if (cells.size() >= cellCount) take(cells);
        };
        if (!PeriodRequest(param, tables, columns, sql, error) || !RunForCells(sql, record, error)) {
            array->RemoveAll();
            return Fail(array, error);
        }
        return rows;
    } catch (const std::exception& e) {
        return Fail(array, e.what());
    }
}

// A row of a period table (SENID, TIME, then value and quality of the four kinds) as a record.
void ReadSpanRecord(kes::CellRow cells, CSpanRecord& rec) {
    rec.m_nSenId = cells[0].Int();
    rec.m_time = TimeOf(cells[1]);
    for (int k = 0; k < 4; ++k) {
        rec.m_fValue[k] = float(cells[std::size_t(2 + 2 * k)].Number(-999));
        rec.m_nQuality[k] = cells[std::size_t(3 + 2 * k)].Int();
    }
}

constexpr const char* kSpanColumns = "SENID,TIME,INSTV,INSTQ,AVGV,AVGQ,MAXV,MAXQ,MINV,MINQ";

} // namespace

int InSqlStr(CParam* param, CObArray* array) {
    if (!array) return -1;
    try {
        auto* statement = array->GetSize() == 1 ? dynamic_cast<CSqlStr*>(array->GetAt(0)) : nullptr;
        if (!statement) {
            array->RemoveAll();
            return Fail(array, "the request must hold exactly one statement");
        }
        std::string sql = statement->m_strSql.str();
        array->RemoveAll();
        std::string error;
        kes::Access access = param && param->IsReadOnly() ? kes::Access::ReadOnly : kes::Access::Write;
        kes::Connection* conn = access == kes::Access::ReadOnly ? kes::CurrentReadConnection(error)
                                                                : kes::CurrentConnection(error);
        if (!conn) return Fail(array, error);
        if (!conn->Run(sql, *array, error, access, param ? param->RowLimit() : 0)) {
            array->RemoveAll();
            return Fail(array, error.empty() ? "the statement failed" : error);
        }
        // A status text is no row.
        int rows = array->GetSize();
        if (rows > 0 && kes::IsStatusText(static_cast<const CSqlStr&>((*array)[rows - 1]).m_strSql.str()))
            --rows;
        return rows;
    } catch (const std::exception& e) {
        array->RemoveAll();
        return Fail(array, e.what());
    }
}

namespace {

// Runs the statement for InSqlStrEach and InSqlCellsEach: send(connection, access, row limit,
// status, error) hands the rows over and answers their number, below 0 on failure.
template <class Send> int RunEachRow(CParam* param, CObArray* array, Send&& send) {
    if (!array) return -1;
    array->RemoveAll();
    try {
        std::string error, status;
        kes::Access access = param && param->IsReadOnly() ? kes::Access::ReadOnly : kes::Access::Write;
        kes::Connection* conn = access == kes::Access::ReadOnly ? kes::CurrentReadConnection(error)
                                                                : kes::CurrentConnection(error);
        if (!conn) return Fail(array, error);
        const int count = send(*conn, access, param ? param->RowLimit() : 0, status, error);
        if (count < 0) return Fail(array, error.empty() ? "the statement failed" : error);
        if (!status.empty()) array->Add(std::make_unique<CSqlStr>(CString(std::move(status))));
        return count;
    } catch (const std::exception& e) {
        array->RemoveAll();
        return Fail(array, e.what());
    }
}

} // namespace

int InSqlStrEach(CParam* param, const CString& statement, const std::function<void(std::string_view)>& rows,
                 CObArray* array) {
    return RunEachRow(
        param, array,
        [&](kes::Connection& conn, kes::Access access, int maxRows, std::string& status, std::string& error) {
            int count = 0;
            auto counted = [&](std::string_view row) {
                ++count;
                rows(row);
            };
            return conn.RunEach(statement.str(), access, maxRows, counted, status, error) ? count : -1;
        });
}

int InSqlCellsEach(CParam* param, const CString& statement, const kes::CellSink& rows, CObArray* array) {
    return RunEachRow(
        param, array,
        [&](kes::Connection& conn, kes::Access access, int maxRows, std::string&, std::string& error) {
            int count = 0;
            auto counted = [&](kes::CellRow cells) {
                ++count;
                rows(cells);
            };
            return conn.RunCells(statement.str(), access, maxRows, counted, error) ? count : -1;
        });
}

int OutRT(CParam* param, CObArray* array) {
    return OutPeriod(param, array, {"RTEV", "REAL"}, "SENID,TIME,FACTV,DATAPRO", 4,
                     [array](kes::CellRow cells) {
                         auto rec = std::make_unique<CRTRecord>();
                         rec->m_nSenId = cells[0].Int();
                         rec->m_time = TimeOf(cells[1]);
                         rec->m_fValue = cells[2].Number(-999);
                         rec->m_nDataPro = cells[3].Int();
                         array->Add(std::move(rec));
                     });
}

int OutSpanDB(CParam* param, CObArray* array) {
    return OutPeriod(param, array, {"HOURDB", "DAYDB", "DAY10DB", "MONTHDB"}, kSpanColumns, 10,
                     [array](kes::CellRow cells) {
                         auto rec = std::make_unique<CSpanRecord>();
                         ReadSpanRecord(cells, *rec);
                         array->Add(std::move(rec));
                     });
}

int OutSpanDBEach(CParam* param, const std::function<void(const CSpanRecord&)>& records, CObArray* array) {
    CSpanRecord rec;
    return OutPeriod(param, array, {"HOURDB", "DAYDB", "DAY10DB", "MONTHDB"}, kSpanColumns, 10,
                     [&](kes::CellRow cells) {
                         ReadSpanRecord(cells, rec);
                         records(rec);
                     });
}

int DestroyOb(CObArray* array) {
    if (array) array->RemoveAll();
    return 0;
}

int CreatDataMonitor(int) {
    return 0;
}
