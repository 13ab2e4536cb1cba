#include "operations/lookups/tbusquedaporapellidoform.h"

#include "core/lookuprules.h"
#include "data/dm1.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace
{

const QString kStatement = QStringLiteral("SDBusquedaPorApellido");

Widgets::SearchDialog::Setup setup()
{
    using C = Widgets::GridColumn;
    Widgets::SearchDialog::Setup s;
    s.objectName = QStringLiteral("TBusquedaPorApellidoForm");
    s.caption = QStringLiteral("Consulta por Propietario");
    s.prompt = QStringLiteral("Apellido y Nombre");
    s.searchButton = QStringLiteral("Consultar");
    s.searchButtonName = QStringLiteral("BitBtnConsultar");
    s.notFound = QStringLiteral("No se encontraron operaciones para el propietario especificado.");
    s.palette = Widgets::GridPalette::Green;
    s.columns = {{QStringLiteral("Propietario"), QStringLiteral("uapeynom"), 34, true},
                 {QStringLiteral("Dominio"), QStringLiteral("udominio"), 9, true},
                 {QStringLiteral("Marca"), QStringLiteral("umarca"), 10},
                 {QStringLiteral("Modelo"), QStringLiteral("umodelo"), 20},
                 {QStringLiteral("Año"), QStringLiteral("uano"), 4},
                 {QStringLiteral("Oblea"), QStringLiteral("uobleanew"), 10, true},
                 {QStringLiteral("Operación"), QStringLiteral("udescgest"), 12, true},
                 {QStringLiteral("Fecha"), QStringLiteral("ufecrev"), 10, false, C::Kind::Date},
                 {QStringLiteral("Taller"), QStringLiteral("codtal"), 7, true}};
    return s;
}

} // namespace

TBusquedaPorApellidoForm::TBusquedaPorApellidoForm(QWidget *parent, Prompter &prompter)
    : Widgets::SearchDialog(setup(), parent, prompter)
{
    BitBtnConsultar = searchButton();
    BitBtnConsultar->setEnabled(false);
    LabelBuscando = new QLabel(QStringLiteral("<< Buscando. Espere por favor >>"), this);
    LabelBuscando->setObjectName(QStringLiteral("LabelBuscando"));
    LabelBuscando->hide();
    addToButtonRow(LabelBuscando);
    BitBtnVer = addButton(QStringLiteral("Ver"), QStringLiteral("BitBtnVer"));
    BitBtnVer->hide(); // never offered by this dialog's callers
    BitBtnAceptar = addButton(QStringLiteral("Aceptar"), QStringLiteral("BitBtnAceptar"));
    BitBtnAceptar->setEnabled(false); // until a search finds something
    BitBtnCerrar = addButton(QStringLiteral("Cerrar"), QStringLiteral("BitBtnCerrar"));
    setDefaultButton(BitBtnConsultar);
    acceptOnDoubleClick(BitBtnAceptar);

    connect(Edit1, &QLineEdit::textChanged, this,
            [this](const QString &t) { BitBtnConsultar->setEnabled(!t.isEmpty()); });
    connect(BitBtnConsultar, &QPushButton::clicked, this, &TBusquedaPorApellidoForm::ConsultarClick);
    connect(BitBtnAceptar, &QPushButton::clicked, this, &TBusquedaPorApellidoForm::AceptarClick);
    connect(BitBtnCerrar, &QPushButton::clicked, this, &QDialog::reject);
}

NamedQuery &TBusquedaPorApellidoForm::resultSet() const
{
    return dm1().query(kStatement);
}

void TBusquedaPorApellidoForm::ConsultarClick()
{
    if (Edit1->text().isEmpty())
        return;
    NamedQuery &q = resultSet();
    LabelBuscando->show();
    const int found = runSearch([&] {
        q.close();
        // The shared statement uses the server's default `like` escape.
        q.setParam(QStringLiteral("ayn"), Lookups::ContainsPattern(Edit1->text()));
        q.open();
        return q.rows();
    });
    LabelBuscando->hide();
    BitBtnAceptar->setEnabled(found > 0);
}

void TBusquedaPorApellidoForm::AceptarClick()
{
    if (!hasSelection())
        return;
    // Leave the statement on the chosen row for callers that read it.
    positionOn(resultSet(), selectedRow());
    accept();
}

void TBusquedaPorApellidoForm::showEvent(QShowEvent *event)
{
    Widgets::SearchDialog::showEvent(event);
    NamedQuery &q = resultSet();
    if (q.isActive())
        q.close();
    clearRows();
    BitBtnAceptar->setEnabled(false);
    Edit1->setFocus();
}
