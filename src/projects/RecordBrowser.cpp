// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "projects/RecordBrowser.h"

#include "platform/Controls.h"
#include "platform/Dialogs.h"
#include "platform/WindowRegistry.h"
#include "projects/MousePointer.h"

#include <QCloseEvent>
#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

namespace projects
{

namespace
{
const QString kFirstTip =
    QStringLiteral("TIP: To start, click the 'Add' button. Then you can type in your tasks.");
const QString kEditingTip =
    QStringLiteral("TIP: Click the 'Add' button again to store it into the database.");
} // namespace

RecordBrowser::RecordBrowser(const QString &formName, const QString &caption,
                             const QString &databaseFile, const QString &table,
                             const QList<BrowserField> &fields, QWidget *parent)
    : QWidget(parent, Qt::Window), m_fields(fields)
{
    setObjectName(formName);
    setWindowTitle(caption);
    setAttribute(Qt::WA_DeleteOnClose);

    auto *grid = new QGridLayout(this);
    buildFields(grid);
    buildPictures();
    grid->addWidget(Shape1, 0, 2, qMax(1, int(fields.size())) + 1, 1);
    grid->setRowStretch(int(fields.size()), 1);

    Label5 = new QLabel(kFirstTip, this);
    Label5->setObjectName(QStringLiteral("Label5"));
    Label5->setWordWrap(true);
    const int below = int(fields.size()) + 1;
    grid->addWidget(Label5, below, 0, 1, 3);

    Data1 = new RecordNavigator(this);
    grid->addWidget(Data1, below + 1, 0, 1, 2);

    m_buttons = new QGridLayout;
    Command1 = new QPushButton(QStringLiteral("Done"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    m_buttons->addWidget(Command1, 0, 0);
    grid->addLayout(m_buttons, below + 2, 0, 1, 3, Qt::AlignRight);

    connectControls();
    QList<RecordColumn> columns;
    for (int i = 0; i < fields.size(); ++i) {
        columns << fields[i].column;
        Data1->bind(txtFields[i], i);
    }
    Data1->open(databaseFile, table, columns);
    resize(520, sizeHint().height());
}

// A label and a bound box per field, down the first two columns.
void RecordBrowser::buildFields(QGridLayout *grid)
{
    for (int i = 0; i < m_fields.size(); ++i) {
        auto *label = new QLabel(m_fields[i].label, this);
        label->setObjectName(QStringLiteral("lblLabels(%1)").arg(i));
        auto *box = new QLineEdit(this);
        box->setObjectName(QStringLiteral("txtFields(%1)").arg(i));
        label->setBuddy(box);
        // Nothing can be typed until Add is pressed.
        box->setEnabled(m_fields[i].alwaysEnabled);
        grid->addWidget(label, i, 0);
        grid->addWidget(box, i, 1);
        lblLabels << label;
        txtFields << box;
    }
    grid->setColumnStretch(1, 1);
}

// The column of picture buttons, each with its caption below it.
void RecordBrowser::buildPictures()
{
    Shape1 = platform::controls::box(this, "Shape1");
    auto *pictures = new QVBoxLayout(Shape1);
    auto picture = [&](const char *image, const char *label, const QString &text,
                       QStyle::StandardPixmap icon, QLabel *&caption) {
        auto *b = new QToolButton(Shape1);
        b->setObjectName(QString::fromLatin1(image));
        b->setAutoRaise(true);
        b->setIcon(style()->standardIcon(icon));
        b->setIconSize(QSize(32, 32));
        b->setToolTip(text);
        b->setFocusPolicy(Qt::StrongFocus);
        caption = new QLabel(text, Shape1);
        caption->setObjectName(QString::fromLatin1(label));
        caption->setAlignment(Qt::AlignHCenter);
        pictures->addWidget(b, 0, Qt::AlignHCenter);
        pictures->addWidget(caption);
        return b;
    };
    Image1 =
        picture("Image1", "Label1", QStringLiteral("Add"), QStyle::SP_FileDialogNewFolder, Label1);
    Image2 = picture("Image2", "Label2", QStringLiteral("Delete"), QStyle::SP_TrashIcon, Label2);
    Image3 =
        picture("Image3", "Label3", QStringLiteral("Refresh"), QStyle::SP_BrowserReload, Label3);
    Image4 =
        picture("Image4", "Label4", QStringLiteral("Update"), QStyle::SP_DialogSaveButton, Label4);
    pictures->addStretch(1);
}

void RecordBrowser::connectControls()
{
    connect(Image1, &QToolButton::clicked, this, &RecordBrowser::Image1_Click);
    connect(Image2, &QToolButton::clicked, this, &RecordBrowser::Image2_Click);
    connect(Image3, &QToolButton::clicked, this, &RecordBrowser::Image3_Click);
    connect(Image4, &QToolButton::clicked, this, &RecordBrowser::Image4_Click);
    connect(Command1, &QPushButton::clicked, this, &RecordBrowser::Command1_Click);
    connect(Data1, &RecordNavigator::Validate, this, &RecordBrowser::Data1_Validate);
    connect(Data1, &RecordNavigator::Reposition, this, &RecordBrowser::Data1_Reposition);
    connect(Data1, &RecordNavigator::Error, this, &RecordBrowser::Data1_Error);
}

RecordBrowser::~RecordBrowser()
{
    platform::disconnectChildren(this);
}

void RecordBrowser::Image1_Click()
{
    if (!Data1->addNew())
        return;
    for (QLineEdit *box : txtFields)
        box->setEnabled(true);
    Label5->setText(kEditingTip);
    txtFields.first()->setFocus();
}

void RecordBrowser::Image2_Click()
{
    if (Data1->recordCount() == 0 && !Data1->isNewRecord()) {
        platform::dialogs::message(this, QStringLiteral("Can't delete any records."),
                                   QStringLiteral("Delete Records"), QMessageBox::Warning);
        return;
    }
    Data1->deleteCurrent();
}

void RecordBrowser::Image3_Click()
{
    Data1->refresh();
}

void RecordBrowser::Image4_Click()
{
    if (Data1->recordCount() == 0 && !Data1->isNewRecord()) {
        platform::dialogs::message(this, QStringLiteral("Can't update any records."),
                                   QStringLiteral("Update Records"), QMessageBox::Warning);
        return;
    }
    Data1->updateCurrent();
}

void RecordBrowser::Command1_Click()
{
    pointer::set(pointer::Shape::Arrow);
    close();
}

void RecordBrowser::closeEvent(QCloseEvent *event)
{
    if (!Data1->storeChanges()) {
        const auto answer = platform::dialogs::message(
            this,
            QStringLiteral("The record you typed could not be stored in the database. Close "
                           "the window anyway and lose it?"),
            QString(), QMessageBox::Warning, QMessageBox::Yes | QMessageBox::No);
        if (answer != QMessageBox::Yes) {
            pointer::set(pointer::Shape::Default);
            event->ignore();
            return;
        }
    }
    pointer::set(pointer::Shape::Arrow);
    event->accept();
}

void RecordBrowser::Data1_Validate()
{
    pointer::set(pointer::Shape::Hourglass);
}

void RecordBrowser::Data1_Reposition()
{
    pointer::set(pointer::Shape::Default);
    Data1->setCaption(QStringLiteral("Record: ") + QString::number(Data1->absolutePosition() + 1));
}

void RecordBrowser::Data1_Error(const QString &description)
{
    // The hourglass of the failed step must not stay behind the message.
    pointer::set(pointer::Shape::Default);
    platform::dialogs::message(this, QStringLiteral("Data error event hit err:") + description);
}

} // namespace projects
