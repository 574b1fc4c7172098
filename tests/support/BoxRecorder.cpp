#include "BoxRecorder.h"

#include <QStringList>

namespace norvan::testing {

QDateTime BoxRecorder::fixedNow() {
    return QDateTime(QDate(2024, 3, 5), QTime(14, 7, 9));
}

app::Environment BoxRecorder::environment(const QString& appPath) {
    return app::Environment{
        .appPath = appPath,
        .errorBox =
            [this](const QString& caption, const QString& text) {
                errors_.push_back({caption, text});
            },
        .messageBox =
            [this](const QString& caption, const QString& text) {
                messages_.push_back({caption, text});
            },
        .openFile = [this](const QString& path) { openedFiles_.append(path); },
        .clock = [] { return fixedNow(); },
        // A shop call that failed in transit is tried again at once, and a product file looked
        // at again at once: tests never wait it out.
        .pause =
            [this](std::chrono::milliseconds) {
                if (onPause) onPause();
            },
    };
}

QStringList BoxRecorder::errorTexts() const {
    QStringList texts;
    for (const Box& box : errors_) texts.append(box.text);
    return texts;
}

void BoxRecorder::clear() {
    errors_.clear();
    messages_.clear();
    openedFiles_.clear();
}

}  // namespace norvan::testing
