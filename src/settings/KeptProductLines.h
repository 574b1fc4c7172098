#pragma once

#include <QList>
#include <QString>

struct sqlite3;

namespace norvan::settings {

// A product line the shop has not confirmed yet. Lines with the same non-empty key (the folded
// SKU) replace each other: the newer line wins.
struct KeptProductLine {
    qint64 id = 0;  // grows with every line kept: the order in which they are sent
    QString key;
    QString line;
};

// The product lines taken from product files and not yet delivered to the shop, in the table
// KeptProductLines beside Settings (created when missing). A line leaves the table only once the
// shop confirmed or refused it, so that a run cut short at any instant loses none.
class KeptProductLines {
  public:
    explicit KeptProductLines(sqlite3* db);

    // In one transaction: drops the kept lines whose keys these lines bring again, then adds
    // these lines in their order (lines of one batch never replace each other).
    void keep(const QList<KeptProductLine>& lines);
    QList<KeptProductLine> lines() const;   // oldest first
    void remove(const QList<qint64>& ids);  // in one transaction

  private:
    sqlite3* db_;
};

}  // namespace norvan::settings
