#include "device/ReplyEnd.h"

namespace kivo {

namespace {

constexpr char16_t kEOT = 4;

bool blankOnly(QStringView text)
{
    for (QChar c : text)
        if (c != u' ' && c != u'\r' && c != u'\n') return false;
    return true;
}

// Whether the character before `at` in before + received ends a line.
bool afterLineEnd(QStringView before, QStringView received, qsizetype at)
{
    const auto charAt = [&](qsizetype i) -> QChar {
        if (i >= 0) return received[i];
        const qsizetype j = before.size() + i;
        return j >= 0 ? before[j] : QChar();
    };
    return charAt(at - 2) == u'\r' && charAt(at - 1) == u'\n';
}

} // namespace

ReplyEnd findReplyEnd(QStringView before, QStringView received, bool dump)
{
    ReplyEnd end;
    qsizetype from = 0;
    if (blankOnly(before)) {
        // Stray EOTs of an answer that was over belong to no reply.
        for (qsizetype i = 0; i < received.size() && (received[i] == kEOT || received[i] == u' '
                                                      || received[i] == u'\r' || received[i] == u'\n');
             ++i)
            if (received[i] == kEOT) end.strayBefore = i + 1;
        from = end.strayBefore;
    }
    for (;;) {
        const qsizetype eot = received.indexOf(QChar(kEOT), from);
        if (eot < 0) return end;
        if (!dump || afterLineEnd(before, received, eot)) {
            end.eot = eot;
            return end;
        }
        if (eot + 1 == received.size()) {
            end.eot = eot;
            end.doubtful = true;
            return end;
        }
        from = eot + 1; // damage inside a line: the dump goes on
    }
}

} // namespace kivo
