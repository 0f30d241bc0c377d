#pragma once

#include <QPlainTextEdit>

namespace talvex::qt {

// A text box whose text breaks lines with CR LF, as the window's texts do, both for the
// program and for whatever the user copies out of it; inside, Qt keeps its own paragraphs.
class TextBox final : public QPlainTextEdit {
public:
    explicit TextBox(QWidget* parent);

    [[nodiscard]] QString crlfText() const;
    void setCrlfText(const QString& text);

protected:
    [[nodiscard]] QMimeData* createMimeDataFromSelection() const override;
};

} // namespace talvex::qt
