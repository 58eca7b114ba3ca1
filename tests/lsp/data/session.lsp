Content-Length: 57

{"jsonrpc": "2.0", "method": "initialized", "params": {}}Content-Length: 251

{"jsonrpc": "2.0", "method": "textDocument/didOpen", "params": {"textDocument": {"uri": "file:///seed.8xp.txt", "languageId": "tibasic", "version": 1, "text": "Lbl A\nDisp 0.5\nGoto Z\nMenu(\"T\",\"X\",A,\"Y\",B)\nOutput(1,1,\"HI\")\n1→θ:ʟAB²"}}}Content-Length: 252

{"jsonrpc": "2.0", "method": "textDocument/didChange", "params": {"textDocument": {"uri": "file:///seed.8xp.txt", "version": 2}, "contentChanges": [{"range": {"start": {"line": 1, "character": 5}, "end": {"line": 1, "character": 6}}, "text": "😀"}]}}Content-Length: 161

{"jsonrpc": "2.0", "id": 2, "method": "textDocument/hover", "params": {"textDocument": {"uri": "file:///seed.8xp.txt"}, "position": {"line": 1, "character": 1}}}Content-Length: 225

{"jsonrpc": "2.0", "id": 3, "method": "textDocument/codeAction", "params": {"textDocument": {"uri": "file:///seed.8xp.txt"}, "range": {"start": {"line": 2, "character": 5}, "end": {"line": 2, "character": 5}}, "context": {}}}Content-Length: 166

{"jsonrpc": "2.0", "id": 4, "method": "textDocument/completion", "params": {"textDocument": {"uri": "file:///seed.8xp.txt"}, "position": {"line": 2, "character": 5}}}Content-Length: 178

{"jsonrpc": "2.0", "id": 5, "method": "textDocument/rename", "params": {"textDocument": {"uri": "file:///seed.8xp.txt"}, "position": {"line": 0, "character": 4}, "newName": "B"}}Content-Length: 140

{"jsonrpc": "2.0", "id": 6, "method": "textDocument/formatting", "params": {"textDocument": {"uri": "file:///seed.8xp.txt"}, "options": {}}}Content-Length: 207

{"jsonrpc": "2.0", "id": 7, "method": "textDocument/references", "params": {"textDocument": {"uri": "file:///seed.8xp.txt"}, "position": {"line": 0, "character": 4}, "context": {"includeDeclaration": true}}}Content-Length: 68

{"jsonrpc": "2.0", "method": "$/cancelRequest", "params": {"id": 7}}Content-Length: 49

{"jsonrpc": "2.0", "id": 8, "method": "shutdown"}Content-Length: 36

{"jsonrpc": "2.0", "method": "exit"}