#include "app/form.h"
#include "main_window.h"
#include "pin/system_random.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QString::fromUtf8(talvex::form::talvex().name));

    talvex::pin::SystemRandom random;
    talvex::qt::MainWindow window(random);
    window.show();
    return QApplication::exec();
}
