#pragma once

namespace norvan::settings {

// The two settings files live beside the executable under these names.
inline constexpr char kDatabaseFileName[] = "EcomDB.s3db";
inline constexpr char kIniFileName[] = "SetManifest.ini";

// The key of the encrypted settings database.
inline constexpr char kDatabasePassword[] = "!%Kestrel9";

// SetManifest.ini keeps its values in this section.
inline constexpr char kIniSection[] = "Setting";
inline constexpr char kIniSleepKey[] = "Sleep";
inline constexpr char kIniIntervalKey[] = "Interval";
inline constexpr char kIniDexarCodKey[] = "DexarCod";
inline constexpr char kIniBatchKey[] = "Batch";

}  // namespace norvan::settings
