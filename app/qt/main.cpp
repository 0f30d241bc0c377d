#include "app/form.h"
#include "command_line.h"
#include "main_window.h"
#include "pin/system_random.h"
#include "qt_translations.h"
#include "start_up_messages.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    if (const auto exitCode = talvex::qt::answerCommandLine(argc, argv)) {
        return *exitCode;
    }
    talvex::qt::holdStartUpMessages();
    QApplication application(argc, argv);
    talvex::qt::releaseStartUpMessages();
    QApplication::setApplicationName(QString::fromUtf8(talvex::form::talvex().name));
    // Wayland compositors and docks match the window to its desktop entry, icon and name by this.
    QGuiApplication::setDesktopFileName(QStringLiteral(TALVEX_APP_ID));
    talvex::qt::loadQtTranslations(application);

    talvex::pin::SystemRandom random;
    talvex::qt::MainWindow window(random);
    window.show();
    return QApplication::exec();
}
