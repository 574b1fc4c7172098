#include "MaskCharacterStyle.h"

#include <QApplication>
#include <QLineEdit>
#include <QStyleFactory>

namespace norvan::app {

MaskCharacterStyle::MaskCharacterStyle(QStyle* base, QChar character)
    : QProxyStyle(base), character_(character) {}

void MaskCharacterStyle::install(QLineEdit* box, QChar character) {
    // Without a base of its own a proxy would draw as the desktop's style, not the application's.
    auto* style =
        new MaskCharacterStyle(QStyleFactory::create(QApplication::style()->name()), character);
    // A widget does not own its style; Qt forgets a style that is deleted.
    style->setParent(box);
    box->setStyle(style);
}

int MaskCharacterStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                                  QStyleHintReturn* returnData) const {
    if (hint == SH_LineEdit_PasswordCharacter) return character_.unicode();
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

}  // namespace norvan::app
