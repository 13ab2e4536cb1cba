#pragma once

#include <QDialog>

class LocalTable;
namespace Widgets
{
class FieldRules;
}
class Prompter;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QPushButton;
class QToolButton;

// One cylinder of the operation. The caller puts the work-table row in
// append or edit; "Aceptar" runs the checks and posts it, "Cancelar" (or
// closing) abandons the row's changes, so an appended row disappears.
class TDatosCilindroForm : public QDialog
{
    Q_OBJECT
public:
    TDatosCilindroForm(LocalTable &table, const QString &operationKind, const QString &operationDomain, QWidget *parent,
                       Prompter &prompter);
    ~TDatosCilindroForm() override;

    // Fields whose check failed; they stay light red while the dialog lives.
    bool isHighlighted(QWidget *field) const;

public slots:
    void reject() override; // abandons the row's changes
    void FormActivate();
    void EditCODIGOExit();
    void SpeedButtonCodigoClick();
    void EditUPHTALLERExit();
    void SpeedButtonCRPCClick();
    void EditVALCODExit();
    void SpeedButtonValvulaClick();
    void EditNROCERTIFExit();
    void BitBtnAceptarClick();
    void BitBtnCancelarClick();

protected:
    void showEvent(QShowEvent *event) override;

private:
    QLineEdit *EditCODIGO = nullptr, *EditNROSERIE = nullptr, *EditCAPACIDAD = nullptr, *EditFABRICAC = nullptr;
    QComboBox *ComboCNUEVO = nullptr, *ComboGESTION = nullptr;
    QToolButton *SpeedButtonCodigo = nullptr;
    QGroupBox *GroupBoxPH = nullptr;
    QLineEdit *EditUPHTALLER = nullptr, *EditUPHFECHA = nullptr;
    QComboBox *ComboUPHRESULT = nullptr;
    QToolButton *SpeedButtonCRPC = nullptr;
    QGroupBox *GroupBoxValvula = nullptr;
    QLineEdit *EditVALCOD = nullptr, *EditVALNRO = nullptr;
    QComboBox *ComboVALGEST = nullptr;
    QToolButton *SpeedButtonValvula = nullptr;
    QGroupBox *GroupBoxCertificado = nullptr;
    QLineEdit *EditNROCERTIF = nullptr;
    QPushButton *BitBtnAceptar = nullptr, *BitBtnCancelar = nullptr;

private:
    void buildUi();
    void loadRow();
    void storeRow();
    bool lookUpCylinder(bool preSearch); // true when a code was chosen
    bool lookUpValve(bool preSearch);
    bool lookUpCentre(bool preSearch);
    void copyFabricationWhenFab();
    void highlight(QWidget *field);
    QWidget *fieldWidget(int field) const;
    bool runLeaveRuleBeforeAceptar();
    Prompter &prompter() const { return m_prompter; }

    LocalTable &m_table;
    QString m_kind, m_domain;
    Prompter &m_prompter;
    bool m_finished = false; // posted or cancelled
    Widgets::FieldRules *m_rules = nullptr;
};
