#include "ProductIntake.h"

#include "ProductFile.h"
#include "ProductRows.h"
#include "common/LocaleSort.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

namespace norvan::products {

namespace {

// What one look at a file sees. A broken link is there too: its read then fails loudly.
struct Look {
    bool present = false;
    qint64 size = 0;
    QDateTime modified;

    bool operator==(const Look&) const = default;
};

Look lookAt(const QString& path) {
    const QFileInfo info(path);
    return {info.exists() || info.isSymLink(), info.size(), info.lastModified()};
}

}  // namespace

QList<settings::KeptProductLine> keptLinesOf(const QStringList& lines) {
    QList<settings::KeptProductLine> keptLines;
    keptLines.reserve(lines.size());
    for (const QString& line : lines) keptLines.append({0, skuKey(line), line});
    return keptLines;
}

QList<qsizetype> keepProductLines(settings::KeptProductLines& kept, const QStringList& lines,
                                  settings::ProductLineSource& source) {
    return kept.keep(keptLinesOf(lines), source);
}

void keepProductLines(settings::KeptProductLines& kept, const QStringList& lines) {
    settings::ProductLineSource source;
    keepProductLines(kept, lines, source);
}

ProductIntake::ProductIntake(const QString& appPath, settings::KeptProductLines& kept,
                             const shop::Pause& pause)
    : kept_(kept) {
    const QString folder = productFolder(appPath);
    if (!QFileInfo(folder).isDir()) return;
    QStringList paths = FindFiles(folder, QStringLiteral("*.ecom"));
    common::localeSort(paths);
    QStringList names;
    for (const QString& path : paths) names.append(QFileInfo(path).fileName());
    kept_.forgetWaitingFilesBut(names);
    if (paths.isEmpty()) return;

    // Nothing stops the accounting program's writes, and a file's date may lie (a clock set
    // back, a machine whose clock is ahead): a file is complete when it stays as it was.
    QList<Look> first;
    for (const QString& path : paths) first.append(lookAt(path));
    pause(kCompleteFileLooksApart);
    for (qsizetype i = 0; i < paths.size(); ++i) {
        const Look second = lookAt(paths.at(i));
        if (!second.present) continue;  // taken away meanwhile
        if (second != first.at(i)) {
            filesLeft_.append(names.at(i));
            continue;
        }
        // The files left so far sort before this one: its SKUs are newer than theirs.
        files_.append({paths.at(i), {names.at(i), filesLeft_, 0}});
    }
}

std::optional<IntakeStep> ProductIntake::takeStep() {
    if (next_ == files_.size()) return std::nullopt;
    File& file = files_[next_];
    if (!reader_) reader_.emplace(file.path);
    IntakeStep step;
    step.file = file.source.file;
    step.lines = reader_->readLines(kLinesPerStep);
    QStringList nonEmpty;
    for (const QString& line : std::as_const(step.lines))
        if (!line.isEmpty()) nonEmpty.append(line);
    const QList<qsizetype> leftOut = keepProductLines(kept_, nonEmpty, file.source);
    step.leftOut = leftOut.size();
    step.kept = nonEmpty;
    for (auto i = leftOut.crbegin(); i != leftOut.crend(); ++i) step.kept.removeAt(*i);
    if (step.lines.size() < kLinesPerStep) finishFile(file);
    return step;
}

void ProductIntake::finishFile(const File& file) {
    reader_.reset();
    ++next_;
    // The file goes only once its lines are on disk: after a power cut one or the other is there.
    // A file that is not deleted is simply taken again by the next intake; its lines then
    // replace themselves. What it must not bring stays remembered until it is gone.
    if (!kept_.putOnDisk()) return;
    if (QFile::remove(file.path) || !QFileInfo::exists(file.path))
        kept_.forgetWaitingFile(file.source.file);
}

}  // namespace norvan::products
