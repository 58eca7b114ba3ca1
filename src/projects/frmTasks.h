#pragma once
#include "projects/RecordBrowser.h"

namespace projects
{

// The task manager: the user's tasks, one record of tasks.db at a time.
class frmTasks : public RecordBrowser
{
    Q_OBJECT
public:
    explicit frmTasks(QWidget *parent = nullptr);

    static QList<BrowserField> fields();
};

} // namespace projects
