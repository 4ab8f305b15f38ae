#pragma once
// Datasets over the connection. Opening reads a snapshot, as a static cursor
// does, and holds no statement open afterwards, since a live statement would
// keep a shared lock on the book. The snapshot keeps, per row, only a row id
// and the field the title list shows; the current record's other fields are
// read when it becomes current, so memory does not grow with the answers.

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

#include <vector>

class TADOConnection;
class TDataSource;
struct sqlite3_stmt;

enum class TCursorType { ctStatic };

class TCustomADODataSet : public QObject {
    Q_OBJECT
public:
    TCustomADODataSet(QObject* owner, const QString& name);

    TADOConnection* Connection = nullptr;
    TCursorType CursorType = TCursorType::ctStatic;

    bool Active() const { return active; }
    // Opening runs the command and throws EDatabaseError on failure; setting
    // the value the dataset already has does nothing.
    void setActive(bool value);
    void Open() { setActive(true); }
    void Close() { setActive(false); }

    // Cursor moves. Prior on the first row and Next on the last stay put.
    void First();
    void Prior();
    void Next();
    void Last();
    void moveTo(int row);

    int RecordCount() const;
    // The current row, counted from 0; -1 when closed or empty.
    int RecNo() const { return current; }
    bool IsEmpty() const { return RecordCount() == 0; }

    // A field of the current record as text; empty when there is none.
    QString FieldText(const QString& field) const;
    // The listed field of a row, for the title list.
    QString listText(int row) const;

    // Bound controls declare what they need: a field that must exist when
    // the dataset opens, and the one field a title list shows for every row.
    void requireField(const QString& field, const QString& control);
    void setListField(const QString& field);

signals:
    void dataSetChanged(); // opened or closed
    void recordChanged();  // the current record moved

protected:
    virtual QString commandText() const = 0;
    // A table opened only to prove it exists reads no rows.
    virtual bool readsRows() const { return true; }

private:
    struct Snapshot {
        QStringList fieldNames;
        QString table;           // set when rows are fetched by row id
        std::vector<long long> rowIds;
        QByteArray listUtf8;     // the listed field of every row, end to end
        std::vector<int> listEnds;
        QList<QStringList> wholeRows; // rows held whole when no row id exists
        int count = 0;
    };

    void open();
    void close();
    Snapshot readSnapshot(const QString& sql) const;
    bool readByRowId(Snapshot& snapshot, const QString& table, const QString& where) const;
    void readWhole(Snapshot& snapshot, const QString& sql) const;
    void checkRequiredFields(const QStringList& fieldNames) const;
    void setCurrent(int row);
    void loadCurrentRecord();
    int fieldIndex(const QString& field) const;

    struct Requirement {
        QString field, control;
    };
    QList<Requirement> requirements;
    QString listField;

    bool active = false;
    Snapshot snapshot;
    int current = -1;
    QStringList currentValues;
};

// The lines of a query's command. Changing them closes the query.
class TSQLStrings {
public:
    explicit TSQLStrings(TCustomADODataSet* owner) : owner(owner) {}
    void Clear();
    void Add(const QString& line);
    QString Text() const { return lines.join(QLatin1Char('\n')); }
    const QStringList& Lines() const { return lines; }

private:
    TCustomADODataSet* owner;
    QStringList lines;
};

class TADOQuery : public TCustomADODataSet {
    Q_OBJECT
public:
    TADOQuery(QObject* owner, const QString& name);

    TSQLStrings SQL{this};
    // The master data source; the program's queries have no parameters, so
    // it selects nothing.
    TDataSource* DataSource = nullptr;

protected:
    QString commandText() const override { return SQL.Text(); }
};

class TADOTable : public TCustomADODataSet {
    Q_OBJECT
public:
    TADOTable(QObject* owner, const QString& name);
    QString TableName;

protected:
    QString commandText() const override;
    bool readsRows() const override { return false; }
};
