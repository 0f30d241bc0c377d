// Writes the program's icon for the desktop into DIR as the hicolor theme lays it out,
// DIR/<side>x<side>/apps/NAME.png, one picture at each side the window's icon has.

#include "app/qt/program_icon.h"

#include <QDir>
#include <QString>
#include <cstdio>

int main(int argc, char* argv[]) {
    if (argc != 3) {
        std::fputs("usage: talvex-write-icons DIR NAME\n", stderr);
        return 2;
    }
    const QString root = QString::fromLocal8Bit(argv[1]);
    const QString name = QString::fromLocal8Bit(argv[2]);
    for (const int side : talvex::qt::kIconSides) {
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(root).arg(side);
        const QString file = QStringLiteral("%1/%2.png").arg(folder, name);
        if (!QDir().mkpath(folder) || !talvex::qt::iconPicture(side).save(file)) {
            std::fprintf(stderr, "talvex-write-icons: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
