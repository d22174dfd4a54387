#include "gui/app/MessageText.h"

#include "core/app/LangText.h"

#include <QStringList>

namespace lumaro::gui {

QString LangTextWith(const std::string& key, const std::vector<std::string>& values)
{
    QString text = QString::fromStdString(GetLangText(key));
    if (text.isEmpty())
        return text;
    // One pass over the text, so that a value holding "%2" stays as it is
    // and a placeholder without a value shows as written.
    QStringList args;
    for (const std::string& value : values)
        args << QString::fromStdString(value);
    QString result;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('%') && i + 1 < text.size() && text[i + 1].isDigit()) {
            qsizetype end = i + 1;
            while (end < text.size() && text[end].isDigit())
                ++end;
            const int n = text.mid(i + 1, end - i - 1).toInt();
            if (n >= 1 && n <= args.size()) {
                result += args[n - 1];
                i = end - 1;
                continue;
            }
        }
        result += text[i];
    }
    return result;
}

QString DetailText(const Status& status)
{
    if (status.detailKey.empty())
        return QString();
    return LangTextWith(status.detailKey, status.detailValues);
}

} // namespace lumaro::gui
