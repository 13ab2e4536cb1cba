// The screen gallery: every window of every installation profile drawn to
// PNG files as the operator sees it with the demo data, so that anyone can
// look at all of them at once. Windows are found through the navigator's
// registrations, so a window registered later appears without an edit here;
// the operation form is shown filled, in every kind, with its own dialogs.
//
//   tarvil_gallery --out DIR [--profile NAME|ID] [--load] [--scale F] [--check]
//
// --scale draws at that scaling (QT_SCALE_FACTOR: 1.25 is Windows' usual
// 125 %); --check looks at every window as it opens, on a 1366x768 screen
// with a taskbar, and ends with 1 when one does not fit, has controls drawn
// over one another or a button out of reach (fitcheck.h); without --out it
// draws no pictures; --no-fit opens the windows without the form kit's fit
// to the screen, to count those that would not fit without it.
//
// It logs in as the demo workshop through the login dialog on the server
// MYSQL_UNIX_PORT reaches; --load first (re)creates the databases "tarvil"
// and "tarvil_pec" there from db/schema.sql and db/demo-data.sql; --unload
// drops them at the end (the suite's server must not keep them).
// scripts/gallery starts a private server and runs it.
#include "app/daysummarypanel.h"
#include "app/navigator.h"
#include "app/startup.h"
#include "app/tarvilapplication.h"
#include "app/tinicioform.h"
#include "app/tmainform.h"
#include "app/windows.h"
#include "controls.h"
#include "core/global.h"
#include "core/installationprofile.h"
#include "data/backgroundquery.h"
#include "data/dm1.h"
#include "fitcheck.h"
#include "followup/windows.h"
#include "operations/linklabel.h"
#include "operations/print/tseleccionarimpresoraalderform.h"
#include "operations/trevisionanualform.h"
#include "operations/windows.h"
#include "testdb.h"
#include "widgets/formwindow.h"
#include "widgets/searchdialog.h"
#include "workshop/windows.h"

#include <QApplication>
#include <QCheckBox>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <cstdio>
#include <functional>

namespace
{

using Step = std::function<void()>;

// Values of the demo data the windows are filled with.
struct Samples {
    QString sticker, previousSticker, kind, domain, owner, cylinderSerial, regulatorSerial;
    int pendingId = 0;
    QString pendingKind;
};

// Every modal window, as it opens: drawn, then what the gallery does in it,
// then closed. Nested windows (a look-up opened from a form) are caught the
// same way while their opener waits.
class Catcher : public QObject
{
public:
    // `quick`: nothing is drawn, so a window is looked at as soon as it is up
    // and the gallery's steps in it follow one another without a pause.
    Catcher(const Samples &samples, bool quick) : m_samples(samples), m_quick(quick)
    {
        connect(&m_poll, &QTimer::timeout, this, &Catcher::poll);
        m_poll.start(quick ? 2 : 15);
    }

    void setFolder(const QString &dir)
    {
        m_dir = dir;
        m_seq = 0;
        if (!dir.isEmpty())
            QDir().mkpath(dir);
    }
    void setContext(const QString &context) { m_context = context; }
    int saved() const { return m_saved; }

    // --check: the usable part of the screen, in logical pixels.
    // Sideways scrolling counts up to 125 %: at 150 % the screen is 910
    // pixels wide, narrower than some forms are meant to be.
    void checkOn(const QRect &usable, bool sideways)
    {
        m_usable = usable;
        m_sideways = sideways;
    }
    QRect usable() const { return m_usable; }
    void check(QWidget *w)
    {
        if (m_usable.isEmpty())
            return;
        QCoreApplication::processEvents();
        ++m_checked;
        const QStringList found = FitCheck::problems(w, m_usable, m_sideways);
        if (found.isEmpty())
            return;
        ++m_failed;
        const bool tooBig = found.first().startsWith(QLatin1String("no entra"));
        m_tooBig += tooBig;
        for (const QString &p : found)
            std::fprintf(stderr, "gallery: %s/%s: %s\n", qPrintable(m_context), qPrintable(w->objectName()),
                         qPrintable(p));
    }
    int checked() const { return m_checked; }
    int failed() const { return m_failed; }
    int tooBig() const { return m_tooBig; }

    void save(QWidget *w, const QString &what = QString())
    {
        QCoreApplication::processEvents();
        if (m_dir.isEmpty())
            return;
        QString name = w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName();
        name.replace(QLatin1String("::"), QLatin1String("_"));
        if (!what.isEmpty())
            name += QLatin1Char('-') + what;
        const QString file =
            QStringLiteral("%1/%2-%3-%4.png").arg(m_dir).arg(++m_seq, 3, 10, QLatin1Char('0')).arg(m_context, name);
        if (w->grab().save(file))
            ++m_saved;
        else
            std::fprintf(stderr, "gallery: could not write %s\n", qPrintable(file));
    }

private:
    void poll()
    {
        // A window shown again (the shared TConfirmDlg) is caught again.
        m_open.removeIf([](const QPointer<QWidget> &o) { return !o || !o->isVisible(); });
        QWidget *w = QApplication::activeModalWidget();
        if (!w || m_open.contains(w))
            return;
        m_open << w;
        // Let it finish showing: what it does on activation (a search) included.
        QPointer<QWidget> p(w);
        QTimer::singleShot(m_quick ? 5 : 120, this, [this, p] {
            if (!p)
                return;
            save(p);
            check(p);
            run(p, stepsFor(p));
        });
        // Nothing may keep the gallery waiting.
        QTimer::singleShot(20000, p, [p] {
            if (p && p->isVisible()) {
                std::fprintf(stderr, "gallery: %s closed after 20 s\n", qPrintable(p->objectName()));
                close(p);
            }
        });
    }

    static void close(QWidget *w)
    {
        if (auto *d = qobject_cast<QDialog *>(w))
            d->reject();
        else
            w->close();
    }

    void run(QPointer<QWidget> w, QList<Step> steps)
    {
        if (!w)
            return;
        if (steps.isEmpty()) {
            if (w->isVisible()) // a step may have closed it with its own answer
                close(w);
            return;
        }
        QTimer::singleShot(m_quick ? 0 : 30, this, [this, w, steps] {
            if (!w)
                return;
            steps.first()();
            run(w, steps.mid(1));
        });
    }

    Step saveStep(QPointer<QWidget> w, const QString &what)
    {
        return [this, w, what] {
            if (w)
                save(w, what);
        };
    }

    template <typename Button> static Step click(Button *b)
    {
        QPointer<Button> p(b);
        return [p] {
            if (p && p->isVisible() && p->isEnabled())
                p->click();
        };
    }

    QList<Step> stepsFor(QPointer<QWidget> w)
    {
        if (auto *form = qobject_cast<TRevisionAnualForm *>(w))
            return operationForm(form);
        if (qobject_cast<TSeleccionarImpresoraAlderForm *>(w))
            return {[w] { static_cast<QDialog *>(w.data())->accept(); }}; // the blank sheet, to its preview
        if (auto *search = qobject_cast<Widgets::SearchDialog *>(w)) {
            if (!search->searchBox() || !search->searchButton())
                return {};
            QPointer<Widgets::SearchDialog> s(search);
            return {[this, s] {
                        if (s)
                            s->searchBox()->setText(searchKey(s->objectName()));
                    },
                    click(search->searchButton()),
                    [s] {
                        // Lists are read off the window's thread.
                        QElapsedTimer t;
                        t.start();
                        while (s && s->isSearching() && t.elapsed() < 20000)
                            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
                    },
                    saveStep(w, QStringLiteral("resultado"))};
        }
        if (auto *read = w->findChild<QPushButton *>(QStringLiteral("BitBtn2"));
            read && w->objectName().startsWith(QLatin1String("ConsultaDePendientes")))
            return {click(read), saveStep(w, QStringLiteral("lista"))};
        // Messages stay unread for the next profile.
        if (auto *markRead = w->findChild<QCheckBox *>())
            if (w->objectName().contains(QLatin1String("Mensajes")))
                markRead->setChecked(false);
        return {};
    }

    QString searchKey(const QString &window) const
    {
        if (window.contains(QLatin1String("Cilindro")))
            return window.startsWith(QLatin1String("TBuscar")) ? QString() : m_samples.cylinderSerial;
        if (window.contains(QLatin1String("Regulador")))
            return window.startsWith(QLatin1String("TBuscar")) ? QString() : m_samples.regulatorSerial;
        if (window.contains(QLatin1String("Dominio")))
            return m_samples.domain;
        if (window.contains(QLatin1String("Oblea")))
            return m_samples.sticker;
        if (window.contains(QLatin1String("Apellido")))
            return m_samples.owner.section(QLatin1Char(' '), 0, 0);
        return {}; // a catalogue: all of it
    }

    // The form filled by a recall of the demo operation (a pending one comes
    // loaded), then the dialogs it opens.
    QList<Step> operationForm(TRevisionAnualForm *f)
    {
        QPointer<TRevisionAnualForm> form(f);
        QList<Step> steps;
        if (!f->isConsultation() && !f->editingPending())
            steps << [this, form] {
                if (!form)
                    return;
                control<QLineEdit>(form, "ObleaAntEdit")->setText(m_samples.sticker);
                control<QToolButton>(form, "SpeedButton1")->click();
            };
        steps << saveStep(QPointer<QWidget>(f), QStringLiteral("lleno"));
        const QString kind = f->kind();
        if (kind == QLatin1String("R")) {
            steps << click(control<QToolButton>(f, "SpeedButton5")) << click(control<QToolButton>(f, "SpeedButton6"))
                  << click(control<QToolButton>(f, "SpeedButton2")) <<
                [form] {
                    if (form)
                        emit control<LinkLabel>(form, "Label35")->clicked();
                } <<
                [form] {
                    if (form)
                        control<QLineEdit>(form, "CodigoRegularEdit")->clear();
                } << click(control<QToolButton>(f, "SpeedButton3"))
                  << click(control<QPushButton>(f, "BitBtnAdjuntar"))
                  << click(control<QPushButton>(f, "BitBtnAccesorios"));
        } else if (kind == QLatin1String("C")) {
            steps << click(control<QToolButton>(f, "SpeedButton4"));
        } else if (kind == QLatin1String("H")) {
            steps << click(control<QToolButton>(f, "SpeedButton8"));
        }
        if (kind == QLatin1String("R") || f->isConsultation())
            steps << click(control<QPushButton>(f, "BitBtn5")); // the profile's sheet
        return steps;
    }

    const Samples &m_samples;
    const bool m_quick;
    QTimer m_poll;
    QList<QPointer<QWidget>> m_open; // caught and still showing
    QString m_dir, m_context;
    int m_seq = 0;
    int m_saved = 0;
    QRect m_usable;
    bool m_sideways = true;
    int m_checked = 0, m_failed = 0, m_tooBig = 0;
};

Samples readSamples(const QString &workshop)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QMYSQL"), QStringLiteral("gallery"));
    db.setHostName(TestDb::host());
    db.setDatabaseName(QStringLiteral("tarvil"));
    db.setUserName(TestDb::user());
    db.setPassword(TestDb::password());
    Samples s;
    if (!db.open())
        return s;
    QSqlQuery q(db);
    // The workshop's latest operation with a sticker, cylinders and a regulator.
    q.prepare(QStringLiteral("select u.uobleanew, u.uobleaant, u.ucodgest, u.udominio, u.uapeynom, "
                             "(select min(c.cnroserie) from cil c where c.talcuit = u.talcuit and "
                             "c.tnrointopr = u.tnrointopr), (select min(r.rnroserie) from reg r where "
                             "r.talcuit = u.talcuit and r.tnrointopr = u.tnrointopr) from usr u "
                             "where u.codtal = ? and u.uobleanew <> '' and u.ucodgest in ('R', 'C') "
                             "order by u.ufechab desc limit 1"));
    q.addBindValue(workshop);
    if (q.exec() && q.next()) {
        s.sticker = q.value(0).toString().trimmed();
        s.previousSticker = q.value(1).toString().trimmed();
        s.kind = q.value(2).toString().trimmed();
        s.domain = q.value(3).toString().trimmed();
        s.owner = q.value(4).toString().trimmed();
        s.cylinderSerial = q.value(5).toString().trimmed();
        s.regulatorSerial = q.value(6).toString().trimmed();
    }
    q.prepare(QStringLiteral("select id, ucodgest from temp_usr where codtal = ? and estado = 0 order by id limit 1"));
    q.addBindValue(workshop);
    if (q.exec() && q.next()) {
        s.pendingId = q.value(0).toInt();
        s.pendingKind = q.value(1).toString().trimmed();
    }
    return s;
}

// A server letter whose operations connection is this machine's server.
QString localLetter(const InstallationProfile &p)
{
    for (const char *letter : {"L", "W", "A"}) {
        const SettingsChoice c = resolveSettings(p, Conn::Operations, QLatin1String(letter));
        if (c.action == SettingsChoice::Write && c.settings.hostName == QLatin1String("localhost"))
            return QLatin1String(letter);
    }
    return QStringLiteral("L");
}

void settle(int ms = 80)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < ms)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

void renderProfile(const InstallationProfile &p, Catcher &catcher, const Samples &samples, const QString &out)
{
    catcher.setFolder(out.isEmpty() ? QString() : QDir(out).filePath(p.name));
    Global = GlobalState{};
    {
        QSettings ini(QStringLiteral("tarvil.ini"), QSettings::IniFormat);
        ini.setValue(QStringLiteral("DATA/ID"), p.installationId);
        ini.setValue(QStringLiteral("DATA/SERVER"), localLetter(p));
    }
    catcher.setContext(QStringLiteral("Ingreso"));
    auto login = std::make_unique<TInicioForm>();
    login->show();
    settle();
    catcher.save(login.get());
    catcher.check(login.get());
    // Whatever the profile's servers, the demo database answers.
    for (Conn c : {Conn::Operations, Conn::PostVenta})
        dm1().configure(c, localSettings());
    if (auto *id = login->findChild<QLineEdit *>(QStringLiteral("EditId")))
        id->setText(QStringLiteral("TDM0001"));
    if (auto *pw = login->findChild<QLineEdit *>(QStringLiteral("EditPassword")))
        pw->setText(QStringLiteral("demo"));
    if (auto *ok = login->findChild<QPushButton *>(QStringLiteral("BitBtn1")))
        ok->click();
    settle();
    login.reset();
    if (!Global.LoggedIn)
        std::fprintf(stderr, "gallery: %s: the demo login was refused\n", qPrintable(p.name));

    catcher.setContext(QStringLiteral("Principal"));
    TMainForm main(TMainForm::SkipLogin{});
    // Maximized on the operator's screen: all of it above the taskbar, less
    // the frame (offscreen, a maximized window would take the whole screen).
    main.setWindowState(Qt::WindowNoState);
    // At 150 % that is much less than 1366x738.
    main.setGeometry(
        (catcher.usable().isEmpty() ? QGuiApplication::primaryScreen()->availableGeometry() : catcher.usable())
            .adjusted(8, 31, -8, -8));
    main.show();
    // The day summary as the operator finds it after the login.
    main.daySummary()->refresh();
    QElapsedTimer reading;
    reading.start();
    while (main.daySummary()->isReading() && reading.elapsed() < 10000)
        settle(20);
    settle(150);
    catcher.save(&main);
    catcher.check(&main);

    Navigator &nav = navigator();
    for (WindowId id : nav.registeredWindows()) {
        if (!nav.answers<Nav::Open>(id))
            continue;
        catcher.setContext(windowIdName(id));
        nav.request(Nav::Open{id}, &main);
        settle(20);
    }
    for (const QString kind : {"C", "M", "R", "B", "X", "H"}) {
        catcher.setContext(QStringLiteral("OperationForm-") + kind);
        nav.request(Nav::OpenOperation{kind}, &main);
    }
    catcher.setContext(QStringLiteral("OperationForm-Consulta"));
    Nav::ViewOperation view;
    view.kind = samples.kind;
    view.sticker = samples.sticker;
    view.previousSticker = samples.previousSticker;
    nav.request(view, &main);
    if (samples.pendingId > 0) {
        catcher.setContext(QStringLiteral("OperationForm-Pendiente"));
        Nav::EditPending pending;
        pending.pendingId = samples.pendingId;
        pending.kind = samples.pendingKind;
        nav.request(pending, &main);
    }
    // Hand-overs whose windows other features may register.
    if (nav.answers<Nav::OpenCommitmentLetter>()) {
        catcher.setContext(QStringLiteral("CommitmentLetter"));
        Nav::OpenCommitmentLetter letter;
        letter.ownerName = samples.owner;
        letter.domain = samples.domain;
        letter.previousSticker = samples.sticker;
        nav.request(letter, &main);
    }
    if (nav.answers<Nav::ShowCylinderLife>() && !samples.cylinderSerial.isEmpty()) {
        catcher.setContext(QStringLiteral("CylinderLife"));
        nav.request(Nav::ShowCylinderLife{samples.cylinderSerial, {}}, &main);
    }
    if (nav.answers<Nav::PickOwner>()) {
        catcher.setContext(QStringLiteral("Owners"));
        nav.request(Nav::PickOwner{}, &main);
    }
    if (nav.answers<Nav::PickConversionOrder>()) {
        catcher.setContext(QStringLiteral("ConversionOrders"));
        nav.request(Nav::PickConversionOrder{}, &main);
    }
    main.close();
    dm1().closeAll();
}

void writeIndex(const QString &out)
{
    QFile f(QDir(out).filePath(QStringLiteral("index.html")));
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return;
    QString html = QStringLiteral("<!doctype html><meta charset=utf-8><title>Tarvil: ventanas</title>"
                                  "<style>img{max-width:440px;border:1px solid #888;margin:4px}</style>");
    const QDir dir(out);
    for (const QString &profile : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name)) {
        html += QStringLiteral("<h2>%1</h2>").arg(profile);
        for (const QString &png : QDir(dir.filePath(profile)).entryList({QStringLiteral("*.png")}, QDir::Files))
            html += QStringLiteral("<a href='%1/%2'><img src='%1/%2' title='%2'></a>").arg(profile, png);
    }
    f.write(html.toUtf8());
}

} // namespace

int main(int argc, char *argv[])
{
    // The scaling and the screen must be known before the application starts.
    bool checkRun = false;
    for (int i = 1; i < argc; ++i) {
        if (qstrcmp(argv[i], "--scale") == 0 && i + 1 < argc)
            qputenv("QT_SCALE_FACTOR", argv[i + 1]);
        checkRun = checkRun || qstrcmp(argv[i], "--check") == 0;
    }
    // The offscreen platform says this for every fixed-size window.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &text) {
        if (!text.contains(QLatin1String("propagateSizeHints")))
            std::fprintf(stderr, "%s%s\n", type == QtWarningMsg ? "aviso: " : "", qPrintable(text));
    });
    // Offscreen on a 1366x768 screen, unless told otherwise (a bare
    // "offscreen", as the test script sets, would give an 800x800 screen).
    QTemporaryDir scratch;
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (platform.isEmpty() || platform == "offscreen") {
        const QString config = scratch.filePath(QStringLiteral("screen.json"));
        QFile f(config);
        if (f.open(QIODevice::WriteOnly))
            // --check: what a 768-line screen leaves above a 40-pixel taskbar
            // (offscreen, a screen has no taskbar of its own).
            f.write(QStringLiteral(R"({"screens": [{"name": "gallery", "x": 0, "y": 0, "width": 1366, "height": %1,
                        "logicalDpi": 96, "logicalBaseDpi": 96, "dpr": 1}]})")
                        .arg(checkRun ? 728 : 768)
                        .toUtf8());
        qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config).toLocal8Bit());
    }
    if (!qEnvironmentVariableIsSet("TARVIL_LOCAL_DIR"))
        qputenv("TARVIL_LOCAL_DIR", scratch.filePath(QStringLiteral("local")).toLocal8Bit());
    QApplication::setAttribute(Qt::AA_Use96Dpi, true);
    TarvilApplication app(argc, argv);
    Startup::prepareApplication(app);

    QCommandLineParser args;
    args.addHelpOption();
    args.addOption({QStringLiteral("out"), QStringLiteral("Carpeta de las imágenes."), QStringLiteral("dir")});
    args.addOption(
        {QStringLiteral("profile"), QStringLiteral("Sólo este perfil (nombre o ID)."), QStringLiteral("perfil")});
    args.addOption({QStringLiteral("load"), QStringLiteral("Carga las bases tarvil y tarvil_pec con la demo.")});
    args.addOption({QStringLiteral("unload"), QStringLiteral("Borra las bases de la demo al terminar.")});
    args.addOption(
        {QStringLiteral("scale"), QStringLiteral("Escala de la pantalla (1.25 = 125 %)."), QStringLiteral("factor")});
    args.addOption({QStringLiteral("check"), QStringLiteral("Controla que cada ventana entre en la pantalla.")});
    args.addOption({QStringLiteral("no-fit"), QStringLiteral("Sin ajustar las ventanas a la pantalla.")});
    args.process(app);
    Widgets::setFitting(!args.isSet(QStringLiteral("no-fit")));
    const bool checking = args.isSet(QStringLiteral("check"));
    QString out = args.value(QStringLiteral("out"));
    if (out.isEmpty() && !checking)
        out = QStringLiteral("gallery");
    if (!out.isEmpty())
        out = QDir(out).absolutePath();

    if (args.isSet(QStringLiteral("load"))) {
        try {
            for (const QString name : {"tarvil", "tarvil_pec"}) {
                QSqlDatabase db = TestDb::create(name, QStringLiteral("gallery-load"));
                TestDb::runSqlFile(db, TestDb::repoPath(QStringLiteral("db/demo-data.sql")));
                db.close();
            }
        } catch (const std::exception &e) {
            std::fprintf(stderr, "gallery: no se pudo cargar la demo: %s\n", e.what());
            return 2;
        }
    }

    Navigator &nav = navigator();
    App::registerWindows(nav);
    Operations::registerWindows(nav);
    Followup::registerWindows(nav);
    Workshop::registerWindows(nav);

    const Samples samples = readSamples(QStringLiteral("TDM0001"));
    if (samples.sticker.isEmpty()) {
        std::fprintf(stderr, "gallery: la base de la demo no responde o no tiene operaciones\n");
        return 2;
    }
    // tarvil.ini is read from the current directory.
    QDir::setCurrent(scratch.path());
    Catcher catcher(samples, out.isEmpty());
    if (checking) {
        // The screen set up above: 1366x768 less a 40-pixel taskbar, in the
        // scaled pixels windows use.
        catcher.checkOn(QGuiApplication::primaryScreen()->availableGeometry(),
                        qEnvironmentVariable("QT_SCALE_FACTOR", QStringLiteral("1")).toDouble() <= 1.25);
    }
    const QString only = args.value(QStringLiteral("profile"));
    int profiles = 0;
    for (const InstallationProfile &p : installationProfiles()) {
        if (!only.isEmpty() && p.name.compare(only, Qt::CaseInsensitive) != 0 && p.installationId != only)
            continue;
        renderProfile(p, catcher, samples, out);
        ++profiles;
    }
    if (!out.isEmpty())
        writeIndex(out);
    if (args.isSet(QStringLiteral("unload"))) {
        BackgroundQuery::stopWorkers();
        dm1().closeAll();
        QSqlDatabase::removeDatabase(QStringLiteral("gallery"));
        for (const QString name : {"tarvil", "tarvil_pec"})
            TestDb::drop(name);
    }
    if (checking) {
        std::printf("gallery: %d ventanas controladas, %d con problemas, %d no entran en la pantalla\n",
                    catcher.checked(), catcher.failed(), catcher.tooBig());
        return profiles > 0 && catcher.checked() > 0 && catcher.failed() == 0 ? 0 : 1;
    }
    std::printf("gallery: %d imágenes de %d perfiles en %s\n", catcher.saved(), profiles, qPrintable(out));
    return profiles > 0 && catcher.saved() > 0 ? 0 : 1;
}
