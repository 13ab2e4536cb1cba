#pragma once

// The workstation's scratch tables: one SQLite file per table, named as the
// table file ("CILAUX01.ADT", "CILAUXPR.adt", ...), in the `Tarvil` folder.
// A table is opened exclusively: a second program that wants the same file
// gets a DbError naming it. The cursor behaves as the windows expect of a
// data set: empty, append + set fields + post, first/next/eof, edit + post,
// delete the current record, count.

#include "data/dberror.h"

#include <QAbstractTableModel>
#include <QDate>
#include <QObject>
#include <QString>
#include <QVariant>
#include <QVariantMap>
#include <QVector>
#include <functional>
#include <map>
#include <memory>

enum class LocalTableId {
    Cylinders,       // AdsTable1: "CILAUX01.ADT" (or the administrators' "cilaux02.adt")
    PrintCylinders,  // AdsCilAuxPr: "CILAUXPR.adt"
    LetterCylinders, // AdsAuxCarta: "AuxCarta.adt"
    Faults,          // AdsAuxFalla: "AuxFalla.adt"
    Jobs,            // AdsAuxTrabajoRealizado: "AuxTrabajoRealizado.adt"
    Stickers,        // AdsAuxObleas: "AuxObleas.adt"
    ReminderLog,     // the WhatsApp reminders sent from this workstation: "EnviosWhatsApp.adt"
    SeenObserved,    // pending operations already seen verified with observations: "ResumenDelDia.adt"
};

struct LocalField {
    enum Type { Text, Integer, Float, Date };
    QString name;
    Type type = Text;
    int width = 0; // text only: longer values are cut to it; 0 leaves them whole
};

class LocalTable : public QObject
{
    Q_OBJECT
public:
    // fileName empty: the table's own file name.
    explicit LocalTable(LocalTableId id, const QString &fileName = {}, QObject *parent = nullptr);
    ~LocalTable() override;

    static const QVector<LocalField> &fieldsOf(LocalTableId id);
    static QString defaultFileName(LocalTableId id);

    LocalTableId id() const;
    const QString &fileName() const;
    QString filePath() const;
    const QVector<LocalField> &fields() const;
    int fieldIndex(const QString &name) const; // without regard to case; -1 when unknown

    // Creates the file with its fields when missing; a damaged file is checked
    // when opened and created again, empty, with a notice. DbError when another
    // program holds it.
    void open();
    void close();
    bool isOpen() const;

    void empty();  // every record goes at once
    void append(); // a new record at the end; set fields, then post()
    void edit();   // the current record; set fields, then post()
    void post();   // a failure leaves the record as it was and the table browsable
    void cancel();
    // Appends whole records (values in field order) in one write, for a
    // print buffer of thousands of lines; the cursor stays on the last one.
    void appendRecords(const QVector<QVariantList> &records);
    void remove(); // the current record; the cursor moves to the one after it

    bool first();
    bool next();
    bool eof() const;
    bool moveTo(int row); // 0-based; false when out of range
    int recNo() const;    // 0-based; -1 without a current record
    int count() const;

    // Fields by name. Setting a field outside append/edit starts an edit of
    // the current record. Dates read as text are "dd/MM/yyyy".
    QVariant value(const QString &field) const; // typed: QString, int, double, QDate; null when empty
    QString text(const QString &field) const;
    int integer(const QString &field) const;
    double real(const QString &field) const;
    QDate date(const QString &field) const;
    void setValue(const QString &field, const QVariant &value);
    void setText(const QString &field, const QString &value) { setValue(field, value); }
    void setInteger(const QString &field, int value) { setValue(field, value); }
    void setReal(const QString &field, double value) { setValue(field, value); }
    void setDate(const QString &field, const QDate &value) { setValue(field, value); }

    // Every record, for report bands and grids: field name -> typed value.
    QVector<QVariantMap> rows() const;
    QVariant valueAt(int row, int column) const;
    QString textAt(int row, int column) const;

    // The text a typed value shows (dates "dd/MM/yyyy", empty for null).
    static QString format(const LocalField &field, const QVariant &value);

signals:
    void changed(); // records added, removed, emptied or edited

private:
    struct Impl;
    std::unique_ptr<Impl> d;
    int requireField(const QString &name) const;
    void requireOpen() const;
    [[noreturn]] void failSql(const QString &what) const;
};

// The process's instances of the tables (as the data module's table
// components), opened on first use and kept until closeAll().
class LocalStore
{
public:
    static LocalStore &instance();

    // TARVIL_LOCAL_DIR, else the per-user data folder + "/Tarvil".
    static QString directory();

    // The administrators' copy works on "cilaux02.adt" so that both copies can
    // run. Without a name set here, the one start-up chose (core/exename.h).
    void setCylinderFileName(const QString &fileName);
    QString cylinderFileName() const;

    LocalTable &table(LocalTableId id);
    void closeAll();

    // Where the notice of a damaged table that was created again goes (the
    // application shows it in a warning); without one it is logged.
    using NoticeHandler = std::function<void(const QString &text)>;
    static void setNoticeHandler(NoticeHandler handler);
    static void notice(const QString &text);
    // Where a damaged local file is set aside: beside it, with the date and
    // time, never over an earlier copy.
    static QString asideName(const QString &path);

private:
    LocalStore() = default;
    std::map<LocalTableId, std::unique_ptr<LocalTable>> m_tables;
    QString m_cylinderFile;
};

inline LocalStore &localStore()
{
    return LocalStore::instance();
}

// A grid's view of a local table: one column per field, titled with its name.
class LocalTableModel : public QAbstractTableModel
{
    Q_OBJECT
public:
    explicit LocalTableModel(LocalTable *table, QObject *parent = nullptr);

    void setEditable(bool editable);

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;

private:
    LocalTable *m_table;
    bool m_editable = false;
    bool m_writing = false;
};
