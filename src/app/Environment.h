#pragma once

#include "common/Clock.h"
#include "shop/RetryPolicy.h"

#include <QString>
#include <functional>

namespace norvan::app {

// Shows the error box: stop icon, one OK button.
using ErrorBox = std::function<void(const QString& caption, const QString& text)>;
// Shows a plain message with one OK button (the "Saved!" box).
using MessageBox = std::function<void(const QString& caption, const QString& text)>;
// Opens a file with the system's default program for it (the day's log).
using FileOpener = std::function<void(const QString& path)>;

// What the window takes from its surroundings. Tests replace the boxes (so nothing modal ever
// blocks), the file opener, the clock, the pause between two tries of a shop call and the
// program folder.
struct Environment {
    QString appPath;  // the folder of the settings files, Orders and Products; ends with "/"
    ErrorBox errorBox;
    MessageBox messageBox;
    FileOpener openFile;
    common::Clock clock;
    shop::Pause pause;

    // The running program: the executable's folder, modal message boxes, the system clock,
    // pauses that keep the window's events running.
    static Environment forProgram();
};

}  // namespace norvan::app
