#pragma once
// What a message to the operator offers and shows, and what he answered:
// the core says which; a view draws the box.

#include <QStringList>

namespace kivo {

enum class MsgButtons { OK, OKCancel, YesNo };
enum class MsgIcon { None, Information, Question, Warning, Critical };
enum class MsgAnswer { OK, Cancel, Yes, No };

QStringList buttonNames(MsgButtons buttons);
MsgAnswer defaultAnswer(MsgButtons buttons);

} // namespace kivo
