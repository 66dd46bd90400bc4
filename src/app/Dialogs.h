#pragma once

#include <QString>

#include <optional>

namespace tesvora::app {

// Every modal dialog the window opens goes through this seam, so tests can answer
// instead of a user and never block on a real modal window.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // Shows `text` under `title` with one OK button and no icon; returns once it is dismissed.
    virtual void showWarning(const QString& title, const QString& text) = 0;

    // Asks where to save, starting from `proposedName`; the chosen full path, or nothing when cancelled.
    virtual std::optional<QString> askSaveFileName(const QString& proposedName) = 0;
};

// The real dialogs: a message box and the platform's save dialog, both modal for the whole program.
class QtDialogs final : public Dialogs {
public:
    void showWarning(const QString& title, const QString& text) override;
    std::optional<QString> askSaveFileName(const QString& proposedName) override;
};

} // namespace tesvora::app
