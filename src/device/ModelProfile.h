#pragma once
// What a gauge model is, as the link to it and the tables need it: five
// fixed codes chosen by the model at start-up.

#include <QString>

namespace kivo {

struct ModelProfile {
    QString speicherlayout; // "1", "2" (refined to "2E"/"2N"), "3", "X"
    QString schnittstelle;  // "B" Bluetooth serial port, "K" cable
    QString onlineart;      // "E" 27-character records, "V" lines
    QString materialart;    // "0", "1", "2"
    QString vorzeichen;     // "-" readings carry a sign, "+" they don't
};

} // namespace kivo
