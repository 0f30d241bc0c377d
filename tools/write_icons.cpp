// Writes the program's icon for the desktop into DIR as the hicolor theme lays it out,
// DIR/<side>x<side>/apps/NAME.png, one picture at each side the window's icon has; or, with
// --windows, the pictures that scripts/icons packs into Talvex.exe's icon, DIR/<side>.png.

#include "app/qt/program_icon.h"
#include "tools/windows_icon.h"

#include <QDir>
#include <QImage>
#include <QString>
#include <cstdio>
#include <cstring>

namespace {

bool save(const QImage& picture, const QString& folder, const QString& file) {
    if (!QDir().mkpath(folder) || !picture.save(file)) {
        std::fprintf(stderr, "talvex-write-icons: cannot write %s\n", qPrintable(file));
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fputs("usage: talvex-write-icons DIR NAME\n"
                   "       talvex-write-icons --windows DIR\n",
                   stderr);
        return 2;
    }
    if (std::strcmp(argv[1], "--windows") == 0) {
        const QString folder = QString::fromLocal8Bit(argv[2]);
        for (const int side : talvex::tools::kWindowsIconSides) {
            const QString file = QStringLiteral("%1/%2.png").arg(folder).arg(side);
            if (!save(talvex::tools::windowsIconPicture(side), folder, file)) {
                return 1;
            }
        }
        return 0;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    const QString name = QString::fromLocal8Bit(argv[2]);
    for (const int side : talvex::qt::kIconSides) {
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(root).arg(side);
        const QString file = QStringLiteral("%1/%2.png").arg(folder, name);
        if (!save(talvex::qt::iconPicture(side), folder, file)) {
            return 1;
        }
    }
    return 0;
}
