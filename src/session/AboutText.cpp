#include "session/AboutText.h"

#include "output/WorkbookWriter.h"
#include "session/Version.h"
#include "shared/ZipArchive.h"
#include "texts/Phrases.h"

#include <QStringList>
#include <QtGlobal>

namespace kivo {

AboutFacts aboutFacts(const QString& title, const QString& licenceTexts)
{
    return {title,
            QString::fromLatin1(kVersion),
            QStringLiteral(QT_VERSION_STR),
            QString::fromLatin1(qVersion()),
            workbookLibraryVersion(),
            zipLibraryVersion(),
            licenceTexts};
}

QString aboutText(const AboutFacts& facts, bool german)
{
    QStringList lines{QStringLiteral("Kivo RIDIVORI – ") + facts.title,
                      phrase(Phrase::AboutVersion, german).arg(facts.version),
                      phrase(Phrase::AboutOwnLicence, german),
                      QString(),
                      phrase(Phrase::AboutQt, german).arg(facts.builtWithQt, facts.runningQt),
                      QString(),
                      phrase(Phrase::AboutLibraries, german),
                      QStringLiteral("• Qt %1 – GNU Lesser General Public License 3 (LGPL-3)").arg(facts.runningQt),
                      QStringLiteral("• Qt Charts %1 – GNU General Public License 3 (GPL-3)").arg(facts.runningQt),
                      QStringLiteral("• libxlsxwriter %1 – BSD 2-Clause License (BSD-2-Clause)").arg(facts.xlsxwriter),
                      QStringLiteral("• minizip (zlib %1) – zlib License (Zlib)").arg(facts.zlib)};
    if (!facts.licenceTexts.isEmpty()) lines << QString() << phrase(Phrase::AboutLicenceTexts, german).arg(facts.licenceTexts);
    return lines.join(u'\n');
}

} // namespace kivo
