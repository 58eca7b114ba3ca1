// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "editor/frmWindow.h"
#include "editor/Logic.h"
#include "reference/frmOther.h"
#include "shell/Top.h"
#include <QWidget>
