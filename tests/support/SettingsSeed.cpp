#include "SettingsSeed.h"

#include "TempProgramFolder.h"
#include "settings/SettingsDatabase.h"
#include "settings/SettingsFiles.h"

namespace norvan::testing {

void seedSettings(const TempProgramFolder& folder, const settings::SettingsRow& row) {
    settings::SettingsDatabase database(
        folder.filePath(QString::fromLatin1(settings::kDatabaseFileName)));
    database.saveSettings(row);
    database.saveOrderMapping(row.ordParams, row.itemParams);
}

}  // namespace norvan::testing
