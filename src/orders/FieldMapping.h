#pragma once

#include <QString>
#include <QStringList>

namespace norvan::orders {

// Maps field (a header field path or an item key) by appending it to mapped, unless an entry
// equal to it, letter case disregarded, is there already. Returns whether it was appended.
bool mapField(QStringList& mapped, const QString& field);

}  // namespace norvan::orders
