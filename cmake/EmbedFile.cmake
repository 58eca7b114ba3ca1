# SPDX-FileCopyrightText: 2026 Torvane Studio developers
# SPDX-License-Identifier: GPL-3.0-or-later

# Writes a C++ source that holds the bytes of one file, so the program carries
# it without a resource file to find at run time.
# Run as: cmake -DIN=<file> -DOUT=<source> -DSYMBOL=<namespace::name> -P EmbedFile.cmake
cmake_minimum_required(VERSION 3.21)
file(READ "${IN}" hex HEX)
string(LENGTH "${hex}" digits)
math(EXPR size "${digits} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n"
       bytes "${bytes}")
string(REGEX REPLACE "::[^:]*$" "" ns "${SYMBOL}")
string(REGEX REPLACE "^.*::" "" name "${SYMBOL}")
file(WRITE "${OUT}.tmp"
  "// Generated from ${IN}; do not edit.\n#include <cstddef>\nnamespace ${ns}\n{\n"
  "extern const unsigned char ${name}[];\nextern const std::size_t ${name}Size;\n"
  "const unsigned char ${name}[] = {\n${bytes}0x00};\n"
  "const std::size_t ${name}Size = ${size};\n}\n")
file(COPY_FILE "${OUT}.tmp" "${OUT}" ONLY_IF_DIFFERENT)
file(REMOVE "${OUT}.tmp")
