// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calc/basic/state/Settings.h"

#include "calc/TokenCodes.h"
#include "calc/basic/core/Maths.h"
#include "calc/basic/core/NumberTokens.h"

namespace calc::basic
{

int modeGroup(int t)
{
    switch (t) {
    case tok::Float:
    case tok::Fix:
        return tok::Float;
    case tok::Normal:
    case tok::Sci:
    case tok::Eng:
        return tok::Normal;
    case tok::Func:
    case tok::Param:
    case tok::PolarMode:
    case tok::SeqMode:
        return tok::Func;
    case tok::Full:
    case tok::Horiz:
    case tok::GT:
        return tok::Full;
    case tok::RealMode:
    case tok::ABiMode:
    case tok::ABiMode - 1: // re^θi
        return tok::RealMode;
    case tok::ExprOn:
    case tok::ExprOff:
        return tok::ExprOn;
    case tok::DiagnosticOn:
    case tok::DiagnosticOff:
        return tok::DiagnosticOn;
    case tok::MathPrint:
    case tok::Classic:
        return tok::MathPrint;
    case tok::AnswerAuto:
    case tok::AnswerAuto + 1:
    case tok::AnswerFrac:
        return tok::AnswerAuto;
    case tok::FracND:
    case tok::FracUND:
        return tok::FracND;
    case tok::StatWizardOn:
    case tok::StatWizardOff:
        return tok::StatWizardOn;
    case tok::PlotsOn:
    case tok::PlotsOff:
        return tok::PlotsOn;
    case tok::PmtEnd:
    case tok::PmtBgn:
        return tok::PmtEnd;
    case tok::Web:
    case tok::Time:
    case tok::UvAxes:
    case tok::VwAxes:
    case tok::UwAxes:
        return tok::Time;
    case tok::SeqTypeN:
    case tok::SeqTypeN + 1:
    case tok::SeqTypeN2:
        return tok::SeqTypeN;
    case tok::IndpntAuto:
    case tok::IndpntAuto + 1:
        return tok::IndpntAuto;
    case tok::DependAsk - 1:
    case tok::DependAsk:
        return tok::DependAsk - 1;
    default:
        break;
    }
    // The FORMAT pairs: Sequential/Simul, PolarGC/RectGC, CoordOn/Off,
    // Connected/Dot, GridOn/Off, LabelOn/Off.
    if (t >= tok::Sequential && t <= tok::LabelOff && t != tok::AxesOn && t != tok::AxesOff)
        return t & ~1;
    return 0;
}

bool isSettingCommand(int t)
{
    if (modeGroup(t) != 0)
        return true;
    switch (t) {
    case tok::FnOn:
    case tok::FnOff:
    case tok::SetUpEditor:
    case tok::ClrTable:
    case tok::ClrAllLists:
    case tok::ClearEntries:
    case tok::Archive:
    case tok::UnArchive:
    case tok::StorePic:
    case tok::RecallPic:
    case tok::StoreGDB:
    case tok::RecallGDB:
    case tok::Trace:
        return true;
    case tok::AnswerAuto:
    case tok::AnswerAuto + 1:
    case tok::AnswerFrac:
    case tok::StatWizardOn:
    case tok::StatWizardOff:
        return true;
    default:
        if (isSystemCommand(t))
            return true;
        return (t >= tok::ZTrig && t <= tok::ZoomSto && t != tok::ZoomSto - 1) ||
               t == tok::ZoomFit || (t >= tok::ZQuadrant1 && t <= tok::ZFrac10);
    }
}

bool isSettingValue(int t)
{
    return t == tok::Xres || t == tok::DeltaX || t == tok::DeltaY || t == tok::StartTmr ||
           t == tok::GetTime || t == tok::GetDate || t == tok::GetDtFmt || t == tok::GetTmFmt ||
           t == tok::IsClockOn;
}

bool isClockFunction(int t)
{
    return t == tok::CheckTmr || t == tok::DayOfWk || t == tok::GetTmStr || t == tok::GetDtStr;
}

qint64 clockSeconds(const QDateTime &now)
{
    const QDateTime epoch(QDate(1997, 1, 1), QTime(0, 0), now.timeSpec());
    return epoch.secsTo(now);
}

} // namespace calc::basic
