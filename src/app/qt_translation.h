#pragma once
// The texts of Qt's own dialogs (file dialogs, the print dialog, the buttons of the
// message boxes) in the program's language. The program's texts are German; Qt's
// are English unless its translation (Debian qt6-translations-l10n) is loaded.
#include <QString>

// Loads Qt's translation for the language ("de"; "en" needs none) from Qt's own
// translations folder, replacing the one loaded before. False, with one line on
// standard error, when the translation is not installed: the dialogs stay English.
bool UseQtTranslation(const QString& language);
