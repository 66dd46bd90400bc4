#pragma once

#include <QLineEdit>

namespace tesvora::app {

// A one-line setting box whose typing can be limited to the digits and "-".
// Only typed characters are filtered: control keys and pasted text pass.
class SettingBox : public QLineEdit {
    Q_OBJECT
public:
    enum class Typing { Anything, DigitsAndMinus };

    explicit SettingBox(Typing typing, QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    // Whether every character of `typed` may be entered in this box; true for "".
    bool accepts(const QString& typed) const;

    Typing m_typing;
};

} // namespace tesvora::app
