#include "app/tvermensajesform.h"

#include "core/global.h"
#include "data/workshopaccount.h"
#include "widgets/dialogplacement.h"
#include "widgets/formwindow.h"
#include "widgets/serverwait.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

namespace
{
} // namespace

TVerMensajesForm::TVerMensajesForm(const QString &announcement, QWidget *parent, Prompter &prompter,
                                   std::optional<QVector<QSqlRecord>> rows)
    : QDialog(parent), m_prompter(prompter)
{
    setObjectName(QStringLiteral("VerMensajesForm"));
    setWindowTitle(QStringLiteral("Mensajes enviados desde el PEC"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    resize(560, 380);

    m_announcement = new QLabel(announcement, this);
    m_announcement->setObjectName(QStringLiteral("LabelAviso"));
    m_announcement->setAlignment(Qt::AlignCenter);
    m_announcement->setAutoFillBackground(true);
    QPalette pal = m_announcement->palette();
    pal.setColor(QPalette::Window, QColor(192, 192, 192));
    pal.setColor(QPalette::WindowText, Qt::black);
    m_announcement->setPalette(pal);
    m_announcement->setMinimumHeight(34);
    QFont big = m_announcement->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.2);
    m_announcement->setFont(big);

    m_counter = new QLabel(this);
    m_counter->setObjectName(QStringLiteral("LabelContador"));

    m_text = new QPlainTextEdit(this);
    m_text->setObjectName(QStringLiteral("MemoMensaje"));
    m_text->setReadOnly(true);
    m_text->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

    m_anterior = new QPushButton(QStringLiteral("Anterior"), this);
    m_anterior->setObjectName(QStringLiteral("BitBtnAnterior"));
    m_proximo = new QPushButton(QString::fromUtf8("Próximo"), this);
    m_proximo->setObjectName(QStringLiteral("BitBtnProximo"));
    m_marcar = new QCheckBox(QStringLiteral("Marcar como leidos al cerrar"), this);
    m_marcar->setObjectName(QStringLiteral("CheckBoxLeidos"));
    m_marcar->setChecked(true);
    connect(m_proximo, &QPushButton::clicked, this, &TVerMensajesForm::BitBtnProximoClick);
    connect(m_anterior, &QPushButton::clicked, this, &TVerMensajesForm::BitBtnAnteriorClick);

    auto *nav = new QHBoxLayout;
    nav->addWidget(m_counter);
    nav->addStretch(1);
    nav->addWidget(m_anterior);
    nav->addWidget(m_proximo);

    auto *layout = new QVBoxLayout(this);
    Widgets::setUpWindow(this);
    layout->addWidget(m_announcement);
    layout->addLayout(nav);
    layout->addWidget(m_text, 1);
    layout->addWidget(m_marcar);

    if (rows)
        m_rows = std::move(*rows);
    else
        m_rows = WorkshopAccount::LoginMessages();
    m_anterior->setEnabled(false);
    if (m_rows.size() <= 1)
        m_proximo->setEnabled(false);
    showCurrent();
}

void TVerMensajesForm::showCurrent()
{
    m_counter->setText(QStringLiteral("Mensaje %1/%2").arg(m_current).arg(total()));
    if (m_current >= 1 && m_current <= total())
        m_text->setPlainText(m_rows.at(m_current - 1).value(QStringLiteral("mensaje")).toString());
    else
        m_text->clear();
}

void TVerMensajesForm::BitBtnProximoClick()
{
    // Past the last message the button goes off and the counter stays.
    if (m_current < total())
        ++m_current;
    else
        m_proximo->setEnabled(false);
    if (m_current > 1)
        m_anterior->setEnabled(true);
    showCurrent();
}

void TVerMensajesForm::BitBtnAnteriorClick()
{
    if (m_current > 1)
        --m_current;
    else
        m_anterior->setEnabled(false);
    m_proximo->setEnabled(total() > 1);
    showCurrent();
}

void TVerMensajesForm::markRead()
{
    int last = 0;
    for (const QSqlRecord &r : m_rows)
        last = std::max(last, r.value(QStringLiteral("mensaje_id")).toInt());
    if (last == 0)
        return;
    try {
        Widgets::ServerWait::wait(
            this, QStringLiteral("Marcando los mensajes como leídos..."), Conn::Operations,
            [code = Global.WorkshopCode, last] { WorkshopAccount::MarkMessagesRead(code, last); });
    } catch (const DbError &e) {
        m_prompter.error(e.text());
    }
}

void TVerMensajesForm::done(int result)
{
    // Closing by any means (button, Esc, close box) passes here once.
    if (!m_closing) {
        m_closing = true;
        if (m_marcar->isChecked())
            markRead();
    }
    QDialog::done(result);
}

void TVerMensajesForm::showEvent(QShowEvent *event)
{
    if (!event->spontaneous())
        centreOnScreen(this);
    QDialog::showEvent(event);
}
