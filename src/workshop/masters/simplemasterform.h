#pragma once

#include "data/masterfiles.h"
#include "widgets/searchdialog.h"
#include "widgets/serverwait.h"
#include "workshop/masters/textentrydialog.h"

#include <optional>

class QPushButton;

// The list of a simple master file (technicians, faults, jobs): the grid,
// "Agregar" and "Editar" with a one-field dialog, "Borrar" after a question,
// "Cerrar"; the list is read again after each change. Faults and jobs add a
// filter over the description.
class SimpleMasterForm : public Widgets::SearchDialog
{
    Q_OBJECT
public:
    enum class Filter {
        None,
        Toggle,  // "Filtrar" becomes "Cancelar Filtro" while a filter is on
        Separate // "Filtrar" and its own "Cancelar Filtro" button
    };
    struct Setup {
        Widgets::SearchDialog::Setup list; // columns over the fields "id" and "name"
        MasterFiles::Table table = MasterFiles::Table::Technicians;
        QString confirmDelete;
        QString duplicate; // "%1" is the name another row already has
        TextEntryDialog::Setup dialog;
        Filter filter = Filter::None;
    };

    // The chosen row, if any.
    std::optional<MasterFiles::Item> current() const;
    // Reads the list again (with the filter in force) and puts the cursor
    // on the row of `id` when given.
    void reload(int id = 0);

public slots:
    void BitBtnAgregarClick();
    void BitBtnEditarClick();
    void BitBtnBorrarClick();
    void BitBtnFiltrarClick();
    void BitBtnCancelarFiltroClick();

protected:
    QPushButton *BitBtnFiltrar = nullptr;
    QPushButton *BitBtnCancelarFiltro = nullptr;
    QPushButton *BitBtnAgregar = nullptr;
    QPushButton *BitBtnEditar = nullptr;
    QPushButton *BitBtnBorrar = nullptr;
    QPushButton *BitBtnCerrar = nullptr;

protected:
    SimpleMasterForm(const Setup &setup, QWidget *parent, Prompter &prompter);
    void showEvent(QShowEvent *event) override;
    // A picker shows the list its session read before (MasterFiles::PickList);
    // the maintenance window reads it anew.
    void setPicking(bool picking) { m_picking = picking; }

private:
    void updateButtons();

    Setup m_setup;
    Widgets::WindowWrites m_writes{Widgets::WindowWrites::EachItsOwn};
    QString m_filter; // in force; empty: every row
    bool m_loaded = false;
    bool m_picking = false;
};
