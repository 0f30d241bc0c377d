#include "app/form.h"
#include "app/qt/form_to_qt.h"
#include "bench/quit_after_first_paint.h"

#include <QApplication>
#include <QPainter>
#include <QWidget>

namespace {

// The least Qt Widgets window to measure Talvex's start-up against: Talvex's size, title and
// font, and one line of text, its title's, painted and nothing else.
class FloorWindow final : public QWidget {
public:
    FloorWindow()
        : text_(talvex::qt::qtText(
              talvex::form::find(talvex::form::talvex(), talvex::form::kLabel1, 0)->text)) {
        const talvex::form::Window& window = talvex::form::talvex();
        setWindowTitle(talvex::qt::qtText(window.caption));
        setFixedSize(talvex::qt::pixels(window.clientWidth),
                     talvex::qt::pixels(window.clientHeight));
        setFont(talvex::qt::qtFont(window.font));
    }

protected:
    void paintEvent(QPaintEvent* /*event*/) override {
        QPainter(this).drawText(rect(), Qt::AlignLeft | Qt::AlignTop, text_);
    }

private:
    QString text_;
};

} // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    FloorWindow window;
    talvex::bench::QuitAfterFirstPaint quit;
    window.installEventFilter(&quit);
    window.show();
    return QApplication::exec();
}
