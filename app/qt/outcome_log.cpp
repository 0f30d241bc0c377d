#include "outcome_log.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace talvex::qt {

namespace {

// The log to a screen reader: a status bar, hidden, whose text is the log and whose selection
// is the newest outcome, at its start. Read-only: the selection and caret stay where the program
// puts them.
class OutcomeLogInterface final : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit OutcomeLogInterface(OutcomeLog& log)
        : QAccessibleWidget(&log, QAccessible::StatusBar) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface) {
            return static_cast<QAccessibleTextInterface*>(this);
        }
        return QAccessibleWidget::interface_cast(type);
    }

    // Named after its button: where Orca is asked where the user is just after an outcome, it
    // is at the log, and says so by this name.
    [[nodiscard]] QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Name ? parent()->text(kind) : QAccessibleWidget::text(kind);
    }
    [[nodiscard]] QString text(int startOffset, int endOffset) const override {
        return log().text().mid(startOffset, endOffset - startOffset);
    }
    [[nodiscard]] int characterCount() const override {
        return static_cast<int>(log().text().size());
    }
    [[nodiscard]] int selectionCount() const override { return log().text().isEmpty() ? 0 : 1; }
    void selection(int selectionIndex, int* startOffset, int* endOffset) const override {
        const bool newest = selectionIndex == 0 && selectionCount() == 1;
        *startOffset = 0;
        *endOffset = newest ? static_cast<int>(log().newest()) : 0;
    }
    [[nodiscard]] int cursorPosition() const override { return 0; }
    [[nodiscard]] QString attributes(int /*offset*/, int* startOffset,
                                     int* endOffset) const override {
        *startOffset = 0;
        *endOffset = characterCount();
        return {};
    }
    // Never shown: no text on the screen.
    [[nodiscard]] QRect characterRect(int /*offset*/) const override { return {}; }
    [[nodiscard]] int offsetAtPoint(const QPoint& /*point*/) const override { return -1; }

    void addSelection(int /*startOffset*/, int /*endOffset*/) override {}
    void removeSelection(int /*selectionIndex*/) override {}
    void setSelection(int /*selectionIndex*/, int /*startOffset*/, int /*endOffset*/) override {}
    void setCursorPosition(int /*position*/) override {}
    void scrollToSubstring(int /*startIndex*/, int /*endIndex*/) override {}

private:
    [[nodiscard]] const OutcomeLog& log() const {
        return *static_cast<const OutcomeLog*>(object());
    }
};

QAccessibleInterface* outcomeLogInterface(const QString& /*className*/, QObject* object) {
    // Asked of every object, before Qt's own factories, the last installed being asked first.
    auto* log = dynamic_cast<OutcomeLog*>(object);
    return log != nullptr ? new OutcomeLogInterface(*log) : nullptr;
}

// Installed before any log is made, lest a screen reader meet one before the factory knows it.
QWidget* withLogInterfaces(QWidget& parent) {
    QAccessible::installFactory(&outcomeLogInterface);
    return &parent;
}

} // namespace

OutcomeLog::OutcomeLog(QWidget& button)
    : QWidget(withLogInterfaces(button)) {
    hide();
}

void OutcomeLog::tell(const QString& outcome) {
    // Orca reads out what is inserted once it finds it selected where it was inserted, by which
    // time everything below has been done: so the newest goes first, and stays where it went.
    const QString line = outcome + u'\n';
    text_.prepend(line);
    QAccessibleTextInsertEvent inserted(this, 0, line);
    QAccessible::updateAccessibility(&inserted);
    QAccessibleTextSelectionEvent selected(this, 0, static_cast<int>(line.size()));
    QAccessible::updateAccessibility(&selected);

    // What was told before goes, in one piece that never reads as the newest: Orca remembers
    // what was selected, and would take such a piece going for a selection that the user
    // deleted, and say so. So one earlier copy of the same outcome stays until the next.
    if (QStringView(text_).sliced(line.size()) != line) {
        forget(line.size());
    }
}

void OutcomeLog::clear() {
    forget(0);
}

void OutcomeLog::forget(qsizetype position) {
    if (position == text_.size()) {
        return;
    }
    const QString older = text_.sliced(position);
    text_.truncate(position);
    QAccessibleTextRemoveEvent removed(this, static_cast<int>(position), older);
    QAccessible::updateAccessibility(&removed);
}

} // namespace talvex::qt
