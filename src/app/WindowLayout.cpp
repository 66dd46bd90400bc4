#include "WindowLayout.h"

#include "DirBox.h"
#include "FileBox.h"
#include "PaperBox.h"
#include "PaperText.h"
#include "SettingBox.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>

namespace tesvora::app {

namespace {

enum class Kind { Label, Button, Picture, AnyTextBox, NumberBox, Group, Dirs, Files, Paper };
// Labels not named otherwise are plain: black, left-aligned, one line, vertically centred.
enum class LabelLook { Plain, RedCentredWrapped, BlackWrapped, RedLine };

struct Row {
    const char* name;
    Kind kind;
    int left, top, width, height;
    const char* text;
    LabelLook look = LabelLook::Plain;
};

// Font heights in pixels: A for the hint and file-name labels, B for setting boxes, C for the paper.
constexpr int kFontA = 16;
constexpr int kFontB = 21;
constexpr int kFontC = 19;

const Row kLayout[] = {
    { "标签6", Kind::Label, 6, 710, 576, 32, "提示：使用本软件前请先关闭其他excel表格，避免文件损坏",
        LabelLook::RedCentredWrapped },
    { "按钮去答案", Kind::Button, 352, 656, 80, 40, "删除答案" },
    { "图片框1", Kind::Picture, 24, 542, 160, 168, "" },
    { "按钮保存", Kind::Button, 480, 656, 88, 40, "保存" },
    { "标签5", Kind::Label, 8, 496, 576, 32, "提示：设置表头所在行主要为寻找正确答案，表头中务必包括“正确答案”四字",
        LabelLook::BlackWrapped },
    { "按钮重置", Kind::Button, 480, 600, 88, 40, "重置" },
    { "标签4", Kind::Label, 200, 424, 384, 32, "提示：有多个表请自己选择表格，默认第一张表格" },
    { "编辑框表格", Kind::AnyTextBox, 120, 416, 72, 40, "1" },
    { "标签3", Kind::Label, 24, 416, 72, 40, "表格选择：" },
    { "标签2", Kind::Label, 200, 328, 384, 32, "提示：默认为1可以不填" },
    { "编辑框表头", Kind::NumberBox, 120, 328, 72, 37, "1" },
    { "标签1", Kind::Label, 24, 328, 80, 32, "表头所在行：" },
    { "文件框1", Kind::Files, 234, 31, 318, 225, "" },
    { "目录框1", Kind::Dirs, 17, 31, 208, 225, "" },
    { "分组框1", Kind::Group, 8, 3, 552, 272, "题库选择" },
    { "标签文件名", Kind::Label, 22, 288, 536, 32, "双击选择题库：", LabelLook::RedLine },
    { "按钮加题", Kind::Button, 480, 544, 88, 40, "加入题目" },
    { "标签题目数", Kind::Label, 24, 371, 72, 32, "抽题数量：" },
    { "编辑框题目数", Kind::NumberBox, 120, 371, 72, 37, "5" },
    { "编辑框1", Kind::Paper, 600, 16, 592, 720, "" },
};

void setPixelFont(QWidget* widget, int pixels)
{
    QFont font = widget->font();
    font.setPixelSize(pixels);
    widget->setFont(font);
}

QWidget* makeLabel(const Row& row)
{
    auto* label = new QLabel(QString::fromUtf8(row.text));
    label->setTextFormat(Qt::PlainText);
    const bool red = row.look == LabelLook::RedCentredWrapped || row.look == LabelLook::RedLine;
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, red ? QColor(255, 0, 0) : QColor(0, 0, 0));
    label->setPalette(palette);
    const bool wrapped = row.look == LabelLook::RedCentredWrapped || row.look == LabelLook::BlackWrapped;
    label->setWordWrap(wrapped);
    const Qt::Alignment across = row.look == LabelLook::RedCentredWrapped ? Qt::AlignHCenter : Qt::AlignLeft;
    label->setAlignment(across | (wrapped ? Qt::AlignTop : Qt::AlignVCenter));
    if (row.look != LabelLook::Plain)
        setPixelFont(label, kFontA);
    return label;
}

QWidget* makePicture()
{
    auto* picture = new QLabel;
    picture->setPixmap(QPixmap(QStringLiteral(":/tesvora/paper.jpg")));
    picture->setScaledContents(true); // stretched to the box, aspect ratio not kept
    return picture;
}

QWidget* makeButton(const Row& row)
{
    auto* button = new QPushButton(QString::fromUtf8(row.text));
    button->setAutoDefault(false); // Enter presses no button
    button->setDefault(false);
    return button;
}

QWidget* makeSettingBox(const Row& row)
{
    const auto typing = row.kind == Kind::NumberBox ? SettingBox::Typing::DigitsAndMinus : SettingBox::Typing::Anything;
    auto* box = new SettingBox(typing);
    box->setMaxLength(2);
    box->setAlignment(Qt::AlignCenter);
    box->setText(QString::fromUtf8(row.text));
    setPixelFont(box, kFontB);
    return box;
}

QWidget* makePaperBox()
{
    auto* paper = new PaperBox;
    setPixelFont(paper, kFontC);
    paper->setPaperText(tesvora::paper::kPaperTemplate);
    return paper;
}

QWidget* makeControl(const Row& row)
{
    switch (row.kind) {
    case Kind::Label:
        return makeLabel(row);
    case Kind::Button:
        return makeButton(row);
    case Kind::Picture:
        return makePicture();
    case Kind::AnyTextBox:
    case Kind::NumberBox:
        return makeSettingBox(row);
    case Kind::Group:
        return new QGroupBox(QString::fromUtf8(row.text));
    case Kind::Dirs:
        return new DirBox;
    case Kind::Files:
        return new FileBox;
    case Kind::Paper:
        return makePaperBox();
    }
    return nullptr;
}

template <typename T> T* control(QWidget* window, const char* name)
{
    T* found = window->findChild<T*>(QString::fromUtf8(name), Qt::FindDirectChildrenOnly);
    Q_ASSERT_X(found, "createControls", name);
    return found;
}

} // namespace

Controls createControls(QWidget* window)
{
    for (const Row& row : kLayout) {
        QWidget* widget = makeControl(row);
        widget->setObjectName(QString::fromUtf8(row.name));
        widget->setParent(window);
        widget->setGeometry(row.left, row.top, row.width, row.height);
        widget->lower(); // the first row stays on top
    }
    return Controls { control<QLabel>(window, "标签文件名"), control<DirBox>(window, "目录框1"),
        control<FileBox>(window, "文件框1"), control<SettingBox>(window, "编辑框表头"),
        control<SettingBox>(window, "编辑框题目数"), control<SettingBox>(window, "编辑框表格"),
        control<PaperBox>(window, "编辑框1"), control<QPushButton>(window, "按钮加题"),
        control<QPushButton>(window, "按钮去答案"), control<QPushButton>(window, "按钮重置"),
        control<QPushButton>(window, "按钮保存") };
}

void applyTabOrder(const Controls& c)
{
    QWidget* const order[] = { c.paperBox, c.questionCountBox, c.addQuestionsButton, c.dirBox, c.fileBox,
        c.headerRowBox, c.sheetBox, c.resetButton, c.saveButton, c.removeAnswersButton };
    for (std::size_t i = 0; i + 1 < std::size(order); ++i)
        QWidget::setTabOrder(order[i], order[i + 1]);
}

} // namespace tesvora::app
