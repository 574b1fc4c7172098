#include "IniFile.h"

#include "IniDocument.h"

namespace norvan::settings {

QString IniReadWrite(const QString& fileName, const QString& section, const QString& ident,
                     const QString& value, IniAccess access) {
    IniDocument ini = IniDocument::load(fileName);
    if (access == IniAccess::Write) {
        ini.setValue(section, ident, value);
        ini.save(fileName);
    }
    QString result = ini.value(section, ident);
    if (access == IniAccess::Delete && ini.remove(section, ident)) ini.save(fileName);
    return result;
}

}  // namespace norvan::settings
