#pragma once
// Where the data service finds its database, and the one connection per process to it.
//
// The data source is a URI: "sqlite:PATH" (the embedded default; "sqlite:PATH?mode=ro" opens
// it read-only) or a PostgreSQL connection string ("postgresql://..." or libpq key=value
// words). It is taken from, in order: the --db option of our programs (SetDataSource), the
// VEXOR_DB environment variable, the line "db = URI" of the user's config file
// ($XDG_CONFIG_HOME/vexorquery/vexorquery.conf, else ~/.config/vexorquery/vexorquery.conf),
// and last the demo database (DemoDatabasePath).
//
// A data source may name two databases, "WRITE_URI|READ_URI": writes, the audit, logins and
// every statement inside a transaction go to the first; queries and the other reads go to the
// second, a streaming replica of the first (a "|" inside a key=value value must be quoted).
#include "Connection.h"

#include <string>

namespace kes {

// Sets the data source for this process (closing any open connection); an empty text goes
// back to the environment, config file and demo database.
void SetDataSource(const std::string& uri);
// Closes the connection; the next call of the service opens it again.
void CloseDataSource();
// The URI in force, resolved as described above.
std::string ResolveDataSource();
// The URI in force without any password, for messages.
std::string DescribeDataSource();
std::string ConfigFilePath();
std::string DemoDatabasePath();

// The process's connection, opened on first use. When it cannot be opened, null with error
// filled; the failure is remembered for a few seconds, so a caller that keeps asking does not
// hammer an unreachable server. With two databases named, the one that is written.
Connection* CurrentConnection(std::string& error);
// The connection reads go to: the reading database when one is named and no transaction is
// open on the written one, else CurrentConnection.
Connection* CurrentReadConnection(std::string& error);

// Opens a new connection of the data source uri; null with error filled (password masked).
std::unique_ptr<Connection> OpenConnection(const std::string& uri, std::string& error);
// Makes connection the one CurrentConnection answers on the calling thread (null: the
// process's connection again); answers the one it replaces. For WorkerConnection.
Connection* SetThreadConnection(Connection* connection);

} // namespace kes
