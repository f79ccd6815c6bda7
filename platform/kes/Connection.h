#pragma once
// One open connection of the data service to its database. The service keeps one per
// process and sends every statement through it.
#include "Dialect.h"
#include "Object.h"

#include <memory>
#include <string>
#include <string_view>

namespace kes {

// Whether a statement may change the database. A read-only statement that would write, open
// or end a transaction, attach a file or change a setting is refused by the database.
enum class Access { Write, ReadOnly };

// The start of the error text of a refused read-only statement.
constexpr const char* kReadOnlyRefused = "只读查询不能修改数据: ";

class Connection {
public:
    virtual ~Connection() = default;
    virtual Backend Kind() const = 0;
    // Runs one statement in the system's dialect. On success appends one CSqlStr per result
    // row (each value followed by ",", texts escaped as AppendText does) or, for a statement
    // that returns no columns, one status text ("UPDATE 1") and returns true; on failure
    // fills error. With maxRows above 0 only the first maxRows result rows are read; they are
    // the rows the whole result would begin with.
    bool Run(std::string_view sql, CObArray& reply, std::string& error, Access access = Access::Write,
             int maxRows = 0) {
        return Send(sql, access, maxRows, reply, error);
    }

protected:
    virtual bool Send(std::string_view sql, Access access, int maxRows, CObArray& reply,
                      std::string& error) = 0;
};

// Opens the SQLite file at path, attached as schema KES to an in-memory main database.
// A missing file is not created. Null with error filled when it cannot be opened.
std::unique_ptr<Connection> OpenSqlite(const std::string& path, bool readOnly, std::string& error);
// Connects to a PostgreSQL server (URI or key=value text) and prepares schema kes.
std::unique_ptr<Connection> OpenPostgres(const std::string& conninfo, std::string& error);

} // namespace kes
