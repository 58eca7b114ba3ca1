#include "calc/run/Engine.h"

#include "calc/CalculatorSymbols.h"
#include "calc/Tokens.h"
#include "calc/run/Compiler.h"

#include <algorithm>
#include <cmath>
#include <deque>

namespace calc::run
{

QString errorName(Error e)
{
    switch (e) {
    case Error::None:
        return QString();
    case Error::Syntax:
        return QStringLiteral("ERR:SYNTAX");
    case Error::DataType:
        return QStringLiteral("ERR:DATA TYPE");
    case Error::Undefined:
        return QStringLiteral("ERR:UNDEFINED");
    case Error::Label:
        return QStringLiteral("ERR:LABEL");
    case Error::Domain:
        return QStringLiteral("ERR:DOMAIN");
    case Error::DimMismatch:
        return QStringLiteral("ERR:DIM MISMATCH");
    case Error::InvalidDim:
        return QStringLiteral("ERR:INVALID DIM");
    case Error::Argument:
        return QStringLiteral("ERR:ARGUMENT");
    case Error::DivideBy0:
        return QStringLiteral("ERR:DIVIDE BY 0");
    case Error::Overflow:
        return QStringLiteral("ERR:OVERFLOW");
    case Error::NonrealAns:
        return QStringLiteral("ERR:NONREAL ANS");
    case Error::Increment:
        return QStringLiteral("ERR:INCREMENT");
    case Error::IllegalNest:
        return QStringLiteral("ERR:ILLEGAL NEST");
    case Error::Break:
        return QStringLiteral("ERR:BREAK");
    case Error::Memory:
        return QStringLiteral("ERR:MEMORY");
    case Error::Unsupported:
        return QStringLiteral("ERR:UNSUPPORTED");
    case Error::Steps:
        return QStringLiteral("ERR:STEPS");
    case Error::WindowRange:
        return QStringLiteral("ERR:WINDOW RANGE");
    }
    return QString();
}

namespace
{

struct RunError {
    Error error;
    QString detail;
};

[[noreturn]] void raise(Error e, const QString &detail = QString())
{
    throw RunError{e, detail};
}

constexpr long long kM1 = 2147483563, kM2 = 2147483399;

Number num(long long v)
{
    return Number::fromInt(v);
}

Number checked(bool ok, Number n)
{
    if (!ok)
        raise(Error::Overflow);
    return n;
}

Number add(Number a, Number b)
{
    Number r;
    return checked(Number::add(a, b, &r), r);
}

Number sub(Number a, Number b)
{
    Number r;
    return checked(Number::sub(a, b, &r), r);
}

Number mul(Number a, Number b)
{
    Number r;
    return checked(Number::mul(a, b, &r), r);
}

Number divide(Number a, Number b)
{
    if (b.isZero())
        raise(Error::DivideBy0);
    Number r;
    return checked(Number::div(a, b, &r), r);
}

Number fromLd(long double v)
{
    if (std::isnan(v))
        raise(Error::Domain);
    Number r;
    return checked(Number::fromLongDouble(v, &r), r);
}

const Number &pi()
{
    static const Number p = [] {
        Number n;
        Number::fromDigits("31415926535898", 1, 0, &n);
        return n;
    }();
    return p;
}

bool truth(const Value &v)
{
    if (v.kind != Value::Real)
        raise(Error::DataType);
    return !v.num.isZero();
}

const Number &realOf(const Value &v)
{
    if (v.kind != Value::Real)
        raise(Error::DataType);
    return v.num;
}

long long intOf(const Value &v, Error e = Error::Domain)
{
    std::int64_t i;
    if (!realOf(v).toInt(&i))
        raise(e);
    return i;
}

// n mod m for a whole number n of any size.
long long modulo(Number n, long long m)
{
    std::int64_t i;
    if (n.toInt(&i))
        return i % m;
    // n = mantissa * 10^k with k > 0.
    const QString full = n.full(); // d.dddᴇk
    long long r = 0;
    int figures = 0;
    for (QChar c : full) {
        if (c == QChar(0x1D07))
            break;
        if (c.isDigit()) {
            r = (r * 10 + c.digitValue()) % m;
            ++figures;
        }
    }
    for (int k = figures - 1; k < n.exponent(); ++k)
        r = r * 10 % m;
    return r;
}

QByteArray bytesOf(const QVector<int> &tokens)
{
    QByteArray b;
    for (int t : tokens)
        b += calc::tokens::tokenBytes(t);
    return b;
}

Number power(Number a, Number b)
{
    std::int64_t n;
    if (b.toInt(&n) && n >= -100000 && n <= 100000) {
        if (n == 0) {
            if (a.isZero())
                raise(Error::Domain);
            return num(1);
        }
        if (a.isZero()) {
            if (n < 0)
                raise(Error::DivideBy0);
            return a;
        }
        // Squaring keeps whole powers exact while they fit 14 figures.
        Number result = num(1), base = a;
        std::int64_t e = n < 0 ? -n : n;
        while (e > 0) {
            if (e & 1)
                result = mul(result, base);
            e >>= 1;
            if (e)
                base = mul(base, base);
        }
        return n < 0 ? divide(num(1), result) : result;
    }
    if (a.isZero()) {
        if (b.isNegative())
            raise(Error::Domain);
        return a;
    }
    const long double x = a.toLongDouble(), y = b.toLongDouble();
    if (a.isNegative()) {
        // A power p/q with q odd has a real root: (⁻8)^(1/3) is ⁻2.
        for (int q = 3; q < 100; q += 2) {
            const long double p = std::round(y * q);
            if (std::fabs(y * q - p) < 1e-9L) {
                const long double r = std::pow(-x, y);
                return fromLd(std::fmod(std::fabs(p), 2) == 1 ? -r : r);
            }
        }
        raise(Error::NonrealAns);
    }
    return fromLd(std::pow(x, y));
}

Number factorial(Number a)
{
    std::int64_t n;
    if (!a.toInt(&n)) {
        // Halves have one too: (⁻.5)! is √π.
        const Number twice = mul(a, num(2));
        if (!twice.isInteger() || a.compare(num(-1)) < 0 || a.compare(num(69)) > 0)
            raise(Error::Domain);
        return fromLd(std::tgamma(a.toLongDouble() + 1));
    }
    if (n < 0)
        raise(Error::Domain);
    if (n > 69)
        raise(Error::Overflow);
    Number r = num(1);
    for (std::int64_t i = 2; i <= n; ++i)
        r = mul(r, num(i));
    return r;
}

Number combinations(Number a, Number b, bool ordered)
{
    std::int64_t n, r;
    if (!a.toInt(&n) || !b.toInt(&r) || n < 0 || r < 0)
        raise(Error::Domain);
    if (r > n)
        return Number();
    Number out = num(1);
    if (ordered) {
        for (std::int64_t i = 0; i < r; ++i)
            out = mul(out, num(n - i));
        return out;
    }
    if (r > n - r)
        r = n - r;
    for (std::int64_t i = 1; i <= r; ++i)
        out = divide(mul(out, num(n - r + i)), num(i));
    return out.roundTo(0);
}

Number realBinary(int op, Number a, Number b)
{
    switch (op) {
    case tok::Plus:
        return add(a, b);
    case tok::Minus:
        return sub(a, b);
    case tok::Times:
        return mul(a, b);
    case tok::Divide:
        return divide(a, b);
    case tok::Power:
        return power(a, b);
    case tok::XRoot: {
        // a ˣ√ b: the a-th root of b.
        if (a.isZero())
            raise(Error::Domain);
        std::int64_t n;
        if (b.isNegative()) {
            if (!a.toInt(&n) || n % 2 == 0)
                raise(Error::NonrealAns);
            return power(b.negated(), divide(num(1), a)).negated();
        }
        return power(b, divide(num(1), a));
    }
    case tok::Eq:
        return num(a == b);
    case tok::Ne:
        return num(a != b);
    case tok::Lt:
        return num(a.compare(b) < 0);
    case tok::Gt:
        return num(a.compare(b) > 0);
    case tok::Le:
        return num(a.compare(b) <= 0);
    case tok::Ge:
        return num(a.compare(b) >= 0);
    case tok::And:
        return num(!a.isZero() && !b.isZero());
    case tok::Or:
        return num(!a.isZero() || !b.isZero());
    case tok::Xor:
        return num(!a.isZero() != !b.isZero());
    case tok::NPr:
        return combinations(a, b, true);
    case tok::NCr:
        return combinations(a, b, false);
    }
    raise(Error::Syntax);
}

Value binary(int op, const Value &a, const Value &b)
{
    using K = Value::Kind;
    if (a.kind == K::Real && b.kind == K::Real)
        return Value::real(realBinary(op, a.num, b.num));
    if (a.kind == K::String || b.kind == K::String) {
        if (a.kind != b.kind)
            raise(Error::DataType);
        if (op == tok::Plus) {
            Value v = a;
            v.text += b.text;
            return v;
        }
        if (op == tok::Eq || op == tok::Ne)
            return Value::real(num((a.text == b.text) == (op == tok::Eq)));
        raise(Error::DataType);
    }
    if (a.kind == K::Matrix || b.kind == K::Matrix) {
        if (op == tok::Times && a.kind == K::Matrix && b.kind == K::Matrix) {
            if (a.cols != b.rows)
                raise(Error::DimMismatch);
            Value m = a;
            m.cols = b.cols;
            m.items.fill(Number(), a.rows * b.cols);
            for (int r = 0; r < a.rows; ++r)
                for (int c = 0; c < b.cols; ++c) {
                    Number s;
                    for (int k = 0; k < a.cols; ++k)
                        s = add(s, mul(a.items[r * a.cols + k], b.items[k * b.cols + c]));
                    m.items[r * m.cols + c] = s;
                }
            return m;
        }
        if (op == tok::Times && (a.kind == K::Real || b.kind == K::Real)) {
            Value m = a.kind == K::Matrix ? a : b;
            const Number k = a.kind == K::Real ? a.num : b.num;
            for (Number &x : m.items)
                x = mul(x, k);
            return m;
        }
        if ((op == tok::Plus || op == tok::Minus) && a.kind == b.kind) {
            if (a.rows != b.rows || a.cols != b.cols)
                raise(Error::DimMismatch);
            Value m = a;
            for (int i = 0; i < m.items.size(); ++i)
                m.items[i] = realBinary(op, a.items[i], b.items[i]);
            return m;
        }
        raise(Error::DataType);
    }
    // Lists, element by element; a real goes with every element.
    if (a.kind == K::List && b.kind == K::List && a.items.size() != b.items.size())
        raise(Error::DimMismatch);
    Value out = a.kind == K::List ? a : b;
    for (int i = 0; i < out.items.size(); ++i)
        out.items[i] = realBinary(op, a.kind == K::List ? a.items[i] : a.num,
                                  b.kind == K::List ? b.items[i] : b.num);
    return out;
}

template <typename F> Value mapReal(const Value &v, F f)
{
    if (v.kind == Value::Real)
        return Value::real(f(v.num));
    if (v.kind != Value::List)
        raise(Error::DataType);
    Value out = v;
    for (Number &x : out.items)
        x = f(x);
    return out;
}

} // namespace

struct Block {
    enum Kind { If, For, While, Repeat } kind;
    explicit Block(Kind k) : kind(k) {}
    int a = 0, b = 0, c = 0;
    int var = 0;
    Number end, step;
};

struct Call {
    std::shared_ptr<Program> program;
    QString name;
    int ip = 0;
    int line = 0;
    std::vector<Block> blocks;
};

struct SeqState {
    int var;
    Number end, step, saved;
    QVector<Number> out;
};

class Vm
{
public:
    explicit Vm(Engine &e) : e_(e) {}
    // Runs a program to its end; true when its last statement was an
    // expression (whose value is then in Ans).
    bool run(std::shared_ptr<Program> p, const QString &name);
    Value evaluate(std::shared_ptr<Program> p);
    Outcome outcome;
    bool inExpr = false;

private:
    void loop();
    Value unary(int op, const Value &v);
    Value call(int fn, Value *args, int n);
    Value &var(int key);
    Value &named(const QString &name, bool create = false);
    void store(int kind, int key, const Value &v, const QString &name);
    void display(const Value &v);
    void pushBlock(Call &c, const Block &b);
    Number trig(int fn, Number x);
    Value answer(const QString &text);
    QString varName(int kind, int key, const Program &p) const;
    void draw(int cmd, const Value *args, int n);

    Engine &e_;
    std::deque<Call> calls_;
    std::vector<Value> stack_;
    std::vector<SeqState> seqs_;
    bool lastExpr_ = false;
};

Value &Vm::var(int key)
{
    auto it = e_.vars_.find(key);
    if (it == e_.vars_.end())
        raise(Error::Undefined);
    return *it;
}

Value &Vm::named(const QString &name, bool create)
{
    auto it = e_.namedLists_.find(name);
    if (it == e_.namedLists_.end()) {
        if (!create)
            raise(Error::Undefined);
        it = e_.namedLists_.insert(name, Value::list({}));
    }
    return *it;
}

QString Vm::varName(int kind, int key, const Program &p) const
{
    if (kind == TReal)
        return key == 26 ? QStringLiteral("\u03B8") : QString(QChar('A' + key));
    if (kind == TNamed)
        return p.names[key];
    return calc::tokens::displayString(key);
}

void Vm::store(int kind, int key, const Value &v, const QString &name)
{
    if (kind == TReal) {
        e_.reals_[key] = realOf(v);
    } else if (kind == TNamed) {
        if (v.kind != Value::List)
            raise(Error::DataType);
        e_.namedLists_[name] = v;
    } else {
        const bool list = key >= tok::List0 && key <= tok::List0 + 5;
        const bool str = key >= tok::Str0 && key <= tok::Str0 + 9;
        const Value::Kind want = list ? Value::List : str ? Value::String : Value::Matrix;
        if (v.kind != want)
            raise(Error::DataType);
        e_.vars_[key] = v;
    }
}

void Vm::display(const Value &v)
{
    if (v.kind == Value::Matrix) {
        for (const QString &l : matrixLines(v))
            e_.screen_.line(l, false);
        return;
    }
    e_.screen_.line(displayText(v), v.kind != Value::String);
}

void Vm::pushBlock(Call &c, const Block &b)
{
    if (int(c.blocks.size()) >= kMaxOpenBlocks)
        raise(Error::Memory);
    c.blocks.push_back(b);
}

Number Vm::trig(int fn, Number x)
{
    const long double v = x.toLongDouble();
    const long double toRad = e_.degrees_ ? 3.14159265358979323846264338327950288L / 180 : 1;
    const long double fromRad = 1 / toRad;
    switch (fn - tok::Sin) {
    case 0:
        return fromLd(std::sin(v * toRad));
    case 1:
        if (std::fabs(v) > 1)
            raise(Error::Domain);
        return fromLd(std::asin(v) * fromRad);
    case 2:
        return fromLd(std::cos(v * toRad));
    case 3:
        if (std::fabs(v) > 1)
            raise(Error::Domain);
        return fromLd(std::acos(v) * fromRad);
    case 4:
        if (std::fabs(std::cos(v * toRad)) < 1e-15L)
            raise(Error::Domain);
        return fromLd(std::tan(v * toRad));
    case 5:
        return fromLd(std::atan(v) * fromRad);
    case 6:
        return fromLd(std::sinh(v));
    case 7:
        return fromLd(std::asinh(v));
    case 8:
        return fromLd(std::cosh(v));
    case 9:
        if (v < 1)
            raise(Error::NonrealAns);
        return fromLd(std::acosh(v));
    case 10:
        return fromLd(std::tanh(v));
    default:
        if (std::fabs(v) >= 1)
            raise(Error::Domain);
        return fromLd(std::atanh(v));
    }
}

Value Vm::unary(int op, const Value &v)
{
    if (v.kind == Value::Matrix && op == tok::Neg) {
        Value m = v;
        for (Number &x : m.items)
            x = x.negated();
        return m;
    }
    switch (op) {
    case tok::Neg:
        return mapReal(v, [](Number x) { return x.negated(); });
    case tok::Square:
        return mapReal(v, [](Number x) { return mul(x, x); });
    case tok::Cube:
        return mapReal(v, [](Number x) { return mul(mul(x, x), x); });
    case tok::Inverse:
        return mapReal(v, [](Number x) { return divide(num(1), x); });
    case tok::Factorial:
        return mapReal(v, factorial);
    case tok::DegreeSign:
        return mapReal(
            v, [this](Number x) { return e_.degrees_ ? x : divide(mul(x, pi()), num(180)); });
    case tok::RadianSign:
        return mapReal(
            v, [this](Number x) { return e_.degrees_ ? divide(mul(x, num(180)), pi()) : x; });
    }
    raise(Error::Syntax);
}

namespace
{

const QVector<Number> &listOf(const Value &v)
{
    if (v.kind != Value::List)
        raise(Error::DataType);
    return v.items;
}

// An index into a list or string: a whole number from 1 to `size`.
int indexOf(const Value &v, int size)
{
    std::int64_t i;
    if (!realOf(v).toInt(&i) || i < 1 || i > size)
        raise(Error::InvalidDim);
    return int(i);
}

int listSize(const Value &v)
{
    std::int64_t n;
    if (!realOf(v).toInt(&n) || n < 1 || n > 999)
        raise(Error::Domain);
    return int(n);
}

} // namespace

namespace
{

// A pixel place from two values: rows 0-62, columns 0-94, or ERR:DOMAIN.
void pixelPlace(const Value &row, const Value &col, int *r, int *c, int rows = GraphScreen::kRows)
{
    std::int64_t a, b;
    if (!realOf(row).toInt(&a) || !realOf(col).toInt(&b) || a < 0 || a >= rows || b < 0 ||
        b >= GraphScreen::kColumns)
        raise(Error::Domain);
    *r = int(a);
    *c = int(b);
}

double coord(const Value &v)
{
    return double(realOf(v).toLongDouble());
}

} // namespace

Value Vm::call(int fn, Value *args, int n)
{
    const Value &a = args[0];
    switch (fn) {
    case tok::Int:
        return mapReal(a, [](Number x) { return x.floor(); });
    case tok::IPart:
        return mapReal(a, [](Number x) { return x.iPart(); });
    case tok::FPart:
        return mapReal(a, [](Number x) { return x.fPart(); });
    case tok::Abs:
        return mapReal(a, [](Number x) { return x.abs(); });
    case tok::Not:
        return mapReal(a, [](Number x) { return num(x.isZero()); });
    case tok::Sqrt:
        return mapReal(a, [](Number x) {
            if (x.isNegative())
                raise(Error::NonrealAns);
            return fromLd(std::sqrt(x.toLongDouble()));
        });
    case tok::CubeRoot:
        return mapReal(a, [](Number x) { return fromLd(std::cbrt(x.toLongDouble())); });
    case tok::Ln:
    case tok::Log:
        return mapReal(a, [fn](Number x) {
            if (x.isZero())
                raise(Error::Domain);
            if (x.isNegative())
                raise(Error::NonrealAns);
            const long double v = x.toLongDouble();
            return fromLd(fn == tok::Ln ? std::log(v) : std::log10(v));
        });
    case tok::EPow:
        return mapReal(a, [](Number x) { return fromLd(std::exp(x.toLongDouble())); });
    case tok::TenPow:
        return mapReal(a, [](Number x) { return power(num(10), x); });
    case tok::Round: {
        std::int64_t places = 9;
        if (n == 2) {
            if (!realOf(args[1]).toInt(&places) || places < 0 || places > 9)
                raise(Error::Domain);
        }
        return mapReal(a, [places](Number x) { return x.roundTo(int(places)); });
    }
    case tok::Min:
    case tok::Max: {
        const bool least = fn == tok::Min;
        auto pick = [least](Number x, Number y) { return (x.compare(y) < 0) == least ? x : y; };
        if (n == 1) {
            const QVector<Number> &l = listOf(a);
            Number best = l.value(0);
            for (const Number &x : l)
                best = pick(best, x);
            return Value::real(best);
        }
        const Value &b = args[1];
        if (a.kind == Value::Real && b.kind == Value::Real)
            return Value::real(pick(a.num, b.num));
        if (a.kind == Value::String || b.kind == Value::String || a.kind == Value::Matrix ||
            b.kind == Value::Matrix)
            raise(Error::DataType);
        if (a.kind == Value::List && b.kind == Value::List && a.items.size() != b.items.size())
            raise(Error::DimMismatch);
        Value out = a.kind == Value::List ? a : b;
        for (int i = 0; i < out.items.size(); ++i)
            out.items[i] = pick(a.kind == Value::List ? a.items[i] : a.num,
                                b.kind == Value::List ? b.items[i] : b.num);
        return out;
    }
    case tok::Dim:
        if (a.kind == Value::Matrix)
            return Value::list({num(a.rows), num(a.cols)});
        return Value::real(num(listOf(a).size()));
    case tok::Sum:
    case tok::Prod: {
        const QVector<Number> &l = listOf(a);
        int from = 1, to = l.size();
        if (n >= 2)
            from = indexOf(args[1], l.size());
        if (n == 3)
            to = indexOf(args[2], l.size());
        Number r = num(fn == tok::Sum ? 0 : 1);
        for (int i = from; i <= to; ++i)
            r = fn == tok::Sum ? add(r, l[i - 1]) : mul(r, l[i - 1]);
        return Value::real(r);
    }
    case tok::Mean: {
        const QVector<Number> &l = listOf(a);
        Number s;
        for (const Number &x : l)
            s = add(s, x);
        return Value::real(divide(s, num(l.size())));
    }
    case tok::Median: {
        QVector<Number> l = listOf(a);
        std::sort(l.begin(), l.end());
        const int m = l.size() / 2;
        if (l.size() % 2)
            return Value::real(l[m]);
        return Value::real(divide(add(l[m - 1], l[m]), num(2)));
    }
    case tok::CumSum: {
        Value out = a;
        listOf(a);
        Number s;
        for (Number &x : out.items)
            x = s = add(s, x);
        return out;
    }
    case tok::Augment: {
        const Value &b = args[1];
        if (a.kind == Value::List && b.kind == Value::List) {
            if (a.items.size() + b.items.size() > 999)
                raise(Error::InvalidDim);
            return Value::list(a.items + b.items);
        }
        if (a.kind == Value::Matrix && b.kind == Value::Matrix) {
            if (a.rows != b.rows)
                raise(Error::DimMismatch);
            Value m = a;
            m.cols = a.cols + b.cols;
            m.items.clear();
            for (int r = 0; r < a.rows; ++r)
                m.items += a.items.mid(r * a.cols, a.cols) + b.items.mid(r * b.cols, b.cols);
            return m;
        }
        raise(Error::DataType);
    }
    case tok::Gcd:
    case tok::Lcm: {
        auto f = [fn](Number x, Number y) {
            std::int64_t p, q;
            if (!x.toInt(&p) || !y.toInt(&q) || p < 0 || q < 0)
                raise(Error::Domain);
            std::int64_t g = p, h = q;
            while (h) {
                const std::int64_t t = g % h;
                g = h;
                h = t;
            }
            if (fn == tok::Gcd)
                return num(g);
            return g == 0 ? num(0) : mul(num(p / g), num(q));
        };
        Value l = binary(tok::Plus, a, args[1]); // checks kinds and sizes
        if (l.kind == Value::Real)
            return Value::real(f(a.num, args[1].num));
        for (int i = 0; i < l.items.size(); ++i)
            l.items[i] = f(a.kind == Value::List ? a.items[i] : a.num,
                           args[1].kind == Value::List ? args[1].items[i] : args[1].num);
        return l;
    }
    case tok::RandInt: {
        std::int64_t lo, hi;
        if (!realOf(a).toInt(&lo) || !realOf(args[1]).toInt(&hi))
            raise(Error::Domain);
        if (lo > hi)
            std::swap(lo, hi);
        auto one = [&] { return add(num(lo), mul(num(hi - lo + 1), e_.nextRandom()).floor()); };
        if (n == 2)
            return Value::real(one());
        QVector<Number> l(listSize(args[2]));
        for (Number &x : l)
            x = one();
        return Value::list(l);
    }
    case tok::Rand: {
        QVector<Number> l(listSize(a));
        for (Number &x : l)
            x = e_.nextRandom();
        return Value::list(l);
    }
    case tok::PxlTest: {
        int r, c;
        pixelPlace(a, args[1], &r, &c);
        e_.graph_.prepare();
        return Value::real(num(e_.graph_.pixel(r, c)));
    }
    case tok::Length:
        if (a.kind != Value::String)
            raise(Error::DataType);
        return Value::real(num(a.text.size()));
    case tok::Sub: {
        if (n == 1) // a percentage, as the TI-83 had it
            return mapReal(a, [](Number x) { return divide(x, num(100)); });
        if (n != 3)
            raise(Error::Argument);
        if (a.kind != Value::String)
            raise(Error::DataType);
        const long long start = intOf(args[1]), length = intOf(args[2]);
        if (start < 1 || length < 1 || start + length - 1 > a.text.size())
            raise(Error::Domain);
        return Value::string(a.text.mid(int(start - 1), int(length)));
    }
    case tok::InString: {
        if (a.kind != Value::String || args[1].kind != Value::String)
            raise(Error::DataType);
        long long start = 1;
        if (n == 3) {
            start = intOf(args[2]);
            if (start < 1)
                raise(Error::Domain);
        }
        const QVector<int> &h = a.text, &s = args[1].text;
        for (long long i = start - 1; i + s.size() <= h.size(); ++i) {
            if (std::equal(s.begin(), s.end(), h.begin() + i))
                return Value::real(num(i + 1));
        }
        return Value::real(Number());
    }
    case tok::Expr: {
        if (a.kind != Value::String)
            raise(Error::DataType);
        if (inExpr)
            raise(Error::IllegalNest);
        Vm inner(e_);
        inner.inExpr = true;
        return inner.evaluate(compile(bytesOf(a.text), true));
    }
    }
    if (fn >= tok::Sin && fn <= tok::Tanh1)
        return mapReal(a, [this, fn](Number x) { return trig(fn, x); });
    raise(Error::Unsupported, calc::tokens::displayString(fn));
}

void Vm::draw(int cmd, const Value *args, int n)
{
    GraphScreen &g = e_.graph_;
    switch (cmd) {
    case tok::AxesOn:
    case tok::AxesOff:
        g.setAxes(cmd == tok::AxesOn);
        return; // a setting: the screen stays as it is
    case tok::ZStandard:
        g.standard();
        return;
    default:
        break;
    }
    g.prepare();
    e_.graphShown_ = true;
    switch (cmd) {
    case tok::ClrDraw:
        g.clear();
        break;
    case tok::DispGraph:
        break;
    case tok::PxlOn:
    case tok::PxlOff:
    case tok::PxlChange: {
        int r, c;
        pixelPlace(args[0], args[1], &r, &c);
        g.set(r, c, GraphScreen::Mode(cmd == tok::PxlOn ? 1 : cmd == tok::PxlOff ? 0 : 2));
        break;
    }
    case tok::PtOn:
    case tok::PtOff:
    case tok::PtChange: {
        std::int64_t mark = 1;
        if (n == 3 && (!realOf(args[2]).toInt(&mark) || mark < 1 || mark > 3))
            raise(Error::Domain);
        const auto mode = GraphScreen::Mode(cmd == tok::PtOn ? 1 : cmd == tok::PtOff ? 0 : 2);
        g.point(coord(args[0]), coord(args[1]), mode, cmd == tok::PtChange ? 1 : int(mark));
        break;
    }
    case tok::Line: {
        bool on = true;
        if (n == 5)
            on = !realOf(args[4]).isZero();
        g.line(coord(args[0]), coord(args[1]), coord(args[2]), coord(args[3]),
               on ? GraphScreen::On : GraphScreen::Off);
        break;
    }
    case tok::Horizontal:
        g.horizontal(coord(args[0]), GraphScreen::On);
        break;
    case tok::Vertical:
        g.vertical(coord(args[0]), GraphScreen::On);
        break;
    case tok::Circle:
        g.circle(coord(args[0]), coord(args[1]), coord(args[2]));
        break;
    case tok::Text: {
        // The small font's letters are 6 rows tall: row 57 is the lowest.
        int r, c;
        pixelPlace(args[0], args[1], &r, &c, GraphScreen::kHeight - 6);
        QString text;
        for (int i = 2; i < n; ++i) {
            if (args[i].kind == Value::Matrix)
                raise(Error::DataType);
            text += displayText(args[i]);
        }
        if (e_.host_.drawText)
            e_.host_.drawText(g, r, c, text);
        break;
    }
    default:
        raise(Error::Unsupported, calc::tokens::displayString(cmd));
    }
}

Value Vm::evaluate(std::shared_ptr<Program> p)
{
    calls_.push_back({p, QString(), 0, 0, {}});
    loop();
    if (stack_.empty())
        raise(Error::Syntax);
    return stack_.back();
}

// An answer typed at Input or Prompt, as a value.
Value Vm::answer(const QString &text)
{
    const auto tokens = calc::tokens::tokenize(calc::calcsymbols::fromUnicode(text).text);
    if (!tokens.ok())
        raise(Error::Syntax, tokens.error);
    QByteArray bytes = tokens.bytes;
    // A minus typed first means a negative number.
    if (bytes.startsWith(char(tok::Minus)))
        bytes[0] = char(tok::Neg);
    Vm inner(e_);
    inner.inExpr = inExpr;
    return inner.evaluate(compile(bytes, true));
}

bool Vm::run(std::shared_ptr<Program> p, const QString &name)
{
    calls_.push_back({p, name, 0, 0, {}});
    try {
        loop();
    } catch (const RunError &err) {
        outcome.error = err.error;
        outcome.detail = err.detail;
        outcome.line = calls_.back().line;
        outcome.program = calls_.back().name;
        return false;
    }
    return lastExpr_;
}

void Vm::loop()
{
    Call *c = &calls_.back();
    const int *code = c->program->code.data();
    const Program *prog = c->program.get();
    int ip = 0;
    auto pop = [this] {
        Value v = std::move(stack_.back());
        stack_.pop_back();
        return v;
    };
    auto leave = [&]() -> bool {
        // Back to the caller; false when this was the outermost program.
        if (calls_.size() == 1)
            return false;
        calls_.pop_back();
        c = &calls_.back();
        prog = c->program.get();
        code = prog->code.data();
        ip = c->ip;
        return true;
    };
    for (;;) {
        const int op = code[ip++];
        switch (op) {
        case OpStmt:
            if (++outcome.steps > e_.maxSteps_)
                raise(Error::Steps);
            c->line = code[ip];
            ip += 3;
            lastExpr_ = false;
            if (e_.host_.statement &&
                !e_.host_.statement(c->name, c->line, code[ip - 2], code[ip - 1]))
                raise(Error::Break);
            break;
        case OpHalt:
        case OpReturn:
            if (!leave())
                return;
            break;
        case OpStop:
            return;
        case OpConst:
            stack_.push_back(prog->constants[code[ip++]]);
            break;
        case OpLoadReal:
            stack_.push_back(Value::real(e_.reals_[code[ip++]]));
            break;
        case OpLoadAns:
            stack_.push_back(e_.ans_);
            break;
        case OpLoadVar:
            stack_.push_back(var(code[ip++]));
            break;
        case OpLoadNamed:
            stack_.push_back(named(prog->names[code[ip++]]));
            break;
        case OpListElem:
        case OpNamedElem: {
            const Value &l = op == OpListElem ? var(code[ip]) : named(prog->names[code[ip]]);
            ++ip;
            const int i = indexOf(stack_.back(), l.items.size());
            stack_.back() = Value::real(l.items[i - 1]);
            break;
        }
        case OpMatElem: {
            const Value &m = var(code[ip++]);
            const Value col = pop();
            const int r = indexOf(stack_.back(), m.rows), k = indexOf(col, m.cols);
            stack_.back() = Value::real(m.items[(r - 1) * m.cols + k - 1]);
            break;
        }
        case OpRand:
            stack_.push_back(Value::real(e_.nextRandom()));
            break;
        case OpGetKey:
            stack_.push_back(Value::real(num(e_.host_.nextKey ? e_.host_.nextKey() : 0)));
            break;
        case OpBinary: {
            const Value b = pop();
            stack_.back() = binary(code[ip++], stack_.back(), b);
            break;
        }
        case OpUnary:
            stack_.back() = unary(code[ip++], stack_.back());
            break;
        case OpCall: {
            const int fn = code[ip], n = code[ip + 1];
            ip += 2;
            Value *args = stack_.data() + stack_.size() - n;
            Value r = call(fn, args, n);
            stack_.resize(stack_.size() - n);
            stack_.push_back(std::move(r));
            break;
        }
        case OpMakeList: {
            const int n = code[ip++];
            QVector<Number> items(n);
            for (int i = 0; i < n; ++i)
                items[i] = realOf(stack_[stack_.size() - n + i]);
            stack_.resize(stack_.size() - n);
            stack_.push_back(Value::list(items));
            break;
        }
        case OpMakeMatrix: {
            const int rows = code[ip++];
            Value m;
            m.kind = Value::Matrix;
            m.rows = rows;
            m.cols = stack_[stack_.size() - rows].items.size();
            for (int i = 0; i < rows; ++i) {
                const Value &row = stack_[stack_.size() - rows + i];
                if (row.items.size() != m.cols)
                    raise(Error::InvalidDim);
                m.items += row.items;
            }
            stack_.resize(stack_.size() - rows);
            stack_.push_back(m);
            break;
        }
        case OpSeq: {
            const int v = code[ip], hasStep = code[ip + 1], exit = code[ip + 2];
            ip += 3;
            if (!seqs_.empty())
                raise(Error::IllegalNest);
            SeqState s;
            s.var = v;
            s.step = hasStep ? realOf(pop()) : num(1);
            s.end = realOf(pop());
            const Number start = realOf(pop());
            if (s.step.isZero())
                raise(Error::Domain);
            if (s.step.isNegative() ? start < s.end : s.end < start)
                raise(Error::InvalidDim);
            s.saved = e_.reals_[v];
            e_.reals_[v] = start;
            seqs_.push_back(s);
            (void)exit;
            break;
        }
        case OpSeqNext: {
            SeqState &s = seqs_.back();
            s.out << realOf(pop());
            if (s.out.size() > 999)
                raise(Error::InvalidDim);
            const Number next = add(e_.reals_[s.var], s.step);
            if (s.step.isNegative() ? !(next < s.end) : !(s.end < next)) {
                e_.reals_[s.var] = next;
                ip = code[ip];
            } else {
                ++ip;
                e_.reals_[s.var] = s.saved;
                stack_.push_back(Value::list(s.out));
                seqs_.pop_back();
            }
            break;
        }
        case OpStoreReal:
            e_.reals_[code[ip++]] = realOf(stack_.back());
            break;
        case OpStoreVar:
            store(TVar, code[ip++], stack_.back(), QString());
            break;
        case OpStoreNamed:
            store(TNamed, 0, stack_.back(), prog->names[code[ip++]]);
            break;
        case OpStoreElem:
        case OpStoreNamedElem: {
            const Value index = pop();
            const Number x = realOf(stack_.back());
            Value *l;
            if (op == OpStoreElem) {
                auto it = e_.vars_.find(code[ip]);
                if (it == e_.vars_.end())
                    it = e_.vars_.insert(code[ip], Value::list({}));
                l = &*it;
            } else {
                l = &named(prog->names[code[ip]], true);
            }
            ++ip;
            // One past the end makes the list longer.
            const int i = indexOf(index, std::min(int(l->items.size()) + 1, 999));
            if (i > l->items.size())
                l->items.append(x);
            else
                l->items[i - 1] = x;
            break;
        }
        case OpStoreMatElem: {
            const Value col = pop(), row = pop();
            const Number x = realOf(stack_.back());
            Value &m = var(code[ip++]);
            const int r = indexOf(row, m.rows), k = indexOf(col, m.cols);
            m.items[(r - 1) * m.cols + k - 1] = x;
            break;
        }
        case OpStoreDim: {
            const int key = code[ip++];
            if (key >= tok::Matrix0 && key <= tok::Matrix0 + 9) {
                const QVector<Number> &d = listOf(stack_.back());
                if (d.size() != 2)
                    raise(Error::InvalidDim);
                std::int64_t r, k;
                if (!d[0].toInt(&r) || !d[1].toInt(&k) || r < 1 || k < 1 || r > 99 || k > 99)
                    raise(Error::InvalidDim);
                Value old = e_.vars_.value(key);
                Value m;
                m.kind = Value::Matrix;
                m.rows = int(r);
                m.cols = int(k);
                m.items.fill(Number(), int(r * k));
                for (int i = 0; i < std::min<int>(old.rows, m.rows); ++i)
                    for (int j = 0; j < std::min<int>(old.cols, m.cols); ++j)
                        m.items[i * m.cols + j] = old.items[i * old.cols + j];
                e_.vars_[key] = m;
                break;
            }
            std::int64_t n;
            if (!realOf(stack_.back()).toInt(&n) || n < 0 || n > 999)
                raise(Error::InvalidDim);
            Value *l;
            if (key >= 0) {
                auto it = e_.vars_.find(key);
                if (it == e_.vars_.end())
                    it = e_.vars_.insert(key, Value::list({}));
                l = &*it;
            } else {
                l = &named(prog->names[-1 - key], true);
            }
            l->items.resize(int(n));
            break;
        }
        case OpStoreRand:
            e_.seed(realOf(stack_.back()));
            break;
        case OpSetAns:
            e_.ans_ = pop();
            lastExpr_ = true;
            break;
        case OpPop:
            stack_.pop_back();
            break;
        case OpJump:
            if (code[ip] < 0)
                raise(Error::Label);
            ip = code[ip];
            break;
        case OpIfFalse:
            if (truth(pop()))
                ++ip;
            else
                ip = code[ip];
            break;
        case OpIfThen: {
            if (truth(pop())) {
                pushBlock(*c, Block(Block::If));
                ip += 2;
            } else {
                if (code[ip + 1])
                    pushBlock(*c, Block(Block::If));
                ip = code[ip];
            }
            break;
        }
        case OpElse:
            if (!c->blocks.empty())
                c->blocks.pop_back();
            ip = code[ip];
            break;
        case OpWhile:
            if (truth(pop())) {
                Block b(Block::While);
                b.a = code[ip + 1];
                pushBlock(*c, b);
                ip += 2;
            } else {
                ip = code[ip];
            }
            break;
        case OpRepeat: {
            Block b(Block::Repeat);
            b.a = ip + 1;
            b.c = code[ip];
            pushBlock(*c, b);
            ip = code[ip];
            break;
        }
        case OpRepeatTest: {
            if (c->blocks.empty() || c->blocks.back().kind != Block::Repeat)
                raise(Error::Syntax);
            const Block b = c->blocks.back();
            if (truth(pop())) {
                c->blocks.pop_back();
                ip = b.b;
            } else {
                ip = b.c;
            }
            break;
        }
        case OpFor: {
            Block b(Block::For);
            b.var = code[ip];
            const bool hasStep = code[ip + 1];
            const int skip = code[ip + 2];
            ip += 3;
            b.step = hasStep ? realOf(pop()) : num(1);
            b.end = realOf(pop());
            const Number start = realOf(pop());
            if (b.step.isZero())
                raise(Error::Increment);
            e_.reals_[b.var] = start;
            if (b.step.isNegative() ? start < b.end : b.end < start) {
                ip = skip;
            } else {
                b.a = ip;
                pushBlock(*c, b);
            }
            break;
        }
        case OpEnd: {
            if (c->blocks.empty())
                raise(Error::Syntax);
            Block &b = c->blocks.back();
            switch (b.kind) {
            case Block::If:
                c->blocks.pop_back();
                break;
            case Block::For: {
                Number &v = e_.reals_[b.var];
                v = add(v, b.step);
                if (b.step.isNegative() ? !(v < b.end) : !(b.end < v))
                    ip = b.a;
                else
                    c->blocks.pop_back();
                break;
            }
            case Block::While:
                ip = b.a;
                c->blocks.pop_back();
                break;
            case Block::Repeat:
                b.b = ip;
                ip = b.a;
                break;
            }
            break;
        }
        case OpIsDs: {
            const int v = code[ip], delta = code[ip + 1], skip = code[ip + 2];
            ip += 3;
            const Number limit = realOf(pop());
            Number &x = e_.reals_[v];
            x = add(x, num(delta));
            if (delta > 0 ? limit < x : x < limit)
                ip = skip;
            break;
        }
        case OpDisp: {
            e_.graphShown_ = false;
            const int n = code[ip++];
            for (int i = 0; i < n; ++i)
                display(stack_[stack_.size() - n + i]);
            stack_.resize(stack_.size() - n);
            break;
        }
        case OpOutput: {
            e_.graphShown_ = false;
            const Value v = pop(), col = pop(), row = pop();
            std::int64_t r, k;
            if (!realOf(row).toInt(&r) || !realOf(col).toInt(&k) || r < 1 || r > 8 || k < 1 ||
                k > 16)
                raise(Error::Domain);
            if (v.kind == Value::Matrix)
                raise(Error::DataType);
            e_.screen_.output(int(r), int(k), displayText(v));
            break;
        }
        case OpClrHome:
            e_.graphShown_ = false;
            e_.screen_.clear();
            break;
        case OpPause:
            // Pause alone keeps the graph screen up; with a value it shows home.
            if (code[ip++]) {
                e_.graphShown_ = false;
                display(pop());
            }
            if (e_.host_.pause && !e_.host_.pause())
                raise(Error::Break);
            break;
        case OpInput: {
            const int prompt = code[ip], kind = code[ip + 1], key = code[ip + 2],
                      isPrompt = code[ip + 3];
            ip += 4;
            const QString name = kind == TNamed ? prog->names[key] : QString();
            QString shown =
                isPrompt ? varName(kind, key, *prog) + QStringLiteral("=?") : QStringLiteral("?");
            if (prompt == -2) // only its first 16 characters show
                shown = displayText(pop()).left(HomeScreen::kColumns);
            e_.graphShown_ = false;
            e_.screen_.setPrompt(shown);
            QString text;
            const bool answered = e_.host_.nextAnswer && e_.host_.nextAnswer(&text);
            e_.screen_.setPrompt(QString());
            if (!answered)
                raise(Error::Break);
            e_.screen_.wrapped(shown + text);
            if (kind == TVar && key >= tok::Str0 && key <= tok::Str0 + 9) {
                // Text as typed; quotes around it are not part of it.
                if (text.size() >= 2 && text.startsWith(QLatin1Char('"')) &&
                    text.endsWith(QLatin1Char('"')))
                    text = text.mid(1, text.size() - 2);
                const auto t = calc::tokens::tokenize(calc::calcsymbols::fromUnicode(text).text);
                if (!t.ok())
                    raise(Error::Syntax, t.error);
                const QVector<int> tokens = tokenValues(t.bytes);
                store(kind, key, Value::string(tokens), name);
            } else {
                store(kind, key, answer(text), name);
            }
            break;
        }
        case OpMenu: {
            e_.graphShown_ = false;
            const int n = code[ip];
            QStringList lines;
            for (int i = 0; i <= n; ++i)
                lines << displayText(stack_[stack_.size() - n - 1 + i]);
            stack_.resize(stack_.size() - n - 1);
            e_.screen_.setMenu(lines);
            QString text;
            const bool answered = e_.host_.nextAnswer && e_.host_.nextAnswer(&text);
            e_.screen_.setMenu({});
            if (!answered)
                raise(Error::Break);
            bool ok = false;
            const int choice = text.trimmed().toInt(&ok);
            if (!ok || choice < 1 || choice > n)
                raise(Error::Break, QStringLiteral("no menu item %1").arg(text));
            const int target = code[ip + choice];
            if (target < 0)
                raise(Error::Label);
            ip = target;
            break;
        }
        case OpPrgm: {
            const QString name = prog->names[code[ip++]];
            QByteArray bytes;
            if (!e_.host_.findProgram || !e_.host_.findProgram(name, &bytes))
                raise(Error::Undefined, QStringLiteral("prgm") + name);
            if (int(calls_.size()) >= kMaxCallDepth)
                raise(Error::Memory);
            c->ip = ip;
            calls_.push_back({e_.compiled(bytes), name, 0, 0, {}});
            c = &calls_.back();
            prog = c->program.get();
            code = prog->code.data();
            ip = 0;
            break;
        }
        case OpDelVar: {
            const int kind = code[ip], key = code[ip + 1];
            ip += 2;
            if (kind == TReal)
                e_.reals_[key] = Number();
            else if (kind == TNamed)
                e_.namedLists_.remove(prog->names[key]);
            else
                e_.vars_.remove(key);
            break;
        }
        case OpSort: {
            const int kind = code[ip], key = code[ip + 1];
            const bool up = code[ip + 2];
            ip += 3;
            Value &l = kind == TNamed ? named(prog->names[key]) : var(key);
            if (up)
                std::stable_sort(l.items.begin(), l.items.end());
            else
                std::stable_sort(l.items.begin(), l.items.end(),
                                 [](const Number &x, const Number &y) { return y < x; });
            break;
        }
        case OpClrList: {
            const int kind = code[ip], key = code[ip + 1];
            ip += 2;
            Value &l = kind == TNamed ? named(prog->names[key], true) : e_.vars_[key];
            l = Value::list({});
            break;
        }
        case OpFill: {
            const int kind = code[ip], key = code[ip + 1];
            ip += 2;
            const Number x = realOf(pop());
            Value &l = kind == TNamed ? named(prog->names[key]) : var(key);
            l.items.fill(x);
            break;
        }
        case OpAngle:
            e_.degrees_ = code[ip++] != 0;
            break;
        case OpError:
            raise(Error(code[ip]), prog->names.value(code[ip + 1]));
        case OpDraw: {
            const int cmd = code[ip], n = code[ip + 1];
            ip += 2;
            draw(cmd, stack_.data() + stack_.size() - n, n);
            stack_.resize(stack_.size() - n);
            break;
        }
        case OpLoadWindow:
            stack_.push_back(Value::real(e_.graph_.window(GraphScreen::Window(code[ip++]))));
            break;
        case OpStoreWindow:
            if (!e_.graph_.setWindow(GraphScreen::Window(code[ip++]), realOf(stack_.back())))
                raise(Error::WindowRange);
            break;
        default:
            raise(Error::Syntax);
        }
    }
}

Engine::Engine() = default;
Engine::~Engine() = default;

std::shared_ptr<Program> Engine::compiled(const QByteArray &tokens)
{
    auto it = cache_.constFind(tokens);
    if (it != cache_.constEnd())
        return *it;
    auto p = compile(tokens);
    cache_.insert(tokens, p);
    return p;
}

Outcome Engine::run(const QByteArray &tokens, const QString &name)
{
    Vm vm(*this);
    const bool lastExpr = vm.run(compiled(tokens), name);
    if (vm.outcome.error == Error::None) {
        if (lastExpr) {
            if (ans_.kind == Value::Matrix) {
                for (const QString &l : matrixLines(ans_))
                    screen_.line(l, true);
            } else {
                screen_.line(displayText(ans_), ans_.kind != Value::String);
            }
        } else if (!screen_.lastWasOutput()) {
            screen_.line(QStringLiteral("Done"), true);
        }
    }
    return vm.outcome;
}

Outcome Engine::evaluate(const QByteArray &tokens, Value *result)
{
    Vm vm(*this);
    try {
        *result = vm.evaluate(compile(tokens, true));
    } catch (const RunError &err) {
        vm.outcome.error = err.error;
        vm.outcome.detail = err.detail;
        vm.outcome.line = 1;
    }
    return vm.outcome;
}

QList<QPair<QString, QString>> Engine::variables() const
{
    QList<QPair<QString, QString>> out;
    for (int i = 0; i < 27; ++i)
        out.append(
            {i == 26 ? QStringLiteral("\u03B8") : QString(QChar('A' + i)), reals_[i].display()});
    out.append({QStringLiteral("Ans"), ans_.kind == Value::Matrix
                                           ? matrixLines(ans_).join(QString())
                                           : displayText(ans_)});
    QList<int> keys = vars_.keys();
    std::sort(keys.begin(), keys.end());
    for (int key : keys) {
        const Value &v = vars_[key];
        out.append({calc::tokens::displayString(key),
                    v.kind == Value::Matrix   ? matrixLines(v).join(QString())
                    : v.kind == Value::String ? QLatin1Char('"') + displayText(v) + QLatin1Char('"')
                                              : displayText(v)});
    }
    QStringList names = namedLists_.keys();
    names.sort();
    for (const QString &name : names)
        out.append({QStringLiteral("\u029F") + name, displayText(namedLists_[name])});
    return out;
}

Number Engine::real(QChar name) const
{
    if (name == QChar(0x03B8))
        return reals_[26];
    return reals_[name.unicode() - 'A'];
}

void Engine::seed(Number n)
{
    const Number whole = n.abs().iPart();
    if (whole.isZero()) {
        s1_ = 12345;
        s2_ = 67890;
        return;
    }
    s1_ = (40014 * modulo(whole, kM1)) % kM1;
    s2_ = modulo(whole, kM2);
}

Number Engine::nextRandom()
{
    s1_ = (s1_ * 40014) % kM1;
    s2_ = (s2_ * 40692) % kM2;
    Number r = divide(num(s1_ - s2_), num(kM1));
    if (r.isNegative() || r.isZero())
        r = add(r, num(1));
    return r;
}

} // namespace calc::run
