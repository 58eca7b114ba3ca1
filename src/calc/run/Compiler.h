// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Token bytes to compact code: the scanner cuts the bytes into tokens
// (numbers and strings whole), the compiler turns each statement into
// instructions for the loop in Engine.cpp. A statement that cannot be
// compiled becomes an instruction that raises its error, so that, as on the
// calculator, the error comes only when the statement is reached.
#include "calc/run/Engine.h"
#include "calc/run/Value.h"

#include <QByteArray>
#include <QVector>

#include <vector>

namespace calc::run
{

namespace tok
{
enum : int {
    Store = 0x04,
    LBracket = 0x06,
    RBracket = 0x07,
    LBrace = 0x08,
    RBrace = 0x09,
    RadianSign = 0x0A,
    DegreeSign = 0x0B,
    Inverse = 0x0C,
    Square = 0x0D,
    Transpose = 0x0E,
    Cube = 0x0F,
    LParen = 0x10,
    RParen = 0x11,
    Round = 0x12,
    PxlTest = 0x13,
    Augment = 0x14,
    Max = 0x19,
    Min = 0x1A,
    Median = 0x1F,
    Mean = 0x21,
    Seq = 0x23,
    Quote = 0x2A,
    Comma = 0x2B,
    Factorial = 0x2D,
    Point = 0x3A,
    Exp = 0x3B,
    Or = 0x3C,
    Xor = 0x3D,
    Colon = 0x3E,
    Newline = 0x3F,
    And = 0x40,
    A = 0x41,
    Theta = 0x5B,
    Prgm = 0x5F,
    Radian = 0x64,
    Degree = 0x65,
    Normal = 0x66,
    Float = 0x69,
    Eq = 0x6A,
    Lt = 0x6B,
    Gt = 0x6C,
    Le = 0x6D,
    Ge = 0x6E,
    Ne = 0x6F,
    Plus = 0x70,
    Minus = 0x71,
    Ans = 0x72,
    Full = 0x75,
    Times = 0x82,
    Divide = 0x83,
    ClrDraw = 0x85,
    ZStandard = 0x86,
    Text = 0x93,
    NPr = 0x94,
    NCr = 0x95,
    Line = 0x9C,
    Vertical = 0x9D,
    PtOn = 0x9E,
    PtOff = 0x9F,
    PtChange = 0xA0,
    PxlOn = 0xA1,
    PxlOff = 0xA2,
    PxlChange = 0xA3,
    Circle = 0xA5,
    Horizontal = 0xA6,
    Rand = 0xAB,
    Pi = 0xAC,
    GetKey = 0xAD,
    Neg = 0xB0,
    Int = 0xB1,
    Abs = 0xB2,
    Dim = 0xB5,
    Sum = 0xB6,
    Prod = 0xB7,
    Not = 0xB8,
    IPart = 0xB9,
    FPart = 0xBA,
    Sqrt = 0xBC,
    CubeRoot = 0xBD,
    Ln = 0xBE,
    EPow = 0xBF,
    Log = 0xC0,
    TenPow = 0xC1,
    Sin = 0xC2,
    Tanh1 = 0xCD,
    If = 0xCE,
    Then = 0xCF,
    Else = 0xD0,
    While = 0xD1,
    Repeat = 0xD2,
    For = 0xD3,
    End = 0xD4,
    Return = 0xD5,
    Lbl = 0xD6,
    Goto = 0xD7,
    Pause = 0xD8,
    Stop = 0xD9,
    IsGt = 0xDA,
    DsLt = 0xDB,
    Input = 0xDC,
    Prompt = 0xDD,
    Disp = 0xDE,
    DispGraph = 0xDF,
    Output = 0xE0,
    ClrHome = 0xE1,
    Fill = 0xE2,
    SortA = 0xE3,
    SortD = 0xE4,
    Menu = 0xE6,
    SmallL = 0xEB,
    Power = 0xF0,
    XRoot = 0xF1,
    ClrList = 0xFA,
    AxesOn = 0x7E08,
    AxesOff = 0x7E09,
    Xscl = 0x6302,
    Yscl = 0x6303,
    Xmin = 0x630A,
    Ymax = 0x630D,
    Matrix0 = 0x5C00,
    List0 = 0x5D00,
    Str0 = 0xAA00,
    Lcm = 0xBB08,
    Gcd = 0xBB09,
    RandInt = 0xBB0A,
    Sub = 0xBB0C,
    InString = 0xBB0F,
    CumSum = 0xBB29,
    Expr = 0xBB2A,
    Length = 0xBB2B,
    DelVar = 0xBB54,
    EConst = 0xBB31,
    // Made by the scanner.
    Number = 0x10000,
    String = 0x10001,
    Bad = 0x10002,
};
} // namespace tok

struct Tok {
    int t;
    int line;
    int index = -1; // Number: a constant; String: a text
    int from = 0;   // its bytes, for names that hold digits (Lbl 10, prgmA1)
    int to = 0;
};

// The token values of bytes, one- and two-byte alike.
QVector<int> tokenValues(const QByteArray &bytes);

std::vector<Tok> scan(const QByteArray &bytes, std::vector<Number> *numbers,
                      std::vector<QVector<int>> *texts);

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
    OpCall,       // function token, argc
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
    OpDelVar,      // kind, key
    OpAngle,       // 1 for Degree
    OpSort,        // kind, key, 1 for ascending
    OpClrList,     // kind, key
    OpFill,        // kind, key; the value on the stack
    OpError,       // error, detail index
    OpDraw,        // command token, argc: the graph screen's commands
    OpLoadWindow,  // GraphScreen::Window
    OpStoreWindow, // GraphScreen::Window
};

// Target kinds of Input, Prompt and DelVar.
enum Target : int { TReal, TVar, TNamed };

struct Program {
    std::vector<int> code;
    std::vector<Value> constants;
    QStringList names; // named lists, program names, messages
    std::vector<QVector<int>> texts;
};

// The statements of a program as compile() cuts and reads them, for the
// checks and the hints; nothing is run.
struct Statement {
    int first = 0, last = 0; // its tokens in Parsed::tokens, [first, last)
    int line = 1;
    Error error = Error::None; // what reaching it would raise
    // What it compiles to, a word per code word: constants written out, jumps
    // as "@" and the statement they land on (statements.size() and one more:
    // past the end; -1: no such label). Equal words, equal statements.
    QStringList shape;
};
struct LabelUse {
    int statement;
    int first, last; // the tokens of the name
    QByteArray name;
    bool definition; // Lbl, else Goto or Menu(
};
struct Parsed {
    std::vector<Tok> tokens;
    std::vector<Statement> statements;
    std::vector<LabelUse> labels;
    // Per statement: the End closing the block it opens (statements.size()
    // when none does), and the Else of a Then (-1 when none).
    std::vector<int> blockEnd, thenElse;
    QStringList names;
};
Parsed parse(const QByteArray &bytes);

// Compiles a whole program, or, with `expression`, one expression whose
// value is left for OpSetAns (expr( and answers to Input).
std::shared_ptr<Program> compile(const QByteArray &bytes, bool expression = false);

} // namespace calc::run
