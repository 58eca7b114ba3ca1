// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "rtf/RtfKeywords.h"

#include <array>
#include <cstdint>
#include <iterator>

namespace rtf
{

namespace
{

struct KwEntry {
    std::string_view name;
    Kw kw;
};

// Alphabetical, for the reader's eye only.
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
    {"chftn", K_chftn},
    {"colorschememapping", K_skipdest},
    {"colortbl", K_colortbl},
    {"comment", K_skipdest},
    {"company", K_skipdest},
    {"cpg", K_cpg},
    {"creatim", K_skipdest},
    {"datafield", K_skipdest},
    {"datastore", K_skipdest},
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
    {"generator", K_skipdest},
    {"green", K_green},
    {"header", K_skipdest},
    {"headerf", K_skipdest},
    {"headerl", K_skipdest},
    {"headerr", K_skipdest},
    {"i", K_i},
    {"info", K_skipdest},
    {"keywords", K_skipdest},
    {"latentstyles", K_skipdest},
    {"ldblquote", K_ldblquote},
    {"line", K_line},
    {"listname", K_skipdest},
    {"listoverridetable", K_skipdest},
    {"listtable", K_skipdest},
    {"lquote", K_lquote},
    {"mac", K_mac},
    {"manager", K_skipdest},
    {"mmathPr", K_skipdest},
    {"nestcell", K_cell},
    {"nestrow", K_par},
    {"nesttableprops", K_textdest},
    {"nonesttables", K_skipdest},
    {"nonshppict", K_skipdest},
    {"object", K_skipdest},
    {"operator", K_skipdest},
    {"page", K_par},
    {"par", K_par},
    {"pc", K_pc},
    {"pca", K_pca},
    {"pgdsctbl", K_skipdest},
    {"pict", K_skipdest},
    {"plain", K_plain},
    {"pntxta", K_skipdest},
    {"pntxtb", K_skipdest},
    {"printim", K_skipdest},
    {"private", K_skipdest},
    {"protusertbl", K_skipdest},
    {"rdblquote", K_rdblquote},
    {"red", K_red},
    {"revtbl", K_skipdest},
    {"revtim", K_skipdest},
    {"row", K_par},
    {"rquote", K_rquote},
    {"rsidtbl", K_skipdest},
    {"rxe", K_skipdest},
    {"sect", K_par},
    {"strike", K_strike},
    {"striked", K_strike},
    {"stylesheet", K_skipdest},
    {"subject", K_skipdest},
    {"tab", K_tab},
    {"tc", K_skipdest},
    {"template", K_skipdest},
    {"themedata", K_skipdest},
    {"title", K_skipdest},
    {"txe", K_skipdest},
    {"u", K_u},
    {"uc", K_uc},
    {"ud", K_textdest},
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
    {"upr", K_upr},
    {"userprops", K_skipdest},
    {"v", K_v},
    {"wgrffmtfilter", K_skipdest},
    {"xe", K_skipdest},
    {"xmlnstbl", K_skipdest},
};

// Every control word is looked up, so this is the reader's hottest path: an
// open-addressing table built at compile time, one hash and mostly one
// comparison per word, instead of a binary search's seven.
constexpr std::uint32_t hashWord(std::string_view w)
{
    std::uint32_t h = 2166136261u; // FNV-1a
    for (char c : w)
        h = (h ^ std::uint8_t(c)) * 16777619u;
    return h;
}

constexpr std::size_t kSlots = 512; // a power of two, about four slots a word
static_assert(std::size(kKeywords) * 3 < kSlots);

constexpr auto kSlotTable = [] {
    std::array<std::int16_t, kSlots> t{};
    for (auto &slot : t)
        slot = -1;
    for (std::size_t i = 0; i < std::size(kKeywords); ++i) {
        std::size_t h = hashWord(kKeywords[i].name) & (kSlots - 1);
        while (t[h] >= 0)
            h = (h + 1) & (kSlots - 1);
        t[h] = std::int16_t(i);
    }
    return t;
}();

// Words are a few letters long: a loop beats a call to memcmp.
constexpr bool same(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (a[i] != b[i])
            return false;
    return true;
}

constexpr Kw find(std::string_view w)
{
    for (std::size_t h = hashWord(w) & (kSlots - 1);; h = (h + 1) & (kSlots - 1)) {
        const int i = kSlotTable[h];
        if (i < 0)
            return K_unknown;
        if (same(kKeywords[i].name, w))
            return kKeywords[i].kw;
    }
}

// Every word is found with its own meaning (none is listed twice with two).
constexpr bool everyWordFound()
{
    for (const KwEntry &k : kKeywords)
        if (find(k.name) != k.kw)
            return false;
    return true;
}
static_assert(everyWordFound());

} // namespace

Kw lookup(std::string_view w)
{
    return find(w);
}

} // namespace rtf
