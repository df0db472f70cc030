#include "fsp_FontList.h"

#include <string>

namespace {

struct Word {
    std::uint32_t bit;
    char const * text;
};

char const * FirstWord(std::uint32_t flags, std::initializer_list<Word> words)
{
    for (Word const & word : words) {
        if (flags & word.bit)
            return word.text;
    }
    return nullptr;
}

}  // namespace

void fsp_FontList::MakePattern()
{
    char const * weight = FirstWord(flags, {{medium, "-medium-"},
                                            {bold, "-bold-"},
                                            {black, "-black-"},
                                            {book, "-book-"},
                                            {demibold, "-demibold-"},
                                            {demi, "-demi-"},
                                            {light, "-light-"},
                                            {regular, "-regular-"},
                                            {semibold, "-semibold-"}});
    char const * slant = FirstWord(flags, {{roman, "r-"}, {italic, "i-"}, {oblique, "o-"}});
    char const * width = FirstWord(
        flags, {{normalWidth, "normal-"}, {condensed, "condensed-"}, {narrow, "narrow-"}, {semicondensed, "semicondensed-"}});
    std::string text = "-*-";
    text += family.Std();
    text += weight ? weight : "-*-";
    text += slant ? slant : "*-";
    text += width ? width : "*-";
    text += "*-*-%d-*-*-";
    text += (flags & proportional) ? "p-*-*-*" : "m-*-*-*";
    pattern = cow_String(std::move(text));
}

cow_String fsp_FontList::PatternFor(int pointSize) const
{
    std::string text = pattern.Std();
    std::size_t const at = text.rfind("%d");
    if (at != std::string::npos)
        text.replace(at, 2, std::to_string(pointSize));
    return cow_String(std::move(text));
}
