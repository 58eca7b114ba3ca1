// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The compact code the compiler writes and the loop in Vm.cpp runs: each
// instruction is an Op word followed by its operands.
#include "calc/basic/core/Value.h"

#include <QStringList>

#include <vector>

namespace calc::basic
{

// The loop variable of For( and seq( that is the sequences' 𝑛 rather
// than one of A..Z and θ (0..26).
constexpr int kLoopVarN = 27;

enum Op : int {
    OpStmt, // line, first byte, byte after the last
    OpHalt,
    OpConst, // k
    OpLoadReal,
    OpLoadAns,
    OpLoadVar,   // var key (list, string, matrix token; named list index)
    OpLoadNamed, // name index
    OpListElem,  // var key
    OpNamedElem, // name index
    OpMatElem,   // var key
    OpRand,
    OpGetKey,
    OpBinary,     // op token
    OpUnary,      // op token
    OpCall,       // built-in entry (builtinIndex), argc
    OpMakeList,   // n
    OpMakeMatrix, // rows
    OpSeq,        // var, has step, exit offset
    OpSeqNext,    // body offset
    OpStoreReal,  // var
    OpStoreVar,   // key
    OpStoreNamed, // name
    OpStoreElem,  // key
    OpStoreNamedElem,
    OpStoreMatElem,
    OpStoreDim, // key (or -1 - name index for named lists)
    OpStoreRand,
    OpSetAns,
    OpPop,
    OpJump,    // offset
    OpIfFalse, // offset
    OpIfThen,  // false offset, whether it lands after Else
    OpElse,    // offset
    OpWhile,   // offset past End, offset of the While itself
    OpRepeat,  // body offset
    OpRepeatTest,
    OpFor, // var, has step, skip offset
    OpEnd,
    OpIsDs, // var, +1/-1, skip offset
    OpDisp, // n
    OpOutput,
    OpClrHome,
    OpPause, // has value
    OpInput, // -2: prompt on the stack, else -1; target kind, target key, Prompt's form
    OpMenu,  // n, then n offsets (-1: no such label)
    OpPrgm,  // name index
    OpReturn,
    OpStop,
    OpDelVar,       // kind, key
    OpAngle,        // 1 for Degree
    OpSort,         // kind, key, 1 for ascending
    OpClrList,      // kind, key
    OpFill,         // kind, key; the value on the stack
    OpError,        // error, detail index
    OpDraw,         // command token, argc: the graph screen's commands
    OpLoadWindow,   // GraphScreen::Window
    OpStoreWindow,  // GraphScreen::Window
    OpSetting,      // command token, argc, target kind, target key
    OpLoadSetting,  // token
    OpStoreSetting, // token
    OpSortWith,     // kind, key: a list the next OpSort sorts along
    OpListToMatr,   // n lists on the stack, matrix key
    OpMatrToList,   // column, kind, key; the matrix stays on the stack
    // Equations and graphing (Graphing.cpp).
    OpEquation,      // equation token, argc (0: at the current X, T, θ)
    OpStoreEquation, // equation token
    OpGraph,         // command token, argc, then two operands the command reads
    OpLoadGraphVar,  // GraphVar
    OpStoreGraphVar, // GraphVar
    OpColour,        // command token, argc: the colour models' commands
    OpCalculus,      // token, argc, expression (name index), variable (Calculus.cpp)
};

// Target kinds of Input, Prompt and DelVar.
enum Target : int { TReal, TVar, TNamed };

// The words after an instruction's opcode; OpMenu's count is its first
// operand and its offsets follow.
int operandCount(int op);

// A compiled program: its code words and what they refer to.
struct Chunk {
    std::vector<int> code;
    std::vector<Value> constants;
    QStringList names; // named lists, program names, messages
    std::vector<QVector<int>> texts;
};

} // namespace calc::basic
