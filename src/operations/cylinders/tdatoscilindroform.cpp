#include "operations/cylinders/tdatoscilindroform.h"

#include "core/cylinderrules.h"
#include "core/editmask.h"
#include "core/lookuprules.h"
#include "data/fieldlookups.h"
#include "data/localstore.h"
#include "operations/lookups/tbuscarcilindroform.h"
#include "operations/lookups/tbuscarcrpcform.h"
#include "operations/lookups/tbuscarvalvulacilindroform.h"
#include "widgets/entermoves.h"
#include "widgets/fieldrules.h"
#include "widgets/formkit.h"
#include "widgets/formwindow.h"
#include "widgets/modalrun.h"
#include "widgets/serverwait.h"
#include "widgets/textfield.h"
#include "widgets/uppercasevalidator.h"

#include <QApplication>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <iterator>

namespace
{

void setListText(QComboBox *combo, const QString &text)
{
    combo->setCurrentIndex(combo->findText(text.trimmed()));
}

} // namespace

TDatosCilindroForm::TDatosCilindroForm(LocalTable &table, const QString &operationKind, const QString &operationDomain,
                                       QWidget *parent, Prompter &prompter)
    : QDialog(parent), m_table(table), m_kind(operationKind), m_domain(operationDomain), m_prompter(prompter),
      m_rules(new Widgets::FieldRules(this))
{
    setObjectName(QStringLiteral("TDatosCilindroForm"));
    setWindowTitle(QStringLiteral("Datos del Cilindro"));
    setModal(true);
    buildUi();
    loadRow();
    // The look-ups of a code typed, and the certificate completed, as each
    // field is left; leaving through "Cancelar" checks nothing.
    m_rules->onExit(EditCODIGO, [this] { EditCODIGOExit(); });
    m_rules->onExit(EditUPHTALLER, [this] { EditUPHTALLERExit(); });
    m_rules->onExit(EditVALCOD, [this] { EditVALCODExit(); });
    m_rules->onExit(EditNROCERTIF, [this] { EditNROCERTIFExit(); });
    m_rules->exitsFreelyThrough(BitBtnCancelar);
}

TDatosCilindroForm::~TDatosCilindroForm() = default;

void TDatosCilindroForm::buildUi()
{
    const auto edit = [this](const char *name, int maxLength, bool upper) {
        auto *e = new QLineEdit(this);
        e->setObjectName(QLatin1String(name));
        if (upper)
            e->setValidator(new Widgets::UpperCaseValidator(e));
        if (maxLength > 0)
            Widgets::limitText(e, maxLength, upper); // the work table's widths
        return e;
    };
    const auto list = [this](const char *name, const QStringList &items) {
        auto *c = new QComboBox(this);
        c->setObjectName(QLatin1String(name));
        c->addItems(items);
        return c;
    };
    const auto lookupButton = [this](const char *name) {
        auto *b = new QToolButton(this);
        b->setObjectName(QLatin1String(name));
        b->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
        b->setFocusPolicy(Qt::TabFocus);
        return b;
    };
    const QStringList gestion = {QStringLiteral("SIN CAMBIOS"), QStringLiteral("MONTAJE"), QStringLiteral("DESMONTAJE"),
                                 QStringLiteral("BAJA")};

    EditCODIGO = edit("EditCODIGO", 4, true);
    SpeedButtonCodigo = lookupButton("SpeedButtonCodigo");
    EditNROSERIE = edit("EditNROSERIE", 25, true);
    ComboCNUEVO = list("ComboCNUEVO", {QStringLiteral("NO"), QStringLiteral("SI")});
    ComboGESTION = list("ComboGESTION", gestion);
    EditCAPACIDAD = edit("EditCAPACIDAD", 9, false);
    EditCAPACIDAD->setValidator(new QIntValidator(0, 999999, EditCAPACIDAD));
    // MM/YYYY with every digit required: our masks, translated for Qt.
    const QString dateMask = TranslateEditMask(QStringLiteral("00/0000")).qtMask;
    EditFABRICAC = edit("EditFABRICAC", 0, false);
    EditFABRICAC->setInputMask(dateMask);

    EditUPHTALLER = edit("EditUPHTALLER", 4, true);
    SpeedButtonCRPC = lookupButton("SpeedButtonCRPC");
    EditUPHFECHA = edit("EditUPHFECHA", 0, false);
    EditUPHFECHA->setInputMask(dateMask);
    ComboUPHRESULT = list("ComboUPHRESULT", {QStringLiteral("APROBADO"), QStringLiteral("RECHAZADO")});

    EditVALCOD = edit("EditVALCOD", 4, true);
    SpeedButtonValvula = lookupButton("SpeedButtonValvula");
    EditVALNRO = edit("EditVALNRO", 25, true);
    ComboVALGEST = list("ComboVALGEST", {QStringLiteral("SIN CAMBIOS"), QStringLiteral("MONTAJE"),
                                         QStringLiteral("BAJA"), QStringLiteral("DESMONTAJE")});
    EditNROCERTIF = edit("EditNROCERTIF", 10, true);

    BitBtnAceptar = new QPushButton(QStringLiteral("Aceptar"), this);
    BitBtnAceptar->setObjectName(QStringLiteral("BitBtnAceptar"));
    BitBtnCancelar = new QPushButton(QStringLiteral("Cancelar"), this);
    BitBtnCancelar->setObjectName(QStringLiteral("BitBtnCancelar"));
    BitBtnAceptar->setAutoDefault(false);
    BitBtnCancelar->setAutoDefault(false);

    const auto withButton = [](QWidget *w, QWidget *b) {
        auto *h = new QHBoxLayout;
        h->setContentsMargins(0, 0, 0, 0);
        h->addWidget(w, 1);
        h->addWidget(b);
        return h;
    };

    auto *cylinder = new QFormLayout;
    cylinder->addRow(QStringLiteral("Código"), withButton(EditCODIGO, SpeedButtonCodigo));
    cylinder->addRow(QStringLiteral("Nro de Serie"), EditNROSERIE);
    cylinder->addRow(QStringLiteral("Nuevo"), ComboCNUEVO);
    cylinder->addRow(QStringLiteral("Gestión"), ComboGESTION);
    cylinder->addRow(QStringLiteral("Capacidad"), EditCAPACIDAD);
    cylinder->addRow(QStringLiteral("Fabricación"), EditFABRICAC);

    GroupBoxPH = new QGroupBox(QStringLiteral("ULTIMA PRUEBA HIDRAULICA"), this);
    GroupBoxPH->setObjectName(QStringLiteral("GroupBoxPH"));
    auto *ph = new QFormLayout(GroupBoxPH);
    ph->addRow(QStringLiteral("CRPC"), withButton(EditUPHTALLER, SpeedButtonCRPC));
    ph->addRow(QStringLiteral("Fecha"), EditUPHFECHA);
    ph->addRow(QStringLiteral("Resultado"), ComboUPHRESULT);

    GroupBoxValvula = new QGroupBox(QStringLiteral("VALVULA DE CILINDRO"), this);
    GroupBoxValvula->setObjectName(QStringLiteral("GroupBoxValvula"));
    auto *valve = new QFormLayout(GroupBoxValvula);
    valve->addRow(QStringLiteral("Código"), withButton(EditVALCOD, SpeedButtonValvula));
    valve->addRow(QStringLiteral("Nro. de Serie"), EditVALNRO);
    valve->addRow(QStringLiteral("Gestión"), ComboVALGEST);

    GroupBoxCertificado = new QGroupBox(QStringLiteral("CERTIFICADO"), this);
    GroupBoxCertificado->setObjectName(QStringLiteral("GroupBoxCertificado"));
    auto *cert = new QFormLayout(GroupBoxCertificado);
    cert->addRow(QStringLiteral("Nro. Asignado"), EditNROCERTIF);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BitBtnAceptar);
    buttons->addWidget(BitBtnCancelar);

    auto *grid = new QGridLayout;
    grid->addLayout(cylinder, 0, 0);
    grid->addWidget(GroupBoxPH, 0, 1);
    grid->addWidget(GroupBoxValvula, 1, 0);
    grid->addWidget(GroupBoxCertificado, 1, 1, Qt::AlignTop);
    auto *main = new QVBoxLayout(this);
    Widgets::setUpWindow(this);
    main->addLayout(grid);
    main->addLayout(buttons);

    // Tab order follows the fields as laid out.
    QWidget *order[] = {EditCODIGO,   EditNROSERIE,  ComboCNUEVO,   ComboGESTION,   EditCAPACIDAD,
                        EditFABRICAC, EditUPHTALLER, EditUPHFECHA,  ComboUPHRESULT, EditVALCOD,
                        EditVALNRO,   ComboVALGEST,  EditNROCERTIF, BitBtnAceptar,  BitBtnCancelar};
    for (size_t i = 0; i + 1 < std::size(order); ++i)
        setTabOrder(order[i], order[i + 1]);
    Widgets::moveFocusOnEnter(QList<QWidget *>(std::begin(order), std::end(order) - 2));

    connect(SpeedButtonCodigo, &QToolButton::clicked, this, &TDatosCilindroForm::SpeedButtonCodigoClick);
    connect(SpeedButtonCRPC, &QToolButton::clicked, this, &TDatosCilindroForm::SpeedButtonCRPCClick);
    connect(SpeedButtonValvula, &QToolButton::clicked, this, &TDatosCilindroForm::SpeedButtonValvulaClick);
    connect(BitBtnAceptar, &QPushButton::clicked, this, &TDatosCilindroForm::BitBtnAceptarClick);
    // What was typed into the row is dropped only once the operator says so.
    connect(BitBtnCancelar, &QPushButton::clicked, new Widgets::DiscardGuard(this, m_prompter),
            &Widgets::DiscardGuard::cancel);
}

void TDatosCilindroForm::loadRow()
{
    EditCODIGO->setText(m_table.text(QStringLiteral("CODIGO")));
    EditNROSERIE->setText(m_table.text(QStringLiteral("NROSERIE")));
    setListText(ComboCNUEVO, m_table.text(QStringLiteral("CNUEVO")));
    setListText(ComboGESTION, m_table.text(QStringLiteral("GESTION")));
    const QVariant capacity = m_table.value(QStringLiteral("CAPACIDAD"));
    EditCAPACIDAD->setText(capacity.isNull() ? QString() : QString::number(capacity.toInt()));
    EditFABRICAC->setText(m_table.text(QStringLiteral("FABRICAC")));
    EditUPHTALLER->setText(m_table.text(QStringLiteral("UPHTALLER")));
    EditUPHFECHA->setText(m_table.text(QStringLiteral("UPHFECHA")));
    setListText(ComboUPHRESULT, m_table.text(QStringLiteral("UPHRESULT")));
    EditVALCOD->setText(m_table.text(QStringLiteral("VALCOD")));
    EditVALNRO->setText(m_table.text(QStringLiteral("VALNRO")));
    setListText(ComboVALGEST, m_table.text(QStringLiteral("VALGEST")));
    EditNROCERTIF->setText(m_table.text(QStringLiteral("NROCERTIF")));
}

void TDatosCilindroForm::storeRow()
{
    const auto put = [this](const char *field, const QString &value) { m_table.setText(QLatin1String(field), value); };
    put("CODIGO", EditCODIGO->text().trimmed());
    put("NROSERIE", EditNROSERIE->text().trimmed());
    put("CNUEVO", ComboCNUEVO->currentText());
    put("GESTION", ComboGESTION->currentText());
    const QString capacity = EditCAPACIDAD->text().trimmed();
    m_table.setValue(QStringLiteral("CAPACIDAD"), capacity.isEmpty() ? QVariant() : QVariant(capacity.toInt()));
    put("FABRICAC", EditFABRICAC->text());
    put("UPHTALLER", EditUPHTALLER->text().trimmed());
    put("UPHFECHA", EditUPHFECHA->text());
    put("UPHRESULT", ComboUPHRESULT->currentText());
    put("VALCOD", EditVALCOD->text().trimmed());
    put("VALNRO", EditVALNRO->text().trimmed());
    put("VALGEST", ComboVALGEST->currentText());
    put("NROCERTIF", EditNROCERTIF->text().trimmed());
}

void TDatosCilindroForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormActivate();
}

void TDatosCilindroForm::FormActivate()
{
    const Cylinders::ActivationDefaults d = Cylinders::DialogDefaultsFor(m_kind);
    if (d.cNuevo)
        setListText(ComboCNUEVO, *d.cNuevo);
    if (d.gestion)
        setListText(ComboGESTION, *d.gestion);
    if (d.uphResult)
        setListText(ComboUPHRESULT, *d.uphResult);
    ComboCNUEVO->setEnabled(d.cNuevoEnabled);
    ComboGESTION->setEnabled(d.gestionEnabled);
    ComboUPHRESULT->setEnabled(d.uphResultEnabled);
}

// A click on "Aceptar" leaves the field the operator was typing in, but the
// click arrives before that field's rule has run (or, clicked from code,
// without leaving it): a typed certificate must be completed, a typed "FAB"
// must bring its date, before the row is checked and stored. An empty field
// is left to the checks of "Aceptar".
bool TDatosCilindroForm::runLeaveRuleBeforeAceptar()
{
    const auto typed = [](QWidget *field) {
        const auto *edit = qobject_cast<QLineEdit *>(field);
        return edit && !edit->text().trimmed().isEmpty();
    };
    const QList<QWidget *> left = m_rules->waitingExits();
    if (!m_rules->runWaitingExits(typed))
        return false;
    QWidget *focused = m_rules->fieldOf(QApplication::focusWidget());
    return left.contains(focused) || !typed(focused) || m_rules->runExit(focused);
}

bool TDatosCilindroForm::lookUpCylinder(bool preSearch)
{
    TBuscarCilindroForm dlg(this, m_prompter);
    if (preSearch)
        dlg.preSearch(EditCODIGO->text().trimmed());
    if (Widgets::runModal(dlg) == QDialog::Accepted && dlg.hasSelection()) {
        EditCODIGO->setText(dlg.selectedText(QStringLiteral("codigo")));
        const QVariant capacity = dlg.selectedValue(QStringLiteral("capacidad"));
        if (!capacity.isNull())
            EditCAPACIDAD->setText(QString::number(capacity.toInt()));
        EditNROSERIE->setFocus();
        return true;
    }
    m_rules->refocus(EditCODIGO);
    return false;
}

void TDatosCilindroForm::EditCODIGOExit()
{
    const Widgets::FieldRules::Busy busy(*m_rules);
    const QString code = EditCODIGO->text().trimmed();
    try {
        if (code.isEmpty()) {
            lookUpCylinder(false);
        } else if (const FieldLookups::CylinderModel model = Widgets::ServerWait::lookUp<FieldLookups::CylinderModel>(
                       this, [code] { return FieldLookups::Cylinder(code); });
                   model.found) {
            // The catalogue may not carry a capacity; what was typed then stays.
            if (model.capacity)
                EditCAPACIDAD->setText(QString::number(*model.capacity));
        } else {
            prompter().error(QStringLiteral("Código de Cilindro no encontrado."));
            lookUpCylinder(true);
        }
    } catch (const DbError &e) {
        prompter().error(e.text());
        m_rules->refocus(EditCODIGO);
    }
}

void TDatosCilindroForm::SpeedButtonCodigoClick()
{
    EditCODIGOExit();
}

bool TDatosCilindroForm::lookUpCentre(bool preSearch)
{
    TBuscarCRPCForm dlg(this, m_prompter);
    if (preSearch)
        dlg.preSearch(EditUPHTALLER->text().trimmed());
    if (Widgets::runModal(dlg) == QDialog::Accepted && dlg.hasSelection()) {
        EditUPHTALLER->setText(dlg.selectedText(QStringLiteral("codigo")));
        EditUPHFECHA->setFocus();
        return true;
    }
    m_rules->refocus(EditUPHTALLER);
    return false;
}

void TDatosCilindroForm::copyFabricationWhenFab()
{
    if (EditUPHTALLER->text().trimmed() == QLatin1String("FAB"))
        EditUPHFECHA->setText(EditFABRICAC->text());
}

void TDatosCilindroForm::EditUPHTALLERExit()
{
    const Widgets::FieldRules::Busy busy(*m_rules);
    try {
        if (!Widgets::ServerWait::lookUp<bool>(
                this, [centre = EditUPHTALLER->text().trimmed()] { return FieldLookups::CentreExists(centre); })) {
            prompter().error(QStringLiteral("CRPC no encontrado."));
            lookUpCentre(false);
        }
    } catch (const DbError &e) {
        prompter().error(e.text());
        m_rules->refocus(EditUPHTALLER);
    }
    copyFabricationWhenFab();
}

void TDatosCilindroForm::SpeedButtonCRPCClick()
{
    const Widgets::FieldRules::Busy busy(*m_rules);
    try {
        lookUpCentre(true);
    } catch (const DbError &e) {
        prompter().error(e.text());
    }
    copyFabricationWhenFab();
}

bool TDatosCilindroForm::lookUpValve(bool preSearch)
{
    TBuscarValvulaCilindroForm dlg(this, m_prompter);
    if (preSearch)
        dlg.preSearch(EditVALCOD->text().trimmed());
    if (Widgets::runModal(dlg) == QDialog::Accepted && dlg.hasSelection()) {
        EditVALCOD->setText(dlg.selectedText(QStringLiteral("codval")));
        EditVALNRO->setFocus();
        return true;
    }
    m_rules->refocus(EditVALCOD);
    return false;
}

void TDatosCilindroForm::SpeedButtonValvulaClick()
{
    const Widgets::FieldRules::Busy busy(*m_rules);
    const QString code = EditVALCOD->text().trimmed();
    try {
        if (code.isEmpty()) {
            lookUpValve(false);
        } else if (!Widgets::ServerWait::lookUp<bool>(this, [code] { return FieldLookups::ValveExists(code); })) {
            prompter().error(QStringLiteral("Código de válvula no encontrado."));
            lookUpValve(true);
        }
    } catch (const DbError &e) {
        prompter().error(e.text());
        m_rules->refocus(EditVALCOD);
    }
}

void TDatosCilindroForm::EditVALCODExit()
{
    if (Cylinders::ChecksValveOnExit(m_kind))
        SpeedButtonValvulaClick();
}

void TDatosCilindroForm::EditNROCERTIFExit()
{
    const QString text = EditNROCERTIF->text().trimmed();
    if (text.isEmpty())
        return;
    const Widgets::FieldRules::Busy busy(*m_rules);
    try {
        const Cylinders::Certificate c = Cylinders::NormaliseCertificate(text, [this](const QString &centre) {
            return Widgets::ServerWait::lookUp<bool>(this, [centre] { return FieldLookups::CentreExists(centre); });
        });
        switch (c.outcome) {
        case Cylinders::Certificate::Normalised:
            EditNROCERTIF->setText(c.text);
            break;
        case Cylinders::Certificate::UnknownCentre:
            prompter().alert(QStringLiteral("Número de Certificado no válido: Verificar código de CRCP."));
            m_rules->refocus(EditNROCERTIF);
            break;
        case Cylinders::Certificate::NotANumber:
            prompter().alert(QStringLiteral("Número de Certificado no válido: después del código de CRPC van "
                                            "hasta 6 dígitos."));
            m_rules->refocus(EditNROCERTIF);
            break;
        }
    } catch (const DbError &e) {
        prompter().error(e.text());
        m_rules->refocus(EditNROCERTIF);
    }
}

QWidget *TDatosCilindroForm::fieldWidget(int field) const
{
    using F = Cylinders::Field;
    switch (F(field)) {
    case F::NroSerie:
        return EditNROSERIE;
    case F::Gestion:
        return ComboGESTION;
    case F::Fabricac:
        return EditFABRICAC;
    case F::UphTaller:
        return EditUPHTALLER;
    case F::UphFecha:
        return EditUPHFECHA;
    case F::UphResult:
        return ComboUPHRESULT;
    case F::ValNro:
        return EditVALNRO;
    case F::ValGest:
        return ComboVALGEST;
    case F::NroCertif:
        return EditNROCERTIF;
    case F::None:
        break;
    }
    return nullptr;
}

void TDatosCilindroForm::highlight(QWidget *field)
{
    Widgets::markFailed(field);
    field->setProperty("highlighted", true);
}

bool TDatosCilindroForm::isHighlighted(QWidget *field) const
{
    return field && field->property("highlighted").toBool();
}

void TDatosCilindroForm::BitBtnAceptarClick()
{
    if (m_finished)
        return;
    if (!runLeaveRuleBeforeAceptar())
        return;
    const Widgets::FieldRules::Busy busy(*m_rules); // the checks move the focus
    CylinderRow v;
    v.codigo = EditCODIGO->text().trimmed();
    v.nroSerie = EditNROSERIE->text();
    v.gestion = ComboGESTION->currentText();
    v.fabricac = EditFABRICAC->text();
    v.uphTaller = EditUPHTALLER->text();
    v.uphFecha = EditUPHFECHA->text();
    v.uphResult = ComboUPHRESULT->currentText();
    v.valCod = EditVALCOD->text();
    v.valNro = EditVALNRO->text();
    v.valGest = ComboVALGEST->currentText();
    v.nroCertif = EditNROCERTIF->text();

    const auto valveDomain = [this](const QString &valCod, const QString &valNro) -> QString {
        // Without both parts every valve-less cylinder would match.
        if (valCod.trimmed().isEmpty() || valNro.trimmed().isEmpty())
            return {};
        return Widgets::ServerWait::lookUp<QString>(this, [valCod = valCod.trimmed(), valNro = valNro.trimmed()] {
            return FieldLookups::ValveDomain(valCod, valNro);
        });
    };

    try {
        const Cylinders::AcceptResult r = Cylinders::CheckCylinderDialog(v, m_kind, m_domain, valveDomain, prompter());
        if (!r.accepted) {
            if (QWidget *w = fieldWidget(int(r.focus))) {
                if (r.highlight)
                    highlight(w);
                w->setFocus();
            }
            return;
        }
        storeRow();
        m_table.post();
    } catch (const DbError &e) {
        prompter().error(e.text());
        return;
    }
    m_finished = true;
    accept();
}

void TDatosCilindroForm::BitBtnCancelarClick()
{
    reject();
}

void TDatosCilindroForm::reject()
{
    if (!m_finished) {
        m_finished = true;
        m_table.cancel();
    }
    QDialog::reject();
}
