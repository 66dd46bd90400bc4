#pragma once

#include <QStringList>
#include <QTreeWidget>

namespace tesvora::app {

// The directory tree of the bank choice: the current directory as a chain of open
// folders from "/" down, with the subfolders of its last node beneath it. Only a
// double-click or Enter on a node moves it; code setting the directory fires nothing.
class DirBox : public QTreeWidget {
    Q_OBJECT
public:
    explicit DirBox(QWidget* parent = nullptr);

    // The current directory: the chain joined by "/", just "/" for the top node alone.
    QString directory() const;

    // Rebuilds the tree for `path` (absolute; a missing folder still shows as a chain
    // with no subfolders) without emitting directoryChanged.
    void setDirectory(const QString& path);

signals:
    // The user moved the tree to another directory, or re-read a last node without subfolders.
    void directoryChanged();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // No connecting lines or expand buttons are drawn.
    void drawBranches(QPainter*, const QRect&, const QModelIndex&) const override { }

private:
    void activateNode(QTreeWidgetItem* node);
    void rebuild();
    void addSubfolders(QTreeWidgetItem* lastNode);

    // The chain below the top node "/", one folder name per piece.
    QStringList m_chain;
};

} // namespace tesvora::app
