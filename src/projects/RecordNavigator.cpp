// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "projects/RecordNavigator.h"

#include <QDataWidgetMapper>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSqlDatabase>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QSqlTableModel>
#include <QToolButton>

namespace projects
{

namespace
{
const QString kIdColumn = QStringLiteral("ID");

QString nextConnectionName()
{
    static int counter = 0;
    return QStringLiteral("torvane-records-%1").arg(++counter);
}
} // namespace

RecordNavigator::RecordNavigator(QWidget *parent)
    : QWidget(parent), m_connection(nextConnectionName())
{
    setObjectName(QStringLiteral("Data1"));
    auto button = [this](const char *name, const QString &text, const QString &tip) {
        auto *b = new QToolButton(this);
        b->setObjectName(QString::fromLatin1(name));
        b->setText(text);
        b->setToolTip(tip);
        b->setFocusPolicy(Qt::StrongFocus);
        return b;
    };
    cmdFirst = button("cmdFirst", QStringLiteral("|<"), QStringLiteral("First record"));
    cmdPrevious = button("cmdPrevious", QStringLiteral("<"), QStringLiteral("Previous record"));
    cmdNext = button("cmdNext", QStringLiteral(">"), QStringLiteral("Next record"));
    cmdLast = button("cmdLast", QStringLiteral(">|"), QStringLiteral("Last record"));
    lblCaption = new QLabel(this);
    lblCaption->setObjectName(QStringLiteral("lblCaption"));
    lblCaption->setFrameStyle(QFrame::Panel | QFrame::Sunken);

    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    row->addWidget(cmdFirst);
    row->addWidget(cmdPrevious);
    row->addWidget(lblCaption, 1);
    row->addWidget(cmdNext);
    row->addWidget(cmdLast);

    connect(cmdFirst, &QToolButton::clicked, this, &RecordNavigator::moveFirst);
    connect(cmdPrevious, &QToolButton::clicked, this, &RecordNavigator::movePrevious);
    connect(cmdNext, &QToolButton::clicked, this, &RecordNavigator::moveNext);
    connect(cmdLast, &QToolButton::clicked, this, &RecordNavigator::moveLast);
}

RecordNavigator::~RecordNavigator()
{
    delete m_mapper;
    delete m_model;
    if (QSqlDatabase::contains(m_connection)) {
        {
            QSqlDatabase db = QSqlDatabase::database(m_connection, false);
            db.close();
        }
        QSqlDatabase::removeDatabase(m_connection);
    }
}

QString RecordNavigator::caption() const
{
    return lblCaption->text();
}

void RecordNavigator::setCaption(const QString &caption)
{
    lblCaption->setText(caption);
}

void RecordNavigator::bind(QLineEdit *box, int column)
{
    box->setMaxLength(m_columns.value(column, RecordColumn{QString(), 32767}).length);
    m_boxes.append({box, column});
}

bool RecordNavigator::open(const QString &databaseFile, const QString &table,
                           const QList<RecordColumn> &columns)
{
    m_file = databaseFile;
    m_table = table;
    m_columns = columns;
    m_openError.clear();
    for (Box &b : m_boxes)
        b.edit->setMaxLength(m_columns.value(b.column, RecordColumn{QString(), 32767}).length);
    delete m_mapper;
    delete m_model;
    m_mapper = nullptr;
    m_model = nullptr;
    m_new = false;

    auto fail = [this](const QString &description) {
        delete m_model;
        m_model = nullptr;
        m_openError = description;
        show(-1);
        report(description);
        emit Reposition();
        return false;
    };

    QDir().mkpath(QFileInfo(databaseFile).absolutePath());
    QSqlDatabase db = QSqlDatabase::contains(m_connection)
                          ? QSqlDatabase::database(m_connection, false)
                          : QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    db.close();
    db.setDatabaseName(databaseFile);
    // Another program holding the file gets a moment before we give up.
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=2000"));
    if (!db.open())
        return fail(db.lastError().text());

    bool exists = false;
    for (const QString &t : db.tables())
        exists |= t.compare(table, Qt::CaseInsensitive) == 0;
    if (!exists) {
        QSqlDriver *driver = db.driver();
        QStringList defs{driver->escapeIdentifier(kIdColumn, QSqlDriver::FieldName) +
                         QStringLiteral(" INTEGER PRIMARY KEY")};
        for (const RecordColumn &c : columns)
            defs << QStringLiteral("%1 VARCHAR(%2)")
                        .arg(driver->escapeIdentifier(c.name, QSqlDriver::FieldName))
                        .arg(c.length);
        QSqlQuery create(db);
        if (!create.exec(QStringLiteral("CREATE TABLE %1 (%2)")
                             .arg(driver->escapeIdentifier(table, QSqlDriver::TableName),
                                  defs.join(QStringLiteral(", ")))))
            return fail(create.lastError().text());
    }

    m_model = new QSqlTableModel(this, db);
    m_model->setEditStrategy(QSqlTableModel::OnManualSubmit);
    m_model->setTable(table);
    for (const RecordColumn &c : columns)
        if (m_model->fieldIndex(c.name) < 0)
            return fail(QStringLiteral("The table \"%1\" in %2 has no column \"%3\".")
                            .arg(table, QDir::toNativeSeparators(databaseFile), c.name));
    m_idColumn = m_model->fieldIndex(kIdColumn);
    if (m_idColumn >= 0)
        m_model->setSort(m_idColumn, Qt::AscendingOrder);
    if (!m_model->select())
        return fail(m_model->lastError().text());
    while (m_model->canFetchMore())
        m_model->fetchMore();

    m_mapper = new QDataWidgetMapper(this);
    m_mapper->setModel(m_model);
    m_mapper->setSubmitPolicy(QDataWidgetMapper::ManualSubmit);
    for (const Box &b : m_boxes)
        m_mapper->addMapping(b.edit, m_model->fieldIndex(m_columns.value(b.column).name));
    show(recordCount() > 0 ? 0 : -1);
    emit Reposition();
    return true;
}

bool RecordNavigator::isOpen() const
{
    return m_model != nullptr;
}

int RecordNavigator::recordCount() const
{
    return m_model ? m_model->rowCount() : 0;
}

int RecordNavigator::absolutePosition() const
{
    return m_new ? -1 : m_row;
}

bool RecordNavigator::isNewRecord() const
{
    return m_new;
}

QStringList RecordNavigator::boxTexts() const
{
    QStringList texts;
    for (const Box &b : m_boxes)
        texts << b.edit->text();
    return texts;
}

void RecordNavigator::setBoxTexts(const QStringList &texts)
{
    for (int i = 0; i < m_boxes.size(); ++i)
        m_boxes[i].edit->setText(texts.value(i));
}

bool RecordNavigator::isDirty() const
{
    if (m_new) {
        for (const Box &b : m_boxes)
            if (!b.edit->text().isEmpty())
                return true;
        return false;
    }
    if (!m_model || m_row < 0)
        return false;
    for (const Box &b : m_boxes) {
        const int field = m_model->fieldIndex(m_columns.value(b.column).name);
        if (b.edit->text() != m_model->data(m_model->index(m_row, field), Qt::EditRole).toString())
            return true;
    }
    return false;
}

void RecordNavigator::report(const QString &description)
{
    emit Error(description.trimmed().isEmpty() ? QStringLiteral("Unknown database error")
                                               : description.trimmed());
}

bool RecordNavigator::ensureOpen()
{
    if (m_model)
        return true;
    report(m_openError.isEmpty() ? QStringLiteral("The database is not open.") : m_openError);
    return false;
}

bool RecordNavigator::select()
{
    if (!m_model->select()) {
        report(m_model->lastError().text());
        return false;
    }
    while (m_model->canFetchMore())
        m_model->fetchMore();
    return true;
}

QVariant RecordNavigator::idAt(int row) const
{
    return m_idColumn >= 0 && row >= 0 ? m_model->data(m_model->index(row, m_idColumn))
                                       : QVariant();
}

int RecordNavigator::rowOfId(const QVariant &id) const
{
    for (int r = 0; r < m_model->rowCount(); ++r)
        if (m_model->data(m_model->index(r, m_idColumn)) == id)
            return r;
    return -1;
}

void RecordNavigator::show(int row)
{
    m_row = row;
    if (row >= 0 && m_mapper) {
        m_mapper->setCurrentIndex(row);
    } else {
        for (const Box &b : m_boxes)
            b.edit->clear();
    }
}

bool RecordNavigator::store(bool evenIfEmpty)
{
    if (!m_model)
        return true;
    const int count = recordCount();
    if (m_new && !isDirty() && !evenIfEmpty) {
        // Nothing was typed into the new record: there is nothing to keep.
        m_new = false;
        show(count == 0 ? -1 : qBound(0, m_rowBeforeNew, count - 1));
        return true;
    }
    if (!m_new && (m_row < 0 || !isDirty()))
        return true;

    const QStringList typed = boxTexts();
    const QVariant id = idAt(m_row);
    bool ok;
    if (m_new) {
        QSqlRecord record = m_model->record();
        for (int f = 0; f < record.count(); ++f)
            record.setGenerated(f, false);
        for (const Box &b : m_boxes) {
            const QString name = m_columns.value(b.column).name;
            record.setValue(name, b.edit->text());
            record.setGenerated(name, true);
        }
        ok = m_model->insertRecord(-1, record) && m_model->submitAll();
    } else {
        ok = m_mapper->submit() && m_model->submitAll();
    }
    if (!ok) {
        const QString why = m_model->lastError().text();
        m_model->revertAll();
        setBoxTexts(typed);
        report(why);
        return false;
    }

    QVariant newId;
    if (m_new) {
        QSqlQuery last(m_model->database());
        if (last.exec(QStringLiteral("SELECT last_insert_rowid()")) && last.next())
            newId = last.value(0);
    }
    while (m_model->canFetchMore())
        m_model->fetchMore();
    const int rows = m_model->rowCount();
    int row;
    if (m_new)
        row = m_idColumn >= 0 && newId.isValid() ? rowOfId(newId) : rows - 1;
    else
        row = m_idColumn >= 0 ? rowOfId(id) : m_row;
    m_new = false;
    show(rows == 0 ? -1 : qBound(0, row < 0 ? rows - 1 : row, rows - 1));
    return true;
}

bool RecordNavigator::moveTo(int target)
{
    const int count = recordCount();
    show(count == 0 ? -1 : qBound(0, target, count - 1));
    emit Reposition();
    return true;
}

bool RecordNavigator::moveFirst()
{
    emit Validate();
    if (!ensureOpen() || !store(false))
        return false;
    return moveTo(0);
}

bool RecordNavigator::movePrevious()
{
    emit Validate();
    if (!ensureOpen() || !store(false))
        return false;
    return moveTo(m_row - 1);
}

bool RecordNavigator::moveNext()
{
    emit Validate();
    if (!ensureOpen() || !store(false))
        return false;
    return moveTo(m_row < 0 ? 0 : m_row + 1);
}

bool RecordNavigator::moveLast()
{
    emit Validate();
    if (!ensureOpen() || !store(false))
        return false;
    return moveTo(recordCount() - 1);
}

bool RecordNavigator::addNew()
{
    emit Validate();
    if (!ensureOpen())
        return false;
    // Text that belongs to no record (a path located while the table was
    // empty) becomes the new record's.
    const bool carry = m_row < 0 && !m_new;
    const QStringList loose = boxTexts();
    if (!store(false))
        return false;
    m_rowBeforeNew = m_row;
    m_new = true;
    m_row = -1;
    if (carry)
        setBoxTexts(loose);
    else
        for (const Box &b : m_boxes)
            b.edit->clear();
    emit Reposition();
    return true;
}

bool RecordNavigator::deleteCurrent()
{
    emit Validate();
    if (!ensureOpen())
        return false;
    if (m_new) {
        // The new record is not stored yet: deleting it just drops it.
        m_new = false;
        return moveTo(m_rowBeforeNew);
    }
    if (m_row < 0) {
        emit Reposition();
        return false;
    }
    const int row = m_row;
    const QStringList typed = boxTexts();
    if (!m_model->removeRow(row) || !m_model->submitAll()) {
        const QString why = m_model->lastError().text();
        m_model->revertAll();
        setBoxTexts(typed);
        report(why);
        return false;
    }
    while (m_model->canFetchMore())
        m_model->fetchMore();
    // The next record moves into the deleted one's place; after the last
    // one the previous record is shown.
    return moveTo(row);
}

bool RecordNavigator::updateCurrent()
{
    emit Validate();
    if (!ensureOpen())
        return false;
    if (!m_new && m_row < 0) {
        emit Reposition();
        return false;
    }
    if (!store(true))
        return false;
    emit Reposition();
    return true;
}

bool RecordNavigator::refresh()
{
    emit Validate();
    if (!m_model) // a database that failed to open gets another chance
        return open(m_file, m_table, m_columns);
    if (!store(false))
        return false;
    if (!select()) {
        show(-1);
        emit Reposition();
        return false;
    }
    return moveTo(0);
}

bool RecordNavigator::storeChanges()
{
    if (!m_model || !isDirty())
        return true;
    emit Validate();
    return store(false);
}

} // namespace projects
