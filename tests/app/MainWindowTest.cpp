#include "MainWindow.h"
#include "PaperBox.h"
#include "PaperText.h"
#include "TestSupport.h"

#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include <memory>

using tesvora::app::MainWindow;
using tesvora::app::test::FakeDialogs;

// The main window as the user meets it: layout, start values, keyboard and look.
class MainWindowTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startsWithEmptyChoiceAndTemplate();
    void framesAFixedCentredWindow();
    void placesEveryControl_data();
    void placesEveryControl();
    void stacksEarlierControlsOnTop();
    void setsFontsAndColours_data();
    void setsFontsAndColours();
    void showsThePictureStretched();
    void filtersTypedCharacters_data();
    void filtersTypedCharacters();
    void letsPastedTextThrough();
    void cyclesFocusWithTab();
    void closesOnEscapeFromAnyControl_data();
    void closesOnEscapeFromAnyControl();
    void startsANewLineOnEnterAndPressesNoButton();
    void drawsButtonsAndEditBoxesBlueEverywhere();

private:
    template <typename T> T* control(const char* name) const
    {
        return m_window->findChild<T*>(QString::fromUtf8(name));
    }
    void showAndActivate();

    std::unique_ptr<QTemporaryDir> m_root;
    QString m_bankFolder;
    FakeDialogs m_dialogs;
    std::unique_ptr<MainWindow> m_window;
};

namespace {

// Every control of the window with its kind and its place; also the order they are created in.
struct LayoutRow {
    const char* name;
    const char* className;
    QRect rect;
};

const LayoutRow kLayout[] = {
    { "标签6", "QLabel", { 6, 710, 576, 32 } },
    { "按钮去答案", "QPushButton", { 352, 656, 80, 40 } },
    { "图片框1", "QLabel", { 24, 542, 160, 168 } },
    { "按钮保存", "QPushButton", { 480, 656, 88, 40 } },
    { "标签5", "QLabel", { 8, 496, 576, 32 } },
    { "按钮重置", "QPushButton", { 480, 600, 88, 40 } },
    { "标签4", "QLabel", { 200, 424, 384, 32 } },
    { "编辑框表格", "tesvora::app::SettingBox", { 120, 416, 72, 40 } },
    { "标签3", "QLabel", { 24, 416, 72, 40 } },
    { "标签2", "QLabel", { 200, 328, 384, 32 } },
    { "编辑框表头", "tesvora::app::SettingBox", { 120, 328, 72, 37 } },
    { "标签1", "QLabel", { 24, 328, 80, 32 } },
    { "文件框1", "tesvora::app::FileBox", { 234, 31, 318, 225 } },
    { "目录框1", "tesvora::app::DirBox", { 17, 31, 208, 225 } },
    { "分组框1", "QGroupBox", { 8, 3, 552, 272 } },
    { "标签文件名", "QLabel", { 22, 288, 536, 32 } },
    { "按钮加题", "QPushButton", { 480, 544, 88, 40 } },
    { "标签题目数", "QLabel", { 24, 371, 72, 32 } },
    { "编辑框题目数", "tesvora::app::SettingBox", { 120, 371, 72, 37 } },
    { "编辑框1", "tesvora::app::PaperBox", { 600, 16, 592, 720 } },
};

const char* const kTabOrder[] = { "编辑框1", "编辑框题目数", "按钮加题", "目录框1", "文件框1", "编辑框表头",
    "编辑框表格", "按钮重置", "按钮保存", "按钮去答案" };

QString text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

// Types `typed` key by key; unlike QTest::keyClicks it also takes characters outside ASCII.
void type(QWidget* widget, const QString& typed)
{
    for (const QChar c : typed)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

} // namespace

void MainWindowTest::init()
{
    m_root = std::make_unique<QTemporaryDir>();
    QVERIFY(m_root->isValid());
    m_bankFolder = m_root->path() + text("/Excel格式");
    QVERIFY(tesvora::app::test::makeTree(m_bankFolder, { text("题库.xls"), text("b.csv") }));
    m_window = std::make_unique<MainWindow>(m_bankFolder, m_dialogs);
    for (const LayoutRow& row : kLayout)
        QVERIFY2(control<QWidget>(row.name), qPrintable(text("control %1 is missing").arg(text(row.name))));
}

void MainWindowTest::cleanup()
{
    m_window.reset();
    m_root.reset();
}

void MainWindowTest::showAndActivate()
{
    m_window->show();
    m_window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
}

void MainWindowTest::startsWithEmptyChoiceAndTemplate()
{
    QCOMPARE(control<QLabel>("标签文件名")->text(), text("双击选择题库："));
    QCOMPARE(m_window->bankFilePath(), QString());
    QCOMPARE(m_window->questionCounter(), 0);
    auto* dirBox = control<QTreeWidget>("目录框1");
    QCOMPARE(dirBox->currentItem()->text(0), text("Excel格式"));
    auto* fileBox = control<QListWidget>("文件框1");
    QCOMPARE(fileBox->count(), 2);
    QCOMPARE(fileBox->item(1)->text(), text("题库.xls"));
    const std::string_view paperTemplate = tesvora::paper::kPaperTemplate;
    auto* paper = control<tesvora::app::PaperBox>("编辑框1");
    QCOMPARE(paper->toPlainText(),
        QString::fromUtf8(paperTemplate.data(), paperTemplate.size()).replace(text("\r\n"), text("\n")));
    // Back in the core's form the CR LF line ends return, byte for byte.
    QCOMPARE(QByteArray::fromStdString(paper->paperText()), QByteArray(paperTemplate.data(), paperTemplate.size()));
    QCOMPARE(control<QLineEdit>("编辑框表头")->text(), text("1"));
    QCOMPARE(control<QLineEdit>("编辑框题目数")->text(), text("5"));
    QCOMPARE(control<QLineEdit>("编辑框表格")->text(), text("1"));
    QVERIFY(m_dialogs.warnings.isEmpty());
}

void MainWindowTest::framesAFixedCentredWindow()
{
    QCOMPARE(m_window->windowTitle(), text("Tesvora1.2     By：Kelmaro"));
    QCOMPARE(m_window->size(), QSize(1201, 746));
    QCOMPARE(m_window->minimumSize(), m_window->maximumSize());
    const Qt::WindowFlags flags = m_window->windowFlags();
    QVERIFY(flags.testFlag(Qt::WindowMinimizeButtonHint));
    QVERIFY(flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowMaximizeButtonHint));
    QVERIFY(!m_window->windowIcon().isNull());
    // Truncating division, so a screen smaller than the window gives a negative corner.
    const QRect screen = m_window->screen()->geometry();
    QCOMPARE(m_window->pos(),
        QPoint(screen.left() + (screen.width() - 1207) / 2, screen.top() + (screen.height() - 769) / 2));
}

void MainWindowTest::placesEveryControl_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("className");
    QTest::addColumn<QRect>("rect");
    for (const LayoutRow& row : kLayout)
        QTest::newRow(row.name) << text(row.name) << text(row.className) << row.rect;
}

void MainWindowTest::placesEveryControl()
{
    QFETCH(QString, name);
    QFETCH(QString, className);
    QFETCH(QRect, rect);
    auto* widget = m_window->findChild<QWidget*>(name);
    QCOMPARE(text(widget->metaObject()->className()), className);
    QCOMPARE(widget->parentWidget(), m_window.get());
    QCOMPARE(widget->geometry(), rect);
    QVERIFY(QRect(0, 0, 1201, 746).contains(rect));
}

void MainWindowTest::stacksEarlierControlsOnTop()
{
    // Among siblings the later child is drawn on top, so table order must run backwards.
    QList<QWidget*> stacking;
    for (QObject* child : m_window->children()) {
        if (auto* widget = qobject_cast<QWidget*>(child))
            stacking.prepend(widget);
    }
    QStringList topDown;
    for (QWidget* widget : stacking)
        topDown.append(widget->objectName());
    QStringList expected;
    for (const LayoutRow& row : kLayout)
        expected.append(text(row.name));
    QCOMPARE(topDown, expected);
}

void MainWindowTest::setsFontsAndColours_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("pixelSize");
    QTest::addColumn<QColor>("colour");
    QTest::addColumn<int>("alignment");
    QTest::addColumn<bool>("wrapped");
    const QColor red(255, 0, 0);
    const QColor black(0, 0, 0);
    const int leftCentred = Qt::AlignLeft | Qt::AlignVCenter;
    QTest::newRow("warning at the bottom")
        << text("标签6") << 16 << red << int(Qt::AlignHCenter | Qt::AlignTop) << true;
    QTest::newRow("answer heading hint") << text("标签5") << 16 << black << int(Qt::AlignLeft | Qt::AlignTop) << true;
    QTest::newRow("chosen bank") << text("标签文件名") << 16 << red << leftCentred << false;
    QTest::newRow("plain caption") << text("标签1") << -1 << black << leftCentred << false;
    QTest::newRow("plain hint") << text("标签4") << -1 << black << leftCentred << false;
}

void MainWindowTest::setsFontsAndColours()
{
    QFETCH(QString, name);
    QFETCH(int, pixelSize);
    QFETCH(QColor, colour);
    QFETCH(int, alignment);
    QFETCH(bool, wrapped);
    auto* label = m_window->findChild<QLabel*>(name);
    QCOMPARE(label->font().pixelSize(), pixelSize);
    QCOMPARE(label->palette().color(QPalette::WindowText), colour);
    QCOMPARE(int(label->alignment()), alignment);
    QCOMPARE(label->wordWrap(), wrapped);
    QCOMPARE(label->focusPolicy(), Qt::NoFocus);
}

void MainWindowTest::showsThePictureStretched()
{
    auto* picture = control<QLabel>("图片框1");
    QCOMPARE(picture->pixmap().size(), QSize(258, 258));
    QVERIFY(picture->hasScaledContents());
    QCOMPARE(picture->frameShape(), QFrame::NoFrame);
    for (const char* box : { "编辑框表头", "编辑框题目数", "编辑框表格" })
        QCOMPARE(control<QLineEdit>(box)->font().pixelSize(), 21);
    QCOMPARE(control<QPlainTextEdit>("编辑框1")->font().pixelSize(), 19);
}

void MainWindowTest::filtersTypedCharacters_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");
    QTest::newRow("header row takes digits") << text("编辑框表头") << text("42") << text("42");
    QTest::newRow("header row takes minus") << text("编辑框表头") << text("-3") << text("-3");
    QTest::newRow("header row refuses letters") << text("编辑框表头") << text("a7b") << text("7");
    QTest::newRow("count refuses full-width digit") << text("编辑框题目数") << text("３4") << text("4");
    QTest::newRow("count refuses plus and space") << text("编辑框题目数") << text("+ 9") << text("9");
    QTest::newRow("count keeps two characters") << text("编辑框题目数") << text("123") << text("12");
    QTest::newRow("sheet takes letters") << text("编辑框表格") << text("ab") << text("ab");
    QTest::newRow("sheet keeps two characters") << text("编辑框表格") << text("表格1") << text("表格");
}

void MainWindowTest::filtersTypedCharacters()
{
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    auto* edit = m_window->findChild<QLineEdit*>(box);
    edit->clear();
    type(edit, typed);
    QCOMPARE(edit->text(), expected);
    QCOMPARE(edit->alignment(), Qt::AlignCenter);
}

void MainWindowTest::letsPastedTextThrough()
{
    auto* edit = control<QLineEdit>("编辑框表头");
    edit->clear();
    QGuiApplication::clipboard()->setText(text("ab"));
    QTest::keyClick(edit, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(edit->text(), text("ab"));
    // Backspace is a control key and passes the filter too.
    QTest::keyClick(edit, Qt::Key_Backspace);
    QCOMPARE(edit->text(), text("a"));
}

void MainWindowTest::cyclesFocusWithTab()
{
    showAndActivate();
    control<QWidget>(kTabOrder[0])->setFocus();
    const int count = int(std::size(kTabOrder));
    for (int step = 1; step <= count; ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), text(kTabOrder[step % count]));
    }
    for (int step = count - 1; step >= 0; --step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget()->objectName(), text(kTabOrder[step]));
    }
}

void MainWindowTest::closesOnEscapeFromAnyControl_data()
{
    QTest::addColumn<QString>("name");
    for (const char* name : { "编辑框1", "编辑框表头", "目录框1", "文件框1", "按钮保存" })
        QTest::newRow(name) << text(name);
}

void MainWindowTest::closesOnEscapeFromAnyControl()
{
    QFETCH(QString, name);
    showAndActivate();
    QSignalSpy disposed(m_window.get(), &MainWindow::disposed);
    QWidget* focus = m_window->findChild<QWidget*>(name);
    focus->setFocus();
    QCOMPARE(QApplication::focusWidget(), focus);
    QTest::keyClick(focus, Qt::Key_Escape);
    QVERIFY(!m_window->isVisible());
    QCOMPARE(disposed.count(), 1);
}

void MainWindowTest::startsANewLineOnEnterAndPressesNoButton()
{
    showAndActivate();
    QList<std::shared_ptr<QSignalSpy>> clicks;
    for (QPushButton* button : m_window->findChildren<QPushButton*>())
        clicks.append(std::make_shared<QSignalSpy>(button, &QPushButton::clicked));
    QCOMPARE(clicks.size(), 4);
    auto* paper = control<QPlainTextEdit>("编辑框1");
    paper->setFocus();
    paper->moveCursor(QTextCursor::End);
    const int lines = paper->blockCount();
    QTest::keyClick(paper, Qt::Key_Return);
    QCOMPARE(paper->blockCount(), lines + 1);
    control<QWidget>("编辑框表头")->setFocus();
    QTest::keyClick(control<QLineEdit>("编辑框表头"), Qt::Key_Return);
    QCOMPARE(QApplication::focusWidget(), control<QWidget>("编辑框表头"));
    for (const auto& spy : clicks)
        QCOMPARE(spy->count(), 0);
}

void MainWindowTest::drawsButtonsAndEditBoxesBlueEverywhere()
{
    // Widgets outside the window stand for dialogs opened later: the look must reach them too.
    const QColor frame(123, 158, 189);
    QPushButton button(text("确定"));
    button.resize(80, 30);
    QLineEdit edit;
    edit.resize(80, 30);
    QListWidget list;
    list.resize(80, 30);
    QCOMPARE(button.grab().toImage().pixelColor(40, 0), frame);
    QCOMPARE(edit.grab().toImage().pixelColor(40, 0), frame);
    QVERIFY(list.grab().toImage().pixelColor(40, 0) != frame);
}

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
