#pragma once
// A throwaway PostgreSQL server for one test: a cluster made with initdb in
// a temporary folder, listening only on a Unix socket in that folder, and
// stopped and removed with the object. Run as root, the server runs as the
// postgres user (it refuses root). Without PostgreSQL's programs the
// cluster is not ready and the test is skipped.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <unistd.h>

namespace kivo::testing {

class PgCluster {
public:
    PgCluster()
    {
        bin = findBin();
        if (bin.isEmpty()) {
            why = QStringLiteral("PostgreSQL's initdb and pg_ctl are not installed");
            return;
        }
        folder = QDir::tempPath() + QStringLiteral("/kivo-pg-") + QString::number(::getpid()) + u'-'
                 + QString::number(counter()++);
        QDir(folder).removeRecursively();
        QDir().mkpath(folder);
        QFile::setPermissions(folder, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                          | QFileDevice::ReadOther | QFileDevice::WriteOther | QFileDevice::ExeOther
                                          | QFileDevice::ReadGroup | QFileDevice::WriteGroup | QFileDevice::ExeGroup);
        if (!run(bin + QStringLiteral("/initdb"), {QStringLiteral("-D"), data(), QStringLiteral("-U"), QStringLiteral("kivo"),
                                                  QStringLiteral("--auth=trust"), QStringLiteral("-E"), QStringLiteral("UTF8"),
                                                  QStringLiteral("--no-sync")}))
            return;
        ready_ = run(bin + QStringLiteral("/pg_ctl"),
                     {QStringLiteral("-D"), data(), QStringLiteral("-l"), folder + QStringLiteral("/log"), QStringLiteral("-w"),
                      QStringLiteral("-o"),
                      QStringLiteral("-k %1 -c listen_addresses='' -c fsync=off").arg(folder), QStringLiteral("start")});
    }
    ~PgCluster()
    {
        if (ready_) stop();
        QDir(folder).removeRecursively();
    }
    PgCluster(const PgCluster&) = delete;
    PgCluster& operator=(const PgCluster&) = delete;

    bool ready() const { return ready_; }
    QString error() const { return why; }
    // The folder of the server's socket, as the connection's host.
    QString socketFolder() const { return folder; }
    // The archive line of the cluster's database.
    QString line() const { return QStringLiteral("postgresql://kivo@/postgres?host=%1").arg(folder); }

    bool stop() { return run(bin + QStringLiteral("/pg_ctl"), {QStringLiteral("-D"), data(), QStringLiteral("-m"), QStringLiteral("fast"), QStringLiteral("-w"), QStringLiteral("stop")}); }
    bool start()
    {
        return run(bin + QStringLiteral("/pg_ctl"),
                   {QStringLiteral("-D"), data(), QStringLiteral("-l"), folder + QStringLiteral("/log"), QStringLiteral("-w"),
                    QStringLiteral("-o"), QStringLiteral("-k %1 -c listen_addresses='' -c fsync=off").arg(folder),
                    QStringLiteral("start")});
    }

private:
    static int& counter()
    {
        static int n = 0;
        return n;
    }
    static QString findBin()
    {
        for (const QString& dir : QDir(QStringLiteral("/usr/lib/postgresql")).entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::Reversed))
            if (QFile::exists(QStringLiteral("/usr/lib/postgresql/%1/bin/pg_ctl").arg(dir)))
                return QStringLiteral("/usr/lib/postgresql/%1/bin").arg(dir);
        const QString onPath = QStandardPaths::findExecutable(QStringLiteral("pg_ctl"));
        return onPath.isEmpty() ? QString() : QFileInfo(onPath).absolutePath();
    }
    QString data() const { return folder + QStringLiteral("/data"); }
    // A program of the server's, as postgres when we are root.
    bool run(const QString& program, const QStringList& args)
    {
        QProcess p;
        if (::geteuid() == 0) p.start(QStringLiteral("runuser"), QStringList{QStringLiteral("-u"), QStringLiteral("postgres"), QStringLiteral("--"), program} + args);
        else p.start(program, args);
        if (!p.waitForFinished(60000) || p.exitCode() != 0) {
            why = QString::fromLocal8Bit(p.readAllStandardError() + p.readAllStandardOutput()).left(500);
            return false;
        }
        return true;
    }

    QString bin;
    QString folder;
    QString why;
    bool ready_ = false;
};

} // namespace kivo::testing
