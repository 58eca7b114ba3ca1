// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// A document window as the reference sees it: three real panes and a
// description line, served as the default document by a factory of its own.
#include "platform/RichTextBox.h"
#include "platform/WindowRegistry.h"

#include <QPointer>
#include <QVBoxLayout>

namespace testing
{

class FakeDocument : public QWidget, public platform::DocumentWindow
{
public:
    FakeDocument()
    {
        setAttribute(Qt::WA_DeleteOnClose);
        auto *layout = new QVBoxLayout(this);
        for (platform::RichTextBox *p : {&program, &syntax, &example})
            layout->addWidget(p);
    }
    QWidget *widget() override { return this; }
    platform::RichTextBox *programPane() override { return &program; }
    platform::RichTextBox *syntaxPane() override { return &syntax; }
    platform::RichTextBox *examplePane() override { return &example; }
    void setDescription(const QString &text) override { description = text; }
    void setSaveEnabled(bool on) override { m_save = on; }
    bool saveEnabled() const override { return m_save; }

    platform::RichTextBox program, syntax, example;
    QString description;

private:
    bool m_save = true;
};

// Installs itself as the document factory for as long as it lives; the
// default document comes back when it was closed.
class FakeFactory : public platform::DocumentFactory
{
public:
    FakeFactory() { platform::windows().setDocumentFactory(this); }
    ~FakeFactory() override
    {
        platform::windows().setDocumentFactory(nullptr);
        platform::windows().closeAll();
        delete m_default.data();
    }
    FakeDocument *defaultDocument() override
    {
        if (!m_default || platform::WindowRegistry::closing(m_default))
            m_default = new FakeDocument;
        return m_default;
    }
    FakeDocument *newDocument(const QString &) override { return nullptr; }
    FakeDocument *loaded() const { return m_default; }

private:
    QPointer<FakeDocument> m_default;
};

} // namespace testing
