#pragma once
// Qt's own texts (file chooser, progress and message-box buttons, colour
// dialog) in Japanese, whatever the locale: the dialog speaks only Japanese.
class QCoreApplication;

// Installs Qt's Japanese translations from the system's Qt translation folder
// (Debian's qt6-translations-l10n) and makes Japanese the default locale;
// false when the translations are missing (Qt's English texts stay).
bool InstallQtTranslations(QCoreApplication& app);
