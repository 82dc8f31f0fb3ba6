// An archived inspection comes back as it was kept: into a table, into the
// files the window writes, and through the archive window's search, date
// range, delete and export.

#include "RksSession.h"
#include "session/ArchiveRecorder.h"
#include "session/ArchivedTable.h"
#include "session/ArchiveExport.h"
#include "ui/frmArchiv.h"

#include <QAbstractItemModel>
#include <QCheckBox>
#include <QDateEdit>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <gtest/gtest.h>

using namespace kivo;

namespace {

QByteArray bytesOf(const QString& path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

class ArchivedTables : public kivo::testing::RksSession {
protected:
    ArchivedTables() { target.sqlitePath = home.filePath(QStringLiteral("Archiv.sqlite")); }

    void download()
    {
        DeviceLink::Command command(session.link());
        session.link().prepareConnect();
        ASSERT_EQ(session.reachGauge(), GaugeSession::Reach::Answered);
        session.showTable(kFE);
        ASSERT_TRUE(session.downloadMemory().complete);
    }

    ArchiveTarget target;
};

TEST_F(ArchivedTables, AnInspectionWritesTheFilesItsTableWrote)
{
    ASSERT_NO_FATAL_FAILURE(download());
    ProjectData project = session.projectData();
    project.felder[0] = QStringLiteral("Brücke 7");
    ASSERT_TRUE(session.saveProjectData(project));
    for (TableFormat format : {TableFormat::Mes, TableFormat::Csv}) {
        const QString original = home.filePath(QStringLiteral("table.") + formatSuffix(format));
        ASSERT_EQ(writeShownTable(session, original, format), QString());
        Archive archive(target);
        Inspection in = inspectionOf(session, kFE, QStringLiteral("memory1"));
        const std::optional<qint64> id = archive.keep(in);
        ASSERT_TRUE(id);
        const std::optional<Inspection> back = archive.load(*id);
        ASSERT_TRUE(back);
        // Another day's project data and limits do not reach the old inspection.
        ProjectData today = project;
        today.felder[0] = QStringLiteral("Tank 3");
        ASSERT_TRUE(session.saveProjectData(today));
        const QString again = home.filePath(QStringLiteral("again.") + formatSuffix(format));
        ASSERT_EQ(writeInspection(*back, session, again, format), QString());
        EXPECT_EQ(bytesOf(again), bytesOf(original)) << formatSuffix(format).toStdString();
        EXPECT_EQ(session.projectData().felder[0], u"Tank 3"); // the operator's own is left as it is
        ASSERT_TRUE(session.saveProjectData(project));
    }
}

TEST_F(ArchivedTables, OpenedIntoATableEachReadingKeepsItsDate)
{
    ASSERT_NO_FATAL_FAILURE(download());
    Inspection in = inspectionOf(session, kFE, QStringLiteral("memory1"));
    in.id = 12;
    in.readings[1].date = QStringLiteral("03.11.2026");
    session.showTable(kOnline);
    session.takeInspection(in, archivedName(in.id, true));
    EXPECT_EQ(session.loadedFile(kOnline), u"Archiv #12");
    ASSERT_EQ(session.tables().count(kOnline), int(in.readings.size()));
    EXPECT_EQ(session.tables().record(kOnline, 2).datum, u"03.11.2026");
    EXPECT_EQ(session.tables().onlineZaehler(), int(in.readings.size()) + 1); // the next online reading follows them
    EXPECT_EQ(archivedName(3, false), u"Archive #3");
}

TEST_F(ArchivedTables, TheSameFileIsTheSameInspectionWhateverTheTableHeldBefore)
{
    ProjectData today = session.projectData();
    today.felder[0] = QStringLiteral("Tank 3");
    ASSERT_TRUE(session.saveProjectData(today));
    LoadedFile file;
    file.datum = QStringLiteral("01.02.2024");
    file.readings = {{QStringLiteral("10:00:00"), 1, 12.5, QStringLiteral("µm  "), QStringLiteral("Fe")},
                     {QStringLiteral("10:00:01"), 2, 13.5, QStringLiteral("µm  "), QStringLiteral("Fe")}};
    session.showTable(kFE);
    session.takeFile(file, QStringLiteral("a.mes"));
    const Inspection first = fileInspectionOf(session, kFE, QStringLiteral("a.mes"));
    session.tables().setSatznr(40); // as after a download
    session.takeFile(file, QStringLiteral("copy.mes"));
    const Inspection second = fileInspectionOf(session, kFE, QStringLiteral("copy.mes"));
    EXPECT_EQ(first.uuid, second.uuid);
    EXPECT_EQ(second.readings[1].date, u"01.02.2024");
    // Taken on its own day, by a gauge and for a project the program does
    // not know: none of today's is put on it.
    EXPECT_EQ(first.takenAt, QDateTime(QDate(2024, 2, 1), QTime(10, 0)).toUTC());
    EXPECT_EQ(first.gaugeCode, QString());
    EXPECT_EQ(first.projectFields[0], QString());
    file.datum = QStringLiteral("02.02.2024"); // the same readings on another day
    session.takeFile(file, QStringLiteral("a.mes"));
    EXPECT_NE(fileInspectionOf(session, kFE, QStringLiteral("a.mes")).uuid, first.uuid);
    file.datum = QStringLiteral("01.02.2024");
    file.readings[1].wert = 13.6;
    session.takeFile(file, QStringLiteral("a.mes"));
    EXPECT_NE(fileInspectionOf(session, kFE, QStringLiteral("a.mes")).uuid, first.uuid);
}

class ArchiveWindow : public ArchivedTables {
protected:
    void SetUp() override
    {
        Archive archive(target);
        int day = 0;
        for (const char* field : {"Bridge 4", "Tank 7", "Bridge 9"}) {
            Inspection in = inspectionOf(session, kFE, QStringLiteral("memory1"));
            in.takenAt = QDateTime(QDate(2026, 11, 1 + day++), QTime(12, 0), Qt::UTC);
            in.projectFields[0] = QLatin1String(field);
            in.readings = {{1, 1, 20.0, QStringLiteral("µm  "), {}, QStringLiteral("01.11.2026"), QStringLiteral("12:00:00")}};
            ASSERT_TRUE(archive.keep(in));
        }
        window.attach({[this] { return std::make_unique<Archive>(target); },
                       [this](const Inspection& in) {
                           opened.push_back(in.id);
                           return QString();
                       },
                       [this](const Inspection& in, const QString& path, TableFormat format) {
                           return writeInspection(in, session, path, format);
                       },
                       [this](const QString& text, MsgButtons, MsgIcon) {
                           asked << text;
                           return answer;
                       },
                       [this](const QString&) { return home.filePath(QStringLiteral("out.csv")); },
                       [] { return std::array<QString, 6>{QStringLiteral("Objekt")}; },
                       [] { return QString(); },
                       [this] { return recording; }});
        window.showArchive(true);
    }

    QStringList column(int c) const
    {
        QStringList cells;
        const QAbstractItemModel* m = window.lstArchiv->model();
        for (int r = 0; r < m->rowCount(); ++r) cells << m->index(r, c).data().toString();
        return cells;
    }

    frmArchiv window;
    std::vector<qint64> opened;
    QString recording; // the uuid of the online session being taken
    QStringList asked;
    MsgAnswer answer = MsgAnswer::No;
};

TEST_F(ArchiveWindow, FoundByTextAndDatesOpenedDeletedAndExported)
{
    EXPECT_EQ(column(4), (QStringList{QStringLiteral("Bridge 9"), QStringLiteral("Tank 7"), QStringLiteral("Bridge 4")}));
    EXPECT_EQ(window.lstArchiv->model()->headerData(4, Qt::Horizontal).toString(), u"Objekt");
    // The list follows the search box once typing pauses.
    QTest::keyClicks(window.txtSuche, QStringLiteral("bridge"));
    QTRY_COMPARE(column(4).size(), 2);
    window.chkVon->setChecked(true);
    window.dtpVon->setDate(QDate(2026, 11, 2));
    EXPECT_EQ(column(4), QStringList{QStringLiteral("Bridge 9")});

    window.cmdOeffnen->click();
    EXPECT_EQ(opened, std::vector<qint64>{3});

    window.chkVon->setChecked(false);
    window.txtSuche->clear();
    window.refresh();
    window.lstArchiv->selectRow(1); // Tank 7
    window.cmdLoeschen->click();   // answered No
    ASSERT_EQ(asked.size(), 1);
    EXPECT_TRUE(asked[0].startsWith(u"Prüfung Nr. 2 (")) << asked[0].toStdString();
    EXPECT_EQ(column(0).size(), 3);
    answer = MsgAnswer::Yes;
    window.lstArchiv->selectRow(1);
    window.cmdLoeschen->click();
    EXPECT_EQ(column(0), (QStringList{QStringLiteral("3"), QStringLiteral("1")}));

    // Several chosen: one file each, the chosen name numbered.
    window.lstArchiv->selectAll();
    window.cmdExport->click();
    EXPECT_TRUE(QFile::exists(home.filePath(QStringLiteral("out-3.csv"))));
    EXPECT_TRUE(QFile::exists(home.filePath(QStringLiteral("out-1.csv"))));
    EXPECT_TRUE(asked.last().startsWith(u"Geschriebene Dateien: 2, in ")) << asked.last().toStdString();

    window.showArchive(true); // it closed when the inspection was opened
    // Another program keeps one more: the list follows without a word.
    {
        Archive other(target);
        Inspection in = inspectionOf(session, kFE, QStringLiteral("online"));
        in.projectFields[0] = QStringLiteral("Tank 9");
        ASSERT_TRUE(other.keep(in));
        recording = in.uuid;
    }
    EXPECT_EQ(column(0).size(), 2);
    QTRY_COMPARE_WITH_TIMEOUT(column(0).size(), 3, 10000);
    EXPECT_EQ(column(4).value(0), u"Tank 9");
    // The session being taken is not deleted, and not asked about.
    const qsizetype asks = asked.size();
    window.lstArchiv->selectRow(0);
    window.cmdLoeschen->click();
    ASSERT_EQ(asked.size(), asks + 1);
    EXPECT_TRUE(asked.last().contains(u"wird gerade aufgenommen")) << asked.last().toStdString();
    EXPECT_EQ(column(0).size(), 3);
    window.languageChanged(false);
    EXPECT_EQ(window.cmdLoeschen->text(), u"Delete");
    EXPECT_EQ(window.lstArchiv->model()->headerData(1, Qt::Horizontal).toString(), u"Date");
}

} // namespace
