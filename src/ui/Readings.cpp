// A record line becomes a reading of the table on show.

#include "ui/frmTransfer.h"

namespace kivo {

// The session takes the reading; its signal has the row drawn.
bool frmTransfer::FillMessdaten(const QString& zeile) { return core.takeLine(zeile); }

} // namespace kivo
