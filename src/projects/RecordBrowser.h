// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// What the task manager and the project explorer share: one record of one
// table at a time in a column of bound boxes, the navigator below them and
// the Add, Delete, Refresh and Update picture buttons beside them.
#include "projects/RecordNavigator.h"

#include <QList>
#include <QWidget>

class QFrame;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace projects
{

struct BrowserField {
    QString label;
    RecordColumn column;
    bool alwaysEnabled = false; // typed into also before the first Add
};

class RecordBrowser : public QWidget
{
    Q_OBJECT
public:
    // Bound boxes and their labels, in the order of the table's columns.
    QList<QLineEdit *> txtFields;
    QList<QLabel *> lblLabels;
    QToolButton *Image1 = nullptr; // Add
    QToolButton *Image2 = nullptr; // Delete
    QToolButton *Image3 = nullptr; // Refresh
    QToolButton *Image4 = nullptr; // Update
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Label5 = nullptr; // tip line
    RecordNavigator *Data1 = nullptr;
    QPushButton *Command1 = nullptr; // Done
    QFrame *Shape1 = nullptr;

    void Image1_Click();
    void Image2_Click();
    void Image3_Click();
    void Image4_Click();
    void Command1_Click();

protected:
    RecordBrowser(const QString &formName, const QString &caption, const QString &databaseFile,
                  const QString &table, const QList<BrowserField> &fields, QWidget *parent);
    ~RecordBrowser() override;
    void closeEvent(QCloseEvent *event) override;
    // The row below the navigator, for a window's own buttons.
    QGridLayout *buttonRow() const { return m_buttons; }

private:
    void buildFields(QGridLayout *grid);
    void buildPictures();
    void connectControls();
    void Data1_Validate();
    void Data1_Reposition();
    void Data1_Error(const QString &description);

    QList<BrowserField> m_fields;
    QGridLayout *m_buttons = nullptr;
};

} // namespace projects
