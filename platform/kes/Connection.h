#pragma once
// One open connection of the data service to its database. The service keeps one per
// process and sends every statement through it.
#include "Dialect.h"
#include "Object.h"

#include <memory>
#include <string>
#include <string_view>

namespace kes {

class Connection {
public:
    virtual ~Connection() = default;
    virtual Backend Kind() const = 0;
    // Runs one statement in the system's dialect. On success appends one CSqlStr per result
    // row (each value followed by ",") and returns true; on failure fills error.
    virtual bool Run(std::string_view sql, CObArray& reply, std::string& error) = 0;
};

// Opens the SQLite file at path, attached as schema KES to an in-memory main database.
// A missing file is not created. Null with error filled when it cannot be opened.
std::unique_ptr<Connection> OpenSqlite(const std::string& path, bool readOnly, std::string& error);
// Connects to a PostgreSQL server (URI or key=value text) and prepares schema kes.
std::unique_ptr<Connection> OpenPostgres(const std::string& conninfo, std::string& error);

} // namespace kes
