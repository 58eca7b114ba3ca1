// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
#include <QString>

namespace platform
{

// The program's title, used as the default message box title and as the
// settings application name of the "Settings" section.
QString appTitle();

// Base name of the executable without folder and extension; the settings
// application name of the "Options" section.
QString exeBaseName();

// The open and save dialogs' filter for document files.
QString documentFileFilter();

// Addresses the program opens in its browser window.
QString makerSiteAddress();
QString helpPageAddress();
QString calculatorMakerAddress();

} // namespace platform
