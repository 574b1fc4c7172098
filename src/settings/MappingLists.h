#pragma once

#include "SettingsRow.h"

#include <QString>
#include <QStringList>

namespace norvan::settings {

// The mapping list controls as the settings row fills them at start.
struct MappingLists {
    QStringList wooProduct;   // lstWooProduct  <- ProdParams
    QStringList headToDexar;  // lstHeadToDexar <- OrdParams
    QStringList itemToDexar;  // lstItemToDexar <- itemParams
};

// A non-empty ProdParams fills only wooProduct; otherwise a non-empty OrdParams fills
// headToDexar and itemParams fills itemToDexar (itemParams alone fills nothing). Each column is
// split at ";" by the delimited-text rules; empty fields are skipped, duplicates stay.
MappingLists mappingListsFromRow(const SettingsRow& row);

// The column text of a mapping list: every entry followed by ";".
QString orderMappingText(const QStringList& entries);

}  // namespace norvan::settings
