#include "utl_tr.h"

#include <string>
#include <unordered_map>

namespace {
std::unordered_map<std::string, std::string> & Catalogue()
{
    static std::unordered_map<std::string, std::string> catalogue;
    return catalogue;
}
}  // namespace

char const * utl_tr(char const * text)
{
    if (!text)
        return "";
    auto & catalogue = Catalogue();
    if (catalogue.empty())
        return text;
    auto found = catalogue.find(text);
    return found == catalogue.end() ? text : found->second.c_str();
}

void utl_SetTranslation(char const * english, char const * translated)
{
    if (english && translated)
        Catalogue()[english] = translated;
}

void utl_ClearTranslations()
{
    Catalogue().clear();
}
