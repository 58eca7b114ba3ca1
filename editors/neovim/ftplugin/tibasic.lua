-- SPDX-FileCopyrightText: 2026 Torvane Studio developers
-- SPDX-License-Identifier: GPL-3.0-or-later

-- Starts torvane-studio --lsp for TI-BASIC listings, one server for all of
-- them, and attaches it to this buffer.
local buf = vim.api.nvim_get_current_buf()

local function config()
  return {
    name = 'torvane',
    cmd = { vim.g.torvane_executable or 'torvane-studio', '--lsp' },
    root_dir = vim.fn.getcwd(),
    init_options = vim.g.torvane_model and { model = vim.g.torvane_model } or nil,
  }
end

if vim.lsp.start then
  vim.lsp.start(config(), { bufnr = buf })
else
  -- Neovim 0.7: start the client once and attach each buffer.
  if not vim.g.torvane_client or not vim.lsp.get_client_by_id(vim.g.torvane_client) then
    vim.g.torvane_client = vim.lsp.start_client(config())
  end
  if vim.g.torvane_client then
    vim.lsp.buf_attach_client(buf, vim.g.torvane_client)
  end
end

vim.api.nvim_buf_create_user_command(buf, 'TorvaneExport8xp', function(opts)
  local out = vim.fn.fnamemodify(opts.args, ':p')
  vim.lsp.buf.execute_command({
    command = 'torvane.export8xp',
    arguments = { { uri = vim.uri_from_bufnr(buf), out = out } },
  })
end, { nargs = 1, complete = 'file' })
