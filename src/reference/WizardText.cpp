// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "reference/WizardText.h"

#include "reference/ReferenceEntries.h"

namespace reference
{

namespace menuwizard
{

QString title()
{
    return QStringLiteral("Menus Wizard");
}
QString titlePrompt()
{
    return QStringLiteral("What do you want the title of this menus to be? It can only be 15 "
                          "characters long. Please type in all CAPS.");
}
QString titleDefault()
{
    return QStringLiteral("DEFULT");
}
QString itemPrompt()
{
    return QStringLiteral("What do you want this menu to say? It can only have a maximum of 13 "
                          "characters. Please type in all CAPS.");
}
QString itemDefault()
{
    return QStringLiteral("DEFULT MENU 1");
}
QString labelPrompt()
{
    return QStringLiteral("What do you want this label to direct to? Examples are: A1 , 1A , 21 "
                          ". The letters must be in CAPS.");
}
QString labelDefault()
{
    return QStringLiteral("A1");
}
QString fullMessage()
{
    return QStringLiteral("You have reached the maximum number of menus possible.");
}

QString opening()
{
    return QStringLiteral("Menu(");
}

QString titleText(const QString &delimiter, const QString &title)
{
    return delimiter + title + delimiter;
}

QString itemText(const QString &delimiter, const QString &item)
{
    return QLatin1Char(',') + delimiter + item + delimiter + QLatin1Char(',');
}

QString closing()
{
    return QStringLiteral(")");
}

bool counterFull(const QString &counter)
{
    return counter.size() > kMaxItems;
}

QString counterCaption(const QString &counter)
{
    return QStringLiteral("Menu #%1").arg(qMin(int(counter.size()), kMaxItems));
}

} // namespace menuwizard

namespace getkeywizard
{

QString skeleton()
{
    // The same loop the While entry shows as its example.
    return joinLines(findEntry(QStringLiteral("mnuWhile"))->example.lines);
}

QString keyBlock(const QString &key, const QString &label)
{
    return joinLines({QString(), QStringLiteral("If A=") + key, QStringLiteral("Then"),
                      QStringLiteral("Goto ") + label, QStringLiteral("End")});
}

QString closing()
{
    return lineBreak() + QStringLiteral("End");
}

} // namespace getkeywizard

} // namespace reference
