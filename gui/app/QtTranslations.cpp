#include "gui/app/QtTranslations.h"

#include "gui/app/Languages.h"

#include <QCoreApplication>
#include <QLibraryInfo>

namespace lumaro::gui {

CQtTranslations::CQtTranslations(QString folder)
    : m_folder(folder.isEmpty() ? QLibraryInfo::path(QLibraryInfo::TranslationsPath) : std::move(folder))
{
}

CQtTranslations::~CQtTranslations()
{
    if (m_installed)
        QCoreApplication::removeTranslator(&m_translator);
}

QString CQtTranslations::QtLocaleOf(std::string_view languageFile)
{
    const QString name = QString::fromUtf8(languageFile.data(), static_cast<qsizetype>(languageFile.size()));
    for (const LanguageInfo& l : kLanguages)
        if (name.compare(QLatin1String(l.fileName), Qt::CaseInsensitive) == 0)
            return QString::fromLatin1(l.qtLocale);
    return QString();
}

bool CQtTranslations::Use(std::string_view languageFile)
{
    if (m_installed) {
        QCoreApplication::removeTranslator(&m_translator);
        m_installed = false;
    }
    const QString locale = QtLocaleOf(languageFile);
    if (locale.isEmpty() || !m_translator.load(QStringLiteral("qtbase_") + locale, m_folder))
        return false;
    m_installed = QCoreApplication::installTranslator(&m_translator);
    return m_installed;
}

} // namespace lumaro::gui
