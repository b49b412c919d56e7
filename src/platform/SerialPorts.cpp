#include "platform/SerialPort.h"
#include "platform/SerialPortScan.h"

#include <QDir>
#include <QRegularExpression>
#include <algorithm>

namespace {

// Natural order: names that differ only in a number at the end compare by its value.
bool naturalLess(const QString& a, const QString& b)
{
    static const QRegularExpression tail(QStringLiteral("^(.*?)0*(\\d+)$"));
    const QRegularExpressionMatch ma = tail.match(a);
    const QRegularExpressionMatch mb = tail.match(b);
    if (ma.hasMatch() && mb.hasMatch() && ma.captured(1) == mb.captured(1)) {
        const QString na = ma.captured(2), nb = mb.captured(2);
        if (na.size() != nb.size())
            return na.size() < nb.size();
        if (na != nb)
            return na < nb;
    }
    return a < b;
}

QStringList entries(const QString& folder, const QStringList& patterns)
{
    const QDir dir(folder);
    QStringList names = dir.entryList(patterns, QDir::Files | QDir::System | QDir::NoDotAndDotDot);
    std::sort(names.begin(), names.end(), naturalLess);
    QStringList paths;
    for (const QString& name : names)
        paths << dir.filePath(name);
    return paths;
}

} // namespace

namespace SerialPorts {

QString devicePath(const QString& name)
{
    if (name.startsWith(QLatin1Char('/')))
        return name;
    static const QRegularExpression com(QStringLiteral("^COM(\\d+)$"),
                                        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch match = com.match(name);
    if (!match.hasMatch())
        return {};
    bool ok = false;
    const int number = match.captured(1).toInt(&ok);
    if (!ok || number < 1)
        return {};
    return QStringLiteral("/dev/ttyS%1").arg(number - 1);
}

QStringList devicesUnder(const QString& devRoot)
{
    const QDir root(devRoot);
    QStringList found;
    found << entries(devRoot, {QStringLiteral("ttyUSB*")});
    found << entries(devRoot, {QStringLiteral("ttyACM*")});
    found << entries(devRoot, {QStringLiteral("rfcomm*")});
    found << entries(root.filePath(QStringLiteral("serial/by-id")), {QStringLiteral("*")});
    found.removeDuplicates();
    return found;
}

QStringList offeredNames()
{
    QStringList names;
    for (int n = 1; n <= 10; ++n)
        names << QStringLiteral("COM%1").arg(n);
    for (const QString& device : devicesUnder(QStringLiteral("/dev")))
        if (!names.contains(device))
            names << device;
    return names;
}

} // namespace SerialPorts
