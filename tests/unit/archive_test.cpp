// The archive on SQLite: where a connection line points, an inspection kept
// and found again with every reading, a resent reading kept once, texts that
// look like SQL kept as data, a search and a date range, a deletion.

#include "PgCluster.h"
#include "archive/Archive.h"
#include "archive/ArchiveJournal.h"
#include "archive/ArchiveLocation.h"
#include "settings/TextFile.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTimeZone>
#include <QUuid>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <thread>

namespace kivo {
namespace {

TEST(ArchiveTarget, ConnectionLines)
{
    const QString file = QStringLiteral("/data/Archiv.sqlite");
    EXPECT_EQ(parseArchiveTarget(QString(), file).target->sqlitePath, file);
    EXPECT_EQ(parseArchiveTarget(QStringLiteral("sqlite:///srv/a.sqlite"), file).target->sqlitePath, u"/srv/a.sqlite");
    const auto team = parseArchiveTarget(QStringLiteral("postgresql://lab@db.example:5433/inspections?sslmode=require"), file);
    ASSERT_TRUE(team.target) << team.error.toStdString();
    EXPECT_EQ(team.target->kind, ArchiveTarget::Kind::Postgres);
    EXPECT_EQ(team.target->host, u"db.example");
    EXPECT_EQ(team.target->port, 5433);
    EXPECT_EQ(team.target->user, u"lab");
    EXPECT_EQ(team.target->database, u"inspections");
    EXPECT_EQ(team.target->options, u"sslmode=require");
    const auto socket = parseArchiveTarget(QStringLiteral("postgres:///kivo?host=/tmp/pg"), file);
    ASSERT_TRUE(socket.target);
    EXPECT_EQ(socket.target->host, u"/tmp/pg");
    EXPECT_EQ(socket.target->shown(), u"postgresql:///kivo?host=/tmp/pg");
    // No password in a file of the program; nothing that is no archive.
    for (const char* bad : {"postgresql://lab:secret@db/x", "postgresql://db/x?password=secret", "mysql://db/x",
                            "postgresql://db/", "sqlite://relative.sqlite", "postgresql://db/x?options=a;b",
                            "postgresql://db/x?sslpassword=secret", "password=secret host=/tmp dbname=x"}) {
        const TargetOutcome refused = parseArchiveTarget(QLatin1String(bad), file);
        EXPECT_FALSE(refused.target) << bad;
        EXPECT_FALSE(refused.error.contains(u"secret")) << refused.error.toStdString(); // it goes to the log
    }
    EXPECT_EQ(parseArchiveTarget(QStringLiteral("sqlite:///srv/my%20archive.sqlite"), file).target->sqlitePath,
              u"/srv/my archive.sqlite");
}

Inspection sample(const QString& field)
{
    Inspection in;
    in.uuid = QUuid::createUuid().toString(QUuid::WithoutBraces);
    in.takenAt = QDateTime(QDate(2026, 12, 8), QTime(9, 30), Qt::UTC);
    in.source = QStringLiteral("memory1");
    in.model = QStringLiteral("RKS");
    in.gaugeCode = QStringLiteral("RK-SIVAR");
    in.projectFields[0] = field;
    in.limitMin = 40;
    in.unit = QStringLiteral("µm  ");
    for (int i = 1; i <= 3; ++i)
        in.readings.push_back({i, i, 40.0 + i, QStringLiteral("µm  "), QStringLiteral(" Fe"), QStringLiteral("08.12.2026"),
                               QStringLiteral("09:30:0%1").arg(i)});
    return in;
}

// Every test runs on a fresh SQLite file and on a throwaway PostgreSQL
// server of its own suite.
class ArchiveOn : public ::testing::TestWithParam<ArchiveTarget::Kind> {
protected:
    static void TearDownTestSuite() { cluster().reset(); }
    static std::unique_ptr<testing::PgCluster>& cluster()
    {
        static std::unique_ptr<testing::PgCluster> c;
        return c;
    }

    void SetUp() override
    {
        if (GetParam() == ArchiveTarget::Kind::Sqlite) return;
        if (!cluster()) cluster() = std::make_unique<testing::PgCluster>();
        if (!cluster()->ready()) GTEST_SKIP() << cluster()->error().toStdString();
        // A clean database for each test.
        raw([](QSqlQuery& q) {
            q.exec(QStringLiteral("DROP TABLE IF EXISTS reading, inspection, schema_version CASCADE"));
        });
    }

    ArchiveTarget target() const
    {
        if (GetParam() == ArchiveTarget::Kind::Sqlite) {
            ArchiveTarget t;
            t.sqlitePath = dir.filePath(QStringLiteral("Archiv.sqlite"));
            return t;
        }
        return *parseArchiveTarget(cluster()->line(), QString()).target;
    }

    // Runs `work` on a connection of the test's own, past the archive.
    void raw(const std::function<void(QSqlQuery&)>& work) const
    {
        const ArchiveTarget t = target();
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(t.kind == ArchiveTarget::Kind::Sqlite ? QStringLiteral("QSQLITE")
                                                                                                : QStringLiteral("QPSQL"),
                                                        QStringLiteral("raw"));
            db.setDatabaseName(t.kind == ArchiveTarget::Kind::Sqlite ? t.sqlitePath : t.database);
            db.setHostName(t.host);
            db.setUserName(t.user);
            ASSERT_TRUE(db.open()) << db.lastError().text().toStdString();
            QSqlQuery q(db);
            work(q);
            db.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("raw"));
    }

    QTemporaryDir dir;
};

INSTANTIATE_TEST_SUITE_P(, ArchiveOn, ::testing::Values(ArchiveTarget::Kind::Sqlite, ArchiveTarget::Kind::Postgres),
                         [](const auto& info) { return info.param == ArchiveTarget::Kind::Sqlite ? "Sqlite" : "Postgres"; });

TEST_P(ArchiveOn, AnInspectionComesBackWholeAndTextIsData)
{
    Archive archive(target());
    ASSERT_TRUE(archive.isOpen()) << archive.error().toStdString();
    EXPECT_EQ(archive.version(), latestArchiveVersion());
    const QString sql = QStringLiteral("Bridge 'A'; DROP TABLE reading; --");
    const Inspection in = sample(sql);
    const std::optional<qint64> id = archive.keep(in);
    ASSERT_TRUE(id) << archive.error().toStdString();
    EXPECT_EQ(archive.keep(in), id); // the same inspection sent again
    const std::optional<Inspection> back = archive.load(*id);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->projectFields[0], sql);
    EXPECT_EQ(back->takenAt, in.takenAt);
    EXPECT_EQ(back->limitMin, 40.0);
    EXPECT_FALSE(back->limitMax);
    ASSERT_EQ(back->readings.size(), 3u);
    EXPECT_EQ(back->readings[2].time, u"09:30:03");
    EXPECT_DOUBLE_EQ(back->readings[2].value, 43.0);
    EXPECT_EQ(back->readings[0].material, u" Fe");
}

// More readings than one statement writes: whole chunks, then the rest.
TEST_P(ArchiveOn, AFullTableComesBackWholeInOrder)
{
    Archive archive(target());
    Inspection in = sample(QStringLiteral("full"));
    in.readings.clear();
    for (int i = 1; i <= 2345; ++i)
        in.readings.push_back({i, 5001 - i, i * 0.5, QStringLiteral("µm  "), QString(), QString(), QString()});
    const std::optional<qint64> id = archive.keep(in);
    ASSERT_TRUE(id) << archive.error().toStdString();
    const std::optional<Inspection> back = archive.load(*id);
    ASSERT_TRUE(back);
    ASSERT_EQ(back->readings.size(), in.readings.size());
    for (size_t i = 0; i < in.readings.size(); i += 333) {
        EXPECT_EQ(back->readings[i].nr, in.readings[i].nr);
        EXPECT_DOUBLE_EQ(back->readings[i].value, in.readings[i].value);
    }
    EXPECT_EQ(back->readings.back().seq, 2345);
}

TEST(ArchiveJournal, AWriteComesBackFromItsLineAsItWas)
{
    Inspection in = sample(QStringLiteral("Brücke \"7\"\n; DROP"));
    in.limitMax = 1e-7;
    in.readings[1].value = 0.1 + 0.2;
    const std::optional<ArchiveWrite> back = readJournalLine(journalLine({in, {}, {}, {}}));
    ASSERT_TRUE(back && back->whole);
    EXPECT_EQ(back->whole->uuid, in.uuid);
    EXPECT_EQ(back->whole->takenAt, in.takenAt);
    EXPECT_EQ(back->whole->projectFields, in.projectFields);
    EXPECT_EQ(back->whole->limitMin, in.limitMin);
    EXPECT_EQ(back->whole->limitMax, in.limitMax);
    EXPECT_FALSE(back->whole->target);
    ASSERT_EQ(back->whole->readings.size(), 3u);
    EXPECT_EQ(back->whole->readings[1].value, 0.1 + 0.2); // to the last bit
    EXPECT_EQ(back->whole->readings[0].material, u" Fe");
    const std::optional<ArchiveWrite> reading = readJournalLine(journalLine({std::nullopt, in.uuid, in.readings[2], {}}));
    ASSERT_TRUE(reading && !reading->whole);
    EXPECT_EQ(reading->reading.time, u"09:30:03");
    for (const char* bad : {"", "{", "[]", "{\"uuid\":\"u\"}", "{\"uuid\":\"u\",\"reading\":[1,2]}"})
        EXPECT_FALSE(readJournalLine(bad)) << bad;
}

TEST_P(ArchiveOn, AnOnlineSessionGrowsAndAResentReadingIsKeptOnce)
{
    Archive archive(target());
    Inspection in = sample(QStringLiteral("online"));
    in.source = QStringLiteral("online");
    in.readings.clear();
    const std::optional<qint64> id = archive.keep(in);
    ASSERT_TRUE(id);
    const ArchivedReading r{1, 1, 12.5, QStringLiteral("µm  "), QString(), QStringLiteral("08.12.2026"), QStringLiteral("10:00:00")};
    EXPECT_EQ(archive.append(in.uuid, r), Archive::Appended::Kept);
    EXPECT_EQ(archive.append(in.uuid, r), Archive::Appended::Kept);
    EXPECT_EQ(archive.append(in.uuid, {2, 2, 13.5, QStringLiteral("µm  "), QString(), QStringLiteral("08.12.2026"), QStringLiteral("10:00:01")}), Archive::Appended::Kept);
    const std::vector<InspectionSummary> all = archive.list(QString(), {}, {});
    ASSERT_EQ(all.size(), 1u);
    EXPECT_EQ(all[0].count, 2);
    EXPECT_DOUBLE_EQ(all[0].mean, 13.0);
    EXPECT_EQ(archive.load(*id)->readings.size(), 2u);
    // Deleted while it grows: the next reading says so rather than vanish.
    ASSERT_TRUE(archive.remove(*id));
    EXPECT_EQ(archive.append(in.uuid, {3, 3, 14.5, QStringLiteral("µm  "), {}, {}, {}}), Archive::Appended::NoInspection);
}

TEST_P(ArchiveOn, FoundBySearchAndDateNewestFirstAndDeleted)
{
    {
        Archive archive(target());
        for (const char* field : {"Bridge 4", "Tank 7", "bridge 100% done"}) {
            Inspection in = sample(QLatin1String(field));
            in.takenAt = in.takenAt.addDays(archive.list(QString(), {}, {}).size());
            ASSERT_TRUE(archive.keep(in));
        }
    }
    Archive archive(target()); // opened again: the tables are there
    ASSERT_TRUE(archive.isOpen()) << archive.error().toStdString();
    const auto bridges = archive.list(QStringLiteral("BRIDGE"), {}, {});
    ASSERT_EQ(bridges.size(), 2u);
    EXPECT_EQ(bridges[0].projectFields[0], u"bridge 100% done"); // newest first
    EXPECT_EQ(archive.list(QStringLiteral("100%"), {}, {}).size(), 1u); // % is a character here
    EXPECT_EQ(archive.list(QStringLiteral("_"), {}, {}).size(), 0u);
    EXPECT_EQ(archive.list(QString(), QDate(2026, 12, 9), QDate(2026, 12, 9)).size(), 1u);
    ASSERT_TRUE(archive.remove(bridges[0].id));
    EXPECT_EQ(archive.list(QString(), {}, {}).size(), 2u);
    EXPECT_FALSE(archive.load(bridges[0].id));
}

TEST_P(ArchiveOn, AnArchiveOfANewerProgramIsNotTouched)
{
    {
        Archive archive(target());
        ASSERT_TRUE(archive.isOpen()) << archive.error().toStdString();
    }
    raw([](QSqlQuery& q) { q.exec(QStringLiteral("INSERT INTO schema_version (version) VALUES (99)")); });
    Archive archive(target());
    EXPECT_FALSE(archive.isOpen());
    EXPECT_TRUE(archive.error().contains(QStringLiteral("newer program"))) << archive.error().toStdString();
}

// An archive left at each earlier version, with an inspection in it, is
// brought up to date and keeps all it held; the list's mean is of the
// readings' sizes and a table of mixed units has none.
TEST_P(ArchiveOn, AnArchiveOfEachEarlierVersionIsBroughtUpToDate)
{
    const SqlDialect dialect = GetParam() == ArchiveTarget::Kind::Sqlite ? SqlDialect::Sqlite : SqlDialect::Postgres;
    for (int earlier = 1; earlier < latestArchiveVersion(); ++earlier) {
        SCOPED_TRACE(earlier);
        raw([&](QSqlQuery& q) {
            for (const char* table : {"reading", "inspection", "schema_version"})
                q.exec(QStringLiteral("DROP TABLE IF EXISTS %1").arg(QLatin1String(table)));
            for (const Migration& m : archiveMigrations()) {
                if (m.version > earlier) break;
                for (const QString& statement : statementsFor(m, dialect)) ASSERT_TRUE(q.exec(statement)) << statement.toStdString();
                ASSERT_TRUE(q.exec(QStringLiteral("INSERT INTO schema_version (version) VALUES (%1)").arg(m.version)));
            }
            // The columns of version 1, which every later version keeps.
            const QString inspection = QStringLiteral(
                "INSERT INTO inspection (uuid, taken_at, source, unit, reading_count, value_sum, search)"
                " VALUES ('%1', '%2', 'memory1', 'µm  ', %3, %4, '%5')");
            ASSERT_TRUE(q.exec(inspection.arg(u"u1", u"2026-11-02T08:00:00.000Z").arg(3).arg(-10).arg(u"bridge")));
            ASSERT_TRUE(q.exec(inspection.arg(u"u2", u"2026-11-03T08:00:00.000Z").arg(2).arg(3).arg(u"tank")));
            // From version 2 on the program kept the sums of the sizes itself.
            if (earlier >= 2) {
                ASSERT_TRUE(q.exec(QStringLiteral("UPDATE inspection SET abs_sum = 30 WHERE uuid = 'u1'")));
                ASSERT_TRUE(q.exec(QStringLiteral("UPDATE inspection SET abs_sum = 3, units_mixed = 1 WHERE uuid = 'u2'")));
            }
            const QString reading = QStringLiteral(
                "INSERT INTO reading (inspection_id, seq, nr, value, unit, material, date, time)"
                " SELECT id, %2, %2, %3, '%4', '', '', '' FROM inspection WHERE uuid = '%1'");
            for (const auto& [uuid, seq, value, unit] : {std::tuple{"u1", 1, -20, "µm  "}, {"u1", 2, 4, "µm  "},
                                                         {"u1", 3, 6, "µm  "}, {"u2", 1, 1, "µm  "}, {"u2", 2, 2, "mils"}})
                ASSERT_TRUE(q.exec(reading.arg(QLatin1String(uuid)).arg(seq).arg(value).arg(QString::fromUtf8(unit))))
                    << q.lastError().text().toStdString();
        });
        Archive archive(target());
        ASSERT_TRUE(archive.isOpen()) << archive.error().toStdString();
        EXPECT_EQ(archive.version(), latestArchiveVersion());
        const auto all = archive.list(QString(), {}, {});
        ASSERT_EQ(all.size(), 2u);
        EXPECT_DOUBLE_EQ(all[1].mean, 10.0); // (20 + 4 + 6) / 3, not -10 / 3
        EXPECT_FALSE(all[1].mixedUnits);
        EXPECT_TRUE(all[0].mixedUnits);
        EXPECT_EQ(archive.load(all[1].id)->readings.size(), 3u);
        // No check was kept with it before version 3.
        EXPECT_TRUE(archive.load(all[1].id)->judgement.isEmpty());
        EXPECT_FALSE(archive.load(all[1].id)->verdictMet.has_value());
        EXPECT_EQ(archive.judge(QStringLiteral("u1"), QStringLiteral("imo-pspc nominal=5 correction=0"), true),
                  Archive::Appended::Kept);
        EXPECT_EQ(archive.load(all[1].id)->verdictMet, std::optional<bool>(true));
        EXPECT_EQ(archive.judge(QStringLiteral("gone"), QString(), std::nullopt), Archive::Appended::NoInspection);
        // Growing on, the sums follow.
        EXPECT_EQ(archive.append(QStringLiteral("u1"), {4, 4, -10, QStringLiteral("µm  "), {}, {}, {}}), Archive::Appended::Kept);
        EXPECT_DOUBLE_EQ(archive.list(QStringLiteral("bridge"), {}, {}).at(0).mean, 10.0);
        EXPECT_EQ(archive.append(QStringLiteral("u1"), {5, 5, 1, QStringLiteral("mils"), {}, {}, {}}), Archive::Appended::Kept);
        EXPECT_TRUE(archive.list(QStringLiteral("bridge"), {}, {}).at(0).mixedUnits);
    }
}

} // namespace
} // namespace kivo

namespace kivo {
namespace {

TEST(ArchiveLocation, EnvironmentThenArchivIniThenTheDataFolder)
{
    QTemporaryDir dir;
    const QString settings = dir.filePath(QStringLiteral("settings"));
    const QString data = dir.filePath(QStringLiteral("data"));
    QDir().mkpath(settings);
    EXPECT_EQ(archiveLocation(QString(), settings, data).outcome.target->sqlitePath, data + QStringLiteral("/Archiv.sqlite"));
    ASSERT_TRUE(writeTextLines(settings + QStringLiteral("/Archiv.ini"), {QStringLiteral("postgresql://lab@db/inspections")}));
    const ArchiveLocation ini = archiveLocation(QString(), settings, data);
    EXPECT_EQ(ini.outcome.target->database, u"inspections");
    EXPECT_TRUE(ini.from.endsWith(QStringLiteral("Archiv.ini")));
    const ArchiveLocation env = archiveLocation(QStringLiteral("sqlite:///tmp/x.sqlite"), settings, data);
    EXPECT_EQ(env.outcome.target->sqlitePath, u"/tmp/x.sqlite");
    EXPECT_EQ(env.from, u"KIVO_ARCHIVE");
    ASSERT_TRUE(writeTextLines(settings + QStringLiteral("/Archiv.ini"), {QStringLiteral("postgresql://lab:pw@db/x")}));
    EXPECT_FALSE(archiveLocation(QString(), settings, data).outcome.target);
}

} // namespace
} // namespace kivo

namespace kivo {
namespace {

// Programs on different PCs opening a new team archive and writing to it
// at the same time: the tables are made once, and every inspection and
// every reading is there once.
TEST(ArchiveOnPostgres, ProgramsWritingAtOnceLoseNothingAndDoubleNothing)
{
    testing::PgCluster cluster;
    if (!cluster.ready()) GTEST_SKIP() << cluster.error().toStdString();
    const ArchiveTarget target = *parseArchiveTarget(cluster.line(), QString()).target;
    const auto program = [&target](int which, bool* ok) {
        Archive archive(target);
        *ok = archive.isOpen();
        for (int i = 0; i < 10 && *ok; ++i) {
            Inspection in = sample(QStringLiteral("program %1 inspection %2").arg(which).arg(i));
            in.readings.clear();
            *ok = archive.keep(in).has_value();
            for (int seq = 1; seq <= 10 && *ok; ++seq) {
                const ArchivedReading r{seq, seq, double(seq), QStringLiteral("µm  "), QString(), QStringLiteral("08.12.2026"),
                                        QStringLiteral("10:00:00")};
                *ok = archive.append(in.uuid, r) == Archive::Appended::Kept
                      && archive.append(in.uuid, r) == Archive::Appended::Kept; // each one sent twice
            }
        }
    };
    constexpr int kPrograms = 4;
    bool ok[kPrograms] = {};
    std::vector<std::thread> programs;
    for (int p = 0; p < kPrograms; ++p) programs.emplace_back(program, p + 1, &ok[p]);
    for (std::thread& t : programs) t.join();
    for (int p = 0; p < kPrograms; ++p) EXPECT_TRUE(ok[p]) << p;
    Archive archive(target);
    EXPECT_EQ(archive.version(), latestArchiveVersion());
    const std::vector<InspectionSummary> all = archive.list(QString(), {}, {});
    ASSERT_EQ(all.size(), size_t(kPrograms * 10));
    for (const InspectionSummary& s : all) EXPECT_EQ(s.count, 10) << s.projectFields[0].toStdString();
    EXPECT_EQ(archive.list(QStringLiteral("program 2"), {}, {}).size(), 10u);
}

// The same for a new archive file that several programs open at once.
TEST(ArchiveOnSqlite, ProgramsOpeningANewFileAtOnceMakeItOnce)
{
    QTemporaryDir dir;
    ArchiveTarget target;
    target.sqlitePath = dir.filePath(QStringLiteral("Archiv.sqlite"));
    constexpr int kPrograms = 4;
    bool ok[kPrograms] = {};
    std::vector<std::thread> programs;
    for (int p = 0; p < kPrograms; ++p)
        programs.emplace_back([&target](bool* opened) { *opened = Archive(target).isOpen(); }, &ok[p]);
    for (std::thread& t : programs) t.join();
    for (int p = 0; p < kPrograms; ++p) EXPECT_TRUE(ok[p]) << p;
    EXPECT_EQ(Archive(target).version(), latestArchiveVersion());
}

} // namespace
} // namespace kivo
