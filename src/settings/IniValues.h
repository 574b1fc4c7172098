#pragma once

#include <QString>

namespace norvan::settings {

// The values of SetManifest.ini's section "Setting", as the settings page shows them.
struct IniValues {
    QString sleep;       // "Sleep": minutes between unattended cycles
    QString interval;    // "Interval": stored and shown only
    QString dexarCod;    // "DexarCod": the transfer-fee code
    bool batch = false;  // "Batch": the product run sends batches (1) or line by line (0)
};

// Reads the keys; a missing file, section or key gives empty text, and for Batch 0. Batch is on
// when it holds a whole number other than 0. An empty DexarCod becomes "0", and "0" is written
// to the file (creating it when needed).
IniValues loadIniValues(const QString& iniPath);

// Writes Sleep, Interval, DexarCod and Batch ("1" or "0") in that order, empty values too. The
// first failed write throws Error("Unable to write to <full path>") and the later keys are not
// written.
void saveIniValues(const QString& iniPath, const IniValues& values);

}  // namespace norvan::settings
