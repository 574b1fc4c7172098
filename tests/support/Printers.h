#pragma once

#include "settings/SettingsRow.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <ostream>

// Failure messages show Qt texts as text, not as code units.
inline void PrintTo(const QString& text, std::ostream* os) {
    *os << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QByteArray& bytes, std::ostream* os) {
    *os << '"' << bytes.toStdString() << '"';
}
inline void PrintTo(const QStringList& list, std::ostream* os) {
    *os << '[' << list.join(u", ").toStdString() << ']';
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
