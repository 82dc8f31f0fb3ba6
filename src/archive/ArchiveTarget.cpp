#include "archive/ArchiveTarget.h"

#include <QUrl>
#include <QUrlQuery>

namespace kivo {

QString ArchiveTarget::shown() const
{
    if (kind == Kind::Sqlite) return sqlitePath;
    QString text = QStringLiteral("postgresql://");
    if (!user.isEmpty()) text += user + u'@';
    text += host.startsWith(u'/') ? QString() : host;
    if (port > 0) text += u':' + QString::number(port);
    text += u'/' + database;
    if (host.startsWith(u'/')) text += QStringLiteral("?host=") + host;
    return text;
}

TargetOutcome parseArchiveTarget(const QString& rawLine, const QString& defaultSqlitePath)
{
    const QString line = rawLine.trimmed();
    const auto refuse = [](const QString& why) { return TargetOutcome{std::nullopt, why}; };
    if (line.isEmpty()) {
        ArchiveTarget t;
        t.sqlitePath = defaultSqlitePath;
        return {t, {}};
    }
    if (line.startsWith(QStringLiteral("sqlite://"))) {
        const QString path = QUrl::fromPercentEncoding(line.mid(9).toUtf8());
        if (!path.startsWith(u'/') || path.size() < 2) return refuse(QStringLiteral("sqlite:// needs a whole path: sqlite:///folder/Archiv.sqlite"));
        ArchiveTarget t;
        t.sqlitePath = path;
        return {t, {}};
    }
    const QUrl url(line, QUrl::StrictMode);
    if (!url.isValid() || (url.scheme() != u"postgresql" && url.scheme() != u"postgres"))
        // The line itself is never repeated: it may hold a password.
        return refuse(QStringLiteral("not an archive line (postgresql://host/database or sqlite:///path)"));
    // A password in a file of the program would be readable by anyone who
    // reads the file.
    if (!url.password().isEmpty())
        return refuse(QStringLiteral("no password in the archive line: put it in ~/.pgpass or a service file"));
    ArchiveTarget t;
    t.kind = ArchiveTarget::Kind::Postgres;
    t.host = url.host();
    t.port = url.port(0);
    t.user = url.userName();
    t.database = url.path().mid(1);
    QStringList options;
    for (const auto& [key, value] : QUrlQuery(url).queryItems(QUrl::FullyDecoded)) {
        if (key == u"host") t.host = value;
        else if (key.endsWith(u"password")) return refuse(QStringLiteral("no password in the archive line: put it in ~/.pgpass or a service file"));
        else if (!value.contains(u';')) options << key + u'=' + value;
        else return refuse(QStringLiteral("a ';' in the option %1").arg(key));
    }
    if (t.database.isEmpty() || t.database.contains(u'/')) return refuse(QStringLiteral("the archive line names no database"));
    t.options = options.join(u';');
    return {t, {}};
}

} // namespace kivo
