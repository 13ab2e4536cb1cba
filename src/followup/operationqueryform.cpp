#include "followup/operationqueryform.h"

#include "app/messages.h"
#include "app/navigator.h"
#include "data/dm1.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>
#include <QValidator>

namespace
{

// Keys are typed in upper case whatever the keyboard does (pasted text too).
class UpperCaseValidator : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override
    {
        input = input.toUpper();
        return Acceptable;
    }
};

QString recordText(const QSqlRecord &r, const QString &field)
{
    return r.value(field).toString().trimmed();
}

} // namespace

OperationQueryForm::OperationQueryForm(QWidget *parent, const Setup &setup, NamedQuery *query,
                                       std::unique_ptr<NamedQuery> owned)
    : QDialog(parent), m_owned(std::move(owned)), m_query(m_owned ? m_owned.get() : query), m_setup(setup)
{
    setObjectName(setup.objectName);
    setWindowTitle(setup.caption);
    resize(900, 420);

    auto *label = new QLabel(setup.entryLabel, this);
    label->setObjectName(QStringLiteral("Label1"));
    m_entry = new QLineEdit(this);
    m_entry->setObjectName(QStringLiteral("Edit1"));
    m_entry->setValidator(new UpperCaseValidator(m_entry));
    label->setBuddy(m_entry);

    m_consultar = new QPushButton(QStringLiteral("Consultar"), this);
    m_consultar->setObjectName(QStringLiteral("BitBtnConsultar"));
    m_consultar->setDefault(true);

    m_model = new ResultGridModel(setup.columns, GridPalette::Blue, this);
    m_grid = new QTableView(this);
    m_grid->setObjectName(QStringLiteral("DBGrid1"));
    setUpResultGrid(m_grid, m_model);

    const bool aceptar = setup.action == Action::Aceptar;
    m_action = new QPushButton(aceptar ? QStringLiteral("Aceptar") : QStringLiteral("Ver"), this);
    m_action->setObjectName(aceptar ? QStringLiteral("BitBtnAceptar") : QStringLiteral("BitBtnVer"));
    m_action->setAutoDefault(false);
    m_action->setEnabled(false);
    auto *cerrar = new QPushButton(QStringLiteral("Cerrar"), this);
    cerrar->setObjectName(QStringLiteral("BitBtnCerrar"));
    cerrar->setAutoDefault(false);

    connect(m_consultar, &QPushButton::clicked, this, &OperationQueryForm::BitBtnConsultarClick);
    connect(m_action, &QPushButton::clicked, this, [this] {
        if (selectedRecord())
            actionClicked();
    });
    connect(cerrar, &QPushButton::clicked, this, &QDialog::reject);

    auto *top = new QHBoxLayout;
    top->addWidget(label);
    top->addWidget(m_entry, 1);
    top->addWidget(m_consultar);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(m_action);
    buttons->addWidget(cerrar);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_grid, 1);
    layout->addLayout(buttons);
}

OperationQueryForm::~OperationQueryForm() = default;

QString OperationQueryForm::searchText()
{
    return m_entry->text();
}

void OperationQueryForm::BitBtnConsultarClick()
{
    m_action->setEnabled(false);
    const QString key = searchText();
    try {
        WaitCursor wait;
        m_query->close();
        m_model->clear();
        m_query->setParam(m_setup.param, key);
        m_query->open();
        m_model->setRows(m_query->rows());
    } catch (const DbError &e) {
        Msg::error(this, e.text());
        return;
    }
    if (m_query->isEmpty()) {
        Msg::info(this, m_setup.notFound);
        m_entry->setFocus();
        return;
    }
    m_action->setEnabled(true);
    m_grid->setFocus();
    selectGridRow(m_grid, 0);
}

void OperationQueryForm::showResultRows()
{
    m_model->setRows(m_query->isActive() ? m_query->rows() : QVector<QSqlRecord>());
    m_action->setEnabled(m_model->rowCount() > 0);
    selectGridRow(m_grid, 0);
}

void OperationQueryForm::clearResult()
{
    m_query->close();
    m_model->clear();
    m_action->setEnabled(false);
}

const QSqlRecord *OperationQueryForm::selectedRecord() const
{
    const int row = selectedGridRow(m_grid);
    // The grid shows the result set's rows in their order.
    if (row < 0 || row >= m_query->rowCount() || m_model->rowCount() != m_query->rowCount())
        return nullptr;
    return &m_query->rows().at(row);
}

void OperationQueryForm::openConsultation(bool carriesWorkshop)
{
    const QSqlRecord *r = selectedRecord();
    if (!r)
        return;
    Nav::ViewOperation request;
    request.kind = recordText(*r, QStringLiteral("ucodgest"));
    request.sticker = recordText(*r, QStringLiteral("uobleanew"));
    request.previousSticker = recordText(*r, QStringLiteral("uobleaant"));
    if (carriesWorkshop) {
        request.carriesWorkshop = true;
        request.workshopCode = recordText(*r, QStringLiteral("codtal"));
        request.workshopCuit = recordText(*r, QStringLiteral("talcuit"));
        request.workshopRepMatricula = recordText(*r, QStringLiteral("rmatreshab"));
        request.pecRepMatricula = recordText(*r, QStringLiteral("pmatreshab"));
    }
    navigator().request(request, this);
}

void OperationQueryForm::acceptSelection()
{
    const int row = selectedGridRow(m_grid);
    const QSqlRecord *r = selectedRecord();
    if (!r)
        return;
    m_key.peccod = recordText(*r, QStringLiteral("peccod"));
    m_key.talcuit = recordText(*r, QStringLiteral("talcuit"));
    m_key.tnrointopr = r->value(QStringLiteral("tnrointopr")).toString().trimmed().toLongLong();
    // Callers that read the shared result set find it on the chosen row.
    if (m_query->first()) {
        while (m_query->position() < row && m_query->next()) {
        }
    }
    accept();
}
