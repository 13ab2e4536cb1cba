// A whole conversion typed with the keyboard alone, as an operator without a
// mouse would: Tab and Enter from field to field, Insert on the cylinder grid
// for the cylinder dialog, Enter on "Aceptar"; the stored rows are checked.
#include "core/clock.h"
#include "core/global.h"
#include "data/dm1.h"
#include "data/localstore.h"
#include "operations/cylinders/formwiring.h"
#include "operations/cylinders/tdatoscilindroform.h"
#include "operations/save/formsave.h"
#include "operations/trevisionanualform.h"
#include "scriptedprompter.h"
#include "testdb.h"
#include "widgets/modalrun.h"

#include <QApplication>
#include <QSqlQuery>
#include <QtTest>

namespace
{

QString focusName()
{
    QWidget *w = QApplication::focusWidget();
    return w ? w->objectName() : QString();
}

// Tab (the only key used to get there) until the field named has the focus.
bool tabTo(const QString &name)
{
    for (int i = 0; i < 120 && focusName() != name; ++i) {
        QWidget *w = QApplication::focusWidget();
        if (!w)
            return false;
        QTest::keyClick(w, Qt::Key_Tab);
        QCoreApplication::processEvents();
    }
    return focusName() == name;
}

// Types into the focused field, then Enter; the field's rules run.
void typeAndEnter(const QString &text)
{
    QWidget *w = QApplication::focusWidget();
    QVERIFY(w);
    if (!text.isEmpty())
        QTest::keyClicks(w, text);
    QTest::keyClick(w, Qt::Key_Return);
    QTest::qWait(0);
}

} // namespace

class TstKeyboard : public QObject
{
    Q_OBJECT
    QSqlDatabase db;
    const QString dbName = QStringLiteral("t_keyboard");

    int count(const QString &sql)
    {
        QSqlQuery q(db);
        q.exec(sql);
        q.next();
        return q.value(0).toInt();
    }

private slots:
    void initTestCase()
    {
        db = TestDb::create(dbName);
        dm1().configure(Conn::Operations, {TestDb::host(), dbName, TestDb::user(), TestDb::password(), QString()});
        Global = GlobalState{};
        Global.InstallationId = QStringLiteral("OLIV01");
        Global.WorkshopCode = QStringLiteral("TDM0001");
        Global.WorkshopCuit = QStringLiteral("30-71111111-1");
        Global.PecCode = QStringLiteral("0031");
        Clock::setToday(QDate(2026, 12, 9));
        TestDb::exec(db, QStringLiteral("insert into codreg (CODIGO, MARCA, MODELO) values ('R01', 'ACME', 'A1')"));
        TestDb::exec(db, QStringLiteral("insert into codcil (CODIGO, MARCA, MODELO, VENC) values "
                                        "('C100', 'FABER', 'F60', 5)"));
        TestDb::exec(db, QStringLiteral("insert into codcrp (CODIGO, NOMBRE) values ('ABCD', 'CENTRO NORTE')"));
        TestDb::exec(db, QStringLiteral("insert into valcod (CODVAL, MARCA, MODELO, TIPO) values "
                                        "('V101', 'TOMASETTO', 'T1', 'MANUAL')"));
    }
    void cleanupTestCase()
    {
        Widgets::setExecHook({});
        localStore().closeAll();
        dm1().closeAll();
        TestDb::drop(dbName);
    }

    void aConversionTypedWithKeysOnlyIsStored()
    {
        ScriptedPrompter prompter;
        TRevisionAnualForm form(nullptr, prompter);
        form.SetOperationKind(QStringLiteral("C"));
        LocalTable &cyl = localStore().table(LocalTableId::Cylinders);
        cyl.open();
        cyl.empty();
        Cylinders::WireOperationForm(form);
        OperationSave::WireOperationForm(form);

        // The cylinder dialog, typed field after field; Enter moves on and,
        // on "Aceptar", presses it.
        QStringList cylinderPath;
        Widgets::setExecHook([&](QDialog &d) {
            auto *dlg = qobject_cast<TDatosCilindroForm *>(&d);
            if (!dlg)
                return int(QDialog::Rejected);
            dlg->activateWindow();
            QCoreApplication::processEvents();
            if (!tabTo(QStringLiteral("EditCODIGO")))
                return int(QDialog::Rejected);
            const QList<QPair<QString, QString>> fields = {
                {"EditCODIGO", "C100"},     {"EditNROSERIE", "S-KEY-1"}, {"EditCAPACIDAD", "60"},
                {"EditFABRICAC", "062026"}, {"EditVALCOD", "V101"},      {"EditVALNRO", "VN-9"},
                {"EditNROCERTIF", "ABCD000123"}};
            for (const auto &[name, text] : fields) {
                for (int i = 0; i < 8 && focusName() != name && dlg->isVisible(); ++i) {
                    cylinderPath << focusName();
                    typeAndEnter(QString()); // a list keeps its preset value
                }
                cylinderPath << focusName();
                if (focusName() != name)
                    return int(QDialog::Rejected);
                typeAndEnter(text);
            }
            for (int i = 0; i < 4 && focusName() != QLatin1String("BitBtnAceptar"); ++i)
                typeAndEnter(QString());
            cylinderPath << focusName();
            typeAndEnter(QString()); // Enter on "Aceptar"
            return d.result();
        });

        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        const QList<QPair<QString, QString>> fields = {
            {"ObleaAntEdit", "0000004567"}, {"MarcaEdit", "RENAULT"},
            {"ModeloEdit", "LOGAN"},        {"DominioEdit", "AB321CD"},
            {"NombreEdit", "SOSA MARTA"},   {"NroDocEdit", "28999111"},
            {"CalleEdit", "RIVADAVIA 900"}, {"CodigoEdit", "5500"},
            {"LocalidadEdit", "MENDOZA"},   {"CaracteristicaEdit", "261"},
            {"TelefonoEdit", "4445566"},    {"CodigoRegularEdit", "R01"},
            {"NroSerieReguladorEdit", "RS-77"}};
        for (const auto &[name, text] : fields) {
            QVERIFY2(tabTo(name), qPrintable(name + QStringLiteral(" never reached; focus on ") + focusName()));
            QTest::keyClicks(QApplication::focusWidget(), text);
            QTest::qWait(0);
        }
        QVERIFY(tabTo(QStringLiteral("DBGrid1")));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Insert);
        QTRY_COMPARE(cyl.count(), 1);
        QVERIFY2(form.DBGrid1->model()->rowCount() == 1, qPrintable(cylinderPath.join(QLatin1Char(' '))));

        QVERIFY(tabTo(QStringLiteral("BitBtn2")));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTRY_VERIFY2(prompter.log.contains(QStringLiteral("info: La operación ha sido cargada.")),
                     qPrintable(prompter.log.join(QLatin1Char('|'))));
        QCOMPARE(form.result(), int(QDialog::Accepted));
        QCOMPARE(count(QStringLiteral("select count(*) from temp_usr where udominio = 'AB321CD' and ucodgest = 'C' "
                                      "and uapeynom = 'SOSA MARTA' and UCARACT = '261'")),
                 1);
        QCOMPARE(count(QStringLiteral("select count(*) from temp_cil c join temp_usr u on u.id = c.id "
                                      "where u.udominio = 'AB321CD' and c.cnroserie = 'S-KEY-1'")),
                 1);
        QCOMPARE(count(QStringLiteral("select count(*) from temp_reg where rnroserie = 'RS-77'")), 1);
    }
};

QTEST_MAIN(TstKeyboard)
#include "tst_keyboard.moc"
