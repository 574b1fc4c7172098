#pragma once

#include <QList>
#include <QString>
#include <QStringList>

struct sqlite3;

namespace norvan::settings {

// A product line the shop has not confirmed yet. Lines with the same non-empty key (the folded
// SKU) replace each other: the newer line wins.
struct KeptProductLine {
    qint64 id = 0;  // grows with every line kept: the order in which they are sent
    QString key;
    QString line;
};

// Where kept lines come from. Lines of one source never replace each other: a file may name a
// SKU twice, and both lines are sent in their order.
struct ProductLineSource {
    QString file;  // the product file's name; empty for lines that come from no file
    // Files that sort before this one and were left waiting (still being written) when it was
    // taken: the lines they bring later for the SKUs of this one are older, and are not kept.
    QStringList waitingBefore;
    qint64 number = 0;  // given by the first keep of the source
};

// The product lines taken from product files and not yet delivered to the shop, in the table
// KeptProductLines beside Settings (created when missing). A line leaves the table only once the
// shop confirmed or refused it, so that a run cut short at any instant loses none.
class KeptProductLines {
  public:
    explicit KeptProductLines(sqlite3* db);

    // In one transaction: adds the lines in their order, each replacing the kept line of its key
    // that came from another source. A line of a file whose key a later file brought while this
    // one waited is older than that one and is left out. Returns the positions of the lines left
    // out.
    QList<qsizetype> keep(const QList<KeptProductLine>& lines, ProductLineSource& source);
    void keep(const QList<KeptProductLine>& lines);  // as a source of their own

    // Oldest first: every line, or at most `count` lines after the one numbered `id`.
    QList<KeptProductLine> lines() const;
    QList<KeptProductLine> linesAfter(qint64 id, qsizetype count) const;
    qsizetype countAfter(qint64 id) const;
    // The lines of which no kept line has the key, or for a line without key, the text.
    QList<KeptProductLine> linesNotHeld(const QList<KeptProductLine>& lines) const;
    void remove(const QList<qint64>& ids);  // in one transaction
    // Makes every line kept so far outlast a power cut; false when that failed.
    bool putOnDisk();

    // What a waiting file must not bring is forgotten once it has been taken, or is gone.
    void forgetWaitingFile(const QString& file);
    void forgetWaitingFilesBut(const QStringList& files);

  private:
    sqlite3* db_;
};

}  // namespace norvan::settings
