// Fields of outside data quoted in a message: a 1 MB number in Limit.ini or
// a gauge's junk reply must not fill the screen or hide in control
// characters.

#include "QtPrinters.h"
#include "device/IdentReply.h"
#include "settings/SettingsFiles.h"
#include "shared/FieldExcerpt.h"

#include <gtest/gtest.h>

using namespace kivo;

namespace {

QString u8(const char* text) { return QString::fromUtf8(text); }

TEST(QuotedField, SixtyCharactersAtMostAndControlsShown)
{
    const std::pair<QString, QString> cases[] = {
        {QString(60, u'a'), QString(60, u'a')},
        {QString(61, u'a'), QString(60, u'a') + u8("…")},
        {u8("a\tb\r\n\x7F\u0085\x1B"), u8(R"(a\x09b\x0D\x0A\x7F\x85\x1B)")},
        {u8("12,5 µm € „Prüfer“"), u8("12,5 µm € „Prüfer“")},
        // The cut does not split a character beyond U+FFFF.
        {QString(59, u'a') + u8("😀b"), QString(59, u'a') + u8("…")},
        {QString(), QString()},
    };
    for (const auto& [field, shown] : cases) EXPECT_EQ(fieldExcerpt(field), shown) << field.toStdString();
}

TEST(QuotedField, SettingsReadersQuoteAShortVisibleExcerpt)
{
    LimitFields limits;
    const QString huge(1'000'000, u'1');
    EXPECT_EQ(readLimitIni({huge + u8("x;2;3;")}, limits, QLocale::c()),
              u8("line 1: \"") + QString(60, u'1') + u8("…\" is not a number"));
    int language = 7;
    EXPECT_EQ(readLanguageIni({u8("\x01\x02junk\x7F")}, language), u8(R"(line 1: "\x01\x02junk\x7F" is not a number)"));
    ProjectData data;
    EXPECT_EQ(readProjektdaten({"", "", "", "", "", "", u8("DT 06.12.2026;\x1B[2J")}, data),
              u8(R"(line 7: "\x1B[2J" is not a time)"));
}

TEST(QuotedField, IdentReplyQuotesAShortVisibleLine)
{
    QString geraet;
    DeviceInfo device;
    const QString junk = u8("\x07") + QString(500, u'x');
    EXPECT_EQ(parseIdentReply(junk + u8("\r\n\x04"), u8("1"), geraet, device),
              u8(R"(line 1 "\x07)") + QString(59, u'x') + u8("…\" has no \"-\""));
    EXPECT_EQ(parseIdentReply(u8("RK-SIVAR\r\nM1:\x01\x02\r\n\x04"), u8("1"), geraet, device),
              u8(R"(line 2 "M1:\x01\x02": the count is not a number)"));
}

} // namespace
