#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>

namespace talvex::bench {

// Ends the event loop once the window it watches has been painted for the first time. The
// window's own paint event opens the repaint of the whole window; the queued quit runs only
// after its children have been painted too and the result has gone to the screen.
class QuitAfterFirstPaint final : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            QMetaObject::invokeMethod(QCoreApplication::instance(), &QCoreApplication::quit,
                                      Qt::QueuedConnection);
        }
        return false;
    }
};

} // namespace talvex::bench
