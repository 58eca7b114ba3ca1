// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "platform/RegistryAccess.h"

#include "platform/Config.h"
#include "platform/Places.h"
#include "platform/TextFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include <algorithm>
#include <cctype>
#include <iterator>

namespace platform
{

namespace
{

QString escape(const QString &s, bool isName)
{
    QString out;
    out.reserve(s.size() + 1);
    // A name must not read back as a section header or a comment.
    if (isName && (s.startsWith(QLatin1Char('[')) || s.startsWith(QLatin1Char(';'))))
        out += QLatin1Char('\\');
    for (QChar c : s) {
        if (c == QLatin1Char('\\'))
            out += QStringLiteral("\\\\");
        else if (c == QLatin1Char('\n'))
            out += QStringLiteral("\\n");
        else if (c == QLatin1Char('\r'))
            out += QStringLiteral("\\r");
        else if (isName && c == QLatin1Char('='))
            out += QStringLiteral("\\=");
        else
            out += c;
    }
    return out;
}

// Splits "name=value" at the first unescaped '=' and unescapes both halves.
bool parseValueLine(const QString &line, QString &name, QString &value)
{
    QString *target = &name;
    name.clear();
    value.clear();
    bool seenEquals = false;
    for (int i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (c == QLatin1Char('\\') && i + 1 < line.size()) {
            const QChar n = line[++i];
            if (n == QLatin1Char('n'))
                *target += QLatin1Char('\n');
            else if (n == QLatin1Char('r'))
                *target += QLatin1Char('\r');
            else
                *target += n;
        } else if (c == QLatin1Char('=') && !seenEquals) {
            seenEquals = true;
            target = &value;
        } else {
            *target += c;
        }
    }
    return seenEquals;
}

QString parentOf(const QString &normalised)
{
    const int cut = normalised.lastIndexOf(QLatin1Char('\\'));
    return cut <= 0 ? QString() : normalised.left(cut);
}

} // namespace

RegistryStore::RegistryStore(QString path) : m_path(std::move(path)) {}

QString RegistryStore::normalise(const QString &key)
{
    // Blanks are part of a key's name, as in the real registry.
    QString k = key;
    while (k.contains(QStringLiteral("\\\\")))
        k.replace(QStringLiteral("\\\\"), QStringLiteral("\\"));
    if (!k.startsWith(QLatin1Char('\\')))
        k.prepend(QLatin1Char('\\'));
    while (k.size() > 1 && k.endsWith(QLatin1Char('\\')))
        k.chop(1);
    return k.toLower();
}

bool RegistryStore::load(QMap<QString, Key> &keys) const
{
    keys.clear();
    QFile f(m_path);
    if (!f.exists())
        return true;
    if (!f.open(QIODevice::ReadOnly)) {
        m_error = QStringLiteral("Cannot read %1: %2").arg(m_path, f.errorString());
        return false;
    }
    QTextStream in(&f);
    in.setEncoding(QStringConverter::Utf8);
    Key *current = nullptr;
    while (!in.atEnd()) {
        const QString line = in.readLine();
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            const QString path = line.mid(1, line.size() - 2);
            Key &k = keys[normalise(path)];
            if (k.path.isEmpty())
                k.path = path;
            current = &k;
        } else if (current && !line.isEmpty() && !line.startsWith(QLatin1Char(';'))) {
            QString name, value;
            if (parseValueLine(line, name, value)) {
                bool replaced = false;
                for (auto &v : current->values)
                    if (v.first.compare(name, Qt::CaseInsensitive) == 0) {
                        v.second = value;
                        replaced = true;
                    }
                if (!replaced)
                    current->values.append({name, value});
            }
        }
    }
    return true;
}

bool RegistryStore::save(const QMap<QString, Key> &keys)
{
    QString text;
    for (const Key &k : keys) {
        text += QLatin1Char('[') + k.path + QStringLiteral("]\n");
        for (const auto &v : k.values)
            text += escape(v.first, true) + QLatin1Char('=') + escape(v.second, false) +
                    QLatin1Char('\n');
        text += QLatin1Char('\n');
    }
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    QString reason;
    if (!textfiles::writeAtomically(m_path, text.toUtf8(), &reason)) {
        m_error = QStringLiteral("Cannot write %1: %2").arg(m_path, reason);
        return false;
    }
    return true;
}

bool RegistryStore::keyExists(const QString &key) const
{
    const QString n = normalise(key);
    // The root keys always exist, as on the real registry.
    if (!n.mid(1).contains(QLatin1Char('\\')) ||
        n == QLatin1String("\\hkey_local_machine\\software"))
        return true;
    QMap<QString, Key> keys;
    return load(keys) && keys.contains(n);
}

bool RegistryStore::createKey(const QString &key)
{
    QMap<QString, Key> keys;
    if (!load(keys))
        return false;
    QString path = key;
    if (!path.startsWith(QLatin1Char('\\')))
        path.prepend(QLatin1Char('\\'));
    const QString n = normalise(path);
    if (keys.contains(n))
        return true; // existing keys and their values stay as they are
    keys[n].path = path;
    return save(keys);
}

bool RegistryStore::setValue(const QString &key, const QString &name, const QString &text)
{
    QMap<QString, Key> keys;
    if (!load(keys))
        return false;
    const QString n = normalise(key);
    if (!keys.contains(n)) {
        m_error = QStringLiteral("The registry key %1 does not exist.").arg(key);
        return false;
    }
    Key &k = keys[n];
    bool replaced = false;
    for (auto &v : k.values)
        if (v.first.compare(name, Qt::CaseInsensitive) == 0) {
            v.second = text;
            replaced = true;
        }
    if (!replaced)
        k.values.append({name, text});
    return save(keys);
}

QString RegistryStore::value(const QString &key, const QString &name) const
{
    QMap<QString, Key> keys;
    if (!load(keys))
        return QString();
    const auto it = keys.constFind(normalise(key));
    if (it == keys.constEnd())
        return QString();
    for (const auto &v : it->values)
        if (v.first.compare(name, Qt::CaseInsensitive) == 0)
            return v.second.isNull() ? QStringLiteral("") : v.second;
    return QString();
}

QStringList RegistryStore::subKeys(const QString &key) const
{
    QMap<QString, Key> keys;
    QStringList out;
    if (!load(keys))
        return out;
    const QString n = normalise(key);
    for (auto it = keys.constBegin(); it != keys.constEnd(); ++it)
        if (parentOf(it.key()) == n)
            out << it->path.mid(it->path.lastIndexOf(QLatin1Char('\\')) + 1);
    return out;
}

bool RegistryStore::deleteKey(const QString &key)
{
    QMap<QString, Key> keys;
    if (!load(keys))
        return false;
    const QString n = normalise(key);
    bool removed = false;
    for (auto it = keys.begin(); it != keys.end();) {
        if (it.key() == n || it.key().startsWith(n + QLatin1Char('\\'))) {
            it = keys.erase(it);
            removed = true;
        } else {
            ++it;
        }
    }
    return removed ? save(keys) : true;
}

RegistryAccess::RegistryAccess() : m_store(places::registryFile()) {}
RegistryAccess::RegistryAccess(QString storePath) : m_store(std::move(storePath)) {}

bool RegistryAccess::SelectKey(const QString &fullPath)
{
    m_current = fullPath;
    return m_store.keyExists(fullPath);
}

bool RegistryAccess::CreateSubKey(const QString &name)
{
    QString base = m_current;
    if (!base.endsWith(QLatin1Char('\\')))
        base += QLatin1Char('\\');
    return m_store.createKey(base + name);
}

bool RegistryAccess::SetValue(const QString &name, int &type, const QVariant &data)
{
    Q_UNUSED(type);
    const QVariant v = data.typeId() == QMetaType::QVariantList && !data.toList().isEmpty()
                           ? data.toList().constFirst()
                           : data;
    return m_store.setValue(m_current, name, v.toString());
}

bool RegistryAccess::GetValue(const QString &name, int &type, QVariant &data)
{
    type = 0;
    const QString text = m_store.value(m_current, name);
    if (text.isNull()) {
        data = QVariantList();
        return false;
    }
    data = QVariantList{text};
    return true;
}

QString RegistryAccess::valueText(const QString &name)
{
    return m_store.value(m_current, name);
}

RegistryAccess::Kind RegistryAccess::valueKind(const QString &stored, QString *text)
{
    static const QLatin1String prefix("dword:");
    const QString digits = stored.mid(prefix.size());
    const bool hex = digits.size() == 8 && std::all_of(digits.begin(), digits.end(), [](QChar c) {
                         return std::isxdigit(c.unicode()) && c.unicode() < 128;
                     });
    if (hex && stored.startsWith(prefix, Qt::CaseInsensitive)) {
        bool ok = false;
        const quint32 number = digits.toUInt(&ok, 16);
        if (ok) {
            *text = QString::number(number);
            return Number;
        }
    }
    *text = stored;
    return String;
}

QString RegistryAccess::rootKeyPath(quint32 handle)
{
    static const char *const roots[] = {"HKEY_CLASSES_ROOT",     "HKEY_CURRENT_USER",
                                        "HKEY_LOCAL_MACHINE",    "HKEY_USERS",
                                        "HKEY_PERFORMANCE_DATA", "HKEY_CURRENT_CONFIG"};
    const quint32 index = handle - 0x80000000u;
    if (handle < 0x80000000u || index >= std::size(roots))
        return QString();
    return QLatin1Char('\\') + QLatin1String(roots[index]);
}

QStringList RegistryAccess::subKeys() const
{
    return m_store.subKeys(m_current);
}

bool RegistryAccess::DeleteKey(const QString &name)
{
    return m_store.deleteKey(m_current + QLatin1Char('\\') + name);
}

bool RegistryAccess::selectCompileOptionsForWriting()
{
    bool ok = true;
    SelectKey(config::registry::SoftwareKey);
    ok &= CreateSubKey(config::registry::CompanyName);
    SelectKey(config::registry::CompanyKey);
    ok &= CreateSubKey(config::registry::CompileOptionsName);
    SelectKey(config::registry::CompileOptionsKey);
    return ok;
}

} // namespace platform
