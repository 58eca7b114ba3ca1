#pragma once
#include "editor/frmWindow.h"
#include "reference/frmOther.h"
