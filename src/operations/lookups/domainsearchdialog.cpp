#include "operations/lookups/domainsearchdialog.h"

#include "app/messages.h"
#include "core/lookuprules.h"
#include "data/dm1.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace Lookups
{

DomainSearchDialog::DomainSearchDialog(const Definition &def, QWidget *parent, Prompter *prompter)
    : QDialog(parent), m_def(def), m_query(std::make_unique<NamedQuery>(def.queryName, Conn::Operations, def.sql)),
      m_prompter(prompter)
{
    setObjectName(def.objectName);
    setWindowTitle(def.title);
    setModal(true);

    m_model = new QueryGridModel(def.columns, def.palette, this);
    DBGrid1 = new QTableView(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setModel(m_model);
    setUpResultGrid(DBGrid1, def.palette);
    DBGrid1->horizontalHeader()->setStretchLastSection(true);

    BitBtnAceptar = new QPushButton(QStringLiteral("Aceptar"), this);
    BitBtnAceptar->setObjectName(QStringLiteral("BitBtnAceptar"));
    BitBtnCancelar = new QPushButton(QStringLiteral("Cancelar"), this);
    BitBtnCancelar->setObjectName(QStringLiteral("BitBtnCancelar"));
    BitBtnAceptar->setDefault(true);

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BitBtnAceptar);
    buttons->addWidget(BitBtnCancelar);
    auto *main = new QVBoxLayout(this);
    main->addWidget(DBGrid1, 1);
    main->addLayout(buttons);
    resize(900, 360);

    connect(BitBtnAceptar, &QPushButton::clicked, this, &DomainSearchDialog::AceptarClick);
    connect(BitBtnCancelar, &QPushButton::clicked, this, &QDialog::reject);
    connect(DBGrid1, &QTableView::doubleClicked, this, [this] {
        if (BitBtnAceptar->isEnabled())
            AceptarClick();
    });
}

DomainSearchDialog::~DomainSearchDialog() = default;

Prompter &DomainSearchDialog::prompter()
{
    if (m_prompter)
        return *m_prompter;
    if (!m_ownPrompter)
        m_ownPrompter = std::make_unique<GuiPrompter>(this);
    return *m_ownPrompter;
}

void DomainSearchDialog::setDomain(const QString &domain)
{
    m_domain = domain;
    setWindowTitle(DomainCaption(domain));
}

NamedQuery &DomainSearchDialog::resultSet() const
{
    return *m_query;
}

void DomainSearchDialog::FormActivate()
{
    bool found = false;
    try {
        m_query->close();
        m_query->setParam(QStringLiteral("do"), m_domain);
        m_query->open();
        found = !m_query->isEmpty();
    } catch (const DbError &e) {
        m_model->clear();
        BitBtnAceptar->setEnabled(false);
        prompter().error(e.text());
        BitBtnCancelar->setFocus();
        return;
    }
    m_model->load(*m_query);
    BitBtnAceptar->setEnabled(found);
    if (!found) {
        prompter().info(QStringLiteral("Lo siento. No hay datos para el dominio ingresado."));
        BitBtnCancelar->setFocus();
        return;
    }
    selectRow(0);
    DBGrid1->setFocus();
}

void DomainSearchDialog::AceptarClick()
{
    if (hasSelection())
        accept();
}

bool DomainSearchDialog::hasSelection() const
{
    const QModelIndex i = DBGrid1->currentIndex();
    return i.isValid() && i.row() < m_model->rowCount();
}

QString DomainSearchDialog::selectedText(const QString &field) const
{
    return hasSelection() ? m_model->text(DBGrid1->currentIndex().row(), field) : QString();
}

void DomainSearchDialog::selectRow(int row)
{
    if (row < 0 || row >= m_model->rowCount())
        return;
    DBGrid1->setCurrentIndex(m_model->index(row, 0));
    DBGrid1->selectRow(row);
}

void DomainSearchDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    FormActivate();
}

} // namespace Lookups
