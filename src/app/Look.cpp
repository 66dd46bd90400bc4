#include "Look.h"

#include <QApplication>

namespace tesvora::app {

namespace {

// One application style sheet reaches every window, message boxes and file dialogs included.
constexpr const char* kThemedLook = R"(
QPushButton {
    border: 1px solid rgb(123, 158, 189);
    border-radius: 3px;
    padding: 3px 10px;
    color: black;
    background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffffff, stop:1 #d6e3ef);
}
QPushButton:hover { background: qlineargradient(x1:0, y1:0, x2:0, y2:1, stop:0 #ffffff, stop:1 #bcd3ea); }
QPushButton:pressed { background: #a9c4df; }
QPushButton:focus { border: 2px solid rgb(123, 158, 189); }
QPushButton:disabled { color: #8c8c8c; }
QLineEdit, QPlainTextEdit, QTextEdit, QComboBox, QSpinBox, QDoubleSpinBox {
    border: 1px solid rgb(123, 158, 189);
    background: white;
    color: black;
}
QLineEdit:focus, QPlainTextEdit:focus, QTextEdit:focus { border: 1px solid rgb(60, 110, 160); }
QCheckBox::indicator, QRadioButton::indicator {
    border: 1px solid rgb(123, 158, 189);
    background: white;
    width: 12px;
    height: 12px;
}
QCheckBox::indicator:checked, QRadioButton::indicator:checked { background: rgb(123, 158, 189); }
QRadioButton::indicator { border-radius: 6px; }
QGroupBox {
    border: 1px solid rgb(123, 158, 189);
    border-radius: 4px;
    margin-top: 8px;
}
QGroupBox::title {
    subcontrol-origin: margin;
    subcontrol-position: top left;
    left: 8px;
    padding: 0 3px;
    color: black;
}
)";

} // namespace

void applyThemedLook()
{
    qApp->setStyleSheet(QString::fromUtf8(kThemedLook));
}

} // namespace tesvora::app
