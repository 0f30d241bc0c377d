#include "app/colour_contrast.h"
#include "app/form.h"
#include "app/qt/form_to_qt.h"
#include "app/qt/main_window.h"
#include "tests/support/failing_random.h"
#include "tests/support/scripted_random.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QDropEvent>
#include <QFontDatabase>
#include <QFontInfo>
#include <QHash>
#include <QInputMethodEvent>
#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyleOptionButton>
#include <QTest>
#include <QTimer>
#include <QtGui/private/qguiapplication_p.h>
#include <algorithm>
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <qpa/qplatformaccessibility.h>
#include <qpa/qplatformintegration.h>
#include <string>
#include <utility>
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

// The contrast ratio of two colours as WCAG defines it, from 1 (none) to 21.
double contrast(const QColor& first, const QColor& second) {
    return form::contrastRatio(rgb(first), rgb(second));
}

// Where, in its window, a control draws its text: inside a list's or box's viewport, inside a
// button's border, anywhere in a label.
QRect textArea(const QWidget& control) {
    if (const auto* area = qobject_cast<const QAbstractScrollArea*>(&control)) {
        return area->viewport()->geometry().translated(control.pos());
    }
    if (const auto* button = qobject_cast<const QPushButton*>(&control)) {
        QStyleOptionButton option;
        option.initFrom(button);
        return button->style()
            ->subElementRect(QStyle::SE_PushButtonContents, &option, button)
            .translated(control.pos());
    }
    return control.geometry();
}

class MainWindowTest : public testing::Test {
protected:
    void open(std::initializer_list<float> numbers) {
        open(std::make_unique<ScriptedRandom>(numbers));
    }

    void open(std::unique_ptr<pin::RandomSource> source) {
        // The old window holds the old source: it goes first.
        window_.reset();
        random_ = std::move(source);
        window_ = std::make_unique<MainWindow>(*random_);
        window_->show();
        // Where no window manager activates it, as on a bare X display.
        window_->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    }

    void SetUp() override { open({}); }

    [[nodiscard]] int draws() const { return dynamic_cast<ScriptedRandom&>(*random_).draws; }

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

    // The output box as the user gets it out: select all, copy; marked for clipboard managers
    // as a secret, whatever it holds.
    [[nodiscard]] QString copyOutput() const {
        box(0)->setFocus();
        QTest::keyClick(box(0), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(box(0), Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(QApplication::clipboard()->mimeData()->data("x-kde-passwordManagerHint"),
                  "secret");
        return QApplication::clipboard()->text();
    }

    std::unique_ptr<pin::RandomSource> random_;
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
        QRect expected(r.left / 15, r.top / 15, r.width / 15, r.height / 15);
        if (control.kind == form::Kind::ListBox) {
            // Only whole rows, below: the bottom rises to the last of them.
            expected.setHeight(widget->height());
        }
        EXPECT_EQ(widget->geometry(), expected) << nameOf(control).toStdString();
        const char* kind = control.kind == form::Kind::PushButton ? "QPushButton"
                           : control.kind == form::Kind::ListBox  ? "QListWidget"
                           : control.kind == form::Kind::TextBox  ? "QPlainTextEdit"
                                                                  : "QLabel";
        EXPECT_TRUE(widget->inherits(kind)) << nameOf(control).toStdString() << " is a " << kind;
    }
}

// As a Windows list box shows them: whole rows, as many as fit the form's height.
TEST_F(MainWindowTest, EveryListShowsOnlyWholeRowsAsManyAsFitItsHeight) {
    for (int i = 0; i < 4; ++i) {
        const QListWidget* widget = list(i);
        const int height = form::find(form::talvex(), form::kList1, i)->rect.height / 15;
        const int row = widget->visualItemRect(widget->item(0)).height();
        ASSERT_GT(row, 0);
        EXPECT_EQ(widget->viewport()->height() % row, 0) << "List1(" << i << ") cuts a row";
        EXPECT_LE(widget->height(), height) << "List1(" << i << ")";
        EXPECT_GT(widget->height() + row, height) << "List1(" << i << ") leaves out a whole row";
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

// The window's own backgrounds carry their own text colour, the system's carry the system's: a
// dark theme leaves every text readable.
TEST_F(MainWindowTest, EveryTextStandsOutFromItsBackgroundUnderADarkTheme) {
    const QPalette original = QApplication::palette();
    QPalette dark = original;
    for (const auto role : {QPalette::Window, QPalette::Base, QPalette::Button}) {
        dark.setColor(role, QColor(32, 32, 32));
    }
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
        dark.setColor(role, Qt::white);
    }
    QApplication::setPalette(dark);
    open({});
    const QImage image = window_->grab().toImage();
    QApplication::setPalette(original);

    for (const form::Control& control : form::talvex().controls) {
        if (!control.visible) {
            continue;
        }
        const QRect area = textArea(*child<QWidget>(nameOf(control)));
        const QRect pixels(area.topLeft() * image.devicePixelRatio(),
                           area.size() * image.devicePixelRatio());
        QHash<QRgb, int> counts;
        for (int y = pixels.top(); y <= pixels.bottom(); ++y) {
            for (int x = pixels.left(); x <= pixels.right(); ++x) {
                ++counts[image.pixel(x, y)];
            }
        }
        const QColor background(
            std::ranges::max(counts.keys(), {}, [&](QRgb colour) { return counts.value(colour); }));
        double ratio = 1;
        for (auto colour = counts.keyBegin(); colour != counts.keyEnd(); ++colour) {
            ratio = std::max(ratio, contrast(background, QColor(*colour)));
        }
        EXPECT_GE(ratio, 4.5) << nameOf(control).toStdString() << ": text on "
                              << background.name().toStdString();
    }
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

    EXPECT_EQ(draws(), 3);
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

    EXPECT_EQ(draws(), 5);
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

// What the user pastes, types or composes stops at the capacity, each line break counted as the
// CR LF it is given out as, and is never cut inside a surrogate pair or a line break.
TEST_F(MainWindowTest, OutputBoxTakesNoMoreThanItsCapacityAndCutsOnlyBetweenCharacters) {
    QPlainTextEdit* output = box(0);
    const auto paste = [&](const QString& text) {
        QApplication::clipboard()->setText(text);
        QTest::keyClick(output, Qt::Key_V, Qt::ControlModifier);
    };
    // One code unit of room left.
    const QString filler(form::kTextBoxCapacity - 1, QLatin1Char('x'));

    struct Paste {
        const char* across;
        QString text;
        QString kept;
    };
    const std::vector<Paste> pastes{
        {"a surrogate pair across the limit", filler + QStringLiteral("\U0001F600"), filler},
        {"a CR LF across the limit", filler + QStringLiteral("\r\ny"), filler},
        {"an LF, given out as CR LF, across the limit", filler + QStringLiteral("\ny"), filler},
        {"a CR LF ending at the limit", filler.chopped(1) + QStringLiteral("\r\ny"),
         filler.chopped(1) + QStringLiteral("\r\n")},
    };
    for (const Paste& pasted : pastes) {
        output->clear();
        paste(pasted.text);
        EXPECT_EQ(copyOutput(), pasted.kept) << pasted.across;
    }

    output->clear();
    paste(filler);
    QTest::keyClick(output, Qt::Key_Return);
    QInputMethodEvent composed;
    composed.setCommitString(QStringLiteral("ab"));
    QApplication::sendEvent(output, &composed);
    QTest::keyClick(output, Qt::Key_Z);
    EXPECT_FALSE(output->canPaste()) << "a full box offers no paste";
    QTest::keyClick(output, Qt::Key_Left, Qt::ShiftModifier);
    paste(QStringLiteral("yz"));
    EXPECT_EQ(copyOutput(), filler + QStringLiteral("y"))
        << "Enter and z do not fit, of ab only a, and pasted over the a only y";
}

// A clipboard without an owner has no formats at all, and Qt 6.4 crashes on a paste of it; nor
// does one that holds only an image give text. Every way in pastes nothing from either.
TEST_F(MainWindowTest, PastesNothingWhereTheClipboardHoldsNoText) {
    QPlainTextEdit* output = box(0);
    const QString text = output->toPlainText();
    QWidget* viewport = output->viewport();
    const QPoint middle = viewport->rect().center();
    QMimeData none;
    for (const bool image : {false, true}) {
        for (const auto mode : {QClipboard::Clipboard, QClipboard::Selection}) {
            QApplication::clipboard()->clear(mode);
            if (image) {
                QApplication::clipboard()->setImage(QImage(1, 1, QImage::Format_RGB32), mode);
            }
        }
        output->setFocus();
        QTest::keyClick(output, Qt::Key_V, Qt::ControlModifier);
        QTest::keyClick(output, Qt::Key_Insert, Qt::ShiftModifier);
        QTest::mouseClick(viewport, Qt::MiddleButton, {}, middle);
        output->paste();
        QDropEvent drop(middle, Qt::CopyAction, &none, Qt::LeftButton, {});
        QApplication::sendEvent(viewport, &drop);
        EXPECT_EQ(output->toPlainText(), text) << (image ? "an image alone" : "no owner");
    }
}

// A system generator that fails neither crashes the window nor leaves half a PIN in it: the user
// is told why, in the system's own words, and the program ends with an error.
TEST_F(MainWindowTest, AFailingRandomSourceIsToldAndEndsTheProgramWithEverythingAsItWas) {
    open(std::make_unique<test::FailingRandom>(1));
    const QString text = box(0)->toPlainText();
    std::string reason;
    try {
        test::FailingRandom().next();
    } catch (const std::exception& error) {
        reason = error.what();
    }

    bool told = false;
    const auto closeWhatIsTold = [&] {
        auto* message = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (message == nullptr) {
            // Nothing told: end the loop all the same, to fail rather than hang.
            QCoreApplication::exit(-1);
            return;
        }
        told = true;
        const form::Window& form = form::talvex();
        EXPECT_EQ(message->parentWidget(), window_.get());
        EXPECT_EQ(message->icon(), QMessageBox::Critical);
        EXPECT_EQ(message->windowTitle(), fromUtf8(form.caption));
        EXPECT_EQ(message->text(), fromUtf8(form.noPinText));
        EXPECT_EQ(message->informativeText(), QString::fromLocal8Bit(reason));
        QTest::keyClick(message, Qt::Key_Escape);
    };
    // The press comes from inside the event loop that the program's end must stop, and the
    // message is closed once it shows, while the press is still being handled.
    QTimer::singleShot(0, window_.get(), [&] {
        QTimer::singleShot(0, window_.get(), closeWhatIsTold);
        press(0);
    });
    // Nor may a program that never ends hang the suite.
    QTimer giveUp;
    QObject::connect(&giveUp, &QTimer::timeout, [] { QCoreApplication::exit(-2); });
    giveUp.start(10000);

    EXPECT_EQ(QApplication::exec(), 1);
    EXPECT_TRUE(told);
    EXPECT_EQ(box(0)->toPlainText(), text);
    EXPECT_EQ(selectedRows(), (std::vector<int>{-1, -1, -1, -1}));
}

// What a screen reader learns from the window, as Qt's bridge to it reads it; the accessibility
// events are caught as they leave for the bridge.
class AccessibleMainWindowTest : public MainWindowTest {
protected:
    struct Event {
        QAccessible::Event type;
        QObject* object;
        QString inserted;
        int at;
        // An announcement's message, which a screen reader speaks as it comes.
        QString announced;
    };

    void SetUp() override {
        // Turned on as a screen reader's first question turns it on; no screen reader, no events.
        QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(true);
        QAccessible::installUpdateHandler([](QAccessibleEvent* event) {
            if (recording_) {
                const auto* insertion = dynamic_cast<QAccessibleTextInsertEvent*>(event);
                QString announced;
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
                if (event->type() == QAccessible::Announcement) {
                    announced = static_cast<QAccessibleAnnouncementEvent*>(event)->message();
                }
#endif
                events_.push_back({event->type(), event->object(),
                                   insertion != nullptr ? insertion->textInserted() : QString(),
                                   insertion != nullptr ? insertion->changePosition() : -1,
                                   announced});
            }
        });
        MainWindowTest::SetUp();
    }

    void TearDown() override {
        QAccessible::installUpdateHandler(nullptr);
        QGuiApplicationPrivate::platformIntegration()->accessibility()->setActive(false);
    }

    // The events that `act` makes.
    template <typename Action> std::vector<Event> eventsOf(Action act) {
        events_.clear();
        recording_ = true;
        act();
        recording_ = false;
        return events_;
    }

    // What Orca reads out once it comes to it, when all that the window did is done: what the
    // control with the focus announces, or text added to an object under that control, and
    // selected where it was added.
    [[nodiscard]] static QStringList saidOf(const std::vector<Event>& events) {
        QStringList said;
        for (const Event& event : events) {
            if (!event.announced.isEmpty() && event.object == QApplication::focusWidget()) {
                said.append(event.announced);
            }
            if (event.type != QAccessible::TextInserted) {
                continue;
            }
            QAccessibleInterface* object = QAccessible::queryAccessibleInterface(event.object);
            if (object->parent()->object() != QApplication::focusWidget()) {
                continue;
            }
            int start = 0;
            int end = 0;
            object->textInterface()->selection(0, &start, &end);
            if (start == event.at && object->textInterface()->text(start, end) == event.inserted) {
                said.append(event.inserted.trimmed());
            }
        }
        return said;
    }

    // The objects that claim the focus.
    [[nodiscard]] static std::vector<QObject*> focusOf(const std::vector<Event>& events) {
        std::vector<QObject*> claimed;
        for (const Event& event : events) {
            if (event.type == QAccessible::Focus) {
                claimed.push_back(event.object);
            }
        }
        return claimed;
    }

    // A screen reader finds every digit of `list` among its items, as many as there are
    // however few it shows, and, where Qt can tell the set size that Orca asks a list for, that.
    static void expectEveryRowCounted(QAccessibleInterface& list) {
        QStringList rows;
        for (int i = 0; i < list.childCount(); ++i) {
            EXPECT_EQ(list.child(i)->role(), QAccessible::ListItem);
            rows.append(list.child(i)->text(QAccessible::Name));
        }
        EXPECT_EQ(rows.join(QString()), QStringLiteral("0123456789"));
#if QT_VERSION >= QT_VERSION_CHECK(6, 8, 0)
        ASSERT_NE(list.attributesInterface(), nullptr);
        const auto attributes = list.attributesInterface()
                                    ->attributeValue(QAccessible::Attribute::Custom)
                                    .value<QHash<QString, QString>>();
        EXPECT_EQ(attributes.value(QStringLiteral("setsize")), QStringLiteral("10"));
#endif
    }

    static inline bool recording_ = false;
    static inline std::vector<Event> events_;
};

TEST_F(AccessibleMainWindowTest, ScreenReadersMeetTheVisibleControlsByNameAndRoleInTabOrder) {
    const form::Window& form = form::talvex();
    QAccessibleInterface* window = QAccessible::queryAccessibleInterface(window_.get());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->text(QAccessible::Name), fromUtf8(form.caption));
    EXPECT_EQ(window->text(QAccessible::Description),
              child<QLabel>(QStringLiteral("Label1(0)"))->text());

    struct Met {
        QString object;
        QAccessible::Role role;
        QString name;
    };
    const auto nameFor = [&](const char* array, int index) {
        return fromUtf8(form::find(form, array, index)->accessibleName);
    };
    const std::vector<Met> expected{
        {"Label1(0)", QAccessible::StaticText, child<QLabel>("Label1(0)")->text()},
        {"Text1(0)", QAccessible::EditableText, nameFor("Text1", 0)},
        {"List1(0)", QAccessible::List, nameFor("List1", 0)},
        {"List1(1)", QAccessible::List, nameFor("List1", 1)},
        {"List1(2)", QAccessible::List, nameFor("List1", 2)},
        {"List1(3)", QAccessible::List, nameFor("List1", 3)},
        {"Command1(0)", QAccessible::Button, QStringLiteral("Избор")},
        {"Command1(1)", QAccessible::Button, QStringLiteral("Почисти")},
    };
    std::vector<QString> met;
    for (int i = 0; i < window->childCount(); ++i) {
        QAccessibleInterface* control = window->child(i);
        if (control->state().invisible) {
            continue;
        }
        met.push_back(control->object()->objectName());
        const auto found = std::ranges::find(expected, met.back(), &Met::object);
        ASSERT_NE(found, expected.end()) << met.back().toStdString();
        EXPECT_EQ(control->role(), found->role) << met.back().toStdString();
        EXPECT_EQ(control->text(QAccessible::Name), found->name) << met.back().toStdString();
        EXPECT_FALSE(found->name.isEmpty()) << met.back().toStdString();
        if (control->role() == QAccessible::List) {
            expectEveryRowCounted(*control);
        }
    }
    std::vector<QString> order;
    std::ranges::transform(expected, std::back_inserter(order), &Met::object);
    EXPECT_EQ(met, order);
}

// Choose and Clear tell what they did where the focus is, and the lists they change stay quiet
// about the focus, which never moves; a list the user is in still tells where the user is.
TEST_F(AccessibleMainWindowTest, ChooseAndClearAreToldWithoutAnyListClaimingTheFocus) {
    open({forProduct(8), forProduct(0), forProduct(0)});
    clickRow(1, 7);
    button(0)->setFocus();

    std::vector<Event> events = eventsOf([&] { QTest::keyClick(button(0), Qt::Key_Space); });
    EXPECT_EQ(selectedRows(), (std::vector<int>{8, 7, 0, 0}));
    EXPECT_EQ(saidOf(events), QStringList{kHeader + QStringLiteral(" 8 7 0 0")});
    EXPECT_EQ(focusOf(events), std::vector<QObject*>{});
    EXPECT_EQ(QApplication::focusWidget(), button(0));
    QTest::keyClick(box(0), Qt::Key_A, Qt::ControlModifier);

    // The same news, again and again, is told each time, and what keeps it stays small.
    button(1)->setFocus();
    const QString cleared = fromUtf8(form::talvex().clearedText);
    for (int again = 0; again < 40; ++again) {
        events = eventsOf([&] { QTest::keyClick(button(1), Qt::Key_Space); });
        EXPECT_EQ(saidOf(events), QStringList{cleared});
        EXPECT_EQ(focusOf(events), std::vector<QObject*>{});
        EXPECT_EQ(QApplication::focusWidget(), button(1));
    }
    int kept = 0;
    QAccessibleInterface* clear = QAccessible::queryAccessibleInterface(button(1));
    for (int i = 0; i < clear->childCount(); ++i) {
        const QAccessibleTextInterface* text = clear->child(i)->textInterface();
        kept += text != nullptr ? text->characterCount() : 0;
    }
    EXPECT_LE(kept, 2 * (cleared.size() + 1));
    // Nothing that a screen reader can read keeps the PIN once Почисти has run, hidden objects
    // included; nor does the box's undo, nor the primary selection that selecting it made.
    QTest::keyClick(box(0), Qt::Key_Z, Qt::ControlModifier);
    QString readable;
    const std::function<void(QAccessibleInterface*)> read = [&](QAccessibleInterface* object) {
        const QAccessibleTextInterface* text = object->textInterface();
        readable += object->text(QAccessible::Name) + '|' + object->text(QAccessible::Value) + '|' +
                    (text != nullptr ? text->text(0, text->characterCount()) : QString()) + '|';
        for (int i = 0; i < object->childCount(); ++i) {
            read(object->child(i));
        }
    };
    read(QAccessible::queryAccessibleInterface(window_.get()));
    EXPECT_FALSE(readable.contains(QRegularExpression("8 ?7 ?0 ?0")));
    EXPECT_FALSE(QApplication::clipboard()->ownsSelection());

    list(2)->setFocus();
    events = eventsOf([&] { QTest::keyClick(list(2), Qt::Key_Down); });
    EXPECT_EQ(focusOf(events), std::vector<QObject*>{list(2)});
}

// As on a Windows form: Enter presses the button with the focus, Enter and Escape in a list do
// nothing, not even close the window, and Ctrl+Space deselects the row the list is at.
TEST_F(AccessibleMainWindowTest, EnterPressesTheFocusedButtonAndCtrlSpaceDeselects) {
    open({forProduct(1), forProduct(2), forProduct(3), forProduct(4)});
    button(0)->setFocus();
    QTest::keyClick(button(0), Qt::Key_Return);
    EXPECT_EQ(selectedRows(), (std::vector<int>{1, 2, 3, 4}));

    list(2)->setFocus();
    QTest::keyClick(list(2), Qt::Key_Space, Qt::ControlModifier);
    EXPECT_EQ(selectedRows(), (std::vector<int>{1, 2, -1, 4}));
    for (const auto key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        QTest::keyClick(list(2), key);
    }
    EXPECT_EQ(selectedRows(), (std::vector<int>{1, 2, -1, 4}));
    EXPECT_EQ(box(0)->toPlainText(), kHeader + "\n1234\n");
    EXPECT_TRUE(window_->isVisible());

    button(1)->setFocus();
    QTest::keyClick(button(1), Qt::Key_Enter, Qt::KeypadModifier);
    EXPECT_EQ(selectedRows(), (std::vector<int>{-1, -1, -1, -1}));
    EXPECT_EQ(draws(), 4);
}

// A selected row, and the cue of the list with the focus, stand 3:1 from the list around them
// in a light theme and in a dark one; the selected digit reads 4.5:1 on its row.
TEST_F(AccessibleMainWindowTest, SelectedRowsAndTheFocusStandOutInLightAndDarkThemes) {
    const QPalette original = QApplication::palette();
    QPalette dark = original;
    dark.setColor(QPalette::Base, QColor(32, 32, 32));
    dark.setColor(QPalette::Text, Qt::white);
    for (const auto& [name, theme] : {std::pair{"light", original}, std::pair{"dark", dark}}) {
        QApplication::setPalette(theme);
        open({});
        QListWidget* digits = list(0);
        clickRow(0, 2);
        ASSERT_EQ(QApplication::focusWidget(), digits);
        QImage image = digits->viewport()->grab().toImage();
        const auto pixel = [&image](QPoint point) {
            return image.pixelColor(point * image.devicePixelRatio());
        };
        const QRect row = digits->visualItemRect(digits->item(2));
        const QRect other = digits->visualItemRect(digits->item(4));
        // Right of the digits and clear of the focus frame.
        const auto fill = [](const QRect& rect) {
            return QPoint(rect.right() - 6, rect.center().y());
        };

        const QColor base = pixel(fill(other));
        EXPECT_GE(contrast(pixel(fill(row)), base), 3) << name << ": selected row";
        EXPECT_GE(contrast(pixel({0, other.center().y()}), base), 3) << name << ": focus frame";
        double digit = 1;
        for (int x = row.left(); x < row.center().x(); ++x) {
            digit = std::max(digit, contrast(pixel({x, row.center().y()}), pixel(fill(row))));
        }
        EXPECT_GE(digit, 4.5) << name << ": selected digit";

        QTest::keyClick(digits, Qt::Key_Space, Qt::ControlModifier);
        image = digits->viewport()->grab().toImage();
        EXPECT_GE(contrast(pixel({row.center().x(), row.top()}), base), 3)
            << name << ": the row the list is at, deselected";
    }
    QApplication::setPalette(original);
}

} // namespace
} // namespace talvex::qt
