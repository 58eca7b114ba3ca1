// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The calculator's RAM: what each variable takes in it, what a run holds
// for itself, and how much the model has. The total moves as variables
// change, never by a recount, so a store costs a subtraction and a compare.
#include "calc/Models.h"
#include "calc/basic/core/Error.h"
#include "calc/basic/core/Value.h"

namespace calc::basic
{

namespace memory
{

// The data of each kind as the calculator stores it (tivars_lib_cpp's type
// handlers): a real is 9 bytes, a complex number two of them; a list has a
// 2-byte count then its elements, a matrix 2 bytes of dimensions then its
// cells, a string and a program 2 bytes of length then their tokens.
constexpr long long kReal = 9;
constexpr long long kComplex = 18;
constexpr long long kSizeField = 2;
// A picture: 96×63 pixels a bit each behind the size field (758 bytes);
// on the colour models 266×165 at 4 bits each (21947).
constexpr long long kPicture = 758;
constexpr long long kColourPicture = 21947;
// A graph database's fixed part (its window, modes and styles); each
// stored equation adds its tokens and 3 bytes.
constexpr long long kDatabase = 100;
// The entry in the variable table beside the data. The wiki's DelVar page
// gives a real as 15 bytes in all, so a fixed name costs 6 beyond its data;
// a program or named list adds a length byte and its name (and the list
// its ʟ token).
constexpr long long kEntry = 6;
// What a run keeps on the calculator's stacks (the wiki's pages on
// subprograms and on memory leaks): 16 bytes per prgm call not yet
// returned, about a dozen per block whose End is still to come.
constexpr long long kCall = 16;
constexpr long long kBlock = 12;

// A value's data bytes: a real, complex, list, matrix or string.
long long dataBytes(const Value &v);
// A stored variable: its data and its entry; `nameLength` for a named list
// (0 for the others).
long long variableBytes(const Value &v, int nameLength = 0);
long long programBytes(long long tokenBytes, int nameLength);
long long realBytes(bool complex);

} // namespace memory

class Memory
{
public:
    // The RAM a program can use on the model, as MEM > About shows it free
    // on a calculator just reset.
    void setModel(calc::models::Model m) { capacity_ = calc::models::freeRam(m); }
    long long capacity() const { return capacity_; }
    // Bytes in use: variables, then the run's own (calls, blocks, programs).
    long long used() const { return variables_ + run_; }
    long long variables() const { return variables_; }
    long long free() const { return capacity_ - used(); }

    // A variable grows or shrinks by `delta` bytes: ERR:MEMORY when there is
    // no room, before anything changes.
    void change(long long delta)
    {
        if (Q_UNLIKELY(delta > 0 && used() + delta > capacity_))
            raise(Error::Memory);
        variables_ += delta;
    }
    void replace(long long before, long long after) { change(after - before); }
    // What a run holds while it runs; released when it ends.
    void hold(long long bytes)
    {
        if (Q_UNLIKELY(used() + bytes > capacity_))
            raise(Error::Memory);
        run_ += bytes;
    }
    void release(long long bytes) { run_ -= bytes; }
    void endRun() { run_ = 0; }
    // A result a built-in is about to build: ERR:MEMORY when it could not
    // be stored beside what is there, before it takes the computer's memory.
    void need(long long bytes) const
    {
        if (Q_UNLIKELY(bytes > free()))
            raise(Error::Memory);
    }
    // Forgets every variable (the engine's variables all cleared).
    void clearVariables() { variables_ = 0; }

private:
    long long capacity_ = calc::models::freeRam(calc::models::Model::None);
    long long variables_ = 0;
    long long run_ = 0;
};

} // namespace calc::basic
