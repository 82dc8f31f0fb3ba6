#pragma once
// Where a reply ends in what just arrived. The gauge ends every answer with
// EOT, but the wire has no checksum: a damaged byte can be an EOT, and an
// EOT can stray in after an answer was over.

#include <QStringView>

namespace kivo {

struct ReplyEnd {
    qsizetype strayBefore = 0; // characters at the start of `received` that belong to no reply
    qsizetype eot = -1;        // the EOT that ends the reply, in `received`; -1: none yet
    bool doubtful = false;     // a dump's EOT that may be damage: it ends the reply only if nothing follows
};

// `before` is the reply received so far, `received` what just arrived.
// - An EOT before anything but blank lines is a stray one from before:
//   it and the blanks before it belong to no reply.
// - A dump ends with EOT right after a line end; an EOT inside a line with
//   more behind it was a damaged byte, and the dump goes on. One inside a
//   line with nothing behind it yet is doubtful.
ReplyEnd findReplyEnd(QStringView before, QStringView received, bool dump);

} // namespace kivo
