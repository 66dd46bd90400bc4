#pragma once

#include "Dialogs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringList>

#include <optional>

namespace tesvora::app::test {

// Answers the window's dialogs instead of a user and remembers what was asked.
class FakeDialogs final : public Dialogs {
public:
    void showWarning(const QString& title, const QString& text) override
    {
        warnings.append(title + QLatin1Char('|') + text);
    }
    std::optional<QString> askSaveFileName(const QString& proposedName) override
    {
        proposedNames.append(proposedName);
        return nextSaveName;
    }

    QStringList warnings;
    QStringList proposedNames;
    std::optional<QString> nextSaveName;
};

// Creates the empty files and folders named in `paths` (a trailing "/" marks a folder) under `root`;
// false when one of them could not be made.
inline bool makeTree(const QString& root, const QStringList& paths)
{
    for (const QString& path : paths) {
        const QString full = root + QLatin1Char('/') + path;
        if (!QDir().mkpath(QFileInfo(full).path()))
            return false;
        if (path.endsWith(QLatin1Char('/')))
            continue;
        QFile file(full);
        if (!file.open(QIODevice::WriteOnly))
            return false;
    }
    return true;
}

} // namespace tesvora::app::test
