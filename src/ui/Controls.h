#pragma once
// Every control carries its name (the object name) and its kind, so the
// end-to-end driver finds it by name and reports it as an operator sees it.

#include <QAction>
#include <QLineEdit>
#include <QStyle>
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

// A read-only box whose whole text must stay readable: at least as wide as
// the text, its frame and the box's inner margins.
inline void fitWidthToText(QLineEdit* e)
{
    constexpr int kInnerMargins = 8; // the line edit's own space beside the text and the cursor
    const int frame = e->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, e);
    const QMargins margins = e->textMargins();
    e->setMinimumWidth(e->fontMetrics().horizontalAdvance(e->text()) + 2 * frame + margins.left() + margins.right()
                       + kInnerMargins);
}

} // namespace kivo
