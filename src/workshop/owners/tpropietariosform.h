#pragma once

#include "core/owner.h"
#include "widgets/searchdialog.h"

#include <QVariantMap>
#include <optional>

class QComboBox;
class QPushButton;

// "Propietarios": the owners file, searched by name or document, with the
// owner dialog to add, edit and view. Also the owners picker of the order
// forms and the operation form: the owner under the cursor when it closes.
class TPropietariosForm : public Widgets::SearchDialog
{
    Q_OBJECT
public:
    TPropietariosForm(QWidget *parent, Prompter &prompter);

    // The owner under the cursor, if any.
    std::optional<Owners::Owner> current() const;
    const QVector<Owners::Owner> &listed() const { return m_owners; }

    // Runs the list; the owner under the cursor when it closes, however it
    // is closed, as `propietarios` stores it (column -> value).
    static std::optional<Owners::Owner> pick(QWidget *parent, Prompter &prompter);

public slots:
    void BitBtnBuscarClick();
    void BitBtnLimpiarClick();
    void BitBtnAgregarClick();
    void BitBtnEditarClick();
    void BitBtnVerClick();
    void BitBtnExcelClick();

private:
    QComboBox *ComboBoxFiltro = nullptr;
    QPushButton *BitBtnBuscar = nullptr;
    QPushButton *BitBtnLimpiar = nullptr;
    QPushButton *BitBtnAgregar = nullptr;
    QPushButton *BitBtnEditar = nullptr;
    QPushButton *BitBtnVer = nullptr;
    QPushButton *BitBtnExcel = nullptr;
    QPushButton *BitBtnCerrar = nullptr;

private:
    static QVector<QSqlRecord> records(const QVector<Owners::Owner> &owners);
    void showOwners(const QVector<Owners::Owner> &owners);
    int openDialog(int mode, const std::optional<Owners::Owner> &owner, Owners::Owner *result);
    // Searches the entry; the owner `reselectId` is put under the cursor when listed.
    void search(int reselectId);

    QVector<Owners::Owner> m_owners; // the listed owners, in grid order
};
