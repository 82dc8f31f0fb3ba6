// The archive: a 5000-reading download kept, a 5000-reading inspection
// opened into the main window's table, and the archive window's list and
// text search over 10 000 inspections of 500 readings each (5 million
// readings), with the archive file's size per reading.

#include "archive/Archive.h"
#include "session/ArchiveRecorder.h"
#include "session/ArchivedTable.h"
#include "session/GaugeSession.h"
#include "ui/frmArchiv.h"
#include "ui/frmTransfer.h"
#include "PgCluster.h"
#include "SilentDialogs.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTableView>
#include <QTemporaryDir>
#include <QUuid>
#include <benchmark/benchmark.h>

namespace {

using namespace kivo;

Inspection inspection(int readings, int n)
{
    Inspection in;
    in.uuid = QUuid::createUuid().toString(QUuid::WithoutBraces);
    in.takenAt = QDateTime(QDate(2025, 1, 1), QTime(8, 0), Qt::UTC).addSecs(qint64(n) * 3600);
    in.source = QStringLiteral("memory1");
    in.model = QStringLiteral("RKS");
    in.gaugeCode = QStringLiteral("RKS");
    in.projectFields = {QStringLiteral("Bridge %1").arg(n), QStringLiteral("Pier %1").arg(n % 40),
                        QStringLiteral("Coat 2"), QStringLiteral("Inspector %1").arg(n % 7)};
    in.unit = QStringLiteral("µm  ");
    for (int i = 1; i <= readings; ++i)
        in.readings.push_back({i, i, 40.0 + (i % 97) * 0.37, QStringLiteral("µm  "), QStringLiteral(" Fe"),
                               QStringLiteral("08.12.2026"), QStringLiteral("10:%1:%2").arg(i / 60 % 60, 2, 10, QChar(u'0')).arg(i % 60, 2, 10, QChar(u'0'))});
    return in;
}

ArchiveTarget sqliteAt(const QString& path)
{
    ArchiveTarget t;
    t.sqlitePath = path;
    return t;
}

void BM_ArchiveDownload5000(benchmark::State& state)
{
    QTemporaryDir dir;
    Archive archive(sqliteAt(dir.filePath(QStringLiteral("Archiv.sqlite"))));
    Inspection in = inspection(5000, 1);
    for (auto _ : state) {
        in.uuid = QUuid::createUuid().toString(QUuid::WithoutBraces);
        if (!archive.keep(in)) state.SkipWithError("not kept");
    }
}
BENCHMARK(BM_ArchiveDownload5000)->Unit(benchmark::kMillisecond);

// The same on a team's PostgreSQL server (a throwaway one on a Unix socket).
void BM_ArchiveDownload5000Postgres(benchmark::State& state)
{
    testing::PgCluster cluster;
    if (!cluster.ready()) {
        state.SkipWithError("no PostgreSQL server could be started");
        return;
    }
    Archive archive(*parseArchiveTarget(cluster.line(), QString()).target);
    Inspection in = inspection(5000, 1);
    for (auto _ : state) {
        in.uuid = QUuid::createUuid().toString(QUuid::WithoutBraces);
        if (!archive.keep(in)) state.SkipWithError("not kept");
    }
}
BENCHMARK(BM_ArchiveDownload5000Postgres)->Unit(benchmark::kMillisecond);

// The archive of 10 000 inspections, made once and kept in the temporary
// folder for the next run: written past the archive, in one transaction.
QString largeArchive()
{
    const QString path = QDir::temp().filePath(QStringLiteral("kivo-bench-archive-v%1.sqlite").arg(latestArchiveVersion()));
    if (QFileInfo::exists(path)) return path;
    const QString building = path + QStringLiteral(".new");
    QFile::remove(building);
    { Archive made(sqliteAt(building)); }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("bench-build"));
        db.setDatabaseName(building);
        db.open();
        QSqlQuery q(db);
        q.exec(QStringLiteral("PRAGMA journal_mode = DELETE"));
        q.exec(QStringLiteral("PRAGMA synchronous = OFF"));
        db.transaction();
        QSqlQuery head(db);
        head.prepare(QStringLiteral("INSERT INTO inspection (id, uuid, taken_at, source, model, gauge_code, field1, field2,"
                                    " field3, field4, unit, reading_count, value_sum, abs_sum, search)"
                                    " VALUES (?, ?, ?, 'memory1', 'RKS', 'RKS', ?, ?, ?, ?, 'µm  ', 500, ?, ?, ?)"));
        QSqlQuery row(db);
        row.prepare(QStringLiteral("INSERT INTO reading (inspection_id, seq, nr, value, unit, material, date, time)"
                                   " VALUES (?, ?, ?, ?, 'µm  ', ' Fe', '08.12.2026', ?)"));
        for (int n = 1; n <= 10000; ++n) {
            const Inspection in = inspection(500, n);
            double sum = 0;
            for (const ArchivedReading& r : in.readings) sum += r.value;
            for (const QVariant& v : QVariantList{n, in.uuid, in.takenAt.toString(Qt::ISODateWithMs), in.projectFields[0],
                                                  in.projectFields[1], in.projectFields[2], in.projectFields[3], sum, sum,
                                                  searchText(in)})
                head.addBindValue(v);
            head.exec();
            for (const ArchivedReading& r : in.readings) {
                for (const QVariant& v : QVariantList{n, r.seq, r.nr, r.value, r.time}) row.addBindValue(v);
                row.exec();
            }
        }
        db.commit();
        q.exec(QStringLiteral("PRAGMA journal_mode = WAL"));
        q.exec(QStringLiteral("ANALYZE"));
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("bench-build"));
    QFile::rename(building, path);
    return path;
}

// The archive window over the large archive, as the operator opens it.
struct LargeArchiveWindow {
    LargeArchiveWindow() : path(largeArchive())
    {
        window.attach({[this] { return std::make_unique<Archive>(sqliteAt(path)); }, {}, {}, {}, {},
                       [] { return std::array<QString, 6>{}; }});
        window.showArchive(true);
    }
    QString path;
    frmArchiv window;
};

void listed(benchmark::State& state, const QString& text)
{
    LargeArchiveWindow large;
    large.window.txtSuche->setText(text);
    int rows = 0;
    for (auto _ : state) {
        large.window.refresh();
        QCoreApplication::processEvents(); // drawn
        rows = large.window.lstArchiv->model()->rowCount();
    }
    state.counters["rows"] = rows;
    state.counters["bytesPerReading"] = double(QFileInfo(large.path).size()) / (10000.0 * 500.0);
}

void BM_ArchiveWindowList10000(benchmark::State& state) { listed(state, QString()); }
BENCHMARK(BM_ArchiveWindowList10000)->Unit(benchmark::kMillisecond);

void BM_ArchiveWindowSearch10000(benchmark::State& state) { listed(state, QStringLiteral("bridge 4711")); }
BENCHMARK(BM_ArchiveWindowSearch10000)->Unit(benchmark::kMillisecond);

// A 5000-reading inspection chosen in the archive window and opened into
// the main window's table: read from the archive, taken, drawn.
void BM_OpenInspection5000(benchmark::State& state)
{
    QTemporaryDir folder;
    qputenv("XDG_CONFIG_HOME", QDir(folder.path()).filePath(QStringLiteral("config")).toUtf8());
    qputenv("XDG_DATA_HOME", QDir(folder.path()).filePath(QStringLiteral("data")).toUtf8());
    bench::SilentDialogs dialogs;
    Platform platform;
    platform.dialogs = &dialogs;
    platform.singleInstance = false;
    frmTransfer main(platform, folder.path());
    main.Form_Load();
    main.session().showTable(kFE);
    main.show();
    {
        const std::unique_ptr<Archive> archive = openArchive(sessionArchive(main.session()));
        if (!archive || !archive->keep(inspection(5000, 1))) {
            state.SkipWithError("the window's archive cannot be written");
            return;
        }
    }
    auto* archiv = main.findChild<frmArchiv*>(QStringLiteral("frmArchiv"));
    for (auto _ : state) {
        state.PauseTiming();
        archiv->showArchive(true);
        state.ResumeTiming();
        archiv->cmdOeffnen->click();
        QCoreApplication::processEvents();
    }
    if (main.session().tables().count(kFE) != 5000) state.SkipWithError("the inspection did not reach the table");
}
BENCHMARK(BM_OpenInspection5000)->Unit(benchmark::kMillisecond);

} // namespace
