#pragma once
#include "platform/FileOpenDialog.h"

#include <QStringList>

// The file picker: Qt's own (not the desktop's) file dialog, sized for a touch screen.
// Only an existing file can be chosen; the process's current folder is left alone.
class QtFileOpenDialog : public FileOpenDialog {
public:
    std::optional<QString> choose(QWidget* parent, const Request& request) override;

    // "Text|*.A;*.B|Text2|*.C" as Qt name filters: "Text (*.A *.B *.a *.b)",
    // "Text2 (*.C *.c)". Each pattern is given in upper and lower case as well, so that
    // "*.TXT" also finds "file.txt" on a case-sensitive file system. A text without
    // patterns gets "*"; an empty filter gives no choices (every file is shown).
    static QStringList nameFilters(const QString& filter);
    // The folder the picker opens in: a Windows drive ("c:\", "C:") is the root "/", a
    // path below one ("c:\Data\Maps") the same path under "/"; an empty or missing
    // folder is "/".
    static QString startFolder(const QString& initialFolder);
};
