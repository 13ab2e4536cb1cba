#include "followup/tconsultaxobleaform.h"

#include "app/messages.h"
#include "core/helpers.h"
#include "data/dm1.h"

#include <QEvent>
#include <QLineEdit>

namespace {

OperationQueryForm::Setup setup()
{
    using K = GridColumn::Kind;
    OperationQueryForm::Setup s;
    s.objectName = QStringLiteral("ConsultaXObleaForm");
    s.caption = QStringLiteral("Consulta de Operaciones por Nro de Oblea");
    s.entryLabel = QStringLiteral("Oblea:");
    s.param = QStringLiteral("ob");
    s.notFound = QString::fromUtf8("No se encontraron operaciones para la oblea indicada.");
    s.columns = {
        {QStringLiteral("Oblea"), QStringLiteral("uobleanew"), K::Text, 10},
        {QStringLiteral("Fecha"), QStringLiteral("ufecrev"), K::Date, 10},
        {QString::fromUtf8("Operación"), QStringLiteral("udescgest"), K::Text, 12},
        {QStringLiteral("Marca"), QStringLiteral("umarca"), K::Text, 10},
        {QStringLiteral("Modelo"), QStringLiteral("umodelo"), K::Text, 16},
        {QStringLiteral("Dominio"), QStringLiteral("UDOMINIO"), K::Text, 9},
        {QString::fromUtf8("Año"), QStringLiteral("uano"), K::Text, 4},
        {QStringLiteral("Propietario"), QStringLiteral("uapeynom"), K::Text, 28},
    };
    s.action = OperationQueryForm::Action::Ver;
    return s;
}

} // namespace

TConsultaXObleaForm::TConsultaXObleaForm(QWidget *parent)
    : OperationQueryForm(parent, setup(), nullptr,
                         std::make_unique<NamedQuery>(QStringLiteral("SQLQueryConsultaOblea"), Conn::Operations,
                                                      QStringLiteral("select * from usr where uobleanew = :ob")))
{
    entry()->installEventFilter(this);
}

QString TConsultaXObleaForm::zeroFilled(const QString &text, bool *ok)
{
    *ok = true;
    const QString t = text.trimmed();
    if (t.isEmpty())
        return QString();
    const qint64 value = t.toLongLong(ok);
    return *ok ? ZeroPad(value, 10) : QString();
}

void TConsultaXObleaForm::ObleaEditExit()
{
    if (entry()->text().isEmpty())
        return;
    bool ok = false;
    const QString filled = zeroFilled(entry()->text(), &ok);
    if (ok)
        entry()->setText(filled);
    else
        Msg::error(this, QString::fromUtf8("'%1' no es un valor entero válido.").arg(entry()->text()));
}

bool TConsultaXObleaForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == entry() && event->type() == QEvent::FocusOut)
        ObleaEditExit();
    return OperationQueryForm::eventFilter(watched, event);
}

QString TConsultaXObleaForm::searchText()
{
    // Enter runs "Consultar" without leaving the field: fill it here too, so
    // "12" finds sticker 0000000012 either way.
    bool ok = false;
    const QString filled = zeroFilled(entry()->text(), &ok);
    if (ok && !filled.isEmpty())
        entry()->setText(filled);
    return entry()->text();
}

void TConsultaXObleaForm::actionClicked() { openConsultation(false); }
