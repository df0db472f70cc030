// The fonts key answered from fontconfig.
#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <iterator>
#include <set>

#include "win_Registry.h"

namespace {

struct ConfigCloser {
    void operator()(FcConfig * config) const { FcConfigDestroy(config); }
};
struct PatternCloser {
    void operator()(FcPattern * pattern) const { FcPatternDestroy(pattern); }
};
struct ObjectSetCloser {
    void operator()(FcObjectSet * set) const { FcObjectSetDestroy(set); }
};
struct FontSetCloser {
    void operator()(FcFontSet * set) const { FcFontSetDestroy(set); }
};

struct Face {
    std::string file;
    bool type1 = false;
    std::vector<std::string> families;  // the first is the English name where there is one
    std::string style;
};

std::string Lower(std::string text)
{
    for (char & c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

// The file's extension in lower case; empty without one.
std::string Extension(std::string const & file)
{
    std::size_t const dot = file.rfind('.');
    return dot == std::string::npos ? std::string() : Lower(file.substr(dot));
}

// The font engines read TrueType faces from ".ttf" and ".ttc" files (the
// first face of a collection) and Type 1 fonts from ".pfa" and ".pfb" files.
bool IsTrueTypeFile(std::string const & file)
{
    std::string const extension = Extension(file);
    return extension == ".ttf" || extension == ".ttc";
}

bool IsType1File(std::string const & file)
{
    std::string const extension = Extension(file);
    return extension == ".pfa" || extension == ".pfb";
}

// The values of `object` in order, the English one first.
std::vector<std::string> Strings(FcPattern * pattern, char const * object, char const * langObject)
{
    std::vector<std::string> values;
    int english = -1;
    FcChar8 * text = nullptr;
    for (int i = 0; FcPatternGetString(pattern, object, i, &text) == FcResultMatch; ++i) {
        values.emplace_back(reinterpret_cast<char const *>(text));
        FcChar8 * lang = nullptr;
        if (english < 0 && FcPatternGetString(pattern, langObject, i, &lang) == FcResultMatch &&
            std::strcmp(reinterpret_cast<char const *>(lang), "en") == 0)
            english = i;
    }
    if (english > 0)
        std::rotate(values.begin(), values.begin() + english, values.begin() + english + 1);
    return values;
}

std::vector<Face> FontFaces(FcConfig * config)
{
    std::vector<Face> faces;
    std::unique_ptr<FcPattern, PatternCloser> all(FcPatternCreate());
    std::unique_ptr<FcObjectSet, ObjectSetCloser> objects(
        FcObjectSetBuild(FC_FAMILY, FC_FAMILYLANG, FC_STYLE, FC_STYLELANG, FC_FILE, FC_INDEX, nullptr));
    if (!all || !objects)
        return faces;
    std::unique_ptr<FcFontSet, FontSetCloser> set(FcFontList(config, all.get(), objects.get()));
    if (!set)
        return faces;
    for (int i = 0; i < set->nfont; ++i) {
        FcPattern * font = set->fonts[i];
        FcChar8 * file = nullptr;
        int index = 0;
        if (FcPatternGetString(font, FC_FILE, 0, &file) != FcResultMatch ||
            FcPatternGetInteger(font, FC_INDEX, 0, &index) != FcResultMatch || index != 0)
            continue;
        Face face;
        face.file = reinterpret_cast<char const *>(file);
        face.families = Strings(font, FC_FAMILY, FC_FAMILYLANG);
        std::vector<std::string> const styles = Strings(font, FC_STYLE, FC_STYLELANG);
        face.type1 = IsType1File(face.file);
        if (!(face.type1 || IsTrueTypeFile(face.file)) || face.families.empty())
            continue;
        face.style = styles.empty() ? std::string() : styles.front();
        faces.push_back(std::move(face));
    }
    std::sort(faces.begin(), faces.end(), [](Face const & a, Face const & b) { return a.file < b.file; });
    return faces;
}

// The regular face is registered under the bare family name.
std::string ValueName(std::string const & family, Face const & face)
{
    static char const * const regular[] = {"Regular", "Normal", "Book", "Roman", ""};
    bool const plain = std::any_of(std::begin(regular), std::end(regular),
                                   [&](char const * word) { return face.style == word; });
    return family + (plain ? "" : " " + face.style) + (face.type1 ? " (Type 1)" : " (TrueType)");
}

win_RegistryValue FontValue(std::string const & family, Face const & face)
{
    win_RegistryValue value;
    value.name = ValueName(family, face);
    value.type = win_REG_SZ;
    value.data.assign(face.file.begin(), face.file.end());
    value.data.push_back('\0');
    return value;
}

bool HasFamily(Face const & face, std::string const & family)
{
    return std::any_of(face.families.begin(), face.families.end(),
                       [&](std::string const & own) { return Lower(own) == Lower(family); });
}

// The families fontconfig binds to `family` as metric-compatible: the leading
// run of its substitutes that are not bound weakly, `family` itself first.
std::vector<std::string> MetricFamilies(FcConfig * config, char const * family)
{
    std::vector<std::string> families;
    std::unique_ptr<FcPattern, PatternCloser> pattern(FcPatternCreate());
    if (!pattern || !FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<FcChar8 const *>(family)) ||
        !FcConfigSubstitute(config, pattern.get(), FcMatchPattern))
        return families;
    FcPatternIter iter;
    if (!FcPatternFindIter(pattern.get(), &iter, FC_FAMILY))
        return families;
    int const count = FcPatternIterValueCount(pattern.get(), &iter);
    for (int i = 0; i < count; ++i) {
        FcValue value;
        FcValueBinding binding;
        if (FcPatternIterGetValue(pattern.get(), &iter, i, &value, &binding) != FcResultMatch ||
            binding == FcValueBindingWeak || value.type != FcTypeString)
            break;
        families.emplace_back(reinterpret_cast<char const *>(value.u.s));
    }
    return families;
}

std::vector<win_RegistryValue> ReadFonts()
{
    std::vector<win_RegistryValue> values;
    std::unique_ptr<FcConfig, ConfigCloser> config(FcInitLoadConfigAndFonts());
    if (!config)
        return values;
    std::vector<Face> const faces = FontFaces(config.get());
    for (Face const & face : faces)
        values.push_back(FontValue(face.families.front(), face));

    // The classic names stand for TrueType faces only, as they always have.
    std::vector<Face> trueTypeFaces;
    std::copy_if(faces.begin(), faces.end(), std::back_inserter(trueTypeFaces),
                 [](Face const & face) { return !face.type1; });

    // Each classic name with the one it is metric-compatible with.
    static char const * const classic[][2] = {
        {"Arial", "Helvetica"}, {"Helvetica", "Arial"},       {"Times New Roman", "Times"},
        {"Times", "Times New Roman"}, {"Courier New", "Courier"}, {"Courier", "Courier New"},
    };
    for (auto const & pair : classic) {
        auto const installed = [&](std::string const & family) {
            return std::any_of(trueTypeFaces.begin(), trueTypeFaces.end(),
                               [&](Face const & f) { return HasFamily(f, family); });
        };
        if (installed(pair[0]))
            continue;
        std::vector<std::string> candidates = MetricFamilies(config.get(), pair[0]);
        std::vector<std::string> const sibling = MetricFamilies(config.get(), pair[1]);
        candidates.insert(candidates.end(), sibling.begin(), sibling.end());
        auto const substitute = std::find_if(candidates.begin(), candidates.end(), installed);
        if (substitute == candidates.end())
            continue;
        for (Face const & face : trueTypeFaces) {
            if (HasFamily(face, *substitute))
                values.push_back(FontValue(pair[0], face));
        }
    }
    return values;
}

bool IsFontsKey(win_Hive hive, char const * path)
{
    if (hive != win_Hive::localMachine || !path)
        return false;
    return Lower(path) == Lower(win_fontsKey);
}

}  // namespace

std::unique_ptr<win_RegistryKey> win_FontconfigRegistry::OpenKey(win_Hive hive, char const * path) const
{
    if (!IsFontsKey(hive, path))
        return nullptr;
    if (!fonts)
        fonts = std::make_shared<std::vector<win_RegistryValue>>(ReadFonts());
    return std::make_unique<win_ListKey>(fonts);
}
