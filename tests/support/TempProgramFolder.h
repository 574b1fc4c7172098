#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QTemporaryDir>

namespace norvan::testing {

// An empty folder standing in for the program's folder (AppPath); removed with the object.
class TempProgramFolder {
  public:
    TempProgramFolder();
    // Made in `parent` instead of the temporary folder (a benchmark's folder on a chosen disk).
    explicit TempProgramFolder(const QString& parent);

    // The folder, ending with "/", as AppPath is.
    QString path() const { return path_; }
    QString filePath(const QString& name) const { return path_ + name; }
    bool isFile(const QString& name) const;

    QByteArray readBytes(const QString& name) const;  // empty when there is no such file
    void writeBytes(const QString& name, const QByteArray& bytes) const;
    void makeFolder(const QString& name) const;
    void setModified(const QString& name, const QDateTime& time) const;

  private:
    QTemporaryDir dir_;
    QString path_;
};

}  // namespace norvan::testing
