#pragma once

#include "operations/form/group.h"
#include "operations/form/maskedfield.h"

#include <QGroupBox>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QToolButton;
struct OperationRecord;
namespace Owners
{
struct Owner;
}

namespace OperationForm
{

// "Propietario": name, document, address, telephone and e-mail. The document
// is typed over the mask of its type; the telephone's format is checked as it
// is left, unless the operator turns the check off.
class OwnerGroup : public QGroupBox
{
    Q_OBJECT
public:
    explicit OwnerGroup(const Context &context);

    void read(OperationRecord &r) const;
    void fill(const OperationRecord &r);
    // An owner of the owners list: everything but the e-mail.
    void copyOwner(const Owners::Owner &owner);

    void setDocumentMask(const QString &mask);
    QString documentMask() const { return m_document.mask(); }
    // The profile's button beside the name, for the owners list.
    void showOwnerListButton(bool shown);
    // Viewing an earlier operation: the name's caption goes.
    void hideNameCaption();
    void lockDocumentSearch();

signals:
    void ownerWanted(); // "Buscar por Documento" or the owners list button

private:
    void fillParty(const OperationRecord &r);
    void checkPhone(QLineEdit *field, QString (*problem)(const QString &));
    void provinceLeft();

    Context m_context;
    QLabel *LabelNombre;
    QLineEdit *NombreEdit;
    QToolButton *SpeedButtonPropietarios;
    QComboBox *DNIComboBox;
    QLineEdit *NroDocEdit;
    QToolButton *SpeedButton9;
    QLineEdit *CalleEdit, *BarrioEdit, *CodigoEdit, *LocalidadEdit;
    QComboBox *ProvinciaComboBox, *ComboBoxTipoTE;
    QLineEdit *CaracteristicaEdit, *TelefonoEdit;
    QCheckBox *CheckBoxFormatoTE;
    QLineEdit *emailEdit;
    MaskedField m_document;
};

} // namespace OperationForm
