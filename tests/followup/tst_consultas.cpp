#include "app/navigator.h"
#include "controls.h"
#include "core/global.h"
#include "data/dm1.h"
#include "followup/tconsultaporcilindroform.h"
#include "followup/tconsultapordominioform.h"
#include "followup/tconsultaporreguladorform.h"
#include "followup/tconsultaxobleaform.h"
#include "guardedmain.h"
#include "testdb.h"
#include "widgets/messages.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlError>
#include <QSqlQuery>
#include <QTableView>
#include <QtTest>

namespace
{

const QString kDb = QStringLiteral("t_followup_consultas");
const QString kCuit1 = QStringLiteral("30-11111111-1");
const QString kCuit2 = QStringLiteral("30-22222222-2");

struct Shown {
    Msg::Kind kind;
    QString text;
};

QStringList titles(const Widgets::ResultGridModel *m)
{
    QStringList t;
    for (int c = 0; c < m->columnCount(); ++c)
        t << m->headerData(c, Qt::Horizontal).toString();
    return t;
}

QStringList column(const Widgets::ResultGridModel *m, int c)
{
    QStringList t;
    for (int r = 0; r < m->rowCount(); ++r)
        t << m->cell(r, c);
    return t;
}

// Grids show every date as dd/MM/yyyy, whatever the locale's short format.
QString gridDate(int y, int m, int d)
{
    return QDate(y, m, d).toString(QStringLiteral("dd/MM/yyyy"));
}

} // namespace

class TstConsultas : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanupTestCase();

    void cylinderListsEveryFittingOldestFirst();
    void cylinderAceptarReturnsTheChosenKeys();
    void cylinderFormShowsTheLastSharedResult();
    void cylinderNothingFoundDisablesAceptar();

    void regulatorOpensEmptyAndFindsBySerial();
    void regulatorNothingFound();

    void domainSearchesUpperCaseInRevisionOrder();
    void domainVerHandsOverOperationAndWorkshop();
    void domainCerrarClosesTheSharedResult();

    void stickerZeroFilledOnLeavingTheField();
    void stickerEnterWithoutLeavingStillFills();
    void stickerRefusesTextThatIsNotANumber();
    void stickerVerWithoutStickerCarriesPreviousOne();

    void longResultKeepsDisplayTexts();

private:
    void addOperation(const QString &codtal, const QString &cuit, int nro, const QString &dominio, const QString &kind,
                      const QString &sticker, const QString &previous, const QDate &date, const QString &owner);
    void exec(const QString &sql, const QVariantList &values = {});
    void search(OperationQueryForm &form, const QString &typed);
    static QPushButton *button(QWidget &form, const char *name)
    {
        return form.findChild<QPushButton *>(QLatin1String(name));
    }

    QSqlDatabase m_db;
    QList<Shown> m_shown;
    ScopedNavigator m_nav; // the operation form is played by the test
    QList<Nav::ViewOperation> m_consulted;
};

void TstConsultas::exec(const QString &sql, const QVariantList &values)
{
    QSqlQuery q(m_db);
    QVERIFY2(q.prepare(sql), qPrintable(q.lastError().text()));
    for (int i = 0; i < values.size(); ++i)
        q.bindValue(i, values.at(i));
    QVERIFY2(q.exec(), qPrintable(q.lastError().text()));
}

void TstConsultas::addOperation(const QString &codtal, const QString &cuit, int nro, const QString &dominio,
                                const QString &kind, const QString &sticker, const QString &previous, const QDate &date,
                                const QString &owner)
{
    exec(QStringLiteral("insert into usr (peccod, codtal, talcuit, tnrointopr, udominio, pmatreshab, rmatreshab, "
                        "ucodgest, udescgest, uobleaant, uobleanew, umarca, umodelo, uano, uapeynom, ufecrev, "
                        "ufechab) values ('P001', ?, ?, ?, ?, 'PM-77', ?, ?, ?, ?, ?, 'FIAT', 'UNO', '2010', ?, ?, ?)"),
         {codtal, cuit, nro, dominio, QStringLiteral("RM-%1").arg(nro), kind,
          kind == QLatin1String("C") ? QStringLiteral("CONVERSION") : QStringLiteral("RENOVACION"), previous, sticker,
          owner, date, date});
}

void TstConsultas::search(OperationQueryForm &form, const QString &typed)
{
    control<QLineEdit>(form, "Edit1")->clear();
    QTest::keyClicks(control<QLineEdit>(form, "Edit1"), typed);
    QTest::mouseClick(button(form, "BitBtnConsultar"), Qt::LeftButton);
    QTRY_VERIFY(!form.isSearching()); // read off the window's thread
}

void TstConsultas::initTestCase()
{
    m_db = TestDb::create(kDb);
    QVERIFY(m_db.isOpen());
    dm1().configure(Conn::Operations, {QStringLiteral("localhost"), kDb, TestDb::user(), TestDb::password(), {}});
    Msg::setHook([this](Msg::Kind kind, const QString &text) {
        m_shown.append({kind, text});
        return true;
    });
    m_nav->add<Nav::ViewOperation>([this](const Nav::ViewOperation &r, QWidget *) { m_consulted.append(r); });

    // A cylinder and a regulator carried from a conversion in one workshop
    // to a renewal in another; a third operation without a sticker yet.
    addOperation("TDM0002", kCuit2, 5, "ABC123", "R", "0000000034", "0000000012", QDate(2021, 2, 1), "PEREZ JUAN");
    addOperation("TDM0001", kCuit1, 1, "ABC123", "C", "0000000012", "0000000000", QDate(2020, 1, 10), "PEREZ JUAN");
    addOperation("TDM0001", kCuit1, 2, "XYZ789", "R", "0000000000", "0000000056", QDate(2022, 3, 4), "GOMEZ ANA");
    exec("insert into cil (peccod, talcuit, tnrointopr, cilcodh, cnroserie) values "
         "('P001', ?, 1, 'C01', 'SER-1'), ('P001', ?, 5, 'C01', 'SER-1'), ('P001', ?, 2, 'C02', 'SER-2')",
         {kCuit1, kCuit2, kCuit1});
    exec("insert into reg (peccod, talcuit, tnrointopr, rcodregh, rnroserie) values "
         "('P001', ?, 1, 'R01', 'REG-1'), ('P001', ?, 5, 'R01', 'REG-1'), ('P001', ?, 2, 'R02', 'REG-2')",
         {kCuit1, kCuit2, kCuit1});
}

void TstConsultas::init()
{
    Global = GlobalState{};
    m_shown.clear();
    m_consulted.clear();
}

void TstConsultas::cleanupTestCase()
{
    Msg::setHook(nullptr);
    dm1().closeAll();
    m_db.close();
    TestDb::drop(kDb);
}

void TstConsultas::cylinderListsEveryFittingOldestFirst()
{
    dm1().query("SDBusquedaPorCilindro").close();
    TConsultaPorCilindroForm form;
    form.show();
    QCOMPARE(form.windowTitle(), QString::fromUtf8("Consulta por Número de Cilindro"));
    QCOMPARE(form.findChild<QLabel *>("Label1")->text(), QString::fromUtf8("Número de Cilindro:"));
    QVERIFY(!button(form, "BitBtnAceptar")->isEnabled());
    QVERIFY(button(form, "BitBtnConsultar")->isDefault());
    QCOMPARE(titles(form.gridModel()),
             QStringList({QString::fromUtf8("Código"), "Nro. Serie", "Marca", "Modelo", QString::fromUtf8("Año"),
                          "Dominio", "Propietario", QString::fromUtf8("Operación"), "Fecha", "Taller"}));

    search(form, "ser-1");
    QCOMPARE(control<QLineEdit>(form, "Edit1")->text(), QStringLiteral("SER-1"));
    const Widgets::ResultGridModel *m = form.gridModel();
    QCOMPARE(m->rowCount(), 2);
    QCOMPARE(column(m, 8), QStringList({gridDate(2020, 1, 10), gridDate(2021, 2, 1)}));
    QCOMPARE(column(m, 9), QStringList({"TDM0001", "TDM0002"})); // every workshop of the PEC
    QCOMPARE(m->cell(0, 0), QStringLiteral("C01"));
    QCOMPARE(m->cell(0, 7), QStringLiteral("CONVERSION"));
    QVERIFY(button(form, "BitBtnAceptar")->isEnabled());
    QVERIFY(m_shown.isEmpty());
}

void TstConsultas::cylinderAceptarReturnsTheChosenKeys()
{
    TConsultaPorCilindroForm form;
    form.show();
    search(form, "SER-1");
    control<QTableView>(form, "DBGrid1")->selectRow(1);
    QTest::mouseClick(button(form, "BitBtnAceptar"), Qt::LeftButton);
    QCOMPARE(form.result(), int(QDialog::Accepted));
    QCOMPARE(form.chosenKey(), (Nav::OperationKey{"P001", kCuit2, 5}));
    // The shared result set is left on the chosen row for callers that read it.
    NamedQuery &shared = dm1().query("SDBusquedaPorCilindro");
    QCOMPARE(shared.text("talcuit"), kCuit2);
    QCOMPARE(shared.text("tnrointopr"), QStringLiteral("5"));
}

void TstConsultas::cylinderFormShowsTheLastSharedResult()
{
    {
        TConsultaPorCilindroForm first;
        first.show();
        search(first, "SER-2");
    }
    TConsultaPorCilindroForm again;
    again.show();
    QCOMPARE(again.gridModel()->rowCount(), 1);
    QCOMPARE(again.gridModel()->cell(0, 1), QStringLiteral("SER-2"));
    QVERIFY(again.actionButton()->isEnabled());
}

void TstConsultas::cylinderNothingFoundDisablesAceptar()
{
    TConsultaPorCilindroForm form;
    form.show();
    search(form, "SER-1");
    QVERIFY(form.actionButton()->isEnabled());
    search(form, "NO-EXISTE");
    QCOMPARE(m_shown.size(), 1);
    QCOMPARE(m_shown.first().kind, Msg::Kind::Info);
    QCOMPARE(m_shown.first().text, QString::fromUtf8("No se encontraron operaciones para el cilindro indicado."));
    QCOMPARE(form.gridModel()->rowCount(), 0);
    QVERIFY(!form.actionButton()->isEnabled());
    // Nothing to choose: "Aceptar" cannot close with a stale key.
    QTest::mouseClick(form.actionButton(), Qt::LeftButton);
    QCOMPARE(form.chosenKey(), Nav::OperationKey{});
}

void TstConsultas::regulatorOpensEmptyAndFindsBySerial()
{
    NamedQuery &shared = dm1().query("SDBusquedaPorRegulador");
    shared.close();
    shared.setParam("re", "REG-1");
    shared.open(); // left over from an earlier use
    TConsultaPorReguladorForm form;
    form.show();
    QCOMPARE(form.windowTitle(), QStringLiteral("Consulta de Operaciones por Nro de Regulador"));
    QCOMPARE(form.findChild<QLabel *>("Label1")->text(), QString::fromUtf8("Número de Regulador:"));
    QCOMPARE(form.gridModel()->rowCount(), 0);
    QVERIFY(!form.actionButton()->isEnabled());
    QCOMPARE(titles(form.gridModel()), QStringList({QString::fromUtf8("Código"), "Nro. Serie", "Oblea", "Marca",
                                                    "Modelo", QString::fromUtf8("Año"), "Patente", "Propietario",
                                                    "Fecha", QString::fromUtf8("Operación"), "Taller"}));

    search(form, "reg-2");
    QCOMPARE(form.gridModel()->rowCount(), 1);
    QCOMPARE(form.gridModel()->cell(0, 2), QStringLiteral("0000000000"));
    QCOMPARE(form.gridModel()->cell(0, 6), QStringLiteral("XYZ789"));
    QTest::mouseClick(form.actionButton(), Qt::LeftButton);
    QCOMPARE(form.result(), int(QDialog::Accepted));
    QCOMPARE(form.chosenKey(), (Nav::OperationKey{"P001", kCuit1, 2}));
}

void TstConsultas::regulatorNothingFound()
{
    TConsultaPorReguladorForm form;
    form.show();
    search(form, "REG-9");
    QCOMPARE(m_shown.size(), 1);
    QCOMPARE(m_shown.first().text, QString::fromUtf8("No se encontraron operaciones para el regulador indicado."));
    QVERIFY(!form.actionButton()->isEnabled());
}

void TstConsultas::domainSearchesUpperCaseInRevisionOrder()
{
    TConsultaPorDominioForm form;
    form.show();
    QCOMPARE(form.windowTitle(), QStringLiteral("Consulta de Operaciones por Dominio"));
    QVERIFY(!button(form, "BitBtnVer")->isEnabled());
    QCOMPARE(titles(form.gridModel()), QStringList({"Oblea", "Fecha", QString::fromUtf8("Operación"), "Marca", "Modelo",
                                                    QString::fromUtf8("Año"), "Propietario"}));
    search(form, "abc123");
    QCOMPARE(control<QLineEdit>(form, "Edit1")->text(), QStringLiteral("ABC123"));
    QCOMPARE(column(form.gridModel(), 0), QStringList({"0000000012", "0000000034"}));
    QVERIFY(button(form, "BitBtnVer")->isEnabled());

    search(form, "ZZZ999");
    QCOMPARE(m_shown.size(), 1);
    QCOMPARE(m_shown.first().text, QString::fromUtf8("No se encontraron operaciones para el dominio indicado."));
    QVERIFY(!button(form, "BitBtnVer")->isEnabled());
}

void TstConsultas::domainVerHandsOverOperationAndWorkshop()
{
    TConsultaPorDominioForm form;
    form.show();
    search(form, "ABC123");
    control<QTableView>(form, "DBGrid1")->selectRow(1);
    QTest::mouseClick(button(form, "BitBtnVer"), Qt::LeftButton);
    QCOMPARE(m_consulted.size(), 1);
    const Nav::ViewOperation &r = m_consulted.first();
    QCOMPARE(r.kind, QStringLiteral("R"));
    QCOMPARE(r.sticker, QStringLiteral("0000000034"));
    QCOMPARE(r.previousSticker, QStringLiteral("0000000012"));
    QVERIFY(r.carriesWorkshop);
    QCOMPARE(r.workshopCode, QStringLiteral("TDM0002"));
    QCOMPARE(r.workshopCuit, kCuit2);
    QCOMPARE(r.workshopRepMatricula, QStringLiteral("RM-5"));
    QCOMPARE(r.pecRepMatricula, QStringLiteral("PM-77"));
}

void TstConsultas::domainCerrarClosesTheSharedResult()
{
    TConsultaPorDominioForm form;
    form.show();
    search(form, "ABC123");
    QVERIFY(dm1().query("SDBusquedaPorDominio").isActive());
    QTest::mouseClick(button(form, "BitBtnCerrar"), Qt::LeftButton);
    QCOMPARE(form.result(), int(QDialog::Rejected));
    QVERIFY(!dm1().query("SDBusquedaPorDominio").isActive());
}

void TstConsultas::stickerZeroFilledOnLeavingTheField()
{
    TConsultaXObleaForm form;
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QCOMPARE(form.windowTitle(), QStringLiteral("Consulta de Operaciones por Nro de Oblea"));
    QCOMPARE(titles(form.gridModel()), QStringList({"Oblea", "Fecha", QString::fromUtf8("Operación"), "Marca", "Modelo",
                                                    "Dominio", QString::fromUtf8("Año"), "Propietario"}));
    control<QLineEdit>(form, "Edit1")->setFocus();
    QTest::keyClicks(control<QLineEdit>(form, "Edit1"), "12");
    control<QTableView>(form, "DBGrid1")->setFocus();
    QTRY_COMPARE(control<QLineEdit>(form, "Edit1")->text(), QStringLiteral("0000000012")); // once the focus has moved

    QTest::mouseClick(button(form, "BitBtnConsultar"), Qt::LeftButton);

    QTRY_VERIFY(!form.isSearching());
    QCOMPARE(form.gridModel()->rowCount(), 1);
    QCOMPARE(form.gridModel()->cell(0, 5), QStringLiteral("ABC123"));
    QCOMPARE(form.gridModel()->cell(0, 1), gridDate(2020, 1, 10));

    // An empty field stays empty when left.
    control<QLineEdit>(form, "Edit1")->setFocus();
    control<QLineEdit>(form, "Edit1")->clear();
    control<QTableView>(form, "DBGrid1")->setFocus();
    QCoreApplication::processEvents(); // the leave rule runs
    QCOMPARE(control<QLineEdit>(form, "Edit1")->text(), QString());
    QVERIFY(m_shown.isEmpty());
}

void TstConsultas::stickerEnterWithoutLeavingStillFills()
{
    TConsultaXObleaForm form;
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    control<QLineEdit>(form, "Edit1")->setFocus();
    QTest::keyClicks(control<QLineEdit>(form, "Edit1"), "34");
    QTest::keyClick(control<QLineEdit>(form, "Edit1"), Qt::Key_Return); // the default button, focus still in the field
    QCOMPARE(control<QLineEdit>(form, "Edit1")->text(), QStringLiteral("0000000034"));
    QTRY_COMPARE(form.gridModel()->rowCount(), 1);
    QCOMPARE(form.gridModel()->cell(0, 0), QStringLiteral("0000000034"));
}

void TstConsultas::stickerRefusesTextThatIsNotANumber()
{
    TConsultaXObleaForm form;
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    control<QLineEdit>(form, "Edit1")->setFocus();
    QTest::keyClicks(control<QLineEdit>(form, "Edit1"), "12a");
    control<QTableView>(form, "DBGrid1")->setFocus();
    QTRY_COMPARE(m_shown.size(), 1);
    QCOMPARE(m_shown.first().kind, Msg::Kind::Error);
    QCOMPARE(control<QLineEdit>(form, "Edit1")->text(), QStringLiteral("12A")); // kept as typed (upper case)

    QTest::mouseClick(button(form, "BitBtnConsultar"), Qt::LeftButton);

    QTRY_VERIFY(!form.isSearching());
    QCOMPARE(m_shown.last().text, QString::fromUtf8("No se encontraron operaciones para la oblea indicada."));
    QVERIFY(!button(form, "BitBtnVer")->isEnabled());
}

void TstConsultas::stickerVerWithoutStickerCarriesPreviousOne()
{
    TConsultaXObleaForm form;
    form.show();
    search(form, "0");
    QCOMPARE(control<QLineEdit>(form, "Edit1")->text(), QStringLiteral("0000000000"));
    QCOMPARE(form.gridModel()->rowCount(), 1);
    QTest::mouseClick(button(form, "BitBtnVer"), Qt::LeftButton);
    QCOMPARE(m_consulted.size(), 1);
    const Nav::ViewOperation &r = m_consulted.first();
    QCOMPARE(r.sticker, QStringLiteral("0000000000"));
    QCOMPARE(r.previousSticker, QStringLiteral("0000000056"));
    QCOMPARE(r.kind, QStringLiteral("R"));
    QVERIFY(!r.carriesWorkshop); // only the domain query hands the workshop over
}

void TstConsultas::longResultKeepsDisplayTexts()
{
    // A long result: every row shows, in order, striped by record number.
    QVariantList values;
    QStringList rows;
    for (int i = 0; i < 500; ++i) {
        rows << QStringLiteral("('P001', 'TDM0003', '30-3', ?, 'MANY01', ?, 'CONVERSION', ?, ?)");
        values << 1000 + i << QStringLiteral("C") << QStringLiteral("%1").arg(i, 10, 10, QLatin1Char('0'))
               << QDate(2000, 1, 1).addDays(i);
    }
    exec("insert into usr (peccod, codtal, talcuit, tnrointopr, udominio, ucodgest, udescgest, uobleanew, ufecrev) "
         "values " +
             rows.join(','),
         values);
    TConsultaPorDominioForm form;
    form.show();
    search(form, "MANY01");
    const Widgets::ResultGridModel *m = form.gridModel();
    QCOMPARE(m->rowCount(), 500);
    QCOMPARE(m->cell(499, 0), QStringLiteral("0000000499"));
    QCOMPARE(m->data(m->index(498, 0), Qt::BackgroundRole).value<QColor>(), QColor(166, 202, 240));
    QCOMPARE(m->data(m->index(499, 0), Qt::BackgroundRole).value<QColor>(), QColor(192, 192, 192));
    QVERIFY(!(m->flags(m->index(3, 3)) & Qt::ItemIsEditable));
    exec("delete from usr where udominio = 'MANY01'");
}

TARVIL_GUARDED_TEST_MAIN(TstConsultas)
#include "tst_consultas.moc"
