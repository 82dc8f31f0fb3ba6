#include "Dump.h"

#include "ui/Controls.h"
#include "ui/frmTransfer.h"
#include "ui/frmChartG.h"
#include "ui/ChartPanel.h"
#include "ui/FlexGrid.h"
#include "ui/PictureBox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QAction>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QFileInfo>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QAbstractItemView>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QStyle>

namespace kivo {

namespace {

QString jsonBool(bool b) { return b ? QStringLiteral("true") : QStringLiteral("false"); }

QString widgetText(QWidget* w)
{
    if (auto* b = qobject_cast<QAbstractButton*>(w)) return b->text();
    if (auto* e = qobject_cast<QLineEdit*>(w)) return e->text();
    if (auto* l = qobject_cast<QLabel*>(w)) return l->text();
    if (auto* g = qobject_cast<QGroupBox*>(w)) return g->title();
    if (auto* c = qobject_cast<QComboBox*>(w)) return c->currentText();
    if (auto* d = qobject_cast<QDateTimeEdit*>(w)) return d->text();
    if (auto* p = qobject_cast<QProgressBar*>(w)) return QString::number(p->value());
    if (auto* p = qobject_cast<PictureBox*>(w))
        return p->picture().isNull() ? QString() : QFileInfo(p->pictureFile()).fileName();
    return {};
}

bool widgetChecked(QWidget* w)
{
    auto* b = qobject_cast<QAbstractButton*>(w);
    return b && b->isCheckable() && b->isChecked();
}

// True when the control's text can be read whole in the room it has.
bool textFits(QWidget* w)
{
    const QFontMetrics fm(w->font());
    auto widest = [&fm](const QString& text) {
        int most = 0;
        for (const QString& line : QString(text).remove(u'&').split(QRegularExpression(QStringLiteral("\r?\n"))))
            most = qMax(most, fm.horizontalAdvance(line));
        return most;
    };
    if (auto* b = qobject_cast<QPushButton*>(w)) return b->text().isEmpty() || widest(b->text()) + 8 <= b->width();
    if (auto* r = qobject_cast<QAbstractButton*>(w)) {
        const int indicator = w->style()->pixelMetric(QStyle::PM_ExclusiveIndicatorWidth, nullptr, w)
                              + w->style()->pixelMetric(QStyle::PM_RadioButtonLabelSpacing, nullptr, w);
        return widest(r->text()) + indicator <= r->width();
    }
    if (auto* l = qobject_cast<QLabel*>(w))
        return l->wordWrap() || l->text().isEmpty() || widest(l->text()) <= l->contentsRect().width();
    if (auto* g = qobject_cast<QGroupBox*>(w)) return widest(g->title()) + 12 <= g->width();
    if (auto* e = qobject_cast<QLineEdit*>(w)) return !e->isReadOnly() || widest(e->text()) + 4 <= e->width();
    return true;
}

QString controlEntry(const QString& name, const QString& kind, bool visible, bool enabled, const QString& text,
                     bool checked, const QString& tooltip, const QString& shortcut = QString(), const QString& layout = QString())
{
    return jsonString(name) + QStringLiteral(": {\"kind\": ") + jsonString(kind) + QStringLiteral(", \"visible\": ")
           + jsonBool(visible) + QStringLiteral(", \"enabled\": ") + jsonBool(enabled) + QStringLiteral(", \"text\": ")
           + jsonString(text) + QStringLiteral(", \"checked\": ") + jsonBool(checked) + QStringLiteral(", \"tooltip\": ")
           + jsonString(tooltip) + QStringLiteral(", \"shortcut\": ") + jsonString(shortcut) + layout + u'}';
}

// Where a control on show stands in its window, and whether its text fits.
QString layoutEntry(QWidget* w, QWidget* form)
{
    if (!w->isVisible()) return {};
    const QRect r(w->mapTo(form, QPoint(0, 0)), w->size());
    return QStringLiteral(", \"rect\": [%1, %2, %3, %4], \"fits\": ").arg(r.x()).arg(r.y()).arg(r.width()).arg(r.height())
           + jsonBool(textFits(w));
}

// The tagged controls that belong to `form` itself (not to windows it owns).
void addControls(QStringList& entries, QWidget* form, const QString& prefix)
{
    const auto widgets = form->findChildren<QWidget*>();
    for (QWidget* w : widgets) {
        const QVariant kind = w->property(kKindProperty);
        if (!kind.isValid() || w->window() != form) continue;
        entries << controlEntry(prefix + w->objectName(), kind.toString(), !w->isHidden(), w->isEnabled(),
                                widgetText(w), widgetChecked(w), w->toolTip(), QString(), layoutEntry(w, form));
    }
    const auto actions = form->findChildren<QAction*>();
    for (QAction* a : actions) {
        const QVariant kind = a->property(kKindProperty);
        if (!kind.isValid()) continue;
        QString text = a->text();
        text.remove(u'&');
        entries << controlEntry(prefix + a->objectName(), kind.toString(), a->isVisible(), a->isEnabled(), text,
                                a->isChecked(), QString(), a->shortcut().toString(QKeySequence::PortableText));
    }
}

QString stringArray(const QStringList& items)
{
    QStringList quoted;
    for (const QString& s : items) quoted << jsonString(s);
    return u'[' + quoted.join(QStringLiteral(", ")) + u']';
}

QString jsonNumber(double v) { return QString::number(v, 'g', 15); }

// A chart on show as the operator sees it.
QString chartEntry(const ChartPanel& panel)
{
    const ChartLook& look = panel.look();
    QStringList series;
    for (const ChartSeries& s : look.series) {
        QStringList values;
        values.reserve(qsizetype(s.values.size()));
        for (double v : s.values) values << jsonNumber(v);
        series << QStringLiteral("{\"name\": ") + jsonString(s.name) + QStringLiteral(", \"colour\": ")
                      + jsonString(s.colour.name()) + QStringLiteral(", \"width\": ") + jsonNumber(s.width)
                      + QStringLiteral(", \"style\": ") + jsonString(s.broken ? QStringLiteral("broken") : QStringLiteral("solid"))
                      + QStringLiteral(", \"values\": [") + values.join(QStringLiteral(", ")) + QStringLiteral("]}");
    }
    // The axes as drawn: the horizontal one with the reading numbers it labels.
    const DrawnAxes& axes = panel.axes();
    QStringList labels;
    for (int n : axes.xLabels) labels << QString::number(n);
    return QStringLiteral("{\"type\": ") + jsonString(look.bar ? QStringLiteral("bar") : QStringLiteral("line"))
           + QStringLiteral(", \"series\": [") + series.join(QStringLiteral(", ")) + QStringLiteral("], \"x\": {\"min\": ")
           + jsonNumber(axes.xMin) + QStringLiteral(", \"max\": ") + jsonNumber(axes.xMax) + QStringLiteral(", \"labels\": [")
           + labels.join(QStringLiteral(", ")) + QStringLiteral("]}, \"y\": {\"min\": ") + jsonNumber(axes.yMin)
           + QStringLiteral(", \"max\": ") + jsonNumber(axes.yMax) + QStringLiteral(", \"divisions\": ")
           + QString::number(axes.yDivisions) + QStringLiteral("}}");
}

} // namespace

QString jsonString(const QString& text)
{
    QString out = QStringLiteral("\"");
    for (QChar c : text) {
        switch (c.unicode()) {
        case '"': out += QStringLiteral("\\\""); break;
        case '\\': out += QStringLiteral("\\\\"); break;
        case '\n': out += QStringLiteral("\\n"); break;
        case '\r': out += QStringLiteral("\\r"); break;
        case '\t': out += QStringLiteral("\\t"); break;
        default:
            if (c.unicode() < 0x20)
                out += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QChar(u'0'));
            else
                out += c;
        }
    }
    return out + u'"';
}

QString dumpState(frmTransfer& window, const QList<ShownMessage>& messages, const QStringList& opened)
{
    QStringList controls;
    addControls(controls, &window, QString());
    const auto forms = window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    for (QWidget* form : forms)
        if (form->isWindow() && form->objectName().startsWith(QStringLiteral("frm")))
            addControls(controls, form, form->objectName() + u'.');

    QStringList rows;
    QStringList colours;
    const auto* grid = window.findChild<FlexGrid*>(QStringLiteral("MSFlex"));
    for (int r = 0; r < grid->Rows(); ++r) {
        QStringList cells;
        QStringList cellColours;
        for (int c = 0; c < grid->Cols(); ++c) {
            cells << grid->TextMatrix(r, c);
            cellColours << grid->CellBackColor(r, c).name();
        }
        rows << stringArray(cells);
        colours << stringArray(cellColours);
    }

    QStringList stat;
    const auto* lstStat = window.findChild<QListWidget*>(QStringLiteral("lstStat"));
    for (int i = 0; i < lstStat->count(); ++i) stat << lstStat->item(i)->text();
    QStringList ports;
    const auto* comboPort = window.findChild<QComboBox*>(QStringLiteral("ComboPort"));
    for (int i = 0; i < comboPort->count(); ++i) ports << comboPort->itemText(i);
    QStringList kriterien;
    if (const auto* abnahme = window.findChild<QWidget*>(QStringLiteral("frmAbnahme")))
        if (const auto* list = abnahme->findChild<QListWidget*>(QStringLiteral("lstKriterien")))
            for (int i = 0; i < list->count(); ++i) kriterien << list->item(i)->text();

    // The archive window's list: one string a row, its cells between tabs.
    QStringList archived;
    if (const auto* archiv = window.findChild<QWidget*>(QStringLiteral("frmArchiv")))
        if (const auto* view = archiv->findChild<QAbstractItemView*>(QStringLiteral("lstArchiv")))
            for (int r = 0; r < view->model()->rowCount(); ++r) {
                QStringList cells;
                for (int c = 0; c < view->model()->columnCount(); ++c)
                    cells << view->model()->index(r, c).data().toString();
                archived << cells.join(u'\t');
            }

    QStringList charts;
    const auto* chart = window.findChild<ChartPanel*>(QStringLiteral("MSChart1"));
    if (!chart->isHidden()) charts << jsonString(QStringLiteral("MSChart1")) + QStringLiteral(": ") + chartEntry(*chart);
    if (const auto* chartWindow = window.findChild<frmChartG*>(); chartWindow && chartWindow->isVisible())
        charts << jsonString(QStringLiteral("frmChartG.MSChartG")) + QStringLiteral(": ") + chartEntry(*chartWindow->MSChartG);

    QStringList windows;
    QStringList windowSizes;
    for (QWidget* form : forms)
        if (form->isWindow() && form->objectName().startsWith(QStringLiteral("frm")) && form->isVisible()) {
            windows << form->objectName();
            windowSizes << jsonString(form->objectName()) + QStringLiteral(": [%1, %2]").arg(form->width()).arg(form->height());
        }

    // The control with the input focus, "FORM.NAME" in the other windows.
    QString focus;
    if (QWidget* f = QApplication::focusWidget()) {
        while (f && !f->property(kKindProperty).isValid() && f->parentWidget()) f = f->parentWidget();
        if (f) focus = (f->window() == &window ? QString() : f->window()->objectName() + u'.') + f->objectName();
    }

    QStringList shown;
    for (const ShownMessage& m : messages)
        shown << QStringLiteral("{\"caption\": ") + jsonString(m.caption) + QStringLiteral(", \"text\": ")
                     + jsonString(m.text) + QStringLiteral(", \"buttons\": ") + stringArray(m.buttons) + u'}';

    // The main window's frame on its screen, and the smallest it may be.
    const QRect frame = window.frameGeometry();
    const QRect screen = window.screen()->availableGeometry();
    const QString geometry = QStringLiteral(", \"window\": {\"frame\": [%1, %2, %3, %4], \"size\": [%5, %6], "
                                            "\"minimum\": [%7, %8], \"screen\": [%9, %10, %11, %12]}")
                                 .arg(frame.x()).arg(frame.y()).arg(frame.width()).arg(frame.height())
                                 .arg(window.width()).arg(window.height())
                                 .arg(window.minimumSizeHint().width()).arg(window.minimumSizeHint().height())
                                 .arg(screen.x()).arg(screen.y()).arg(screen.width()).arg(screen.height());

    return QStringLiteral("{\"title\": ") + jsonString(window.windowTitle()) + geometry + QStringLiteral(", \"controls\": {")
           + controls.join(QStringLiteral(", ")) + QStringLiteral("}, \"grid\": {\"rows\": [")
           + rows.join(QStringLiteral(", ")) + QStringLiteral("], \"colours\": [") + colours.join(QStringLiteral(", "))
           + QStringLiteral("], \"lastRowShown\": ") + jsonBool(grid->lastRowShown())
           + QStringLiteral("}, \"lists\": {\"lstStat\": ") + stringArray(stat) + QStringLiteral(", \"ComboPort\": ")
           + stringArray(ports) + QStringLiteral(", \"frmAbnahme.lstKriterien\": ") + stringArray(kriterien)
           + QStringLiteral(", \"frmArchiv.lstArchiv\": ") + stringArray(archived)
           + QStringLiteral("}, \"charts\": {") + charts.join(QStringLiteral(", "))
           + QStringLiteral("}, \"messages\": [") + shown.join(QStringLiteral(", ")) + QStringLiteral("], \"opened\": ")
           + stringArray(opened) + QStringLiteral(", \"windows\": ") + stringArray(windows)
           + QStringLiteral(", \"windowSizes\": {") + windowSizes.join(QStringLiteral(", "))
           + QStringLiteral("}, \"focus\": ") + jsonString(focus) + u'}';
}

} // namespace kivo
