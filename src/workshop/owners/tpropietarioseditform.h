#pragma once

#include "core/owner.h"
#include "widgets/serverwait.h"
#include "workshop/common/maskedfield.h"

#include <QDialog>
#include <memory>

class Prompter;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

// "Actualización de Propietarios": one owner added, edited or viewed.
class TPropietariosEditForm : public QDialog
{
    Q_OBJECT
public:
    enum class Mode { Add, Edit, View };

    TPropietariosEditForm(Mode mode, QWidget *parent, Prompter &prompter);

    // The owner edited or viewed; in add mode the locality and province
    // start with the workshop's.
    void setOwner(const Owners::Owner &owner);
    // What the controls hold.
    Owners::Owner owner() const;
    // The stored owner's id after "Aceptar" (the new one in add mode).
    int ownerId() const { return m_owner.id; }

    // Whether a failed check left the field painted.
    bool isMarked(QWidget *field) const;

public slots:
    void BitBtnAceptarClick();

private:
    QLineEdit *EditApellido = nullptr, *EditNombres = nullptr;
    QComboBox *ComboBoxTipoDoc = nullptr;
    QLineEdit *EditNroDoc = nullptr;
    QLineEdit *EditDireccion = nullptr, *EditBarrio = nullptr, *EditCPA = nullptr, *EditLocalidad = nullptr;
    QComboBox *ComboBoxProvincia = nullptr;
    QLineEdit *EditCaracteristica = nullptr, *EditCelular = nullptr, *EditEmail = nullptr;
    QLabel *LabelObligatorios = nullptr;
    QPushButton *BitBtnAceptar = nullptr, *BitBtnCancelar = nullptr;

private:
    void buildUi();
    QWidget *fieldOf(Owners::Field field) const;
    void mark(QWidget *field, bool failed);

    Mode m_mode;
    Prompter &m_prompter;
    Owners::Owner m_owner;
    // "Aceptar" stores one owner: again after an unknown outcome, never twice.
    Widgets::WindowWrites m_save{Widgets::WindowWrites::SameWrite};
    std::unique_ptr<MaskedField> m_document;
};
