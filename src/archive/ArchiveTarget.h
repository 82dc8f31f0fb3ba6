#pragma once
// Where the archive of inspections is: one SQLite file on this PC, or a
// PostgreSQL database a team shares. The connection line comes from
// KIVO_ARCHIVE or Archiv.ini; no password ever stands in it (libpq's own
// password or service file holds it).

#include <QString>
#include <optional>

namespace kivo {

struct ArchiveTarget {
    enum class Kind { Sqlite, Postgres };
    Kind kind = Kind::Sqlite;
    QString sqlitePath; // Sqlite: the file
    // Postgres: as libpq takes them; a host beginning with "/" is the folder
    // of the server's socket.
    QString host;
    int port = 0; // 0: libpq's default
    QString database;
    QString user;
    QString options; // "sslmode=require;connect_timeout=5": the line's query, for the driver
    // The line as the operator may read it (never a password).
    QString shown() const;
};

struct TargetOutcome {
    std::optional<ArchiveTarget> target;
    QString error; // why the line names no archive (English; said as it stands)
};

// The archive a connection line names:
//   ""                                   the SQLite file `defaultSqlitePath`
//   "sqlite:///path/Archiv.sqlite"       another SQLite file
//   "postgresql://[user@]host[:port]/db[?key=value&...]"  (also "postgres://")
// A line with a password, an unknown scheme or no database is refused.
TargetOutcome parseArchiveTarget(const QString& line, const QString& defaultSqlitePath);

} // namespace kivo
