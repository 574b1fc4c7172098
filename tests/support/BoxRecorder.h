#pragma once

#include "app/Environment.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace norvan::testing {

// Stands in for the window's message boxes and file opener: records them instead of showing
// them, so a test never blocks on a modal box nor starts another program.
class BoxRecorder {
  public:
    struct Box {
        QString caption;
        QString text;
    };

    // The clock every window started by a test sees unless the test sets its own.
    static QDateTime fixedNow();

    // An environment for the program folder appPath whose boxes are recorded here. The
    // recorder must outlive the window.
    app::Environment environment(const QString& appPath);

    // What the window's pauses do (a pause returns at once): for instance a file written
    // meanwhile.
    std::function<void()> onPause;

    const std::vector<Box>& errors() const { return errors_; }
    const std::vector<Box>& messages() const { return messages_; }
    QStringList errorTexts() const;
    const QStringList& openedFiles() const { return openedFiles_; }
    void clear();

  private:
    std::vector<Box> errors_;
    std::vector<Box> messages_;
    QStringList openedFiles_;
};

}  // namespace norvan::testing
