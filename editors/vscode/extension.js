// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// Starts torvane-studio --lsp for TI-BASIC listings. Plain JavaScript, so
// the folder is the extension as it is: `npm install` fetches the client.
const vscode = require('vscode');
const { LanguageClient } = require('vscode-languageclient/node');

let client;

function activate(context) {
  const settings = vscode.workspace.getConfiguration('torvane');
  const command = settings.get('executable') || 'torvane-studio';
  const server = { command, args: ['--lsp'] };
  client = new LanguageClient('torvane', 'TI-BASIC (Torvane Studio)',
    { run: server, debug: server },
    {
      documentSelector: [{ language: 'tibasic' }],
      initializationOptions: { model: settings.get('model') || '' },
      synchronize: { configurationSection: 'torvane' },
    });
  context.subscriptions.push(
    vscode.commands.registerCommand('torvane.export8xpHere', async () => {
      const editor = vscode.window.activeTextEditor;
      if (!editor) return;
      const uri = editor.document.uri;
      const target = await vscode.window.showSaveDialog({
        defaultUri: vscode.Uri.file(uri.fsPath.replace(/(\.8xp)?\.txt$/i, '.8xp')),
        filters: { 'Calculator programs': ['8xp', '83p'] },
      });
      if (!target) return;
      const r = await vscode.commands.executeCommand('torvane.export8xp',
        { uri: uri.toString(), out: target.toString() });
      if (r) vscode.window.showInformationMessage(`${r.path}: ${r.bytes} bytes`);
    }),
    vscode.commands.registerCommand('torvane.runHere', async () => {
      const editor = vscode.window.activeTextEditor;
      if (!editor) return;
      const r = await vscode.commands.executeCommand('torvane.run',
        { uri: editor.document.uri.toString() });
      if (!r) return;
      const out = vscode.window.createOutputChannel('TI-BASIC');
      out.clear();
      out.appendLine(r.screen.join('\n'));
      if (r.error) out.appendLine(`${r.error.name}, line ${r.error.line}`);
      out.show(true);
    }));
  return client.start();
}

function deactivate() {
  return client ? client.stop() : undefined;
}

module.exports = { activate, deactivate };
