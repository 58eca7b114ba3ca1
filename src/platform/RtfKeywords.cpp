#include "platform/RtfKeywords.h"

#include <algorithm>
#include <iterator>

namespace platform::rtf
{

namespace
{

struct KwEntry {
    std::string_view name;
    Kw kw;
};

// Sorted by name for binary search.
constexpr KwEntry kKeywords[] = {
    {"aftncn", K_skipdest},
    {"aftnsep", K_skipdest},
    {"aftnsepc", K_skipdest},
    {"annotation", K_skipdest},
    {"ansi", K_ansi},
    {"ansicpg", K_ansicpg},
    {"atnauthor", K_skipdest},
    {"atndate", K_skipdest},
    {"atnid", K_skipdest},
    {"atnref", K_skipdest},
    {"author", K_skipdest},
    {"b", K_b},
    {"bin", K_bin},
    {"bkmkend", K_skipdest},
    {"bkmkstart", K_skipdest},
    {"blue", K_blue},
    {"bullet", K_bullet},
    {"buptim", K_skipdest},
    {"category", K_skipdest},
    {"cell", K_cell},
    {"cf", K_cf},
    {"colortbl", K_colortbl},
    {"comment", K_skipdest},
    {"company", K_skipdest},
    {"cpg", K_cpg},
    {"creatim", K_skipdest},
    {"datafield", K_skipdest},
    {"deff", K_deff},
    {"do", K_skipdest},
    {"doccomm", K_skipdest},
    {"docvar", K_skipdest},
    {"emdash", K_emdash},
    {"emspace", K_emspace},
    {"endash", K_endash},
    {"enspace", K_enspace},
    {"f", K_f},
    {"fcharset", K_fcharset},
    {"filetbl", K_skipdest},
    {"fldinst", K_skipdest},
    {"fonttbl", K_fonttbl},
    {"footer", K_skipdest},
    {"footerf", K_skipdest},
    {"footerl", K_skipdest},
    {"footerr", K_skipdest},
    {"footnote", K_skipdest},
    {"fs", K_fs},
    {"ftncn", K_skipdest},
    {"ftnsep", K_skipdest},
    {"ftnsepc", K_skipdest},
    {"green", K_green},
    {"header", K_skipdest},
    {"headerf", K_skipdest},
    {"headerl", K_skipdest},
    {"headerr", K_skipdest},
    {"i", K_i},
    {"info", K_skipdest},
    {"keywords", K_skipdest},
    {"ldblquote", K_ldblquote},
    {"line", K_line},
    {"listoverridetable", K_skipdest},
    {"listtable", K_skipdest},
    {"lquote", K_lquote},
    {"mac", K_mac},
    {"manager", K_skipdest},
    {"nestcell", K_cell},
    {"nonshppict", K_skipdest},
    {"object", K_skipdest},
    {"operator", K_skipdest},
    {"page", K_par},
    {"par", K_par},
    {"pc", K_pc},
    {"pca", K_pca},
    {"pict", K_skipdest},
    {"plain", K_plain},
    {"pntxta", K_skipdest},
    {"pntxtb", K_skipdest},
    {"printim", K_skipdest},
    {"private", K_skipdest},
    {"rdblquote", K_rdblquote},
    {"red", K_red},
    {"revtbl", K_skipdest},
    {"revtim", K_skipdest},
    {"row", K_par},
    {"rquote", K_rquote},
    {"rxe", K_skipdest},
    {"sect", K_par},
    {"strike", K_strike},
    {"striked", K_strike},
    {"stylesheet", K_skipdest},
    {"subject", K_skipdest},
    {"tab", K_tab},
    {"tc", K_skipdest},
    {"template", K_skipdest},
    {"title", K_skipdest},
    {"txe", K_skipdest},
    {"u", K_u},
    {"uc", K_uc},
    {"ul", K_ul},
    {"uld", K_ul},
    {"uldash", K_ul},
    {"uldashd", K_ul},
    {"uldashdd", K_ul},
    {"uldb", K_ul},
    {"ulhwave", K_ul},
    {"ulldash", K_ul},
    {"ulnone", K_ulnone},
    {"ulth", K_ul},
    {"ulw", K_ul},
    {"ulwave", K_ul},
    {"userprops", K_skipdest},
    {"v", K_v},
    {"xe", K_skipdest},
};

} // namespace

Kw lookup(std::string_view w)
{
    const auto *b = std::begin(kKeywords), *e = std::end(kKeywords);
    const auto *it =
        std::lower_bound(b, e, w, [](const KwEntry &k, std::string_view v) { return k.name < v; });
    return (it != e && it->name == w) ? it->kw : K_unknown;
}

} // namespace platform::rtf
