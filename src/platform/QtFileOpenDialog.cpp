#include "platform/QtFileOpenDialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QRegularExpression>
#include <QScreen>

QStringList QtFileOpenDialog::nameFilters(const QString& filter)
{
    QStringList result;
    const QStringList parts = filter.split(QLatin1Char('|'));
    if (filter.trimmed().isEmpty())
        return result;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        const QString text = parts.at(i).trimmed();
        QStringList patterns;
        if (i + 1 < parts.size()) {
            for (const QString& raw : parts.at(i + 1).split(QLatin1Char(';'))) {
                const QString pattern = raw.trimmed();
                if (pattern.isEmpty())
                    continue;
                for (const QString& variant : {pattern, pattern.toUpper(), pattern.toLower()})
                    if (!patterns.contains(variant))
                        patterns << variant;
            }
        }
        if (patterns.isEmpty())
            patterns << QStringLiteral("*");
        // Qt takes the patterns from the last parentheses, so TEXT may hold its own.
        result << (text.isEmpty() ? QString() : text + QLatin1Char(' '))
                + QLatin1Char('(') + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return result;
}

QString QtFileOpenDialog::startFolder(const QString& initialFolder)
{
    QString folder = initialFolder.trimmed();
    static const QRegularExpression drive(QStringLiteral("^[A-Za-z]:(?=[\\\\/]|$)"));
    if (drive.match(folder).hasMatch()) {
        folder = folder.mid(2);
        folder.replace(QLatin1Char('\\'), QLatin1Char('/'));
        if (!folder.startsWith(QLatin1Char('/')))
            folder.prepend(QLatin1Char('/'));
    }
    if (folder.isEmpty())
        return QStringLiteral("/");
    const QFileInfo info(folder);
    if (!info.isDir())
        return QStringLiteral("/");
    return QDir::cleanPath(info.absoluteFilePath());
}

std::optional<QString> QtFileOpenDialog::choose(QWidget* parent, const Request& request)
{
    QFileDialog dialog(parent, request.title, startFolder(request.initialFolder));
    dialog.setOptions(QFileDialog::DontUseNativeDialog | QFileDialog::HideNameFilterDetails
                      | QFileDialog::ReadOnly);
    dialog.setFileMode(request.mustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setViewMode(QFileDialog::List);
    const QStringList filters = nameFilters(request.filter);
    if (!filters.isEmpty()) {
        dialog.setNameFilters(filters);
        dialog.selectNameFilter(filters.first());
    }

    // Big enough for a finger, never larger than the screen it is shown on.
    QSize size(760, 540);
    const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    if (screen)
        size = size.boundedTo(screen->availableGeometry().size());
    dialog.resize(size);

    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QStringList chosen = dialog.selectedFiles();
    if (chosen.isEmpty())
        return std::nullopt;
    return QFileInfo(chosen.first()).absoluteFilePath();
}
