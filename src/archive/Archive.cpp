#include "archive/Archive.h"

#include <QAtomicInt>
#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>
#include <cmath>

namespace kivo {

namespace {

QAtomicInt connections;

// Readings written by one statement: 8 values each stays far below what
// either engine allows in one statement.
constexpr size_t kRowsPerInsert = 1000;

// The lock PostgreSQL holds for whoever updates the archive's tables.
constexpr qint64 kMigrationLock = 0x4b69766f; // "Kivo"

QVariant optionalNumber(const std::optional<double>& v) { return v ? QVariant(*v) : QVariant(QMetaType(QMetaType::Double)); }

std::optional<double> numberOrNone(const QVariant& v) { return v.isNull() ? std::nullopt : std::optional<double>(v.toDouble()); }

// A text as the tables take it: an absent one is empty, never NULL.
QVariant text(const QString& s) { return s.isNull() ? QVariant(QStringLiteral("")) : QVariant(s); }

QString isoUtc(const QDateTime& t) { return t.toUTC().toString(Qt::ISODateWithMs); }

QDateTime fromIso(const QString& text) { return QDateTime::fromString(text, Qt::ISODateWithMs); }

// The readings of inspection `id`, on the transaction that runs.
bool insertReadings(QSqlQuery& r, qint64 id, const std::vector<ArchivedReading>& readings, SqlDialect dialect)
{
    const QString insert = QStringLiteral("INSERT INTO reading (inspection_id, seq, nr, value, unit, material, date, time) VALUES ");
    const QString row = QStringLiteral("(?, ?, ?, ?, ?, ?, ?, ?)");
    if (readings.empty()) return true;
    if (dialect == SqlDialect::Sqlite) {
        // On this PC one prepared statement runs once per reading, fastest.
        r.prepare(insert + row);
        QVariantList ids, seqs, nrs, values, units, materials, dates, times;
        for (const ArchivedReading& a : readings) {
            ids << id;
            seqs << a.seq;
            nrs << a.nr;
            values << a.value;
            units << text(a.unit);
            materials << text(a.material);
            dates << text(a.date);
            times << text(a.time);
        }
        for (const QVariantList& column : {ids, seqs, nrs, values, units, materials, dates, times}) r.addBindValue(column);
        return r.execBatch();
    }
    // A team's server is asked once per chunk of readings, not once per
    // reading: over a network each question costs a round trip.
    for (size_t first = 0; first < readings.size(); first += kRowsPerInsert) {
        const size_t n = std::min(kRowsPerInsert, readings.size() - first);
        if (n == kRowsPerInsert && first > 0) {
            r.finish(); // the statement of a whole chunk is used again
        } else {
            QStringList rows;
            for (size_t i = 0; i < n; ++i) rows << row;
            r.prepare(insert + rows.join(QStringLiteral(", ")));
        }
        int at = 0;
        for (size_t i = first; i < first + n; ++i) {
            const ArchivedReading& a = readings[i];
            for (const QVariant& v : {QVariant(id), QVariant(a.seq), QVariant(a.nr), QVariant(a.value), text(a.unit),
                                      text(a.material), text(a.date), text(a.time)})
                r.bindValue(at++, v);
        }
        if (!r.exec()) return false;
    }
    return true;
}

} // namespace

QString searchText(const Inspection& in)
{
    QStringList words{in.model, in.gaugeCode, in.serial, in.fileName};
    for (const QString& f : in.projectFields) words << f;
    return words.join(u' ').toLower();
}

Archive::Archive(const ArchiveTarget& target)
    : connection(QStringLiteral("kivo-archive-%1").arg(connections.fetchAndAddRelaxed(1)))
{
    dialect = target.kind == ArchiveTarget::Kind::Sqlite ? SqlDialect::Sqlite : SqlDialect::Postgres;
    QSqlDatabase db = QSqlDatabase::addDatabase(dialect == SqlDialect::Sqlite ? QStringLiteral("QSQLITE")
                                                                                : QStringLiteral("QPSQL"),
                                                connection);
    if (!db.isValid()) {
        fail(QStringLiteral("open"), QStringLiteral("the Qt SQL driver is missing"));
        return;
    }
    if (dialect == SqlDialect::Sqlite) {
        sqlitePath = target.sqlitePath;
        QDir().mkpath(QFileInfo(target.sqlitePath).absolutePath());
        db.setDatabaseName(target.sqlitePath);
    } else {
        db.setHostName(target.host);
        if (target.port > 0) db.setPort(target.port);
        db.setDatabaseName(target.database);
        db.setUserName(target.user);
        // A server that does not answer is given up on soon: the operator's
        // readings wait for it in the queue, not in the window.
        QString options = target.options;
        if (!options.contains(QStringLiteral("connect_timeout=")))
            options += QString(options.isEmpty() ? QString() : QStringLiteral(";")) + QStringLiteral("connect_timeout=3");
        db.setConnectOptions(options);
    }
    if (!db.open()) {
        fail(QStringLiteral("open"), db.lastError().text());
        return;
    }
    if (dialect == SqlDialect::Sqlite) {
        QSqlQuery q(db);
        // A reading is on the disk before the next is taken; a deleted
        // inspection takes its readings with it.
        for (const char* pragma : {"PRAGMA foreign_keys = ON", "PRAGMA journal_mode = WAL", "PRAGMA synchronous = FULL",
                                   "PRAGMA busy_timeout = 5000"})
            q.exec(QString::fromLatin1(pragma));
    }
    open = migrate();
}

Archive::~Archive()
{
    {
        QSqlDatabase db = QSqlDatabase::database(connection, false);
        if (db.isOpen()) db.close();
    }
    QSqlDatabase::removeDatabase(connection);
}

bool Archive::fail(const QString& what, const QString& why)
{
    lastError = what + QStringLiteral(": ") + why;
    return false;
}

bool Archive::giveUp(const QString& what, const QString& why)
{
    fail(what, why);
    QSqlDatabase::database(connection, false).rollback();
    return false;
}

int Archive::version() const
{
    QSqlQuery q(QSqlDatabase::database(connection, false));
    if (!q.exec(QStringLiteral("SELECT MAX(version) FROM schema_version")) || !q.next()) return 0;
    return q.value(0).toInt();
}

bool Archive::migrate()
{
    QSqlDatabase db = QSqlDatabase::database(connection, false);
    const auto versionNow = [&] { return db.tables().contains(QStringLiteral("schema_version")) ? version() : 0; };
    const int have = versionNow();
    if (have > latestArchiveVersion())
        return fail(QStringLiteral("open"), QStringLiteral("the archive was made by a newer program (version %1)").arg(have));
    for (const Migration& m : archiveMigrations()) {
        if (m.version <= have) continue;
        if (!db.transaction()) return fail(QStringLiteral("update"), db.lastError().text());
        QSqlQuery q(db);
        // Programs on several PCs may open a new archive at once: one brings
        // it up to date, the others wait for it and find it done. A write
        // takes SQLite's lock on the file.
        const QString lock = dialect == SqlDialect::Postgres
                                 ? QStringLiteral("SELECT pg_advisory_xact_lock(%1)").arg(kMigrationLock)
                                 : QStringLiteral("PRAGMA user_version = %1").arg(m.version);
        if (!q.exec(lock)) return giveUp(QStringLiteral("update"), q.lastError().text());
        if (versionNow() >= m.version) {
            db.commit();
            continue;
        }
        for (const QString& statement : statementsFor(m, dialect)) {
            if (!q.exec(statement)) return giveUp(QStringLiteral("update to version %1").arg(m.version), q.lastError().text());
        }
        q.prepare(QStringLiteral("INSERT INTO schema_version (version) VALUES (?)"));
        q.addBindValue(m.version);
        if (!q.exec() || !db.commit())
            return giveUp(QStringLiteral("update to version %1").arg(m.version), q.lastError().text());
    }
    return true;
}

std::optional<qint64> Archive::idOf(const QString& uuid)
{
    if (!open) return std::nullopt;
    QSqlQuery find(QSqlDatabase::database(connection, false));
    find.prepare(QStringLiteral("SELECT id FROM inspection WHERE uuid = ?"));
    find.addBindValue(uuid);
    if (find.exec() && find.next()) return find.value(0).toLongLong();
    return std::nullopt;
}

std::optional<qint64> Archive::keep(const Inspection& in)
{
    QSqlDatabase db = QSqlDatabase::database(connection, false);
    if (!open) return std::nullopt;
    if (const std::optional<qint64> kept = idOf(in.uuid)) return kept;

    if (!db.transaction()) {
        fail(QStringLiteral("keep"), db.lastError().text());
        return std::nullopt;
    }
    const auto abandon = [&](const QSqlQuery& q) -> std::optional<qint64> {
        giveUp(QStringLiteral("keep"), q.lastError().text());
        return std::nullopt;
    };
    double sum = 0;
    double absSum = 0;
    bool mixed = false;
    for (const ArchivedReading& r : in.readings) {
        sum += r.value;
        absSum += std::fabs(r.value);
        mixed = mixed || r.unit != in.readings.front().unit;
    }
    QSqlQuery q(db);
    q.prepare(QStringLiteral(
        "INSERT INTO inspection (uuid, taken_at, source, model, gauge_code, gauge_version, serial,"
        " caption1, caption2, caption3, caption4, caption5, caption6,"
        " field1, field2, field3, field4, field5, field6, project_date, project_time,"
        " limit_min, limit_max, target, unit, file_name, installation, reading_count, value_sum, search,"
        " abs_sum, units_mixed, judgement, verdict_met)"
        " VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"
        " RETURNING id"));
    for (const QVariant& v : QVariantList{text(in.uuid), isoUtc(in.takenAt), text(in.source), text(in.model),
                                          text(in.gaugeCode), text(in.gaugeVersion), text(in.serial)})
        q.addBindValue(v);
    for (const QString& c : in.projectCaptions) q.addBindValue(text(c));
    for (const QString& f : in.projectFields) q.addBindValue(text(f));
    for (const QVariant& v : QVariantList{text(in.projectDate), text(in.projectTime), optionalNumber(in.limitMin),
                                          optionalNumber(in.limitMax), optionalNumber(in.target), text(in.unit),
                                          text(in.fileName), text(in.installation), int(in.readings.size()), sum,
                                          searchText(in), absSum, mixed ? 1 : 0, text(in.judgement),
                                          in.verdictMet ? QVariant(*in.verdictMet ? 1 : 0) : QVariant(QMetaType::fromType<int>())})
        q.addBindValue(v);
    if (!q.exec() || !q.next()) return abandon(q);
    const qint64 id = q.value(0).toLongLong();
    q.finish(); // a statement still reading would hold the transaction open

    QSqlQuery r(db);
    if (!insertReadings(r, id, in.readings, dialect)) return abandon(r);
    if (!db.commit()) {
        giveUp(QStringLiteral("keep"), db.lastError().text());
        return std::nullopt;
    }
    return id;
}

bool Archive::fileGone() const { return dialect == SqlDialect::Sqlite && !QFileInfo::exists(sqlitePath); }

Archive::Appended Archive::append(const QString& uuid, const ArchivedReading& a)
{
    QSqlDatabase db = QSqlDatabase::database(connection, false);
    if (!open) return Appended::Failed;
    if (!db.transaction()) {
        fail(QStringLiteral("append"), db.lastError().text());
        return Appended::Failed;
    }
    QSqlQuery q(db);
    q.prepare(QStringLiteral("INSERT INTO reading (inspection_id, seq, nr, value, unit, material, date, time)"
                             " SELECT id, ?, ?, ?, ?, ?, ?, ? FROM inspection WHERE uuid = ?"
                             " ON CONFLICT DO NOTHING"));
    for (const QVariant& v : QVariantList{a.seq, a.nr, a.value, text(a.unit), text(a.material), text(a.date), text(a.time), uuid})
        q.addBindValue(v);
    if (!q.exec()) {
        giveUp(QStringLiteral("append"), q.lastError().text());
        return Appended::Failed;
    }
    if (q.numRowsAffected() != 1) {
        // Kept before, or its inspection is gone.
        q.finish();
        const bool gone = !idOf(uuid);
        db.rollback();
        return gone ? Appended::NoInspection : Appended::Kept;
    }
    {
        QSqlQuery u(db);
        u.prepare(QStringLiteral("UPDATE inspection SET reading_count = reading_count + 1, value_sum = value_sum + ?,"
                                 " abs_sum = abs_sum + ?,"
                                 " units_mixed = CASE WHEN unit <> '' AND unit <> ? THEN 1 ELSE units_mixed END,"
                                 " unit = CASE WHEN unit = '' THEN ? ELSE unit END WHERE uuid = ?"));
        for (const QVariant& v : QVariantList{a.value, std::fabs(a.value), text(a.unit), text(a.unit), uuid})
            u.addBindValue(v);
        if (!u.exec()) {
            giveUp(QStringLiteral("append"), u.lastError().text());
            return Appended::Failed;
        }
    }
    if (!db.commit()) {
        giveUp(QStringLiteral("append"), db.lastError().text());
        return Appended::Failed;
    }
    return Appended::Kept;
}

std::vector<InspectionSummary> Archive::list(const QString& text, const QDate& from, const QDate& to, int limit)
{
    std::vector<InspectionSummary> found;
    if (!open) return found;
    lastError.clear();
    QString sql = QStringLiteral("SELECT id, taken_at, source, model, gauge_code, serial, field1, field2, field3, field4,"
                                 " field5, field6, reading_count, unit, abs_sum, units_mixed FROM inspection WHERE 1 = 1");
    QVariantList binds;
    if (!text.trimmed().isEmpty()) {
        sql += QStringLiteral(" AND search LIKE ? ESCAPE '!'");
        QString pattern = text.trimmed().toLower();
        pattern.replace(u'!', QStringLiteral("!!")).replace(u'%', QStringLiteral("!%")).replace(u'_', QStringLiteral("!_"));
        binds << u'%' + pattern + u'%';
    }
    if (from.isValid()) {
        sql += QStringLiteral(" AND taken_at >= ?");
        binds << isoUtc(from.startOfDay());
    }
    if (to.isValid()) {
        sql += QStringLiteral(" AND taken_at < ?");
        binds << isoUtc(to.addDays(1).startOfDay());
    }
    sql += QStringLiteral(" ORDER BY taken_at DESC, id DESC LIMIT ?");
    binds << limit;
    QSqlQuery q(QSqlDatabase::database(connection, false));
    q.setForwardOnly(true);
    q.prepare(sql);
    for (const QVariant& v : binds) q.addBindValue(v);
    if (!q.exec()) {
        fail(QStringLiteral("list"), q.lastError().text());
        return found;
    }
    while (q.next()) {
        InspectionSummary s;
        s.id = q.value(0).toLongLong();
        s.takenAt = fromIso(q.value(1).toString());
        s.source = q.value(2).toString();
        s.model = q.value(3).toString();
        s.gaugeCode = q.value(4).toString();
        s.serial = q.value(5).toString();
        for (int i = 0; i < 6; ++i) s.projectFields[size_t(i)] = q.value(6 + i).toString();
        s.count = q.value(12).toInt();
        s.unit = q.value(13).toString();
        s.mean = s.count > 0 ? q.value(14).toDouble() / s.count : 0;
        s.mixedUnits = q.value(15).toInt() != 0;
        found.push_back(s);
    }
    return found;
}

QString Archive::fingerprint()
{
    if (!open) return {};
    QSqlQuery q(QSqlDatabase::database(connection, false));
    if (!q.exec(QStringLiteral("SELECT COUNT(*), COALESCE(MAX(id), 0), COALESCE(SUM(reading_count), 0) FROM inspection"))
        || !q.next())
        return {};
    return QStringLiteral("%1/%2/%3").arg(q.value(0).toString(), q.value(1).toString(), q.value(2).toString());
}

std::optional<Inspection> Archive::load(qint64 id)
{
    if (!open) return std::nullopt;
    lastError.clear();
    QSqlDatabase db = QSqlDatabase::database(connection, false);
    QSqlQuery q(db);
    q.prepare(QStringLiteral("SELECT uuid, taken_at, source, model, gauge_code, gauge_version, serial,"
                             " caption1, caption2, caption3, caption4, caption5, caption6,"
                             " field1, field2, field3, field4, field5, field6, project_date, project_time,"
                             " limit_min, limit_max, target, unit, file_name, installation, judgement, verdict_met"
                             " FROM inspection WHERE id = ?"));
    q.addBindValue(id);
    if (!q.exec()) {
        fail(QStringLiteral("load"), q.lastError().text());
        return std::nullopt;
    }
    if (!q.next()) return std::nullopt; // none of that id: no error
    Inspection in;
    in.id = id;
    in.uuid = q.value(0).toString();
    in.takenAt = fromIso(q.value(1).toString());
    in.source = q.value(2).toString();
    in.model = q.value(3).toString();
    in.gaugeCode = q.value(4).toString();
    in.gaugeVersion = q.value(5).toString();
    in.serial = q.value(6).toString();
    for (int i = 0; i < 6; ++i) {
        in.projectCaptions[size_t(i)] = q.value(7 + i).toString();
        in.projectFields[size_t(i)] = q.value(13 + i).toString();
    }
    in.projectDate = q.value(19).toString();
    in.projectTime = q.value(20).toString();
    in.limitMin = numberOrNone(q.value(21));
    in.limitMax = numberOrNone(q.value(22));
    in.target = numberOrNone(q.value(23));
    in.unit = q.value(24).toString();
    in.fileName = q.value(25).toString();
    in.installation = q.value(26).toString();
    in.judgement = q.value(27).toString();
    if (!q.value(28).isNull()) in.verdictMet = q.value(28).toInt() != 0;
    QSqlQuery r(db);
    r.setForwardOnly(true);
    r.prepare(QStringLiteral("SELECT seq, nr, value, unit, material, date, time FROM reading WHERE inspection_id = ? ORDER BY seq"));
    r.addBindValue(id);
    if (!r.exec()) {
        fail(QStringLiteral("load"), r.lastError().text());
        return std::nullopt;
    }
    while (r.next())
        in.readings.push_back({r.value(0).toInt(), r.value(1).toInt(), r.value(2).toDouble(), r.value(3).toString(),
                               r.value(4).toString(), r.value(5).toString(), r.value(6).toString()});
    return in;
}

Archive::Appended Archive::judge(const QString& uuid, const QString& judgement, std::optional<bool> met)
{
    if (!open) return Appended::Failed;
    QSqlDatabase db = QSqlDatabase::database(connection, false);
    QSqlQuery q(db);
    q.prepare(QStringLiteral("UPDATE inspection SET judgement = ?, verdict_met = ? WHERE uuid = ?"));
    q.addBindValue(text(judgement));
    q.addBindValue(met ? QVariant(*met ? 1 : 0) : QVariant(QMetaType::fromType<int>()));
    q.addBindValue(uuid);
    if (!q.exec()) {
        fail(QStringLiteral("judge"), q.lastError().text());
        return Appended::Failed;
    }
    return q.numRowsAffected() == 1 ? Appended::Kept : Appended::NoInspection;
}

bool Archive::remove(qint64 id)
{
    if (!open) return false;
    QSqlDatabase db = QSqlDatabase::database(connection, false);
    if (!db.transaction()) return fail(QStringLiteral("delete"), db.lastError().text());
    QSqlQuery q(db);
    // The readings first, for an engine that keeps no foreign keys.
    for (const char* sql : {"DELETE FROM reading WHERE inspection_id = ?", "DELETE FROM inspection WHERE id = ?"}) {
        q.prepare(QString::fromLatin1(sql));
        q.addBindValue(id);
        if (!q.exec()) return giveUp(QStringLiteral("delete"), q.lastError().text());
    }
    if (!db.commit()) return fail(QStringLiteral("delete"), db.lastError().text());
    return true;
}

} // namespace kivo
