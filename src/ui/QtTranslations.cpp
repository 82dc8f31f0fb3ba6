#include "ui/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace kivo {

bool useQtTranslations(bool german)
{
    static QTranslator* translator = nullptr;
    if (!translator) translator = new QTranslator(QCoreApplication::instance());
    QCoreApplication::removeTranslator(translator);
    if (!german) return true;
    // Qt's folder, or "translations" beside the program where an
    // installation on Windows puts them.
    const bool loaded =
        translator->load(QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))
        || translator->load(QStringLiteral("qtbase_de"), QCoreApplication::applicationDirPath() + QStringLiteral("/translations"));
    if (loaded) QCoreApplication::installTranslator(translator);
    return loaded;
}

} // namespace kivo
