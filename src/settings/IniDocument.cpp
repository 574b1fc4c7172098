#include "IniDocument.h"

#include "common/Error.h"
#include "common/TextLines.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <optional>

namespace norvan::settings {

namespace {

std::optional<QString> sectionNameOf(const QString& line) {
    const QString trimmed = line.trimmed();
    if (!trimmed.startsWith(u'[')) return std::nullopt;
    const qsizetype close = trimmed.lastIndexOf(u']');
    return trimmed.mid(1, close > 0 ? close - 1 : -1).trimmed();
}

std::optional<QString> keyNameOf(const QString& line) {
    const qsizetype equals = line.indexOf(u'=');
    if (equals < 0 || sectionNameOf(line)) return std::nullopt;
    return line.left(equals).trimmed();
}

bool sameName(const QString& a, const QString& b) {
    return a.compare(b.trimmed(), Qt::CaseInsensitive) == 0;
}

QString withoutEnclosingQuotes(const QString& value) {
    const bool quoted = value.size() >= 2 && value.front() == value.back() &&
                        (value.front() == u'"' || value.front() == u'\'');
    return quoted ? value.mid(1, value.size() - 2) : value;
}

}  // namespace

IniDocument IniDocument::load(const QString& fileName) {
    IniDocument document;
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly)) return document;
    const common::DecodedText decoded = common::decodeText(file.readAll());
    document.lines_ = common::splitLines(decoded.text);
    document.encoding_ = decoded.encoding;
    return document;
}

QString IniDocument::value(const QString& section, const QString& key) const {
    const int line = keyLine(sectionLine(section), key);
    if (line < 0) return {};
    const QString& text = lines_.at(line);
    const QString value = text.mid(text.indexOf(u'=') + 1).trimmed();
    return withoutEnclosingQuotes(value).left(kMaxValueLength);
}

void IniDocument::setValue(const QString& section, const QString& key, const QString& value) {
    int header = sectionLine(section);
    if (header < 0) {
        // A blank line parts the new section from the text before it.
        if (!lines_.isEmpty() && !lines_.last().trimmed().isEmpty()) lines_.append(QString());
        lines_.append(u'[' + section.trimmed() + u']');
        header = int(lines_.size()) - 1;
    }
    const int existing = keyLine(header, key);
    if (existing >= 0) {
        lines_[existing] = *keyNameOf(lines_.at(existing)) + u'=' + value;
        return;
    }
    // After the section's last non-blank line, so that blank lines before the next section stay.
    int insertAt = sectionEnd(header);
    while (insertAt > header + 1 && lines_.at(insertAt - 1).trimmed().isEmpty()) --insertAt;
    lines_.insert(insertAt, key.trimmed() + u'=' + value);
}

bool IniDocument::remove(const QString& section, const QString& key) {
    const int line = keyLine(sectionLine(section), key);
    if (line < 0) return false;
    lines_.removeAt(line);
    return true;
}

void IniDocument::save(const QString& fileName) const {
    QSaveFile file(fileName);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(common::encodeText(common::joinLines(lines_), encoding_)) < 0 ||
        !file.commit()) {
        throw Error(QStringLiteral("Unable to write to %1")
                        .arg(QDir::toNativeSeparators(QFileInfo(fileName).absoluteFilePath())));
    }
}

int IniDocument::sectionLine(const QString& section) const {
    for (int i = 0; i < int(lines_.size()); ++i) {
        const std::optional<QString> name = sectionNameOf(lines_.at(i));
        if (name && sameName(*name, section)) return i;
    }
    return -1;
}

int IniDocument::sectionEnd(int headerLine) const {
    int line = headerLine + 1;
    while (line < int(lines_.size()) && !sectionNameOf(lines_.at(line))) ++line;
    return line;
}

int IniDocument::keyLine(int headerLine, const QString& key) const {
    if (headerLine < 0) return -1;
    const int end = sectionEnd(headerLine);
    for (int i = headerLine + 1; i < end; ++i) {
        const std::optional<QString> name = keyNameOf(lines_.at(i));
        if (name && sameName(*name, key)) return i;
    }
    return -1;
}

}  // namespace norvan::settings
