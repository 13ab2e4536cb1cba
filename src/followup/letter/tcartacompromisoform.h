#pragma once

#include "app/requests.h"
#include "core/commitmentletter.h"
#include "report/reportform.h"
#include "widgets/messages.h"
#include "widgets/serverwait.h"

#include <QDialog>
#include <functional>

class LocalTable;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableView;

// "Carta Compromiso": the items collected in "AuxCarta" (cylinders in
// DBGrid1, their valves in DBGrid2), the owner, what the cylinder goes for,
// and for a profile that chooses it the revision centre. "Guardar" stores a
// further letter each time; "Imprimir" prints it on the profile's layout.
class TCartaCompromisoForm : public QDialog
{
    Q_OBJECT
public:
    explicit TCartaCompromisoForm(QWidget *parent = nullptr, Prompter &prompter = guiPrompter());

    // The owner fields; floor and apartment only when `owner` has them.
    void setOwner(const Letter::Owner &owner);
    Letter::Owner owner() const;
    Letter::Purpose purpose() const;

    // The id of the letter the last "Guardar" stored; 0 before one.
    int savedId() const { return m_savedId; }

    // The owner a request from the operation form carries.
    static Letter::Owner OwnerOf(const Nav::OpenCommitmentLetter &request);
    // The navigator's answer to Nav::OpenCommitmentLetter.
    static void open(const Nav::OpenCommitmentLetter &request, QWidget *parent);

    // Tests replace printing without preview: the hook receives the report
    // instead of the printer.
    static void setPrintHook(std::function<void(Report::ReportForm &)> hook);

public slots:
    void BitBtn1Click(); // "Imprimir"
    void BitBtn2Click(); // "Corregir algún Dato"
    void BitBtn3Click(); // "Guardar"

private:
    void buildUi();
    int currentItemRow() const;

    Prompter &m_prompter;
    LocalTable &m_items;
    QList<QRadioButton *> m_purposes;
    int m_savedId = 0;
    Widgets::WindowWrites m_save{
        Widgets::WindowWrites::SameWrite}; // "Guardar" again after a lost answer stores it once

private:
    QTableView *DBGrid1 = nullptr, *DBGrid2 = nullptr;
    QLineEdit *cEditNombre = nullptr, *cNroDocEdit = nullptr, *cCalleEdit = nullptr, *cNroEdit = nullptr,
              *cPisoEdit = nullptr, *cDptoEdit = nullptr, *cCodigoEdit = nullptr, *cLocalidadEdit = nullptr,
              *cTelefonoEdit = nullptr, *cObleaAntEdit = nullptr, *cDominioEdit = nullptr;
    QComboBox *cDNIComboBox = nullptr, *ComboBoxCRPC = nullptr;
    QLabel *LabelCRPC = nullptr;
    QGroupBox *RadioGroup1 = nullptr;
    QCheckBox *CheckBoxPreview = nullptr;
    QPushButton *BitBtn1 = nullptr, *BitBtn2 = nullptr, *BitBtn3 = nullptr, *BitBtn4 = nullptr;
};
