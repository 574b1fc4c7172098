#include "DigitsOnlyFilter.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLineEdit>

namespace norvan::app {

namespace {

// Text that a key press or an input method would type; control keys type nothing printable.
bool typesNonDigit(const QString& typed) {
    for (const QChar c : typed) {
        if (c.isPrint() && (c < u'0' || c > u'9')) return true;
    }
    return false;
}

}  // namespace

void DigitsOnlyFilter::install(QLineEdit* box) {
    box->installEventFilter(new DigitsOnlyFilter(box));
}

bool DigitsOnlyFilter::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        // Shortcuts (Ctrl+V and the like) are not typing.
        const bool shortcut = key->modifiers() & (Qt::ControlModifier | Qt::MetaModifier);
        if (!shortcut && typesNonDigit(key->text())) return true;
    } else if (event->type() == QEvent::InputMethod) {
        if (typesNonDigit(static_cast<QInputMethodEvent*>(event)->commitString())) return true;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace norvan::app
