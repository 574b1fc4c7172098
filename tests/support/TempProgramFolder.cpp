#include "TempProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <stdexcept>

namespace norvan::testing {

TempProgramFolder::TempProgramFolder() : path_(dir_.path() + u'/') {
    if (!dir_.isValid()) throw std::runtime_error("cannot make a temporary folder");
}

TempProgramFolder::TempProgramFolder(const QString& parent)
    : dir_(parent + QStringLiteral("/norvan-XXXXXX")), path_(dir_.path() + u'/') {
    if (!dir_.isValid())
        throw std::runtime_error("cannot make a folder in " + parent.toStdString());
}

bool TempProgramFolder::isFile(const QString& name) const {
    return QFileInfo(filePath(name)).isFile();
}

QByteArray TempProgramFolder::readBytes(const QString& name) const {
    QFile file(filePath(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void TempProgramFolder::writeBytes(const QString& name, const QByteArray& bytes) const {
    QFile file(filePath(name));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write " + filePath(name).toStdString());
}

void TempProgramFolder::makeFolder(const QString& name) const {
    if (!QDir().mkpath(filePath(name)))
        throw std::runtime_error("cannot make " + filePath(name).toStdString());
}

void TempProgramFolder::setModified(const QString& name, const QDateTime& time) const {
    QFile file(filePath(name));
    if (!file.open(QIODevice::ReadWrite) ||
        !file.setFileTime(time, QFileDevice::FileModificationTime))
        throw std::runtime_error("cannot set the time of " + filePath(name).toStdString());
}

}  // namespace norvan::testing
