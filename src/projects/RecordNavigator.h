// SPDX-FileCopyrightText: 2026 Torvane Studio developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once
// A data-bound record navigator: one table of an SQLite database file shown
// one record at a time in bound text boxes, with first, previous, next and
// last buttons and a caption between them.
//
// Nothing typed is lost silently: leaving a record, starting a new one,
// refreshing and storeChanges() first write what the boxes hold, and an
// operation whose writing fails stays where it was, with the boxes as
// typed, after reporting the failure through Error.
#include <QList>
#include <QString>
#include <QStringList>
#include <QWidget>

class QDataWidgetMapper;
class QLabel;
class QLineEdit;
class QSqlTableModel;
class QToolButton;

namespace projects
{

struct RecordColumn {
    QString name;
    int length; // characters; the column is text
};

class RecordNavigator : public QWidget
{
    Q_OBJECT
public:
    explicit RecordNavigator(QWidget *parent = nullptr);
    ~RecordNavigator() override;

    // Opens the table as an updatable record set and shows its first
    // record. A missing file or table is created with the given columns
    // (plus an integer key "ID"); an existing one is never changed. A
    // failure is reported through Error and leaves the navigator empty.
    bool open(const QString &databaseFile, const QString &table,
              const QList<RecordColumn> &columns);
    bool isOpen() const;
    // Binds a box to one of the columns given to open(); typing stops at
    // the column's length.
    void bind(QLineEdit *box, int column);

    QString caption() const;
    void setCaption(const QString &caption);

    // Stored records; a new record being typed is not among them yet.
    int recordCount() const;
    // 0-based; -1 while there is no current record or a new one is typed.
    int absolutePosition() const;
    bool isNewRecord() const;
    // True when the boxes hold something the current record does not.
    bool isDirty() const;

    // Each returns false when it did not happen; a database failure has
    // then been reported through Error.
    bool addNew();        // stores the current record, starts an empty one
    bool deleteCurrent(); // then shows the next record, or the previous
    bool updateCurrent(); // writes the boxes now and stays on the record
    bool refresh();       // re-reads the table and shows the first record
    bool moveFirst();
    bool movePrevious();
    bool moveNext();
    bool moveLast();
    bool storeChanges(); // before the window closes

    QToolButton *cmdFirst = nullptr;
    QToolButton *cmdPrevious = nullptr;
    QToolButton *cmdNext = nullptr;
    QToolButton *cmdLast = nullptr;
    QLabel *lblCaption = nullptr;

signals:
    void Validate();   // a record is about to be left or changed
    void Reposition(); // a record became current (or none)
    void Error(const QString &description);

private:
    struct Box {
        QLineEdit *edit;
        int column;
    };
    void report(const QString &description);
    bool ensureOpen();
    bool select();
    bool store(bool evenIfEmpty);
    bool moveTo(int row);
    void show(int row);
    int rowOfId(const QVariant &id) const;
    QVariant idAt(int row) const;
    QStringList boxTexts() const;
    void setBoxTexts(const QStringList &texts);

    QString m_connection;
    QString m_file;
    QString m_table;
    QList<RecordColumn> m_columns;
    QString m_openError;
    QSqlTableModel *m_model = nullptr;
    QDataWidgetMapper *m_mapper = nullptr;
    QList<Box> m_boxes;
    int m_idColumn = -1;
    int m_row = -1;
    bool m_new = false;
    int m_rowBeforeNew = -1;
};

} // namespace projects
