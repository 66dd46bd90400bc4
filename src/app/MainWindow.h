#pragma once

#include "RandomSource.h"
#include "WindowLayout.h"

#include <QWidget>

namespace tesvora::app {

class Dialogs;

// The program's one window: the bank choice on the left, the paper on the right.
// It owns the values the operations share, bankFilePath and questionCounter.
class MainWindow : public QWidget {
    Q_OBJECT
public:
    // A window whose tree and list start in `bankFolder`; every modal dialog goes through `dialogs`.
    MainWindow(const QString& bankFolder, Dialogs& dialogs, QWidget* parent = nullptr);

    // The full path of the chosen bank file; "" until a name in the file list is double-clicked.
    QString bankFilePath() const { return m_bankFilePath; }

    // The number of the last question put on the paper; 0 at start.
    qint32 questionCounter() const { return m_questionCounter; }

    // Points the tree and the list at the bank folder, seeds the random source, switches on the look.
    void InitMainWindow();
    // Runs once as the window closes, before its controls go.
    void DisposeMainWindow();
    // Makes the file list follow the tree's directory.
    void SyncFileList();
    // Makes the tree's directory and the list's selected name the bank, and shows that path.
    void ChooseBank();

signals:
    // DisposeMainWindow has run.
    void disposed();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void setUpFrame();
    void centreOnScreen();
    void connectEvents();

    QString m_bankFolder;
    Dialogs& m_dialogs;
    Controls m_controls;
    tesvora::bank::RandomSource m_random;
    QString m_bankFilePath;
    qint32 m_questionCounter = 0;
    bool m_disposed = false;
};

} // namespace tesvora::app
