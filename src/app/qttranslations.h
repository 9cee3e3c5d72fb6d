#pragma once

class QCoreApplication;

// Loads Qt's own Japanese translations, so that the standard buttons and
// dialogs speak the program's language whatever the user's locale. False
// when they are not installed; the program then goes on in English there.
bool installQtJapaneseTranslations(QCoreApplication &app);
