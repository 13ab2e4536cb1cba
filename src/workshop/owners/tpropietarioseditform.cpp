#include "workshop/owners/tpropietarioseditform.h"

#include "core/global.h"
#include "core/helpers.h"
#include "core/prompter.h"
#include "data/dberror.h"
#include "data/ownerstore.h"
#include "widgets/fieldrules.h"
#include "widgets/formkit.h"
#include "widgets/formwindow.h"
#include "widgets/uppercasevalidator.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace
{

// Light red of a required field left empty (Windows colour 12303854).

class LowerCaseValidator : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString &input, int &) const override
    {
        input = input.toLower();
        return Acceptable;
    }
};

} // namespace

TPropietariosEditForm::TPropietariosEditForm(Mode mode, QWidget *parent, Prompter &prompter)
    : QDialog(parent), m_mode(mode), m_prompter(prompter)
{
    setObjectName(QStringLiteral("TPropietariosEditForm"));
    setWindowTitle(QStringLiteral("Actualización de Propietarios"));
    setModal(true);
    buildUi();
    if (mode == Mode::Add) {
        Owners::Owner o;
        o.localidad = Global.WorkshopLocality;
        o.provincia = Global.WorkshopProvince;
        setOwner(o);
    }
    if (mode == Mode::View) {
        for (QLineEdit *e : findChildren<QLineEdit *>())
            e->setReadOnly(true);
        ComboBoxTipoDoc->setEnabled(false);
        ComboBoxProvincia->setEnabled(false);
    }
}

void TPropietariosEditForm::buildUi()
{
    auto edit = [this](const char *name, int maxLength, bool upper) {
        auto *e = new QLineEdit(this);
        e->setObjectName(QLatin1String(name));
        e->setMaxLength(maxLength);
        if (upper)
            e->setValidator(new Widgets::UpperCaseValidator(e));
        return e;
    };
    EditApellido = edit("EditApellido", 20, true);
    EditNombres = edit("EditNombres", 30, true);
    ComboBoxTipoDoc = new QComboBox(this);
    ComboBoxTipoDoc->setObjectName(QStringLiteral("ComboBoxTipoDoc"));
    ComboBoxTipoDoc->addItems(Owners::DocumentTypes());
    EditNroDoc = edit("EditNroDoc", 13, false);
    m_document = std::make_unique<MaskedField>(EditNroDoc, false, 13);
    EditDireccion = edit("EditDireccion", 50, true);
    EditBarrio = edit("EditBarrio", 17, true);
    EditCPA = edit("EditCPA", 8, true);
    EditLocalidad = edit("EditLocalidad", 18, true);
    ComboBoxProvincia = new QComboBox(this);
    ComboBoxProvincia->setObjectName(QStringLiteral("ComboBoxProvincia"));
    ComboBoxProvincia->addItems(KnownProvinces());
    ComboBoxProvincia->setCurrentIndex(-1);
    EditCaracteristica = edit("EditCaracteristica", 5, false);
    EditCaracteristica->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,5}")), EditCaracteristica));
    EditCaracteristica->setMaximumWidth(60);
    EditCelular = edit("EditCelular", 10, false);
    EditEmail = edit("EditEmail", 128, false);
    EditEmail->setValidator(new LowerCaseValidator(EditEmail));
    // The number's mask is chosen on entering it, from the type.
    Widgets::FieldRules::of(this)->onEnter(
        EditNroDoc, [this] { m_document->setMask(Owners::DocumentMask(ComboBoxTipoDoc->currentText())); });
    for (QWidget *w : {static_cast<QWidget *>(EditApellido), static_cast<QWidget *>(EditNombres),
                       static_cast<QWidget *>(EditCaracteristica), static_cast<QWidget *>(EditCelular),
                       static_cast<QWidget *>(EditEmail)})
        w->setMinimumWidth(w == EditCaracteristica ? 50 : 220);

    auto *grid = new QGridLayout;
    int row = 0;
    auto line = [&](const QString &caption, QWidget *field, QWidget *extra = nullptr) {
        auto *l = new QLabel(caption, this);
        l->setBuddy(field);
        grid->addWidget(l, row, 0);
        if (extra) {
            auto *h = new QHBoxLayout;
            h->addWidget(field);
            h->addWidget(extra, 1);
            grid->addLayout(h, row, 1);
        } else {
            grid->addWidget(field, row, 1);
        }
        ++row;
    };
    line(QStringLiteral("Apellido [*]"), EditApellido);
    line(QStringLiteral("Nombres [*]"), EditNombres);
    line(QStringLiteral("Documento  [*]"), ComboBoxTipoDoc, EditNroDoc);
    line(QStringLiteral("Dirección"), EditDireccion);
    line(QStringLiteral("Barrio"), EditBarrio);
    line(QStringLiteral("CPA"), EditCPA);
    line(QStringLiteral("Localidad"), EditLocalidad);
    line(QStringLiteral("Provincia"), ComboBoxProvincia);
    auto *phone = new QHBoxLayout;
    phone->addWidget(new QLabel(QStringLiteral("("), this));
    phone->addWidget(EditCaracteristica);
    phone->addWidget(new QLabel(QStringLiteral(")"), this));
    phone->addWidget(EditCelular, 1);
    auto *phoneLabel = new QLabel(QStringLiteral("Celular  [*]"), this);
    phoneLabel->setBuddy(EditCaracteristica);
    grid->addWidget(phoneLabel, row, 0);
    grid->addLayout(phone, row++, 1);
    line(QStringLiteral("e-mail:"), EditEmail);

    LabelObligatorios = new QLabel(QStringLiteral(" [*] Datos Obligatorios"), this);
    LabelObligatorios->setObjectName(QStringLiteral("LabelObligatorios"));
    BitBtnAceptar = new QPushButton(QStringLiteral("Aceptar"), this);
    BitBtnAceptar->setObjectName(QStringLiteral("BitBtnAceptar"));
    BitBtnCancelar = new QPushButton(QStringLiteral("Cancelar"), this);
    BitBtnCancelar->setObjectName(QStringLiteral("BitBtnCancelar"));
    BitBtnAceptar->setAutoDefault(false);
    BitBtnCancelar->setAutoDefault(false);

    auto *layout = new QVBoxLayout(this);
    Widgets::setUpWindow(this);
    layout->addLayout(grid);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(LabelObligatorios);
    bottom->addStretch(1);
    bottom->addWidget(BitBtnAceptar);
    bottom->addWidget(BitBtnCancelar);
    layout->addLayout(bottom);

    connect(BitBtnAceptar, &QPushButton::clicked, this, &TPropietariosEditForm::BitBtnAceptarClick);
    connect(BitBtnCancelar, &QPushButton::clicked, new Widgets::DiscardGuard(this, m_prompter),
            &Widgets::DiscardGuard::cancel);
}

void TPropietariosEditForm::setOwner(const Owners::Owner &o)
{
    m_owner = o;
    EditApellido->setText(o.apellido);
    EditNombres->setText(o.nombres);
    Widgets::showListText(ComboBoxTipoDoc, o.tipoDoc);
    m_document->setMask(Owners::DocumentMask(o.tipoDoc));
    m_document->setValue(o.nroDoc);
    EditDireccion->setText(o.calle);
    EditBarrio->setText(o.barrio);
    EditCPA->setText(o.codigoPostal);
    EditLocalidad->setText(o.localidad);
    Widgets::showListText(ComboBoxProvincia, o.provincia);
    EditCaracteristica->setText(o.caracteristica);
    EditCelular->setText(o.celular);
    EditEmail->setText(o.email);
}

Owners::Owner TPropietariosEditForm::owner() const
{
    Owners::Owner o = m_owner; // id and the telephone nobody edits here
    o.apellido = EditApellido->text().trimmed();
    o.nombres = EditNombres->text().trimmed();
    o.tipoDoc = ComboBoxTipoDoc->currentText();
    o.nroDoc = m_document->value();
    o.calle = EditDireccion->text().trimmed();
    o.barrio = EditBarrio->text().trimmed();
    o.codigoPostal = EditCPA->text().trimmed();
    o.localidad = EditLocalidad->text().trimmed();
    o.provincia = ComboBoxProvincia->currentText().trimmed();
    o.caracteristica = EditCaracteristica->text().trimmed();
    o.celular = EditCelular->text().trimmed();
    o.email = EditEmail->text().trimmed();
    return o;
}

QWidget *TPropietariosEditForm::fieldOf(Owners::Field field) const
{
    switch (field) {
    case Owners::Field::Apellido:
        return EditApellido;
    case Owners::Field::Nombres:
        return EditNombres;
    case Owners::Field::Caracteristica:
        return EditCaracteristica;
    case Owners::Field::Celular:
        return EditCelular;
    case Owners::Field::NroDoc:
        return EditNroDoc;
    case Owners::Field::Email:
        break;
    }
    return EditEmail;
}

void TPropietariosEditForm::mark(QWidget *field, bool failed)
{
    Widgets::markFailed(field, failed);
}

bool TPropietariosEditForm::isMarked(QWidget *field) const
{
    return Widgets::isMarkedFailed(field);
}

void TPropietariosEditForm::BitBtnAceptarClick()
{
    if (m_mode == Mode::View) {
        accept();
        return;
    }
    const Owners::Owner o = owner();
    const Owners::Check check = Owners::CheckOwner(o);
    for (Owners::Field f : {Owners::Field::Apellido, Owners::Field::Nombres, Owners::Field::Caracteristica,
                            Owners::Field::Celular, Owners::Field::NroDoc, Owners::Field::Email})
        mark(fieldOf(f), check.failed.contains(f));
    for (const QString &w : check.warnings)
        m_prompter.warn(w);
    if (!check.ok()) {
        m_prompter.info(check.information);
        fieldOf(check.failed.first())->setFocus();
        return;
    }
    struct Saved {
        std::optional<Owners::Owner> other; // the document's owner: nothing stored
        Owners::Owner stored;
    };
    Saved saved;
    try {
        saved = m_save.run<Saved>(this, QStringLiteral("Guardando el propietario..."), Conn::PostVenta,
                                  [o, add = m_mode == Mode::Add](WriteOnce::Ticket *t) {
                                      Saved out{std::nullopt, o};
                                      // After an unknown outcome the owner may be the one
                                      // found: the ticket says first.
                                      if (!t->unresolved && (out.other = OwnerStore::SameDocument(o)))
                                          return out;
                                      if (add)
                                          out.stored.id = OwnerStore::Insert(o, t);
                                      else
                                          OwnerStore::Update(o, t);
                                      return out;
                                  });
    } catch (const DbError &e) {
        m_prompter.error(Widgets::WindowWrites::failure(
            QStringLiteral("No se guardó el propietario: puede intentarlo de nuevo."), e));
        return;
    }
    if (saved.other) {
        m_prompter.warn(QStringLiteral("El documento %1 %2 ya está cargado para %3.")
                            .arg(o.tipoDoc, o.nroDoc, saved.other->fullName()));
        mark(EditNroDoc, true);
        EditNroDoc->setFocus();
        return;
    }
    m_owner = saved.stored;
    accept();
}
