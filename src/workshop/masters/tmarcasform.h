#pragma once

#include "widgets/resultgrid.h"
#include "widgets/serverwait.h"

#include <QDialog>

class Prompter;
class QHBoxLayout;
class QPushButton;
class QTableView;

// "Marcas y Modelos de Vehículos": the brands, and the models of the brand
// under the cursor. Brands are added, never deleted; models are added and
// deleted.
class TMarcasForm : public QDialog
{
    Q_OBJECT
public:
    TMarcasForm(QWidget *parent, Prompter &prompter);

    QString currentBrand() const;
    QString currentModel() const;

public slots:
    void BitBtnAgregarMarcaClick();
    void BitBtnAgregarModeloClick();
    void BitBtnBorrarModeloClick();

protected:
    TMarcasForm(const QString &objectName, QWidget *parent, Prompter &prompter);
    void showEvent(QShowEvent *event) override;
    Prompter &prompter() const { return m_prompter; }
    // Called with the models of the brand under the cursor.
    virtual void modelsShown(const QStringList &models);
    QHBoxLayout *gridsRow() const { return m_grids; }

protected:
    QTableView *DBGridMarcas = nullptr;
    QTableView *DBGridModelos = nullptr;
    QPushButton *BitBtnAgregarMarca = nullptr;
    QPushButton *BitBtnAgregarModelo = nullptr;
    QPushButton *BitBtnBorrarModelo = nullptr;
    QPushButton *BitBtnCerrar = nullptr;

protected:
    QHBoxLayout *m_buttons = nullptr;

private:
    void reloadBrands(const QString &select = {});
    void reloadModels(const QString &select = {});

    Prompter &m_prompter;
    Widgets::WindowWrites m_writes{Widgets::WindowWrites::EachItsOwn};
    Widgets::ResultGridModel *m_brands = nullptr;
    Widgets::ResultGridModel *m_models = nullptr;
    QHBoxLayout *m_grids = nullptr;
    bool m_loaded = false;
};
