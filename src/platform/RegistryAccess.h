// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The machine registry, reached the way the windows use it: select a key by
// its full path, make sure subkeys exist, set and get text values.
#include <QMap>
#include <QString>
#include <QStringList>
#include <QVariant>

namespace platform
{

// The store behind RegistryAccess: keys addressed by full path
// ("\HKEY_LOCAL_MACHINE\SOFTWARE\Torvane TI"), compared without regard to
// case, each with named text values. On Linux it is an INI-like text file.
class RegistryStore
{
public:
    explicit RegistryStore(QString path);

    bool keyExists(const QString &key) const;
    bool createKey(const QString &key);
    bool setValue(const QString &key, const QString &name, const QString &text);
    // A null QString when the key or the value is missing.
    QString value(const QString &key, const QString &name) const;
    QStringList subKeys(const QString &key) const;
    bool deleteKey(const QString &key); // with its subkeys

    QString lastError() const { return m_error; }

    static QString normalise(const QString &key);

private:
    struct Key {
        QString path; // as first written
        QList<QPair<QString, QString>> values;
    };
    bool load(QMap<QString, Key> &keys) const;
    bool save(const QMap<QString, Key> &keys);

    QString m_path;
    mutable QString m_error;
};

class RegistryAccess
{
public:
    RegistryAccess(); // the user's machine registry file
    explicit RegistryAccess(QString storePath);

    bool SelectKey(const QString &fullPath);
    bool CreateSubKey(const QString &name);
    bool SetValue(const QString &name, int &type, const QVariant &data);
    // data receives a list whose first element is the value's text; a missing
    // value or key gives an empty list and false.
    bool GetValue(const QString &name, int &type, QVariant &data);

    // Convenience for callers that only compare texts: a null QString when
    // the value or key is missing, which matches none of "0", "1", ...
    QString valueText(const QString &name);
    QStringList subKeys() const;
    bool DeleteKey(const QString &name); // subkey of the current key
    QString lastError() const { return m_store.lastError(); }

    // The kind of a stored value, numbered as the registry numbers kinds:
    // "dword:" and 8 hexadecimal digits is a 32-bit number (4), given in
    // `text` as decimal; anything else is a string (1), given as it is.
    enum Kind { String = 1, Number = 4 };
    static Kind valueKind(const QString &stored, QString *text);
    // The key path of a root key handle ("\HKEY_LOCAL_MACHINE" for
    // 0x80000002); empty for a handle that names no root key.
    static QString rootKeyPath(quint32 handle);

    // Runs the five-step write sequence ending with the compile options key
    // selected.
    bool selectCompileOptionsForWriting();

private:
    RegistryStore m_store;
    QString m_current;
};

} // namespace platform
