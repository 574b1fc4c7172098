#pragma once

#include <QString>

namespace norvan::app {

// "Ver 1.0.6 build 5" for the file version 1.0.6.5.
QString appVersionText(int major, int minor, int release, int build);

// The version text of this program, from the version the build gives it.
QString GetAppVersion();

}  // namespace norvan::app
