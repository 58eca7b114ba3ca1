// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calc/Models.h"

#include "calc/Tokens.h"

namespace calc::models
{

namespace
{

// When each range of two-byte tokens came, from the token sheets' "since"
// entries. Ranges hold gaps the calculators leave unused.
struct Range {
    int first, last;
    Model model;
    const char *os;
};
const Range kRanges[] = {
    {0xBB68, 0xBBCE, Model::Ti83Plus, ""},      {0xBBCF, 0xBBDA, Model::Ti83Plus, "1.15"},
    {0xBBDB, 0xBBF5, Model::Ti83Plus, "1.16"},  {0xEF00, 0xEF12, Model::Ti84Plus, ""},
    {0xEF13, 0xEF15, Model::Ti84Plus, "2.30"},  {0xEF16, 0xEF17, Model::Ti84Plus, ""},
    {0xEF18, 0xEF3D, Model::Ti84Plus, "2.53"},  {0xEF3F, 0xEF40, Model::Ti84Plus, "2.55"},
    {0xEF41, 0xEF75, Model::Ti84PlusCSE, ""},   {0xEF79, 0xEF7A, Model::Ti84PlusCE, ""},
    {0xEF81, 0xEF81, Model::Ti84PlusCE, "5.1"}, {0xEF82, 0xEF98, Model::Ti84PlusCE, "5.2"},
    {0xEF9E, 0xEFA6, Model::Ti84PlusCE, "5.3"}, {0x6338, 0x6338, Model::Ti84PlusCSE, ""},
};

template <typename F> void eachToken(const QByteArray &bytes, F f)
{
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        const int first = static_cast<unsigned char>(bytes.at(i));
        if (tokens::isTwoBytePrefix(first) && i + 1 < bytes.size())
            f(first << 8 | static_cast<unsigned char>(bytes.at(++i)));
        else
            f(first);
    }
}

} // namespace

QVector<Model> all()
{
    return {Model::Ti83, Model::Ti83Plus, Model::Ti84Plus, Model::Ti84PlusCSE, Model::Ti84PlusCE};
}

QString id(Model m)
{
    switch (m) {
    case Model::Ti83:
        return QStringLiteral("ti83");
    case Model::Ti83Plus:
        return QStringLiteral("ti83p");
    case Model::Ti84Plus:
        return QStringLiteral("ti84p");
    case Model::Ti84PlusCSE:
        return QStringLiteral("ti84pcse");
    case Model::Ti84PlusCE:
        return QStringLiteral("ti84pce");
    case Model::None:
        break;
    }
    return QString();
}

Model fromId(QStringView text)
{
    const QString lower = text.toString().toLower();
    if (lower == QLatin1String("83"))
        return Model::Ti83;
    if (lower == QLatin1String("83p"))
        return Model::Ti83Plus;
    for (Model m : all())
        if (id(m) == lower)
            return m;
    return Model::None;
}

QString name(Model m)
{
    switch (m) {
    case Model::Ti83:
        return QStringLiteral("TI-83");
    case Model::Ti83Plus:
        return QStringLiteral("TI-83 Plus");
    case Model::Ti84Plus:
        return QStringLiteral("TI-84 Plus");
    case Model::Ti84PlusCSE:
        return QStringLiteral("TI-84 Plus C SE");
    case Model::Ti84PlusCE:
        return QStringLiteral("TI-84 Plus CE");
    case Model::None:
        break;
    }
    return QString();
}

QString longName(Model m)
{
    if (m == Model::Ti84PlusCE)
        return QStringLiteral("TI-84 Plus CE / TI-83 Premium CE");
    return name(m);
}

bool isColour(Model m)
{
    return m == Model::Ti84PlusCSE || m == Model::Ti84PlusCE;
}

long long freeRam(Model m)
{
    switch (m) {
    case Model::Ti83:
    case Model::Ti83Plus:
    case Model::Ti84Plus:
        return 24 * 1024;
    case Model::Ti84PlusCSE:
        return 21 * 1024;
    case Model::Ti84PlusCE:
    case Model::None:
        break;
    }
    return 154 * 1024;
}

int productId(Model m)
{
    switch (m) {
    case Model::Ti83Plus:
        return 0x04;
    case Model::Ti84Plus:
        return 0x0A;
    case Model::Ti84PlusCSE:
        return 0x0F;
    case Model::Ti84PlusCE:
        return 0x13;
    default:
        return 0;
    }
}

Model fromProductId(int productId)
{
    for (Model m : all())
        if (productId != 0 && m != Model::Ti83 && models::productId(m) == productId)
            return m;
    return Model::None;
}

Model fromVersionByte(int version)
{
    // The clock flag says a TI-84 Plus or later, which the ranges say too.
    const int v = version & ~0x20;
    if (v >= 0x0B && v <= 0x0C)
        return Model::Ti84PlusCE;
    if (v == 0x0A)
        return Model::Ti84PlusCSE;
    if (v >= 0x04 && v <= 0x07)
        return Model::Ti84Plus;
    if (v >= 0x01 && v <= 0x03)
        return Model::Ti83Plus;
    return (version & 0x20) ? Model::Ti84Plus : Model::None;
}

Need need(int token)
{
    for (const Range &r : kRanges)
        if (token >= r.first && token <= r.last)
            return {r.model, QString::fromLatin1(r.os)};
    return {};
}

bool has(Model m, int token)
{
    return m == Model::None || int(need(token).model) <= int(m);
}

QString needText(const Need &n)
{
    if (n.os.isEmpty())
        return QStringLiteral("a %1").arg(name(n.model));
    return QStringLiteral("a %1 with OS %2 or later").arg(name(n.model), n.os);
}

Lowest lowestFor(const QByteArray &bytes)
{
    Lowest low;
    eachToken(bytes, [&](int token) {
        const Need n = need(token);
        if (int(n.model) > int(low.model) ||
            (n.model == low.model && n.model != Model::Ti83 && n.os > low.need.os)) {
            low.model = n.model;
            low.token = token;
            low.need = n;
        }
    });
    return low;
}

QVector<int> missingOn(Model m, const QByteArray &bytes)
{
    QVector<int> out;
    eachToken(bytes, [&](int token) {
        if (!has(m, token) && !out.contains(token))
            out.append(token);
    });
    return out;
}

} // namespace calc::models
