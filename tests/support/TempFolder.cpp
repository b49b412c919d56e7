#include "support/TempFolder.h"

#include <QFile>

void TempFolder::write(const QString& name, const QByteArray& bytes) const
{
    QFile file(this->file(name));
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

QByteArray TempFolder::read(const QString& name) const
{
    QFile file(this->file(name));
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool TempFolder::exists(const QString& name) const
{
    return QFile::exists(file(name));
}
