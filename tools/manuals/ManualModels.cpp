#include "ManualModels.h"

#include "session/InfoAndManual.h"
#include "session/ModelTable.h"

namespace kivo {

QStringList manualFactNames()
{
    return {QStringLiteral("bluetooth"), QStringLiteral("cable"),  QStringLiteral("memory"),
            QStringLiteral("onememory"), QStringLiteral("numbered"), QStringLiteral("fenfe"),
            QStringLiteral("stop"),      QStringLiteral("sign"),   QStringLiteral("material")};
}

QSet<QString> manualFacts(const ModelProfile& profile)
{
    // Read as the program reads the profile: the memory buttons, the port
    // list, online mode and the statistics.
    const QString layout = profile.speicherlayout.trimmed();
    QSet<QString> facts;
    facts << (profile.schnittstelle == u"B" ? QStringLiteral("bluetooth") : QStringLiteral("cable"));
    if (!layout.startsWith(u'X')) facts << QStringLiteral("memory");
    if (layout == u"1") facts << QStringLiteral("onememory");
    if (layout == u"3") facts << QStringLiteral("numbered");
    if (layout.startsWith(u'2')) facts << QStringLiteral("fenfe");
    if (profile.onlineart == u"V") facts << QStringLiteral("stop");
    if (profile.vorzeichen == u"-") facts << QStringLiteral("sign");
    if (profile.materialart.trimmed() != u"0") facts << QStringLiteral("material");
    return facts;
}

std::vector<ManualModel> manualModels()
{
    std::vector<ManualModel> models;
    for (const QString& code : modelCodes()) {
        const ModelRow* row = titleRowFor(code);
        if (!row) continue;
        models.push_back({code, infoModelName(QString::fromLatin1(row->pgmname), code), manualFileName(code),
                          manualFacts(row->profile), QString::fromLatin1(row->picture)});
    }
    return models;
}

} // namespace kivo
