#include "qt_translations.h"

#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace talvex::qt {

void loadQtTranslations(QCoreApplication& application) {
    auto* translator = new QTranslator(&application);
    if (translator->load(QLocale(), QStringLiteral("qt"), QStringLiteral("_"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(translator);
    } else {
        delete translator;
    }
}

} // namespace talvex::qt
