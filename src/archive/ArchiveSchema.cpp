#include "archive/ArchiveSchema.h"

namespace kivo {

namespace {

// The inspection's columns, the same in both dialects but for the key and
// the numbers' type.
QString inspectionTable(const QString& key, const QString& real)
{
    return QStringLiteral(
               "CREATE TABLE inspection ("
               " id %1,"
               " uuid TEXT NOT NULL UNIQUE,"
               " taken_at TEXT NOT NULL,"
               " source TEXT NOT NULL,"
               " model TEXT NOT NULL DEFAULT '', gauge_code TEXT NOT NULL DEFAULT '',"
               " gauge_version TEXT NOT NULL DEFAULT '', serial TEXT NOT NULL DEFAULT '',"
               " caption1 TEXT, caption2 TEXT, caption3 TEXT, caption4 TEXT, caption5 TEXT, caption6 TEXT,"
               " field1 TEXT, field2 TEXT, field3 TEXT, field4 TEXT, field5 TEXT, field6 TEXT,"
               " project_date TEXT, project_time TEXT,"
               " limit_min %2, limit_max %2, target %2,"
               " unit TEXT NOT NULL DEFAULT '', file_name TEXT NOT NULL DEFAULT '',"
               " installation TEXT NOT NULL DEFAULT '',"
               " reading_count INTEGER NOT NULL DEFAULT 0, value_sum %2 NOT NULL DEFAULT 0,"
               " search TEXT NOT NULL DEFAULT '')")
        .arg(key, real);
}

QString readingTable(const QString& real, const QString& tail)
{
    return QStringLiteral("CREATE TABLE reading ("
                          " inspection_id BIGINT NOT NULL REFERENCES inspection(id) ON DELETE CASCADE,"
                          " seq INTEGER NOT NULL, nr INTEGER NOT NULL, value %1 NOT NULL,"
                          " unit TEXT NOT NULL, material TEXT NOT NULL, date TEXT NOT NULL, time TEXT NOT NULL,"
                          " PRIMARY KEY (inspection_id, seq))%2")
        .arg(real, tail);
}

// Version 2: the mean the list shows is of the readings' sizes, as the
// window's statistics count them from the start, and a table of mixed
// units has none.
QStringList sums(const QString& real)
{
    return {QStringLiteral("ALTER TABLE inspection ADD COLUMN abs_sum %1 NOT NULL DEFAULT 0").arg(real),
            QStringLiteral("ALTER TABLE inspection ADD COLUMN units_mixed INTEGER NOT NULL DEFAULT 0"),
            QStringLiteral("UPDATE inspection SET"
                           " abs_sum = COALESCE((SELECT SUM(ABS(value)) FROM reading WHERE reading.inspection_id = inspection.id), 0),"
                           " units_mixed = CASE WHEN (SELECT COUNT(DISTINCT unit) FROM reading"
                           " WHERE reading.inspection_id = inspection.id) > 1 THEN 1 ELSE 0 END")};
}

// Version 3: the acceptance check chosen for an inspection (its rule and
// figures as one line) and the verdict it gave.
QStringList judgement()
{
    return {QStringLiteral("ALTER TABLE inspection ADD COLUMN judgement TEXT NOT NULL DEFAULT ''"),
            QStringLiteral("ALTER TABLE inspection ADD COLUMN verdict_met INTEGER")};
}

std::vector<Migration> build()
{
    const QString versionTable = QStringLiteral("CREATE TABLE schema_version (version INTEGER NOT NULL)");
    const QString takenIndex = QStringLiteral("CREATE INDEX inspection_taken ON inspection (taken_at)");
    return {
        {1,
         {versionTable, inspectionTable(QStringLiteral("INTEGER PRIMARY KEY AUTOINCREMENT"), QStringLiteral("REAL")),
          readingTable(QStringLiteral("REAL"), QStringLiteral(" WITHOUT ROWID")), takenIndex},
         {versionTable, inspectionTable(QStringLiteral("BIGSERIAL PRIMARY KEY"), QStringLiteral("DOUBLE PRECISION")),
          readingTable(QStringLiteral("DOUBLE PRECISION"), QString()), takenIndex}},
        {2, sums(QStringLiteral("REAL")), sums(QStringLiteral("DOUBLE PRECISION"))},
        {3, judgement(), judgement()},
    };
}

} // namespace

const std::vector<Migration>& archiveMigrations()
{
    static const std::vector<Migration> migrations = build();
    return migrations;
}

int latestArchiveVersion() { return archiveMigrations().back().version; }

const QStringList& statementsFor(const Migration& migration, SqlDialect dialect)
{
    return dialect == SqlDialect::Sqlite ? migration.sqlite : migration.postgres;
}

} // namespace kivo
