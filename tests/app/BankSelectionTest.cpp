#include "DirBox.h"
#include "FileBox.h"
#include "MainWindow.h"
#include "TestSupport.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using tesvora::app::DirBox;
using tesvora::app::FileBox;
using tesvora::app::MainWindow;
using tesvora::app::test::FakeDialogs;
using tesvora::app::test::makeTree;

// Choosing the bank with the directory tree and the file list, on real folders.
class BankSelectionTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void treeShowsTheChainAndItsSubfolders();
    void settingTheDirectoryFiresNothing();
    void subfolderJoinsTheChain();
    void chainNodeAboveCutsTheNodesBelow();
    void lastNodeWithSubfoldersDoesNothing();
    void lastNodeWithoutSubfoldersReadsItAgain();
    void enterActsLikeDoubleClick();
    void clicksAndArrowKeysChangeNothing();
    void missingBankFolderShowsAnEmptyChain();
    void listHoldsVisibleFilesOnlySortedIgnoringCase();
    void listKeepsTheSelectedNameAcrossFolders_data();
    void listKeepsTheSelectedNameAcrossFolders();
    void choosingANameSetsPathAndLabel();
    void changingFolderKeepsTheEarlierChoice();
    void choosingWithoutSelectionEndsWithSeparator();
    void choosingAtTheTopNodeKeepsOneSlash();

private:
    void openWindow(const QString& bankFolder);
    QTreeWidgetItem* node(const QString& text) const;
    void doubleClick(QTreeWidgetItem* item);
    void doubleClick(const QString& fileName);
    QStringList chain() const;
    QStringList subfolders() const;
    QStringList listed() const;
    QString label() const { return m_window->findChild<QLabel*>(QString::fromUtf8("标签文件名"))->text(); }

    // A fresh folder tree for every test, so no test sees what another one made.
    std::unique_ptr<QTemporaryDir> m_root;
    QString m_bankFolder;
    FakeDialogs m_dialogs;
    std::unique_ptr<MainWindow> m_window;
    DirBox* m_dirBox = nullptr;
    FileBox* m_fileBox = nullptr;
};

namespace {

QString text(const char* utf8)
{
    return QString::fromUtf8(utf8);
}

QStringList pieces(const QString& path)
{
    return QStringList { text("/") } + path.split(u'/', Qt::SkipEmptyParts);
}

} // namespace

void BankSelectionTest::init()
{
    m_root = std::make_unique<QTemporaryDir>();
    QVERIFY(m_root->isValid());
    m_bankFolder = m_root->path() + text("/Excel格式");
    QVERIFY(makeTree(m_root->path(),
        { text("top.xls"), text("Excel格式/Beta/inner.xls"), text("Excel格式/alpha/"), text("Excel格式/.cache/"),
            text("Excel格式/b.txt"), text("Excel格式/A.xls"), text("Excel格式/题库 一.xlsx"),
            text("Excel格式/.hidden.xls"), text("Excel格式/c.DOC"), text("Other/a.XLS"), text("Other/zz.xls") }));
    openWindow(m_bankFolder);
}

void BankSelectionTest::cleanup()
{
    m_window.reset();
    m_root.reset();
}

void BankSelectionTest::openWindow(const QString& bankFolder)
{
    m_window = std::make_unique<MainWindow>(bankFolder, m_dialogs);
    m_dirBox = m_window->findChild<DirBox*>(text("目录框1"));
    m_fileBox = m_window->findChild<FileBox*>(text("文件框1"));
    QVERIFY2(m_dirBox && m_fileBox, "目录框1 or 文件框1 is missing");
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
}

QTreeWidgetItem* BankSelectionTest::node(const QString& text) const
{
    const auto found = m_dirBox->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return found.size() == 1 ? found.constFirst() : nullptr;
}

void BankSelectionTest::doubleClick(QTreeWidgetItem* item)
{
    QVERIFY(item);
    const QPoint centre = m_dirBox->visualItemRect(item).center();
    QTest::mouseDClick(m_dirBox->viewport(), Qt::LeftButton, {}, centre);
}

void BankSelectionTest::doubleClick(const QString& fileName)
{
    const auto found = m_fileBox->findItems(fileName, Qt::MatchExactly);
    QCOMPARE(found.size(), 1);
    const QPoint centre = m_fileBox->visualItemRect(found.constFirst()).center();
    QTest::mouseClick(m_fileBox->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(m_fileBox->viewport(), Qt::LeftButton, {}, centre);
}

// The selected node and everything above it, top first.
QStringList BankSelectionTest::chain() const
{
    QStringList texts;
    for (QTreeWidgetItem* item = m_dirBox->currentItem(); item; item = item->parent())
        texts.prepend(item->text(0));
    return texts;
}

QStringList BankSelectionTest::subfolders() const
{
    QStringList texts;
    QTreeWidgetItem* last = m_dirBox->currentItem();
    for (int i = 0; last && i < last->childCount(); ++i)
        texts.append(last->child(i)->text(0));
    return texts;
}

QStringList BankSelectionTest::listed() const
{
    QStringList texts;
    for (int row = 0; row < m_fileBox->count(); ++row)
        texts.append(m_fileBox->item(row)->text());
    return texts;
}

void BankSelectionTest::treeShowsTheChainAndItsSubfolders()
{
    QCOMPARE(m_dirBox->directory(), m_bankFolder);
    QCOMPARE(chain(), pieces(m_bankFolder));
    QCOMPARE(subfolders(), (QStringList { text(".cache"), text("alpha"), text("Beta") }));
    QCOMPARE(m_dirBox->topLevelItemCount(), 1);
    for (QTreeWidgetItem* item = m_dirBox->currentItem(); item; item = item->parent())
        QVERIFY2(item->isExpanded(), qPrintable(item->text(0)));
    QCOMPARE(m_dirBox->selectedItems(), QList<QTreeWidgetItem*> { m_dirBox->currentItem() });
}

void BankSelectionTest::settingTheDirectoryFiresNothing()
{
    QSignalSpy changed(m_dirBox, &DirBox::directoryChanged);
    m_dirBox->setDirectory(m_root->path() + text("/Other"));
    QCOMPARE(chain(), pieces(m_root->path() + text("/Other")));
    QCOMPARE(changed.count(), 0);
    QCOMPARE(m_fileBox->directory(), m_bankFolder);
}

void BankSelectionTest::subfolderJoinsTheChain()
{
    QSignalSpy changed(m_dirBox, &DirBox::directoryChanged);
    doubleClick(node(text("Beta")));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(m_dirBox->directory(), m_bankFolder + text("/Beta"));
    QCOMPARE(chain(), pieces(m_bankFolder + text("/Beta")));
    QVERIFY(!node(text("alpha")));
    QCOMPARE(listed(), QStringList { text("inner.xls") });
}

void BankSelectionTest::chainNodeAboveCutsTheNodesBelow()
{
    QSignalSpy changed(m_dirBox, &DirBox::directoryChanged);
    doubleClick(node(QDir(m_root->path()).dirName()));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(m_dirBox->directory(), m_root->path());
    QCOMPARE(chain(), pieces(m_root->path()));
    QCOMPARE(subfolders(), (QStringList { text("Excel格式"), text("Other") }));
    QCOMPARE(listed(), QStringList { text("top.xls") });
}

void BankSelectionTest::lastNodeWithSubfoldersDoesNothing()
{
    QSignalSpy changed(m_dirBox, &DirBox::directoryChanged);
    QVERIFY(makeTree(m_bankFolder, { text("late.xls") }));
    doubleClick(node(text("Excel格式")));
    QCOMPARE(changed.count(), 0);
    QCOMPARE(subfolders(), (QStringList { text(".cache"), text("alpha"), text("Beta") }));
    QVERIFY(!listed().contains(text("late.xls")));
}

void BankSelectionTest::lastNodeWithoutSubfoldersReadsItAgain()
{
    doubleClick(node(text("alpha")));
    QCOMPARE(listed(), QStringList {});
    QVERIFY(makeTree(m_bankFolder + text("/alpha"), { text("new.xls"), text("deeper/") }));
    QSignalSpy changed(m_dirBox, &DirBox::directoryChanged);
    doubleClick(node(text("alpha")));
    QCOMPARE(changed.count(), 1);
    QCOMPARE(m_dirBox->directory(), m_bankFolder + text("/alpha"));
    QCOMPARE(subfolders(), QStringList { text("deeper") });
    QCOMPARE(listed(), QStringList { text("new.xls") });
}

void BankSelectionTest::enterActsLikeDoubleClick()
{
    m_dirBox->setFocus();
    m_dirBox->setCurrentItem(node(text("Beta")));
    QSignalSpy changed(m_dirBox, &DirBox::directoryChanged);
    QTest::keyClick(m_dirBox, Qt::Key_Return);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(m_dirBox->directory(), m_bankFolder + text("/Beta"));
    QCOMPARE(listed(), QStringList { text("inner.xls") });
}

void BankSelectionTest::clicksAndArrowKeysChangeNothing()
{
    QSignalSpy changed(m_dirBox, &DirBox::directoryChanged);
    const QStringList filesBefore = listed();
    QTest::mouseClick(m_dirBox->viewport(), Qt::LeftButton, {}, m_dirBox->visualItemRect(node(text("Beta"))).center());
    QTest::keyClick(m_dirBox, Qt::Key_Up);
    QTest::keyClick(m_dirBox, Qt::Key_Up);
    QTest::mouseClick(
        m_fileBox->viewport(), Qt::LeftButton, {}, m_fileBox->visualItemRect(m_fileBox->item(0)).center());
    QCOMPARE(changed.count(), 0);
    QCOMPARE(m_dirBox->directory(), m_bankFolder);
    QCOMPARE(listed(), filesBefore);
    QCOMPARE(m_fileBox->selectedName(), text("A.xls"));
    QCOMPARE(m_window->bankFilePath(), QString());
    QCOMPARE(label(), text("双击选择题库："));
}

void BankSelectionTest::missingBankFolderShowsAnEmptyChain()
{
    const QString missing = m_root->path() + text("/无此目录/Excel格式");
    openWindow(missing);
    QCOMPARE(chain(), pieces(missing));
    QCOMPARE(subfolders(), QStringList {});
    QCOMPARE(listed(), QStringList {});
    QVERIFY(m_dialogs.warnings.isEmpty());
}

void BankSelectionTest::listHoldsVisibleFilesOnlySortedIgnoringCase()
{
    QCOMPARE(listed(), (QStringList { text("A.xls"), text("b.txt"), text("c.DOC"), text("题库 一.xlsx") }));
    QCOMPARE(m_fileBox->selectedName(), QString());
    QCOMPARE(m_fileBox->selectionMode(), QAbstractItemView::SingleSelection);
}

void BankSelectionTest::listKeepsTheSelectedNameAcrossFolders_data()
{
    QTest::addColumn<QString>("selected");
    QTest::addColumn<QString>("folder");
    QTest::addColumn<QString>("expected");
    QTest::newRow("same name, other case") << text("A.xls") << text("Other") << text("a.XLS");
    QTest::newRow("name not there") << text("b.txt") << text("Other") << QString();
    QTest::newRow("nothing selected") << QString() << text("Other") << QString();
    QTest::newRow("same folder again") << text("c.DOC") << text("Excel格式") << text("c.DOC");
}

void BankSelectionTest::listKeepsTheSelectedNameAcrossFolders()
{
    QFETCH(QString, selected);
    QFETCH(QString, folder);
    QFETCH(QString, expected);
    const auto items = m_fileBox->findItems(selected, Qt::MatchExactly);
    m_fileBox->setCurrentItem(items.isEmpty() ? nullptr : items.constFirst());
    QCOMPARE(m_fileBox->selectedName(), selected);
    m_fileBox->setDirectory(m_root->path() + QLatin1Char('/') + folder);
    QCOMPARE(m_fileBox->selectedName(), expected);
    QCOMPARE(m_fileBox->selectedItems().size(), expected.isEmpty() ? 0 : 1);
}

void BankSelectionTest::choosingANameSetsPathAndLabel()
{
    doubleClick(text("题库 一.xlsx"));
    const QString first = m_bankFolder + text("/题库 一.xlsx");
    QCOMPARE(m_window->bankFilePath(), first);
    QCOMPARE(label(), text("被选择题库：") + first);
    doubleClick(text("A.xls"));
    QCOMPARE(m_window->bankFilePath(), m_bankFolder + text("/A.xls"));
    QCOMPARE(label(), text("被选择题库：") + m_bankFolder + text("/A.xls"));
}

void BankSelectionTest::changingFolderKeepsTheEarlierChoice()
{
    doubleClick(text("A.xls"));
    doubleClick(node(QDir(m_root->path()).dirName()));
    doubleClick(node(text("Other")));
    QCOMPARE(m_fileBox->selectedName(), QString()); // lost on the way through a folder without it
    QCOMPARE(m_window->bankFilePath(), m_bankFolder + text("/A.xls"));
    QCOMPARE(label(), text("被选择题库：") + m_bankFolder + text("/A.xls"));
    doubleClick(text("zz.xls"));
    QCOMPARE(m_window->bankFilePath(), m_root->path() + text("/Other/zz.xls"));
}

void BankSelectionTest::choosingWithoutSelectionEndsWithSeparator()
{
    m_window->ChooseBank();
    QCOMPARE(m_window->bankFilePath(), m_bankFolder + text("/"));
    QCOMPARE(label(), text("被选择题库：") + m_bankFolder + text("/"));
}

void BankSelectionTest::choosingAtTheTopNodeKeepsOneSlash()
{
    doubleClick(m_dirBox->topLevelItem(0));
    QCOMPARE(m_dirBox->directory(), text("/"));
    QCOMPARE(chain(), QStringList { text("/") });
    m_fileBox->setCurrentRow(-1);
    m_window->ChooseBank();
    QCOMPARE(m_window->bankFilePath(), text("/"));
    QCOMPARE(label(), text("被选择题库：/"));
}

QTEST_MAIN(BankSelectionTest)
#include "BankSelectionTest.moc"
