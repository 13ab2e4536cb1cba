#include "workshop/masters/ttrabajosrealizadosform.h"

#include "core/prompter.h"
#include "data/dberror.h"
#include "widgets/modalrun.h"
#include "widgets/serverwait.h"
#include "workshop/common/gridrows.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

TTrabajosRealizadosForm::TTrabajosRealizadosForm(QWidget *parent, Prompter &prompter)
    : TTrabajosForm(QStringLiteral("TTrabajosRealizadosForm"), QStringLiteral("Trabajos Realizados"), parent, prompter)
{
    resize(620, 620);
    setPicking(true);
    auto *layout = qobject_cast<QVBoxLayout *>(this->layout());
    LabelTrabajo = new QLabel(QStringLiteral("Indicar cual trabajo fue realizado"), this);
    LabelTrabajo->setObjectName(QStringLiteral("LabelTrabajo"));
    layout->insertWidget(0, LabelTrabajo);

    LabelTecnico = new QLabel(QStringLiteral("Que técnico realizó el trabajo"), this);
    LabelTecnico->setObjectName(QStringLiteral("LabelTecnico"));
    m_technicians = new Widgets::ResultGridModel({{QStringLiteral("ID"), QStringLiteral("id"), 6, true},
                                                  {QStringLiteral("TECNICO"), QStringLiteral("name"), 50}},
                                                 Widgets::GridPalette::Green, this);
    DBGridTecnicos = new QTableView(this);
    DBGridTecnicos->setObjectName(QStringLiteral("DBGridTecnicos"));
    Widgets::setUpResultGrid(DBGridTecnicos, m_technicians);
    DBGridTecnicos->horizontalHeader()->setStretchLastSection(true);
    // Below the jobs grid, above the buttons.
    layout->insertWidget(layout->count() - 1, LabelTecnico);
    layout->insertWidget(layout->count() - 1, DBGridTecnicos, 1);

    BitBtnCerrar->hide();
    BitBtnAceptar = addButton(QStringLiteral("Aceptar"), QStringLiteral("BitBtnAceptar"));
    BitBtnCancelar = addButton(QStringLiteral("Cancelar"), QStringLiteral("BitBtnCancelar"));
    connect(BitBtnAceptar, &QPushButton::clicked, this, &TTrabajosRealizadosForm::BitBtnAceptarClick);
    connect(BitBtnCancelar, &QPushButton::clicked, this, &QDialog::reject);
}

void TTrabajosRealizadosForm::showEvent(QShowEvent *event)
{
    TTrabajosForm::showEvent(event);
    if (m_techniciansLoaded)
        return;
    m_techniciansLoaded = true;
    try {
        m_technicians->setRows(GridRows::items(Widgets::ServerWait::run<QVector<MasterFiles::Item>>(
            this, QStringLiteral("Leyendo los operarios..."), Conn::PostVenta,
            [] { return MasterFiles::PickList(MasterFiles::Table::Technicians); })));
        Widgets::selectGridRow(DBGridTecnicos, 0);
    } catch (const DbError &e) {
        prompter().error(e.text());
    }
}

std::optional<TTrabajosRealizadosForm::Choice> TTrabajosRealizadosForm::choice() const
{
    const std::optional<MasterFiles::Item> job = current();
    const int row = Widgets::selectedGridRow(DBGridTecnicos);
    if (!job || row < 0 || row >= m_technicians->rowCount())
        return std::nullopt;
    return Choice{
        *job,
        {m_technicians->value(row, QStringLiteral("id")).toInt(), m_technicians->text(row, QStringLiteral("name"))}};
}

void TTrabajosRealizadosForm::BitBtnAceptarClick()
{
    if (choice())
        accept();
}

std::optional<TTrabajosRealizadosForm::Choice> TTrabajosRealizadosForm::choose(QWidget *parent, Prompter &prompter)
{
    TTrabajosRealizadosForm form(parent, prompter);
    if (Widgets::runModal(form) != QDialog::Accepted)
        return std::nullopt;
    return form.choice();
}
