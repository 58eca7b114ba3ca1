// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// Every settings key and registry name the program uses, with its default,
// in one place. Callers name these constants, never the texts.
#include <QLatin1String>

namespace platform::config
{

// Per-user switches of the "Options" section, stored under the executable's
// base name and read as whole numbers.
struct OptionKey {
    QLatin1String name;
    int defaultValue;
};

inline constexpr OptionKey ShowFirstTime{QLatin1String("Show First Time"), 1};
inline constexpr OptionKey ShowTipsAtStartup{QLatin1String("Show Tips at Startup"), 1};
inline constexpr OptionKey ShowExample{QLatin1String("Show Example"), 1};
// The editor's switches: colouring of the panes, and the caret position and
// program size in the main frame's status bar. Off only when stored as 0.
inline constexpr OptionKey EditorHighlighting{QLatin1String("Editor Highlighting"), 1};
inline constexpr OptionKey EditorStatusFigures{QLatin1String("Editor Status Figures"), 1};
inline constexpr OptionKey EditorCheckProgram{QLatin1String("Editor Check Program"), 1};
inline constexpr OptionKey EditorShowHints{QLatin1String("Editor Show Hints"), 1};
// Line numbers beside the breakpoint dots; the program pane's font size in
// points and the zoom added to it (Ctrl+= / Ctrl+-); the colour theme (0
// light, 1 dark, 2 the desktop's); the calculator screen's pixel scale.
inline constexpr OptionKey EditorLineNumbers{QLatin1String("Editor Line Numbers"), 1};
inline constexpr OptionKey EditorFontSize{QLatin1String("Editor Font Size"), 10};
inline constexpr OptionKey EditorZoom{QLatin1String("Editor Zoom"), 0};
inline constexpr OptionKey EditorTheme{QLatin1String("Editor Theme"), 2};
// The model a document without a chosen one is shown as (calc::models::Model;
// 2 is the TI-83 Plus).
inline constexpr OptionKey EditorDefaultModel{QLatin1String("Editor Default Model"), 2};
inline constexpr OptionKey CalculatorScale{QLatin1String("Calculator Scale"), 3};

// The main frame's placement in the "Settings" section, stored under the
// program's title, in twips.
struct PlacementKey {
    QLatin1String name;
    double defaultValue;
};

inline constexpr QLatin1String SettingsSection("Settings");
inline constexpr QLatin1String OptionsSection("Options");
inline constexpr PlacementKey MainLeft{QLatin1String("MainLeft"), 1000};
inline constexpr PlacementKey MainTop{QLatin1String("MainTop"), 1000};
inline constexpr PlacementKey MainWidth{QLatin1String("MainWidth"), 6500};
inline constexpr PlacementKey MainHeight{QLatin1String("MainHeight"), 6500};

// Machine registry keys, addressed by full path.
namespace registry
{
inline constexpr QLatin1String SoftwareKey("\\HKEY_LOCAL_MACHINE\\SOFTWARE");
inline constexpr QLatin1String CompanyName("Torvane TI");
inline constexpr QLatin1String CompanyKey("\\HKEY_LOCAL_MACHINE\\SOFTWARE\\Torvane TI");
inline constexpr QLatin1String CompileOptionsName("Compile Options");
inline constexpr QLatin1String
    CompileOptionsKey("\\HKEY_LOCAL_MACHINE\\SOFTWARE\\Torvane TI\\Compile Options");
inline constexpr QLatin1String ProjectValuesName("Project Values");
inline constexpr QLatin1String
    ProjectValuesKey("\\HKEY_LOCAL_MACHINE\\SOFTWARE\\Torvane TI\\Project Values");

// Values of one project's key, a subkey of the project values key named
// after the project.
inline constexpr QLatin1String ProgramTitleValue("Program Title");
inline constexpr QLatin1String CommentsValue("Comments");
inline constexpr QLatin1String CalculatorTypeValue("Type of Calculator");
inline constexpr QLatin1String ProjectNameValue("Project Name");
// The model's id ("ti84pce"); absent when none was chosen.
inline constexpr QLatin1String ModelValue("Model");

// Values of the compile options key. The four switches hold "1" or "0".
inline constexpr QLatin1String WebPageOption("Web-Page url OPT");
inline constexpr QLatin1String EMailOption("E-Mail OPT");
inline constexpr QLatin1String DateFinishedOption("Date Finished OPT");
inline constexpr QLatin1String CompanyNameOption("Company Name OPT");
// "NotePad" or "WordPad".
inline constexpr QLatin1String DocumentProgramOption("DocumentPrgm OPT");
inline constexpr QLatin1String NotePad("NotePad");
inline constexpr QLatin1String WordPad("WordPad");
} // namespace registry

} // namespace platform::config
