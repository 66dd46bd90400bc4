#include "Dialogs.h"
#include "MainWindow.h"

#include <QApplication>
#include <QDir>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QString programDir = QCoreApplication::applicationDirPath();
    QDir::setCurrent(programDir);
    tesvora::app::QtDialogs dialogs;
    tesvora::app::MainWindow window(programDir + QDir::separator() + QString::fromUtf8("Excel格式"), dialogs);
    window.show();
    app.exec();
    return 0;
}
