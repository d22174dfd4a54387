#pragma once

#include <QString>
#include <QTranslator>

#include <string_view>

namespace lumaro::gui {

// Qt's own texts (the buttons of message boxes, the file, colour, print and
// page setup dialogs) in the program's language: Qt's translation of the
// language is installed into the application, and replaced when the user
// switches. A language without Qt's file leaves those texts in English.
class CQtTranslations {
public:
    // The folder Qt reports for its translations unless one is given.
    explicit CQtTranslations(QString folder = QString());
    ~CQtTranslations();
    CQtTranslations(const CQtTranslations&) = delete;
    CQtTranslations& operator=(const CQtTranslations&) = delete;

    // languageFile is the program's language file name ("German.ini"...);
    // false when Qt has no translation for it (English always gives false).
    bool Use(std::string_view languageFile);

    // "de", "zh_CN", ...; empty for English and for names no language has.
    static QString QtLocaleOf(std::string_view languageFile);

private:
    QString m_folder;
    QTranslator m_translator;
    bool m_installed = false;
};

} // namespace lumaro::gui
