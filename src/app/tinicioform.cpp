#include "app/tinicioform.h"

#include "app/startup.h"
#include "app/tnuevaversionform.h"
#include "core/global.h"
#include "core/iniconfig.h"
#include "core/installationprofile.h"
#include "core/login.h"
#include "data/backgroundquery.h"
#include "data/dm1.h"
#include "data/loginrepository.h"
#include "widgets/formwindow.h"
#include "widgets/messages.h"
#include "widgets/serverwait.h"
#include "widgets/waitcursor.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>
#include <QValidator>
#include <QWindow>

namespace
{

constexpr int kDesignColour = 14011816; // kept when no profile matches

// Converts case as the user types or pastes; the code box also refuses any
// character its key filter would have discarded.
class CaseValidator : public QValidator
{
public:
    CaseValidator(bool upper, bool codeOnly, QObject *parent) : QValidator(parent), m_upper(upper), m_codeOnly(codeOnly)
    {
    }
    State validate(QString &input, int &) const override
    {
        input = m_upper ? input.toUpper() : input.toLower();
        if (m_codeOnly)
            for (QChar c : input)
                if (!Login::codeKeyPasses(c) || c.unicode() == 8)
                    return Invalid;
        return Acceptable;
    }

private:
    bool m_upper;
    bool m_codeOnly;
};

void setBackground(QWidget *w, int colour)
{
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, winColour(colour));
    w->setPalette(pal);
    w->setAutoFillBackground(true);
}

void setTextColour(QLabel *label, int colour)
{
    QPalette pal = label->palette();
    pal.setColor(QPalette::WindowText, winColour(colour));
    label->setPalette(pal);
}

void showDecision(QWidget *parent, const Login::Decision &d)
{
    switch (d.kind) {
    case Login::MessageKind::Warning:
        Msg::warning(parent, d.message);
        break;
    case Login::MessageKind::Error:
        Msg::error(parent, d.message);
        break;
    case Login::MessageKind::Info:
        Msg::info(parent, d.message);
        break;
    case Login::MessageKind::None:
        break;
    }
}

void configure(const InstallationProfile &p, Conn conn)
{
    const SettingsChoice choice = resolveSettings(p, conn, Global.ServerCode);
    if (choice.action == SettingsChoice::Write)
        dm1().configure(conn, choice.settings);
}

// What tarvil.ini says about reaching the servers: the time a statement may
// wait on every connection; the account and TLS on the PEC's central server
// (the operations connection, and the others where they go to the same host).
void applyIni(const IniConfig &ini)
{
    const QString central = dm1().settings(Conn::Operations).hostName;
    for (Conn c : {Conn::Operations, Conn::PostVenta, Conn::Sister}) {
        const bool sameServer = c == Conn::Operations || dm1().settings(c).hostName == central;
        LinkOptions options;
        options.timeoutSeconds = ini.timeoutSeconds;
        options.tls = sameServer && ini.tls;
        options.tlsCaFile = ini.tlsCaFile;
        dm1().setLinkOptions(c, options);
        if (sameServer && ini.hasAccount()) {
            ConnectionSettings s = dm1().settings(c);
            if (!s.isEmpty()) {
                s.userName = ini.user;
                s.password = ini.password;
                dm1().configure(c, s);
            }
        }
    }
}

} // namespace

TInicioForm::TInicioForm(QWidget *parent) : QDialog(parent)
{
    buildControls();
    FormCreate();
}

TInicioForm::~TInicioForm() = default;

void TInicioForm::buildControls()
{
    setObjectName(QStringLiteral("InicioForm"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint); // no caption, no close icon
    setBackground(this, kDesignColour);

    Label1 = new QLabel(QStringLiteral("Tar"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label2 = new QLabel(QStringLiteral("vil"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    for (QLabel *l : {Label1, Label2}) {
        QFont f = l->font();
        f.setPointSize(28);
        f.setBold(true);
        l->setFont(f);
    }
    LabelVersion = new QLabel(QStringLiteral("Versión ") + programVersionText(), this);
    LabelVersion->setObjectName(QStringLiteral("LabelVersion"));
    LabelServer = new QLabel(this);
    LabelServer->setObjectName(QStringLiteral("LabelServer"));
    LabelServer->hide();
    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setFixedSize(120, 90);
    Image1->setScaledContents(true);
    LabelHint = new QLabel(QStringLiteral("Ingrese su taller y contraseña para acceder a los servicios del PEC"), this);
    LabelHint->setObjectName(QStringLiteral("LabelHint"));
    LabelHint->setWordWrap(true);

    EditPEC = new QLineEdit(this);
    EditPEC->setObjectName(QStringLiteral("EditPEC"));
    EditPEC->setReadOnly(true);
    EditPEC->setFocusPolicy(Qt::NoFocus);

    EditId = new QLineEdit(this);
    EditId->setObjectName(QStringLiteral("EditId"));
    EditId->setMaxLength(Login::kCodeMaxLength);
    EditId->setValidator(new CaseValidator(true, true, EditId));
    EditId->installEventFilter(this);

    EditPassword = new QLineEdit(this);
    EditPassword->setObjectName(QStringLiteral("EditPassword"));
    EditPassword->setMaxLength(Login::kPasswordMaxLength);
    EditPassword->setValidator(new CaseValidator(false, false, EditPassword));
    EditPassword->setEchoMode(QLineEdit::Password);
    EditPassword->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 42; }"));

    BitBtn1 = new QPushButton(QStringLiteral("&Aceptar"), this);
    BitBtn1->setObjectName(QStringLiteral("BitBtn1"));
    BitBtn1->setDefault(true);
    BitBtn1->setAutoDefault(true);
    BitBtn2 = new QPushButton(QStringLiteral("&Cancelar"), this);
    BitBtn2->setObjectName(QStringLiteral("BitBtn2"));
    BitBtn2->setAutoDefault(false);
    connect(BitBtn1, &QPushButton::clicked, this, &TInicioForm::BitBtn1Click);
    connect(BitBtn2, &QPushButton::clicked, this, &TInicioForm::BitBtn2Click);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setSizeGripEnabled(false);

    auto *title = new QHBoxLayout;
    title->setSpacing(0);
    title->addWidget(Label1);
    title->addWidget(Label2);
    title->addStretch();
    auto *titleBlock = new QVBoxLayout;
    titleBlock->addLayout(title);
    titleBlock->addWidget(LabelVersion);
    titleBlock->addWidget(LabelServer);
    auto *header = new QHBoxLayout;
    header->addWidget(Image1);
    header->addLayout(titleBlock, 1);

    auto *form = new QGridLayout;
    auto addRow = [&](int r, const QString &caption, QLineEdit *edit) {
        auto *l = new QLabel(caption, this);
        l->setBuddy(edit);
        form->addWidget(l, r, 0);
        form->addWidget(edit, r, 1);
    };
    addRow(0, QStringLiteral("PEC"), EditPEC);
    addRow(1, QStringLiteral("Taller"), EditId);
    addRow(2, QStringLiteral("Contraseña"), EditPassword);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(BitBtn1);
    buttons->addWidget(BitBtn2);

    auto *layout = new QVBoxLayout(this);
    Widgets::setUpWindow(this);
    layout->addLayout(header);
    layout->addWidget(LabelHint);
    layout->addLayout(form);
    layout->addLayout(buttons);
    layout->addWidget(StatusBar1);

    setTabOrder(EditId, EditPassword);
    setTabOrder(EditPassword, BitBtn1);
    setTabOrder(BitBtn1, BitBtn2);
    EditId->setFocus();
    setFixedWidth(420);
}

void TInicioForm::FormCreate()
{
    const QString iniPath = QDir::current().absoluteFilePath(QStringLiteral("tarvil.ini"));
    const IniConfig ini = ReadIni(iniPath);
    if (ini.status == IniConfig::Status::Unreadable) {
        Msg::error(this, ini.fatal);
        m_endAtOnce = true;
        return;
    }
    Global.InstallationId = ini.id;
    Global.ServerCode = ini.server;
    if (Global.InstallationId == QLatin1String("NADA")) {
        Msg::error(this, ini.fatal);
        m_endAtOnce = true;
    }

    // The version is known whatever the servers say; without it every login
    // would offer a "new" version.
    Global.ProgramVersion = kProgramVersion;
    LabelVersion->setText(QStringLiteral("Versión ") + programVersionText());

    if (QFileInfo::exists(QStringLiteral("LogoTarvil.jpg"))) {
        QPixmap logo(QStringLiteral("LogoTarvil.jpg"));
        if (!logo.isNull())
            Image1->setPixmap(logo);
    }

    m_profile = profileById(Global.InstallationId);
    QStringList mistakes = ini.warnings;
    if (!m_profile && !m_endAtOnce) {
        QStringList ids;
        for (const InstallationProfile &p : installationProfiles())
            ids << p.installationId;
        mistakes.prepend(UnknownIdMessage(Global.InstallationId, ids));
    }
    if (!mistakes.isEmpty() && !m_endAtOnce)
        Msg::warning(this, mistakes.join(QStringLiteral("\n\n")));
    if (m_profile) {
        const InstallationProfile &p = *m_profile;
        configure(p, Conn::Operations);
        configure(p, Conn::PostVenta);
        configure(p, Conn::Sister);

        const SettingsChoice ops = resolveSettings(p, Conn::Operations, Global.ServerCode);
        LabelServer->setText(ops.action == SettingsChoice::Write          ? ops.settings.label
                             : ops.action == SettingsChoice::LeaveDefault ? dm1().settings(Conn::Operations).label
                                                                          : QString());
        LabelServer->setVisible(true);
        m_readsPec = ops.action != SettingsChoice::DoNotOpen;

        // The profile's look now; the design look comes back if the server
        // cannot be reached.
        setBackground(this, p.dialogColour);
        Global.PanelColour = p.dialogColour;
        Global.AccentColour = p.accentColour;
        if (!p.workingFolder.isEmpty())
            Global.WorkingFolder = p.workingFolder;
    }
    applyIni(ini);
    setTextColour(Label1, Global.AccentColour);
    setTextColour(Label2, Global.AccentColour);
}

void TInicioForm::keepDesignLook()
{
    setBackground(this, kDesignColour);
    Global.PanelColour = 0;
    Global.AccentColour = 0;
    if (m_profile && !m_profile->workingFolder.isEmpty())
        Global.WorkingFolder.clear();
    for (QLabel *l : {Label1, Label2})
        l->setPalette(QPalette());
}

void TInicioForm::serverSetUp()
{
    if (m_serverSetUpDone || m_endAtOnce)
        return;
    m_serverSetUpDone = true;
    if (!m_profile)
        return;
    Widgets::WaitCursor busy;
    try {
        // Off the window's thread: the dialog keeps answering, and "Cancelar"
        // on the waiting line ends a wait for a server that does not answer.
        // The post-sales session opens meanwhile, beside the PEC's reading.
        if (m_profile->opensPostSalesAtStartup)
            BackgroundQuery::openAhead(Conn::PostVenta);
        if (m_readsPec) {
            const auto pec = Widgets::ServerWait::run<std::optional<LoginRepository::PecHeader>>(
                this, QStringLiteral("Conectando con el servidor..."), Conn::Operations,
                [] { return LoginRepository::ReadPec(); });
            if (pec) {
                m_pecRead = true;
                m_pecCode = pec->code;
                EditPEC->setText(pec->name);
            }
        }
        if (m_profile->opensPostSalesAtStartup)
            Widgets::ServerWait::wait(this, QStringLiteral("Conectando con el servidor de post-venta..."),
                                      Conn::PostVenta, [] { dm1().connect(Conn::PostVenta); });
    } catch (const DbError &e) {
        keepDesignLook();
        QApplication::restoreOverrideCursor();
        Msg::error(this, e.text());
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
}

int TInicioForm::exec()
{
    if (m_endAtOnce) {
        m_accepted = false;
        return QDialog::Rejected; // the program ends without a login
    }
    return QDialog::exec();
}

void TInicioForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_endAtOnce) {
        QTimer::singleShot(0, this, &QDialog::reject);
        return;
    }
    // The server is asked once the dialog is on the screen: its window was
    // exposed and drawn (the drawing is done within the exposure).
    if (!m_painted && windowHandle())
        windowHandle()->installEventFilter(this);
    if (!parentWidget()) {
        if (QScreen *s = screen())
            move(s->availableGeometry().center() - rect().center());
    }
}

bool TInicioForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == windowHandle() && event->type() == QEvent::Expose) {
        if (!m_painted && windowHandle()->isExposed()) {
            m_painted = true;
            windowHandle()->removeEventFilter(this);
            QTimer::singleShot(0, this, &TInicioForm::serverSetUp);
        }
        return false;
    }
    if (watched == EditId && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        switch (key->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
        case Qt::Key_Delete:
        case Qt::Key_Backspace:
            return false; // dialog and editing keys, not characters
        default:
            break;
        }
        const QString text = key->text();
        if (text.isEmpty() || Login::codeKeyPasses(text.at(0)))
            return false;
        QApplication::beep();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void TInicioForm::endProgram()
{
    m_accepted = false;
    done(QDialog::Rejected);
}

void TInicioForm::BitBtn2Click()
{
    endProgram();
}

void TInicioForm::BitBtn1Click()
{
    const QString code = EditId->text();
    const Login::Decision codeCheck = Login::checkCode(code);
    if (codeCheck.outcome == Login::Outcome::MissingCode) {
        showDecision(this, codeCheck);
        return;
    }
    serverSetUp(); // a click before the set-up's read ran

    LoginRepository::Reply reply;
    {
        Widgets::WaitCursor busy;
        StatusBar1->showMessage(QStringLiteral("Efectuando consulta al servidor..."));
        StatusBar1->repaint();
        if (codeCheck.endsProgram()) {
            showDecision(this, codeCheck);
            endProgram();
            return;
        }
        try {
            reply = Widgets::ServerWait::run<LoginRepository::Reply>(
                this, QStringLiteral("Efectuando consulta al servidor..."), Conn::Operations,
                [code, password = EditPassword->text(), admin = m_pecRead] {
                    return LoginRepository::Login(code, password, admin);
                });
        } catch (const DbError &e) {
            StatusBar1->clearMessage();
            Msg::error(this, e.text());
            return; // the dialog stays open
        }
        const Login::Decision d = Login::checkPassword(reply.account, EditPassword->text(), m_pecRead);
        if (!d.accepted()) {
            showDecision(this, d);
            endProgram();
            return;
        }
        if (!reply.workshop) { // the row changed between the check and its reading
            StatusBar1->clearMessage();
            Msg::error(this, QStringLiteral("No se pudieron leer los datos del taller; intente de nuevo."));
            return;
        }
        Login::applyWorkshop(Global, *reply.workshop, d.adminMode);
        if (m_pecRead)
            Global.PecCode = m_pecCode;
        if (reply.pec)
            Login::applyPec(Global, *reply.pec);
        m_messages = reply.messages;
        m_accepted = true;
        accept();
    }
    finishAfterClose(reply);
}

// Steps after the dialog has closed: a failure here is shown, and the main
// window still opens with what was read so far.
void TInicioForm::finishAfterClose(const LoginRepository::Reply &reply)
{
    if (reply.repFound)
        Global.RepName = Login::representativeName(reply.repFirstName, reply.repSurname);
    if (reply.lateError) {
        Msg::error(parentWidget(), reply.lateError->text());
        return;
    }
    if (reply.version && *reply.version > Global.ProgramVersion) {
        TNuevaVersionForm offer(m_profile ? m_profile->downloadUrl : QString(), parentWidget());
        QApplication::setOverrideCursor(Qt::ArrowCursor);
        offer.exec();
        QApplication::restoreOverrideCursor();
        if (offer.endsProgram())
            m_accepted = false;
    }
}
