#pragma once

#include <QDateTime>
#include <QString>

namespace norvan::orders {

// "Order_2024-05-17 14-03-22.ecom"; at exactly 00:00:00.000 the date alone
// ("Order_2024-05-17.ecom"). Copies 2, 3, ... of the same second add "_2", "_3", ...
QString orderFileName(const QDateTime& localTime, int copy = 1);

// Writes text as a new order file in folder, named after time, and returns its path. The text is
// written in Windows-1256 without byte-order mark under a name the accounting program does not
// pick up, made durable, and then given its order file name, so that the program never reads a
// half-written file. An existing order file is never replaced: the next copy number is taken.
// Throws Error("Cannot create file \"<path>\". <reason>"); no temporary file stays behind.
QString writeOrderFile(const QString& folder, const QString& text, const QDateTime& time);

}  // namespace norvan::orders
