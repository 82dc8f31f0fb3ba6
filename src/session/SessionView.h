#pragma once
// What the session tells its view while a command to the gauge runs, and
// what it asks of it: the port's state as the operator sees it, the waits,
// a message to show (all of `PortView`), and each online reading shown.
// The window is one such view; kivo-cli is another, writing to the
// terminal. Each call returns once the view has shown it.

#include "device/DeviceLink.h"

#include <QString>

namespace kivo {

class SessionView : public PortView {
public:
    // An online line or record arrived and was taken or refused; `record`
    // for a fixed record of a single-reading gauge.
    virtual void onlineShown(const QString& zeile, bool record) = 0;
};

} // namespace kivo
