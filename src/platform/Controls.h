#pragma once
// Every control carries its name (the object name) and its kind, so the
// end-to-end driver finds it by name and reports it as an operator sees it.

#include <QAction>
#include <QObject>
#include <QWidget>

namespace kivo {

inline constexpr const char* kKindProperty = "kivoKind";

template <class W, class... Args>
W* makeControl(QWidget* parent, const char* name, const char* kind, Args&&... args)
{
    auto* w = new W(std::forward<Args>(args)..., parent);
    w->setObjectName(QString::fromLatin1(name));
    w->setProperty(kKindProperty, QString::fromLatin1(kind));
    return w;
}

inline QAction* makeMenuItem(QObject* parent, const char* name, const QString& text, bool checkable = false)
{
    auto* a = new QAction(text, parent);
    a->setObjectName(QString::fromLatin1(name));
    a->setProperty(kKindProperty, QStringLiteral("menu"));
    a->setCheckable(checkable);
    return a;
}

} // namespace kivo
