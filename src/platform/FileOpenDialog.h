#pragma once
#include <QString>
#include <optional>

class QWidget;

// The platform's file-open dialog. The chosen file and its folder must exist.
class FileOpenDialog {
public:
    struct Request {
        QString title;
        // Choices as "What the user sees|*.A;*.B|Other choice|*.C"; the first is active.
        QString filter;
        QString initialFolder;
    };
    virtual ~FileOpenDialog() = default;
    // The chosen file's full path, or nothing when the user cancelled.
    virtual std::optional<QString> choose(QWidget* parent, const Request& request) = 0;
};
