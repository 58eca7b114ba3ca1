// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The compiler's last window: turns a saved .tvf document into the
// calculator link's ASCII import file.
#include <QWidget>

#include <optional>

class QCheckBox;
class QFrame;
class QLabel;
class QPushButton;

namespace platform
{
class RichTextBox;
}

namespace compiler
{

class frmDone : public QWidget
{
    Q_OBJECT
public:
    explicit frmDone(QWidget *parent = nullptr);

    QLabel *Label1;
    QLabel *Label6;
    QCheckBox *Check1;
    QLabel *Label3;
    QPushButton *Command1;
    QLabel *Label2;
    QCheckBox *chkCalcFile;
    QFrame *Shape1;
    QLabel *Label4;
    QPushButton *Command2;
    QLabel *Label5;
    QPushButton *Command3;
    platform::RichTextBox *temp;
    platform::RichTextBox *Preview;

public slots:
    void Command1_Click(); // one export
    void Command2_Click(); // calculator maker's site
    void Command3_Click(); // close

private:
    void refuse(const QString &text, bool failure);
    void tryAgain(const QString &why);
    // The steps of one export; each says why it stops and returns nothing.
    std::optional<QString> loadDocument();
    std::optional<QString> askName(bool calcFile);
    std::optional<QString> askTarget(const QString &source, const QString &name);
    bool makeCalcFile(const QString &source, const QString &target, const QString &name,
                      QString *calcTarget, QByteArray *calcBytes);
    void writeFiles(const QString &target, const QByteArray &bytes, const QString &calcTarget,
                    const QByteArray &calcBytes, const QString &name);
};

} // namespace compiler
