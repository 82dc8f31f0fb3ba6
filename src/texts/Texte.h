#pragma once
// The language tables: every caption and message that changes with the
// interface language. Slot 0 is German, slot 1 English.

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
    // Fills MessageText and StatText of both languages; entry 14 of
    // MessageText is the title text of the program.
    void FillMessageTexts(const QString& titleText);

    // Entry `index` of the table in the current language. An index outside
    // the table gives "" rather than reading past it.
    QString MenuText(int index) const { return pick(menu, index); }
    QString MessageText(int index) const { return pick(message, index); }
    QString StatText(int index) const { return pick(stat, index); }

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

} // namespace kivo
