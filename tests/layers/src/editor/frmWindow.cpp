#include "editor/frmWindow.h"
#include "editor/Logic.h"
#include "reference/frmOther.h"
#include "shell/Top.h"
#include <QWidget>
