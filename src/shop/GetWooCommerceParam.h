#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace norvan::shop {

// Appends to ids the integer "id" values of a list answer's own objects, in the order of the
// answer: an "id" whose path has ".id" at character 8 or earlier (or no ".id" at all), so
// [0].id up to [99999].id, but not the ids of images, categories or line items.
// Throws the reader's Error at a fault in the text; the ids found before it stay in ids.
void GetWooCommerceParam(const QString& ARes, QStringList& ids);
// The same for the text's UTF-8 bytes (a listing as the shop sent it), read where they are.
void GetWooCommerceParam(const QByteArray& utf8, QStringList& ids);

}  // namespace norvan::shop
