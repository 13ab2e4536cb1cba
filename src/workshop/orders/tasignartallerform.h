#pragma once

#include "core/conversionorder.h"
#include "widgets/serverwait.h"
#include "workshop/common/maskedfield.h"

#include <QDialog>
#include <QHash>
#include <array>
#include <memory>

class LocalTable;
class Prompter;
class QComboBox;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTabWidget;
class QTableView;
class QToolButton;

namespace Widgets
{
class FieldRules;
class ResultGridModel;
} // namespace Widgets

// "Ingreso de Orden de Conversión": a new conversion order of the workshop,
// entered, stored and printed. Its cylinders live in the cylinder work
// table ("CILAUX01") while the order is on screen, and are entered with the
// operation form's cylinder dialog in its conversion mode.
class TAsignarTallerForm : public QDialog
{
    Q_OBJECT
public:
    TAsignarTallerForm(QWidget *parent, Prompter &prompter);
    ~TAsignarTallerForm() override;

    // The workshop and the date of the new order, shown read-only.
    void Prepare(const QString &workshopCode, const QDate &date);

    // The order the controls hold.
    Orders::ConversionOrder order() const;

    // Whether a failed check left the control painted.
    bool isMarked(QWidget *control) const;

public slots:
    void AnioSpinEditExit();
    void DominioEditEnter();
    void DominioEditExit();
    void DBLookupComboBox1Exit();
    void CodigoRegularEditExit();
    void SpeedButtonReguladorClick();
    void BitBtnBuscarPropietarioClick();
    void BitBtnAgregarCilindroClick();
    void BitBtnModificarCilindroClick();
    void BitBtnBorrarCilindroClick();
    void LinkTecnicosClick();
    virtual void BitBtn1Click();

protected:
    Prompter &prompter() const { return m_prompter; }

    // Shows a stored order; the owner's neighbourhood and area code only
    // when `withOwnerExtras`.
    void showOrder(const Orders::ConversionOrder &order, bool withOwnerExtras);
    // Previews the printed order as the controls hold it.
    void printOrder(const Orders::ConversionOrder &order, bool reprint);
    // Whether the enter/leave rules and the entry buttons work (the view
    // form turns them off while it only shows the order).
    virtual bool isEditable() const { return true; }
    void setRoleButtonsEnabled(bool assign, bool clear);
    // The view form neither shows nor keeps the owner's neighbourhood and
    // area code.
    bool m_showsOwnerExtras = true;

protected:
    // Header
    QLabel *LabelTitulo = nullptr, *ImageLogo = nullptr;
    QLineEdit *TallerEdit = nullptr, *FechaEdit = nullptr, *OrdenNroEdit = nullptr;
    QLabel *LabelOrdenNro = nullptr;
    QComboBox *DBLookupComboBox3 = nullptr; // dealer
    // "Vehículo"
    QComboBox *DBLookupComboBox1 = nullptr, *DBLookupComboBox2 = nullptr; // brand, model
    QSpinBox *AnioSpinEdit = nullptr;
    QLineEdit *DominioEdit = nullptr, *VinEdit = nullptr, *kmEdit = nullptr;
    QLineEdit *CilindroEdit = nullptr, *ElectronicaEdit = nullptr, *FlexxusEdit = nullptr;
    QTabWidget *PageControl1 = nullptr;
    // "Propietario"
    QPushButton *BitBtnBuscarPropietario = nullptr;
    QLineEdit *PropietarioIdEdit = nullptr, *PropietarioEdit = nullptr, *EmailEdit = nullptr;
    QLineEdit *CaracteristicaEdit = nullptr, *CelularEdit = nullptr, *DireccionEdit = nullptr;
    QLineEdit *BarrioEdit = nullptr, *LocalidadEdit = nullptr, *CPAEdit = nullptr, *ProvinciaEdit = nullptr;
    QComboBox *TipoDocComboBox = nullptr;
    QLineEdit *NroDocEdit = nullptr;
    // "Regulador"
    QLineEdit *CodigoRegularEdit = nullptr, *MarcaReguladorEdit = nullptr, *NroSerieReguladorEdit = nullptr;
    QToolButton *SpeedButtonRegulador = nullptr;
    QComboBox *RNuevoComboBox = nullptr;
    // "Cilindros"
    QTableView *DBGridCilindros = nullptr;
    QPushButton *BitBtnAgregarCilindro = nullptr, *BitBtnModificarCilindro = nullptr, *BitBtnBorrarCilindro = nullptr;
    QGroupBox *GroupBoxValvula = nullptr;
    QLineEdit *ValCodEdit = nullptr, *ValNroEdit = nullptr, *ValGestEdit = nullptr, *NroCertifEdit = nullptr;
    // "Operarios"
    QTableView *DBGridOperarios = nullptr;
    std::array<QLineEdit *, Orders::kRoleCount> RoleEdits{};
    std::array<QPushButton *, Orders::kRoleCount> AsignarButtons{};
    std::array<QToolButton *, Orders::kRoleCount> QuitarButtons{};
    QPushButton *LinkTecnicos = nullptr;
    // Footer
    std::array<QLineEdit *, 3> ObsEdits{};
    QPushButton *BitBtn1 = nullptr, *BitBtn2 = nullptr;

protected:
    QHBoxLayout *m_footerButtons = nullptr;
    // "Guardar" stores one order: again after an unknown outcome, never twice.
    Widgets::WindowWrites m_save{Widgets::WindowWrites::SameWrite};

private:
    void buildUi();
    void loadLists();
    void loadTechnicians();
    void reloadModels(const QString &select = {});
    void refreshCylinders(int select = -1);
    void showSelectedCylinder();
    void editCylinder(int row);
    void assignRole(int role);
    void clearRole(int role);
    void showOwner(const Orders::OrderOwner &owner, bool withExtras);
    void pickRegulator(bool preSearch);
    void mark(QWidget *control, bool failed);
    QWidget *controlOf(Orders::Required field) const;
    Orders::PrintContext printContext(bool reprint) const;

    Prompter &m_prompter;
    LocalTable &m_cylinders;
    Widgets::ResultGridModel *m_cylinderRows = nullptr;
    Widgets::ResultGridModel *m_technicianRows = nullptr;
    std::unique_ptr<MaskedField> m_plate;
    QString m_workshop;
    QDate m_date;
    int m_dealer = 0; // kept even when the dealer left the list
    std::array<int, Orders::kRoleCount> m_technicians{};
    Orders::OrderOwner m_owner;
    QString m_modelsOf;    // the brand whose models the model list holds
    QString m_warnedPlate; // the plate the duplicate warning was shown for
    Widgets::FieldRules *m_rules = nullptr;
};
