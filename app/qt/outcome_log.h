#pragma once

#include <QString>
#include <QWidget>

namespace talvex::qt {

// What a button's command did, for a screen reader to say while the focus stays on the button.
// Qt 6.4 has no announcement of its own, and its bridge to AT-SPI sends a changed name or
// description without the new text, so Orca says nothing of it. Text added to an object under
// the focused control, and selected there, Orca reads out as it arrives: the log is such an
// object, hidden, its newest outcome first and selected. A PIN is a secret: the log keeps no
// earlier outcome once it has told the newest, and the logs of the other buttons are cleared.
class OutcomeLog final : public QWidget {
public:
    // Under `button`, from now on told in its accessible children.
    explicit OutcomeLog(QWidget& button);

    // Tells the screen reader `outcome`, which takes the place of what was told before.
    void tell(const QString& outcome);
    // Forgets everything told.
    void clear();

    [[nodiscard]] const QString& text() const { return text_; }
    // How long the newest outcome is, from the start; that much is selected.
    [[nodiscard]] qsizetype newest() const { return text_.indexOf(u'\n') + 1; }

private:
    // Removes the text from `position` on, and tells the screen reader.
    void forget(qsizetype position);

    QString text_;
};

} // namespace talvex::qt
