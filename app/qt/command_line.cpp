#include "command_line.h"

#include "app/form.h"

#include <QCommandLineParser>
#include <QStringList>
#include <array>
#include <cstdio>
#include <span>

namespace talvex::qt {

namespace {

// The options that QGuiApplication and QApplication take from every program's command line,
// as they document them; accepted here, unlisted in our help, and left in place for Qt.
constexpr std::array kQtOptionsWithValue = {
    "style",         "stylesheet", "qmljsdebugger",   "platform",    "platformpluginpath",
    "platformtheme", "plugin",     "qwindowgeometry", "qwindowicon", "qwindowtitle",
    "session",       "display",    "geometry",        "dialogs",     "fontengine"};
constexpr std::array kQtFlags = {"widgetcount", "reverse", "nograb", "dograb", "sync"};

void print(std::FILE* stream, const QString& text) {
    std::fputs(text.toLocal8Bit().constData(), stream);
}

QString helpText(const QString& program) {
    return QStringLiteral("Usage: %1 [options]\n"
                          "Composes a four-digit PIN code in a window, in Bulgarian.\n"
                          "\n"
                          "Options:\n"
                          "  -h, --help     Show this help and exit.\n"
                          "  -v, --version  Show the program's name and version and exit.\n"
                          "\n"
                          "Qt's own options, such as -platform, -style and -reverse, work as in\n"
                          "every Qt program. An unknown option or any other argument ends the\n"
                          "program with exit code %2.\n")
        .arg(program)
        .arg(kUsageError);
}

} // namespace

std::optional<int> answerCommandLine(int argc, const char* const* argv) {
    QStringList arguments;
    for (const char* argument : std::span(argv, static_cast<std::size_t>(argc))) {
        arguments.append(QString::fromLocal8Bit(argument));
    }
    const QString program = arguments.isEmpty() ? QStringLiteral("talvex") : arguments.first();

    QCommandLineParser parser;
    // Qt's options are single-dash words, -platform and -style: no bundled letters here.
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help(QStringList{QStringLiteral("h"), QStringLiteral("help")});
    const QCommandLineOption version(QStringList{QStringLiteral("v"), QStringLiteral("version")});
    parser.addOption(help);
    parser.addOption(version);
    for (const char* name : kQtOptionsWithValue) {
        parser.addOption(
            QCommandLineOption(QString::fromLatin1(name), {}, QStringLiteral("value")));
    }
    for (const char* name : kQtFlags) {
        parser.addOption(QCommandLineOption(QString::fromLatin1(name)));
    }

    if (!parser.parse(arguments) || !parser.positionalArguments().isEmpty()) {
        const QString error = parser.errorText().isEmpty()
                                  ? QStringLiteral("Unexpected argument '%1'.")
                                        .arg(parser.positionalArguments().first())
                                  : parser.errorText();
        print(
            stderr,
            QStringLiteral("%1: %2\nTry '%1 --help' for more information.\n").arg(program, error));
        return kUsageError;
    }
    if (parser.isSet(help)) {
        print(stdout, helpText(program));
        return 0;
    }
    if (parser.isSet(version)) {
        print(stdout, QStringLiteral("%1 %2\n").arg(QString::fromUtf8(form::talvex().name),
                                                    QStringLiteral(TALVEX_VERSION)));
        return 0;
    }
    return std::nullopt;
}

} // namespace talvex::qt
