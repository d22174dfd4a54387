#include "gui/app/MessageText.h"

#include "core/app/LangText.h"
#include "core/app/TextUtil.h"

namespace lumaro::gui {

QString LangText(const char* key, const char* fallback)
{
    const std::string text = GetLangText(key);
    return QString::fromStdString(text.empty() && fallback ? std::string(fallback) : text);
}

QString LangTextWith(const std::string& key, const std::vector<std::string>& values)
{
    return QString::fromStdString(FillPlaceholders(GetLangText(key), values));
}

QString DetailText(const Status& status)
{
    if (status.detailKey.empty())
        return QString();
    return LangTextWith(status.detailKey, status.detailValues);
}

} // namespace lumaro::gui
