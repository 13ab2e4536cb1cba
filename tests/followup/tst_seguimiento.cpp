// The follow-up windows as the operator uses them: the assigned stickers
// and their three prints, the expiry list, the WhatsApp reminders (with the
// link that opens, the stored text and the reminder log) and the
// appointment book. Previews and links are caught by hooks, never shown.
#include "app/navigator.h"
#include "controls.h"
#include "core/clock.h"
#include "core/global.h"
#include "data/backgroundquery.h"
#include "data/dm1.h"
#include "data/localstore.h"
#include "followup/linkopener.h"
#include "followup/tagendaturnosform.h"
#include "followup/tenviowhatsappform.h"
#include "followup/tenviowhatsappphform.h"
#include "followup/tobleasasignadasform.h"
#include "followup/tvencimientoobleasform.h"
#include "followup/windows.h"
#include "followupbuilders.h"
#include "guardedmain.h"
#include "reads.h"
#include "report/preview.h"
#include "report/reportform.h"
#include "testdb.h"
#include "widgets/messages.h"
#include "widgets/modalrun.h"

#include <QCalendarWidget>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QToolButton>

using Build::Operation;

namespace
{

const QString kDb = QStringLiteral("t_followup_seguimiento");
const QString kWs = QStringLiteral("TDM0001");
const QDate kToday(2024, 5, 15);

// What one preview showed.
struct Printed {
    QString layout;
    Report::DisplayList list;
    QStringList unbound;
    bool landscape = false, fitsWidth = false;
    QString xlsx; // the sheet's XML when the layout exports one

    QStringList texts(const QString &item) const
    {
        QStringList out;
        for (const Report::DisplayItem &d : list.named(item))
            out << d.text;
        return out;
    }
    QString text(const QString &item) const
    {
        const Report::DisplayItem *d = list.find(item);
        return d ? d->text : QStringLiteral("<none>");
    }
};

QString shortDate(const QDate &d)
{
    return d.toString(QStringLiteral("dd/MM/yyyy"));
}

} // namespace

class TstSeguimiento : public QObject
{
    Q_OBJECT
    QSqlDatabase m_db;
    QTemporaryDir m_tmp;
    QList<Printed> m_printed;
    QStringList m_shown; // message boxes: "<kind>: text"
    Msg::Kind m_lastKind = Msg::Kind::Info;
    QList<bool> m_answers;
    QStringList m_links;
    bool m_linksOpen = true;

    // Clicks and lets a list it starts arrive.
    static void click(QWidget &form, const char *name)
    {
        QTest::mouseClick(control<QPushButton>(form, name), Qt::LeftButton);
        waitForReads(form);
    }
    static void setPeriod(QWidget &form, const QDate &from, const QDate &to)
    {
        control<QDateEdit>(form, "DateTimePicker1")->setDate(from);
        control<QDateEdit>(form, "DateTimePicker2")->setDate(to);
    }
    static QTableView *grid(QWidget &form) { return control<QTableView>(form, "DBGrid1"); }
    QString stored(const char *column)
    {
        QSqlQuery q(m_db);
        q.exec(QStringLiteral("select %1 from tal where tcodigoint = 'TDM0001'").arg(QLatin1String(column)));
        return q.next() ? q.value(0).toString() : QStringLiteral("<no row>");
    }

private slots:
    void initTestCase()
    {
        QLocale::setDefault(QLocale(QLocale::Spanish, QLocale::Argentina)); // as the program starts
        m_db = TestDb::create(kDb);
        dm1().configure(Conn::Operations, {TestDb::host(), kDb, TestDb::user(), TestDb::password(), {}});
        Msg::setHook([this](Msg::Kind kind, const QString &text) {
            m_shown << Msg::caption(kind) + QStringLiteral(": ") + text;
            m_lastKind = kind;
            return m_answers.isEmpty() ? false : m_answers.takeFirst();
        });
        Followup::setLinkOpener([this](const QString &link) {
            m_links << link;
            return m_linksOpen;
        });
        Report::ReportForm::setPreviewHook([this](Report::PreviewDialog &dlg) {
            const Report::ReportForm &r = dlg.report();
            Printed p;
            p.layout = r.layout().name;
            p.list = dlg.displayList();
            p.unbound = r.layout().unboundNames(r.values() ? r.values()->names() : QStringList(),
                                                r.rows() ? r.rows()->fields() : QStringList());
            p.landscape = r.layout().orientation == QPageLayout::Landscape;
            p.fitsWidth = r.layout().previewFitsWidth;
            if (r.hasSpreadsheet()) {
                const QString path = m_tmp.filePath(p.layout + QStringLiteral(".xlsx"));
                if (dlg.exportXlsxTo(path)) {
                    QProcess unzip;
                    unzip.start(QStringLiteral("unzip"),
                                {QStringLiteral("-p"), path, QStringLiteral("xl/worksheets/sheet1.xml")});
                    unzip.waitForFinished();
                    p.xlsx = QString::fromUtf8(unzip.readAllStandardOutput());
                }
            }
            m_printed << p;
        });
    }
    void init()
    {
        Global = GlobalState{};
        Global.WorkshopCode = kWs;
        Global.WorkshopName = QStringLiteral("GNC OESTE S.R.L.");
        Clock::setToday(kToday);
        m_printed.clear();
        m_shown.clear();
        m_answers.clear();
        m_links.clear();
        m_linksOpen = true;
        for (const char *t : {"usr", "reg", "cil", "tal", "turnos_agenda", "turnos_horarios"})
            Build::run(m_db, QStringLiteral("delete from %1").arg(QLatin1String(t)));
        Build::run(m_db, QStringLiteral("insert into tal (tcodigoint, mensajeWhatsApp, mensajeWhatsAppPh) values "
                                        "('TDM0001', 'Su oblea vence pronto', 'Su PH vence pronto')"));
    }
    void cleanupTestCase()
    {
        BackgroundQuery::stopWorkers();
        Report::ReportForm::setPreviewHook({});
        Followup::setLinkOpener({});
        Msg::setHook({});
        Clock::reset();
        dm1().closeAll();
        localStore().closeAll();
        m_db.close();
        TestDb::drop(kDb);
    }

    void assignedStickersPrintTheLastListing();
    void emptyPeriodPrintsATotalOfNothing();
    void assignedStickersAreReadOffTheWindow();
    void expiryListFollowsDesdeAndTheChosenFormat();
    void reminderWalksTheListWithWholeLinks();
    void reminderTextIsKeptWhateverHappens();
    void testReminderHasItsOwnListAndText();
    void appointmentBookDayByDay();
    void windowsAnswerTheirNodes();
};

void TstSeguimiento::assignedStickersPrintTheLastListing()
{
    Operation o;
    o.assigned = QDate(2024, 5, 2);
    o.plate = QStringLiteral("AA111AA");
    Build::insert(m_db, o.n(1));
    Build::regulator(m_db, 1, QStringLiteral("R-1"));
    Build::regulator(m_db, 1, QStringLiteral("R-2"));
    for (const char *c : {"C-1", "C-2", "C-3"})
        Build::cylinder(m_db, 1, QLatin1String(c), {}, QStringLiteral("V") + QLatin1String(c));
    o.assigned = QDate(2024, 5, 31);
    o.plate = QStringLiteral("BB222BB");
    o.kind = QStringLiteral("H");
    Build::insert(m_db, o.n(2));
    Build::cylinder(m_db, 2, QStringLiteral("C-9"), {}, QStringLiteral("V-NEW"), QStringLiteral("V-OLD"));
    o.assigned = QDate(2024, 6, 3);
    o.plate = QStringLiteral("CC333CC");
    Build::insert(m_db, o.n(3));

    TObleasAsignadasForm form;
    form.show();
    QCOMPARE(form.windowTitle(), QStringLiteral("Obleas Asignadas"));
    QCOMPARE(control<QDateEdit>(form, "DateTimePicker1")->date(), kToday);
    QCOMPARE(control<QLabel>(form, "LabelCuantas")->text(), QStringLiteral("0"));
    for (const char *b : {"BitBtn4", "BitBtn5", "BitBtn6"})
        QVERIFY(!control<QPushButton>(form, b)->isEnabled());

    setPeriod(form, QDate(2024, 5, 2), QDate(2024, 5, 31)); // both ends included
    click(form, "BitBtn2");
    QCOMPARE(control<QLabel>(form, "LabelCuantas")->text(), QStringLiteral("2"));
    QCOMPARE(form.gridModel()->cell(0, 5), QStringLiteral("AA111AA"));
    QCOMPARE(form.gridModel()->cell(1, 7), QStringLiteral("31/05/2024"));
    for (const char *b : {"BitBtn4", "BitBtn5", "BitBtn6"})
        QVERIFY(control<QPushButton>(form, b)->isEnabled());

    // The prints are of the last "Ver"; their headings show the pickers now.
    setPeriod(form, QDate(2024, 6, 1), QDate(2024, 6, 30));
    click(form, "BitBtn4");
    QCOMPARE(m_printed.size(), 1);
    const Printed &summary = m_printed.last();
    QCOMPARE(summary.layout, QStringLiteral("TQObleasAsignadasForm"));
    QCOMPARE(summary.unbound, QStringList());
    QCOMPARE(summary.texts("QRDBText6"), (QStringList{"AA111AA", "BB222BB"}));
    QCOMPARE(summary.text("QRLabelTaller"), QStringLiteral("GNC OESTE S.R.L. [TDM0001]"));
    QCOMPARE(summary.text("QRLabelDesde"), shortDate(QDate(2024, 6, 1)));
    QCOMPARE(summary.text("QRExprTotal"), QStringLiteral("2"));
    QVERIFY(summary.xlsx.contains(QLatin1String("<t>BB222BB</t>")));

    click(form, "BitBtn5");
    click(form, "BitBtn5"); // the buffer is emptied each time
    QCOMPARE(m_printed.size(), 3);
    const Printed &detail = m_printed.last();
    QCOMPARE(detail.layout, QStringLiteral("TQObleasAsignadasDetalleForm"));
    QCOMPARE(detail.unbound, QStringList());
    QVERIFY(detail.landscape && detail.fitsWidth);
    QCOMPARE(detail.list.items.size(), m_printed.at(1).list.items.size());
    QCOMPARE(form.detailBuffer().count(), 4 + 4);
    // regulator k beside cylinder k; the valve replaced on its own line
    QCOMPARE(detail.texts("QRDBTextSerie1"), (QStringList{"R-1", "R-2", "", "", "", "", "", ""}));
    QCOMPARE(detail.texts("QRDBTextSerie2"), (QStringList{"C-1", "C-2", "C-3", "", "", "C-9", "", ""}));
    QCOMPARE(detail.texts("QRDBTextSerie3"), (QStringList{"VC-1", "VC-2", "VC-3", "", "", "V-NEW", "V-OLD", ""}));
    QCOMPARE(detail.texts("QRDBText6"), (QStringList{"AA111AA", "", "", "", "BB222BB", "", "", ""}));
    QCOMPARE(detail.texts("QRDBText5").first(), QStringLiteral("2010"));
    QCOMPARE(detail.texts("QRDBText1").first(), QStringLiteral("REVI")); // only the first letters show
    QVERIFY(!detail.list.find("QRExprTotal"));

    click(form, "BitBtn6");
    const Printed &excel = m_printed.last();
    QCOMPARE(excel.layout, QStringLiteral("TQObleasAsignadasExcelForm"));
    QVERIFY(!excel.list.find("QRImage1"));
    QVERIFY(excel.xlsx.contains(QLatin1String("<t>Propietario</t>")));
    QVERIFY(excel.xlsx.contains(QLatin1String("<t>AA111AA</t>")));
    QVERIFY(m_shown.isEmpty());
}

// The list is read by the worker's own session: while the server keeps it
// waiting the window answers and "Ver" waits; "Cancelar" stops the reading
// on the server, and the next "Ver" lists.
void TstSeguimiento::assignedStickersAreReadOffTheWindow()
{
    Operation o;
    o.assigned = QDate(2024, 5, 2);
    Build::insert(m_db, o.n(1));
    const auto waitingOnALock = [this] {
        QSqlQuery q(m_db);
        q.exec(QStringLiteral("show processlist"));
        int n = 0;
        while (q.next())
            n += q.value(QStringLiteral("State")).toString().contains(QLatin1String("lock")) ? 1 : 0;
        return n;
    };

    TObleasAsignadasForm form;
    form.show();
    setPeriod(form, QDate(2024, 5, 1), QDate(2024, 5, 31));
    click(form, "BitBtn2");
    Build::run(m_db, QStringLiteral("lock tables usr write"));
    QTest::mouseClick(control<QPushButton>(form, "BitBtn2"), Qt::LeftButton);
    QTRY_COMPARE(waitingOnALock(), 1);
    QVERIFY(form.progressLine()->isVisible());
    QVERIFY(!control<QPushButton>(form, "BitBtn2")->isEnabled());
    form.progressLine()->cancelButton()->click();
    QVERIFY(!form.progressLine()->isVisible());
    QVERIFY(control<QPushButton>(form, "BitBtn2")->isEnabled());
    // A reading that did not end keeps the grid, the count and the prints of the last one.
    QCOMPARE(form.gridModel()->rowCount(), 1);
    QCOMPARE(control<QLabel>(form, "LabelCuantas")->text(), QStringLiteral("1"));
    QVERIFY(control<QPushButton>(form, "BitBtn4")->isEnabled());
    QTRY_COMPARE(waitingOnALock(), 0);
    Build::run(m_db, QStringLiteral("unlock tables"));

    click(form, "BitBtn2");
    QCOMPARE(form.gridModel()->rowCount(), 1);
    QCOMPARE(m_shown, QStringList());
}

void TstSeguimiento::emptyPeriodPrintsATotalOfNothing()
{
    Operation o;
    o.assigned = kToday;
    Build::insert(m_db, o);
    TObleasAsignadasForm form;
    setPeriod(form, kToday.addDays(1), kToday);
    click(form, "BitBtn2");
    QCOMPARE(control<QLabel>(form, "LabelCuantas")->text(), QStringLiteral("0"));
    QVERIFY(control<QPushButton>(form, "BitBtn4")->isEnabled());
    click(form, "BitBtn4");
    QCOMPARE(m_printed.last().text("QRExprTotal"), QStringLiteral("0"));
    QVERIFY(m_printed.last().texts("QRDBText6").isEmpty());
    QCOMPARE(m_printed.last().text("QRLabelCol1"), QStringLiteral("Operación"));
}

void TstSeguimiento::expiryListFollowsDesdeAndTheChosenFormat()
{
    Operation o;
    o.expires = QDate(2024, 6, 30);
    o.owner = QStringLiteral("ZAPATA ANA");
    Build::insert(m_db, o.n(1));
    o.owner = QStringLiteral("ACOSTA LUIS");
    o.plate = QStringLiteral("ZZ999ZZ");
    Build::insert(m_db, o.n(2));

    TVencimientoObleasForm form;
    form.show();
    QCOMPARE(form.windowTitle(), QStringLiteral("Listado de Vencimiento de Obleas"));
    QCOMPARE(control<QComboBox>(form, "ComboBox1")->currentText(), QStringLiteral("Formato para Impresora"));
    control<QDateEdit>(form, "DateTimePicker1")->setDate(QDate(2024, 6, 1));
    QCOMPARE(control<QDateEdit>(form, "DateTimePicker2")->date(), QDate(2024, 6, 1)); // "Desde" copies into "Hasta"
    control<QDateEdit>(form, "DateTimePicker2")->setDate(QDate(2024, 6, 30));
    click(form, "BitBtn1");
    QVERIFY(!form.processingLabel()->isVisible());
    QCOMPARE(form.processingLabel()->text(), QStringLiteral(" Procesando. Aguarde por favor... "));
    const Printed &paper = m_printed.last();
    QCOMPARE(paper.layout, QStringLiteral("TQVencimientoObleasPapelForm"));
    QCOMPARE(paper.unbound, QStringList());
    QVERIFY(paper.landscape);
    QCOMPARE(paper.text("QRLabelTitulo"), QStringLiteral("LISTADO DE VENCIMIENTO DE OBLEAS "));
    QCOMPARE(paper.texts("QRDBText1"), (QStringList{"ACOSTA LUIS", "ZAPATA ANA"}));
    QCOMPARE(paper.text("QRDBTextEmail"), QStringLiteral("juan@mail.com"));
    // one line per vehicle: the e-mail beside the expiry
    QVERIFY(paper.list.find("QRDBTextEmail")->rect.top() > paper.list.find("QRDBText1")->rect.top());

    control<QComboBox>(form, "ComboBox1")->setCurrentIndex(1);
    click(form, "BitBtn1");
    const Printed &excel = m_printed.last();
    QCOMPARE(excel.layout, QStringLiteral("TQVencimientoObleasExcelForm"));
    QCOMPARE(excel.unbound, QStringList());
    QCOMPARE(excel.list.find("QRDBTextEmail")->rect.top(), excel.list.find("QRDBText1")->rect.top());
    QVERIFY(excel.xlsx.contains(QLatin1String("<t>ZZ999ZZ</t>")));
    QCOMPARE(excel.list.named("QRLabelCol1").size(), 1); // titles once
}

void TstSeguimiento::reminderWalksTheListWithWholeLinks()
{
    Operation o;
    o.expires = QDate(2024, 5, 20);
    o.plate = QStringLiteral("AA111AA");
    o.phone = QStringLiteral("44445555");
    Build::insert(m_db, o.n(1));
    o.expires = QDate(2024, 5, 21);
    o.plate = QStringLiteral("BB222BB");
    o.phone = QStringLiteral(" ");
    Build::insert(m_db, o.n(2));
    o.expires = QDate(2024, 5, 22);
    o.plate = QStringLiteral("CC333CC");
    o.area = QStringLiteral("351");
    o.phone = QStringLiteral("6667777");
    Build::insert(m_db, o.n(3));
    localStore().table(LocalTableId::ReminderLog).empty();

    TEnvioWhatsappForm form;
    form.show();
    QCOMPARE(form.windowTitle(), QStringLiteral("Envio de WhatsApp"));
    auto *memo = control<QPlainTextEdit>(form, "Memo1");
    QCOMPARE(memo->toPlainText(), QStringLiteral("Su oblea vence pronto"));
    QCOMPARE(control<QLabel>(form, "LabelCount")->text(), QStringLiteral("21"));
    QVERIFY(!control<QPushButton>(form, "BitBtn1")->isEnabled());

    setPeriod(form, QDate(2024, 5, 1), QDate(2024, 5, 31));
    click(form, "BitBtn2");
    QCOMPARE(form.gridModel()->rowCount(), 3);
    QCOMPARE(form.gridModel()->cell(0, 5), QStringLiteral("5491144445555"));
    QVERIFY(control<QPushButton>(form, "BitBtn1")->isEnabled());

    memo->setPlainText(QStringLiteral("Hola  José\n¿Turno? 50% & más #1"));
    QCOMPARE(control<QLabel>(form, "LabelCount")->text(), QStringLiteral("31"));
    for (int i = 0; i < 4; ++i)
        click(form, "BitBtn1");
    const QString text = QStringLiteral("?text=Hola%20%20Jos%C3%A9%0A%C2%BFTurno%3F%2050%25%20%26%20m%C3%A1s%20%231");
    QCOMPARE(m_links, (QStringList{"https://wa.me/5491144445555" + text, "https://wa.me/5493516667777" + text,
                                   "https://wa.me/5493516667777" + text}));
    QCOMPARE(m_shown, QStringList{"Error: Sin número de celular"}); // the second row, and the walk went on
    QCOMPARE(Widgets::selectedGridRow(grid(form)), 2);              // the last row stays

    // The log: the vehicles written to show today in "Último envío", also
    // after a new reading, and the selected one is pointed out.
    QCOMPARE(form.gridModel()->cell(0, 6), QStringLiteral("15/05/2024"));
    QCOMPARE(form.gridModel()->cell(1, 6), QString());
    QVERIFY(control<QLabel>(form, "LabelUltimoEnvio")->text().contains(QLatin1String("hoy")));
    click(form, "BitBtn2");
    QCOMPARE(form.gridModel()->cell(2, 6), QStringLiteral("15/05/2024"));
    QCOMPARE(localStore().table(LocalTableId::ReminderLog).count(), 3);
    // Clicked with the mouse, the notice is of the clicked row.
    const auto clickRow = [&form](int row) {
        QTableView *view = grid(form);
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {},
                          view->visualRect(view->model()->index(row, 0)).center());
        return control<QLabel>(form, "LabelUltimoEnvio")->text();
    };
    QCOMPARE(clickRow(1), QString());
    QVERIFY(clickRow(0).contains(QLatin1String("hoy")));

    // A link the desktop cannot open is said, and the row is not passed by.
    m_linksOpen = false;
    grid(form)->selectRow(0);
    click(form, "BitBtn1");
    QVERIFY(m_shown.last().startsWith(QLatin1String("Error: No se pudo abrir WhatsApp")));
    QCOMPARE(Widgets::selectedGridRow(grid(form)), 0);

    // An empty reading leaves "Enviar" enabled; it then finds no number.
    setPeriod(form, QDate(2025, 1, 1), QDate(2025, 1, 31));
    click(form, "BitBtn2");
    QCOMPARE(form.gridModel()->rowCount(), 0);
    click(form, "BitBtn1");
    QCOMPARE(m_shown.last(), QStringLiteral("Error: Sin número de celular"));
}

void TstSeguimiento::reminderTextIsKeptWhateverHappens()
{
    {
        TEnvioWhatsappForm form;
        form.show();
        control<QPlainTextEdit>(form, "Memo1")->setPlainText(QStringLiteral("Nuevo texto\ncon dos líneas 😀"));
        form.close();
    }
    QCOMPARE(stored("mensajeWhatsApp"), QStringLiteral("Nuevo texto\ncon dos líneas 😀"));
    QCOMPARE(stored("mensajeWhatsAppPh"), QStringLiteral("Su PH vence pronto"));
    {
        TEnvioWhatsappForm form;
        control<QPlainTextEdit>(form, "Memo1")->clear();
        form.reject();
    }
    QCOMPARE(stored("mensajeWhatsApp"), QString()); // cleared is stored as empty
    QSqlQuery isNull(m_db);
    isNull.exec(QStringLiteral("select mensajeWhatsApp is null from tal"));
    QVERIFY(isNull.next() && !isNull.value(0).toBool());

    // A text that could not be read is not wiped out on closing.
    Build::run(m_db, QStringLiteral("update tal set mensajeWhatsApp = 'Guardado'"));
    dm1().configure(Conn::Operations,
                    {TestDb::host(), QStringLiteral("no_such_db"), TestDb::user(), TestDb::password(), {}});
    {
        TEnvioWhatsappForm form;
        QCOMPARE(m_shown.size(), 1);
        QVERIFY(m_shown.first().startsWith(QLatin1String("Error: ")));
        form.reject();
    }
    dm1().configure(Conn::Operations, {TestDb::host(), kDb, TestDb::user(), TestDb::password(), {}});
    QCOMPARE(stored("mensajeWhatsApp"), QStringLiteral("Guardado"));
}

void TstSeguimiento::testReminderHasItsOwnListAndText()
{
    Operation o;
    o.expires = QDate(2024, 6, 10);
    o.plate = QStringLiteral("PH111AA");
    Build::insert(m_db, o.n(1));
    Build::cylinder(m_db, 1, QStringLiteral("C-1"), QDate(2024, 6, 5));
    Build::cylinder(m_db, 1, QStringLiteral("C-2"), QDate(2024, 6, 30));
    o.plate = QStringLiteral("NOPH");
    Build::insert(m_db, o.n(2));
    Build::cylinder(m_db, 2, QStringLiteral("C-3"), QDate(2027, 6, 5));
    o.plate = QStringLiteral("PH111AA"); // a second operation giving the same line: listed once
    o.expires = QDate(2024, 6, 20);
    Build::insert(m_db, o.n(3));
    Build::cylinder(m_db, 3, QStringLiteral("C-4"), QDate(2024, 6, 7));

    TEnvioWhatsappPHForm form;
    form.show();
    QCOMPARE(form.windowTitle(), QStringLiteral("Envío de WhatsApp para Renovación de PH"));
    QCOMPARE(control<QPlainTextEdit>(form, "Memo1")->toPlainText(), QStringLiteral("Su PH vence pronto"));
    setPeriod(form, QDate(2024, 6, 1), QDate(2024, 6, 30));
    click(form, "BitBtn2");
    Widgets::ResultGridModel *m = form.gridModel();
    QCOMPARE(m->rowCount(), 1);
    QStringList titles;
    for (int c = 0; c < m->columnCount(); ++c)
        titles << m->headerData(c, Qt::Horizontal).toString();
    QCOMPARE(titles, (QStringList{"Dominio", "Auto", "Modelo", "Propietario", "Celular", "Vencimiento",
                                  QStringLiteral("Último envío")}));
    QCOMPARE(m->cell(0, 5), QStringLiteral("06/2024"));
    click(form, "BitBtn1");
    QCOMPARE(m_links, QStringList{"https://wa.me/5491154327788?text=Su%20PH%20vence%20pronto"});
    form.close();
    QCOMPARE(stored("mensajeWhatsAppPh"), QStringLiteral("Su PH vence pronto"));
}

void TstSeguimiento::appointmentBookDayByDay()
{
    Build::slotTimes(m_db, {"10:00", "08:30", "09:00"});
    TAgendaTurnosForm form;
    form.show();
    QCOMPARE(form.windowTitle(), QStringLiteral("Agenda de Turnos"));
    auto *calendar = control<QCalendarWidget>(form, "Calendar1");
    QCOMPARE(calendar->firstDayOfWeek(), Qt::Monday);
    QCOMPARE(form.day(), kToday);
    QCOMPARE(control<QLabel>(form, "LabelFecha")->text(), QStringLiteral("mayo 2024"));
    Widgets::ResultGridModel *m = form.gridModel();
    QCOMPARE(m->rowCount(), 3);
    QCOMPARE(m->cell(0, 0), QStringLiteral("08:30"));
    QCOMPARE(m->data(m->index(0, 1), Qt::BackgroundRole).value<QColor>(), QColor(192, 220, 192));

    // Booking: the dialog starts empty, converts to upper case, and the list
    // is read again; booking again replaces the texts.
    QStringList dialogs;
    Widgets::setExecHook([&](QDialog &d) -> int {
        QString typed;
        for (QLineEdit *e : d.findChildren<QLineEdit *>())
            typed += e->text();
        dialogs << d.windowTitle() + (typed.isEmpty() ? QString() : QStringLiteral(" (no vacío)"));
        QTest::keyClicks(d.findChild<QLineEdit *>("EditCliente"), QStringLiteral("perez juan"));
        QTest::keyClicks(d.findChild<QLineEdit *>("EditDominio"), QStringLiteral("ab123cdxx"));
        QTest::keyClicks(d.findChild<QLineEdit *>("EditTelefono"), QStringLiteral("11-4444-5555"));
        QTest::mouseClick(d.findChild<QPushButton *>("BitBtn1"), Qt::LeftButton);
        return d.result();
    });
    grid(form)->selectRow(1);
    click(form, "BitBtn2");
    click(form, "BitBtn2");
    Widgets::setExecHook({});
    QCOMPARE(dialogs, (QStringList{"Dar Turno", "Dar Turno"}));
    QCOMPARE(m->cell(1, 1), QStringLiteral("PEREZ JUAN"));
    QCOMPARE(m->cell(1, 3), QStringLiteral("AB123CD"));
    QCOMPARE(m->cell(1, 4), QStringLiteral("11-4444-5555"));
    QCOMPARE(Widgets::selectedGridRow(grid(form)), 1);

    click(form, "BitBtn3");
    const Printed &sheet = m_printed.last();
    QCOMPARE(sheet.layout, QStringLiteral("TQPlanillaDeTurnosForm"));
    QCOMPARE(sheet.unbound, QStringList());
    QCOMPARE(sheet.texts("QRDBText1"), (QStringList{"08:30", "09:00", "10:00"}));
    QCOMPARE(sheet.texts("QRDBText2"), (QStringList{"", "PEREZ JUAN", ""}));
    QCOMPARE(sheet.text("QRLabelFecha"), shortDate(kToday));

    m_answers = {false};
    click(form, "BitBtn1");
    QCOMPARE(m_shown, QStringList{"Cuidado!: Esta seguro de anular el turno?"});
    QCOMPARE(m_lastKind, Msg::Kind::WarningYesNo); // "Si" / "No"
    QCOMPARE(m->cell(1, 1), QStringLiteral("PEREZ JUAN"));
    m_answers = {true};
    click(form, "BitBtn1");
    QCOMPARE(m->cell(1, 1), QString());

    // The next month: the same day, its slots created on the way.
    QTest::mouseClick(control<QToolButton>(form, "SpeedButton2"), Qt::LeftButton);
    QCOMPARE(form.day(), QDate(2024, 6, 15));
    QCOMPARE(control<QLabel>(form, "LabelFecha")->text(), QStringLiteral("junio 2024"));
    QCOMPARE(m->rowCount(), 3);
    QTest::mouseClick(control<QToolButton>(form, "SpeedButton1"), Qt::LeftButton);
    QTest::mouseClick(control<QToolButton>(form, "SpeedButton1"), Qt::LeftButton);
    QCOMPARE(form.day(), QDate(2024, 4, 15));
    calendar->setSelectedDate(QDate(2024, 4, 30));
    QCOMPARE(m->rowCount(), 3);
    QCOMPARE(Build::count(m_db, QStringLiteral("select count(*) from turnos_agenda")), 4 * 3);

    // A day that cannot be read lists nothing: never the last day's slots
    // under its date, where a booking would go nowhere.
    dm1().configure(Conn::Operations,
                    {TestDb::host(), QStringLiteral("no_such_db"), TestDb::user(), TestDb::password(), {}});
    calendar->setSelectedDate(QDate(2024, 4, 29));
    dm1().configure(Conn::Operations, {TestDb::host(), kDb, TestDb::user(), TestDb::password(), {}});
    QVERIFY(m_shown.last().startsWith(QLatin1String("Error: ")));
    QCOMPARE(m->rowCount(), 0);
}

void TstSeguimiento::windowsAnswerTheirNodes()
{
    ScopedNavigator nav;
    Followup::registerWindows(nav.get());
    for (const char *node :
         {"Obleas Asignadas", "Vencimiento de Obleas de Clientes", "Envío de Whatsapp para Renovación de Obleas",
          "Envio de Whatsapp para Renovación de PH", "Agenda de Turnos"})
        QCOMPARE(nav->route(QString::fromUtf8(node)), Navigator::Route::Opens);
}

TARVIL_GUARDED_TEST_MAIN(TstSeguimiento)
#include "tst_seguimiento.moc"
