#pragma once
#include <QString>
#include <QWidget>

class QComboBox;
class QLabel;

namespace auxiliary
{

// The program's small web browser window.
class frmBrowser : public QWidget
{
    Q_OBJECT
public:
    explicit frmBrowser(QWidget *parent = nullptr);

    QString StartingAddress;

    QComboBox *cboAddress = nullptr;

protected:
    void showEvent(QShowEvent *event) override;

private:
    bool m_loaded = false;
    QLabel *m_page = nullptr;
};

} // namespace auxiliary
