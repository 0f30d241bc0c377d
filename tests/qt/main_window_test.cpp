#include "app/form.h"
#include "app/qt/main_window.h"
#include "tests/support/scripted_random.h"

#include <QApplication>
#include <QClipboard>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace talvex::qt {
namespace {

using test::forProduct;
using test::ScriptedRandom;

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QString nameOf(const form::Control& control) {
    return QStringLiteral("%1(%2)").arg(fromUtf8(control.array)).arg(control.index);
}

const QString kHeader = QStringLiteral("Генериран нов PIN код:");

class MainWindowTest : public testing::Test {
protected:
    void open(std::initializer_list<float> numbers) {
        // The old window holds the old source: it goes first.
        window_.reset();
        random_ = std::make_unique<ScriptedRandom>(numbers);
        window_ = std::make_unique<MainWindow>(*random_);
        window_->show();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    }

    void SetUp() override { open({}); }

    template <typename Widget> [[nodiscard]] Widget* child(const QString& name) const {
        auto* widget = window_->findChild<Widget*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }
    [[nodiscard]] QListWidget* list(int i) const {
        return child<QListWidget>(QStringLiteral("List1(%1)").arg(i));
    }
    [[nodiscard]] QPushButton* button(int i) const {
        return child<QPushButton>(QStringLiteral("Command1(%1)").arg(i));
    }
    [[nodiscard]] QPlainTextEdit* box(int i) const {
        return child<QPlainTextEdit>(QStringLiteral("Text1(%1)").arg(i));
    }

    // What the user sees selected in each list, -1 for none.
    [[nodiscard]] std::vector<int> selectedRows() const {
        std::vector<int> rows;
        for (int i = 0; i < 4; ++i) {
            const auto selected = list(i)->selectedItems();
            rows.push_back(selected.isEmpty() ? -1 : list(i)->row(selected.first()));
        }
        return rows;
    }

    // A click on a row, scrolled into view first, as a user would.
    void clickRow(int i, int row, Qt::KeyboardModifiers modifiers = {}) const {
        QListWidget* widget = list(i);
        widget->scrollToItem(widget->item(row));
        QTest::mouseClick(widget->viewport(), Qt::LeftButton, modifiers,
                          widget->visualItemRect(widget->item(row)).center());
    }

    void press(int i) const { QTest::mouseClick(button(i), Qt::LeftButton); }

    // The output box as the user gets it out: select all, copy.
    [[nodiscard]] QString copyOutput() const {
        box(0)->setFocus();
        QTest::keyClick(box(0), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(box(0), Qt::Key_C, Qt::ControlModifier);
        return QApplication::clipboard()->text();
    }

    std::unique_ptr<ScriptedRandom> random_;
    std::unique_ptr<MainWindow> window_;
};

TEST_F(MainWindowTest, EveryControlIsTheRightKindAtItsRectangleInPixels) {
    const form::Window& form = form::talvex();
    EXPECT_EQ(window_->objectName(), fromUtf8(form.name));
    EXPECT_EQ(window_->size(), QSize(478, 345));
    EXPECT_EQ(window_->minimumSize(), window_->maximumSize()) << "the size is fixed";

    for (const form::Control& control : form.controls) {
        const auto* widget = child<QWidget>(nameOf(control));
        ASSERT_NE(widget, nullptr);
        const form::Rect& r = control.rect;
        EXPECT_EQ(widget->geometry(), QRect(r.left / 15, r.top / 15, r.width / 15, r.height / 15))
            << nameOf(control).toStdString();
        const char* kind = control.kind == form::Kind::PushButton ? "QPushButton"
                           : control.kind == form::Kind::ListBox  ? "QListWidget"
                           : control.kind == form::Kind::TextBox  ? "QPlainTextEdit"
                                                                  : "QLabel";
        EXPECT_TRUE(widget->inherits(kind)) << nameOf(control).toStdString() << " is a " << kind;
    }
}

TEST_F(MainWindowTest, OpensWithItsTextsNoSelectionAndTheQuotationHidden) {
    const form::Window& form = form::talvex();
    EXPECT_EQ(window_->windowTitle(), fromUtf8(form.caption));
    EXPECT_FALSE(window_->windowIcon().pixmap(32, 32).isNull());
    EXPECT_EQ(button(0)->text(), QStringLiteral("Избор"));
    EXPECT_EQ(button(1)->text(), QStringLiteral("Почисти"));
    EXPECT_EQ(child<QLabel>(QStringLiteral("Label1(0)"))->text(),
              QStringLiteral("Случайни числа - генериране на PIN код (4-цифрено естествено)"));

    for (int i = 0; i < 4; ++i) {
        ASSERT_EQ(list(i)->count(), 10);
        for (int row = 0; row < 10; ++row) {
            EXPECT_EQ(list(i)->item(row)->text(), QString::number(row));
        }
        EXPECT_EQ(list(i)->selectionMode(), QAbstractItemView::SingleSelection);
    }
    EXPECT_EQ(selectedRows(), (std::vector<int>{-1, -1, -1, -1}));

    EXPECT_TRUE(box(0)->isVisible());
    EXPECT_EQ(box(0)->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    const std::string_view description = form::find(form, form::kText1, 0)->text;
    EXPECT_EQ(copyOutput(), fromUtf8(description)) << "CR LF and blanks survive a copy";

    EXPECT_FALSE(box(1)->isVisible());
    EXPECT_EQ(box(1)->toPlainText(),
              fromUtf8(form::find(form, form::kText1, 1)->text).replace("\r\n", "\n"));
}

TEST_F(MainWindowTest, PaintsTheFormsColours) {
    const QImage image = window_->grab().toImage();
    // The grab has the screen's pixels, more than the window's on a high-density screen.
    const auto pixel = [&](QPoint point) {
        return image.pixelColor(point * image.devicePixelRatio());
    };
    const auto at = [&](const QString& name) {
        // Just inside the bottom right corner, clear of edges and text.
        return pixel(child<QWidget>(name)->geometry().bottomRight() - QPoint(4, 4));
    };
    EXPECT_EQ(at(QStringLiteral("Command1(0)")), QColor(128, 255, 128));
    EXPECT_EQ(at(QStringLiteral("Command1(1)")), QColor(255, 0, 0));
    EXPECT_EQ(at(QStringLiteral("Label1(0)")), QColor(255, 192, 128));
    EXPECT_EQ(pixel({5, 340}), QColor(192, 192, 255));
}

TEST_F(MainWindowTest, EveryControlUsesTheWindowsSerifFontWithCyrillic) {
    for (const form::Control& control : form::talvex().controls) {
        const QFont font = child<QWidget>(nameOf(control))->font();
        const QFontInfo info(font);
        EXPECT_TRUE(info.family() == "Times New Roman" || info.family() == "Liberation Serif")
            << info.family().toStdString();
        EXPECT_EQ(info.pixelSize(), 16) << "12 pt at 96 DPI";
        EXPECT_EQ(info.weight(), QFont::Normal);
        EXPECT_FALSE(info.italic() || info.underline() || info.strikeOut());
        EXPECT_TRUE(QFontDatabase::writingSystems(info.family()).contains(QFontDatabase::Cyrillic));
    }
}

TEST_F(MainWindowTest, FocusStartsInTheOutputBoxAndTabFollowsTheTabIndexes) {
    const std::vector<QWidget*> order{box(0),  list(0),   list(1),   list(2),
                                      list(3), button(0), button(1), box(0)};
    EXPECT_EQ(QApplication::focusWidget(), order.front());
    for (std::size_t i = 1; i < order.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), order[i]) << "after " << i << " Tab presses";
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
    EXPECT_EQ(QApplication::focusWidget(), button(1));
    EXPECT_EQ(selectedRows(), (std::vector<int>{-1, -1, -1, -1})) << "focus selects nothing";
}

TEST_F(MainWindowTest, ChooseKeepsThePickedDigitAndShowsTheDrawnOnesSelected) {
    open({forProduct(38), forProduct(500), forProduct(999.75)});
    clickRow(1, 7);

    press(0);

    EXPECT_EQ(random_->draws, 3);
    EXPECT_EQ(selectedRows(), (std::vector<int>{8, 7, 0, 0}));
    EXPECT_EQ(copyOutput(), kHeader + "\r\n8700\r\n");
    for (int i = 0; i < 4; ++i) {
        const QListWidget* widget = list(i);
        EXPECT_TRUE(widget->viewport()->rect().contains(
            widget->visualItemRect(widget->selectedItems().first())))
            << "List1(" << i << ") shows its digit";
    }
}

TEST_F(MainWindowTest, CtrlClickDeselectsSoThatListDrawsAgain) {
    open({forProduct(1), forProduct(2), forProduct(3), forProduct(4), forProduct(5)});
    press(0);
    ASSERT_EQ(selectedRows(), (std::vector<int>{1, 2, 3, 4}));

    clickRow(2, 3, Qt::ControlModifier);
    EXPECT_EQ(selectedRows(), (std::vector<int>{1, 2, -1, 4}));
    press(0);

    EXPECT_EQ(random_->draws, 5);
    EXPECT_EQ(copyOutput(), kHeader + "\r\n1254\r\n");
}

TEST_F(MainWindowTest, ClearDeselectsEveryListEmptiesTheBoxAndKeepsTheQuotation) {
    open({forProduct(1), forProduct(2), forProduct(3), forProduct(4)});
    clickRow(3, 9);
    const QString quotation = box(1)->toPlainText();

    press(1);
    EXPECT_EQ(selectedRows(), (std::vector<int>{-1, -1, -1, -1}));
    EXPECT_EQ(box(0)->toPlainText(), QString());

    press(0);
    press(1);
    EXPECT_EQ(selectedRows(), (std::vector<int>{-1, -1, -1, -1}));
    EXPECT_EQ(box(0)->toPlainText(), QString());
    EXPECT_EQ(box(1)->toPlainText(), quotation);
    EXPECT_FALSE(box(1)->isVisible());
}

} // namespace
} // namespace talvex::qt
