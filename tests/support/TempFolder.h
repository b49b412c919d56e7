#pragma once
#include <QByteArray>
#include <QString>
#include <QTemporaryDir>
#include "support/QtPrinters.h"

// A temporary program folder for one test.
class TempFolder {
public:
    QString path() const { return m_dir.path(); }
    QString file(const QString& name) const { return m_dir.filePath(name); }
    void write(const QString& name, const QByteArray& bytes) const;
    QByteArray read(const QString& name) const;
    bool exists(const QString& name) const;

private:
    QTemporaryDir m_dir;
};
