#include "followup/tconsultaxobleaform.h"

#include "core/helpers.h"
#include "widgets/fieldrules.h"

#include <QEvent>
#include <QLineEdit>

namespace
{

OperationQueryForm::Setup setup()
{
    using K = Widgets::GridColumn::Kind;
    OperationQueryForm::Setup s;
    s.objectName = QStringLiteral("ConsultaXObleaForm");
    s.caption = QStringLiteral("Consulta de Operaciones por Nro de Oblea");
    s.prompt = QStringLiteral("Oblea:");
    s.search = Search::OperationBySticker;
    s.notFound = QString::fromUtf8("No se encontraron operaciones para la oblea indicada.");
    s.columns = {
        {QStringLiteral("Oblea"), QStringLiteral("uobleanew"), 10, true},
        {QStringLiteral("Fecha"), QStringLiteral("ufecrev"), 10, false, K::Date},
        {QString::fromUtf8("Operación"), QStringLiteral("udescgest"), 12, true},
        {QStringLiteral("Marca"), QStringLiteral("umarca"), 10, false},
        {QStringLiteral("Modelo"), QStringLiteral("umodelo"), 20, false},
        {QStringLiteral("Dominio"), QStringLiteral("UDOMINIO"), 9, true},
        {QString::fromUtf8("Año"), QStringLiteral("uano"), 4, false},
        {QStringLiteral("Propietario"), QStringLiteral("uapeynom"), 34, true},
    };
    s.action = OperationQueryForm::Action::Ver;
    return s;
}

} // namespace

TConsultaXObleaForm::TConsultaXObleaForm(QWidget *parent, Prompter &prompter)
    : OperationQueryForm(parent, setup(), prompter)
{
    Widgets::FieldRules::of(this)->onExit(Edit1, [this] { ObleaEditExit(); });
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
    if (Edit1->text().isEmpty())
        return;
    bool ok = false;
    const QString filled = zeroFilled(Edit1->text(), &ok);
    if (ok)
        Edit1->setText(filled);
    else
        prompter().error(QString::fromUtf8("'%1' no es un valor entero válido.").arg(Edit1->text()));
}

QString TConsultaXObleaForm::searchText()
{
    // Enter runs "Consultar" without leaving the field: fill it here too, so
    // "12" finds sticker 0000000012 either way.
    bool ok = false;
    const QString filled = zeroFilled(Edit1->text(), &ok);
    if (ok && !filled.isEmpty())
        Edit1->setText(filled);
    return Edit1->text();
}

void TConsultaXObleaForm::actionClicked()
{
    openConsultation(false);
}
