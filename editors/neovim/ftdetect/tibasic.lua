-- SPDX-FileCopyrightText: 2026 Torvane Studio developers
-- SPDX-License-Identifier: GPL-3.0-or-later

-- A TI-BASIC listing is NAME.8xp.txt (or NAME.83p.txt). The rule for *.txt
-- has made it text already, so the file type is set, not offered.
vim.cmd([[autocmd BufRead,BufNewFile *.8xp.txt,*.83p.txt set filetype=tibasic]])
