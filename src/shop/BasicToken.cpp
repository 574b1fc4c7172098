#include "BasicToken.h"

namespace norvan::shop {

QString basicToken(const QString& user, const QString& password) {
    constexpr qsizetype kLineLength = 76;
    const QString base64 = QString::fromLatin1((user + u':' + password).toUtf8().toBase64());
    QString token;
    for (qsizetype start = 0; start < base64.size(); start += kLineLength) {
        const QString line = base64.mid(start, kLineLength);
        token += line;
        if (line.size() == kLineLength) token += QStringLiteral("\r\n");
    }
    return token;
}

}  // namespace norvan::shop
