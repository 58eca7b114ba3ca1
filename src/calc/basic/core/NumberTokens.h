// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Calculus, conversions, fractions and the TI-84 Plus system commands: their
// tokens. The work is in Calculus.cpp, Conversions.cpp and System.cpp.

namespace calc::tok
{
enum : int {
    ToDMS = 0x01,
    Minutes = 0xAE, // ' of 30°15'
    Question = 0xAF,
    RToPr = 0x1B,
    RToPTheta = 0x1C,
    PToRx = 0x1D,
    PToRy = 0x1E,
    Solve = 0x22,
    FnInt = 0x24,
    NDeriv = 0x25,
    FMin = 0x27,
    FMax = 0x28,
    Bal = 0xBB02,
    SigmaPrn = 0xBB03,
    SigmaInt = 0xBB04,
    Dbd = 0xBB07,
    ToRect = 0xBB2F,
    ToPolar = 0xBB30,
    MathPrintBox = 0xEF1E,
    FractionSlash = 0xEF2E, // ⁄ of 3⁄4
    MixedU = 0xEF2F,        // ᵤ of 1ᵤ3⁄4
    ToFracMixed = 0xEF30,   // ►n⁄d◄►Un⁄d
    ToFracDec = 0xEF31,     // ►F◄►D
    Summation = 0xEF33,
    RandIntNoRep = 0xEF35,
    FracND = 0xEF39,
    FracUND = 0xEF3A,
    AnswerAuto = 0xEF3B,
    AnswerFrac = 0xEF3D,
    // invNorm('s tail on the colour models.
    TailLeft = 0xEF92,
    TailRight = 0xEF94,
    // The TI-84 Plus's clock and system commands (System.cpp).
    SetDate = 0xEF00,
    SetTime = 0xEF01,
    SetDtFmt = 0xEF03,
    SetTmFmt = 0xEF04,
    TimeCnv = 0xEF05,
    GetDtFmt = 0xEF0C,
    GetTmFmt = 0xEF0D,
    IsClockOn = 0xEF0E,
    ClockOff = 0xEF0F,
    ClockOn = 0xEF10,
    OpenLib = 0xEF11,
    ExecLib = 0xEF12,
    StatWizardOn = 0xEF3F,
    StatWizardOff = 0xEF40,
    PieceWise = 0xEF8E,
};
} // namespace calc::tok

namespace calc::basic
{
// ►DMS, ►Rect, ►Polar, ►n⁄d◄►Un⁄d, ►F◄►D: written after a whole expression,
// they change how its value is shown.
bool isShownAs(int t);
// Statements of the clock and the system: setDate(, ClockOn, OpenLib(…
bool isSystemCommand(int t);
// Tokens that are no command in a program: the CE editor's menu items and
// the like; alone they are a syntax error.
bool isEditorToken(int t);
} // namespace calc::basic
