#include "core/effects/ModeCatalogue.h"

namespace lumaro {

bool IsWordMode(std::string_view type)
{
    return type == "CM_LEFTTORIGHT_WORD" || type == "CM_RIGHTTOLEFT_WORD" || type == "CM_UPTODOWN_WORD"
           || type == "CM_DOWNTOUP_WORD";
}

bool IsCircularAreaMode(std::string_view type)
{
    return type == kCircularAreaType;
}

} // namespace lumaro
