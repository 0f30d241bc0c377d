#include "app/form.h"
#include "bench/quit_after_first_paint.h"

#include <QApplication>
#include <QPainter>
#include <QWidget>

namespace {

QString qtText(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

int pixels(int twips) {
    constexpr int kPixelsPerInch = 96;
    return (twips * kPixelsPerInch + talvex::form::kTwipsPerInch / 2) / talvex::form::kTwipsPerInch;
}

// The least Qt Widgets window to measure Talvex's start-up against: Talvex's size, title and
// font, and one line of text, its title's, painted and nothing else.
class FloorWindow final : public QWidget {
public:
    FloorWindow()
        : text_(
              qtText(talvex::form::find(talvex::form::talvex(), talvex::form::kLabel1, 0)->text)) {
        const talvex::form::Window& window = talvex::form::talvex();
        setWindowTitle(qtText(window.caption));
        setFixedSize(pixels(window.clientWidth), pixels(window.clientHeight));
        QFont font;
        font.setFamilies({qtText(window.font.face), qtText(window.font.fallbackFace)});
        font.setPixelSize(pixels(window.font.points * talvex::form::kTwipsPerPoint));
        // Drawn as Talvex draws its texts, without shaping.
        font.setStyleStrategy(QFont::PreferNoShaping);
        setFont(font);
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
