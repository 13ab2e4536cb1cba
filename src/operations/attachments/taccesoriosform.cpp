#include "operations/attachments/taccesoriosform.h"

#include "widgets/entermoves.h"
#include "widgets/formwindow.h"
#include "widgets/uppercasevalidator.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace
{
// Designer names of the code and serial edits, row by row.
const char *const kEditNames[12] = {"EditSujCil",   "EditElevaln",   "EditElevalg",   "EditDosificador",
                                    "EditVenteo",   "EditLlave",     "EditValvulaCI", "EditValvulaCE",
                                    "EditManguera", "EditManometro", "EditAccesorio", "EditTuberia"};
} // namespace

const std::array<QString, 12> &TAccesoriosForm::captions()
{
    static const std::array<QString, 12> c = {
        QStringLiteral("Disp. Sujec. Cilndro"), QStringLiteral("Electroválvula Nafta"),
        QStringLiteral("Electroválvula GNC"),   QStringLiteral("Dosificador/Mezclador"),
        QStringLiteral("Sistema de Venteo"),    QStringLiteral("LLave Conmutadora"),
        QStringLiteral("Vál. Carga Interna"),   QStringLiteral("Vál. Carga Externa"),
        QStringLiteral("Manguera Baja Pres."),  QStringLiteral("Manómetro"),
        QStringLiteral("Accesorio p/ Tubería"), QStringLiteral("Tubería Alta Presión")};
    return c;
}

TAccesoriosForm::TAccesoriosForm(const Values &values, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TAccesoriosForm"));
    setWindowTitle(QStringLiteral("Accesorios"));
    auto *grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Código"), this), 0, 1);
    grid->addWidget(new QLabel(QStringLiteral("Nro Serie"), this), 0, 2);
    auto *validator = new Widgets::UpperCaseValidator(this);
    for (int row = 0; row < 12; ++row) {
        grid->addWidget(new QLabel(captions()[row], this), row + 1, 0);
        for (int part = 0; part < 2; ++part) {
            auto *e = new QLineEdit(values[2 * row + part], this);
            e->setObjectName(QString::fromLatin1(kEditNames[row]) +
                             (part == 0 ? QStringLiteral("_cod") : QStringLiteral("_nro")));
            e->setMaxLength(10);
            e->setValidator(validator);
            e->setText(values[2 * row + part].toUpper().left(10));
            Widgets::moveFocusOnEnter(e); // Enter goes on to the next box, it never closes
            grid->addWidget(e, row + 1, part + 1);
            m_edits[2 * row + part] = e;
        }
    }
    auto *ok = new QPushButton(QStringLiteral("Aceptar"), this);
    ok->setObjectName(QStringLiteral("BitBtnAceptar"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto *box = new QVBoxLayout(this);
    Widgets::setUpWindow(this);
    box->addLayout(grid);
    box->addWidget(ok, 0, Qt::AlignRight);
}

TAccesoriosForm::Values TAccesoriosForm::values() const
{
    Values v;
    for (int i = 0; i < 24; ++i)
        v[i] = m_edits[i]->text();
    return v;
}

void TAccesoriosForm::setReadOnly()
{
    for (QLineEdit *e : m_edits)
        e->setReadOnly(true);
}

void TAccesoriosForm::edit(Values &values, QWidget *parent, bool readOnly)
{
    TAccesoriosForm form(values, parent);
    if (readOnly)
        form.setReadOnly();
    form.exec();
    if (!readOnly)
        values = form.values();
}
