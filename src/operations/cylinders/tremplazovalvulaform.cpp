#include "operations/cylinders/tremplazovalvulaform.h"

#include "core/prompter.h"
#include "data/fieldlookups.h"
#include "data/localstore.h"
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
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

TRemplazoValvulaForm::TRemplazoValvulaForm(LocalTable &table, QWidget *parent, Prompter &prompter)
    : QDialog(parent), m_table(table), m_prompter(prompter), m_rules(new Widgets::FieldRules(this))
{
    setObjectName(QStringLiteral("TRemplazoValvulaForm"));
    setWindowTitle(QStringLiteral("Reemplazo de Válvula"));
    setModal(true);

    const auto edit = [this](const char *name, const char *field, bool readOnly, int maxLength) {
        auto *e = new QLineEdit(this);
        e->setObjectName(QLatin1String(name));
        e->setText(m_table.text(QLatin1String(field)));
        e->setReadOnly(readOnly);
        if (readOnly)
            e->setFocusPolicy(Qt::NoFocus);
        else
            e->setValidator(new Widgets::UpperCaseValidator(e));
        Widgets::limitText(e, maxLength, !readOnly);
        return e;
    };
    EditVALCOD = edit("EditVALCOD", "VALCOD", true, 4);
    EditVALNRO = edit("EditVALNRO", "VALNRO", true, 25);
    EditVALGEST = edit("EditVALGEST", "VALGEST", true, 12);
    EditRVALCOD = edit("EditRVALCOD", "RVALCOD", false, 4);
    EditRVALNRO = edit("EditRVALNRO", "RVALNRO", false, 25);
    EditRVALGEST = edit("EditRVALGEST", "RVALGEST", true, 12);
    SpeedButtonRValCod = new QToolButton(this);
    SpeedButtonRValCod->setObjectName(QStringLiteral("SpeedButtonRValCod"));
    SpeedButtonRValCod->setIcon(style()->standardIcon(QStyle::SP_FileDialogContentsView));
    SpeedButtonRValCod->setFocusPolicy(Qt::TabFocus);

    auto *current = new QGroupBox(QStringLiteral("Válvula de Cilindro"), this);
    auto *cf = new QFormLayout(current);
    cf->addRow(QStringLiteral("Código"), EditVALCOD);
    cf->addRow(QStringLiteral("Nro. de Serie"), EditVALNRO);
    cf->addRow(QStringLiteral("Gestión"), EditVALGEST);
    auto *replacement = new QGroupBox(QStringLiteral("Reemplazo"), this);
    auto *rf = new QFormLayout(replacement);
    auto *code = new QHBoxLayout;
    code->addWidget(EditRVALCOD, 1);
    code->addWidget(SpeedButtonRValCod);
    rf->addRow(QStringLiteral("Código"), code);
    rf->addRow(QStringLiteral("Nro. de Serie"), EditRVALNRO);
    rf->addRow(QStringLiteral("Gestión"), EditRVALGEST);

    BitBtnAceptar = new QPushButton(QStringLiteral("Aceptar"), this);
    BitBtnAceptar->setObjectName(QStringLiteral("BitBtnAceptar"));
    BitBtnCancelar = new QPushButton(QStringLiteral("Cancelar"), this);
    BitBtnCancelar->setObjectName(QStringLiteral("BitBtnCancelar"));
    BitBtnAceptar->setAutoDefault(false);
    BitBtnCancelar->setAutoDefault(false);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BitBtnAceptar);
    buttons->addWidget(BitBtnCancelar);

    auto *groups = new QHBoxLayout;
    groups->addWidget(current);
    groups->addWidget(replacement);
    auto *main = new QVBoxLayout(this);
    Widgets::setUpWindow(this);
    main->addLayout(groups);
    main->addLayout(buttons);

    // Enter and Tab go code, serial, "Aceptar"; leaving the code checks it.
    Widgets::moveFocusOnEnter({EditRVALCOD, EditRVALNRO});
    Widgets::setTabOrder({EditRVALCOD, EditRVALNRO, BitBtnAceptar, BitBtnCancelar});
    // Leaving a typed code (not for "Cancelar") checks it as the button does.
    m_rules->onExit(EditRVALCOD, [this] {
        if (!EditRVALCOD->text().trimmed().isEmpty())
            SpeedButtonRValCodClick();
    });
    m_rules->exitsFreelyThrough(BitBtnCancelar);

    connect(SpeedButtonRValCod, &QToolButton::clicked, this, &TRemplazoValvulaForm::SpeedButtonRValCodClick);
    connect(BitBtnAceptar, &QPushButton::clicked, this, &TRemplazoValvulaForm::BitBtnAceptarClick);
    connect(BitBtnCancelar, &QPushButton::clicked, new Widgets::DiscardGuard(this, m_prompter),
            &Widgets::DiscardGuard::cancel);
}

TRemplazoValvulaForm::~TRemplazoValvulaForm() = default;

void TRemplazoValvulaForm::lookUp(bool preSearch)
{
    TBuscarValvulaCilindroForm dlg(this, m_prompter);
    if (preSearch)
        dlg.preSearch(EditRVALCOD->text().trimmed());
    if (Widgets::runModal(dlg) == QDialog::Accepted && dlg.hasSelection()) {
        EditRVALCOD->setText(dlg.selectedText(QStringLiteral("codval")));
        EditRVALNRO->setFocus();
    } else {
        EditRVALCOD->setFocus();
    }
}

void TRemplazoValvulaForm::SpeedButtonRValCodClick()
{
    const QString code = EditRVALCOD->text().trimmed();
    const Widgets::FieldRules::Busy busy(*m_rules); // the look-up moves the focus
    try {
        if (code.isEmpty())
            lookUp(false);
        else if (!Widgets::ServerWait::lookUp<bool>(this, [code] { return FieldLookups::ValveExists(code); }))
            lookUp(true); // no message here: the list says it
    } catch (const DbError &e) {
        prompter().error(e.text());
    }
}

void TRemplazoValvulaForm::refuse(QLineEdit *field, const QString &text)
{
    prompter().error(text);
    Widgets::markFailed(field);
    field->setFocus();
}

void TRemplazoValvulaForm::BitBtnAceptarClick()
{
    if (m_finished)
        return;
    // A replacement needs the valve fitted: its catalogue code and its serial.
    const QString code = EditRVALCOD->text().trimmed();
    if (code.isEmpty()) {
        refuse(EditRVALCOD, QStringLiteral("El código de válvula no puede quedar en blanco."));
        return;
    }
    try {
        if (!Widgets::ServerWait::lookUp<bool>(this, [code] { return FieldLookups::ValveExists(code); })) {
            refuse(EditRVALCOD, QStringLiteral("Código de válvula no encontrado."));
            return;
        }
    } catch (const DbError &e) {
        prompter().error(e.text());
        return;
    }
    if (EditRVALNRO->text().trimmed().isEmpty()) {
        refuse(EditRVALNRO, QStringLiteral("El número de serie no puede quedar en blanco."));
        return;
    }
    try {
        m_table.setText(QStringLiteral("RVALCOD"), EditRVALCOD->text().trimmed());
        m_table.setText(QStringLiteral("RVALNRO"), EditRVALNRO->text().trimmed());
        m_table.post();
    } catch (const DbError &e) {
        prompter().error(e.text());
        return;
    }
    m_finished = true;
    accept();
}

void TRemplazoValvulaForm::BitBtnCancelarClick()
{
    reject();
}

void TRemplazoValvulaForm::reject()
{
    if (!m_finished) {
        m_finished = true;
        m_table.cancel();
    }
    QDialog::reject();
}
