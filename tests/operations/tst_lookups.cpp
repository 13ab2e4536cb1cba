#include "controls.h"
#include "core/lookuprules.h"
#include "data/dm1.h"
#include "operations/lookups/tbuscarcilindroform.h"
#include "operations/lookups/tbuscarcrpcform.h"
#include "operations/lookups/tbuscarpatenteform.h"
#include "operations/lookups/tbuscarpatentefullform.h"
#include "operations/lookups/tbuscarreguladorform.h"
#include "operations/lookups/tbuscarvalvulacilindroform.h"
#include "operations/lookups/tbusquedaporapellidoform.h"
#include "scriptedprompter.h"
#include "testdb.h"
#include "widgets/messages.h"
#include "widgets/modalrun.h"
#include "widgets/progressline.h"

#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QTableView>
#include <QtTest>
#include <memory>

namespace
{

const QString kDb = QStringLiteral("t_lookups");

QStringList column(const QAbstractItemModel *model, int col)
{
    QStringList out;
    for (int r = 0; r < model->rowCount(); ++r)
        out << model->index(r, col).data().toString();
    return out;
}

QStringList headers(const QAbstractItemModel *model)
{
    QStringList out;
    for (int c = 0; c < model->columnCount(); ++c)
        out << model->headerData(c, Qt::Horizontal).toString();
    return out;
}

QColor background(const QAbstractItemModel *model, int row)
{
    return model->index(row, 0).data(Qt::BackgroundRole).value<QBrush>().color();
}

} // namespace

class TstLookups : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();
    void cleanupTestCase();

    void containsPatternEscapesWildcards_data();
    void containsPatternEscapesWildcards();

    void regulatorSearchListsCodesContainingText();
    void typedWildcardsAreSearchedLiterally();
    void searchBoxIsUpperCaseAndButtonsSwapDefault();
    void catalogueCaptionsPromptsAndColumns();
    void gridIsReadOnlyWholeRowAndStriped();
    void preSearchedOpeningSurvivesActivation();
    void plainOpeningOfRegulatorStartsEmpty();
    void catalogueSearchThatFindsNothingSaysSoAndChoosesNothing();
    void crpcSearchMatchesCentreNames();
    void failingSearchShowsDriverText();

    void ownerSearchNeedsTextAndFindsOperations();
    void ownerSearchWithoutResultKeepsAceptarDisabled();
    void ownerAceptarLeavesStatementOnChosenRow();
    void ownerSearchTakesWildcardsLiterally();
    void ownerSearchRunsOffTheWindowAndCancels();
    void ownerSearchComesAScreenfulAtATime();

    void domainDialogListsOperationsBySticker();
    void domainWithoutOperationsLeavesOnlyCancelar();
    void allPecsDomainDialogReadsConsolidatedTable();

private:
    void sql(const QString &text, const QVariantList &values = {});
    void addOperation(const QString &table, const QString &pec, const QString &workshop, int number,
                      const QString &domain, const QString &owner, const QString &sticker);

    QSqlDatabase m_db;
    QList<QPair<Msg::Kind, QString>> m_messages;
};

void TstLookups::sql(const QString &text, const QVariantList &values)
{
    QSqlQuery q(m_db);
    QVERIFY2(q.prepare(text), qPrintable(text));
    for (const QVariant &v : values)
        q.addBindValue(v);
    QVERIFY2(q.exec(), qPrintable(text));
}

void TstLookups::addOperation(const QString &table, const QString &pec, const QString &workshop, int number,
                              const QString &domain, const QString &owner, const QString &sticker)
{
    sql(QStringLiteral("insert into %1 (peccod, codtal, talcuit, tnrointopr, udominio, uapeynom, uobleanew, "
                       "udescgest, umarca, umodelo, uano, ufecrev, ufechab) "
                       "values (?, ?, ?, ?, ?, ?, ?, 'REVISION', 'FIAT', 'UNO', '2010', '2024-03-01', '2024-03-02')")
            .arg(table),
        {pec, workshop, QStringLiteral("20-") + workshop, number, domain, owner, sticker});
}

void TstLookups::initTestCase()
{
    m_db = TestDb::create(kDb);
    dm1().configure(Conn::Operations, {TestDb::host(), kDb, TestDb::user(), TestDb::password(), QString()});
    sql(QStringLiteral("insert into codreg (CODIGO, MARCA, MODELO) values "
                       "('AB01', 'ACME', 'R1'), ('XAB2', 'BETA', 'R2'), ('ZZ10', 'GAMA', 'R3'), "
                       "('9%1', 'PCT', 'P'), ('9X1', 'EQX', 'X'), ('7_1', 'UND', 'U'), ('7A1', 'LET', 'L')"));
    sql(QStringLiteral("insert into codcil (CODIGO, MARCA, MODELO, VENC) values "
                       "('C100', 'FABER', 'F60', 5), ('C200', 'INFLEX', 'I40', 3)"));
    sql(QStringLiteral(
        "insert into valcod (CODVAL, MARCA, MODELO, TIPO) values ('V101', 'TOMASETTO', 'T1', 'MANUAL')"));
    sql(QStringLiteral("insert into codcrp (CODIGO, NOMBRE, DIRECCION, LOCALIDAD, PROVINCIA, TELEFONO) values "
                       "('ABCD', 'CENTRO NORTE', 'Calle 1', 'ROSARIO', 'SANTA FE', '341'), "
                       "('WXYZ', 'TALLER ABCD SUR', 'Calle 2', 'CORDOBA', 'CORDOBA', '351')"));
    addOperation(QStringLiteral("usr"), QStringLiteral("PEC1"), QStringLiteral("TDM0001"), 11, QStringLiteral("AAA111"),
                 QStringLiteral("PEREZ JUAN"), QStringLiteral("0000000200"));
    addOperation(QStringLiteral("usr"), QStringLiteral("PEC1"), QStringLiteral("TDM0002"), 12, QStringLiteral("AAA111"),
                 QStringLiteral("PEREZ JUAN"), QStringLiteral("0000000100"));
    addOperation(QStringLiteral("usr"), QStringLiteral("PEC1"), QStringLiteral("TDM0001"), 13, QStringLiteral("BBB222"),
                 QStringLiteral("GOMEZ ANA"), QStringLiteral("0000000300"));
    addOperation(QStringLiteral("usr"), QStringLiteral("PEC1"), QStringLiteral("TDM0001"), 14, QStringLiteral("CCC333"),
                 QStringLiteral("LOPEZ 50% SA"), QStringLiteral("0000000400"));
    addOperation(QStringLiteral("usr"), QStringLiteral("PEC1"), QStringLiteral("TDM0001"), 15, QStringLiteral("DDD444"),
                 QStringLiteral("LOPEZ 500 SA"), QStringLiteral("0000000500"));
    addOperation(QStringLiteral("usr_full"), QStringLiteral("PEC2"), QStringLiteral("TDM0009"), 21,
                 QStringLiteral("AAA111"), QStringLiteral("PEREZ JUAN"), QStringLiteral("0000000900"));
}

void TstLookups::init()
{
    m_messages.clear();
    Msg::setHook([this](Msg::Kind kind, const QString &text) {
        m_messages << qMakePair(kind, text);
        return false;
    });
}

void TstLookups::cleanup()
{
    Msg::setHook({});
    Widgets::setExecHook({});
}

void TstLookups::cleanupTestCase()
{
    dm1().closeAll();
    TestDb::drop(kDb);
}

void TstLookups::containsPatternEscapesWildcards_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("escape");
    QTest::addColumn<QString>("pattern");
    QTest::newRow("plain") << "AB"
                           << "\\"
                           << "%AB%";
    QTest::newRow("empty") << ""
                           << "\\"
                           << "%%";
    QTest::newRow("percent") << "5%"
                             << "\\"
                             << "%5\\%%";
    QTest::newRow("underscore") << "A_B"
                                << "\\"
                                << "%A\\_B%";
    QTest::newRow("escape itself") << "A\\B"
                                   << "\\"
                                   << "%A\\\\B%";
    QTest::newRow("other escape") << "!%_"
                                  << "!"
                                  << "%!!!%!_%";
}

void TstLookups::containsPatternEscapesWildcards()
{
    QFETCH(QString, text);
    QFETCH(QString, escape);
    QFETCH(QString, pattern);
    QCOMPARE(Lookups::ContainsPattern(text, escape.at(0)), pattern);
}

void TstLookups::regulatorSearchListsCodesContainingText()
{
    TBuscarReguladorForm dlg(nullptr, guiPrompter());
    dlg.show();
    QVERIFY(control<QPushButton>(dlg, "BitBtnBuscar")->isDefault());
    QCOMPARE(dlg.gridModel()->rowCount(), 0);

    control<QLineEdit>(dlg, "Edit1")->setText(QStringLiteral("AB"));
    control<QPushButton>(dlg, "BitBtnBuscar")->click();
    QCOMPARE(column(dlg.gridModel(), 0), (QStringList{QStringLiteral("AB01"), QStringLiteral("XAB2")}));
    QCOMPARE(column(dlg.gridModel(), 1), (QStringList{QStringLiteral("ACME"), QStringLiteral("BETA")}));
    QVERIFY(control<QPushButton>(dlg, "BitBtnAceptar")->isDefault());
    QVERIFY(!control<QPushButton>(dlg, "BitBtnBuscar")->isDefault());

    // The caller reads the chosen row by field name, in any case.
    dlg.selectRow(1);
    QCOMPARE(dlg.selectedText(QStringLiteral("codigo")), QStringLiteral("XAB2"));
    QCOMPARE(dlg.selectedText(QStringLiteral("Marca")), QStringLiteral("BETA"));

    // A second search replaces the rows.
    control<QLineEdit>(dlg, "Edit1")->setText(QStringLiteral("ZZ"));
    control<QPushButton>(dlg, "BitBtnBuscar")->click();
    QCOMPARE(column(dlg.gridModel(), 0), QStringList{QStringLiteral("ZZ10")});
}

void TstLookups::typedWildcardsAreSearchedLiterally()
{
    TBuscarReguladorForm dlg(nullptr, guiPrompter());
    dlg.show();
    control<QLineEdit>(dlg, "Edit1")->setText(QStringLiteral("%"));
    dlg.BuscarClick();
    QCOMPARE(column(dlg.gridModel(), 0), QStringList{QStringLiteral("9%1")});

    control<QLineEdit>(dlg, "Edit1")->setText(QStringLiteral("_"));
    dlg.BuscarClick();
    QCOMPARE(column(dlg.gridModel(), 0), QStringList{QStringLiteral("7_1")});

    // The escape character of the statement is an ordinary character too.
    control<QLineEdit>(dlg, "Edit1")->setText(QStringLiteral("!"));
    dlg.BuscarClick();
    QCOMPARE(dlg.gridModel()->rowCount(), 0);
    QVERIFY(m_messages.isEmpty());
}

void TstLookups::searchBoxIsUpperCaseAndButtonsSwapDefault()
{
    TBuscarCilindroForm dlg(nullptr, guiPrompter());
    dlg.show();
    QVERIFY(QTest::qWaitForWindowActive(&dlg));
    control<QLineEdit>(dlg, "Edit1")->setFocus();
    QTest::keyClicks(control<QLineEdit>(dlg, "Edit1"), QStringLiteral("c1"));
    QCOMPARE(control<QLineEdit>(dlg, "Edit1")->text(), QStringLiteral("C1"));
    QTest::mouseClick(control<QPushButton>(dlg, "BitBtnBuscar"), Qt::LeftButton);
    QCOMPARE(column(dlg.gridModel(), 0), QStringList{QStringLiteral("C100")});
    QVERIFY(control<QTableView>(dlg, "DBGrid1")->hasFocus());
    QVERIFY(control<QPushButton>(dlg, "BitBtnAceptar")->isDefault());

    // Back in the search box "Buscar" answers Enter again.
    control<QLineEdit>(dlg, "Edit1")->setFocus();
    QVERIFY(control<QPushButton>(dlg, "BitBtnBuscar")->isDefault());
    QVERIFY(!control<QPushButton>(dlg, "BitBtnAceptar")->isDefault());

    // The valve dialog keeps "Aceptar" as default.
    TBuscarValvulaCilindroForm valve(nullptr, guiPrompter());
    valve.show();
    QVERIFY(QTest::qWaitForWindowActive(&valve));
    control<QLineEdit>(valve, "Edit1")->setText(QStringLiteral("V"));
    valve.BuscarClick();
    control<QLineEdit>(valve, "Edit1")->setFocus();
    QVERIFY(control<QPushButton>(valve, "BitBtnAceptar")->isDefault());
}

void TstLookups::catalogueCaptionsPromptsAndColumns()
{
    TBuscarReguladorForm reg(nullptr, guiPrompter());
    QCOMPARE(reg.windowTitle(), QStringLiteral("Busqueda de Reguladores"));
    QCOMPARE(control<QLabel>(reg, "Label1")->text(), QStringLiteral("Ingresar el regulador a buscar"));
    QCOMPARE(headers(reg.gridModel()), (QStringList{"Código", "Marca", "Modelo"}));

    TBuscarValvulaCilindroForm valve(nullptr, guiPrompter());
    QCOMPARE(valve.windowTitle(), QStringLiteral("Busqueda de Válvulas de Cilindro"));
    QCOMPARE(control<QLabel>(valve, "Label1")->text(), QStringLiteral("Ingresar la válvula de cilindro a buscar:"));
    QCOMPARE(headers(valve.gridModel()), (QStringList{"Código", "Marca", "Modelo", "Tipo"}));
    control<QLineEdit>(valve, "Edit1")->setText(QStringLiteral("101"));
    valve.BuscarClick();
    QCOMPARE(valve.gridModel()->index(0, 3).data().toString(), QStringLiteral("MANUAL"));
    QCOMPARE(valve.selectedText(QStringLiteral("codval")), QStringLiteral("V101"));

    TBuscarCRPCForm crpc(nullptr, guiPrompter());
    QCOMPARE(crpc.windowTitle(), QStringLiteral("Busqueda de CRPC"));
    QCOMPARE(control<QLabel>(crpc, "Label1")->text(), QStringLiteral("Ingresar el CRPC a buscar:"));
    QCOMPARE(headers(crpc.gridModel()),
             (QStringList{"Código", "CRPC", "Dirección", "Localidad", "Provincia", "Teléfono"}));

    TBuscarCilindroForm cyl(nullptr, guiPrompter());
    QCOMPARE(cyl.windowTitle(), QStringLiteral("Busqueda de Cilindros"));
    QCOMPARE(control<QLabel>(cyl, "Label1")->text(), QStringLiteral("Ingresar el cilindro a buscar"));
    QCOMPARE(headers(cyl.gridModel()), (QStringList{"Código", "Marca", "Modelo"}));
}

void TstLookups::gridIsReadOnlyWholeRowAndStriped()
{
    TBuscarReguladorForm dlg(nullptr, guiPrompter());
    dlg.show();
    control<QLineEdit>(dlg, "Edit1")->setText(QStringLiteral("A"));
    dlg.BuscarClick();
    QVERIFY(dlg.gridModel()->rowCount() >= 3);
    QCOMPARE(control<QTableView>(dlg, "DBGrid1")->editTriggers(), QAbstractItemView::NoEditTriggers);
    QCOMPARE(control<QTableView>(dlg, "DBGrid1")->selectionBehavior(), QAbstractItemView::SelectRows);
    QVERIFY(!(dlg.gridModel()->flags(dlg.gridModel()->index(0, 0)) & Qt::ItemIsEditable));
    QCOMPARE(background(dlg.gridModel(), 0), QColor(166, 202, 240));
    QCOMPARE(background(dlg.gridModel(), 1), QColor(192, 192, 192));
    QCOMPARE(background(dlg.gridModel(), 2), QColor(166, 202, 240));
    QCOMPARE(control<QTableView>(dlg, "DBGrid1")->palette().color(QPalette::Active, QPalette::Highlight),
             QColor(0, 0, 255));
    QCOMPARE(control<QTableView>(dlg, "DBGrid1")->palette().color(QPalette::Active, QPalette::HighlightedText),
             QColor(Qt::white));

    TBusquedaPorApellidoForm owners(nullptr, guiPrompter());
    owners.show();
    control<QLineEdit>(owners, "Edit1")->setText(QStringLiteral("PEREZ"));
    owners.ConsultarClick();
    QTRY_VERIFY(!owners.isSearching());
    QCOMPARE(background(owners.gridModel(), 0), QColor(192, 220, 192));
    QCOMPARE(background(owners.gridModel(), 1), QColor(192, 192, 192));
    QCOMPARE(control<QTableView>(owners, "DBGrid1")->palette().color(QPalette::Active, QPalette::Highlight),
             QColor(0, 128, 0));
}

void TstLookups::preSearchedOpeningSurvivesActivation()
{
    // The regulator dialog closes its result set when activated; a caller's
    // pre-search must still be there when the dialog appears.
    QStringList seen;
    bool aceptarDefault = false;
    Widgets::setExecHook([&](QDialog &d) {
        auto &dlg = static_cast<TBuscarReguladorForm &>(d);
        seen = column(dlg.gridModel(), 0);
        aceptarDefault = control<QPushButton>(dlg, "BitBtnAceptar")->isDefault();
        dlg.selectRow(1);
        return int(QDialog::Accepted);
    });
    TBuscarReguladorForm dlg(nullptr, guiPrompter());
    dlg.preSearch(QStringLiteral("AB"));
    QCOMPARE(control<QLineEdit>(dlg, "Edit1")->text(), QStringLiteral("AB"));
    QCOMPARE(Widgets::runModal(dlg), int(QDialog::Accepted));
    QCOMPARE(seen, (QStringList{QStringLiteral("AB01"), QStringLiteral("XAB2")}));
    QVERIFY(aceptarDefault);
    QCOMPARE(dlg.selectedText(QStringLiteral("codigo")), QStringLiteral("XAB2"));

    // Activated again later, it starts over.
    dlg.show();
    QCOMPARE(dlg.gridModel()->rowCount(), 0);
    QVERIFY(!dlg.keepsResult());
}

void TstLookups::plainOpeningOfRegulatorStartsEmpty()
{
    TBuscarReguladorForm dlg(nullptr, guiPrompter());
    dlg.show();
    QCOMPARE(control<QLineEdit>(dlg, "Edit1")->text(), QString());
    QCOMPARE(dlg.gridModel()->rowCount(), 0);
    QVERIFY(!dlg.hasSelection());
    QCOMPARE(dlg.selectedText(QStringLiteral("codigo")), QString());
}

void TstLookups::catalogueSearchThatFindsNothingSaysSoAndChoosesNothing()
{
    TBuscarReguladorForm dlg(nullptr, guiPrompter());
    dlg.preSearch(QStringLiteral("QQ"));
    dlg.show();
    QVERIFY(QTest::qWaitForWindowActive(&dlg));
    const auto *note =
        control<QTableView>(dlg, "DBGrid1")->viewport()->findChild<QLabel *>(QStringLiteral("LabelNadaEncontrado"));
    QVERIFY(note && note->isVisible());
    QVERIFY(note->text().contains(QLatin1String("\"QQ\"")));
    QVERIFY(!control<QPushButton>(dlg, "BitBtnAceptar")->isEnabled());
    QVERIFY(control<QLineEdit>(dlg, "Edit1")->hasFocus()); // a new search is typed straight away
    dlg.AceptarClick();
    QVERIFY(dlg.isVisible());
    QVERIFY(m_messages.isEmpty());

    control<QLineEdit>(dlg, "Edit1")->setText(QStringLiteral("AB"));
    dlg.BuscarClick();
    QVERIFY(!note->isVisible());
    QVERIFY(control<QPushButton>(dlg, "BitBtnAceptar")->isEnabled());
    dlg.AceptarClick();
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
}

void TstLookups::crpcSearchMatchesCentreNames()
{
    TBuscarCRPCForm dlg(nullptr, guiPrompter());
    dlg.preSearch(QStringLiteral("ABCD"));
    dlg.show();
    // The code ABCD belongs to "CENTRO NORTE"; only a name holding ABCD is found.
    QCOMPARE(column(dlg.gridModel(), 0), QStringList{QStringLiteral("WXYZ")});
    QCOMPARE(column(dlg.gridModel(), 1), QStringList{QStringLiteral("TALLER ABCD SUR")});
    QCOMPARE(column(dlg.gridModel(), 5), QStringList{QStringLiteral("351")});
}

void TstLookups::failingSearchShowsDriverText()
{
    TBuscarReguladorForm dlg(nullptr, guiPrompter());
    dlg.show();
    dm1().configure(Conn::Operations, {TestDb::host(), QStringLiteral("t_lookups_missing"), TestDb::user(),
                                       TestDb::password(), QString()});
    control<QLineEdit>(dlg, "Edit1")->setText(QStringLiteral("AB"));
    dlg.BuscarClick();
    dm1().configure(Conn::Operations, {TestDb::host(), kDb, TestDb::user(), TestDb::password(), QString()});
    QCOMPARE(m_messages.size(), 1);
    QCOMPARE(m_messages.first().first, Msg::Kind::Error);
    QVERIFY(!m_messages.first().second.isEmpty());
    QCOMPARE(dlg.gridModel()->rowCount(), 0);
    QVERIFY(control<QPushButton>(dlg, "BitBtnBuscar")->isDefault());
}

void TstLookups::ownerSearchNeedsTextAndFindsOperations()
{
    ScriptedPrompter prompter;
    TBusquedaPorApellidoForm dlg(nullptr, prompter);
    dlg.setMode(1);
    dlg.show();
    QCOMPARE(dlg.windowTitle(), QStringLiteral("Consulta por Propietario"));
    QVERIFY(!control<QPushButton>(dlg, "BitBtnConsultar")->isEnabled());
    QVERIFY(!control<QPushButton>(dlg, "BitBtnVer")->isVisible());
    QVERIFY(!control<QPushButton>(dlg, "BitBtnAceptar")->isEnabled());

    QTest::keyClicks(control<QLineEdit>(dlg, "Edit1"), QStringLiteral("perez"));
    QCOMPARE(control<QLineEdit>(dlg, "Edit1")->text(), QStringLiteral("PEREZ"));
    QVERIFY(control<QPushButton>(dlg, "BitBtnConsultar")->isEnabled());
    control<QPushButton>(dlg, "BitBtnConsultar")->click();
    QTRY_VERIFY(!dlg.isSearching());
    QVERIFY(prompter.log.isEmpty());
    QVERIFY(!control<QLabel>(dlg, "LabelBuscando")->isVisible());
    QVERIFY(control<QPushButton>(dlg, "BitBtnAceptar")->isEnabled());
    QCOMPARE(headers(dlg.gridModel()), (QStringList{"Propietario", "Dominio", "Marca", "Modelo", "Año", "Oblea",
                                                    "Operación", "Fecha", "Taller"}));
    QCOMPARE(column(dlg.gridModel(), 0), (QStringList{"PEREZ JUAN", "PEREZ JUAN"}));
    QCOMPARE(column(dlg.gridModel(), 1), (QStringList{"AAA111", "AAA111"}));

    control<QLineEdit>(dlg, "Edit1")->clear();
    QVERIFY(!control<QPushButton>(dlg, "BitBtnConsultar")->isEnabled());
}

void TstLookups::ownerSearchWithoutResultKeepsAceptarDisabled()
{
    ScriptedPrompter prompter;
    TBusquedaPorApellidoForm dlg(nullptr, prompter);
    dlg.show();
    control<QLineEdit>(dlg, "Edit1")->setText(QStringLiteral("GOMEZ"));
    dlg.ConsultarClick();
    QTRY_VERIFY(!dlg.isSearching());
    QVERIFY(control<QPushButton>(dlg, "BitBtnAceptar")->isEnabled());

    control<QLineEdit>(dlg, "Edit1")->setText(QStringLiteral("NADIE"));
    dlg.ConsultarClick();
    QTRY_VERIFY(!dlg.isSearching());
    QCOMPARE(prompter.log,
             QStringList{QStringLiteral("info: No se encontraron operaciones para el propietario especificado.")});
    QVERIFY(!control<QPushButton>(dlg, "BitBtnAceptar")->isEnabled());
    QCOMPARE(dlg.gridModel()->rowCount(), 0);
    dlg.AceptarClick();
    QVERIFY(dlg.isVisible());
}

void TstLookups::ownerAceptarLeavesStatementOnChosenRow()
{
    ScriptedPrompter prompter;
    TBusquedaPorApellidoForm dlg(nullptr, prompter);
    dlg.show();
    control<QLineEdit>(dlg, "Edit1")->setText(QStringLiteral("LOPEZ"));
    dlg.ConsultarClick();
    QTRY_VERIFY(!dlg.isSearching());
    QCOMPARE(dlg.gridModel()->rowCount(), 2);
    dlg.selectRow(1);
    control<QPushButton>(dlg, "BitBtnAceptar")->click();
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    const QString owner = dlg.selectedText(QStringLiteral("uapeynom"));
    NamedQuery &q = dm1().query(QStringLiteral("SDBusquedaPorApellido"));
    QCOMPARE(q.text(QStringLiteral("uapeynom")), owner);
    QCOMPARE(q.text(QStringLiteral("peccod")), QStringLiteral("PEC1"));
    QCOMPARE(q.integer(QStringLiteral("tnrointopr")), owner == QLatin1String("LOPEZ 500 SA") ? 15 : 14);
    QCOMPARE(dlg.selectedText(QStringLiteral("talcuit")), QStringLiteral("20-TDM0001"));

    // Shown again, the dialog starts without the old result.
    dlg.show();
    QVERIFY(!q.isActive());
    QVERIFY(!control<QPushButton>(dlg, "BitBtnAceptar")->isEnabled());
}

void TstLookups::ownerSearchTakesWildcardsLiterally()
{
    ScriptedPrompter prompter;
    TBusquedaPorApellidoForm dlg(nullptr, prompter);
    dlg.show();
    control<QLineEdit>(dlg, "Edit1")->setText(QStringLiteral("50%"));
    dlg.ConsultarClick();
    QTRY_VERIFY(!dlg.isSearching());
    QCOMPARE(column(dlg.gridModel(), 0), QStringList{QStringLiteral("LOPEZ 50% SA")});
    control<QLineEdit>(dlg, "Edit1")->setText(QStringLiteral("PEREZ_"));
    dlg.ConsultarClick();
    QTRY_VERIFY(!dlg.isSearching());
    QCOMPARE(dlg.gridModel()->rowCount(), 0);
    QCOMPARE(prompter.log.size(), 1);
}

// The contains-scan reads every operation: the window stays free meanwhile,
// shows what it is doing with "Cancelar", and fills the grid when the rows
// come. A second session holding the table keeps the scan waiting here.
void TstLookups::ownerSearchRunsOffTheWindowAndCancels()
{
    QSqlDatabase locker = QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), QStringLiteral("locker"));
    locker.setHostName(TestDb::host());
    locker.setDatabaseName(kDb);
    locker.setUserName(TestDb::user());
    locker.setPassword(TestDb::password());
    QVERIFY(locker.open());
    const auto lock = [&](bool on) {
        QSqlQuery q(locker);
        QVERIFY(q.exec(on ? QStringLiteral("lock tables usr write") : QStringLiteral("unlock tables")));
    };
    ScriptedPrompter prompter;
    auto dlg = std::make_unique<TBusquedaPorApellidoForm>(nullptr, prompter);
    dlg->show();
    lock(true);
    control<QLineEdit>(dlg, "Edit1")->setText(QStringLiteral("PEREZ"));
    dlg->ConsultarClick();
    QVERIFY(dlg->isSearching());
    QVERIFY(dlg->progressLine()->isVisible());
    QVERIFY(control<QLabel>(dlg, "LabelBuscando")->isVisible());
    QVERIFY(!control<QPushButton>(dlg, "BitBtnConsultar")->isEnabled());
    // The window answers while the server works.
    QTest::keyClicks(control<QLineEdit>(dlg, "Edit1"), QStringLiteral(" J"));
    QCOMPARE(control<QLineEdit>(dlg, "Edit1")->text(), QStringLiteral("PEREZ J"));

    dlg->progressLine()->cancelButton()->click();
    QVERIFY(!dlg->isSearching());
    QVERIFY(!dlg->progressLine()->isVisible());
    QVERIFY(!control<QLabel>(dlg, "LabelBuscando")->isVisible());
    QVERIFY(control<QPushButton>(dlg, "BitBtnConsultar")->isEnabled());
    QCOMPARE(dlg->gridModel()->rowCount(), 0);
    lock(false);

    dlg->ConsultarClick();
    QTRY_VERIFY(!dlg->isSearching());
    QCOMPARE(column(dlg->gridModel(), 0), (QStringList{"PEREZ JUAN", "PEREZ JUAN"}));
    QVERIFY(control<QPushButton>(dlg, "BitBtnAceptar")->isEnabled());
    QVERIFY(prompter.log.isEmpty());

    // Closing a window while it reads stops the read; nothing arrives later.
    lock(true);
    dlg->ConsultarClick();
    dlg.reset();
    lock(false);
    QTest::qWait(0);
    locker.close();
}

void TstLookups::domainDialogListsOperationsBySticker()
{
    ScriptedPrompter prompter;
    TBuscarPatenteForm dlg(nullptr, prompter);
    dlg.setDomain(QStringLiteral("AAA111"));
    QCOMPARE(dlg.windowTitle(), QStringLiteral("Buscando datos para el dominio AAA111"));
    dlg.show();
    QVERIFY(prompter.log.isEmpty());
    QCOMPARE(headers(dlg.gridModel()), (QStringList{"Dominio", "Marca", "Modelo", "Año", "Propietario", "Oblea",
                                                    "Operación", "Fecha", "Taller", "Nro Interno"}));
    QCOMPARE(column(dlg.gridModel(), 5), (QStringList{"0000000100", "0000000200"}));
    QCOMPARE(column(dlg.gridModel(), 9), (QStringList{"12", "11"}));
    QCOMPARE(background(dlg.gridModel(), 0), QColor(192, 220, 192));
    QVERIFY(control<QPushButton>(dlg, "BitBtnAceptar")->isEnabled());
    dlg.selectRow(1);
    dlg.AceptarClick();
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(dlg.selectedText(QStringLiteral("tnrointopr")), QStringLiteral("11"));
    QCOMPARE(dlg.selectedText(QStringLiteral("peccod")), QStringLiteral("PEC1"));
    QCOMPARE(dlg.selectedText(QStringLiteral("talcuit")), QStringLiteral("20-TDM0001"));
}

void TstLookups::domainWithoutOperationsLeavesOnlyCancelar()
{
    ScriptedPrompter prompter;
    TBuscarPatenteForm dlg(nullptr, prompter);
    dlg.setDomain(QStringLiteral("ZZZ999"));
    dlg.show();
    QVERIFY(QTest::qWaitForWindowActive(&dlg));
    QCOMPARE(prompter.log, QStringList{QStringLiteral("info: Lo siento. No hay datos para el dominio ingresado.")});
    QVERIFY(!control<QPushButton>(dlg, "BitBtnAceptar")->isEnabled());
    QVERIFY(control<QPushButton>(dlg, "BitBtnCancelar")->isEnabled());
    QVERIFY(control<QPushButton>(dlg, "BitBtnCancelar")->hasFocus());
    dlg.AceptarClick();
    QVERIFY(dlg.isVisible());
    control<QPushButton>(dlg, "BitBtnCancelar")->click();
    QCOMPARE(dlg.result(), int(QDialog::Rejected));
}

void TstLookups::allPecsDomainDialogReadsConsolidatedTable()
{
    ScriptedPrompter prompter;
    TBuscarPatenteFullForm dlg(nullptr, prompter);
    dlg.setDomain(QStringLiteral("AAA111"));
    dlg.show();
    QCOMPARE(headers(dlg.gridModel()), (QStringList{"Dominio", "Marca", "Modelo", "Año", "Propietario", "Fecha",
                                                    "Oblea", "Operación", "PEC", "Taller"}));
    QCOMPARE(column(dlg.gridModel(), 8), QStringList{QStringLiteral("PEC2")});
    QCOMPARE(column(dlg.gridModel(), 9), QStringList{QStringLiteral("TDM0009")});
    QCOMPARE(dlg.selectedText(QStringLiteral("tnrointopr")), QStringLiteral("21"));
}

// A common name over the slow link: one screenful, "Mostrar más" adds the
// next without repeating or losing a row, and Aceptar still leaves the
// shared statement on the chosen one.
void TstLookups::ownerSearchComesAScreenfulAtATime()
{
    const int many = Lookups::kOwnerPage + 5;
    for (int i = 0; i < many; ++i)
        addOperation(QStringLiteral("usr"), QStringLiteral("PEC1"), QStringLiteral("TDM00%1").arg(10 + i % 3), 100 + i,
                     QStringLiteral("PAG%1").arg(i), QStringLiteral("PAGINA %1").arg(i % 7),
                     QStringLiteral("0000009%1").arg(i, 3, 10, QLatin1Char('0')));
    ScriptedPrompter prompter;
    TBusquedaPorApellidoForm dlg(nullptr, prompter);
    dlg.show();
    control<QLineEdit>(dlg, "Edit1")->setText(QStringLiteral("PAGINA"));
    dlg.ConsultarClick();
    QTRY_VERIFY(!dlg.isSearching());
    QCOMPARE(dlg.gridModel()->rowCount(), Lookups::kOwnerPage);
    QVERIFY(control<QPushButton>(dlg, "BitBtnMas")->isEnabled());
    control<QPushButton>(dlg, "BitBtnMas")->click();
    QTRY_VERIFY(!dlg.isSearching());
    QCOMPARE(dlg.gridModel()->rowCount(), many);
    QVERIFY(!control<QPushButton>(dlg, "BitBtnMas")->isEnabled());
    QStringList plates = column(dlg.gridModel(), 1);
    plates.removeDuplicates();
    QCOMPARE(plates.size(), many);
    dlg.selectRow(many - 1);
    const QString plate = dlg.selectedText(QStringLiteral("udominio"));
    control<QPushButton>(dlg, "BitBtnAceptar")->click();
    QCOMPARE(dm1().query(QStringLiteral("SDBusquedaPorApellido")).text(QStringLiteral("udominio")), plate);
    sql(QStringLiteral("delete from usr where uapeynom like 'PAGINA%'"));
}

QTEST_MAIN(TstLookups)
#include "tst_lookups.moc"
