#pragma once
// The archive of inspections on SQLite or PostgreSQL, through Qt SQL. Every
// write is one transaction; every value is a bound parameter, so project
// texts with quotes, semicolons or SQL are data. An archive made by an
// earlier version is brought up to date when it is opened.

#include "archive/ArchiveSchema.h"
#include "archive/ArchiveTarget.h"
#include "archive/ArchiveRecord.h"

#include <QDate>
#include <QString>
#include <optional>
#include <vector>

namespace kivo {

class Archive {
public:
    // Opens the archive under a connection of its own and makes or updates
    // its tables; isOpen() says whether that worked, error() why not.
    explicit Archive(const ArchiveTarget& target);
    ~Archive();
    Archive(const Archive&) = delete;
    Archive& operator=(const Archive&) = delete;

    bool isOpen() const { return open; }
    QString error() const { return lastError; }
    int version() const;

    // A whole inspection with its readings; its id, nullopt on failure. An
    // inspection kept before (the same uuid) is not kept again: its id.
    std::optional<qint64> keep(const Inspection& inspection);
    // The id of the inspection `uuid` when the archive keeps it.
    std::optional<qint64> idOf(const QString& uuid);
    // One reading more for the inspection `uuid`, as an online session
    // grows; sent again, it is kept once. An inspection no longer there
    // (deleted meanwhile) takes nothing.
    enum class Appended { Kept, NoInspection, Failed };
    Appended append(const QString& uuid, const ArchivedReading& reading);
    // The acceptance check chosen for the inspection `uuid` and its verdict
    // ("" and none: no check); NoInspection when the archive keeps none.
    Appended judge(const QString& uuid, const QString& judgement, std::optional<bool> met);
    // The archive's file was removed or renamed since it was opened: what
    // is written now would be lost with it.
    bool fileGone() const;

    // The inspections newest first: those whose project fields, gauge,
    // model or serial hold `text` (any case; "" all), taken on `from` to
    // `to` (invalid: open), at most `limit`.
    // error() is "" after a list that worked.
    std::vector<InspectionSummary> list(const QString& text, const QDate& from, const QDate& to, int limit = 1000);
    // Changes whenever an inspection is kept, grows or is deleted, by this
    // program or another; "" when it cannot be asked.
    QString fingerprint();
    // nullopt with error() "" when the archive keeps no inspection `id`.
    std::optional<Inspection> load(qint64 id);
    bool remove(qint64 id);

private:
    bool migrate();
    bool fail(const QString& what, const QString& why);
    // The transaction that runs is rolled back; false.
    bool giveUp(const QString& what, const QString& why);

    QString connection;
    QString sqlitePath;
    SqlDialect dialect = SqlDialect::Sqlite;
    bool open = false;
    QString lastError;
};

// The words the archive window's search finds an inspection by.
QString searchText(const Inspection& inspection);

} // namespace kivo
