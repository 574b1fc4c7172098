#include "DailyLogFile.h"

#include "TextLines.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

namespace norvan::common {

namespace {

const QString kDayFormat = QStringLiteral("yyyy-MM-dd");
const QString kSecondFormat = QStringLiteral("yyyy-MM-dd HH:mm:ss.");

}  // namespace

DailyLogFile::DailyLogFile(QString folder, Clock clock)
    : folder_(std::move(folder)), clock_(std::move(clock)) {}

QString DailyLogFile::filePath(const QDate& day) const {
    return QDir(folder_).filePath(day.toString(kDayFormat) + QStringLiteral(".log"));
}

void DailyLogFile::append(const QString& run, const QString& source, const QString& text) noexcept {
    append(run, source, QStringList{text});
}

void DailyLogFile::append(const QString& run, const QString& source,
                          const QStringList& texts) noexcept {
    if (texts.isEmpty()) return;
    try {
        const QDateTime now = clock_();
        if (now.date() != cleanedOn_) {
            removeOldFiles(now.date());
            cleanedOn_ = now.date();
        }
        const QString head = timeStamp(now) + u' ' + run + u' ' + source + QStringLiteral(": ");
        QString entries;
        for (const QString& text : texts) {
            QStringList lines = splitLines(text);
            if (lines.isEmpty()) lines.append(QString());  // an empty pane line is a line too
            for (const QString& line : lines) entries += head + line + QStringLiteral("\r\n");
        }
        write(entries.toUtf8());
    } catch (const std::exception& error) {
        reportFailure(QString::fromUtf8(error.what()));
    }
}

// A run writes many entries a second, and formatting a date and time costs more than the rest
// of an entry: the text up to the second is made again only when the second changes.
QString DailyLogFile::timeStamp(const QDateTime& now) {
    const int second = now.time().msecsSinceStartOfDay() / 1000;
    if (now.date() != stampDay_ || second != stampSecond_) {
        secondText_ = now.toString(kSecondFormat);
        stampDay_ = now.date();
        stampSecond_ = second;
    }
    return secondText_ + QString::number(now.time().msec()).rightJustified(3, u'0');
}

void DailyLogFile::removeOldFiles(const QDate& today) const {
    const QDate oldestKept = today.addDays(-kKeptDays);
    const QFileInfoList files = QDir(folder_).entryInfoList({QStringLiteral("*.log")}, QDir::Files);
    for (const QFileInfo& file : files) {
        const QDate day = QDate::fromString(file.completeBaseName(), kDayFormat);
        if (day.isValid() && day < oldestKept) QFile::remove(file.filePath());
    }
}

// The open file serves while it is the day's and still there. Whether it is still there is asked
// once a second (the stamp's second), not for every entry, which would cost more than the entry:
// a file or folder removed while the program runs is made again by the first entry of a later
// second, or by the entry after a write that failed.
bool DailyLogFile::openFileOf(const QDate& day) {
    if (file_.isOpen() && day == fileDay_) {
        if (stampSecond_ == checkedSecond_) return true;
        checkedSecond_ = stampSecond_;
        if (QFileInfo::exists(file_.fileName())) return true;
    }
    file_.close();
    if (!QDir().mkpath(folder_)) {
        reportFailure(QStringLiteral("cannot make the folder %1").arg(folder_));
        return false;
    }
    file_.setFileName(filePath(day));
    if (day != fileDay_) checkedSecond_ = -1;  // a second of another day's file
    fileDay_ = day;
    if (!file_.open(QIODevice::WriteOnly | QIODevice::Append)) {
        reportFailure(file_.fileName() + QStringLiteral(": ") + file_.errorString());
        return false;
    }
    return true;
}

void DailyLogFile::write(const QByteArray& bytes) {
    if (!openFileOf(stampDay_)) return;
    if (file_.write(bytes) != bytes.size() || !file_.flush()) {
        reportFailure(file_.fileName() + QStringLiteral(": ") + file_.errorString());
        file_.close();  // the next entry opens it again
        return;
    }
    failing_ = false;
}

void DailyLogFile::reportFailure(const QString& reason) {
    failure_ = reason;
    if (!failing_)
        qWarning("The run log is not written (%s); the runs go on without it.",
                 qUtf8Printable(reason));
    failing_ = true;
}

}  // namespace norvan::common
