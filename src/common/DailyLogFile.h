#pragma once

#include "Clock.h"

#include <QByteArray>
#include <QDate>
#include <QFile>
#include <QString>
#include <QStringList>

namespace norvan::common {

// The lasting record of the runs: one UTF-8 text file a day, <folder>/<yyyy-MM-dd>.log, each line
// "<yyyy-MM-dd HH:mm:ss.zzz> <run> <source>: <text>" ending with CR LF. The folder is made by the
// first entry. The first entry of each day removes the files whose name dates them more than
// kKeptDays before that day; other files in the folder are left alone. An entry that cannot be
// written is skipped and the run goes on: the first failure of a series is reported on stderr.
// The day's file stays open from one entry to the next (each entry is flushed to it at once), as
// opening it for every line of a run would cost more than the line; whether it is still there is
// asked once a second and after a failed write. Main thread only.
class DailyLogFile {
  public:
    static constexpr int kKeptDays = 30;

    DailyLogFile(QString folder, Clock clock);

    // A text of several lines gives one file line for each, every one with the same head.
    void append(const QString& run, const QString& source, const QString& text) noexcept;
    // The texts in their order, as appended one by one within one millisecond: one head for all
    // and one write, where a write for each would cost more than its entry.
    void append(const QString& run, const QString& source, const QStringList& texts) noexcept;

    QString filePath(const QDate& day) const;
    // The last entry was not written; failure() says why.
    bool failing() const { return failing_; }
    const QString& failure() const { return failure_; }

  private:
    QString timeStamp(const QDateTime& now);  // yyyy-MM-dd HH:mm:ss.zzz
    void removeOldFiles(const QDate& today) const;
    bool openFileOf(const QDate& day);
    void write(const QByteArray& bytes);  // into the file of the day of the last stamp
    void reportFailure(const QString& reason);

    QString folder_;
    Clock clock_;
    QDate cleanedOn_;  // the day whose first entry removed the old files
    QDate stampDay_;   // the second of secondText_
    int stampSecond_ = -1;
    QString secondText_;
    QFile file_;  // open on the file of fileDay_ after a written entry
    QDate fileDay_;
    int checkedSecond_ = -1;  // the second of fileDay_ in which file_ was last found still there
    bool failing_ = false;    // the last entry was not written; reported already
    QString failure_;
};

}  // namespace norvan::common
