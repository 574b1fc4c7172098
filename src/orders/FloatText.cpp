#include "FloatText.h"

namespace norvan::orders {

QString floatText(const QString& received) {
    bool ok = false;
    double value = received.toDouble(&ok);
    if (!ok) return received;   // beyond a double's range: the shop's own digits say it best
    if (value == 0) value = 0;  // -0.0 reads as 0
    QString text = QString::number(value, 'G', 15);
    // "1E+20" -> "1E20", "1E-05" -> "1E-5"
    const qsizetype e = text.indexOf(u'E');
    if (e >= 0) text = text.left(e + 1) + QString::number(text.mid(e + 1).toInt());
    return text;
}

}  // namespace norvan::orders
