#include "operations/attachments/tadjuntararchivosform.h"

#include "core/attachments.h"
#include "core/global.h"
#include "core/helpers.h"
#include "widgets/formwindow.h"
#include "widgets/messages.h"

#include <QFileDialog>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace
{
TAdjuntarArchivosForm::FileChooser &chooser()
{
    static TAdjuntarArchivosForm::FileChooser c;
    return c;
}
} // namespace

void TAdjuntarArchivosForm::setFileChooser(FileChooser c)
{
    chooser() = std::move(c);
}

const QString &TAdjuntarArchivosForm::fileFilter()
{
    static const QString filter = QStringLiteral("JPEG Image File (*.jpg);;JPEG Image File (*.jpeg);;PDF File (*.pdf)");
    return filter;
}

TAdjuntarArchivosForm::TAdjuntarArchivosForm(const Paths &paths, QWidget *parent, Prompter &prompter)
    : QDialog(parent), m_prompter(prompter), m_paths(paths)
{
    setObjectName(QStringLiteral("TAdjuntarArchivosForm"));
    setWindowTitle(QStringLiteral("Adjuntar Archivos"));
    const QString captions[3] = {QStringLiteral("Frente"), QStringLiteral("Dorso"), QStringLiteral("Certificado")};
    const QString editNames[3] = {QStringLiteral("EditFrente"), QStringLiteral("EditDorso"),
                                  QStringLiteral("EditCertificado")};
    auto *grid = new QGridLayout;
    for (int row = 0; row < 3; ++row) {
        grid->addWidget(new QLabel(captions[row], this), row, 0);
        auto *e = new QLineEdit(m_paths[row], this);
        e->setObjectName(editNames[row]);
        e->setMinimumWidth(420);
        // The certificate's edit accepts typing, but only "Adjuntar" sets its path.
        e->setReadOnly(row < 2);
        grid->addWidget(e, row, 1);
        auto *b = new QPushButton(QStringLiteral("Adjuntar"), this);
        b->setObjectName(QStringLiteral("BtnAdjuntar%1").arg(row + 1));
        connect(b, &QPushButton::clicked, this, [this, row] { choose(row); });
        grid->addWidget(b, row, 2);
        m_edits[row] = e;
        m_buttons[row] = b;
    }
    auto *close = m_close = new QPushButton(QStringLiteral("Cerrar"), this);
    close->setObjectName(QStringLiteral("BtnCerrar"));
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto *box = new QVBoxLayout(this);
    Widgets::setUpWindow(this);
    box->addLayout(grid);
    box->addWidget(close, 0, Qt::AlignRight);
    m_buttons[0]->setFocus();
    setFocusProxy(m_buttons[0]);
}

bool TAdjuntarArchivosForm::attach(int row, const QString &file)
{
    if (file.isEmpty() || row < 0 || row > 2)
        return false;
    if (const auto refusal = Attachments::Refusal(file, FileSizeOf(file))) {
        m_prompter.error(*refusal);
        return false;
    }
    m_paths[row] = file;
    m_edits[row]->setText(file);
    return true;
}

void TAdjuntarArchivosForm::choose(int row)
{
    QString file;
    if (chooser()) {
        file = chooser()(this, fileFilter());
    } else {
        file = QFileDialog::getOpenFileName(this, QStringLiteral("Adjuntar"), Global.WorkingFolder, fileFilter());
    }
    attach(row, file);
}

void TAdjuntarArchivosForm::setReadOnly()
{
    for (int row = 0; row < 3; ++row) {
        m_edits[row]->setReadOnly(true);
        m_buttons[row]->setEnabled(false);
    }
    setFocusProxy(m_close);
    m_close->setFocus();
}

void TAdjuntarArchivosForm::edit(Paths &paths, QWidget *parent, Prompter &prompter, bool readOnly)
{
    TAdjuntarArchivosForm form(paths, parent, prompter);
    if (readOnly)
        form.setReadOnly();
    form.exec();
    if (!readOnly)
        paths = form.paths();
}
