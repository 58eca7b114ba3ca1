// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// An independent reader of calculator files, for the tests: tivars_lib_cpp
// behind a few plain functions, so the tests (C++17, Qt) never include it.
#include <cstdint>
#include <string>
#include <vector>

namespace peer
{

struct Variable {
    std::string name;
    int type = -1;
    int version = 0;
    bool archived = false;
    std::vector<uint8_t> tokens; // a program's token bytes, without the length
};

// Every variable of a file. Empty, with *error set, when it refuses the file
// (a wrong checksum, length or header).
std::vector<Variable> readFile(const std::string &path, std::string *error);

// The product id of a file's header; -1 when it refuses the file.
int productId(const std::string &path);

// The token bytes it makes of text in its own spelling.
std::vector<uint8_t> tokenize(const std::string &text, std::string *error);

// The lowest version byte it gives a program of these token bytes (0xFF
// when they hold tokens it does not know).
int minimumVersion(const std::vector<uint8_t> &tokens);

} // namespace peer
