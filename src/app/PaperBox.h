#pragma once

#include <QPlainTextEdit>

#include <string>
#include <string_view>

namespace tesvora::app {

// The paper text box. The core keeps the paper as UTF-8 with CR LF line ends while the
// widget holds "\n"; the conversion happens here and nowhere else.
class PaperBox : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit PaperBox(QWidget* parent = nullptr);

    // The paper as the core keeps it: UTF-8, every line end CR LF; "" for an empty box.
    std::string paperText() const;

    // Replaces the whole paper with `text` (UTF-8, CR LF or LF line ends).
    void setPaperText(std::string_view text);
};

} // namespace tesvora::app
