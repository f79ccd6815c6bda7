#pragma once
// The set-up SQL that gives a PostgreSQL database what the system's dialect expects of it.
namespace kes {

// Creates schema kes and, once per database, the dialect's functions and operators in it.
// Idempotent; serialised between sessions by an advisory lock.
extern const char* const kPostgresSetupSql;

} // namespace kes
