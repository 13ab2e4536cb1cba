#include "followup/tdarturnoform.h"

#include "data/appointmentrepository.h"
#include "data/dberror.h"
#include "followup/formparts.h"
#include "widgets/formkit.h"
#include "widgets/formwindow.h"
#include "widgets/resultgrid.h"
#include "widgets/uppercasevalidator.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TDarTurnoForm::TDarTurnoForm(const QString &workshop, const QDate &day, const QString &hora, QWidget *parent,
                             Prompter &prompter)
    : QDialog(parent), m_prompter(prompter), m_workshop(workshop), m_day(day), m_hora(hora)
{
    setObjectName(QStringLiteral("DarTurnoForm"));
    setWindowTitle(QStringLiteral("Dar Turno"));

    using namespace Appointments;
    auto *slot = new QLabel(QStringLiteral("Turno del %1 a las %2").arg(day.toString(Widgets::DateFormat), hora), this);
    slot->setObjectName(QStringLiteral("LabelTurno"));
    m_cliente = field("EditCliente", kClienteLength, true);
    m_vehiculo = field("EditVehiculo", kVehiculoLength, true);
    m_dominio = field("EditDominio", kDominioLength, true);
    m_telefono = field("EditTelefono", kCelularLength, false);
    m_falla = field("EditFalla", kFallaLength, true);

    auto *form = new QFormLayout;
    form->addRow(QStringLiteral("Cliente"), m_cliente);
    form->addRow(QStringLiteral("Vehículo"), m_vehiculo);
    form->addRow(QStringLiteral("Dominio"), m_dominio);
    form->addRow(QStringLiteral("Telefono"), m_telefono);
    form->addRow(QStringLiteral("Falla"), m_falla);

    auto *aceptar = Widgets::button(QStringLiteral("BitBtn1"), QStringLiteral("Aceptar"), this);
    aceptar->setDefault(true);
    auto *cancelar = Widgets::button(QStringLiteral("BitBtn2"), QStringLiteral("Cancelar"), this);
    connect(aceptar, &QPushButton::clicked, this, &TDarTurnoForm::BitBtn1Click);
    // A half-typed appointment is not thrown away without a word.
    connect(cancelar, &QPushButton::clicked, new Widgets::DiscardGuard(this, m_prompter),
            &Widgets::DiscardGuard::cancel);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(aceptar);
    buttons->addWidget(cancelar);
    auto *layout = new QVBoxLayout(this);
    Widgets::setUpWindow(this);
    layout->addWidget(slot);
    layout->addLayout(form);
    layout->addLayout(buttons);
}

QLineEdit *TDarTurnoForm::field(const char *name, int length, bool upper)
{
    auto *e = new QLineEdit(this);
    e->setObjectName(QLatin1String(name));
    e->setMaxLength(length);
    if (upper)
        e->setValidator(new Widgets::UpperCaseValidator(e));
    e->setMinimumWidth(fontMetrics().averageCharWidth() * (length + 4));
    return e;
}

Appointments::Booking TDarTurnoForm::typed() const
{
    return Appointments::Normalised(
        {m_cliente->text(), m_vehiculo->text(), m_dominio->text(), m_telefono->text(), m_falla->text()});
}

void TDarTurnoForm::BitBtn1Click()
{
    try {
        m_save.run(this, QStringLiteral("Guardando el turno..."), Conn::Operations,
                   [workshop = m_workshop, d = m_day, hora = m_hora, booking = typed()](WriteOnce::Ticket *t) {
                       AppointmentRepository::Book(workshop, d, hora, booking, t);
                   });
    } catch (const DbError &e) {
        // The slot stays as it was; the dialog stays open.
        m_prompter.error(
            Widgets::WindowWrites::failure(QStringLiteral("No se guardó el turno: puede intentarlo de nuevo."), e));
        return;
    }
    accept();
}
