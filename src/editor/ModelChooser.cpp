// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "editor/ModelChooser.h"

#include "calc/FileMeta.h"
#include "calc/Respell.h"
#include "editor/Document.h"
#include "editor/EditorOptions.h"
#include "editor/ProblemMarks.h"
#include "editor/frmDocument.h"
#include "platform/RichTextBox.h"
#include "rtf/RtfCodec.h"

#include <QAction>
#include <QActionGroup>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QStatusBar>
#include <QVBoxLayout>

namespace editor
{

using calc::models::Model;

namespace
{

const char kKey[] = "model";

// The header destination of the pane's kept ones, read and written.
calc::FileMeta metaOf(const platform::RichTextBox *pane)
{
    return calc::FileMeta::fromText(
        rtf::keptText(pane->keptDestinations(), calc::FileMeta::destination()));
}

QVector<Model> choices()
{
    return QVector<Model>{Model::None} + calc::models::all();
}

// "Not chosen" follows the Options default: named after it, so the user
// sees which calculator the document is shown for and that it is not fixed.
QString caption(Model m)
{
    return m == Model::None ? QStringLiteral("%1 (default)")
                                  .arg(calc::models::name(EditorOptions::defaultModel()))
                            : calc::models::longName(m);
}

} // namespace

ModelChooser::ModelChooser(frmDocument *window) : QObject(window), m_window(window)
{
    setObjectName(QStringLiteral("modelChooser"));
    m_combo = new QComboBox(window);
    m_combo->setObjectName(QStringLiteral("cboModel"));
    m_combo->setToolTip(QStringLiteral("The calculator the program is for"));
    for (Model m : choices())
        m_combo->addItem(caption(m), int(m));
    auto *label = new QLabel(QStringLiteral("Model:"), window);
    label->setObjectName(QStringLiteral("lblModel"));
    auto *bar = new QStatusBar(window);
    bar->setObjectName(QStringLiteral("stbDocument"));
    bar->setSizeGripEnabled(false);
    bar->addPermanentWidget(label);
    bar->addPermanentWidget(m_combo);
    if (auto *outer = qobject_cast<QVBoxLayout *>(window->layout())) {
        outer->addWidget(bar);
        window->resize(window->width(), window->height() + bar->sizeHint().height());
    }

    m_items = new QActionGroup(this);
    if (QMenu *run = window->menu(QStringLiteral("mnuRun"))) {
        run->addSeparator();
        QMenu *sub = run->addMenu(QStringLiteral("Model"));
        sub->setObjectName(QStringLiteral("mnuModel"));
        sub->menuAction()->setObjectName(QStringLiteral("mnuModel"));
        for (Model m : choices()) {
            QAction *a = sub->addAction(caption(m));
            const QString id = m == Model::None ? QStringLiteral("None") : calc::models::id(m);
            a->setObjectName(QStringLiteral("mnuModel") + id.left(1).toUpper() + id.mid(1));
            a->setCheckable(true);
            a->setData(int(m));
            m_items->addAction(a);
            connect(a, &QAction::triggered, this, [this, m] { setModel(m); });
        }
    }
    // Insert > Colour: the colour models' commands, whose reference entries
    // the window's reference requests find like every Insert item's.
    if (QMenu *insert = window->menu(QStringLiteral("mnuInsert"))) {
        m_colour = insert->addMenu(QStringLiteral("Colour"));
        m_colour->setObjectName(QStringLiteral("mnuInsertColour"));
        m_colour->menuAction()->setObjectName(QStringLiteral("mnuInsertColour"));
        static const char *const kColour[][2] = {
            {"mnuTextColor", "TextColor"},         {"mnuBackgroundOn", "BackgroundOn"},
            {"mnuBackgroundOff", "BackgroundOff"}, {"mnuGraphColor", "GraphColor"},
            {"mnuBorderColor", "BorderColor"},     {"mnuGridLine", "GridLine"},
            {"mnuDetectAsymOn", "DetectAsymOn"},   {"mnuDetectAsymOff", "DetectAsymOff"},
        };
        for (const auto &item : kColour) {
            QAction *a = m_colour->addAction(QLatin1String(item[1]));
            a->setObjectName(QLatin1String(item[0]));
            connect(a, &QAction::triggered, window,
                    [window, a] { emit window->referenceRequested(a->objectName()); });
        }
    }
    connect(m_combo, QOverload<int>::of(&QComboBox::activated), this,
            [this](int index) { setModel(Model(m_combo->itemData(index).toInt())); });
    connect(window->document(), &Document::loaded, this, &ModelChooser::readDocument);
    connect(&EditorOptions::instance(), &EditorOptions::changed, this, &ModelChooser::show);
    readDocument();
}

ModelChooser *ModelChooser::attach(frmDocument *window)
{
    return new ModelChooser(window);
}

ModelChooser *ModelChooser::of(const frmDocument *window)
{
    return window->findChild<ModelChooser *>(QStringLiteral("modelChooser"),
                                             Qt::FindDirectChildrenOnly);
}

void ModelChooser::readDocument()
{
    m_model = calc::models::fromId(metaOf(m_window->RichTextBox1).value(QLatin1String(kKey)));
    show();
    emit modelChanged(m_model);
}

Model ModelChooser::shownModel() const
{
    return m_model == Model::None ? EditorOptions::defaultModel() : m_model;
}

void ModelChooser::setModel(Model model)
{
    if (model == m_model) {
        show();
        return;
    }
    const bool wasColour = calc::models::isColour(shownModel());
    platform::RichTextBox *pane = m_window->RichTextBox1;
    calc::FileMeta meta = metaOf(pane);
    meta.set(QLatin1String(kKey), calc::models::id(model));
    // A chosen model writes its own product id, not the one a file came with.
    meta.set(QStringLiteral("product"), QString());
    QVector<QByteArray> kept = pane->keptDestinations();
    rtf::setKept(&kept, calc::FileMeta::destination(), meta.toText());
    pane->setKeptDestinations(kept);
    m_model = model;
    // Saved with the document: the choice is a change to it.
    m_window->document()->keptChanged();
    if (calc::models::isColour(shownModel()) != wasColour)
        respell();
    show();
    emit modelChanged(model);
}

void ModelChooser::respell()
{
    platform::RichTextBox *pane = m_window->RichTextBox1;
    if (pane->isReadOnly())
        return;
    const auto edits = calc::respell::forModel(pane->Text(), calc::models::isColour(shownModel()));
    if (edits.isEmpty())
        return;
    const int caret = pane->SelStart();
    UndoHistory &history = m_window->document()->history();
    history.beginGroup(); // one Undo takes the whole respelling back
    for (const calc::respell::Edit &e : edits) {
        pane->setSelStart(e.start);
        pane->setSelLength(e.length);
        pane->setSelText(e.text);
    }
    history.endGroup();
    pane->setSelStart(qMin(caret, pane->TextLength()));
}

void ModelChooser::show()
{
    if (m_colour)
        m_colour->menuAction()->setVisible(calc::models::isColour(shownModel()));
    if (ProblemMarks *marks = ProblemMarks::of(m_window->RichTextBox1))
        marks->setModel(m_model);
    m_combo->setItemText(0, caption(Model::None)); // the default may have changed
    m_combo->setCurrentIndex(int(choices().indexOf(m_model)));
    for (QAction *a : m_items->actions()) {
        if (Model(a->data().toInt()) == Model::None)
            a->setText(caption(Model::None));
        a->setChecked(Model(a->data().toInt()) == m_model);
    }
}

} // namespace editor
