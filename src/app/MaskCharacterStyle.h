#pragma once

#include <QProxyStyle>

class QLineEdit;

namespace norvan::app {

// The application's style with one change: password boxes mask with a character we choose.
// Each style picks its own otherwise, and the common ones pick a dot when the font has one.
class MaskCharacterStyle : public QProxyStyle {
  public:
    // Gives the box such a style over the application's current style; the box owns it.
    static void install(QLineEdit* box, QChar character);

    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returnData) const override;

  private:
    MaskCharacterStyle(QStyle* base, QChar character);

    QChar character_;
};

}  // namespace norvan::app
