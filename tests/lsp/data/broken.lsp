Content-Type: x

Content-Length: 5

{oopsContent-Length: 78

{"jsonrpc": "2.0", "id": 1, "method": "textDocument/definition", "params": {}}