#pragma once

#include "settings/SettingsRow.h"

#include <QString>

namespace norvan::testing {

// The settings an operator saves for the sample shop at baseUrl: its consumer keys (Basic
// unless oauth1), the products/ and orders/ resources, line_items, processing -> completed.
// The unattended mode off and no field mapping.
settings::SettingsRow sampleShopSettings(const QString& baseUrl, bool oauth1 = false);

}  // namespace norvan::testing
