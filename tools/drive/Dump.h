#pragma once
// The one-line JSON picture of the program that `dump` prints.

#include "DriverDialogs.h"

#include <QString>

namespace kivo {

class frmTransfer;

QString dumpState(frmTransfer& window, const QList<ShownMessage>& messages, const QStringList& opened);

// JSON string literal of `text`.
QString jsonString(const QString& text);

} // namespace kivo
