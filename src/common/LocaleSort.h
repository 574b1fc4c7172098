#pragma once

#include <QString>
#include <QStringList>

namespace norvan::common {

// The user locale's linguistic order, ignoring letter case, digits one at a time (not numeric).
int localeCompare(const QString& a, const QString& b);
void localeSort(QStringList& items);

}  // namespace norvan::common
