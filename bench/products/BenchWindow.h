#pragma once

#include "Sending.h"
#include "app/TfMain.h"
#include "settings/SettingsRow.h"
#include "support/BoxRecorder.h"
#include "support/TempProgramFolder.h"

#include <QStringList>
#include <memory>

namespace norvan::sampleshop {
class SampleShop;
}

namespace norvan::bench {

// The window of the program over a program folder made in `parent`, whose settings point at the
// shop (or are `settings`), on the product page, shown and laid out; boxes are recorded, the
// clock is the program's.
class BenchWindow {
  public:
    BenchWindow(const sampleshop::SampleShop& shop, const QString& parent);
    BenchWindow(const settings::SettingsRow& settings, const QString& parent);

    QString folder() const { return folder_.path(); }
    app::TfMain& window() { return *window_; }
    QStringList errors() const { return boxes_.errorTexts(); }

    // The operator's way: the lines in the list of the product page (as taking the product files
    // leaves them), then the update button, whose run is what is timed.
    void fillProductList(const QStringList& lines);
    void pressUpdate(Sending sending);
    // The products the last run's log says were updated, and the lines of that log.
    qsizetype updatedInLog() const;
    qsizetype logLines() const;

  private:
    testing::TempProgramFolder folder_;
    testing::BoxRecorder boxes_;
    std::unique_ptr<app::TfMain> window_;
};

}  // namespace norvan::bench
