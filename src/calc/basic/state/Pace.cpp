// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calc/basic/state/Pace.h"

#include "calc/TokenCodes.h"
#include "calc/Tokens.h"

#include <QThread>

namespace calc::basic
{

namespace
{

// What a statement costs on the calculator, in microseconds. The figures
// are the TI-BASIC Developer wiki's "Better Code Timings" (a TI-84 Plus SE,
// OS 2.43: each command timed in an empty For( loop, the loop's own time
// taken off). Where the wiki has no figure the cost is an assumption,
// marked so.
constexpr int kForPass = 690;      // an empty For( pass, no closing parenthesis
constexpr int kForPassParen = 830; // with it
constexpr int kPxl = 1700;         // Pxl-On(, Pxl-Off(, Pxl-Change(
constexpr int kPt = 3300;          // Pt-On(, Pt-Off(, Pt-Change(
constexpr int kOutput = 2600;      // Output( of nothing
constexpr int kOutputChar = 600;   // and each character it writes
constexpr int kClrHome = 27000;    // 26 and 28 ms measured
constexpr int kDisp = 50000;       // Disp "": a line written, the screen scrolled
constexpr int kClrDraw = 100000;
constexpr int kHorizontal = 35000;
constexpr int kVertical = 24000;
constexpr int kStorePic = 3500;
constexpr int kRecallPic = 27000;
// Assumed: Line( from its full-height figure (26 ms; a full-width line is
// 36 ms, a single point 6.5 ms), as its length is not known here.
constexpr int kLine = 26000;
// Assumed: the End of a While or Repeat loop as an empty For( pass, and an
// If-Then's End as nothing.
constexpr int kLoopEnd = kForPass;
// Assumed for every other statement: a start and a share per token, so
// that A+1→A (5 tokens) takes 1.1 ms; getKey is one token like others.
constexpr int kStatement = 500;
constexpr int kPerToken = 150;

struct Statement {
    int from = 0;
    std::vector<int> tokens;
};

// The statements of a program, split as the calculator splits them: at line
// ends, and at colons outside strings.
std::vector<Statement> statements(const QByteArray &bytes)
{
    std::vector<Statement> out(1);
    bool inString = false;
    for (int i = 0; i < bytes.size();) {
        const int first = quint8(bytes[i]);
        int t = first;
        int size = 1;
        if (calc::tokens::isTwoBytePrefix(first) && i + 1 < bytes.size()) {
            t = first << 8 | quint8(bytes[i + 1]);
            size = 2;
        }
        const int at = i;
        i += size;
        if (t == tok::Newline || (t == tok::Colon && !inString)) {
            inString = false;
            out.emplace_back();
            out.back().from = i;
            continue;
        }
        if (t == tok::Quote)
            inString = !inString;
        else if (t == tok::Store)
            inString = false;
        if (out.back().tokens.empty())
            out.back().from = at;
        out.back().tokens.push_back(t);
    }
    return out;
}

// Lines the wiki writes one per argument: Disp A,B scrolls twice.
int arguments(const std::vector<int> &tokens)
{
    int depth = 0, n = tokens.size() > 1 ? 1 : 0;
    bool inString = false;
    for (size_t i = 1; i < tokens.size(); ++i) {
        const int t = tokens[i];
        if (t == tok::Quote)
            inString = !inString;
        else if (inString)
            continue;
        else if (t == tok::RParen)
            --depth;
        else if (t == tok::Comma && depth <= 0)
            ++n;
        else if (calc::tokens::displayString(t).endsWith(QLatin1Char('(')) || t == tok::LParen)
            ++depth;
    }
    return n;
}

int commandCost(const std::vector<int> &tokens)
{
    if (tokens.empty())
        return 0;
    switch (tokens[0]) {
    case tok::For:
        return 0; // its passes are its End's
    case tok::PxlOn:
    case tok::PxlOff:
    case tok::PxlChange:
        return kPxl;
    case tok::PtOn:
    case tok::PtOff:
    case tok::PtChange:
        return kPt;
    case tok::Output:
        return kOutput;
    case tok::ClrHome:
        return kClrHome;
    case tok::Disp:
        return kDisp * std::max(1, arguments(tokens));
    case tok::ClrDraw:
        return kClrDraw;
    case tok::Horizontal:
        return kHorizontal;
    case tok::Vertical:
        return kVertical;
    case tok::StorePic:
        return kStorePic;
    case tok::RecallPic:
        return kRecallPic;
    case tok::Line:
        return kLine;
    default:
        return kStatement + kPerToken * int(tokens.size() - 1);
    }
}

} // namespace

std::unordered_map<int, int> Pace::costs(const QByteArray &tokens)
{
    std::unordered_map<int, int> out;
    // The blocks open at each End, to price it as the pass it closes.
    std::vector<int> open;
    for (const Statement &s : statements(tokens)) {
        if (s.tokens.empty())
            continue;
        const int head = s.tokens[0];
        int cost = commandCost(s.tokens);
        if (head == tok::For) {
            open.push_back(s.tokens.back() == tok::RParen ? kForPassParen : kForPass);
        } else if (head == tok::While || head == tok::Repeat) {
            open.push_back(kLoopEnd);
        } else if (head == tok::Then) {
            open.push_back(0);
        } else if (head == tok::End) {
            cost = open.empty() ? kForPass : open.back();
            if (!open.empty())
                open.pop_back();
        }
        out[s.from] = cost;
    }
    return out;
}

void Pace::setSpeed(Speed speed)
{
    speed_ = speed;
    real_.invalidate();
}

void Pace::learn(const Chunk *chunk, const QByteArray &tokens)
{
    auto it = programs_.find(chunk);
    if (it != programs_.end() && it->second.tokens == tokens)
        return;
    programs_[chunk] = Program{tokens, costs(tokens)};
    lastChunk_ = nullptr;
}

void Pace::statement(const Chunk *chunk, int from, int to)
{
    if (speed_ == Speed::Calculator)
        keepPace();
    if (onStatement)
        onStatement(now_);
    if (chunk != lastChunk_) {
        auto it = programs_.find(chunk);
        last_ = it == programs_.end() ? nullptr : &it->second;
        lastChunk_ = chunk;
    }
    if (!last_)
        return;
    auto it = last_->costs.find(from);
    if (it == last_->costs.end()) {
        // A statement split otherwise than above: priced alone.
        const auto alone = costs(last_->tokens.mid(from, to - from));
        it = last_->costs.emplace(from, alone.empty() ? 0 : alone.begin()->second).first;
    }
    now_ += it->second;
}

void Pace::output(int chars)
{
    now_ += kOutputChar * chars;
}

// Waits until the real time has caught up with the calculator's. A run
// held up (an answer typed, a Pause) does not then race to make up for it.
void Pace::keepPace()
{
    if (!real_.isValid()) {
        real_.start();
        realBase_ = now_;
    }
    const long long real = real_.nsecsElapsed() / 1000 + realBase_;
    const long long ahead = now_ - real;
    if (ahead > 2000) {
        if (sleep)
            sleep(ahead);
        else
            QThread::usleep(static_cast<unsigned long>(ahead));
    } else if (ahead < -100000) {
        realBase_ += ahead;
    }
}

QString estimateText(long long micros)
{
    const double s = micros / 1e6;
    QString time;
    if (s < 60)
        time = QStringLiteral("%1 s").arg(s, 0, 'f', s < 1 ? 2 : 1);
    else
        time = QStringLiteral("%1 min %2 s").arg(int(s / 60)).arg(int(s) % 60);
    return QStringLiteral("about %1 on a calculator").arg(time);
}

} // namespace calc::basic
