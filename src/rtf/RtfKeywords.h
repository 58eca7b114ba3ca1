// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The control words the reader acts on. Every other word is ignored, so
// the table only grows when a word changes what a reader shows.
#include <string_view>

namespace rtf
{

enum Kw : int {
    K_unknown,
    K_skipdest, // a destination whose content is no text of the document
    K_textdest, // a destination whose text is shown, also after \*
    K_fonttbl,
    K_colortbl,
    K_ansi,
    K_mac,
    K_pc,
    K_pca,
    K_ansicpg,
    K_deff,
    K_f,
    K_fcharset,
    K_cpg,
    K_fs,
    K_b,
    K_i,
    K_ul,
    K_ulnone,
    K_strike,
    K_cf,
    K_plain,
    K_red,
    K_green,
    K_blue,
    K_par,
    K_line,
    K_tab,
    K_cell,
    K_emdash,
    K_endash,
    K_lquote,
    K_rquote,
    K_ldblquote,
    K_rdblquote,
    K_bullet,
    K_emspace,
    K_enspace,
    K_u,
    K_uc,
    K_bin,
    K_v,
    K_upr,   // the ANSI half of a pair whose Unicode half is \ud
    K_chftn, // a footnote's number
};

// The word's meaning; K_unknown for words the reader ignores.
Kw lookup(std::string_view word);

} // namespace rtf
