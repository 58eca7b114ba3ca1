// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "reference/ReferenceEntries.h"

#include <initializer_list>

namespace reference
{

namespace
{

// A calculator double quote is two apostrophes, and a calculator symbol is
// the character of its single-byte code: \u00FC is 252, the store arrow;
// \u00DC, \u00F2 and \u00F9 are 220, 242 and 249.
using Lines = std::initializer_list<const char16_t *>;

PaneText pane(WriteMode mode, Lines lines)
{
    PaneText p{mode, {}};
    for (const char16_t *line : lines)
        p.lines << QString::fromUtf16(line);
    return p;
}
PaneText whole(Lines lines)
{
    return pane(WriteMode::Whole, lines);
}
PaneText rebuilt(Lines lines)
{
    return pane(WriteMode::Rebuilt, lines);
}
PaneText append(Lines lines)
{
    return pane(WriteMode::Append, lines);
}
// The entries in menu order; add() returns the new entry for what only a
// few entries have.
struct Table {
    std::vector<ReferenceEntry> all;

    ReferenceEntry &add(const char *item, PaneText syntax, PaneText example,
                        const char16_t *description = nullptr)
    {
        ReferenceEntry e;
        e.item = QLatin1String(item);
        e.syntax = std::move(syntax);
        e.example = std::move(example);
        if (description)
            e.description = QString::fromUtf16(description);
        all.push_back(std::move(e));
        return all.back();
    }
};

// Insert > Flow Controllers
void flowControllers(Table &t)
{
    const PaneText unchanged;
    const auto ifTrue = u"[COMMAND] ;If True";
    const auto ifFalse = u"[COMMAND] ;If False";
    const auto notExceeded = u"...     ;While END is not exceeded.";
    const auto untilTrue = u"[COMMAND]   'Until [CONDITION] is true.";
    t.add("mnuIfThenElse",
          rebuilt({u"If [CONDITION]", u"Then", ifTrue, ifTrue, u"Else", ifFalse, ifFalse, u"End",
                   u"[COMMAND]"}),
          rebuilt({u"Input ''X='',X", u"If X<0", u"Then", u"X\u00F2\u00FCY", u"Else", u"X\u00FCY",
                   u"End", u"Disp {X,Y}"}),
          u"This uses the If, Then, Else, Display, and End commands.");
    t.add("mnuIfThen", rebuilt({u"If [CONDITION]", u"Then", ifTrue, ifTrue, u"End", u"[COMMAND]"}),
          rebuilt({u"1\u00FCX:10\u00FCY", u"If X<10", u"Then", u"2X+3\u00FCX", u"2Y-3\u00FCY",
                   u"End", u"Disp X,Y"}),
          u"This uses the If, Then, Display, and End commands.");
    t.add("mnuIf", rebuilt({u"If [CONDITION]", ifTrue, u"[COMMAND]"}),
          rebuilt({u"0\u00FCA", u"Lbl Z", u"A+1\u00FCA", u"Disp ''A IS'',A", u"If A>2", u"Stop",
                   u"Goto Z"}),
          u"This uses the If, Label, Display, Stop, and Goto commands.");
    t.add("mnuFor",
          rebuilt({u"For([VARIABLE],[BEGIN],[END],[INCREMENT])", notExceeded, notExceeded, u"End",
                   u"...     ;It just continues on from here."}),
          rebuilt({u"For(A,0,8,2)", u"Disp A\u00DC", u"End"}),
          u"This uses the For, Display, and End statement.");
    t.add("mnuGetkey", unchanged, unchanged).action = Action::Getkey;
    t.add("mnuPause", whole({u"Pause "}), whole({u"Disp ''HELLO''", u"Pause "}));
    t.add("mnuWait", whole({u"Send({7})"}),
          whole({u"Disp ''IT IS PAUSING'',''FOR A SECOND''", u"Send{(7)}"}));
    t.add("mnuWhile", whole({u"While [VARIABLES]"}),
          whole({u"While 1", u"Getkey\u00FCA", u"While A=0", u"Getkey\u00FCA", u"End"}),
          u"This is a piece of code from a getkey statement. Note the While commands.");
    t.add("mnuRepeat",
          rebuilt({u"Repeat repeats a group of commands until [CONDITION] is true (non zero). It "
                   u"can be nested.",
                   u"Repeat [CONDITION]", untilTrue, untilTrue, u"End", u"..."}),
          rebuilt({u"0\u00FCI", u"0\u00FCJ", u"Repeat I\u00F96", u"J+1\u00FCJ", u"I+1\u00FCI",
                   u"End", u"Disp ''J='',J"}));
}

// Insert > Input/Output
void inputOutput(Table &t)
{
    const PaneText unchanged;
    t.add("mnuInput", rebuilt({u"Input [OPTIONAL TEXT],[VARIABLE]"}),
          whole({u"Input ''PASSWORD:'',A", u"Disp ''PASSWORD IS:'',A"}),
          u"This uses the input and display command.")
        .emphasis = QStringLiteral("[OPTIONAL TEXT],");
    t.add("mnuPrompt", rebuilt({u"Prompt [VARIABLE]"}), whole({u"Prompt A", u"Disp A"}),
          u"This uses the prompt and display commands. You MUST put in a VARIABLE.");
    t.add("mnuOutput", whole({u"Output([Xcord],[Ycord],''TEXT'')"}),
          whole({u"Output(5,1,''HELLO THERE'')"}),
          u"This uses the output command. You need to specify the X and Y cordinates.");
    t.add("mnuDisplay",
          rebuilt({u"There is 3 ways to do a Display command.", u"Disp ''TEXT''",
                   u"Disp ''TEXT'',''TEXT'',''TEXT'', ...", u"Disp [VARIABLE]"}),
          append({u"Disp ''HELLO THERE''", u"Disp ''HELLO THERE'',''HELLO AGAIN''", u"Disp A"}),
          u"This only uses the three methods of using Display.");
    t.add("mnuMenu", unchanged, unchanged).action = Action::Menu;
    t.add("mnuClearHomeScreen", rebuilt({u"ClrHome"}),
          rebuilt({u"Disp ''HELLO THERE''", u"Pause", u"ClrHome"}));
    t.add("mnuClearTable", rebuilt({u"ClrTable"}), unchanged);
}

// Insert > Label Controls and Send/Get
void labelsAndLink(Table &t)
{
    const Lines labelExample{u"Lbl A1", u"Disp ''HELLO THERE''", u"Pause ", u"Goto A1"};
    t.add("mnuLabel",
          rebuilt({u"Lbl [VARIABLE/NBR]", u"There are 3 ways to write a label:",
                   u"Lbl 15     ; The Number/Number Way (2 NBR Max.)",
                   u"Lbl A1     ; The Letter/Number Way (1 LETTER, 1 NBR Max.)",
                   u"Lbl 1A     ; The Number/Letter Way (1 NBR, 1 LETTER Max.)"}),
          rebuilt(labelExample), u"This uses the Label, Display, Pause, and Goto command.");
    t.add("mnuGoto",
          rebuilt({u"Goto [LABEL]", u"See LABEL command for more information about a label."}),
          rebuilt(labelExample), u"This uses the Label, Display, Pause, and Goto commands.");
    t.add("mnuReturn",
          rebuilt({u"Return quits the subroutine and returns execution to the calling program, "
                   u"even if encountered within nested loops. Any loops are ended. An implied "
                   u"Return exists at the end of any program that is called as a subroutine. "
                   u"Within the main program, Return stops execution and returns to the home "
                   u"screen.",
                   u"Return"}),
          append({u"Return"}));

    // Insert > Send/Get
    t.add("mnuSend", whole({u"Send([VARIABLE])"}), whole({u"Send(Str1)"}));
    t.add("mnuGet", whole({u"Get([VARIABLE])"}), whole({u"Get(Str1)"}));
    t.add("mnuGetCalc", whole({u"GetCalc([VARIABLE])"}), whole({u"GetCalc(Str1)"}),
          u"This will not work between TI-82 and TI-83/83+ calculators.");
}

// Insert > Miscanellous, and Graph
void miscellaneousAndGraph(Table &t)
{
    const PaneText unchanged;
    t.add("mnuDelvar", whole({u"DelVar [VARIABLE]"}), whole({u"Delvar Str1"}),
          u"This uses the Delvar command.")
        .programInsertion = QStringLiteral("DelVar ");
    t.add("mnuIS",
          rebuilt({u"IS>([VARIABLE],[VALUE])",
                   u"[COMMAND]   ;If answer is less than or equal to value.",
                   u"[COMMAND]   ;If answer is greater than value."}),
          rebuilt({u"7\u00FCA", u"IS>(A,6)", u"Disp ''NOT >6''", u"Disp ''> 6''"}),
          u"This uses the Display, Increment and Skip Commands.");
    t.add("mnuDS",
          rebuilt({u"DS<([VARIABLE],[VALUE]",
                   u"[COMMAND]   ;If answer is greater than or equal to value.",
                   u"[COMMAND]   ;If answer is less than value."}),
          rebuilt({u"1\u00FCA", u"DS<(A,6)", u"Disp ''> 6''", u"Disp ''NOT > 6''"}),
          u"This uses the Decrement and skip command, and the display command.");

    // Graph
    t.add("mnuClrDraw", unchanged, unchanged).programInsertion = QStringLiteral("ClrDraw");
    t.add("mnuLine", unchanged, unchanged).action = Action::Line;
}

// Insert > Colour, shown for the TI-84 Plus C SE and CE
void colour(Table &t)
{
    t.add("mnuTextColor", whole({u"TextColor(COLOR)"}),
          whole({u"TextColor(RED)", u"Text(10,10,''HELLO'')"}),
          u"TextColor( sets the colour Text( writes in on the graph screen: a colour name (BLUE to "
          u"DARKGRAY) or its number, 10 to 24. TI-84 Plus C SE and CE.");
    t.add("mnuBackgroundOn", whole({u"BackgroundOn COLOR", u"BackgroundOn Image1"}),
          whole({u"BackgroundOn LTGRAY", u"DispGraph"}),
          u"BackgroundOn fills the graph screen behind the graphs with a colour or an image "
          u"variable (Image1 to Image0). TI-84 Plus C SE and CE.");
    t.add("mnuBackgroundOff", whole({u"BackgroundOff"}), whole({u"BackgroundOff", u"DispGraph"}),
          u"BackgroundOff removes the graph screen's background colour or image. TI-84 Plus C SE "
          u"and CE.");
    t.add("mnuGraphColor", whole({u"GraphColor(FUNCTION,COLOR)"}),
          whole({u"GraphColor(2,BLUE)", u"DispGraph"}),
          u"GraphColor( sets the colour a Y= function is drawn in: GraphColor(2,BLUE) draws Y2 in "
          u"blue. TI-84 Plus C SE and CE.");
    t.add("mnuBorderColor", whole({u"BorderColor NUMBER"}), whole({u"BorderColor 3"}),
          u"BorderColor sets the colour of the border around the graph screen, 1 to 4. TI-84 Plus "
          u"C SE and CE.");
    t.add(
        "mnuGridLine", whole({u"GridLine COLOR"}), whole({u"GridLine MEDGRAY", u"DispGraph"}),
        u"GridLine shows the graph's grid as lines in a colour (GridDot as dots). TI-84 Plus C SE "
        u"and CE.");
    t.add("mnuDetectAsymOn", whole({u"DetectAsymOn"}), whole({u"DetectAsymOn", u"DispGraph"}),
          u"DetectAsymOn leaves out the lines a graph would draw across an asymptote; "
          u"DetectAsymOff draws them. TI-84 Plus C SE and CE.");
    t.add("mnuDetectAsymOff", whole({u"DetectAsymOff"}), whole({u"DetectAsymOff", u"DispGraph"}),
          u"DetectAsymOff draws the graph across asymptotes, faster than DetectAsymOn. TI-84 Plus "
          u"C SE and CE.");
}

std::vector<ReferenceEntry> build()
{
    Table t;
    flowControllers(t);
    inputOutput(t);
    labelsAndLink(t);
    miscellaneousAndGraph(t);
    colour(t);
    return std::move(t.all);
}

} // namespace

const std::vector<ReferenceEntry> &referenceEntries()
{
    static const std::vector<ReferenceEntry> entries = build();
    return entries;
}

const ReferenceEntry *findEntry(const QString &item)
{
    for (const ReferenceEntry &e : referenceEntries())
        if (e.item == item)
            return &e;
    return nullptr;
}

QString joinLines(const QStringList &lines)
{
    return lines.join(lineBreak());
}

} // namespace reference
