#include "operations/lookups/tbusquedaporapellidoform.h"

#include "app/messages.h"
#include "core/lookuprules.h"
#include "data/dm1.h"
#include "operations/uppercasevalidator.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace
{

const QString kStatement = QStringLiteral("SDBusquedaPorApellido");

QVector<Lookups::GridColumn> columns()
{
    return {{QStringLiteral("Propietario"), QStringLiteral("uapeynom")},
            {QStringLiteral("Dominio"), QStringLiteral("udominio")},
            {QStringLiteral("Marca"), QStringLiteral("umarca")},
            {QStringLiteral("Modelo"), QStringLiteral("umodelo")},
            {QStringLiteral("Año"), QStringLiteral("uano")},
            {QStringLiteral("Oblea"), QStringLiteral("uobleanew")},
            {QStringLiteral("Operación"), QStringLiteral("udescgest")},
            {QStringLiteral("Fecha"), QStringLiteral("ufecrev")},
            {QStringLiteral("Taller"), QStringLiteral("codtal")}};
}

} // namespace

TBusquedaPorApellidoForm::TBusquedaPorApellidoForm(QWidget *parent, Prompter *prompter)
    : QDialog(parent), m_prompter(prompter)
{
    setObjectName(QStringLiteral("TBusquedaPorApellidoForm"));
    setWindowTitle(QStringLiteral("Consulta por Propietario"));
    setModal(true);

    Label1 = new QLabel(QStringLiteral("Apellido y Nombre"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setValidator(new UpperCaseValidator(Edit1));
    BitBtnConsultar = new QPushButton(QStringLiteral("Consultar"), this);
    BitBtnConsultar->setObjectName(QStringLiteral("BitBtnConsultar"));
    BitBtnConsultar->setEnabled(false);
    LabelBuscando = new QLabel(QStringLiteral("<< Buscando. Espere por favor >>"), this);
    LabelBuscando->setObjectName(QStringLiteral("LabelBuscando"));
    LabelBuscando->hide();

    m_model = new Lookups::QueryGridModel(columns(), Lookups::GridPalette::Green, this);
    DBGrid1 = new QTableView(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setModel(m_model);
    Lookups::setUpResultGrid(DBGrid1, Lookups::GridPalette::Green);
    DBGrid1->horizontalHeader()->setStretchLastSection(true);

    BitBtnVer = new QPushButton(QStringLiteral("Ver"), this);
    BitBtnVer->setObjectName(QStringLiteral("BitBtnVer"));
    BitBtnVer->hide(); // never offered by this dialog's callers
    BitBtnAceptar = new QPushButton(QStringLiteral("Aceptar"), this);
    BitBtnAceptar->setObjectName(QStringLiteral("BitBtnAceptar"));
    BitBtnAceptar->setEnabled(false); // until a search finds something
    BitBtnCerrar = new QPushButton(QStringLiteral("Cerrar"), this);
    BitBtnCerrar->setObjectName(QStringLiteral("BitBtnCerrar"));
    for (QPushButton *b : {BitBtnConsultar, BitBtnVer, BitBtnAceptar, BitBtnCerrar})
        b->setAutoDefault(false);
    BitBtnConsultar->setDefault(true);

    auto *top = new QHBoxLayout;
    top->addWidget(Label1);
    top->addWidget(Edit1, 1);
    top->addWidget(BitBtnConsultar);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(LabelBuscando);
    buttons->addStretch(1);
    buttons->addWidget(BitBtnVer);
    buttons->addWidget(BitBtnAceptar);
    buttons->addWidget(BitBtnCerrar);
    auto *main = new QVBoxLayout(this);
    main->addLayout(top);
    main->addWidget(DBGrid1, 1);
    main->addLayout(buttons);
    resize(820, 420);

    connect(Edit1, &QLineEdit::textChanged, this,
            [this](const QString &t) { BitBtnConsultar->setEnabled(!t.isEmpty()); });
    connect(BitBtnConsultar, &QPushButton::clicked, this, &TBusquedaPorApellidoForm::ConsultarClick);
    connect(BitBtnAceptar, &QPushButton::clicked, this, &TBusquedaPorApellidoForm::AceptarClick);
    connect(BitBtnCerrar, &QPushButton::clicked, this, &QDialog::reject);
    connect(DBGrid1, &QTableView::doubleClicked, this, [this] {
        if (BitBtnAceptar->isEnabled())
            AceptarClick();
    });
}

TBusquedaPorApellidoForm::~TBusquedaPorApellidoForm() = default;

Prompter &TBusquedaPorApellidoForm::prompter()
{
    if (m_prompter)
        return *m_prompter;
    if (!m_ownPrompter)
        m_ownPrompter = std::make_unique<GuiPrompter>(this);
    return *m_ownPrompter;
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
    QApplication::setOverrideCursor(Qt::WaitCursor);
    LabelBuscando->show();
    try {
        q.close();
        // The shared statement uses the server's default `like` escape.
        q.setParam(QStringLiteral("ayn"), Lookups::ContainsPattern(Edit1->text()));
        q.open();
    } catch (const DbError &e) {
        QApplication::restoreOverrideCursor();
        LabelBuscando->hide();
        m_model->clear();
        BitBtnAceptar->setEnabled(false);
        prompter().error(e.text());
        return;
    }
    QApplication::restoreOverrideCursor();
    LabelBuscando->hide();
    m_model->load(q);
    if (q.isEmpty()) {
        prompter().info(QStringLiteral("No se encontraron operaciones para el propietario especificado."));
        Edit1->setFocus();
        BitBtnAceptar->setEnabled(false);
        return;
    }
    BitBtnAceptar->setEnabled(true);
    selectRow(0);
    DBGrid1->setFocus();
}

void TBusquedaPorApellidoForm::AceptarClick()
{
    if (!hasSelection())
        return;
    // Leave the statement on the chosen row for callers that read it.
    NamedQuery &q = resultSet();
    const int row = DBGrid1->currentIndex().row();
    q.first();
    for (int i = 0; i < row; ++i)
        q.next();
    accept();
}

bool TBusquedaPorApellidoForm::hasSelection() const
{
    const QModelIndex i = DBGrid1->currentIndex();
    return i.isValid() && i.row() < m_model->rowCount();
}

QString TBusquedaPorApellidoForm::selectedText(const QString &field) const
{
    return hasSelection() ? m_model->text(DBGrid1->currentIndex().row(), field) : QString();
}

void TBusquedaPorApellidoForm::selectRow(int row)
{
    if (row < 0 || row >= m_model->rowCount())
        return;
    DBGrid1->setCurrentIndex(m_model->index(row, 0));
    DBGrid1->selectRow(row);
}

void TBusquedaPorApellidoForm::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    NamedQuery &q = resultSet();
    if (q.isActive())
        q.close();
    m_model->clear();
    BitBtnAceptar->setEnabled(false);
    Edit1->setFocus();
}
