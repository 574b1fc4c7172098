#pragma once

#include <QDateTime>
#include <QFile>
#include <QString>
#include <functional>

namespace norvan::orders {

// "Order_2024-05-17 14-03-22.ecom"; at exactly 00:00:00.000 the date alone
// ("Order_2024-05-17.ecom"). Copies 2, 3, ... of the same second add "_2", "_3", ...
QString orderFileName(const QDateTime& localTime, int copy = 1);

// An order file while it is written: the text goes, in Windows-1256 without byte-order mark,
// into a part file whose name the accounting program does not pick up, is made durable, and only
// then is the file given its order file name, so that the program never reads half an order.
// An existing order file is never replaced: the next copy number is taken. Every failure throws
// Error("Cannot create file \"<first name tried>\". <reason>").
class OrderFileDraft {
  public:
    // Creates the empty part file in folder; the order file will be named after time.
    OrderFileDraft(const QString& folder, const QDateTime& time);
    // Removes the part file unless it was given its name or is kept: no temporary file stays
    // behind, also when the disk is full.
    ~OrderFileDraft();
    OrderFileDraft(const OrderFileDraft&) = delete;
    OrderFileDraft& operator=(const OrderFileDraft&) = delete;

    QString partPath() const { return part_.fileName(); }
    void write(const QString& text);
    // Gives the part file the first free order file name and returns its path once the name is
    // on disk; beforeTry hears of each name before it is tried, so that a record of it can be
    // made first. A later order of the same second in the same folder starts after the copy
    // number given last, rather than trying every earlier name again.
    QString name(const std::function<void(const QString& path)>& beforeTry = {});
    bool named() const { return named_; }
    // Leaves the part file in place at the end: a record that could not be undone still names it.
    void keepPart() { kept_ = true; }

  private:
    QString folder_;
    QDateTime localTime_;
    QString firstName_;
    QFile part_;
    bool named_ = false;
    bool kept_ = false;
};

// Writes text as a new order file in folder, named after time, and returns its path.
QString writeOrderFile(const QString& folder, const QString& text, const QDateTime& time);

}  // namespace norvan::orders
