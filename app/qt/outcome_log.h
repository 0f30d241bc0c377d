#pragma once

#include <QString>
#include <QWidget>

namespace talvex::qt {

// What a button's command did, for a screen reader to say while the focus stays on the button.
// Qt 6.4 has no announcement of its own, and its bridge to AT-SPI sends a changed name or
// description without the new text, so Orca says nothing of it. Text added to an object under
// the focused control, and selected there, Orca reads out as it arrives: the log is such an
// object, hidden, its outcomes one per line, the newest selected.
class OutcomeLog final : public QWidget {
public:
    // Under `button`, from now on told in its accessible children.
    explicit OutcomeLog(QWidget& button);

    // Appends `outcome` and tells the screen reader.
    void tell(const QString& outcome);

    [[nodiscard]] const QString& text() const { return text_; }
    // Where the newest outcome starts; from there to the end is selected.
    [[nodiscard]] qsizetype newest() const { return newest_; }

private:
    QString text_;
    qsizetype newest_ = 0;
};

} // namespace talvex::qt
