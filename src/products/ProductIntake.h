#pragma once

#include "common/TextFileReader.h"
#include "settings/KeptProductLines.h"
#include "shop/RetryPolicy.h"

#include <QString>
#include <QStringList>
#include <chrono>
#include <optional>

namespace norvan::products {

// The lines an intake reads and keeps at a time: memory stays within a few steps whatever the
// size of the files, and the lines are kept in transactions of a step.
inline constexpr qsizetype kLinesPerStep = 20000;
// A product file is complete once its size and modification time stayed the same across two
// looks this far apart, whatever its date says: a clock set back, or a file from a machine whose
// clock is ahead, must not keep it waiting.
inline constexpr std::chrono::milliseconds kCompleteFileLooksApart{2000};

// The product lines as the product run keeps them: each under its SKU (see skuKey).
QList<settings::KeptProductLine> keptLinesOf(const QStringList& lines);

// Keeps product lines for the product run, each under its SKU (see skuKey), as lines of `source`
// (see KeptProductLines::keep) or as a source of their own. Returns the positions of the lines
// left out.
QList<qsizetype> keepProductLines(settings::KeptProductLines& kept, const QStringList& lines,
                                  settings::ProductLineSource& source);
void keepProductLines(settings::KeptProductLines& kept, const QStringList& lines);

// What one step of an intake took, from one file.
struct IntakeStep {
    QString file;           // the file's name
    QStringList lines;      // every line read, empty ones too, each cut to 4,096 characters
    QStringList kept;       // its non-empty lines now kept, in their order
    qsizetype leftOut = 0;  // non-empty lines older than a later file's line of their SKU
};

// One intake of the product folder (productFolder): the files complete when it begins are taken
// in the order of their names (letter case ignored, digits one at a time), a later file's line
// for a SKU replacing an earlier one's. A file is taken in steps of kLinesPerStep lines, and is
// deleted once all its lines are kept, so that no line is ever only in memory. A file that was
// still being written is left for a later intake without holding the others back; a later
// file's lines for a SKU then stay the newest, also once the file left behind is taken.
class ProductIntake {
  public:
    // Looks at the files twice, kCompleteFileLooksApart apart (pause lets the window's events
    // run meanwhile). No folder: nothing to take.
    ProductIntake(const QString& appPath, settings::KeptProductLines& kept,
                  const shop::Pause& pause);

    bool hasFilesToTake() const { return !files_.isEmpty(); }
    // The names of the files left because they were still being written, in name order.
    const QStringList& filesLeft() const { return filesLeft_; }

    // Reads up to kLinesPerStep lines of the file being taken, keeps the non-empty ones and
    // deletes the file once its last lines are kept. Nothing once every file is taken. Throws
    // Error when a file cannot be read (it stays for a later intake) or the lines cannot be
    // kept.
    std::optional<IntakeStep> takeStep();

  private:
    struct File {
        QString path;
        settings::ProductLineSource source;
    };

    void finishFile(const File& file);

    settings::KeptProductLines& kept_;
    QList<File> files_;  // complete, in name order; those before next_ are taken
    qsizetype next_ = 0;
    QStringList filesLeft_;
    std::optional<common::TextFileReader> reader_;  // on files_[next_], once begun
};

}  // namespace norvan::products
