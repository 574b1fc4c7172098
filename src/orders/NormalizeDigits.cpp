#include "NormalizeDigits.h"

namespace norvan::orders {

QString NormalizeDigits(const QString& text) {
    QString result = text;
    for (QChar& c : result) {
        const char16_t code = c.unicode();
        if (code >= 0x06F0 && code <= 0x06F9)
            c = QChar(u'0' + (code - 0x06F0));
        else if (code == 0x064A)
            c = QChar(0x06CC);
    }
    return result;
}

}  // namespace norvan::orders
