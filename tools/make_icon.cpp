// Writes the program's icon as a Windows .ico, derived from the XPM the Qt window uses, so the
// two front ends show the same picture.

#include "resources/talvex.xpm"
#include "tools/icon_file.h"

#include <QImage>
#include <cstdio>
#include <exception>
#include <fstream>

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fputs("usage: talvex-make-icon OUT.ico\n", stderr);
        return 2;
    }
    try {
        const QImage picture(talvex_xpm);
        if (picture.isNull()) {
            std::fputs("talvex-make-icon: the XPM did not decode\n", stderr);
            return 1;
        }
        const auto bytes = talvex::tools::windowsIcon(picture);
        std::ofstream file(argv[1], std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(bytes.data()),
                   static_cast<std::streamsize>(bytes.size()));
        file.close();
        if (!file) {
            std::fprintf(stderr, "talvex-make-icon: cannot write %s\n", argv[1]);
            return 1;
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "talvex-make-icon: %s\n", error.what());
        return 1;
    }
    return 0;
}
