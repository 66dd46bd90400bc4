#include "FileBox.h"

#include <QDir>
#include <QMouseEvent>

namespace tesvora::app {

FileBox::FileBox(QWidget* parent)
    : QListWidget(parent)
{
    setSelectionMode(SingleSelection);
    setEditTriggers(NoEditTriggers);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
}

void FileBox::setDirectory(const QString& path)
{
    const QString previous = selectedName();
    m_directory = path;
    clear();
    // Without QDir::Hidden, names starting with "." are left out; folders never come in.
    addItems(QDir(path).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase));
    for (int row = 0; row < count() && !previous.isEmpty(); ++row) {
        if (item(row)->text().compare(previous, Qt::CaseInsensitive) == 0) {
            setCurrentRow(row);
            return;
        }
    }
    setCurrentRow(-1);
}

QString FileBox::selectedName() const
{
    const QList<QListWidgetItem*> selected = selectedItems();
    return selected.isEmpty() ? QString() : selected.constFirst()->text();
}

void FileBox::mouseDoubleClickEvent(QMouseEvent* event)
{
    // The presses before the double-click have already moved the selection.
    QListWidget::mouseDoubleClickEvent(event);
    if (itemAt(event->position().toPoint()))
        emit nameDoubleClicked();
}

} // namespace tesvora::app
