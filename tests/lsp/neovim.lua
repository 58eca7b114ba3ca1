-- SPDX-FileCopyrightText: 2026 Torvane Studio developers
-- SPDX-License-Identifier: GPL-3.0-or-later

-- A real client: headless Neovim edits a listing with the server running.
-- Run as: TORVANE_EXECUTABLE=... TORVANE_LISTING=.../prog.8xp.txt
--         nvim --headless --clean -c "luafile neovim.lua"
-- Exits 0 when every step holds; otherwise 1 with the step on stderr.

local exe = os.getenv('TORVANE_EXECUTABLE')
local file = os.getenv('TORVANE_LISTING')

local function fail(message)
  error(message, 0)
end

local function main()
  local out = io.open(file, 'w')
  out:write('Disp 0.5\nGoto Z\n')
  out:close()
  vim.cmd('edit ' .. vim.fn.fnameescape(file))
  local buf = vim.api.nvim_get_current_buf()
  local uri = vim.uri_from_bufnr(buf)
  local exit_code
  local id = vim.lsp.start_client({
    name = 'torvane',
    cmd = { exe, '--lsp' },
    root_dir = vim.fn.fnamemodify(file, ':h'),
    on_exit = function(code) exit_code = code end,
  })
  if not id then fail('the server did not start') end
  vim.lsp.buf_attach_client(buf, id)
  local client = vim.lsp.get_client_by_id(id)

  local function errors()
    return vim.diagnostic.get(buf, { severity = vim.diagnostic.severity.ERROR })
  end

  -- The missing label is an error on the Z.
  if not vim.wait(10000, function() return #errors() > 0 end, 20) then
    fail('no error for Goto Z')
  end
  local e = errors()[1]
  if e.lnum ~= 1 or e.col ~= 5 or e.code ~= 'missing-label' then
    fail(('the error is at %d:%d (%s)'):format(e.lnum, e.col, tostring(e.code)))
  end

  -- Hover on Disp: the reference's syntax and the byte counts.
  local hover = client.request_sync('textDocument/hover', {
    textDocument = { uri = uri }, position = { line = 0, character = 1 },
  }, 5000, buf)
  local text = hover and hover.result and hover.result.contents.value or ''
  if not text:find('Disp: 1 byte; this line: 4 bytes', 1, true) then
    fail('hover says: ' .. text)
  end

  local function actions(line, character)
    local r = client.request_sync('textDocument/codeAction', {
      textDocument = { uri = uri },
      range = { start = { line = line, character = character },
                ['end'] = { line = line, character = character } },
      context = { diagnostics = {} },
    }, 5000, buf)
    return r and r.result or {}
  end

  -- The error's quick fix is offered; the hint's is applied.
  local titles = {}
  for _, a in ipairs(actions(1, 5)) do table.insert(titles, a.title) end
  if titles[1] ~= 'Add Lbl Z at the end' then
    fail('the fixes of the error are: ' .. table.concat(titles, ', '))
  end
  local hint = actions(0, 5)[1]
  if not hint or hint.kind ~= 'quickfix' then fail('no fix for the leading 0') end
  vim.lsp.util.apply_workspace_edit(hint.edit, client.offset_encoding)
  local first = vim.api.nvim_buf_get_lines(buf, 0, 1, false)[1]
  if first ~= 'Disp .5' then fail('the fix made: ' .. first) end

  -- Typing Lbl Z below, a character at a time, clears the error.
  vim.api.nvim_buf_set_lines(buf, 2, 2, false, { '' })
  for _, c in ipairs({ 'L', 'b', 'l', ' ', 'Z' }) do
    local line = vim.api.nvim_buf_get_lines(buf, 2, 3, false)[1]
    vim.api.nvim_buf_set_text(buf, 2, #line, 2, #line, { c })
  end
  if not vim.wait(10000, function() return #errors() == 0 end, 20) then
    fail('the error stays after Lbl Z')
  end

  vim.lsp.stop_client(id)
  if not vim.wait(10000, function() return exit_code ~= nil end, 20) then
    fail('the server did not stop')
  end
  if exit_code ~= 0 then fail('the server ended with ' .. exit_code) end
end

local ok, message = pcall(main)
if ok then
  io.stdout:write('neovim: every step passed\n')
  vim.cmd('qall!')
else
  io.stderr:write('neovim: ' .. tostring(message) .. '\n')
  vim.cmd('cquit 1')
end
