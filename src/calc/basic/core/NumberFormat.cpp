// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calc/basic/core/NumberFormat.h"

#include "calc/basic/core/Maths.h"

#include <cmath>

namespace calc::basic
{

namespace
{

const QString kMinus = QStringLiteral("\u207B");
const QString kE = QStringLiteral("\u1D07");

// A number's figures and the power of ten of the first: d[0].d[1..] × 10^e.
struct Figures {
    QString d;
    int e = 0;
    bool neg = false;
};

Figures figuresOf(const Number &n)
{
    Figures f;
    QString s = n.full();
    f.neg = s.startsWith(kMinus);
    if (f.neg)
        s.remove(0, kMinus.size());
    const int at = s.indexOf(kE);
    QString exp = s.mid(at + kE.size());
    exp.replace(kMinus, QStringLiteral("-"));
    f.e = exp.toInt();
    f.d = s.left(at).remove(QLatin1Char('.'));
    f.d = f.d.leftJustified(14, QLatin1Char('0'));
    return f;
}

// Rounds to `sig` figures, half away from zero; none left is zero.
void roundTo(Figures &f, int sig)
{
    if (sig >= f.d.size())
        return;
    if (sig < 0) {
        f.d = QString(14, QLatin1Char('0'));
        return;
    }
    const bool up = f.d[sig] >= QLatin1Char('5');
    f.d = f.d.left(sig).leftJustified(14, QLatin1Char('0'));
    if (!up)
        return;
    int i = sig - 1;
    for (; i >= 0 && f.d[i] == QLatin1Char('9'); --i)
        f.d[i] = QLatin1Char('0');
    if (i >= 0) {
        f.d[i] = QChar(f.d[i].unicode() + 1);
    } else { // 9.99 became 10.0
        f.d = QStringLiteral("1") + f.d.left(13);
        ++f.e;
    }
}

// The figures with `whole` of them before the point and `places` after;
// Float (places < 0) drops the zeros at the end.
QString placed(const Figures &f, int whole, int places)
{
    const bool floating = places < 0;
    const int after = floating ? 14 - std::max(whole, 0) : places;
    QString digits = f.d;
    if (whole < 0)
        digits.prepend(QString(-whole, QLatin1Char('0')));
    QString lead = whole > 0 ? digits.left(whole) : QString();
    QString frac = digits.mid(std::max(whole, 0), after).leftJustified(after, QLatin1Char('0'));
    if (floating) {
        while (frac.endsWith(QLatin1Char('0')))
            frac.chop(1);
    }
    QString s = lead;
    if (!frac.isEmpty())
        s += QLatin1Char('.') + frac;
    return s.isEmpty() ? QStringLiteral("0") : s;
}

QString withExponent(const QString &mantissa, int e)
{
    return mantissa + kE + (e < 0 ? kMinus : QString()) + QString::number(std::abs(e));
}

// Sci and Eng: 1 to 3 figures before the point, ten in all for Float.
QString scientific(Figures f, const NumberFormat &fmt)
{
    const bool eng = fmt.notation == NumberFormat::Eng;
    auto shift = [&] { return eng ? ((f.e % 3) + 3) % 3 : 0; };
    roundTo(f, fmt.fix < 0 ? 10 : 1 + shift() + fmt.fix);
    const int whole = 1 + shift();
    QString m = placed(f, whole, fmt.fix < 0 ? -1 : fmt.fix);
    if (fmt.fix < 0 && m.size() > 11)
        m.truncate(11);
    return withExponent(m, f.e - whole + 1);
}

} // namespace

QString formatNumber(const Number &n, const NumberFormat &fmt)
{
    if (fmt.isDefault())
        return n.display();
    if (n.isZero())
        return fmt.fix < 0 ? QStringLiteral("0") : placed(figuresOf(n), 1, fmt.fix);
    Figures f = figuresOf(n);
    QString s;
    if (fmt.notation != NumberFormat::Normal || f.e >= 10) {
        s = scientific(f, fmt);
    } else if (fmt.fix < 0) {
        return n.display();
    } else {
        // Fix n: n places while ten figures allow; too small to show any
        // figure, the number turns scientific.
        const int places = std::min(fmt.fix, 9 - std::max(f.e, 0));
        Figures r = f;
        roundTo(r, r.e + 1 + places);
        if (r.d.count(QLatin1Char('0')) == r.d.size()) {
            NumberFormat sci = fmt;
            sci.notation = NumberFormat::Sci;
            s = scientific(f, sci);
        } else if (r.e >= 10) {
            s = scientific(r, fmt);
        } else {
            s = placed(r, r.e + 1, std::min(fmt.fix, 9 - std::max(r.e, 0)));
        }
    }
    return f.neg ? kMinus + s : s;
}

QString displayText(const Value &v, const NumberFormat &fmt)
{
    if (Q_UNLIKELY(v.form != Value::Plain || fmt.answers == NumberFormat::Frac))
        return formText(v, fmt);
    if (v.kind == Value::Complex)
        return complexText(v, fmt);
    if (v.kind == Value::ComplexList)
        return complexListText(v, fmt);
    if (fmt.isDefault() || v.kind == Value::String || v.fraction)
        return displayText(v);
    if (v.kind == Value::Real)
        return formatNumber(v.num, fmt);
    QStringList parts;
    for (const Number &n : v.items)
        parts << formatNumber(n, fmt);
    if (v.kind == Value::List)
        return QLatin1Char('{') + parts.join(QLatin1Char(' ')) + QLatin1Char('}');
    QString s;
    for (int r = 0; r < v.rows; ++r)
        s += QLatin1Char('[') + parts.mid(r * v.cols, v.cols).join(QLatin1Char(' ')) +
             QLatin1Char(']');
    return QLatin1Char('[') + s + QLatin1Char(']');
}

QStringList matrixLines(const Value &v, const NumberFormat &fmt)
{
    if (fmt.isDefault() || v.fraction)
        return matrixLines(v);
    QStringList lines;
    for (int r = 0; r < v.rows; ++r) {
        QStringList parts;
        for (int c = 0; c < v.cols; ++c)
            parts << formatNumber(v.items[r * v.cols + c], fmt);
        lines << (r == 0 ? QStringLiteral("[[") : QStringLiteral(" [")) +
                     parts.join(QLatin1Char(' ')) + QLatin1Char(']') +
                     (r == v.rows - 1 ? QStringLiteral("]") : QString());
    }
    return lines;
}

} // namespace calc::basic
