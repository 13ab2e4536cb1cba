#include "operations/form/cylindergroup.h"

#include "app/navigator.h"
#include "data/localstore.h"
#include "operations/cylinders/cylinderactions.h"
#include "operations/cylinders/cylinderlist.h"
#include "widgets/formkit.h"
#include "widgets/resultgrid.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QTableView>
#include <QToolButton>
#include <QVBoxLayout>

namespace OperationForm
{

namespace
{

QLineEdit *detail(const char *name)
{
    return Widgets::readOnlyField(QString::fromLatin1(name), nullptr, Qt::NoFocus);
}

} // namespace

CylinderGroup::CylinderGroup(const Context &context, std::function<QString()> domain)
    : QGroupBox(QStringLiteral("Cilindros")), m_context(context), m_domain(std::move(domain)),
      m_cylinders(new CylinderList(localStore().table(LocalTableId::Cylinders), this)),
      DBGrid1(Widgets::named(new QTableView, "DBGrid1")),
      SpeedButton4(Widgets::toolButton("SpeedButton4", QStringLiteral("Agregar Cilindro"),
                                       QStyle::SP_FileDialogNewFolder, true)),
      SpeedButton5(Widgets::toolButton("SpeedButton5", QStringLiteral("Modificar Datos del Cilindro"),
                                       QStyle::SP_FileDialogDetailedView, true)),
      SpeedButton6(Widgets::toolButton("SpeedButton6", QStringLiteral("Borrar Cilindro"), QStyle::SP_TrashIcon, true)),
      SpeedButton8(
          Widgets::toolButton("SpeedButton8", QStringLiteral("Reemplazo de Válvula"), QStyle::SP_BrowserReload, true)),
      SpeedButtonCC1(
          Widgets::toolButton("SpeedButtonCC1", QStringLiteral("Carta Compromiso"), QStyle::SP_FileIcon, true)),
      SpeedButtonCC2(Widgets::toolButton("SpeedButtonCC2", QStringLiteral("Carta Compromiso"), QStyle::SP_FileIcon)),
      SpeedButtonVida(Widgets::toolButton("SpeedButtonVida", QStringLiteral("Vida del Cilindro"),
                                          QStyle::SP_FileDialogContentsView, true)),
      DBEditValCod(detail("DBEditValCod")), DBEditValNro(detail("DBEditValNro")),
      DBEditValGest(detail("DBEditValGest")), DBEditNroCertif(detail("DBEditNroCertif")),
      DBEditRValCod(detail("DBEditRValCod")), DBEditRValNro(detail("DBEditRValNro")),
      DBEditRValGest(detail("DBEditRValGest"))
{
    setObjectName(QStringLiteral("GroupBoxCilindros"));
    auto *v = new QVBoxLayout(this);
    v->setSpacing(3);

    SpeedButtonCC1->setVisible(false);
    SpeedButtonCC2->setVisible(false);
    SpeedButtonCC1->setEnabled(false); // a recall enables it when a cylinder is overdue
    auto *buttons = new QHBoxLayout;
    for (QToolButton *b :
         {SpeedButton4, SpeedButton5, SpeedButton6, SpeedButton8, SpeedButtonVida, SpeedButtonCC1, SpeedButtonCC2})
        buttons->addWidget(b);
    buttons->addStretch(1);
    v->addLayout(buttons);

    DBGrid1->setModel(m_cylinders);
    Widgets::setUpGrid(DBGrid1, Widgets::GridPalette::Blue, CylinderList::columns());
    // The details follow the grid's row, and a refilled list starts on its first.
    connect(DBGrid1->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &CylinderGroup::showDetails);
    connect(m_cylinders, &QAbstractItemModel::modelReset, this, [this] {
        Widgets::selectGridRow(DBGrid1, 0);
        showDetails();
    });
    DBGrid1->setMinimumHeight(110);
    v->addWidget(DBGrid1, 1);
    // From the grid: Insert adds a cylinder, F2 changes it, Delete takes it away.
    const std::pair<QToolButton *, Qt::Key> keys[] = {
        {SpeedButton4, Qt::Key_Insert}, {SpeedButton5, Qt::Key_F2}, {SpeedButton6, Qt::Key_Delete}};
    for (const auto &[button, key] : keys) {
        QToolButton *b = button; // a lambda takes a variable, not a binding
        auto *shortcut = new QShortcut(QKeySequence(key), DBGrid1, nullptr, nullptr, Qt::WidgetShortcut);
        connect(shortcut, &QShortcut::activated, b, [b] {
            if (b->isVisible() && b->isEnabled())
                b->click();
        });
        b->setToolTip(
            QStringLiteral("%1 (%2)").arg(b->toolTip(), QKeySequence(key).toString(QKeySequence::NativeText)));
    }

    auto *d = new QGridLayout;
    d->setVerticalSpacing(2);
    d->addWidget(new QLabel(QStringLiteral("Válvula de Cilindro")), 0, 0);
    d->addWidget(DBEditValCod, 0, 1);
    d->addWidget(DBEditValNro, 0, 2);
    d->addWidget(DBEditValGest, 0, 3);
    d->addWidget(new QLabel(QStringLiteral("Certificado")), 0, 4);
    d->addWidget(new QLabel(QStringLiteral("Reemplazo")), 1, 0);
    d->addWidget(DBEditRValCod, 1, 1);
    d->addWidget(DBEditRValNro, 1, 2);
    d->addWidget(DBEditRValGest, 1, 3);
    d->addWidget(new QLabel(QStringLiteral("Nro Asignado")), 1, 4);
    d->addWidget(DBEditNroCertif, 0, 5, 2, 1, Qt::AlignVCenter);
    d->setColumnStretch(1, 1);
    d->setColumnStretch(2, 3);
    d->setColumnStretch(3, 2);
    d->setColumnStretch(5, 2);
    v->addLayout(d);
    wireActions();
}

void CylinderGroup::wireActions()
{
    using namespace Cylinders;
    LocalTable &table = m_cylinders->table();
    const auto context = [this] { return EntryContext{m_kind, m_domain(), m_context.form, m_context.prompter}; };
    const auto selectedRow = [this] {
        const QModelIndex i = DBGrid1->currentIndex();
        return i.isValid() ? i.row() : -1;
    };
    // The grid goes to the row the dialog worked on (the list itself shows
    // every change of the table already).
    const auto after = [this, &table](bool changed) {
        if (changed)
            Widgets::selectGridRow(DBGrid1, table.recNo());
    };
    connect(SpeedButton4, &QToolButton::clicked, this, [=, &table] { after(AddCylinder(table, context())); });
    connect(SpeedButton5, &QToolButton::clicked, this,
            [=, &table] { after(ModifyCylinder(table, selectedRow(), context())); });
    connect(SpeedButton6, &QToolButton::clicked, this,
            [=, &table] { after(DeleteCylinder(table, selectedRow(), context())); });
    connect(SpeedButton8, &QToolButton::clicked, this,
            [=, &table] { after(ReplaceValve(table, selectedRow(), context())); });
    connect(SpeedButtonVida, &QToolButton::clicked, this, [this] {
        if (const auto c = selected(); c && !c->nroSerie.trimmed().isEmpty())
            navigator().request(Nav::ShowCylinderLife{c->nroSerie, c->codigo}, m_context.form);
    });
    connect(SpeedButtonCC1, &QToolButton::clicked, this, &CylinderGroup::letterWanted);
    connect(SpeedButtonCC2, &QToolButton::clicked, this, &CylinderGroup::collectWanted);
}

void CylinderGroup::setCylinders(const QVector<CylinderRow> &rows)
{
    m_cylinders->setRows(rows);
}

QVector<CylinderRow> CylinderGroup::cylinders() const
{
    return m_cylinders->rows();
}

std::optional<CylinderRow> CylinderGroup::selected() const
{
    const int row = Widgets::selectedGridRow(DBGrid1);
    if (row < 0 || row >= m_cylinders->rowCount())
        return std::nullopt;
    return m_cylinders->row(row);
}

void CylinderGroup::showValveReplacement(bool shown)
{
    SpeedButton8->setVisible(shown);
}

void CylinderGroup::showLetterButtons(bool shown)
{
    SpeedButtonCC1->setVisible(shown);
    SpeedButtonCC2->setVisible(shown);
}

void CylinderGroup::enableLetter()
{
    SpeedButtonCC1->setEnabled(true);
}

void CylinderGroup::lockChanges()
{
    for (QToolButton *b : {SpeedButton4, SpeedButton5, SpeedButton6, SpeedButton8, SpeedButtonCC1, SpeedButtonCC2})
        b->setEnabled(false);
}

void CylinderGroup::showDetails()
{
    const QModelIndex current = DBGrid1->currentIndex();
    const CylinderRow c = m_cylinders->row(current.isValid() ? current.row() : -1);
    DBEditValCod->setText(c.valCod);
    DBEditValNro->setText(c.valNro);
    DBEditValGest->setText(c.valGest);
    DBEditNroCertif->setText(c.nroCertif);
    DBEditRValCod->setText(c.rvalCod);
    DBEditRValNro->setText(c.rvalNro);
    DBEditRValGest->setText(c.rvalGest);
}

} // namespace OperationForm
