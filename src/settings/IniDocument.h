#pragma once

#include "common/CodePage.h"

#include <QString>
#include <QStringList>

namespace norvan::settings {

// The lines of an INI file, read and changed as the Windows profile functions do: section and
// key names ignore letter case and surrounding blanks, the first matching section and key count,
// and every other line stays as it is.
class IniDocument {
  public:
    static constexpr int kMaxValueLength = 2047;

    // A missing or unreadable file gives an empty document.
    static IniDocument load(const QString& fileName);

    // The trimmed value without one pair of enclosing quotes, at most kMaxValueLength
    // characters; empty when the section or key is absent.
    QString value(const QString& section, const QString& key) const;
    // Replaces the key's line, or adds it at the end of its section, adding the section at the
    // end of the file when there is none.
    void setValue(const QString& section, const QString& key, const QString& value);
    // Removes the key's line; false when there was none.
    bool remove(const QString& section, const QString& key);

    // Replaces the file as a whole (a temporary file renamed over it), in the encoding it was
    // read in, or the accounting program's code page for a new file. Throws
    // Error("Unable to write to <full path>").
    void save(const QString& fileName) const;

  private:
    int sectionLine(const QString& section) const;  // index of the header line, or -1
    int sectionEnd(int headerLine) const;           // the next header line, or the line count
    int keyLine(int headerLine, const QString& key) const;

    QStringList lines_;
    common::TextEncoding encoding_ = common::TextEncoding::Ansi;
};

}  // namespace norvan::settings
