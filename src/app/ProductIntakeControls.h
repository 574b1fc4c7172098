#pragma once

#include "RunRecord.h"
#include "common/TextPane.h"
#include "products/ProductIntake.h"

#include <QStringList>

class QListWidget;

namespace norvan::app {

class TextPaneView;

// An intake of the product folder as the window shows it: lstProdTextFile gets the lines kept and
// mProdFiles the text of the files taken, each at most kMostLinesShown lines, so that a huge file
// costs the window no more than an ordinary one; every non-empty line read goes to the run's
// record all the same.
class ProductIntakeControls {
  public:
    static constexpr qsizetype kMostLinesShown = 100000;

    // Clears the list and the notes and begins the intake (see ProductIntake); the notes get a
    // line for each file left because it was still being written.
    ProductIntakeControls(QListWidget& list, TextPaneView& filesPane, RunRecord& record,
                          settings::KeptProductLines& kept, const QString& appPath,
                          const shop::Pause& pause, QStringList& notes);
    ~ProductIntakeControls();  // mProdFiles shows the text taken, or is left alone
    ProductIntakeControls(const ProductIntakeControls&) = delete;
    ProductIntakeControls& operator=(const ProductIntakeControls&) = delete;

    // Takes the next kLinesPerStep lines of the files (or the rest of them), however many files
    // they come from; false once every file is taken. The notes get what the run is to log.
    bool takeLines(QStringList& notes);

  private:
    void show(const products::IntakeStep& step, QStringList& notes);

    QListWidget& list_;
    TextPaneView& filesPane_;
    RunRecord& record_;
    products::ProductIntake intake_;
    common::TextPane filesText_;
    qsizetype linesInPane_ = 0;
    bool listCut_ = false;
};

}  // namespace norvan::app
