#pragma once

#include "settings/SettingsRow.h"

#include <QString>

namespace norvan::testing {

class TempProgramFolder;

// Stores row in the folder's settings database as Save and the order-mapping Save would:
// every column but ProdParams (which nothing in the program writes).
void seedSettings(const TempProgramFolder& folder, const settings::SettingsRow& row);

}  // namespace norvan::testing
