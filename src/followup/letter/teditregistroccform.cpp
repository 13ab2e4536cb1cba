#include "followup/letter/teditregistroccform.h"

#include "widgets/formwindow.h"
#include "widgets/uppercasevalidator.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TEditRegistroCCForm::TEditRegistroCCForm(const Letter::Item &item, QWidget *parent, Prompter &prompter)
    : QDialog(parent), m_item(item), m_prompter(prompter)
{
    setObjectName(QStringLiteral("TEditRegistroCCForm"));
    setWindowTitle(QStringLiteral("Corregir Dato"));
    setModal(true);

    auto *form = new QFormLayout;
    const auto edit = [&](const char *name, const QString &caption, const QString &text, bool readOnly, int maxLength) {
        auto *e = new QLineEdit(text, this);
        e->setObjectName(QLatin1String(name));
        e->setReadOnly(readOnly);
        if (maxLength > 0)
            e->setMaxLength(maxLength);
        form->addRow(caption, e);
        return e;
    };
    DBEditCilindro = edit("DBEditCilindro", QStringLiteral("Cilindo"), item.cylinderCode, true, 0);
    DBEditSerie = edit("DBEditSerie", QStringLiteral("Nro de Serie"), item.cylinderSerial, true, 0);
    DBEditCapacidad =
        edit("DBEditCapacidad", QStringLiteral("Capacidad"), Letter::MeasureText(item.capacity), false, 12);
    DBEditMasa = edit("DBEditMasa", QStringLiteral("Masa"), Letter::MeasureText(item.mass), false, 12);
    DBEditFabricacion = edit("DBEditFabricacion", QStringLiteral("Fabricación"), item.manufactured, true, 0);
    DBEditDiametro = edit("DBEditDiametro", QStringLiteral("Diámetro"), Letter::MeasureText(item.diameter), false, 12);
    DBEditValvula = edit("DBEditValvula", QStringLiteral("Válvula"), item.valveCode, true, 0);
    DBEditModelo = edit("DBEditModelo", QStringLiteral("Modelo"), item.valveModel, false, 20);
    DBEditSerieValvula = edit("DBEditSerieValvula", QStringLiteral("Nro de Serie"), item.valveSerial, true, 0);
    DBEditObservaciones = edit("DBEditObservaciones", QStringLiteral("Observaciones"), item.observations, false, 50);
    DBEditObservaciones->setValidator(new Widgets::UpperCaseValidator(DBEditObservaciones));
    DBEditObservaciones->setMinimumWidth(280);
    // What identifies the item is shown, not edited: greyed, and out of the tab order.
    for (QLineEdit *e : {DBEditCilindro, DBEditSerie, DBEditFabricacion, DBEditValvula, DBEditSerieValvula}) {
        e->setFocusPolicy(Qt::ClickFocus);
        e->setStyleSheet(QStringLiteral("QLineEdit { background: palette(window); }"));
    }

    BitBtnAceptar = new QPushButton(QStringLiteral("Aceptar"), this);
    BitBtnAceptar->setObjectName(QStringLiteral("BitBtnAceptar"));
    BitBtnAceptar->setDefault(true);
    BitBtnCancelar = new QPushButton(QStringLiteral("Cancelar"), this);
    BitBtnCancelar->setObjectName(QStringLiteral("BitBtnCancelar"));
    BitBtnCancelar->setAutoDefault(false);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BitBtnAceptar);
    buttons->addWidget(BitBtnCancelar);
    auto *layout = new QVBoxLayout(this);
    Widgets::setUpWindow(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    connect(BitBtnAceptar, &QPushButton::clicked, this, &TEditRegistroCCForm::BitBtnAceptarClick);
    connect(BitBtnCancelar, &QPushButton::clicked, new Widgets::DiscardGuard(this, m_prompter),
            &Widgets::DiscardGuard::cancel);
    setFixedSize(sizeHint());
    DBEditCapacidad->setFocus();
}

void TEditRegistroCCForm::BitBtnAceptarClick()
{
    Letter::Item edited = m_item;
    const struct {
        QLineEdit *edit;
        std::optional<double> *into;
        const char *name;
    } measures[] = {{DBEditCapacidad, &edited.capacity, "La capacidad"},
                    {DBEditMasa, &edited.mass, "La masa"},
                    {DBEditDiametro, &edited.diameter, "El diámetro"}};
    for (const auto &m : measures) {
        bool ok = false;
        *m.into = Letter::ParseMeasure(m.edit->text(), &ok);
        if (!ok) {
            m_prompter.warn(QString::fromUtf8(m.name) +
                            QStringLiteral(" debe ser un número (por ejemplo 48,5) o quedar en blanco."));
            m.edit->setFocus();
            m.edit->selectAll();
            return;
        }
    }
    edited.valveModel = DBEditModelo->text().trimmed();
    edited.observations = DBEditObservaciones->text().trimmed().toUpper();
    m_item = edited;
    accept();
}
