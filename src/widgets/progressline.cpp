#include "widgets/progressline.h"

#include "data/dberror.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

namespace Widgets
{

ProgressLine::ProgressLine(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("ProgressLine"));
    m_text = new QLabel(this);
    m_text->setObjectName(QStringLiteral("LabelProgreso"));
    m_bar = new QProgressBar(this);
    m_bar->setRange(0, 0); // busy: the server does not say how far it is
    m_bar->setMaximumWidth(160);
    m_bar->setTextVisible(false);
    m_cancel = new QPushButton(QStringLiteral("Cancelar"), this);
    m_cancel->setObjectName(QStringLiteral("BitBtnCancelarBusqueda"));
    m_cancel->setAutoDefault(false);
    auto *row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(m_text, 1);
    row->addWidget(m_bar);
    row->addWidget(m_cancel);
    hide();

    m_clock.setInterval(1000);
    connect(&m_clock, &QTimer::timeout, this,
            [this] { m_text->setText(QStringLiteral("%1 (%2 s)").arg(m_what).arg((m_since.elapsed() + 500) / 1000)); });
    connect(m_cancel, &QPushButton::clicked, this, &ProgressLine::cancel);
    // The line goes before the result is handed over, which may start the next read.
    connect(&m_query, &BackgroundQuery::arrived, this, &ProgressLine::stop);
    connect(&m_query, &BackgroundQuery::failed, this, [this](const QString &text) {
        const auto failed = m_failed;
        stop();
        if (failed)
            failed(text);
    });
}

void ProgressLine::begin(const QString &text, std::function<void(const QString &)> failed,
                         const std::function<void()> &start)
{
    cancel();
    m_what = text;
    m_failed = std::move(failed);
    try {
        start();
    } catch (const DbError &e) {
        const auto f = m_failed;
        stop();
        if (f)
            f(e.text());
        return;
    }
    m_heldEnabled.clear();
    for (const QPointer<QWidget> &w : std::as_const(m_held)) {
        if (w && w->isEnabled()) {
            m_heldEnabled << w;
            w->setEnabled(false);
        }
    }
    m_text->setText(text);
    m_since.start();
    m_clock.start();
    show();
    emit started();
}

void ProgressLine::cancel()
{
    if (!m_query.isRunning())
        return;
    m_query.cancel();
    stop();
}

void ProgressLine::holdWhileRunning(const QList<QWidget *> &widgets)
{
    for (QWidget *w : widgets)
        m_held << w;
}

void ProgressLine::stop()
{
    m_failed = {};
    for (const QPointer<QWidget> &w : std::as_const(m_heldEnabled))
        if (w)
            w->setEnabled(true);
    m_heldEnabled.clear();
    m_clock.stop();
    hide();
    emit stopped();
}

} // namespace Widgets
