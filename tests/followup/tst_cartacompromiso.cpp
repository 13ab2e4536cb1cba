// The letter form and its query on the real server: what the operator fills
// in, what "Guardar" stores (or, failing, does not), which letter prints, the
// item editor, and finding a letter again to print or store anew.
#include "controls.h"
#include "core/clock.h"
#include "core/global.h"
#include "data/dm1.h"
#include "data/letterrepository.h"
#include "data/lettertable.h"
#include "data/localstore.h"
#include "displaylist.h"
#include "followup/letter/tcartacompromisoform.h"
#include "followup/letter/tconsultacartacompromisoform.h"
#include "followup/letter/teditregistroccform.h"
#include "guardedmain.h"
#include "reads.h"
#include "sampleletter.h"
#include "scriptedprompter.h"
#include "testdb.h"
#include "widgets/modalrun.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSqlQuery>
#include <QTableView>
#include <QtTest>

class TstCartaCompromiso : public QObject
{
    Q_OBJECT
    QSqlDatabase db;
    const QString dbName = QStringLiteral("t_cartacompromiso");
    const QDate today{2026, 12, 9};
    ScriptedPrompter prompter;
    QVector<Shown::Preview> previews;
    int printed = 0;

    LocalTable &items() { return localStore().table(LocalTableId::LetterCylinders); }

    int count(const QString &sql)
    {
        QSqlQuery q(db);
        q.exec(sql);
        return q.next() ? q.value(0).toInt() : -1;
    }

    void login(const QString &installation)
    {
        Global = GlobalState{};
        Global.InstallationId = installation;
        Global.WorkshopCode = QStringLiteral("T000123");
        Global.WorkshopName2 = QStringLiteral("TALLER DEL SUR");
        Global.WorkshopLocality = QStringLiteral("RÍO CUARTO");
        Global.PecName = QStringLiteral("GNC DEL CENTRO S.A.");
    }

private slots:
    void initTestCase()
    {
        db = TestDb::create(dbName);
        dm1().configure(Conn::Operations,
                        {QStringLiteral("localhost"), dbName, TestDb::user(), TestDb::password(), {}});
        TestDb::exec(db, QStringLiteral("insert into carta_crpc (crpc) values ('BIRCH'), ('CYPRESS'), ('ZZ OTRO')"));
        TestDb::exec(db,
                     QStringLiteral("insert into tal (tcodigoint, trazsoc, thabilitad) values ('T000123', 'SUR', 1)"));
        Clock::setToday(today);
        Report::ReportForm::setPreviewHook(Shown::recordInto(previews));
        TCartaCompromisoForm::setPrintHook([this](Report::ReportForm &) { ++printed; });
    }
    void cleanupTestCase()
    {
        Report::ReportForm::setPreviewHook(nullptr);
        TCartaCompromisoForm::setPrintHook(nullptr);
        Widgets::setExecHook(nullptr);
        Clock::reset();
        localStore().closeAll();
        dm1().closeAll();
        db.close();
        TestDb::drop(dbName);
    }
    void init()
    {
        login(QStringLiteral("CEDA01"));
        prompter.log.clear();
        prompter.answers.clear();
        previews.clear();
        printed = 0;
        Widgets::setExecHook(nullptr);
        LetterTable::Replace(items(), Sample::letterItems(5));
        TestDb::exec(db, QStringLiteral("delete from carta_compromiso_cab"));
        TestDb::exec(db, QStringLiteral("delete from carta_compromiso_det"));
    }

    void formShowsItemsAndTakesTheOwnerAsTyped()
    {
        TCartaCompromisoForm form(nullptr, prompter);
        form.show();
        QCOMPARE(form.windowTitle(), QStringLiteral("Carta Compromiso"));
        QCOMPARE(control<QTableView>(form, "DBGrid1")->model()->rowCount(), 5);
        QCOMPARE(control<QTableView>(form, "DBGrid1")->model()->headerData(5, Qt::Horizontal).toString(),
                 QStringLiteral("Diámetro"));
        QCOMPARE(control<QTableView>(form, "DBGrid1")->model()->index(0, 3).data().toString(), QStringLiteral("49,5"));
        QCOMPARE(control<QTableView>(form, "DBGrid2")->model()->index(4, 3).data().toString(), QStringLiteral("OBS 5"));
        QVERIFY(!control<QComboBox>(form, "ComboBoxCRPC")->isVisible()); // Cedar does not choose a centre
        QVERIFY(!control<QCheckBox>(form, "CheckBoxPreview")->isChecked());
        QCOMPARE(control<QComboBox>(form, "cDNIComboBox")->currentText(), QStringLiteral("DNI"));
        QCOMPARE(form.purpose(), Letter::Purpose::PeriodicReview);

        QTest::keyClicks(control<QLineEdit>(form, "cCalleEdit"), QStringLiteral("av. colon"));
        QTest::keyClicks(control<QLineEdit>(form, "cLocalidadEdit"), QStringLiteral("villa general belgrano"));
        QTest::keyClicks(control<QLineEdit>(form, "cDominioEdit"), QStringLiteral("ab123cd"));
        QTest::keyClicks(control<QLineEdit>(form, "cObleaAntEdit"), QStringLiteral("000123456789"));
        QCOMPARE(form.owner().street, QStringLiteral("AV. COLON"));
        QCOMPARE(form.owner().locality, QStringLiteral("VILLA GENERAL BELG")); // 18 characters
        QCOMPARE(form.owner().domain, QStringLiteral("AB123CD"));
        QCOMPARE(form.owner().previousSticker, QStringLiteral("0001234567"));

        // The two grids are one list: choosing a valve chooses its cylinder.
        control<QTableView>(form, "DBGrid2")
            ->setCurrentIndex(control<QTableView>(form, "DBGrid2")->model()->index(3, 1));
        QCOMPARE(control<QTableView>(form, "DBGrid1")->currentIndex().row(), 3);
    }

    void guardarStoresEveryItemEachTime()
    {
        TCartaCompromisoForm form(nullptr, prompter);
        form.setOwner(Sample::letterOwner());
        form.findChild<QRadioButton *>("RadioButtonPara1")->setChecked(true);
        QTest::mouseClick(control<QPushButton>(form, "BitBtn3"), Qt::LeftButton);
        const int first = form.savedId();
        QVERIFY(first > 0);
        QTest::mouseClick(control<QPushButton>(form, "BitBtn3"), Qt::LeftButton);
        QVERIFY(form.savedId() != first);
        QVERIFY(prompter.log.isEmpty());
        QCOMPARE(count("select count(*) from carta_compromiso_det where id_carta = " + QString::number(first)), 5);
        QCOMPARE(count("select count(*) from carta_compromiso_cab where taller = 'T000123' and cilindro_para = 1 "
                       "and fecha = '2026-12-09' and obleaanterior = '0001234567'"),
                 2);
    }

    void aFailedSaveStoresNothingAndSaysSo()
    {
        TestDb::exec(db, QStringLiteral("create trigger fail_det before insert on carta_compromiso_det for each row "
                                        "signal sqlstate '45000' set message_text = 'rechazado por la prueba'"));
        TCartaCompromisoForm form(nullptr, prompter);
        QTest::mouseClick(control<QPushButton>(form, "BitBtn3"), Qt::LeftButton);
        TestDb::exec(db, QStringLiteral("drop trigger fail_det"));
        QCOMPARE(form.savedId(), 0);
        QCOMPARE(prompter.log.size(), 1);
        QVERIFY(prompter.log[0].startsWith(QStringLiteral("error: No se pudo guardar la carta compromiso")));
        QVERIFY(prompter.log[0].contains(QStringLiteral("rechazado por la prueba")));
        QCOMPARE(count("select count(*) from carta_compromiso_cab"), 0);
    }

    void printsTheProfilesLetter()
    {
        TCartaCompromisoForm form(nullptr, prompter);
        form.setOwner(Sample::letterOwner());
        control<QLineEdit>(form, "cPisoEdit")->setText(QStringLiteral("7"));
        control<QCheckBox>(form, "CheckBoxPreview")->setChecked(true);
        QTest::mouseClick(control<QPushButton>(form, "BitBtn1"), Qt::LeftButton);
        QCOMPARE(previews.size(), 1);
        QCOMPARE(previews[0].layout, QStringLiteral("TQCartaAlderForm"));
        QCOMPARE(previews[0].text("QRLabelPiso"), QStringLiteral("7"));
        QCOMPARE(previews[0].text("QRLabelFecha"), QStringLiteral("RÍO CUARTO, 09/12/2026"));
        QCOMPARE(previews[0].text("cilnro4"), QStringLiteral("WT33221104"));
        QCOMPARE(printed, 0);
        control<QCheckBox>(form, "CheckBoxPreview")->setChecked(false);
        QTest::mouseClick(control<QPushButton>(form, "BitBtn1"), Qt::LeftButton);
        QCOMPARE(printed, 1);
    }

    void sequoiaPrintsByCentre()
    {
        login(QStringLiteral("SEQU01"));
        TCartaCompromisoForm form(nullptr, prompter);
        form.show();
        QVERIFY(control<QComboBox>(form, "ComboBoxCRPC")->isVisible());
        QCOMPARE(control<QComboBox>(form, "ComboBoxCRPC")->count(), 3);
        QCOMPARE(control<QComboBox>(form, "ComboBoxCRPC")->currentText(), QStringLiteral("BIRCH"));
        control<QCheckBox>(form, "CheckBoxPreview")->setChecked(true);
        QTest::mouseClick(control<QPushButton>(form, "BitBtn1"), Qt::LeftButton);
        control<QComboBox>(form, "ComboBoxCRPC")->setCurrentText(QStringLiteral("ZZ OTRO"));
        QTest::mouseClick(control<QPushButton>(form, "BitBtn1"), Qt::LeftButton); // prints nothing, says nothing
        QCOMPARE(previews.size(), 1);
        QCOMPARE(previews[0].layout, QStringLiteral("TQCartaBirchForm"));
        QVERIFY(prompter.log.isEmpty());
    }

    void correctingAnItem()
    {
        TCartaCompromisoForm form(nullptr, prompter);
        form.show();
        QCOMPARE(control<QTableView>(form, "DBGrid1")->currentIndex().row(), 0); // the first item is chosen on opening
        QStringList steps;
        Widgets::setExecHook([&](QDialog &d) {
            auto *editor = qobject_cast<TEditRegistroCCForm *>(&d);
            if (!editor)
                return int(QDialog::Rejected);
            steps << control<QLineEdit>(editor, "DBEditSerie")->text() +
                         (control<QLineEdit>(editor, "DBEditSerie")->isReadOnly() ? "" : " editable");
            control<QLineEdit>(editor, "DBEditMasa")->setText(QStringLiteral("cincuenta"));
            QTest::mouseClick(control<QPushButton>(editor, "BitBtnAceptar"), Qt::LeftButton); // refused: not a number
            control<QLineEdit>(editor, "DBEditMasa")->setText(QStringLiteral("51.25"));
            QTest::keyClicks(control<QLineEdit>(editor, "DBEditObservaciones"), QStringLiteral(" rosca gastada"));
            QTest::mouseClick(control<QPushButton>(editor, "BitBtnAceptar"), Qt::LeftButton);
            return editor->result();
        });
        control<QTableView>(form, "DBGrid1")->selectRow(2);
        QTest::mouseClick(control<QPushButton>(form, "BitBtn2"), Qt::LeftButton);
        QCOMPARE(steps, QStringList{"WT33221103"});
        QCOMPARE(prompter.log, QStringList{"warn: La masa debe ser un número (por ejemplo 48,5) o quedar en blanco."});
        const Letter::Item edited = LetterTable::At(items(), 2);
        QCOMPARE(edited.mass, std::optional<double>(51.25));
        QCOMPARE(edited.observations, QStringLiteral("OBS 3 ROSCA GASTADA"));
        QCOMPARE(control<QTableView>(form, "DBGrid1")->model()->index(2, 3).data().toString(), QStringLiteral("51,25"));
    }

    void queryFindsALetterAndOpensItAgain()
    {
        Letter::Stored stored;
        stored.owner = Sample::letterOwner();
        stored.purpose = Letter::Purpose::OtherCases;
        stored.date = today.addDays(-3);
        stored.workshopCode = QStringLiteral("T000123");
        stored.items = Sample::letterItems(2);
        stored.items[0].cylinderCode = QStringLiteral("WORTHINGTON"); // the back office stores brands
        stored.items[0].valveCode = QStringLiteral("LOVATO");
        const int id = LetterRepository::Save(stored);
        stored.workshopCode = QStringLiteral("T000999");
        LetterRepository::Save(stored);

        TConsultaCartaCompromisoForm query(nullptr, prompter);
        query.show();
        QCOMPARE(control<QDateEdit>(query, "DateTimePicker1")->date(), today);
        QTest::mouseClick(control<QPushButton>(query, "BitBtn3"), Qt::LeftButton);
        waitForReads(query);
        QCOMPARE(query.gridModel()->rowCount(), 0); // nothing that day, and no notice
        QVERIFY(prompter.log.isEmpty());

        QVector<Letter::Owner> opened;
        QVector<Letter::Purpose> purposes;
        Widgets::setExecHook([&](QDialog &d) {
            auto *letter = qobject_cast<TCartaCompromisoForm *>(&d);
            if (letter) {
                opened << letter->owner();
                purposes << letter->purpose();
                // Stored again from here, it is a new letter.
                QTest::mouseClick(control<QPushButton>(letter, "BitBtn3"), Qt::LeftButton);
            }
            return int(QDialog::Rejected);
        });
        QTest::mouseClick(control<QPushButton>(query, "BitBtn2"), Qt::LeftButton); // empty grid: an empty letter
        QCOMPARE(opened.size(), 1);
        QCOMPARE(opened[0], Letter::Owner{});
        QCOMPARE(items().count(), 0);

        control<QDateEdit>(query, "DateTimePicker1")->setDate(today.addDays(-3));
        QTest::mouseClick(control<QPushButton>(query, "BitBtn3"), Qt::LeftButton);
        waitForReads(query);
        QCOMPARE(query.gridModel()->rowCount(), 1); // this workshop's only
        QCOMPARE(query.gridModel()->cell(0, 0), QString::number(id));
        QCOMPARE(query.gridModel()->cell(0, 2), Sample::letterOwner().name);
        QTest::mouseClick(control<QPushButton>(query, "BitBtn2"), Qt::LeftButton);
        QCOMPARE(opened.size(), 2);
        Letter::Owner expected = Sample::letterOwner();
        expected.floor.clear();
        expected.apartment.clear();
        QCOMPARE(opened[1], expected);
        QCOMPARE(purposes[1], Letter::Purpose::PeriodicReview); // whatever was stored
        QCOMPARE(LetterTable::Read(items()), stored.items);
        QCOMPARE(count("select count(*) from carta_compromiso_cab where taller = 'T000123'"), 3);
    }

    // Look check: TARVIL_SCREENSHOT_DIR=/tmp/x writes the letter (Sequoia's,
    // with the centre list), the item editor and the query.
    void windowsLook()
    {
        const QString dir = qEnvironmentVariable("TARVIL_SCREENSHOT_DIR");
        if (dir.isEmpty())
            QSKIP("TARVIL_SCREENSHOT_DIR not set");
        login(QStringLiteral("SEQU01"));
        TCartaCompromisoForm letter(nullptr, prompter);
        letter.setOwner(Sample::letterOwner());
        TEditRegistroCCForm editor(Sample::letterItem(1), nullptr, prompter);
        LetterRepository::Save({Sample::letterOwner(), Letter::Purpose::PeriodicReview, today,
                                QStringLiteral("T000123"), Sample::letterItems(2)});
        TConsultaCartaCompromisoForm query(nullptr, prompter);
        control<QPushButton>(query, "BitBtn3")->click();
        waitForReads(query);
        for (QDialog *w : std::initializer_list<QDialog *>{&letter, &editor, &query}) {
            w->show();
            QVERIFY(QTest::qWaitForWindowExposed(w));
            QVERIFY(w->grab().save(QDir(dir).filePath(w->objectName() + QStringLiteral(".png"))));
        }
    }
};

TARVIL_GUARDED_TEST_MAIN(TstCartaCompromiso)
#include "tst_cartacompromiso.moc"
