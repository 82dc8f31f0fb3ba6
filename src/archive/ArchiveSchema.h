#pragma once
// The archive's tables as SQL, one version after the other. A migration
// takes an archive from the version before it to its own; an archive is
// brought up to date version by version, each step one transaction.

#include <QStringList>
#include <vector>

namespace kivo {

enum class SqlDialect { Sqlite, Postgres };

struct Migration {
    int version;
    QStringList sqlite;
    QStringList postgres;
};

// Every migration, oldest first.
const std::vector<Migration>& archiveMigrations();
int latestArchiveVersion();
const QStringList& statementsFor(const Migration& migration, SqlDialect dialect);

} // namespace kivo
