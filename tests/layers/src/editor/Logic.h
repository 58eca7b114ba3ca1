#pragma once
#include "editor/frmWindow.h"
