#include "shared/MessageKinds.h"

namespace kivo {

QStringList buttonNames(MsgButtons buttons)
{
    switch (buttons) {
    case MsgButtons::OK: return {QStringLiteral("OK")};
    case MsgButtons::OKCancel: return {QStringLiteral("OK"), QStringLiteral("Cancel")};
    case MsgButtons::YesNo: return {QStringLiteral("Yes"), QStringLiteral("No")};
    }
    return {};
}

MsgAnswer defaultAnswer(MsgButtons buttons)
{
    return buttons == MsgButtons::YesNo ? MsgAnswer::Yes : MsgAnswer::OK;
}

} // namespace kivo
