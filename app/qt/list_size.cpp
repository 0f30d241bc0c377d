#include "list_size.h"

#include <QListWidget>

#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
#include <QAccessible>
#include <QAccessibleWidget>
#include <QHash>
#include <QPointer>
#include <vector>
#endif

namespace talvex::qt {

#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)

namespace {

// A row of a told list, as a list item. Qt's list view tells a screen reader of a row by its
// number, which is this item's index in the list.
class RowInterface final : public QAccessibleInterface {
public:
    RowInterface(QListWidget& list, int row)
        : list_(&list)
        , row_(row) {}

    [[nodiscard]] bool isValid() const override { return !list_.isNull() && row_ < list_->count(); }
    [[nodiscard]] QObject* object() const override { return nullptr; }
    [[nodiscard]] QWindow* window() const override { return list_->window()->windowHandle(); }
    [[nodiscard]] QAccessibleInterface* parent() const override {
        return QAccessible::queryAccessibleInterface(list_);
    }
    [[nodiscard]] QAccessibleInterface* child(int /*index*/) const override { return nullptr; }
    [[nodiscard]] int childCount() const override { return 0; }
    [[nodiscard]] int indexOfChild(const QAccessibleInterface* /*child*/) const override {
        return -1;
    }
    [[nodiscard]] QAccessibleInterface* childAt(int /*x*/, int /*y*/) const override {
        return nullptr;
    }
    [[nodiscard]] QString text(QAccessible::Text kind) const override {
        return kind == QAccessible::Name ? item().text() : QString();
    }
    void setText(QAccessible::Text /*kind*/, const QString& /*text*/) override {}
    [[nodiscard]] QRect rect() const override {
        const QRect area = list_->visualItemRect(&item());
        return {list_->viewport()->mapToGlobal(area.topLeft()), area.size()};
    }
    [[nodiscard]] QAccessible::Role role() const override { return QAccessible::ListItem; }
    [[nodiscard]] QAccessible::State state() const override {
        QAccessible::State state;
        state.selectable = true;
        state.focusable = true;
        state.selected = item().isSelected();
        state.focused = list_->hasFocus() && list_->currentRow() == row_;
        state.invisible = !list_->viewport()->rect().intersects(list_->visualItemRect(&item()));
        return state;
    }

private:
    [[nodiscard]] QListWidgetItem& item() const { return *list_->item(row_); }

    QPointer<QListWidget> list_;
    int row_;
};

// Qt's own interface for a list cannot be extended, so a told list has this one: the list, its
// rows, which of them are selected and, as the set size Orca asks a list for, how many there are.
class ListInterface final : public QAccessibleWidget,
                            public QAccessibleSelectionInterface,
                            public QAccessibleAttributesInterface {
public:
    explicit ListInterface(QListWidget& list)
        : QAccessibleWidget(&list, QAccessible::List) {}
    ListInterface(const ListInterface&) = delete;
    ListInterface& operator=(const ListInterface&) = delete;
    ~ListInterface() override {
        for (const QAccessible::Id id : rows_) {
            QAccessible::deleteAccessibleInterface(id);
        }
    }

    void* interface_cast(QAccessible::InterfaceType type) override {
        switch (type) {
        case QAccessible::SelectionInterface:
            return static_cast<QAccessibleSelectionInterface*>(this);
        case QAccessible::AttributesInterface:
            return static_cast<QAccessibleAttributesInterface*>(this);
        default:
            return QAccessibleWidget::interface_cast(type);
        }
    }

    [[nodiscard]] int childCount() const override { return list().count(); }
    [[nodiscard]] QAccessibleInterface* child(int index) const override {
        if (index < 0 || index >= list().count()) {
            return nullptr;
        }
        if (rows_.size() <= static_cast<std::size_t>(index)) {
            rows_.resize(static_cast<std::size_t>(list().count()));
        }
        QAccessible::Id& id = rows_[static_cast<std::size_t>(index)];
        if (id == 0) {
            id = QAccessible::registerAccessibleInterface(new RowInterface(list(), index));
        }
        return QAccessible::accessibleInterface(id);
    }
    [[nodiscard]] int indexOfChild(const QAccessibleInterface* row) const override {
        for (int index = 0; index < childCount(); ++index) {
            if (child(index) == row) {
                return index;
            }
        }
        return -1;
    }
    [[nodiscard]] QAccessibleInterface* childAt(int x, int y) const override {
        const QModelIndex at = list().indexAt(list().viewport()->mapFromGlobal(QPoint(x, y)));
        return at.isValid() ? child(at.row()) : nullptr;
    }
    [[nodiscard]] QAccessibleInterface* focusChild() const override {
        return list().hasFocus() ? child(list().currentRow()) : nullptr;
    }

    [[nodiscard]] int selectedItemCount() const override {
        return static_cast<int>(list().selectedItems().size());
    }
    [[nodiscard]] QList<QAccessibleInterface*> selectedItems() const override {
        QList<QAccessibleInterface*> selected;
        for (QListWidgetItem* item : list().selectedItems()) {
            selected.append(child(list().row(item)));
        }
        return selected;
    }
    [[nodiscard]] bool isSelected(QAccessibleInterface* row) const override {
        const int index = indexOfChild(row);
        return index >= 0 && list().item(index)->isSelected();
    }
    bool select(QAccessibleInterface* row) override {
        const int index = indexOfChild(row);
        if (index >= 0) {
            list().setCurrentRow(index);
        }
        return index >= 0;
    }
    bool unselect(QAccessibleInterface* row) override {
        const int index = indexOfChild(row);
        if (index >= 0) {
            list().item(index)->setSelected(false);
        }
        return index >= 0;
    }
    bool selectAll() override { return false; }
    bool clear() override {
        list().clearSelection();
        return true;
    }

    [[nodiscard]] QList<QAccessible::Attribute> attributeKeys() const override {
        return {QAccessible::Attribute::Custom};
    }
    [[nodiscard]] QVariant attributeValue(QAccessible::Attribute key) const override {
        if (key != QAccessible::Attribute::Custom) {
            return {};
        }
        return QVariant::fromValue(
            QHash<QString, QString>{{QStringLiteral("setsize"), QString::number(childCount())}});
    }

private:
    [[nodiscard]] QListWidget& list() const { return *static_cast<QListWidget*>(widget()); }

    mutable std::vector<QAccessible::Id> rows_;
};

// Marks a list that tells its size.
constexpr const char* kToldSize = "talvexToldSize";

QAccessibleInterface* listInterface(const QString& /*className*/, QObject* object) {
    // Asked of every object, before Qt's own factories, the last installed being asked first.
    auto* list = qobject_cast<QListWidget*>(object);
    return list != nullptr && list->property(kToldSize).toBool() ? new ListInterface(*list)
                                                                 : nullptr;
}

} // namespace

void tellListSize(QListWidget& list) {
    // Installed before a screen reader can meet the list, and once.
    static const bool installed = (QAccessible::installFactory(&listInterface), true);
    (void)installed;
    list.setProperty(kToldSize, true);
    // Where accessibility is on from the start, Qt has made its own interface while making the
    // list; that one goes, for ours to be made at the next question.
    QAccessibleInterface* made = QAccessible::queryAccessibleInterface(&list);
    if (dynamic_cast<ListInterface*>(made) == nullptr) {
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
    }
}

#else

void tellListSize(QListWidget& /*list*/) {}

#endif

} // namespace talvex::qt
