#include "DirBox.h"

#include <QDir>
#include <QKeyEvent>
#include <QStyle>

namespace tesvora::app {

namespace {

// Chain nodes carry their depth (0 for "/"); subfolder nodes carry kSubfolder.
constexpr int kDepthRole = Qt::UserRole;
constexpr int kSubfolder = -1;

int depthOf(const QTreeWidgetItem* node)
{
    return node->data(0, kDepthRole).toInt();
}

} // namespace

DirBox::DirBox(QWidget* parent)
    : QTreeWidget(parent)
{
    setHeaderHidden(true);
    setRootIsDecorated(false);
    setItemsExpandable(false);
    setExpandsOnDoubleClick(false);
    setEditTriggers(NoEditTriggers);
    setSelectionMode(SingleSelection);
    setDragEnabled(false);
    setIndentation(12);
}

QString DirBox::directory() const
{
    return QLatin1Char('/') + m_chain.join(QLatin1Char('/'));
}

void DirBox::setDirectory(const QString& path)
{
    m_chain = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    rebuild();
}

void DirBox::rebuild()
{
    clear();
    const QIcon openIcon = style()->standardIcon(QStyle::SP_DirOpenIcon);
    QTreeWidgetItem* node = new QTreeWidgetItem(this, { QStringLiteral("/") });
    node->setData(0, kDepthRole, 0);
    node->setIcon(0, openIcon);
    for (int depth = 1; depth <= m_chain.size(); ++depth) {
        node = new QTreeWidgetItem(node, { m_chain.at(depth - 1) });
        node->setData(0, kDepthRole, depth);
        node->setIcon(0, openIcon);
    }
    addSubfolders(node);
    expandAll();
    setCurrentItem(node);
}

void DirBox::addSubfolders(QTreeWidgetItem* lastNode)
{
    const QIcon closedIcon = style()->standardIcon(QStyle::SP_DirClosedIcon);
    const auto filters = QDir::Dirs | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
    for (const QString& name : QDir(directory()).entryList(filters, QDir::Name | QDir::IgnoreCase)) {
        auto* folder = new QTreeWidgetItem(lastNode, { name });
        folder->setData(0, kDepthRole, kSubfolder);
        folder->setIcon(0, closedIcon);
    }
}

void DirBox::activateNode(QTreeWidgetItem* node)
{
    const int depth = depthOf(node);
    if (depth == kSubfolder)
        m_chain.append(node->text(0));
    else if (depth < m_chain.size())
        m_chain = m_chain.mid(0, depth);
    else if (node->childCount() > 0)
        return; // the last node already lists its subfolders
    rebuild();
    emit directoryChanged();
}

void DirBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    // Handled here rather than through activated(), which some styles send on a single click.
    if (QTreeWidgetItem* node = itemAt(event->position().toPoint()))
        activateNode(node);
}

void DirBox::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && currentItem())
        activateNode(currentItem());
    else
        QTreeWidget::keyPressEvent(event);
}

} // namespace tesvora::app
