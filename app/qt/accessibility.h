#pragma once

#include <QListWidget>
#include <QString>
#include <span>

namespace talvex::form {
struct Control;
}

namespace talvex::qt {

// A digit list that a screen reader and a keyboard user can follow: it claims the focus for
// a screen reader only while it has the keyboard focus, and its selected row and its focus
// stand out from whatever theme is in use.
class DigitList final : public QListWidget {
public:
    explicit DigitList(QWidget* parent);

protected:
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void fitSelectionToBase();
};

struct BuiltControl {
    const form::Control* control;
    QWidget* widget;
};

// Gives every control its accessible name and the window the title's text as its
// description; orders the window's children as the Tab key goes, so that a screen reader
// reviewing the window meets them in that order; and lets Enter press a focused button.
// `controls` are in tab order.
void makeAccessible(QWidget& window, std::span<const BuiltControl> controls);

// Has a screen reader say `text` (form::announcement's), what the command of `button` did,
// while the focus stays on the button: as an announcement where Qt makes them (6.8 on), else
// through the button's hidden OutcomeLog.
void announce(QWidget& button, const QString& text);

} // namespace talvex::qt
