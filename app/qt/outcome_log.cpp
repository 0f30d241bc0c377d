#include "outcome_log.h"

#include <QAccessible>
#include <QAccessibleWidget>

namespace talvex::qt {

namespace {

// Enough outcomes to read back what was just told; past it the older half goes. Many outcomes
// leave at once, never the newest alone: Orca would take a lone selected line going for a
// selection deleted by the user, and say so.
constexpr qsizetype kKeptOutcomes = 16;

// The log to a screen reader: a status bar, hidden, whose text is the log and whose selection
// is the newest outcome. Read-only: the selection and caret stay where the program puts them.
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
        *startOffset = newest ? static_cast<int>(log().newest()) : 0;
        *endOffset = newest ? characterCount() : 0;
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
    if (text_.count(u'\n') >= kKeptOutcomes) {
        qsizetype cut = 0;
        for (qsizetype gone = 0; gone < kKeptOutcomes / 2; ++gone) {
            cut = text_.indexOf(u'\n', cut) + 1;
        }
        const QString older = text_.first(cut);
        text_.remove(0, cut);
        QAccessibleTextRemoveEvent removed(this, 0, older);
        QAccessible::updateAccessibility(&removed);
    }
    const QString line = outcome + u'\n';
    newest_ = text_.size();
    text_ += line;
    const auto start = static_cast<int>(newest_);
    const auto end = static_cast<int>(text_.size());
    QAccessibleTextInsertEvent inserted(this, start, line);
    QAccessible::updateAccessibility(&inserted);
    QAccessibleTextSelectionEvent selected(this, start, end);
    QAccessible::updateAccessibility(&selected);
}

} // namespace talvex::qt
