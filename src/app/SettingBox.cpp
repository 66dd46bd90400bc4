#include "SettingBox.h"

#include <QKeyEvent>

namespace tesvora::app {

SettingBox::SettingBox(Typing typing, QWidget* parent)
    : QLineEdit(parent)
    , m_typing(typing)
{
}

bool SettingBox::accepts(const QString& typed) const
{
    if (m_typing == Typing::Anything)
        return true;
    for (const QChar c : typed) {
        const bool allowed = (c >= u'0' && c <= u'9') || c == u'-';
        if (c.isPrint() && !allowed)
            return false;
    }
    return true;
}

void SettingBox::keyPressEvent(QKeyEvent* event)
{
    // Shortcuts such as Ctrl+V are control keys, not typed characters: they pass.
    const bool shortcut = event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier);
    if (!shortcut && !accepts(event->text())) {
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void SettingBox::inputMethodEvent(QInputMethodEvent* event)
{
    // Characters committed by an input method count as typed too.
    if (!accepts(event->commitString())) {
        event->accept();
        return;
    }
    QLineEdit::inputMethodEvent(event);
}

} // namespace tesvora::app
