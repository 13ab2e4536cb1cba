#include "operations/lookups/catalogsearchdialog.h"

#include "app/messages.h"
#include "core/lookuprules.h"
#include "data/dm1.h"
#include "operations/uppercasevalidator.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace Lookups
{

CatalogSearchDialog::CatalogSearchDialog(const Definition &def, QWidget *parent)
    : QDialog(parent), m_def(def), m_query(std::make_unique<NamedQuery>(def.queryName, Conn::Operations, def.sql))
{
    setObjectName(def.objectName);
    setWindowTitle(def.caption);
    setModal(true);

    Label1 = new QLabel(def.prompt, this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Edit1 = new QLineEdit(this);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setValidator(new UpperCaseValidator(Edit1));
    Edit1->installEventFilter(this);
    BitBtnBuscar = new QPushButton(QStringLiteral("Buscar"), this);
    BitBtnBuscar->setObjectName(QStringLiteral("BitBtnBuscar"));

    m_model = new QueryGridModel(def.columns, GridPalette::Blue, this);
    DBGrid1 = new QTableView(this);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setModel(m_model);
    setUpResultGrid(DBGrid1, GridPalette::Blue);
    DBGrid1->horizontalHeader()->setStretchLastSection(true);

    BitBtnAceptar = new QPushButton(QStringLiteral("Aceptar"), this);
    BitBtnAceptar->setObjectName(QStringLiteral("BitBtnAceptar"));
    BitBtnCancelar = new QPushButton(QStringLiteral("Cancelar"), this);
    BitBtnCancelar->setObjectName(QStringLiteral("BitBtnCancelar"));
    for (QPushButton *b : {BitBtnBuscar, BitBtnAceptar, BitBtnCancelar})
        b->setAutoDefault(false);
    makeDefault(BitBtnBuscar);

    auto *search = new QHBoxLayout;
    search->addWidget(Edit1, 1);
    search->addWidget(BitBtnBuscar);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(BitBtnAceptar);
    buttons->addWidget(BitBtnCancelar);
    auto *main = new QVBoxLayout(this);
    main->addWidget(Label1);
    main->addLayout(search);
    main->addWidget(DBGrid1, 1);
    main->addLayout(buttons);
    resize(560, 360);

    connect(BitBtnBuscar, &QPushButton::clicked, this, &CatalogSearchDialog::BuscarClick);
    connect(BitBtnAceptar, &QPushButton::clicked, this, &CatalogSearchDialog::AceptarClick);
    connect(BitBtnCancelar, &QPushButton::clicked, this, &QDialog::reject);
    connect(DBGrid1, &QTableView::doubleClicked, this, &CatalogSearchDialog::AceptarClick);
}

CatalogSearchDialog::~CatalogSearchDialog() = default;

NamedQuery &CatalogSearchDialog::resultSet() const
{
    return *m_query;
}

void CatalogSearchDialog::makeDefault(QPushButton *button)
{
    for (QPushButton *b : {BitBtnBuscar, BitBtnAceptar})
        b->setDefault(b == button);
}

void CatalogSearchDialog::BuscarClick()
{
    try {
        m_query->close();
        m_query->setParam(m_def.param, ContainsPattern(Edit1->text(), QLatin1Char(kLikeEscape)));
        m_query->open();
    } catch (const DbError &e) {
        m_model->clear();
        Msg::error(this, e.text());
        return;
    }
    m_model->load(*m_query);
    if (m_model->rowCount() > 0)
        selectRow(0);
    DBGrid1->setFocus();
    makeDefault(BitBtnAceptar);
}

void CatalogSearchDialog::preSearch(const QString &text)
{
    Edit1->setText(text);
    BuscarClick();
    // The first activation must not throw this search away.
    m_preSearched = true;
}

void CatalogSearchDialog::AceptarClick()
{
    accept();
}

bool CatalogSearchDialog::hasSelection() const
{
    const QModelIndex i = DBGrid1->currentIndex();
    return i.isValid() && i.row() < m_model->rowCount();
}

QString CatalogSearchDialog::selectedText(const QString &field) const
{
    return hasSelection() ? m_model->text(DBGrid1->currentIndex().row(), field) : QString();
}

QVariant CatalogSearchDialog::selectedValue(const QString &field) const
{
    return hasSelection() ? recordValue(m_model->record(DBGrid1->currentIndex().row()), field) : QVariant();
}

void CatalogSearchDialog::selectRow(int row)
{
    if (row < 0 || row >= m_model->rowCount())
        return;
    DBGrid1->setCurrentIndex(m_model->index(row, 0));
    DBGrid1->selectRow(row);
}

void CatalogSearchDialog::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_preSearched) {
        m_preSearched = false;
        DBGrid1->setFocus();
        return;
    }
    if (m_def.closesOnActivate) {
        m_query->close();
        m_model->clear();
    }
    Edit1->setFocus();
}

bool CatalogSearchDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Edit1 && event->type() == QEvent::FocusIn && m_def.searchBoxRestoresDefault)
        makeDefault(BitBtnBuscar);
    return QDialog::eventFilter(watched, event);
}

} // namespace Lookups
