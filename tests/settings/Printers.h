#pragma once

#include "SettingsRow.h"

#include <QString>
#include <ostream>

// Readable failure messages for the texts and rows the tests compare.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}

namespace norvan::settings {

inline void PrintTo(const SettingsRow& row, std::ostream* os) {
    for (const QString* text : {&row.tokenUrl, &row.ecomUrl, &row.siteUser, &row.sitePass,
                                &row.prodRes, &row.orderRes, &row.prodParams, &row.ordParams,
                                &row.itemParams, &row.itemTitle, &row.statusAz, &row.statusTo}) {
        ::PrintTo(*text, os);
        *os << ' ';
    }
    *os << "automatic=" << row.automatic << " consKey=" << row.consKey;
}

}  // namespace norvan::settings
