#pragma once

#include <QCoreApplication>

namespace talvex::qt {

// Qt's own texts (the text boxes' context menus, the message box's buttons) in the language of
// the system's locale, where the system has Qt's translations for it; English otherwise. Ours
// are Bulgarian whatever the locale.
void loadQtTranslations(QCoreApplication& application);

} // namespace talvex::qt
