#include "PaperBox.h"

namespace tesvora::app {

PaperBox::PaperBox(QWidget* parent)
    : QPlainTextEdit(parent)
{
    setLineWrapMode(WidgetWidth);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Tab moves to the next control rather than typing a tab character.
    setTabChangesFocus(true);
}

std::string PaperBox::paperText() const
{
    QString text = toPlainText();
    text.replace(QLatin1Char('\n'), QLatin1String("\r\n"));
    return text.toStdString();
}

void PaperBox::setPaperText(std::string_view text)
{
    QString widgetText = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    widgetText.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    setPlainText(widgetText);
}

} // namespace tesvora::app
