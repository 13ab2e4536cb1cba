#include "app/navigator.h"
#include "core/global.h"
#include "data/dm1.h"
#include "followup/tconsultadependientesform.h"
#include "followup/tconsultadependientestamarackform.h"
#include "followup/windows.h"
#include "guardedmain.h"
#include "testdb.h"
#include "widgets/messages.h"

#include <QLabel>
#include <QPushButton>
#include <QSqlError>
#include <QSqlQuery>
#include <QTableView>
#include <QtTest>

namespace
{

const QString kDb = QStringLiteral("t_followup_pendientes");
const QString kWorkshop = QStringLiteral("TDM0001");

struct Shown {
    Msg::Kind kind;
    QString text;
};

struct Edited {
    int id;
    QString kind;
};

} // namespace

class TstPendientes : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void listShowsOwnWorkshopInIdOrder();
    void tamarackVariantAddsVin();
    void emptyListLeavesButtonsDisabled();

    void deleteRemovesTheThreeSetsOfRows();
    void answeringNoKeepsRowsAndRereads();
    void deletingTheLastRowEmptiesCountAndButtons();
    void failedDeleteLeavesEveryRow();

    void verifiedOperationIsNeitherDeletedNorEdited();
    void verificationAfterReadingStillRefuses();

    void editHandsIdAndKindThenRereads();
    void registeredForItsNode();

private:
    int addPending(const QString &workshop, const QString &kind, const QString &owner, int estado = 0,
                   const QString &vin = {}, int regs = 1, int cils = 2);
    int count(const QString &table, int id);
    QString ownerOf(int id);
    void exec(const QString &sql, const QVariantList &values = {});
    static QPushButton *button(QWidget &form, const char *name);
    static QTableView *grid(QWidget &form);
    static QLabel *countLabel(QWidget &form);
    static void selectRow(QWidget &form, int row);

    ScopedNavigator m_nav; // the operation form is played by the test
    QSqlDatabase m_db;
    QList<Shown> m_shown;
    bool m_answer = true;
    QList<Edited> m_edited;
    std::function<void()> m_whileEditing;
};

void TstPendientes::exec(const QString &sql, const QVariantList &values)
{
    QSqlQuery q(m_db);
    QVERIFY2(q.prepare(sql), qPrintable(q.lastError().text()));
    for (int i = 0; i < values.size(); ++i)
        q.bindValue(i, values.at(i));
    QVERIFY2(q.exec(), qPrintable(q.lastError().text()));
}

int TstPendientes::addPending(const QString &workshop, const QString &kind, const QString &owner, int estado,
                              const QString &vin, int regs, int cils)
{
    QSqlQuery q(m_db);
    q.prepare(QStringLiteral("insert into temp_usr (estado, peccod, codtal, talcuit, udominio, ucodgest, udescgest, "
                             "uapeynom, umarca, umodelo, uano, vin) values (?, 'P001', ?, '30-11111111-1', "
                             "'ABC123', ?, ?, ?, 'FIAT', 'UNO', '2010', ?)"));
    q.addBindValue(estado);
    q.addBindValue(workshop);
    q.addBindValue(kind);
    q.addBindValue(kind == QLatin1String("R") ? QStringLiteral("RENOVACION") : QStringLiteral("CONVERSION"));
    q.addBindValue(owner);
    q.addBindValue(vin);
    if (!q.exec())
        qFatal("%s", qPrintable(q.lastError().text()));
    const int id = q.lastInsertId().toInt();
    for (int i = 0; i < regs; ++i)
        exec(QStringLiteral("insert into temp_reg (id, rnroserie) values (?, ?)"), {id, QStringLiteral("R%1").arg(i)});
    for (int i = 0; i < cils; ++i)
        exec(QStringLiteral("insert into temp_cil (id, cnroserie) values (?, ?)"), {id, QStringLiteral("C%1").arg(i)});
    return id;
}

int TstPendientes::count(const QString &table, int id)
{
    QSqlQuery q(m_db);
    q.prepare(QStringLiteral("select count(*) from %1 where id = ?").arg(table));
    q.addBindValue(id);
    if (!q.exec() || !q.next())
        return -1;
    return q.value(0).toInt();
}

QString TstPendientes::ownerOf(int id)
{
    QSqlQuery q(m_db);
    q.prepare(QStringLiteral("select uapeynom from temp_usr where id = ?"));
    q.addBindValue(id);
    return q.exec() && q.next() ? q.value(0).toString() : QString();
}

QPushButton *TstPendientes::button(QWidget &form, const char *name)
{
    return form.findChild<QPushButton *>(QLatin1String(name));
}

QTableView *TstPendientes::grid(QWidget &form)
{
    return form.findChild<QTableView *>(QStringLiteral("DBGrid1"));
}

QLabel *TstPendientes::countLabel(QWidget &form)
{
    return form.findChild<QLabel *>(QStringLiteral("Label2"));
}

void TstPendientes::selectRow(QWidget &form, int row)
{
    grid(form)->selectRow(row);
}

void TstPendientes::initTestCase()
{
    m_db = TestDb::create(kDb);
    QVERIFY(m_db.isOpen());
    dm1().configure(Conn::Operations, {QStringLiteral("localhost"), kDb, TestDb::user(), TestDb::password(), {}});
    Msg::setHook([this](Msg::Kind kind, const QString &text) {
        m_shown.append({kind, text});
        return m_answer;
    });
    m_nav->add<Nav::EditPending>([this](const Nav::EditPending &request, QWidget *) {
        m_edited.append({request.pendingId, request.kind});
        if (m_whileEditing)
            m_whileEditing();
    });
}

void TstPendientes::init()
{
    Global = GlobalState{};
    Global.WorkshopCode = kWorkshop;
    m_shown.clear();
    m_edited.clear();
    m_answer = true;
    m_whileEditing = nullptr;
    for (const char *t : {"temp_usr", "temp_reg", "temp_cil"})
        exec(QStringLiteral("delete from %1").arg(QLatin1String(t)));
}

void TstPendientes::cleanup()
{
    exec(QStringLiteral("drop trigger if exists temp_cil_locked"));
}

void TstPendientes::cleanupTestCase()
{
    Msg::setHook(nullptr);
    dm1().closeAll();
    m_db.close();
    TestDb::drop(kDb);
}

void TstPendientes::listShowsOwnWorkshopInIdOrder()
{
    const int a = addPending(kWorkshop, QStringLiteral("R"), QStringLiteral("PEREZ JUAN"));
    addPending(QStringLiteral("TDM0002"), QStringLiteral("C"), QStringLiteral("OTRO TALLER"));
    const int b = addPending(kWorkshop, QStringLiteral("C"), QStringLiteral("GOMEZ ANA"), 1);

    TConsultaDePendientesForm form;
    form.show();
    QCOMPARE(form.windowTitle(), QString::fromUtf8("Consulta de Trámites Pendientes de Asignación de Obleas"));
    QCOMPARE(countLabel(form)->text(), QStringLiteral("0"));
    QCOMPARE(form.gridModel()->rowCount(), 0); // empty until "Ver"

    QTest::mouseClick(button(form, "BitBtn2"), Qt::LeftButton);
    Widgets::ResultGridModel *m = form.gridModel();
    QStringList titles;
    for (int c = 0; c < m->columnCount(); ++c)
        titles << m->headerData(c, Qt::Horizontal).toString();
    QCOMPARE(titles, (QStringList{"ID", QString::fromUtf8("Operación"), "Propietario", "Marca", "Modelo",
                                  QString::fromUtf8("Año"), "Dominio", "Subido"}));
    QCOMPARE(m->rowCount(), 2);
    QCOMPARE(m->cell(0, 0), QString::number(a));
    QCOMPARE(m->cell(1, 0), QString::number(b));
    QCOMPARE(m->cell(0, 1), QStringLiteral("RENOVACION"));
    QCOMPARE(m->cell(0, 2), QStringLiteral("PEREZ JUAN")); // blank padding trimmed
    QCOMPARE(m->cell(0, 6), QStringLiteral("ABC123"));
    QVERIFY(!m->cell(0, 7).isEmpty()); // upload time
    QCOMPARE(countLabel(form)->text(), QStringLiteral("2"));
    QVERIFY(button(form, "BitBtn3")->isEnabled());
    QVERIFY(button(form, "BitBtn4")->isEnabled());

    // Read only, whole rows, striped.
    QVERIFY(!(m->flags(m->index(0, 0)) & Qt::ItemIsEditable));
    QCOMPARE(grid(form)->selectionBehavior(), QAbstractItemView::SelectRows);
    QCOMPARE(m->data(m->index(0, 3), Qt::BackgroundRole).value<QColor>(), QColor(166, 202, 240));
    QCOMPARE(m->data(m->index(1, 3), Qt::BackgroundRole).value<QColor>(), QColor(192, 192, 192));
}

void TstPendientes::tamarackVariantAddsVin()
{
    addPending(kWorkshop, QStringLiteral("C"), QStringLiteral("PEREZ JUAN"), 0, QStringLiteral("9BD15822786123456"));
    TConsultaDePendientesTamarackForm form;
    form.show();
    QTest::mouseClick(button(form, "BitBtn2"), Qt::LeftButton);
    Widgets::ResultGridModel *m = form.gridModel();
    QCOMPARE(m->columnCount(), 9);
    QCOMPARE(m->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Propietario"));
    QCOMPARE(m->headerData(3, Qt::Horizontal).toString(), QStringLiteral("VIN"));
    QCOMPARE(m->cell(0, 3), QStringLiteral("9BD15822786123456"));
    QCOMPARE(m->cell(0, 4), QStringLiteral("FIAT"));
}

void TstPendientes::emptyListLeavesButtonsDisabled()
{
    addPending(QStringLiteral("TDM0002"), QStringLiteral("C"), QStringLiteral("OTRO TALLER"));
    TConsultaDePendientesForm form;
    form.show();
    QTest::mouseClick(button(form, "BitBtn2"), Qt::LeftButton);
    QCOMPARE(form.gridModel()->rowCount(), 0);
    QCOMPARE(countLabel(form)->text(), QStringLiteral("0"));
    QVERIFY(!button(form, "BitBtn3")->isEnabled());
    QVERIFY(!button(form, "BitBtn4")->isEnabled());
    QVERIFY(m_shown.isEmpty());
}

void TstPendientes::deleteRemovesTheThreeSetsOfRows()
{
    const int a = addPending(kWorkshop, QStringLiteral("R"), QStringLiteral("PEREZ JUAN"), 0, {}, 2, 3);
    const int b = addPending(kWorkshop, QStringLiteral("C"), QStringLiteral("GOMEZ ANA"));
    TConsultaDePendientesForm form;
    form.show();
    QTest::mouseClick(button(form, "BitBtn2"), Qt::LeftButton);
    selectRow(form, 0);
    QTest::mouseClick(button(form, "BitBtn3"), Qt::LeftButton);

    QCOMPARE(m_shown.size(), 1);
    QCOMPARE(m_shown.first().kind, Msg::Kind::WarningQuestion); // "OK" / "No"
    QCOMPARE(m_shown.first().text, QString::fromUtf8("Esta seguro de eliminar esta operación?"));
    QCOMPARE(count(QStringLiteral("temp_usr"), a), 0);
    QCOMPARE(count(QStringLiteral("temp_reg"), a), 0);
    QCOMPARE(count(QStringLiteral("temp_cil"), a), 0);
    // The other operation keeps every row.
    QCOMPARE(count(QStringLiteral("temp_usr"), b), 1);
    QCOMPARE(count(QStringLiteral("temp_reg"), b), 1);
    QCOMPARE(count(QStringLiteral("temp_cil"), b), 2);
    // The list was read again.
    QCOMPARE(form.gridModel()->rowCount(), 1);
    QCOMPARE(form.pendingIdAt(0), b);
    QCOMPARE(countLabel(form)->text(), QStringLiteral("1"));
}

void TstPendientes::answeringNoKeepsRowsAndRereads()
{
    const int a = addPending(kWorkshop, QStringLiteral("R"), QStringLiteral("PEREZ JUAN"));
    TConsultaDePendientesForm form;
    form.show();
    QTest::mouseClick(button(form, "BitBtn2"), Qt::LeftButton);
    addPending(kWorkshop, QStringLiteral("C"), QStringLiteral("SUBIDA DESPUES"));

    m_answer = false;
    selectRow(form, 0);
    QTest::mouseClick(button(form, "BitBtn3"), Qt::LeftButton);
    QCOMPARE(m_shown.size(), 1);
    QCOMPARE(count(QStringLiteral("temp_usr"), a), 1);
    QCOMPARE(count(QStringLiteral("temp_cil"), a), 2);
    QCOMPARE(form.gridModel()->rowCount(), 2); // re-read: the later upload shows
}

void TstPendientes::deletingTheLastRowEmptiesCountAndButtons()
{
    const int a = addPending(kWorkshop, QStringLiteral("R"), QStringLiteral("PEREZ JUAN"));
    TConsultaDePendientesForm form;
    form.show();
    QTest::mouseClick(button(form, "BitBtn2"), Qt::LeftButton);
    QCOMPARE(countLabel(form)->text(), QStringLiteral("1"));
    QTest::mouseClick(button(form, "BitBtn3"), Qt::LeftButton);
    QCOMPARE(count(QStringLiteral("temp_usr"), a), 0);
    QCOMPARE(form.gridModel()->rowCount(), 0);
    QCOMPARE(countLabel(form)->text(), QStringLiteral("0"));
    QVERIFY(!button(form, "BitBtn3")->isEnabled());
    QVERIFY(!button(form, "BitBtn4")->isEnabled());
}

void TstPendientes::failedDeleteLeavesEveryRow()
{
    const int a = addPending(kWorkshop, QStringLiteral("R"), QStringLiteral("PEREZ JUAN"), 0, {}, 1, 2);
    // The last of the three deletes fails on the server.
    exec(QStringLiteral("create trigger temp_cil_locked before delete on temp_cil for each row "
                        "signal sqlstate '45000' set message_text = 'cilindros bloqueados'"));
    TConsultaDePendientesForm form;
    form.show();
    QTest::mouseClick(button(form, "BitBtn2"), Qt::LeftButton);
    QTest::mouseClick(button(form, "BitBtn3"), Qt::LeftButton);

    QCOMPARE(m_shown.size(), 2);
    QCOMPARE(m_shown.last().kind, Msg::Kind::Error);
    QVERIFY2(m_shown.last().text.contains(QStringLiteral("cilindros bloqueados")), qPrintable(m_shown.last().text));
    QCOMPARE(count(QStringLiteral("temp_usr"), a), 1);
    QCOMPARE(count(QStringLiteral("temp_reg"), a), 1);
    QCOMPARE(count(QStringLiteral("temp_cil"), a), 2);
}

void TstPendientes::verifiedOperationIsNeitherDeletedNorEdited()
{
    addPending(kWorkshop, QStringLiteral("R"), QStringLiteral("PEREZ JUAN"));
    const int b = addPending(kWorkshop, QStringLiteral("C"), QStringLiteral("GOMEZ ANA"), 1);
    TConsultaDePendientesForm form;
    form.show();
    QTest::mouseClick(button(form, "BitBtn2"), Qt::LeftButton);
    selectRow(form, 1);

    QTest::mouseClick(button(form, "BitBtn3"), Qt::LeftButton);
    QCOMPARE(m_shown.size(), 1); // no question asked
    QCOMPARE(m_shown.first().kind, Msg::Kind::Info);
    QCOMPARE(m_shown.first().text, QString::fromUtf8("La operación ya fue verificada y no puede eliminarse."));
    QCOMPARE(count(QStringLiteral("temp_usr"), b), 1);
    QCOMPARE(count(QStringLiteral("temp_cil"), b), 2);

    selectRow(form, 1);
    QTest::mouseClick(button(form, "BitBtn4"), Qt::LeftButton);
    QCOMPARE(m_shown.size(), 2);
    QCOMPARE(m_shown.last().kind, Msg::Kind::Info);
    QCOMPARE(m_shown.last().text, QString::fromUtf8("La operación ya fue verificada y no puede modificarse."));
    QVERIFY(m_edited.isEmpty());
}

void TstPendientes::verificationAfterReadingStillRefuses()
{
    const int a = addPending(kWorkshop, QStringLiteral("R"), QStringLiteral("PEREZ JUAN"));
    TConsultaDePendientesForm form;
    form.show();
    QTest::mouseClick(button(form, "BitBtn2"), Qt::LeftButton);
    QCOMPARE(form.estadoAt(0), 0);
    exec(QStringLiteral("update temp_usr set estado = 2 where id = ?"), {a}); // the PEC verifies it now

    QTest::mouseClick(button(form, "BitBtn3"), Qt::LeftButton);
    QCOMPARE(m_shown.size(), 1);
    QCOMPARE(m_shown.first().text, QString::fromUtf8("La operación ya fue verificada y no puede eliminarse."));
    QCOMPARE(count(QStringLiteral("temp_usr"), a), 1);

    QTest::mouseClick(button(form, "BitBtn4"), Qt::LeftButton);
    QCOMPARE(m_shown.last().text, QString::fromUtf8("La operación ya fue verificada y no puede modificarse."));
    QVERIFY(m_edited.isEmpty());
}

void TstPendientes::editHandsIdAndKindThenRereads()
{
    addPending(kWorkshop, QStringLiteral("C"), QStringLiteral("PEREZ JUAN"));
    const int b = addPending(kWorkshop, QStringLiteral("R"), QStringLiteral("GOMEZ ANA"));
    TConsultaDePendientesForm form;
    form.show();
    QTest::mouseClick(button(form, "BitBtn2"), Qt::LeftButton);
    // Stands in for the operation form saving a correction.
    m_whileEditing = [&] {
        exec(QStringLiteral("update temp_usr set uapeynom = 'GOMEZ ANA MARIA' where id = ?"), {b});
    };
    selectRow(form, 1);
    QTest::mouseClick(button(form, "BitBtn4"), Qt::LeftButton);

    QCOMPARE(m_edited.size(), 1);
    QCOMPARE(m_edited.first().id, b);
    QCOMPARE(m_edited.first().kind, QStringLiteral("R"));
    QVERIFY(m_shown.isEmpty());
    QCOMPARE(form.gridModel()->cell(1, 2), QStringLiteral("GOMEZ ANA MARIA"));
    QCOMPARE(ownerOf(b).trimmed(), QStringLiteral("GOMEZ ANA MARIA"));

    // Enter on a row, or a double click on it, opens it as "Editar" does.
    m_whileEditing = {};
    auto *grid = form.findChild<QTableView *>(QStringLiteral("DBGrid1"));
    selectRow(form, 0);
    QTest::keyClick(grid, Qt::Key_Return);
    const QPoint second = grid->visualRect(grid->model()->index(1, 0)).center();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, second);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, second);
    QCOMPARE(m_edited.size(), 3);
    QCOMPARE(m_edited.at(1).kind, QStringLiteral("C"));
    QCOMPARE(m_edited.at(2).id, b);
}

void TstPendientes::registeredForItsNode()
{
    ScopedNavigator nav;
    Followup::registerWindows(nav.get());
    for (const char *key : {"Consulta de Trámites Pendientes de Asignación de Obleas", "Por Dominio",
                            "Por Nro de Regulador", "Por Nro de Cilindro", "Por Nro de Oblea"})
        QVERIFY2(nav->route(QString::fromUtf8(key)) == Navigator::Route::Opens, key);
    QVERIFY(nav->answers<Nav::ChooseOperationByCylinder>());
    QVERIFY(nav->answers<Nav::ChooseOperationByRegulator>());
}

TARVIL_GUARDED_TEST_MAIN(TstPendientes)
#include "tst_pendientes.moc"
