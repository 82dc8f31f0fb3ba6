#pragma once
// Qt's own texts (the buttons of message boxes, the file and printer
// dialogs) in the operator's language.

namespace kivo {

// German loads Qt's German translation; English goes back to Qt's own
// English. False when the German translation is not installed.
bool useQtTranslations(bool german);

} // namespace kivo
