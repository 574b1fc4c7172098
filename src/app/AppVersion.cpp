#include "AppVersion.h"

namespace norvan::app {

QString appVersionText(int major, int minor, int release, int build) {
    return QStringLiteral("Ver %1.%2.%3 build %4").arg(major).arg(minor).arg(release).arg(build);
}

QString GetAppVersion() {
    return appVersionText(NORVAN_VERSION_MAJOR, NORVAN_VERSION_MINOR, NORVAN_VERSION_PATCH,
                          NORVAN_VERSION_BUILD);
}

}  // namespace norvan::app
