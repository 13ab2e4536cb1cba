// "Vida del Cilindro": opened from the cylinder query for the selected row,
// its operations, status and warnings on screen, on paper and in the spreadsheet.
#include "app/navigator.h"
#include "controls.h"
#include "core/clock.h"
#include "core/global.h"
#include "data/dm1.h"
#include "displaylist.h"
#include "followup/tconsultaporcilindroform.h"
#include "followup/tvidacilindroform.h"
#include "followup/windows.h"
#include "followupbuilders.h"
#include "reads.h"
#include "testdb.h"
#include "widgets/messages.h"

#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QtTest>

using Build::Operation;

namespace
{

const QString kDb = QStringLiteral("t_vidacilindro");

} // namespace

class TstVidaCilindro : public QObject
{
    Q_OBJECT
    QSqlDatabase db;
    QStringList shown;

private slots:
    void initTestCase()
    {
        db = TestDb::create(kDb);
        dm1().configure(Conn::Operations, {TestDb::host(), kDb, TestDb::user(), TestDb::password(), {}});
        Global = GlobalState{};
        Global.WorkshopCode = QStringLiteral("TDM0001");
        Clock::setToday(QDate(2026, 6, 15));
        Msg::setHook([this](Msg::Kind, const QString &text) {
            shown << text;
            return false;
        });
        // Mounted in AA in 2015, then in BB in 2017 without leaving AA.
        Operation o;
        o.plate = QStringLiteral("AA111AA");
        o.enabled = QDate(2015, 3, 1);
        Build::insert(db, o.n(1));
        Build::lifeCylinder(db, 1, QStringLiteral("S-9"), QStringLiteral("F040"), QStringLiteral("M"),
                            QStringLiteral("02"), QStringLiteral("15"));
        o.plate = QStringLiteral("BB222BB");
        o.enabled = QDate(2017, 5, 2);
        Build::insert(db, o.n(2));
        Build::lifeCylinder(db, 2, QStringLiteral("S-9"), QStringLiteral("F040"), QStringLiteral("M"),
                            QStringLiteral("05"), QStringLiteral("22"));
    }
    void cleanupTestCase()
    {
        BackgroundQuery::stopWorkers();
        Report::ReportForm::setPreviewHook({});
        Msg::setHook({});
        Clock::reset();
        dm1().closeAll();
        db.close();
        TestDb::drop(kDb);
    }

    void openedFromTheCylinderQueryForTheSelectedRow()
    {
        ScopedNavigator nav;
        QList<Nav::ShowCylinderLife> asked;
        nav->add<Nav::ShowCylinderLife>([&asked](const Nav::ShowCylinderLife &r, QWidget *) { asked << r; });
        TConsultaPorCilindroForm query;
        query.findChild<QLineEdit *>(QStringLiteral("Edit1"))->setText(QStringLiteral("S-9"));
        query.BitBtnConsultarClick();
        waitForReads(query);
        query.findChild<QPushButton *>(QStringLiteral("BitBtnVida"))->click();
        QCOMPARE(asked.size(), 1);
        QCOMPARE(asked[0].serial, QStringLiteral("S-9"));
        QCOMPARE(asked[0].code, QStringLiteral("F040"));
    }

    void showsPrintsAndExportsTheLife()
    {
        TVidaCilindroForm form;
        form.setCylinder(QStringLiteral("s-9"), QString());
        waitForReads(form);
        QCOMPARE(control<QTableView>(form, "DBGrid1")->model()->rowCount(), 2);
        QVERIFY(control<QLabel>(form, "LabelEstado")
                    ->text()
                    .startsWith(QString::fromUtf8("VENCE DENTRO DEL AÑO"))); // 49 months
        QVERIFY(!control<QLabel>(form, "LabelAdvertencias")->isHidden());
        QVERIFY(control<QLabel>(form, "LabelAdvertencias")->text().contains(QStringLiteral("AA111AA")));

        Report::DisplayList printed;
        Report::ReportForm::setPreviewHook([&printed](Report::PreviewDialog &dlg) { printed = dlg.displayList(); });
        control<QPushButton>(form, "BitBtnImprimir")->click();
        QCOMPARE(Shown::detailRows(printed), 2);
        QVERIFY(Shown::textOf(printed, QStringLiteral("QRLabelSerie")).contains(QStringLiteral("S-9")));
        QCOMPARE(Shown::textOf(printed, QStringLiteral("QRLabelAdvertencias")),
                 control<QLabel>(form, "LabelAdvertencias")->text());
        QCOMPARE(printed.pageCount, 1);

        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("vida.xlsx"));
        QString error;
        QVERIFY2(form.exportTo(path, &error), qPrintable(error));
        QVERIFY(QFileInfo(path).size() > 0);

        // A serial nobody fitted says so and offers nothing to print.
        form.setCylinder(QStringLiteral("NO-EXISTE"), QString());
        waitForReads(form);
        QCOMPARE(shown.last(), QStringLiteral("No se encontraron operaciones para el cilindro indicado."));
        QVERIFY(!control<QPushButton>(form, "BitBtnImprimir")->isEnabled());
    }
};

QTEST_MAIN(TstVidaCilindro)
#include "tst_vidacilindro.moc"
