// Qt's own buttons and dialogs follow the interface language.

#include "ui/QtTranslations.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

TEST(QtTranslations, GermanAndBackToEnglish)
{
    if (!kivo::useQtTranslations(true)) GTEST_SKIP() << "Qt's German translation (qt6-translations-l10n) is not installed";
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Abbrechen"));
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "File &name:"), QStringLiteral("Datei&name:"));
    kivo::useQtTranslations(false);
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));
}
