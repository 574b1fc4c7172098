#pragma once

#include <QString>

namespace norvan::settings {

// The one row of the table Settings; a NULL column reads as empty text or false.
struct SettingsRow {
    QString tokenUrl;        // TokenURL   NVARCHAR(200)
    QString ecomUrl;         // EComURL    NVARCHAR(200)
    QString siteUser;        // SiteUser   NVARCHAR(150)
    QString sitePass;        // SitePass   NVARCHAR(150)
    QString prodRes;         // ProdRes    NVARCHAR(150)
    QString orderRes;        // OrderRes   NVARCHAR(150)
    QString prodParams;      // ProdParams NVARCHAR(1000)
    QString ordParams;       // OrdParams  NVARCHAR(1000)
    QString itemParams;      // itemParams NVARCHAR(1000)
    QString itemTitle;       // itemTitle  NVARCHAR(100)
    bool automatic = false;  // Automatic BOOLEAN
    QString statusAz;        // StatusAz   NVARCHAR(100)
    QString statusTo;        // StatusTo   NVARCHAR(100)
    bool consKey = false;    // ConsKey   BOOLEAN

    bool operator==(const SettingsRow&) const = default;
};

}  // namespace norvan::settings
