#include "operations/form/stickerrow.h"

#include "core/operationkind.h"
#include "core/operationrecord.h"
#include "core/prompter.h"
#include "operations/form/fieldkeys.h"
#include "operations/linklabel.h"
#include "widgets/fieldrules.h"
#include "widgets/formkit.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QToolButton>

namespace OperationForm
{

namespace
{

LinkLabel *link(const QString &text, const char *name)
{
    return Widgets::named(new LinkLabel(text), name);
}

} // namespace

StickerRow::StickerRow(const Context &context)
    : m_context(context), Image1(Widgets::named(new QLabel, "Image1")),
      LabelObleaAnt(Widgets::named(new QLabel(QStringLiteral("Oblea Anterior")), "LabelObleaAnt")),
      LabelObleaNew(Widgets::named(new QLabel(QStringLiteral("Oblea Asignada")), "LabelObleaNew")),
      LabelTaller(Widgets::named(new QLabel(QStringLiteral("Taller")), "LabelTaller")),
      ObleaAntEdit(Widgets::columnField("ObleaAntEdit", 10)),
      AnioObleaAnteriorEdit(Widgets::columnField("AnioObleaAnteriorEdit", 2)),
      ObleaNewEdit(Widgets::columnField("ObleaNewEdit", 10)), tallerEdit(Widgets::named(new QComboBox, "tallerEdit")),
      SpeedButton1(Widgets::toolButton("SpeedButton1", QStringLiteral("Traer datos de la oblea"),
                                       QStyle::SP_FileDialogContentsView)),
      SpeedButton2(Widgets::toolButton("SpeedButton2", QStringLiteral("Buscar por Dominio"),
                                       QStyle::SP_FileDialogContentsView, true)),
      Label35(link(QStringLiteral("Buscar por Propietario"), "Label35")),
      Label36(link(QStringLiteral("Buscar por Cilindro"), "Label36")),
      Label37(link(QStringLiteral("Buscar por Regulador"), "Label37")),
      TraerDesdeOCLabel(link(QStringLiteral("Traer desde OC"), "TraerDesdeOCLabel"))
{
    auto *g = new QGridLayout(this);
    g->setContentsMargins(0, 0, 0, 0);
    Image1->setVisible(false);
    g->addWidget(Image1, 0, 0, 2, 1);
    AnioObleaAnteriorEdit->setVisible(false); // filled by recall, never shown
    LabelTaller->setVisible(false);
    tallerEdit->setVisible(false);

    auto *stickers = new QHBoxLayout;
    stickers->addWidget(LabelObleaAnt);
    stickers->addWidget(ObleaAntEdit);
    stickers->addWidget(AnioObleaAnteriorEdit);
    stickers->addWidget(SpeedButton1);
    stickers->addSpacing(12);
    stickers->addWidget(LabelObleaNew);
    stickers->addWidget(ObleaNewEdit);
    stickers->addSpacing(12);
    stickers->addWidget(LabelTaller);
    stickers->addWidget(tallerEdit);
    stickers->addStretch(1);
    g->addLayout(stickers, 0, 1);

    TraerDesdeOCLabel->setVisible(false);
    auto *searches = new QHBoxLayout;
    searches->addWidget(SpeedButton2);
    for (QLabel *l : {static_cast<QLabel *>(Label35), static_cast<QLabel *>(Label36), static_cast<QLabel *>(Label37),
                      static_cast<QLabel *>(TraerDesdeOCLabel)}) {
        searches->addSpacing(14);
        searches->addWidget(l);
    }
    searches->addStretch(1);
    g->addLayout(searches, 1, 1);

    const QString logo = QDir::current().filePath(QStringLiteral("LogoTarvil.jpg"));
    if (QFile::exists(logo)) {
        QPixmap pm(logo);
        if (!pm.isNull()) {
            Image1->setPixmap(pm.scaledToHeight(56, Qt::SmoothTransformation));
            Image1->setVisible(true);
        }
    }

    context.keys.watch(ObleaAntEdit, FieldKeys::Keys::Digits);
    context.keys.watch(ObleaNewEdit, FieldKeys::Keys::None); // zero fill on leaving only
    context.rules.onExit(ObleaAntEdit, [this] { fillSticker(ObleaAntEdit); });
    context.rules.onExit(ObleaNewEdit, [this] { fillSticker(ObleaNewEdit); });
    connect(SpeedButton1, &QToolButton::clicked, this, &StickerRow::recallWanted);
    connect(SpeedButton2, &QToolButton::clicked, this, &StickerRow::searchByDomain);
    connect(Label35, &LinkLabel::clicked, this, &StickerRow::searchByOwner);
    connect(Label36, &LinkLabel::clicked, this, &StickerRow::searchByCylinder);
    connect(Label37, &LinkLabel::clicked, this, &StickerRow::searchByRegulator);
    connect(TraerDesdeOCLabel, &LinkLabel::clicked, this, &StickerRow::orderWanted);
}

void StickerRow::read(OperationRecord &r) const
{
    r.obleaAnt = ObleaAntEdit->text();
    r.anioObleaAnt = AnioObleaAnteriorEdit->text();
    r.obleaNew = ObleaNewEdit->text();
}

void StickerRow::fill(const OperationRecord &r, const QString &workshopCode)
{
    ObleaAntEdit->setText(r.obleaAnt);
    AnioObleaAnteriorEdit->setText(r.anioObleaAnt);
    if (!r.obleaNew.isEmpty())
        ObleaNewEdit->setText(r.obleaNew);
    if (!workshopCode.isEmpty())
        showText(tallerEdit, workshopCode);
}

void StickerRow::setWorkshops(const QStringList &codes)
{
    tallerEdit->addItems(codes);
}

QString StickerRow::workshop() const
{
    return tallerEdit->currentText();
}

QString StickerRow::previousSticker() const
{
    return ObleaAntEdit->text();
}

bool StickerRow::showsPreviousSticker() const
{
    return !ObleaAntEdit->isHidden();
}

void StickerRow::setPreviousSticker(const QString &sticker)
{
    ObleaAntEdit->setText(sticker);
}

void StickerRow::applyKind(const OperationKindLayout &k)
{
    for (QWidget *w : std::initializer_list<QWidget *>{ObleaAntEdit, LabelObleaAnt, SpeedButton1})
        w->setVisible(!k.hidesPreviousSticker);
    AnioObleaAnteriorEdit->setVisible(false); // never shown
    LabelObleaAnt->setText(k.previousStickerLabel);
}

void StickerRow::hideAssignedSticker()
{
    ObleaNewEdit->setVisible(false);
    LabelObleaNew->setVisible(false);
}

void StickerRow::hidePreviousSticker()
{
    for (QWidget *w : std::initializer_list<QWidget *>{ObleaAntEdit, LabelObleaAnt, SpeedButton1})
        w->setVisible(false);
}

void StickerRow::showOrderLink(bool shown)
{
    TraerDesdeOCLabel->setVisible(shown);
}

void StickerRow::showConsultation()
{
    for (QWidget *w : std::initializer_list<QWidget *>{Label35, Label36, Label37})
        w->setVisible(false);
    for (QWidget *w : std::initializer_list<QWidget *>{SpeedButton1, SpeedButton2, TraerDesdeOCLabel})
        w->setEnabled(false);
    for (QLineEdit *e : {ObleaAntEdit, ObleaNewEdit})
        e->setReadOnly(true);
    LabelObleaAnt->setText(QStringLiteral("Oblea"));
    LabelTaller->setVisible(true);
    tallerEdit->setVisible(true);
    tallerEdit->setEnabled(false);
}

void StickerRow::showRecalled()
{
    ObleaNewEdit->setVisible(true);
    LabelObleaNew->setVisible(true);
    LabelObleaAnt->setText(QStringLiteral("Oblea Anterior"));
    LabelTaller->setVisible(true);
    tallerEdit->setVisible(true);
}

void StickerRow::fillSticker(QLineEdit *edit)
{
    const StickerFill f = ZeroFillSticker(edit->text());
    if (f.ok) {
        edit->setText(f.text);
        return;
    }
    m_context.prompter.error(f.message);
    m_context.rules.refocus(edit);
}

} // namespace OperationForm
