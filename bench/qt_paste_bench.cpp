#include "app/qt/main_window.h"
#include "bench/cheap_random.h"

#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QPlainTextEdit>
#include <QTimer>
#include <cstdio>
#include <ctime>
#include <string_view>

// One paste of a large text over the whole of the real window's output box, from the clipboard,
// as Ctrl+V pastes. Prints the seconds from the paste until the event loop answers again (a
// queued call, behind the repaint that the paste asks for), the CPU milliseconds the process
// spends over the second after that (a window that keeps laying itself out shows here), and how
// long the box's text then is in UTF-16 code units, with CR LF line breaks.
//
// usage: qt-paste-bench token|lines BYTES
//   token  one line of letters without a single point to break it at
//   lines  lines of 78 characters, words of nine letters, each line ended by LF

namespace {

QString pasteText(std::string_view shape, qsizetype bytes) {
    constexpr qsizetype kLineLength = 79;
    QString text(bytes, Qt::Uninitialized);
    for (qsizetype i = 0; i < bytes; ++i) {
        const qsizetype column = i % kLineLength;
        const bool lineEnd = shape == "lines" && column == kLineLength - 1;
        const bool wordEnd = shape == "lines" && column % 10 == 9;
        text[i] = lineEnd   ? QLatin1Char('\n')
                  : wordEnd ? QLatin1Char(' ')
                            : QLatin1Char(static_cast<char>('a' + i % 26));
    }
    return text;
}

double cpuSeconds() {
    return static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

// Runs the event loop until everything posted so far, and one queued call behind it, is done.
void answer() {
    QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit,
                              Qt::QueuedConnection);
    QApplication::exec();
}

} // namespace

int main(int argc, char* argv[]) {
    // Real widgets without a display, unless the caller picked a platform.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication application(argc, argv);
    const std::string_view shape = argc == 3 ? argv[1] : "";
    const qsizetype bytes = argc == 3 ? QByteArray(argv[2]).toLongLong() : 0;
    if ((shape != "token" && shape != "lines") || bytes <= 0) {
        std::fputs("usage: qt-paste-bench token|lines BYTES\n", stderr);
        return 2;
    }

    talvex::bench::CheapRandom random;
    talvex::qt::MainWindow window(random);
    window.show();
    auto* box = window.findChild<QPlainTextEdit*>(QStringLiteral("Text1(0)"));
    QApplication::clipboard()->setText(pasteText(shape, bytes));
    box->setFocus();
    box->selectAll();
    answer();

    QElapsedTimer clock;
    clock.start();
    box->paste();
    answer();
    const double answered = static_cast<double>(clock.nsecsElapsed()) / 1e9;

    const double cpuBefore = cpuSeconds();
    QTimer::singleShot(1000, &application, &QCoreApplication::quit);
    QApplication::exec();
    const double busy = (cpuSeconds() - cpuBefore) * 1e3;

    const QString held = box->toPlainText();
    std::printf("%s, %lld bytes: answered after %.3f s, then %.1f ms CPU in 1 s; box holds %lld "
                "code units\n",
                argv[1], static_cast<long long>(bytes), answered, busy,
                static_cast<long long>(held.size() + held.count(QLatin1Char('\n'))));
    return 0;
}
