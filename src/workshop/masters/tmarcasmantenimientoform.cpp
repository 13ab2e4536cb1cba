#include "workshop/masters/tmarcasmantenimientoform.h"

#include "core/prompter.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>

TMarcasMantenimientoForm::TMarcasMantenimientoForm(QWidget *parent, Prompter &prompter)
    : TMarcasForm(QStringLiteral("TMarcasMantenimientoForm"), parent, prompter)
{
    setWindowTitle(QStringLiteral("Normalización de Modelos"));
    resize(820, 480);
    DBGridModelos->hide();
    for (QPushButton *b : {BitBtnAgregarMarca, BitBtnAgregarModelo, BitBtnBorrarModelo})
        b->hide();
    ListBoxOrigen = new QListWidget(this);
    ListBoxOrigen->setObjectName(QStringLiteral("ListBoxOrigen"));
    ListBoxDestino = new QListWidget(this);
    ListBoxDestino->setObjectName(QStringLiteral("ListBoxDestino"));
    gridsRow()->addWidget(ListBoxOrigen, 1);
    gridsRow()->addWidget(ListBoxDestino, 1);
    BitBtnPasarComo = new QPushButton(QStringLiteral("Pasar como"), this);
    BitBtnPasarComo->setObjectName(QStringLiteral("BitBtnPasarComo"));
    BitBtnPasarComo->setAutoDefault(false);
    m_buttons->insertWidget(0, BitBtnPasarComo);
    connect(BitBtnPasarComo, &QPushButton::clicked, this, &TMarcasMantenimientoForm::BitBtnPasarComoClick);
}

void TMarcasMantenimientoForm::modelsShown(const QStringList &models)
{
    for (QListWidget *list : {ListBoxOrigen, ListBoxDestino}) {
        if (!list)
            continue;
        list->clear();
        list->addItems(models);
    }
}

void TMarcasMantenimientoForm::BitBtnPasarComoClick()
{
    prompter().info(QStringLiteral("En construcción."));
}
