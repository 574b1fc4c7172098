#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace norvan::settings {

class SettingsDatabase;

// Where an order is on its way to the accounting program, kept in the settings database beside
// Settings (table OrderJournal, made when missing) so that a run that was cut short, or that
// failed to change the order's status, never writes the order a second time.
// An order has no entry before its file is begun and none once its status change is confirmed.
struct OrderJournalEntry {
    enum class State {
        Writing,  // partFile exists, or has been given the name orderFile
        Written,  // orderFile was written; the status change is not confirmed
    };
    State state = State::Writing;
    QString partFile;   // the file while it is written
    QString orderFile;  // its order file name, or the name it is being given
    // The shop's date_modified_gmt of the order as written: a later change in the shop (the
    // status change applied, then the order put back) makes it differ. Empty: not known.
    QString modifiedGmt;
};

class OrderJournal {
  public:
    // Makes the table when the database has none, or adds what an older table lacks; throws
    // Error with the storage layer's message.
    explicit OrderJournal(SettingsDatabase& database);

    std::optional<OrderJournalEntry> find(const QString& orderId) const;
    // On disk when it returns, so that the name is recorded before the file can have it, also
    // across a power cut.
    void recordWriting(const QString& orderId, const QString& partFile, const QString& orderFile,
                       const QString& modifiedGmt);
    void recordWritten(const QString& orderId, const QString& orderFile,
                       const QString& modifiedGmt);
    void forget(const QString& orderId);
    // The part files of every order being written.
    QStringList partFiles() const;

  private:
    void record(const QString& orderId, const OrderJournalEntry& entry);

    SettingsDatabase& database_;
};

}  // namespace norvan::settings
