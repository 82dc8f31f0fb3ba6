#pragma once
// One command to the gauge (Connect, a download, going online) from its
// start to its end, nested commands included. A new command starts
// uncancelled; when the outermost one ends, what was put off meanwhile is
// done.

#include "app/frmTransfer.h"

namespace kivo {

class frmTransfer::CommandScope {
public:
    explicit CommandScope(frmTransfer& window) : w(window)
    {
        if (w.commandDepth++ == 0) w.cancelled = false;
    }
    ~CommandScope()
    {
        if (--w.commandDepth == 0) w.commandEnded();
    }
    CommandScope(const CommandScope&) = delete;
    CommandScope& operator=(const CommandScope&) = delete;

private:
    frmTransfer& w;
};

} // namespace kivo
