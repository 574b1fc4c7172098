#pragma once

#include <QObject>

class QLineEdit;

namespace norvan::app {

// Makes a text box accept only the digits 0-9 when typed. Only typing is filtered: text that the
// program sets, and text that is pasted, is taken as it is (as in a Windows numbers-only box).
class DigitsOnlyFilter : public QObject {
    Q_OBJECT
  public:
    // The filter belongs to the box.
    static void install(QLineEdit* box);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    using QObject::QObject;
};

}  // namespace norvan::app
