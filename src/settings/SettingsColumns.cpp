#include "SettingsColumns.h"

namespace norvan::settings {

QString SettingsColumn::declaredType() const {
    return isBoolean() ? QStringLiteral("BOOLEAN") : QStringLiteral("NVARCHAR(%1)").arg(maxLength);
}

QString cutToLength(const QString& text, int maxLength) {
    if (text.size() <= maxLength) return text;
    QString cut = text.left(maxLength);
    if (!cut.isEmpty() && cut.back().isHighSurrogate()) cut.chop(1);
    return cut;
}

}  // namespace norvan::settings
