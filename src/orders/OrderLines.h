#pragma once

#include "common/NameValueList.h"

#include <QString>
#include <QStringList>

namespace norvan::orders {

// What the lines of an order file are built from.
struct OrderFileSource {
    common::NameValueList rows;  // the extracted order's rows (vleOrderValue)
    QStringList headFields;      // mapped header fields, in file order (lstHeadToDexar)
    QStringList itemFields;      // mapped item keys, in file order (lstItemToDexar)
    QString itemTitle;           // edtTitleWebItem
    QString itemCountText;       // edtCountItem
};

// Appends the header line, then one line per item index below the item count that has a value
// for at least one mapped key. Fields are separated by "&"; the header line is framed by "^" and
// an address value (a field holding "billing." or "shipping.") is followed by two blanks instead.
// A line break, NUL or Ctrl-Z inside a value becomes one blank, so that every value stays on its
// line.
// Throws Error("'<text>' is not a valid integer value") for a count that is not an integer,
// the header line already appended.
void GenerateCOMSTR(const OrderFileSource& source, QStringList& lines);

}  // namespace norvan::orders
