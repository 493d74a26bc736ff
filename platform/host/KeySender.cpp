#include "KeySender.h"

#include <QApplication>
#include <QKeyEvent>
#include <QList>
#include <QWidget>

namespace kelvo::host {

namespace {

struct Stroke {
    int key;
    Qt::KeyboardModifiers modifiers;
    QString text;
};

// Splits the keys text into strokes: "{Tab}", "+{Tab}" (Shift held) and plain characters.
bool Parse(const QString& keys, QList<Stroke>& strokes) {
    qsizetype i = 0;
    while (i < keys.size()) {
        Qt::KeyboardModifiers modifiers;
        if (keys.at(i) == QLatin1Char('+') && i + 1 < keys.size()) {
            modifiers = Qt::ShiftModifier;
            ++i;
        }
        if (keys.at(i) == QLatin1Char('{')) {
            const qsizetype close = keys.indexOf(QLatin1Char('}'), i + 1);
            if (close < 0) {
                return false;
            }
            const QString name = keys.mid(i + 1, close - i - 1);
            if (name.compare(QLatin1String("Tab"), Qt::CaseInsensitive) != 0) {
                return false;
            }
            const bool back = modifiers.testFlag(Qt::ShiftModifier);
            strokes.append({back ? Qt::Key_Backtab : Qt::Key_Tab, modifiers, QStringLiteral("\t")});
            i = close + 1;
            continue;
        }
        const QChar character = keys.at(i);
        strokes.append({character.toUpper().unicode(), modifiers, QString(character)});
        ++i;
    }
    return true;
}

} // namespace

bool QtKeySender::SendKeys(const QString& keys) {
    QList<Stroke> strokes;
    if (!Parse(keys, strokes)) {
        return false;
    }
    QWidget* target = QApplication::focusWidget();
    if (target == nullptr) {
        return true;
    }
    for (const Stroke& stroke : strokes) {
        QCoreApplication::postEvent(
            target, new QKeyEvent(QEvent::KeyPress, stroke.key, stroke.modifiers, stroke.text));
        QCoreApplication::postEvent(
            target, new QKeyEvent(QEvent::KeyRelease, stroke.key, stroke.modifiers, stroke.text));
    }
    return true;
}

} // namespace kelvo::host
