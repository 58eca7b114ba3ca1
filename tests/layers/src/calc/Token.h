#pragma once
#include "platform/Pane.h"
