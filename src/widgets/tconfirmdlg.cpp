#include "widgets/tconfirmdlg.h"

#include "widgets/dialogplacement.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QShowEvent>
#include <QStyle>
#include <QVBoxLayout>

namespace
{
TConfirmDlg::TestHook &testHook()
{
    static TConfirmDlg::TestHook hook;
    return hook;
}
int &noByDefault()
{
    static int scopes = 0;
    return scopes;
}
} // namespace

TConfirmDlg::TConfirmDlg(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("ConfirmDlg"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    setMinimumWidth(380);

    auto *panel = new QWidget(this);
    panel->setObjectName(QStringLiteral("Panel1"));
    panel->setAutoFillBackground(true);
    QPalette pal = panel->palette();
    pal.setColor(QPalette::Window, Qt::white);
    pal.setColor(QPalette::WindowText, Qt::black);
    panel->setPalette(pal);

    const int iconSize = style()->pixelMetric(QStyle::PM_MessageBoxIconSize, nullptr, this);
    m_questionPicture = new QLabel(panel);
    m_questionPicture->setObjectName(QStringLiteral("Image1"));
    m_questionPicture->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(iconSize));
    m_otherPicture = new QLabel(panel);
    m_otherPicture->setObjectName(QStringLiteral("Image2"));
    m_otherPicture->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(iconSize));

    m_message = new QLabel(panel);
    m_message->setObjectName(QStringLiteral("LabelMensaje"));
    m_message->setAlignment(Qt::AlignCenter);
    m_message->setWordWrap(true);
    m_message->setTextFormat(Qt::PlainText);

    auto *panelLayout = new QHBoxLayout(panel);
    panelLayout->setContentsMargins(16, 16, 16, 16);
    panelLayout->addWidget(m_questionPicture, 0, Qt::AlignTop);
    panelLayout->addWidget(m_otherPicture, 0, Qt::AlignTop);
    panelLayout->addWidget(m_message, 1);

    m_si = new QPushButton(QStringLiteral("&Si"), this);
    m_si->setObjectName(QStringLiteral("BitBtnSi"));
    m_no = new QPushButton(QStringLiteral("&No"), this);
    m_no->setObjectName(QStringLiteral("BitBtnNo"));
    m_aceptar = new QPushButton(QStringLiteral("Aceptar"), this);
    m_aceptar->setObjectName(QStringLiteral("BitBtnAceptar"));
    connect(m_si, &QPushButton::clicked, this, [this] { done(ResultYes); });
    connect(m_no, &QPushButton::clicked, this, [this] { done(ResultCancel); });
    connect(m_aceptar, &QPushButton::clicked, this, [this] { done(ResultOk); });

    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_si);
    buttons->addWidget(m_no);
    buttons->addWidget(m_aceptar);
    buttons->addStretch(1);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 10);
    layout->addWidget(panel, 1);
    layout->addLayout(buttons);

    applyKind();
}

TConfirmDlg &TConfirmDlg::shared()
{
    static TConfirmDlg *dlg = new TConfirmDlg;
    return *dlg;
}

void TConfirmDlg::setKind(const QString &kind)
{
    m_kind = kind;
    applyKind();
}

void TConfirmDlg::setMessage(const QString &text)
{
    m_message->setText(text);
}

QString TConfirmDlg::message() const
{
    return m_message->text();
}

void TConfirmDlg::applyKind()
{
    const bool question = m_kind == Confirmation;
    m_si->setVisible(question);
    m_no->setVisible(question);
    m_questionPicture->setVisible(question);
    m_aceptar->setVisible(!question);
    m_otherPicture->setVisible(!question);
    // Enter answers the visible default; Esc always means "not agreed".
    m_si->setDefault(question && noByDefault() == 0);
    m_no->setDefault(question && noByDefault() > 0);
    m_aceptar->setDefault(!question);
    // The one instance keeps the button last chosen focused, and Enter
    // presses the focused button: each question starts on its default.
    if (question)
        (noByDefault() > 0 ? m_no : m_si)->setFocus();
    else
        m_aceptar->setFocus();
}

void TConfirmDlg::showEvent(QShowEvent *event)
{
    if (!event->spontaneous())
        centreOnScreen(this);
    applyKind();
    QDialog::showEvent(event);
}

int TConfirmDlg::run()
{
    applyKind();
    QApplication::beep();
    if (testHook())
        return testHook()(*this);
    const int result = exec();
    // Esc and the close box give Rejected (0); they answer "No".
    return result == QDialog::Rejected ? int(ResultCancel) : result;
}

bool TConfirmDlg::ask(const QString &caption, const QString &text)
{
    TConfirmDlg &dlg = shared();
    dlg.setWindowTitle(caption);
    dlg.setKind(Confirmation);
    dlg.setMessage(text);
    return dlg.run() == ResultYes;
}

TConfirmDlg::NoByDefault::NoByDefault()
{
    ++noByDefault();
}

TConfirmDlg::NoByDefault::~NoByDefault()
{
    --noByDefault();
}

void TConfirmDlg::tell(const QString &caption, const QString &text)
{
    TConfirmDlg &dlg = shared();
    dlg.setWindowTitle(caption);
    dlg.setKind(Error);
    dlg.setMessage(text);
    dlg.run();
}

void TConfirmDlg::setTestHook(TestHook hook)
{
    testHook() = std::move(hook);
}
