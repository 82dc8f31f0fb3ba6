#pragma once
// The language tables: every caption and message that changes with the
// interface language, asked for by key (TextKeys.h). Slot 0 is German,
// slot 1 English.

#include "texts/Phrases.h"
#include "texts/TextKeys.h"

#include <QString>
#include <array>

namespace kivo {

inline constexpr int kGerman = 0;
inline constexpr int kEnglish = 1;

class Texte {
public:
    static constexpr int kMenuEntries = 61;
    static constexpr int kMessageEntries = 61;
    static constexpr int kStatEntries = 21;

    // Fills MenuText of both languages.
    void FillMenuTexts();
    // Fills MessageText and StatText of both languages; Msg::Titel is the
    // title text of the program.
    void FillMessageTexts(const QString& titleText);

    // An entry in the current language. A key on no entry (a number cast
    // to a key) gives "" rather than reading past the table.
    QString text(Menu key) const { return pick(menu, int(key)); }
    QString text(Msg key) const { return pick(message, int(key)); }
    QString text(Stat key) const { return pick(stat, int(key)); }
    // A phrase of the catalogue in the current language.
    QString say(Phrase key) const { return phrase(key, languageIndex == kGerman); }

    // Current interface language; anything but 0 reads the English slot.
    int languageIndex = kGerman;

private:
    template <size_t N>
    using Slots = std::array<std::array<QString, N>, 2>;

    template <size_t N>
    QString pick(const Slots<N>& table, int index) const
    {
        if (index < 0 || index >= int(N)) return {};
        return table[languageIndex == kGerman ? 0 : 1][size_t(index)];
    }

    Slots<kMenuEntries> menu;
    Slots<kMessageEntries> message;
    Slots<kStatEntries> stat;
};

// An entry in the language asked for, for those that are given the language
// rather than the tables. Msg::Titel is the running program's and gives ""
// here.
QString tableText(Menu key, bool german);
QString tableText(Msg key, bool german);
QString tableText(Stat key, bool german);

} // namespace kivo
