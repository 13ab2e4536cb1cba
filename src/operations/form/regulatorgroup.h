#pragma once

#include "operations/form/group.h"

#include <QGroupBox>
#include <QString>

class QComboBox;
class QLabel;
class QLineEdit;
class QToolButton;
struct OperationKindLayout;
struct OperationRecord;
struct RegulatorLine;

namespace OperationForm
{

// "Regulador": the current regulator and, once a modification retires it,
// the new one. A code is looked up in the catalogue as it is left or by its
// button; the management of the current one decides whether the second line
// shows.
class RegulatorGroup : public QGroupBox
{
public:
    explicit RegulatorGroup(const Context &context);

    void read(OperationRecord &r) const;
    void fill(const OperationRecord &r);

    // The operation's kind ("#" when viewing one), for the management rule.
    void setKind(const QString &kind) { m_kind = kind; }
    // A new operation's management and "Nuevo" as its kind starts them.
    void applyKind(const OperationKindLayout &k);
    void lockLookUp();

private:
    struct Line {
        QLineEdit *code, *brand, *serial;
        QComboBox *gestion, *nuevo;
    };
    void lookUp(const Line &line);
    void gestionChanged();
    static void readLine(const Line &line, RegulatorLine &into);
    static void fillLine(const Line &line, const RegulatorLine &from);
    QList<QWidget *> secondLine() const;

    Context m_context;
    QString m_kind;
    QLineEdit *CodigoRegularEdit, *MarcaReguladorEdit, *NroSerieReguladorEdit;
    QComboBox *RGestionComboBox, *RNuevoComboBox;
    QToolButton *SpeedButton3;
    QLabel *LabelReguladorNuevo;
    QLineEdit *CodigoReguladorNuevoEdit, *MarcaReguladorNuevoEdit, *NroSerieReguladorNuevoEdit;
    QComboBox *RGestionNuevoComboBox, *RNuevoNuevoComboBox;
    QToolButton *SpeedButton7;
    Line m_current, m_second;
};

} // namespace OperationForm
