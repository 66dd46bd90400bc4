#pragma once

#include <QListWidget>

namespace tesvora::app {

// The file list of the bank choice: the visible files of one folder, sorted ignoring
// case, at most one selected. A single click only selects; a double-click on a name
// emits nameDoubleClicked once the selection is on that name.
class FileBox : public QListWidget {
    Q_OBJECT
public:
    explicit FileBox(QWidget* parent = nullptr);

    // The folder listed; "" before the first setDirectory().
    QString directory() const { return m_directory; }

    // Lists the files of `path` (none when it is missing) and selects again the entry
    // whose name equals the one selected before, ignoring case; otherwise none.
    void setDirectory(const QString& path);

    // The selected file name without folder; "" when nothing is selected.
    QString selectedName() const;

signals:
    // The user double-clicked a name.
    void nameDoubleClicked();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QString m_directory;
};

} // namespace tesvora::app
