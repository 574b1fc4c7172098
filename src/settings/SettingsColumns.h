#pragma once

#include "SettingsRow.h"

#include <QString>
#include <array>

namespace norvan::settings {

// Who writes a column of the table Settings.
enum class ColumnWriter {
    Save,          // the settings page's Save button
    OrderMapping,  // the order field mapping's Save button
    Nobody,        // read at start only
};

// One column of the table Settings, bound to its field of SettingsRow. A text column has a
// declared length; a boolean column has length 0 and a flag field instead of a text field.
struct SettingsColumn {
    const char* name;
    int maxLength;
    ColumnWriter writer;
    QString SettingsRow::*text = nullptr;
    bool SettingsRow::*flag = nullptr;

    bool isBoolean() const { return flag != nullptr; }
    QString declaredType() const;  // "NVARCHAR(200)" or "BOOLEAN"
};

// The columns in table order: the one place where names, types and lengths are defined.
inline const std::array<SettingsColumn, 14> kSettingsColumns{{
    {"TokenURL", 200, ColumnWriter::Save, &SettingsRow::tokenUrl},
    {"EComURL", 200, ColumnWriter::Save, &SettingsRow::ecomUrl},
    {"SiteUser", 150, ColumnWriter::Save, &SettingsRow::siteUser},
    {"SitePass", 150, ColumnWriter::Save, &SettingsRow::sitePass},
    {"ProdRes", 150, ColumnWriter::Save, &SettingsRow::prodRes},
    {"OrderRes", 150, ColumnWriter::Save, &SettingsRow::orderRes},
    {"ProdParams", 1000, ColumnWriter::Nobody, &SettingsRow::prodParams},
    {"OrdParams", 1000, ColumnWriter::OrderMapping, &SettingsRow::ordParams},
    {"itemParams", 1000, ColumnWriter::OrderMapping, &SettingsRow::itemParams},
    {"itemTitle", 100, ColumnWriter::Save, &SettingsRow::itemTitle},
    {"Automatic", 0, ColumnWriter::Save, nullptr, &SettingsRow::automatic},
    {"StatusAz", 100, ColumnWriter::Save, &SettingsRow::statusAz},
    {"StatusTo", 100, ColumnWriter::Save, &SettingsRow::statusTo},
    {"ConsKey", 0, ColumnWriter::Save, nullptr, &SettingsRow::consKey},
}};

// The text as a column of maxLength characters (UTF-16 units) stores it: the rest is dropped,
// and so is a surrogate half the cut would leave behind, which no encoding could store.
QString cutToLength(const QString& text, int maxLength);

}  // namespace norvan::settings
