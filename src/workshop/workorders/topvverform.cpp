#include "workshop/workorders/topvverform.h"

#include "core/prompter.h"
#include "data/dberror.h"
#include "data/workorderstore.h"
#include "widgets/waitcursor.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

TOpvVerForm::TOpvVerForm(QWidget *parent, Prompter &prompter) : TOPVNewForm(parent, prompter, QStringLiteral("Falla"))
{
    setObjectName(QStringLiteral("TOpvVerForm"));
    setWindowTitle(QStringLiteral("Orden de Trabajo"));
    setReadOnly();
    TipoDocEdit->hide();
    NroDocEdit->hide();
    LabelDocumento->hide();
    CelularCaracEdit->hide();
    AnioEdit->hide(); // the view shows no model year
    for (QLabel *l : findChildren<QLabel *>())
        if (l->buddy() == AnioEdit)
            l->hide();
    BitBtnAceptar = new QPushButton(QStringLiteral("Aceptar"), this);
    BitBtnAceptar->setObjectName(QStringLiteral("BitBtnAceptar"));
    m_buttons->addWidget(BitBtnAceptar);
    connect(BitBtnAceptar, &QPushButton::clicked, this, &QDialog::accept);
}

bool TOpvVerForm::Load(const QString &taller, int numero)
{
    const std::optional<WorkOrders::WorkOrder> o = loadOrder(taller, numero);
    if (!o)
        return false;
    // Names as stored, even when a pick list no longer holds them.
    for (auto [box, name] : {std::pair{DBLookupComboBoxConcesionario, o->concesionarioNombre},
                             std::pair{DBLookupComboBoxRecepcionista, o->recepcionistaNombre}})
        if (box->currentIndex() < 0) {
            box->addItem(name);
            box->setCurrentIndex(box->count() - 1);
        }
    return true;
}
