#pragma once

class QLabel;
class QPushButton;
class QWidget;

namespace tesvora::app {

class DirBox;
class FileBox;
class PaperBox;
class SettingBox;

// The controls the window works with after creating them.
struct Controls {
    QLabel* fileNameLabel;
    DirBox* dirBox;
    FileBox* fileBox;
    SettingBox* headerRowBox;
    SettingBox* questionCountBox;
    SettingBox* sheetBox;
    PaperBox* paperBox;
    QPushButton* addQuestionsButton;
    QPushButton* removeAnswersButton;
    QPushButton* resetButton;
    QPushButton* saveButton;
};

// Client-area size of the main window; every control lies inside it.
constexpr int kClientWidth = 1201;
constexpr int kClientHeight = 746;
// The window with its frame and title bar, used to centre it on the screen.
constexpr int kFrameWidth = 1207;
constexpr int kFrameHeight = 769;

// Creates every control of the window in layout order, each at its place with its start
// text, font and colours, each carrying its layout name as object name. Earlier controls
// stack on top of later ones. Returns the controls the window needs.
Controls createControls(QWidget* window);

// Sets the Tab order, which wraps around after the last control.
void applyTabOrder(const Controls& controls);

} // namespace tesvora::app
