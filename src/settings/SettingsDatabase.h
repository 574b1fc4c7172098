#pragma once

#include "SettingsFiles.h"
#include "SettingsRow.h"

#include <QString>
#include <functional>
#include <memory>
#include <optional>

struct sqlite3;

namespace norvan::settings {

enum class ColumnWriter;
class FolderLock;

// The encrypted settings database EcomDB.s3db with its table Settings.
class SettingsDatabase {
  public:
    static constexpr const char* kFileName = kDatabaseFileName;

    // Opens the database at path, creating it (encrypted, with an empty table) when no file of
    // that name exists or the file has zero bytes. A creation is placed whole or not at all;
    // what a killed creation left is removed. Any other existing file is never recreated or
    // overwritten. Throws Error when the file cannot be read (saying what is wrong with it) or
    // cannot be made; a failed creation leaves no file behind.
    explicit SettingsDatabase(const QString& path);
    ~SettingsDatabase();
    SettingsDatabase(const SettingsDatabase&) = delete;
    SettingsDatabase& operator=(const SettingsDatabase&) = delete;

    // The first row in storage order, if any.
    std::optional<SettingsRow> firstRow() const;
    bool hasRow() const { return firstRow().has_value(); }

    // Save: writes every column but ProdParams, OrdParams and itemParams into the first row,
    // inserting it when there is none. Texts are cut to their declared lengths.
    void saveSettings(const SettingsRow& row);
    // The order mapping (OrdParams, itemParams) of the first row. Returns false, writing
    // nothing, when there is no row.
    bool saveOrderMapping(const QString& ordParams, const QString& itemParams);

    // The open connection, for the tables that live beside Settings in the same file (what
    // was delivered to the accounting program and the shop). Its commits are safe against a
    // killed program but reach the disk only with a later checkpoint or durable write: a power
    // cut may undo the last of them, never corrupt the file.
    sqlite3* connection() const { return db_.get(); }

    // Runs write (one or more commits on connection()) so that, once it returns, those commits
    // and every earlier one are on disk: for a record that must survive a power cut before the
    // program acts on it.
    void writeDurably(const std::function<void()>& write);

  private:
    struct Closer {
        void operator()(sqlite3* db) const;
    };

    void connect(const QString& path);  // opens an existing file and keys it
    void open(const QString& path);     // connects and checks that the table can be read
    void create(const QString& path, const FolderLock& lock);
    // Makes the file partPath with the empty table and closes it; errors name path.
    void makeEmptyDatabase(const QString& partPath, const QString& path);
    bool writeColumns(ColumnWriter writer, const SettingsRow& row, bool insertWhenMissing);
    void useWriteAheadLog();

    std::unique_ptr<sqlite3, Closer> db_;
    bool writeAheadLog_ = false;  // else the rollback journal, every commit synced
};

}  // namespace norvan::settings
