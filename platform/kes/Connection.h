#pragma once
// One open connection of the data service to its database. The service keeps one per
// process and sends every statement through it.
#include "CellView.h"
#include "Dialect.h"
#include "Object.h"
#include "SqlStr.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace kes {

class StatementControl;

// Whether a statement may change the database. A read-only statement that would write, open
// or end a transaction, attach a file or change a setting is refused by the database.
enum class Access { Write, ReadOnly };

// The start of the error text of a refused read-only statement.
constexpr const char* kReadOnlyRefused = "只读查询不能修改数据: ";

// Receives the result rows of a statement one at a time, each in the reply-row form; the text
// is valid during the call only.
using RowSink = std::function<void(std::string_view row)>;

class Connection {
public:
    virtual ~Connection() = default;
    virtual Backend Kind() const = 0;
    // Whether a transaction the caller began is open on this connection.
    virtual bool InTransaction() const = 0;
    // Runs one statement in the system's dialect. On success appends one CSqlStr per result
    // row (each value followed by ",", texts escaped as AppendText does) or, for a statement
    // that returns no columns, one status text ("UPDATE 1") and returns true; on failure
    // fills error. With maxRows above 0 only the first maxRows result rows are read; they are
    // the rows the whole result would begin with.
    bool Run(std::string_view sql, CObArray& reply, std::string& error, Access access = Access::Write,
             int maxRows = 0) {
        std::string status;
        bool ok = Send(
            sql, access, maxRows,
            [&reply](std::string_view row) { reply.Add(std::make_unique<CSqlStr>(CString(row))); }, status,
            error);
        if (!ok)
            reply.RemoveAll();
        else if (!status.empty())
            reply.Add(std::make_unique<CSqlStr>(CString(std::move(status))));
        return ok;
    }
    // As Run, handing each row to rows as it is read, so no reply rows are kept; the status
    // text of a statement without columns goes to status. Rows handed over before a failure
    // are to be dropped by the caller.
    bool RunEach(std::string_view sql, Access access, int maxRows, const RowSink& rows, std::string& status,
                 std::string& error) {
        status.clear();
        return Send(sql, access, maxRows, rows, status, error);
    }
    // As RunEach for a read whose cells are taken as values: each row is handed over as its
    // cells, none written as text. A statement that returns no columns hands over no row.
    bool RunCells(std::string_view sql, Access access, int maxRows, const CellSink& rows,
                  std::string& error) {
        std::string status;
        return SendCells(sql, access, maxRows, rows, status, error);
    }
    // Lets control stop this connection's statements from another thread (WorkerConnection.h).
    virtual void WatchCancel(std::shared_ptr<StatementControl> control) = 0;

protected:
    virtual bool Send(std::string_view sql, Access access, int maxRows, const RowSink& rows,
                      std::string& status, std::string& error) = 0;
    virtual bool SendCells(std::string_view sql, Access access, int maxRows, const CellSink& rows,
                           std::string& status, std::string& error) = 0;
};

// Opens the SQLite file at path, attached as schema KES to an in-memory main database.
// A missing file is not created. Null with error filled when it cannot be opened.
std::unique_ptr<Connection> OpenSqlite(const std::string& path, bool readOnly, std::string& error);
// Connects to a PostgreSQL server (URI or key=value text) and prepares schema kes.
std::unique_ptr<Connection> OpenPostgres(const std::string& conninfo, std::string& error);

} // namespace kes
