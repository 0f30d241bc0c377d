#include "app/form.h"
#include "app/qt/main_window.h"
#include "bench/quit_after_first_paint.h"
#include "pin/system_random.h"

#include <QApplication>

// Talvex's start-up exactly as app/qt/main.cpp does it, ended after the window's first paint.
int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(talvex::form::talvex().name));

    talvex::pin::SystemRandom random;
    talvex::qt::MainWindow window(random);
    talvex::bench::QuitAfterFirstPaint quit;
    window.installEventFilter(&quit);
    window.show();
    return QApplication::exec();
}
