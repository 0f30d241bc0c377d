#include "app/qt/qt_translations.h"

#include <QApplication>
#include <QMenu>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTranslator>
#include <gtest/gtest.h>
#include <memory>

namespace talvex::qt {
namespace {

TEST(QtTranslations, GiveQtsOwnTextsInTheLanguageOfTheSystemsLocale) {
    const QLocale before;
    QLocale::setDefault(QLocale(QLocale::Bulgarian, QLocale::Bulgaria));
    loadQtTranslations(*QCoreApplication::instance());

    QPlainTextEdit box;
    const std::unique_ptr<QMenu> menu(box.createStandardContextMenu());
    for (const QAction* action : menu->actions()) {
        if (!action->isSeparator()) {
            EXPECT_TRUE(action->text().contains(QRegularExpression(QStringLiteral("[а-я]"))))
                << action->text().toStdString();
        }
    }

    // A translator takes itself out of the application when it goes.
    qDeleteAll(QCoreApplication::instance()->findChildren<QTranslator*>());
    QLocale::setDefault(before);
}

} // namespace
} // namespace talvex::qt
