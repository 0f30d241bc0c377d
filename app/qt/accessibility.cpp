#include "accessibility.h"

#include "app/colour_contrast.h"
#include "app/form.h"
#include "form_to_qt.h"
#include "list_size.h"
#include "outcome_log.h"

#include <QAccessible>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace talvex::qt {

namespace {

// A selected row against a light list: white digits on a blue dark enough for the digits to
// read (7:1) and for the row to stand out from the list (7:1 too); against a dark list, black
// digits on a light blue, just as far apart. Qt's own blue is 3.7:1 from white.
const QColor kDarkSelection(0x1E, 0x5A, 0x96);
const QColor kLightSelection(0x9C, 0xCF, 0xF5);

// The width of the focus frame; Qt's own cue, a pale outline of the current row, is 1.75:1
// from white.
constexpr int kFocusFrame = 2;

bool isLight(const QColor& colour) {
    // Lighter than mid grey, where black contrasts more than white does.
    constexpr double kMidGrey = 0.18;
    return form::relativeLuminance(rgb(colour)) > kMidGrey;
}

// A QPushButton presses on Enter only as the default button of a dialog; on a Windows form,
// and here, Enter presses whichever button has the focus.
class PressOnEnter final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) {
            return false;
        }
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter) {
            return false;
        }
        static_cast<QPushButton*>(watched)->click();
        return true;
    }
};

} // namespace

DigitList::DigitList(QWidget* parent)
    : QListWidget(parent) {
    tellListSize(*this);
    fitSelectionToBase();
}

void DigitList::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    if (hasFocus()) {
        QListWidget::currentChanged(current, previous);
        return;
    }
    // QListView tells screen readers that the new current row has the focus, whether or not
    // the list has it: when Choose selects the drawn digits, Orca would leave the button for
    // the last list. The selection change is told all the same.
    QAbstractItemView::currentChanged(current, previous); // NOLINT(bugprone-parent-virtual-call)
}

void DigitList::changeEvent(QEvent* event) {
    QListWidget::changeEvent(event);
    if (event->type() == QEvent::PaletteChange) {
        fitSelectionToBase();
    }
}

void DigitList::fitSelectionToBase() {
    QPalette colours = palette();
    const bool light = isLight(colours.color(QPalette::Base));
    const QColor selection = light ? kDarkSelection : kLightSelection;
    const QColor digits = light ? Qt::white : Qt::black;
    // Setting the palette raises another PaletteChange: only a change calls for it.
    if (colours.color(QPalette::Highlight) == selection &&
        colours.color(QPalette::HighlightedText) == digits) {
        return;
    }
    colours.setColor(QPalette::Highlight, selection);
    colours.setColor(QPalette::HighlightedText, digits);
    setPalette(colours);
}

void DigitList::paintEvent(QPaintEvent* event) {
    QListWidget::paintEvent(event);
    if (!hasFocus()) {
        return;
    }
    // In the list's text colour, which every theme sets well apart from its background.
    QPainter painter(viewport());
    const QColor frame = palette().color(QPalette::Text);
    const auto outline = [&](const QRect& area) {
        painter.fillRect(area.adjusted(0, 0, 0, kFocusFrame - area.height()), frame);
        painter.fillRect(area.adjusted(0, area.height() - kFocusFrame, 0, 0), frame);
        painter.fillRect(area.adjusted(0, 0, kFocusFrame - area.width(), 0), frame);
        painter.fillRect(area.adjusted(area.width() - kFocusFrame, 0, 0, 0), frame);
    };
    outline(viewport()->rect());
    // Where the keyboard is when no row is selected there: Space selects it.
    const QModelIndex current = currentIndex();
    if (current.isValid() && !selectionModel()->isSelected(current)) {
        outline(visualRect(current));
    }
}

void makeAccessible(QWidget& window, std::span<const BuiltControl> controls) {
    // The title says what the window is for; a screen reader says it with the window's name.
    for (const BuiltControl& built : controls) {
        if (const auto* label = qobject_cast<const QLabel*>(built.widget)) {
            window.setAccessibleDescription(label->text());
            built.widget->raise();
        }
    }
    auto* pressOnEnter = new PressOnEnter(&window);
    // Qt lists a window's children to screen readers in the order they were made in; raising
    // each in turn puts them in tab order. None overlaps another, so none hides another.
    for (const BuiltControl& built : controls) {
        if (!built.control->accessibleName.empty()) {
            built.widget->setAccessibleName(qtText(built.control->accessibleName));
        }
        if (qobject_cast<QPushButton*>(built.widget) != nullptr) {
            built.widget->installEventFilter(pressOnEnter);
        }
        if (qobject_cast<QLabel*>(built.widget) == nullptr && built.control->visible) {
            built.widget->raise();
        }
    }
}

void announce(QWidget& button, const QString& text) {
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
    // Qt's own announcement, which its bridge hands to AT-SPI as one and Orca speaks whatever has
    // the focus; nothing keeps the text once it has been told.
    QAccessibleAnnouncementEvent told(&button, text);
    QAccessible::updateAccessibility(&told);
#else
    // Only the newest outcome is kept, under the button that has it; no other button is the
    // focus, so a screen reader takes no notice of its log being cleared. A button has its log
    // from its first outcome on. (A log has no meta-object of its own for findChild to tell it
    // by.)
    OutcomeLog* own = nullptr;
    for (QWidget* widget : button.window()->findChildren<QWidget*>()) {
        if (auto* log = dynamic_cast<OutcomeLog*>(widget); log != nullptr) {
            if (log->parentWidget() == &button) {
                own = log;
            } else {
                log->clear();
            }
        }
    }
    (own != nullptr ? own : new OutcomeLog(button))->tell(text);
#endif
}

} // namespace talvex::qt
