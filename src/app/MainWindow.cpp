#include "MainWindow.h"

#include "DirBox.h"
#include "FileBox.h"
#include "Look.h"

#include <QCloseEvent>
#include <QLabel>
#include <QScreen>
#include <QShortcut>

#include <chrono>

// The pictures are compiled into this static library, so they must be pulled in by name.
static void initResources()
{
    Q_INIT_RESOURCE(tesvora);
}

namespace tesvora::app {

MainWindow::MainWindow(const QString& bankFolder, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent)
    , m_bankFolder(bankFolder)
    , m_dialogs(dialogs)
{
    setUpFrame();
    m_controls = createControls(this);
    applyTabOrder(m_controls);
    connectEvents();
    centreOnScreen();
    InitMainWindow();
}

void MainWindow::setUpFrame()
{
    initResources();
    setWindowTitle(QString::fromUtf8("Tesvora1.2     By：Kelmaro"));
    setWindowIcon(QIcon(QStringLiteral(":/tesvora/icon.png")));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
        | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(kClientWidth, kClientHeight);
}

void MainWindow::centreOnScreen()
{
    // Integer division truncates toward zero, so a small screen gives a negative corner.
    const QRect screenArea = screen()->geometry();
    move(screenArea.left() + (screenArea.width() - kFrameWidth) / 2,
        screenArea.top() + (screenArea.height() - kFrameHeight) / 2);
}

void MainWindow::connectEvents()
{
    // A window shortcut sees Esc whichever control has the focus.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
    connect(m_controls.dirBox, &DirBox::directoryChanged, this, &MainWindow::SyncFileList);
    connect(m_controls.fileBox, &FileBox::nameDoubleClicked, this, &MainWindow::ChooseBank);
}

void MainWindow::InitMainWindow()
{
    m_controls.dirBox->setDirectory(m_bankFolder);
    m_controls.fileBox->setDirectory(m_bankFolder);
    // Milliseconds of the monotonic clock, which on Linux counts from boot like a tick count.
    using namespace std::chrono;
    const auto ticks = duration_cast<milliseconds>(steady_clock::now().time_since_epoch());
    m_random.seed(static_cast<quint32>(ticks.count()));
    applyThemedLook();
}

void MainWindow::DisposeMainWindow()
{
    // Nothing to release yet: every press of "加入题目" ends its own bank connection.
    m_disposed = true;
    emit disposed();
}

void MainWindow::SyncFileList()
{
    m_controls.fileBox->setDirectory(m_controls.dirBox->directory());
}

void MainWindow::ChooseBank()
{
    QString directory = m_controls.dirBox->directory();
    if (!directory.endsWith(QLatin1Char('/')))
        directory += QLatin1Char('/');
    m_bankFilePath = directory + m_controls.fileBox->selectedName();
    m_controls.fileNameLabel->setText(QString::fromUtf8("被选择题库：") + m_bankFilePath);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!m_disposed)
        DisposeMainWindow();
    event->accept();
}

} // namespace tesvora::app
