// Renders the real window to PNG files for the README: as it opens, and after 7 is picked in
// the second list and "Избор" is pressed.

#include "app/qt/main_window.h"
#include "pin/system_random.h"

#include <QApplication>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <cstdio>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    if (argc != 3) {
        std::fputs("usage: talvex-screenshot START.png PIN.png\n", stderr);
        return 2;
    }

    talvex::pin::SystemRandom random;
    talvex::qt::MainWindow window(random);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window) ||
        !window.grab().save(QString::fromLocal8Bit(argv[1]))) {
        return 1;
    }

    auto* list = window.findChild<QListWidget*>(QStringLiteral("List1(1)"));
    auto* choose = window.findChild<QPushButton*>(QStringLiteral("Command1(0)"));
    list->scrollToItem(list->item(7));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(7)).center());
    QTest::mouseClick(choose, Qt::LeftButton);
    return window.grab().save(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
}
