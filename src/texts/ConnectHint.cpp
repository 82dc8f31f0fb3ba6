#include "texts/ConnectHint.h"

#include "texts/Phrases.h"

namespace kivo {

QString connectHint(bool german, bool bluetooth)
{
    return phrase(Phrase::ConnectHintStart, german)
           + phrase(bluetooth ? Phrase::ConnectHintPairing : Phrase::ConnectHintCable, german);
}

} // namespace kivo
