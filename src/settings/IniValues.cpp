#include "IniValues.h"

#include "IniFile.h"
#include "SettingsFiles.h"

namespace norvan::settings {

namespace {

QString readKey(const QString& iniPath, const char* key) {
    return IniReadWrite(iniPath, QString::fromLatin1(kIniSection), QString::fromLatin1(key), {},
                        IniAccess::Read);
}

void writeKey(const QString& iniPath, const char* key, const QString& value) {
    IniReadWrite(iniPath, QString::fromLatin1(kIniSection), QString::fromLatin1(key), value,
                 IniAccess::Write);
}

}  // namespace

IniValues loadIniValues(const QString& iniPath) {
    IniValues values{.sleep = readKey(iniPath, kIniSleepKey),
                     .interval = readKey(iniPath, kIniIntervalKey),
                     .dexarCod = readKey(iniPath, kIniDexarCodKey),
                     .batch = readKey(iniPath, kIniBatchKey).toInt() != 0};
    if (values.dexarCod.isEmpty()) {
        values.dexarCod = QStringLiteral("0");
        writeKey(iniPath, kIniDexarCodKey, values.dexarCod);
    }
    return values;
}

void saveIniValues(const QString& iniPath, const IniValues& values) {
    writeKey(iniPath, kIniSleepKey, values.sleep);
    writeKey(iniPath, kIniIntervalKey, values.interval);
    writeKey(iniPath, kIniDexarCodKey, values.dexarCod);
    writeKey(iniPath, kIniBatchKey, values.batch ? QStringLiteral("1") : QStringLiteral("0"));
}

}  // namespace norvan::settings
