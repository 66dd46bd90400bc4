#include "Dialogs.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

namespace tesvora::app {

void QtDialogs::showWarning(const QString& title, const QString& text)
{
    // No owner window, yet modal for every window of the program.
    QMessageBox box(QMessageBox::NoIcon, title, text, QMessageBox::Ok);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

std::optional<QString> QtDialogs::askSaveFileName(const QString& proposedName)
{
    QFileDialog dialog(QApplication::activeWindow());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setDefaultSuffix(QStringLiteral("doc"));
    dialog.selectFile(proposedName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().constFirst();
}

} // namespace tesvora::app
