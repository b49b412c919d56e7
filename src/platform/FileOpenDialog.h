#pragma once
#include <QString>
#include <optional>

class QWidget;

// The platform's file-open dialog.
class FileOpenDialog {
public:
    struct Request {
        QString title;
        // Choices as "What the user sees|*.A;*.B|Other choice|*.C"; the first is active.
        QString filter;
        QString initialFolder;
        // Whether only an existing file may be chosen.
        bool mustExist = true;
    };
    virtual ~FileOpenDialog() = default;
    // The chosen file's full path, or nothing when the user cancelled.
    virtual std::optional<QString> choose(QWidget* parent, const Request& request) = 0;
};
