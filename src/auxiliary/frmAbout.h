#pragma once
#include <QDialog>

class QLabel;
class QPushButton;

namespace auxiliary
{

// Product name, version, notice and planned features.
class frmAbout : public QDialog
{
    Q_OBJECT
public:
    explicit frmAbout(QWidget *parent = nullptr);

    void StartSysInfo();

    QLabel *Label6 = nullptr;
    QPushButton *cmdOK = nullptr;
    QPushButton *cmdSysInfo = nullptr;
};

} // namespace auxiliary
