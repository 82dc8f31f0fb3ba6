#include "Driver.h"

#include "Dump.h"
#include "ui/frmTransfer.h"
#include "ui/FlexGrid.h"
#include "platform/FreeMemory.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QFile>
#include <QImage>
#include <QSet>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

namespace kivo {

namespace {

void printLine(FILE* stream, const QString& text)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
    std::fputc('\n', stream);
    std::fflush(stream);
}

// "click  NAME" -> ("click", "NAME"); the rest of the line after the
// second word is kept whole, blanks included, for `type` and `select`.
QStringList splitCommand(const QString& line, int words)
{
    QStringList parts;
    qsizetype pos = 0;
    for (int i = 0; i < words - 1; ++i) {
        while (pos < line.size() && line[pos] == u' ') ++pos;
        const qsizetype end = line.indexOf(u' ', pos);
        if (end < 0) {
            parts << line.mid(pos);
            pos = line.size();
            break;
        }
        parts << line.mid(pos, end - pos);
        pos = end + 1;
    }
    parts << line.mid(pos);
    while (parts.size() < words) parts << QString();
    return parts;
}

// A screenshot as a small PNG: a picture of at most 256 colours (most of a
// window) is kept with a palette, which loses nothing.
bool savePicture(const QImage& picture, const QString& path)
{
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    QList<QRgb> colours;
    QSet<QRgb> seen;
    for (int y = 0; y < rgb.height() && colours.size() <= 256; ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width() && colours.size() <= 256; ++x)
            if (!seen.contains(row[x])) {
                seen.insert(row[x]);
                colours << row[x];
            }
    }
    const QImage out = colours.size() <= 256 ? rgb.convertToFormat(QImage::Format_Indexed8, colours, Qt::ThresholdDither) : rgb;
    return out.save(path, "PNG", 0);
}

} // namespace

Driver::Driver(QStringList script, QString programFolder) : lines(std::move(script)), folder(std::move(programFolder))
{
}

Driver::~Driver() = default;

void Driver::begin() { scheduleNext(); }

void Driver::scheduleNext(int delayMs) { QTimer::singleShot(delayMs, this, &Driver::step); }

void Driver::finish()
{
    // The program is left as it is, like a window nobody closes: the
    // driver's process simply ends.
    std::fflush(stdout);
    std::fflush(stderr);
    std::_Exit(scriptFaulty ? 3 : 0);
}

void Driver::pollIdle()
{
    const bool idle = clickDepth == 0 && (!window || !window->waiting());
    if (idle || idleDeadline.hasExpired()) {
        if (!idle) fail(QStringLiteral("wait-until-idle: still busy"));
        scheduleNext();
        return;
    }
    QTimer::singleShot(20, this, &Driver::pollIdle);
}

void Driver::fail(const QString& message) { printLine(stderr, QStringLiteral("kivo-drive: ") + message); }

void Driver::step()
{
    if (ended || (window && window->ended())) finish();
    // While a click is handled, the operator's next action comes only once
    // the handler waits for the gauge; until then it waits its turn.
    // A click whose handler opened a modal window counts as waiting: the
    // operator works in that window.
    QWidget* modal = QApplication::activeModalWidget();
    const bool blockedInModal = !clickModals.empty() && modal && modal != clickModals.back();
    if (clickDepth > 0 && !window->waiting() && !blockedInModal) {
        scheduleNext(5);
        return;
    }
    while (next < lines.size()) {
        const QString line = lines[next++].trimmed();
        if (line.isEmpty() || line.startsWith(u'#')) continue;
        int delayMs = 0;
        // The next command is due before this one runs: a click may not
        // return until its handler's wait is over.
        if (line.startsWith(QStringLiteral("wait-until-idle"))) {
            // Until every click's handler has returned and no wait for the
            // gauge runs; at most the given time (default 30 s).
            const int bound = splitCommand(line, 2)[1].trimmed().toInt();
            idleDeadline.setRemainingTime(bound > 0 ? bound : 30000);
            pollIdle();
            return;
        }
        if (line.startsWith(QStringLiteral("wait-ms"))) {
            delayMs = qMax(0, splitCommand(line, 2)[1].trimmed().toInt());
            scheduleNext(delayMs);
            return;
        }
        // Only a click or a key can start a wait; everything else, start-up
        // included, is over before the operator's next action.
        const bool mayWait = line.startsWith(QStringLiteral("click")) || line.startsWith(QStringLiteral("key"));
        if (mayWait) scheduleNext();
        execute(line, delayMs);
        if (!mayWait) scheduleNext();
        return;
    }
    finish();
}

bool Driver::execute(const QString& line, int&)
{
    const QStringList words = splitCommand(line, 3);
    const QString command = words[0];
    if (command == u"program-folder") {
        folder = splitCommand(line, 2)[1].trimmed();
    } else if (command == u"locale") {
        QLocale::setDefault(QLocale(words[1].trimmed()));
    } else if (command == u"start") {
        doStart();
    } else if (!window) {
        fail(QStringLiteral("\"%1\" before start").arg(line));
        return false;
    } else if (command == u"click") {
        doClick(splitCommand(line, 2)[1].trimmed());
    } else if (command == u"type") {
        doType(words[1], words[2]);
    } else if (command == u"select") {
        doSelect(words[1], words[2]);
    } else if (command == u"key") {
        doKey(words[1].trimmed());
    } else if (command == u"answer") {
        const QString a = words[1].trimmed();
        dialogs.queueAnswer(a == u"Cancel" ? MsgAnswer::Cancel
                            : a == u"Yes"  ? MsgAnswer::Yes
                            : a == u"No"   ? MsgAnswer::No
                                           : MsgAnswer::OK);
    } else if (command == u"save" || command == u"open") {
        dialogs.queueFile(splitCommand(line, 2)[1].trimmed());
    } else if (command == u"print-to-pdf") {
        dialogs.queuePdf(splitCommand(line, 2)[1].trimmed());
    } else if (command == u"resize") {
        // "resize W H [FORM]": the window as the operator drags it; it goes
        // no smaller than its minimum.
        const QStringList parts = line.split(u' ', Qt::SkipEmptyParts);
        QWidget* w = parts.size() > 3 ? window->findChild<QWidget*>(parts[3]) : window.get();
        if (!w || parts.size() < 3) {
            fail(QStringLiteral("%1: no such window").arg(line));
        } else {
            w->resize(QSize(parts[1].toInt(), parts[2].toInt()).expandedTo(w->minimumSizeHint()));
            QApplication::processEvents();
        }
    } else if (command == u"documents") {
        // "documents fail": as on a system with no program for the exports.
        dialogs.setOpensFail(words[1].trimmed() == u"fail");
    } else if (command == u"close") {
        // The main window, or the window FORM of the program.
        const QString form = splitCommand(line, 2)[1].trimmed();
        QWidget* w = form.isEmpty() ? window.get() : window->findChild<QWidget*>(form);
        if (w) w->close();
        else fail(QStringLiteral("close %1: no such window").arg(form));
    } else if (command == u"clipboard") {
        // The clipboard's text, as one JSON string on one line.
        printLine(stdout, jsonString(QApplication::clipboard()->text()));
    } else if (command == u"click-row") {
        // The operator's click on a body row of the grid (R from 1).
        const int row = words[2].trimmed().toInt();
        auto* grid = qobject_cast<FlexGrid*>(findControl(words[1]));
        if (!grid || row < 1 || row >= grid->Rows()) fail(QStringLiteral("click-row %1: no such row").arg(line));
        else emit grid->cellClicked(row, 0);
    } else if (command == u"focus") {
        // The input focus to a control, as a click or Tab gives it: the
        // field that loses it is checked as in the real window.
        auto* w = qobject_cast<QWidget*>(findControl(splitCommand(line, 2)[1].trimmed()));
        if (!w) {
            fail(QStringLiteral("focus %1: no such control").arg(line));
        } else {
            QApplication::setActiveWindow(w->window());
            w->setFocus(Qt::OtherFocusReason);
            QApplication::processEvents();
        }
    } else if (command == u"screenshot") {
        // The main window (or the window FORM) as it is drawn, to look at.
        const QString path = words[1].trimmed();
        QWidget* form = words[2].trimmed().isEmpty() ? window.get() : window->findChild<QWidget*>(words[2].trimmed());
        if (!form || !savePicture(form->grab().toImage(), path)) fail(QStringLiteral("screenshot %1: cannot write").arg(path));
    } else if (command == u"screenshot-part") {
        // "screenshot-part PATH CONTROL...": only the part of a window that
        // holds the controls (all in one window), with a little room around.
        const QStringList parts = line.split(u' ', Qt::SkipEmptyParts);
        QWidget* form = nullptr;
        QRect area;
        for (const QString& name : parts.mid(2)) {
            auto* w = qobject_cast<QWidget*>(findControl(name));
            if (!w || !w->isVisible() || (form && w->window() != form)) {
                fail(QStringLiteral("screenshot-part %1: not on show in the same window").arg(name));
                return false;
            }
            form = w->window();
            area |= QRect(w->mapTo(form, QPoint(0, 0)), w->size());
        }
        if (!form) {
            fail(QStringLiteral("screenshot-part: no control named"));
            return false;
        }
        constexpr int kRoom = 6;
        area = area.adjusted(-kRoom, -kRoom, kRoom, kRoom) & form->rect();
        if (!savePicture(form->grab(area).toImage(), parts[1])) fail(QStringLiteral("screenshot-part %1: cannot write").arg(parts[1]));
    } else if (command == u"memory") {
        // The program's resident memory now, as a line of its own:
        // {"memoryKiB": N} (0 where the system does not tell).
        qint64 kib = 0;
        QFile status(QStringLiteral("/proc/self/status"));
        if (status.open(QIODevice::ReadOnly))
            for (const QByteArray& row : status.readAll().split('\n'))
                if (row.startsWith("VmRSS:")) kib = row.mid(6).trimmed().split(' ').value(0).toLongLong();
        printLine(stdout, QStringLiteral("{\"memoryKiB\": %1}").arg(kib));
    } else if (command == u"dump") {
        printLine(stdout, dumpState(*window, dialogs.takeMessages(), dialogs.takeOpened()));
        // What the look itself took goes back, so the program's own memory can be measured.
        releaseFreeMemory();
    } else {
        // A script with a word the driver does not know was mistyped: its
        // run must not pass for a good one.
        scriptFaulty = true;
        fail(QStringLiteral("unknown command \"%1\"").arg(line));
        return false;
    }
    return true;
}

void Driver::doStart()
{
    Platform platform;
    platform.dialogs = &dialogs;
    window = std::make_unique<frmTransfer>(platform, folder);
    connect(window.get(), &frmTransfer::programEnd, this, [this] { ended = true; });
    if (!window->Form_Load()) finish(); // another copy runs: end silently
    window->show();
}

QObject* Driver::findControl(const QString& name) const
{
    QWidget* form = window.get();
    QString control = name;
    const qsizetype dot = name.indexOf(u'.');
    if (dot > 0) {
        form = window->findChild<QWidget*>(name.left(dot));
        control = name.mid(dot + 1);
        if (!form) return nullptr;
    }
    const auto widgets = form->findChildren<QWidget*>(control);
    for (QWidget* w : widgets)
        if (w->window() == form) return w;
    return form->findChild<QAction*>(control);
}

void Driver::doClick(const QString& name)
{
    QObject* target = findControl(name);
    if (auto* action = qobject_cast<QAction*>(target)) {
        if (action->isEnabled() && action->isVisible()) {
            ++clickDepth;
            clickModals.push_back(QApplication::activeModalWidget());
            action->trigger();
            clickModals.pop_back();
            --clickDepth;
        } else fail(QStringLiteral("click %1: not available").arg(name));
        return;
    }
    auto* w = qobject_cast<QWidget*>(target);
    if (!w) {
        fail(QStringLiteral("click %1: no such control").arg(name));
        return;
    }
    if (!w->isEnabled() || !w->isVisible()) {
        fail(QStringLiteral("click %1: not available").arg(name));
        return;
    }
    // Focus first, as a mouse click gives it: leaving a field validates it.
    // A click in another window of the program makes that window active.
    ++clickDepth;
    clickModals.push_back(QApplication::activeModalWidget());
    if (w->window() != QApplication::activeWindow()) QApplication::setActiveWindow(w->window());
    if (w->focusPolicy() != Qt::NoFocus) w->setFocus(Qt::MouseFocusReason);
    QApplication::processEvents();
    if (auto* button = qobject_cast<QAbstractButton*>(w))
        button->click();
    else
        QTest::mouseClick(w, Qt::LeftButton);
    clickModals.pop_back();
    --clickDepth;
}

void Driver::doType(const QString& name, const QString& text)
{
    QWidget* w = qobject_cast<QWidget*>(findControl(name));
    if (!w) {
        fail(QStringLiteral("type %1: no such control").arg(name));
        return;
    }
    w->setFocus(Qt::MouseFocusReason);
    if (auto* edit = qobject_cast<QLineEdit*>(w)) edit->setText(text);
    else if (auto* combo = qobject_cast<QComboBox*>(w)) combo->setEditText(text);
    else if (auto* dt = qobject_cast<QDateTimeEdit*>(w)) dt->setDateTime(QLocale::c().toDateTime(text, dt->displayFormat()));
    else fail(QStringLiteral("type %1: not a text box").arg(name));
}

void Driver::doSelect(const QString& name, const QString& text)
{
    auto* combo = qobject_cast<QComboBox*>(findControl(name));
    if (!combo) {
        fail(QStringLiteral("select %1: not a combo box").arg(name));
        return;
    }
    combo->setFocus(Qt::MouseFocusReason);
    if (combo->isEditable()) {
        combo->setEditText(text);
        return;
    }
    // A list to choose from: the item whose text it is.
    const int index = combo->findText(text);
    if (index < 0) fail(QStringLiteral("select %1: no item \"%2\"").arg(name, text));
    else combo->setCurrentIndex(index);
}

void Driver::doKey(const QString& key)
{
    // "Escape", "Return", "Tab" or any key sequence ("Ctrl+O", "F1", "Alt+D"),
    // to the control with the focus in the active window.
    const QKeySequence sequence(key == u"Escape" ? QStringLiteral("Esc") : key);
    if (sequence.isEmpty() || sequence[0].key() == Qt::Key_unknown) {
        fail(QStringLiteral("key %1: unknown key").arg(key));
        return;
    }
    QWidget* target = QApplication::focusWidget();
    if (!target) target = QApplication::activeWindow() ? QApplication::activeWindow() : window.get();
    if (!QApplication::activeWindow()) QApplication::setActiveWindow(target->window());
    QTest::keySequence(target, sequence);
}

} // namespace kivo
