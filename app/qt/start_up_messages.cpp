#include "start_up_messages.h"

#include <QByteArray>
#include <QString>
#include <QtGlobal>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace talvex::qt {

namespace {

struct HeldMessage {
    QtMsgType type;
    QByteArray category;
    QString text;
};

std::vector<HeldMessage>& heldMessages() {
    static std::vector<HeldMessage> messages;
    return messages;
}

QByteArray environmentValue(const char* name) {
    return qEnvironmentVariableIsSet(name) ? '"' + qgetenv(name) + '"' : QByteArray("unset");
}

void holdMessage(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type != QtFatalMsg) {
        // Not every message has a category; Qt prints those as "default".
        heldMessages().push_back(
            {type, QByteArray(context.category != nullptr ? context.category : "default"), text});
        return;
    }
    // Qt's own words name a plugin and suggest reinstalling, which helps no one who has simply
    // started the program where there is no display; Qt would abort right after this.
    std::fprintf(stderr,
                 "talvex: cannot open the window: no display answered, or Qt has no plugin to "
                 "reach it (DISPLAY is %s, WAYLAND_DISPLAY is %s).\n"
                 "Start it in an X11 or Wayland session (Wayland needs qt6-wayland), or with "
                 "xvfb-run -a talvex\n",
                 environmentValue("DISPLAY").constData(),
                 environmentValue("WAYLAND_DISPLAY").constData());
    std::_Exit(EXIT_FAILURE);
}

} // namespace

void holdStartUpMessages() {
    qInstallMessageHandler(holdMessage);
}

void releaseStartUpMessages() {
    qInstallMessageHandler(nullptr);
    for (const HeldMessage& message : heldMessages()) {
        const QMessageLogContext context(nullptr, 0, nullptr, message.category.constData());
        qt_message_output(message.type, context, message.text);
    }
    heldMessages().clear();
}

} // namespace talvex::qt
