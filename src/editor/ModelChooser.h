// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// The calculator a document window's program is for: the status-bar field
// cboModel and the Run menu's mnuModel, both showing and setting it. It is
// kept in the document's header destination (calc/FileMeta.h, key "model"),
// so saving the document keeps it and an export writes its product id and
// version byte. "Not chosen" leaves the checks to name the lowest model the
// tokens need, and shows the document as the Options default. Choosing
// marks the document changed; to or from a colour model it respells the
// tokens the colour calculators write otherwise. For the colour models it
// shows Insert > Colour.
#include "calc/Models.h"

#include <QObject>

class QActionGroup;
class QComboBox;
class QMenu;

namespace editor
{

class frmDocument;

class ModelChooser : public QObject
{
    Q_OBJECT
public:
    static ModelChooser *attach(frmDocument *window);
    static ModelChooser *of(const frmDocument *window);

    // The chosen model; None when the user chose none.
    calc::models::Model model() const { return m_model; }
    // What the document is shown as: the chosen model, else the Options
    // default (its spellings and menus; the checks and files see None).
    calc::models::Model shownModel() const;
    // Sets it in the document and both controls; the checks follow.
    void setModel(calc::models::Model model);
    // The document's kept values were replaced (an imported or received
    // program): show the model they name.
    void reread() { readDocument(); }

signals:
    void modelChanged(calc::models::Model model);

private:
    explicit ModelChooser(frmDocument *window);
    void readDocument(); // the model the loaded document names
    void show();
    // The text to the shown model's spellings, as one undo step.
    void respell();

    frmDocument *m_window;
    QComboBox *m_combo = nullptr;
    QActionGroup *m_items = nullptr;
    QMenu *m_colour = nullptr; // Insert > Colour, shown for the colour models
    calc::models::Model m_model = calc::models::Model::None;
};

} // namespace editor
