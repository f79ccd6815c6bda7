#pragma once
// Qt's own texts in the system's language: the standard buttons ("确定", "取消"), the file,
// print and colour dialogs ("另存为"). Every other text of the system is Chinese already.
class QCoreApplication;
class QTranslator;

namespace ui {

// Loads Qt's Chinese (zh_CN) translations into app and makes Chinese the default locale of
// Qt's widgets. Answers the installed translator (owned by app), or null when the translations
// are not installed here (Debian: qt6-translations-l10n); Qt's texts then stay English.
QTranslator* InstallQtTranslations(QCoreApplication& app);

} // namespace ui
