// "Aceptar" on the operation form itself: a renewal typed into the controls
// is stored as a pending operation; a missing field is marked and nothing
// reaches the database.
#include "core/clock.h"
#include "core/global.h"
#include "data/dm1.h"
#include "data/localstore.h"
#include "operations/print/tseleccionarimpresoraalderform.h"
#include "operations/save/formsave.h"
#include "operations/trevisionanualform.h"
#include "scriptedprompter.h"
#include "testdb.h"

#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlQuery>
#include <QtTest>

class TstFormSave : public QObject
{
    Q_OBJECT
    QSqlDatabase db;
    const QString dbName = QStringLiteral("t_formsave");

    static void type(QWidget &form, const char *name, const QString &text)
    {
        auto *e = form.findChild<QLineEdit *>(QLatin1String(name));
        QVERIFY2(e, name);
        e->setText(text);
    }
    static void fillRenewal(TRevisionAnualForm &form)
    {
        form.setDomainMask(QString());
        type(form, "ObleaAntEdit", QStringLiteral("0000004567"));
        type(form, "MarcaEdit", QStringLiteral("RENAULT"));
        type(form, "ModeloEdit", QStringLiteral("LOGAN"));
        type(form, "DominioEdit", QStringLiteral("AB321CD"));
        type(form, "NombreEdit", QStringLiteral("SOSA MARTA"));
        form.setDocumentMask(QString());
        type(form, "NroDocEdit", QStringLiteral("28999111"));
        type(form, "CalleEdit", QStringLiteral("RIVADAVIA 900"));
        type(form, "CodigoEdit", QStringLiteral("5500"));
        type(form, "LocalidadEdit", QStringLiteral("MENDOZA"));
        type(form, "CaracteristicaEdit", QStringLiteral("261"));
        type(form, "TelefonoEdit", QStringLiteral("4445566"));
        type(form, "CodigoRegularEdit", QStringLiteral("R01"));
        type(form, "NroSerieReguladorEdit", QStringLiteral("RS-77"));
    }
    static void addCylinder(LocalTable &t, const QString &serial)
    {
        t.append();
        t.setText(QStringLiteral("CODIGO"), QStringLiteral("I060"));
        t.setText(QStringLiteral("NROSERIE"), serial);
        t.setText(QStringLiteral("GESTION"), QStringLiteral("SIN CAMBIOS"));
        t.setInteger(QStringLiteral("CAPACIDAD"), 60);
        t.setText(QStringLiteral("FABRICAC"), QStringLiteral("04/2020"));
        t.setText(QStringLiteral("UPHTALLER"), QStringLiteral("CR01"));
        t.setText(QStringLiteral("UPHFECHA"), QStringLiteral("04/2025"));
        t.setText(QStringLiteral("UPHRESULT"), QStringLiteral("APROBADO"));
        t.setText(QStringLiteral("CNUEVO"), QStringLiteral("NO"));
        t.setText(QStringLiteral("NROCERTIF"), QStringLiteral("CR01000042"));
        t.post();
    }
    // A renewal of `plate` with one cylinder, ready for "Aceptar".
    static void wiredRenewal(TRevisionAnualForm &form, const QString &serial, const QString &plate)
    {
        form.SetOperationKind(QStringLiteral("R"));
        LocalTable &cyl = localStore().table(LocalTableId::Cylinders);
        cyl.open();
        cyl.empty();
        addCylinder(cyl, serial);
        OperationSave::WireOperationForm(form);
        fillRenewal(form);
        type(form, "DominioEdit", plate);
    }
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
        TestDb::exec(db, QStringLiteral("insert into codreg (CODIGO, MARCA) values ('R01', 'ACME'), ('R02', 'BETA')"));
    }
    void cleanupTestCase()
    {
        localStore().closeAll();
        dm1().closeAll();
        TestDb::drop(dbName);
    }

    void renewalTypedIntoTheFormIsStored()
    {
        ScriptedPrompter prompter;
        TRevisionAnualForm form(nullptr, prompter);
        form.SetOperationKind(QStringLiteral("R"));
        LocalTable &cyl = localStore().table(LocalTableId::Cylinders);
        cyl.open();
        cyl.empty();
        addCylinder(cyl, QStringLiteral("CIL-1"));
        addCylinder(cyl, QStringLiteral("CIL-2"));
        OperationSave::WireOperationForm(form);
        fillRenewal(form);
        form.findChild<QPushButton *>(QStringLiteral("BitBtn2"))->click();

        QVERIFY2(prompter.log.contains(QStringLiteral("info: La operación ha sido cargada.")),
                 qPrintable(prompter.log.join('|')));
        QCOMPARE(form.result(), int(QDialog::Accepted));
        QCOMPARE(count(QStringLiteral("select count(*) from temp_usr where udominio = 'AB321CD' and ucodgest = 'R' "
                                      "and uobleaant = '0000004567' and codtal = 'TDM0001' and UCARACT = '261'")),
                 1);
        QCOMPARE(count(QStringLiteral("select count(*) from temp_cil c join temp_usr u on u.id = c.id "
                                      "where u.udominio = 'AB321CD' and c.cuphano = '25' and c.ccodgest = 'S'")),
                 2);
        QCOMPARE(count(QStringLiteral("select count(*) from temp_reg where rnroserie = 'RS-77'")), 1);
    }

    void conversionModificationAndDismantlingThroughTheForm()
    {
        struct Case {
            QString kind, plate;
            int cylinders;
        };
        for (const Case &c : {Case{QStringLiteral("C"), QStringLiteral("AC100AA"), 2},
                              Case{QStringLiteral("M"), QStringLiteral("AC200BB"), 1},
                              Case{QStringLiteral("B"), QStringLiteral("AC300CC"), 1}}) {
            ScriptedPrompter prompter;
            TRevisionAnualForm form(nullptr, prompter);
            form.SetOperationKind(c.kind);
            LocalTable &cyl = localStore().table(LocalTableId::Cylinders);
            cyl.open();
            cyl.empty();
            for (int i = 0; i < c.cylinders; ++i)
                addCylinder(cyl, c.plate + QStringLiteral("-%1").arg(i));
            OperationSave::WireOperationForm(form);
            fillRenewal(form);
            type(form, "DominioEdit", c.plate);
            if (c.kind == QLatin1String("M")) {
                // Retiring the regulator opens the "Nuevo" line for the one fitted.
                auto *gestion = form.findChild<QComboBox *>(QStringLiteral("RGestionComboBox"));
                gestion->setCurrentText(QStringLiteral("BAJA"));
                emit gestion->activated(gestion->currentIndex());
                QVERIFY(!form.findChild<QLineEdit *>(QStringLiteral("CodigoReguladorNuevoEdit"))->isHidden());
                type(form, "CodigoReguladorNuevoEdit", QStringLiteral("R02"));
                type(form, "NroSerieReguladorNuevoEdit", QStringLiteral("RS-NEW"));
            }
            form.findChild<QPushButton *>(QStringLiteral("BitBtn2"))->click();
            QVERIFY2(prompter.log.contains(QStringLiteral("info: La operación ha sido cargada.")),
                     qPrintable(c.kind + QLatin1Char(' ') + prompter.log.join(QLatin1Char('|'))));
            const QString id = QStringLiteral("(select max(id) from temp_usr where udominio = '%1')").arg(c.plate);
            QCOMPARE(count(QStringLiteral("select count(*) from temp_usr where ucodgest = '%1' and udominio = '%2'")
                               .arg(c.kind, c.plate)),
                     1);
            QCOMPARE(count(QStringLiteral("select count(*) from temp_cil where id = ") + id), c.cylinders);
            if (c.kind == QLatin1String("M")) {
                QCOMPARE(count(QStringLiteral("select count(*) from temp_reg where rcodgest = 'B' and id = ") + id), 1);
                QCOMPARE(count(QStringLiteral("select count(*) from temp_reg where rcodgest = 'M' and rnroserie = "
                                              "'RS-NEW' and id = ") +
                               id),
                         1);
            }
            if (c.kind == QLatin1String("B"))
                QCOMPARE(count(QStringLiteral("select count(*) from temp_usr where ufechab is null and ufecvenhab "
                                              "is null and id = ") +
                               id),
                         1);
            if (c.kind == QLatin1String("C"))
                QCOMPARE(
                    count(QStringLiteral("select count(*) from temp_usr where udescgest = 'CONVERSION' and id = ") +
                          id),
                    1);
        }
    }

    void missingBrandIsMarkedAndNothingStored()
    {
        ScriptedPrompter prompter;
        TRevisionAnualForm form(nullptr, prompter);
        wiredRenewal(form, QStringLiteral("CIL-9"), QStringLiteral("ZZ999ZZ"));
        type(form, "MarcaEdit", QString());
        const int before = count(QStringLiteral("select count(*) from temp_usr"));
        form.findChild<QPushButton *>(QStringLiteral("BitBtn2"))->click();
        QCOMPARE(count(QStringLiteral("select count(*) from temp_usr")), before);
        QVERIFY(form.findChild<QLineEdit *>(QStringLiteral("MarcaEdit"))->property("marcado").toBool());
        QVERIFY(!form.findChild<QLineEdit *>(QStringLiteral("ModeloEdit"))->property("marcado").toBool());
        QVERIFY(form.result() != QDialog::Accepted);
        // Typing the brand afterwards does not clear the mark.
        type(form, "MarcaEdit", QStringLiteral("FORD"));
        QCOMPARE(form.findChild<QLineEdit *>(QStringLiteral("MarcaEdit"))->palette().color(QPalette::Base),
                 QColor(255, 128, 128));
    }

    // A failure while printing must not leave the form open for a second
    // "Aceptar" that would store the operation twice.
    void aFailingPrintStillClosesTheStoredOperation()
    {
        const QString profile = Global.InstallationId;
        Global.InstallationId = QStringLiteral("CEDA01"); // asks blank or pre-printed sheet
        TSeleccionarImpresoraAlderForm::setTestHook(
            [](TSeleccionarImpresoraAlderForm &) -> int { throw std::runtime_error("sin impresora"); });
        ScriptedPrompter prompter;
        prompter.answers = {true}; // print the sheet
        TRevisionAnualForm form(nullptr, prompter);
        wiredRenewal(form, QStringLiteral("CIL-P"), QStringLiteral("PR111NT"));
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, form.findChild<QPushButton *>(QStringLiteral("BitBtn2"))->click());
        TSeleccionarImpresoraAlderForm::setTestHook({});
        Global.InstallationId = profile;
        QCOMPARE(count(QStringLiteral("select count(*) from temp_usr where udominio = 'PR111NT'")), 1);
        QCOMPARE(form.result(), int(QDialog::Accepted));
    }
};

QTEST_MAIN(TstFormSave)
#include "tst_formsave.moc"
