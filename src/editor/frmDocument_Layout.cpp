// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

// The document window's controls at their designed places, and how they
// follow the window when it grows.
#include "editor/frmDocument.h"

#include "platform/ButtonPictures.h"
#include "platform/Controls.h"
#include "platform/Fonts.h"
#include "platform/Twips.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QListView>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QToolButton>
#include <QVBoxLayout>

namespace editor
{

namespace controls = platform::controls;
using platform::px;
using platform::rectTwips;

void frmDocument::buildControls()
{
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    m_menuBar = new QMenuBar(this);
    m_menuBar->setObjectName(QStringLiteral("menuBar"));
    outer->setMenuBar(m_menuBar);

    // At the designed size every control is at its designed place; a larger
    // window gives the program pane its extra width and height and the
    // reference panes its extra height (layoutControls).
    // A screen smaller than the designed size (a large scale factor) scrolls
    // the canvas rather than cutting off its buttons.
    auto *scroller = new QScrollArea(this);
    scroller->setObjectName(QStringLiteral("canvasScroller"));
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setWidgetResizable(true);
    auto *canvas = new QWidget;
    m_canvas = canvas;
    canvas->setObjectName(QStringLiteral("canvas"));
    canvas->setMinimumSize(designedSize());
    canvas->installEventFilter(this);
    scroller->setWidget(canvas);
    outer->addWidget(scroller, 1);

    buildFrames();
    buildPanes();
    buildPalette();
    buildButtons();
    resize(designedSize() + QSize(0, m_menuBar->sizeHint().height()));
}

// The boxes and captions around the panes.
void frmDocument::buildFrames()
{
    QWidget *canvas = m_canvas;
    place(controls::box(canvas, "Shape1", rectTwips(120, 120, 1215, 7455)), Anchor::GrowHeight);
    place(controls::box(canvas, "Shape2", rectTwips(1560, 120, 3495, 7455)), Anchor::Grow);
    place(controls::box(canvas, "Shape3", rectTwips(5280, 120, 6495, 3500)), Anchor::RightTopHalf);
    place(controls::box(canvas, "Shape4", rectTwips(5280, 4080, 6495, 3495)),
          Anchor::RightBottomHalf);

    controls::fittedLabel(canvas, "Label7", QStringLiteral("Main Programming Interface"), 11.25,
                          true, rectTwips(1680, 180, 3255, 300));
    place(controls::fittedLabel(canvas, "Label8", QStringLiteral("Syntax Code"), 12, true,
                                rectTwips(5400, 180, 6135, 300)),
          Anchor::Right);
    place(controls::fittedLabel(canvas, "Label10", QStringLiteral("Example"), 12, true,
                                rectTwips(5400, 4140, 6255, 300)),
          Anchor::RightMoveHalf);
    example = controls::fittedLabel(canvas, "example", QString(), 8.25, false,
                                    rectTwips(5400, 4440, 6255, 495));
    example->setWordWrap(true);
    place(example, Anchor::RightMoveHalf);
}

void frmDocument::buildPanes()
{
    QWidget *canvas = m_canvas;
    auto makePane = [&](const QString &name, QRect r) {
        auto *pane = new Pane(canvas);
        pane->setObjectName(name);
        pane->setGeometry(r);
        pane->setFontName(platform::calculatorFontName());
        pane->setFontSize(8.25);
        return pane;
    };
    RichTextBox1 = makePane(QStringLiteral("RichTextBox1"), rectTwips(1680, 840, 3255, 6615));
    RichTextBox2 = makePane(QStringLiteral("RichTextBox2"), rectTwips(5400, 480, 6135, 3015));
    RichTextBox3 = makePane(QStringLiteral("RichTextBox3"), rectTwips(5400, 4920, 6255, 2535));
    place(RichTextBox1, Anchor::Grow);
    place(RichTextBox2, Anchor::RightTopHalf);
    place(RichTextBox3, Anchor::RightBottomHalf);
}

void frmDocument::buildPalette()
{
    combo0001a = new QComboBox(m_canvas);
    combo0001a->setObjectName(QStringLiteral("combo0001a"));
    combo0001a->setEditable(true);
    combo0001a->setInsertPolicy(QComboBox::NoInsert);
    // Made now, so the drop-down's own key and mouse handling exists before
    // the window's filters go on top of it (see armPalette).
    combo0001a->setView(new QListView(combo0001a));
    combo0001a->setFont(platform::calculatorFont(8.25));
    combo0001a->setGeometry(rectTwips(1680, 480, 3255, 285));
    combo0001a->setEditText(QStringLiteral("Symbols"));
    place(combo0001a, Anchor::GrowWidth);
}

// The picture buttons down the left, and the hidden command buttons.
void frmDocument::buildButtons()
{
    QWidget *canvas = m_canvas;
    addPictureButton("Image2", "Label2", QStringLiteral("About"), 480, 360);
    addPictureButton("Image4", "Label4", QStringLiteral("Pr int"), 480, 1560);
    auto *tasks = addPictureButton("Image1", "Label1", QStringLiteral("Tasks"), 480, 2880);
    tasks->setToolTip(QStringLiteral("Task Menu"));
    addPictureButton("Image5", "Label5", QStringLiteral("Project Explorer"), 480, 4200);
    addPictureButton("Image3", "Label3", QStringLiteral("Options"), 480, 5640);
    addPictureButton("Image6", "Label6", QStringLiteral("Compile"), 480, 6720);

    auto hiddenButton = [&](const char *name, const QString &caption, QRect r) {
        QPushButton *b = controls::button(canvas, name, caption);
        b->setGeometry(r);
        b->setVisible(false);
        return b;
    };
    cmdUndo = hiddenButton("cmdUndo", QStringLiteral("Command1"), rectTwips(1920, 7560, 1215, 375));
    cmdRedo = hiddenButton("cmdRedo", QStringLiteral("Command2"), rectTwips(3120, 7560, 1215, 375));
    cmdDummy = hiddenButton("cmdDummy", QString(), rectTwips(10680, 7560, 1215, 315));
    cmdUndo->setEnabled(false);
    cmdRedo->setEnabled(false);
    place(cmdUndo, Anchor::Bottom);
    place(cmdRedo, Anchor::Bottom);
    place(cmdDummy, Anchor::RightBottom);
}

void frmDocument::place(QWidget *w, Anchor anchor)
{
    m_placed.push_back(Placed{w, w->geometry(), anchor});
}

void frmDocument::layoutControls()
{
    const int dx = qMax(0, m_canvas->width() - designedSize().width());
    const int dy = qMax(0, m_canvas->height() - designedSize().height());
    // The two reference panes share the extra height.
    const int top = dy / 2;
    const int bottom = dy - top;
    for (const Placed &p : std::as_const(m_placed)) {
        QRect r = p.designed;
        switch (p.anchor) {
        case Anchor::Fixed:
            break;
        case Anchor::Grow:
            r.adjust(0, 0, dx, dy);
            break;
        case Anchor::GrowWidth:
            r.adjust(0, 0, dx, 0);
            break;
        case Anchor::GrowHeight:
            r.adjust(0, 0, 0, dy);
            break;
        case Anchor::Right:
            r.translate(dx, 0);
            break;
        case Anchor::RightTopHalf:
            r.translate(dx, 0);
            r.adjust(0, 0, 0, top);
            break;
        case Anchor::RightMoveHalf:
            r.translate(dx, top);
            break;
        case Anchor::RightBottomHalf:
            r.translate(dx, top);
            r.adjust(0, 0, 0, bottom);
            break;
        case Anchor::Bottom:
            r.translate(0, dy);
            break;
        case Anchor::RightBottom:
            r.translate(dx, dy);
            break;
        }
        p.widget->setGeometry(r);
    }
}

QToolButton *frmDocument::addPictureButton(const char *imageName, const char *labelName,
                                           const QString &caption, int leftTwips, int topTwips)
{
    QWidget *canvas = m_canvas;
    QToolButton *b = controls::pictureButton(canvas, imageName,
                                             platform::pictureButtonIcon(QLatin1String(imageName)),
                                             QRect(px(leftTwips), px(topTwips), px(480), px(480)));

    QLabel *l = controls::named(new QLabel(caption, canvas), labelName);
    l->setFont(platform::captionFont(8.25));
    l->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    l->setWordWrap(true);
    l->setGeometry(px(120), px(topTwips + 500), px(1215), px(420));
    return b;
}

} // namespace editor
