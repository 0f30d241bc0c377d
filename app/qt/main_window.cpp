#include "main_window.h"

#include "accessibility.h"
#include "app/announcement.h"
#include "app/form.h"
#include "form_to_qt.h"
#include "pin/pin_commands.h"
#include "program_icon.h"
#include "text_box.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <algorithm>
#include <cstdlib>
#include <exception>
#include <vector>

namespace talvex::qt {

namespace {

// Many Qt styles paint button faces with their own colours and ignore the palette; a style
// sheet shows the face colour under every style: a raised edge that sinks when pressed, black
// while the button has the keyboard focus.
QString faceStyle(const QColor& face) {
    return QStringLiteral("QPushButton { background-color: %1; color: %2; border: 2px outset %1; }"
                          "QPushButton:focus { border: 2px solid black; }"
                          "QPushButton:pressed { border: 2px inset %1; }")
        .arg(face.name(), qtColor(form::talvex().textOnFixedBackground).name());
}

// As a Windows list box shows its rows: only whole ones, its bottom raised to the last that fits
// and its top where it was.
void showWholeRows(QListWidget& list) {
    const int frame = 2 * list.frameWidth();
    const int row = list.sizeHintForRow(0);
    list.resize(list.width(), frame + (list.height() - frame) / row * row);
}

} // namespace

MainWindow::MainWindow(pin::RandomSource& random)
    : random_(random) {
    const form::Window& window = form::talvex();
    setObjectName(qtText(window.name));
    setWindowTitle(qtText(window.caption));
    setWindowIcon(programIcon());
    setFixedSize(pixels(window.clientWidth), pixels(window.clientHeight));
    setFont(qtFont(window.font));

    // A text box lays its document out in the application's font before it takes ours; with
    // ours lent to the application meanwhile, start-up never loads the platform's default font
    // only to drop it again. Menus and dialogs keep the platform's font.
    const QFont applicationFont = QApplication::font();
    QApplication::setFont(font());
    std::vector<BuiltControl> tabOrder;
    for (const form::Control& control : window.controls) {
        QWidget* widget = createControl(control);
        widget->setObjectName(
            QStringLiteral("%1(%2)").arg(qtText(control.array)).arg(control.index));
        widget->setGeometry(pixels(control.rect));
        widget->setHidden(!control.visible);
        tabOrder.push_back({&control, widget});
    }
    for (QListWidget* list : lists_) {
        showWholeRows(*list);
    }
    QApplication::setFont(applicationFont);

    std::ranges::sort(tabOrder, {},
                      [](const BuiltControl& built) { return built.control->tabIndex; });
    for (std::size_t i = 1; i < tabOrder.size(); ++i) {
        setTabOrder(tabOrder[i - 1].widget, tabOrder[i].widget);
    }
    makeAccessible(*this, tabOrder);
    const auto first = std::ranges::find_if(tabOrder, [](const BuiltControl& built) {
        return !built.widget->isHidden() && (built.widget->focusPolicy() & Qt::TabFocus) != 0;
    });
    if (first != tabOrder.end()) {
        first->widget->setFocus();
    }
}

QWidget* MainWindow::createControl(const form::Control& control) {
    switch (control.kind) {
    case form::Kind::PushButton: {
        auto* button = new QPushButton(qtText(control.text), this);
        if (control.background != nullptr) {
            button->setStyleSheet(faceStyle(qtColor(*control.background)));
        }
        connect(button, &QPushButton::clicked, this,
                [this, button, index = control.index] { command1Click(index, *button); });
        return button;
    }
    case form::Kind::ListBox: {
        auto* list = new DigitList(this);
        list->setSelectionMode(QAbstractItemView::SingleSelection);
        // Every row is one digit: measuring one row sizes them all.
        list->setUniformItemSizes(true);
        for (const std::string_view row : control.rows) {
            list->addItem(qtText(row));
        }
        lists_.at(static_cast<std::size_t>(control.index)) = list;
        return list;
    }
    case form::Kind::TextBox: {
        auto* box = new TextBox(this);
        box->setCrlfText(qtText(control.text));
        if (control.index == form::kOutputBox) {
            output_ = box;
        }
        return box;
    }
    case form::Kind::Label: {
        auto* label = new QLabel(qtText(control.text), this);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setWordWrap(true);
        if (control.background != nullptr) {
            QPalette palette = label->palette();
            palette.setColor(QPalette::Window, qtColor(*control.background));
            palette.setColor(QPalette::WindowText, qtColor(form::talvex().textOnFixedBackground));
            label->setPalette(palette);
            label->setAutoFillBackground(true);
        }
        return label;
    }
    }
    return nullptr;
}

void MainWindow::command1Click(std::int16_t index, QWidget& button) {
    try {
        pin::command1Click(index, *this, random_);
        announce(button, qtText(form::announcement(index, outputText())));
    } catch (const std::exception& error) {
        // Nothing may unwind through Qt's event loop; the program ends, saying why, as the
        // Windows form does.
        const form::Window& window = form::talvex();
        QMessageBox box(QMessageBox::Critical, qtText(window.caption), qtText(window.noPinText),
                        QMessageBox::Ok, this);
        box.setInformativeText(QString::fromLocal8Bit(error.what()));
        box.exec();
        QCoreApplication::exit(EXIT_FAILURE);
    }
}

void MainWindow::paintEvent(QPaintEvent* /*event*/) {
    // Painted rather than set in the palette, which the children would inherit.
    QPainter(this).fillRect(rect(), qtColor(form::talvex().background));
}

pin::Row MainWindow::listIndex(int list) const {
    const QModelIndexList selected =
        lists_.at(static_cast<std::size_t>(list))->selectionModel()->selectedRows();
    return selected.isEmpty() ? pin::kNoRow : static_cast<pin::Row>(selected.first().row());
}

void MainWindow::setListIndex(int list, pin::Row row) {
    QListWidget* widget = lists_.at(static_cast<std::size_t>(list));
    // With single selection the current row is the selected one, and -1 leaves neither.
    widget->setCurrentRow(row);
    if (row != pin::kNoRow) {
        widget->scrollToItem(widget->item(row));
    }
}

std::string MainWindow::outputText() const {
    return output_->crlfText().toStdString();
}

void MainWindow::setOutputText(std::string_view text) {
    output_->setCrlfText(qtText(text));
}

} // namespace talvex::qt
