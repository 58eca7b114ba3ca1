#pragma once
#include "editor/Logic.h"
