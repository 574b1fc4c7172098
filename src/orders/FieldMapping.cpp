#include "FieldMapping.h"

#include "common/TextLines.h"

namespace norvan::orders {

bool mapField(QStringList& mapped, const QString& field) {
    if (common::indexOfText(mapped, field) >= 0) return false;
    mapped.append(field);
    return true;
}

}  // namespace norvan::orders
