// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "TivarsPeer.h"

#include "tivars_lib_cpp.hpp"

#include <algorithm>
#include <exception>

namespace peer
{

std::vector<Variable> readFile(const std::string &path, std::string *error)
{
    std::vector<Variable> out;
    try {
        tivars::TIVarFile file = tivars::TIVarFile::loadFromFile(path);
        if (file.isCorrupt()) {
            *error = "corrupt";
            return {};
        }
        for (const auto &entry : file.getVarEntries()) {
            Variable v;
            v.type = entry.typeID;
            v.name = tivars::entry_name_to_string(entry._type, entry.varname);
            v.version = entry.version;
            v.archived = entry.archivedFlag == 0x80;
            if ((v.type == 0x05 || v.type == 0x06) && entry.data.size() >= 2)
                v.tokens.assign(entry.data.begin() + 2, entry.data.end());
            out.push_back(v);
        }
    } catch (const std::exception &e) {
        *error = e.what();
        return {};
    }
    return out;
}

int productId(const std::string &path)
{
    try {
        return tivars::TIVarFile::loadFromFile(path).getHeader().ownerPID;
    } catch (const std::exception &) {
        return -1;
    }
}

std::vector<uint8_t> tokenize(const std::string &text, std::string *error)
{
    try {
        auto file = tivars::TIVarFile::createNew("Program", "A");
        file.setContentFromString(text);
        const std::vector<uint8_t> raw = file.getRawContent();
        return std::vector<uint8_t>(raw.begin() + 2, raw.end());
    } catch (const std::exception &e) {
        *error = e.what();
        return {};
    }
}

int minimumVersion(const std::vector<uint8_t> &tokens)
{
    // Its data: the length, then the tokens.
    data_t data(tokens.size() + 2);
    data[0] = uint8_t(tokens.size() & 0xFF);
    data[1] = uint8_t(tokens.size() >> 8);
    std::copy(tokens.begin(), tokens.end(), data.begin() + 2);
    return tivars::TypeHandlers::TH_Tokenized::getMinVersionFromData(data);
}

} // namespace peer
