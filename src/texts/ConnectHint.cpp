#include "texts/ConnectHint.h"

namespace kivo {

QString connectHint(bool german, bool bluetooth)
{
    if (german)
        return QStringLiteral("Das Gerät hat nicht geantwortet. Bitte prüfen: Ist es eingeschaltet? Ist der richtige "
                              "Port gewählt? ")
               + (bluetooth ? QStringLiteral("Ist es mit diesem PC gekoppelt?") : QStringLiteral("Steckt das Kabel?"));
    return QStringLiteral("The gauge did not answer. Please check: Is it switched on? Is the right port chosen? ")
           + (bluetooth ? QStringLiteral("Is it paired with this computer?") : QStringLiteral("Is the cable plugged in?"));
}

} // namespace kivo
