// The project data window's fields as the operator types into them: a
// character Projektdaten.ini cannot hold is refused as it is typed, pasted
// or composed, and the window says which and why, in the interface language.

#include "ui/frmProjekt.h"
#include "texts/Texte.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <gtest/gtest.h>

using namespace kivo;
using namespace Qt::Literals::StringLiterals;

namespace {

class ProjectFields : public ::testing::Test {
protected:
    void SetUp() override
    {
        texte.FillMenuTexts();
        texte.FillMessageTexts(u"RK-SIVAR RIDIVORI V3.02"_s);
        window.attach(texte);
        window.show();
        window.Form_Activate();
        field()->setFocus();
    }
    QLineEdit* field() const { return window.txtFelder[1]; }
    QLabel* hint() const { return window.findChild<QLabel*>(u"lblHinweis"_s); }

    // Each character as a key press with its text, as a keyboard sends it.
    void typeKeys(const QString& text)
    {
        for (qsizetype i = 0; i < text.size(); ++i) {
            const qsizetype n = text[i].isHighSurrogate() ? 2 : 1;
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text.mid(i, n));
            QApplication::sendEvent(field(), &press);
            i += n - 1;
        }
    }
    // What an input method hands over at once.
    void compose(const QString& text)
    {
        QInputMethodEvent event;
        event.setCommitString(text);
        QApplication::sendEvent(field(), &event);
    }

    Texte texte;
    frmProjekt window;
};

TEST_F(ProjectFields, WhatTheCodePageHoldsIsTaken)
{
    ASSERT_NE(hint(), nullptr);
    typeKeys(u"Ärger µm 5 € „DT“; \"x\""_s);
    EXPECT_EQ(field()->text(), u"Ärger µm 5 € „DT“; \"x\""_s);
    EXPECT_FALSE(hint()->isVisible());
    EXPECT_FALSE(field()->toolTip().isEmpty());
}

TEST_F(ProjectFields, OtherCharactersAreRefusedAndNamed)
{
    typeKeys(u"Łódź"_s);
    EXPECT_EQ(field()->text(), u"ód"_s);
    ASSERT_TRUE(hint()->isVisible());
    EXPECT_TRUE(hint()->text().startsWith(u"„ź“ kann nicht gespeichert werden"_s)) << hint()->text().toStdString();
    // Typing on, with only what the file can hold in the fields, the hint goes.
    typeKeys(u"z"_s);
    EXPECT_FALSE(hint()->isVisible());

    // Composed or pasted, the whole piece is refused; nothing of it is typed.
    const struct {
        const char* how;
        std::function<void(const QString&)> put;
    } ways[] = {
        {"composed", [this](const QString& t) { compose(t); }},
        {"pasted", [this](const QString& t) { QApplication::clipboard()->setText(t); field()->paste(); }},
        {"typed", [this](const QString& t) { typeKeys(t); }},
    };
    for (const auto& way : ways) {
        for (const QString& text : {u"東京"_s, u"a\nb"_s, u"𝄞"_s}) {
            SCOPED_TRACE(std::string(way.how) + ' ' + text.toStdString());
            field()->setText(u"ab"_s);
            field()->end(false);
            way.put(text);
            if (way.how == std::string("typed") && text == u"a\nb"_s) {
                EXPECT_EQ(field()->text(), u"abab"_s); // the line end alone is no character of a field
                continue;
            }
            EXPECT_EQ(field()->text(), u"ab"_s);
            EXPECT_TRUE(hint()->isVisible());
            // Typed, each key is refused in turn: the hint names the last.
            const QString named = text == u"東京"_s ? (way.how == std::string("typed") ? u"京"_s : u"東"_s)
                                  : text == u"a\nb"_s ? u"\\x0A"_s
                                                        : text;
            EXPECT_TRUE(hint()->text().contains(u"„"_s + named + u"“"_s)) << hint()->text().toStdString();
        }
    }

    // In English, and gone once the window is cleared.
    texte.languageIndex = kEnglish;
    window.recaption();
    EXPECT_TRUE(hint()->text().startsWith(u"“𝄞” cannot be saved"_s)) << hint()->text().toStdString();
    window.cmdLoeschen->click();
    EXPECT_FALSE(hint()->isVisible());
}

} // namespace

namespace {

// The small windows' keys: Return presses the focused button, Escape closes
// the window as its close button does.
TEST_F(ProjectFields, ReturnPressesTheFocusedButtonAndEscapeCloses)
{
    int saved = 0;
    QObject::connect(&window, &frmProjekt::saveRequested, [&] { ++saved; });
    window.cmdSpeichern->setFocus();
    QTest::keyClick(window.cmdSpeichern, Qt::Key_Return);
    EXPECT_EQ(saved, 1);

    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    field()->setFocus();
    QTest::keyClick(field(), Qt::Key_Escape);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(saved, 1); // closed, not saved
}

} // namespace
