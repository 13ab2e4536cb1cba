#include "widgets/textfield.h"

#include <QComboBox>
#include <QFontMetrics>
#include <QLineEdit>
#include <QStringView>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>
#include <memory>

namespace Widgets
{

void dropBrokenCharacters(QString &text, int *pos)
{
    for (qsizetype i = 0; i < text.size();) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            i += 2;
            continue;
        }
        if (!c.isSurrogate()) {
            ++i;
            continue;
        }
        text.remove(i, 1);
        if (pos && *pos > i)
            --*pos;
    }
}

QValidator::State TextValidator::validate(QString &input, int &pos) const
{
    dropBrokenCharacters(input, &pos);
    if (m_upper)
        input = input.toUpper();
    return Acceptable;
}

int charsWidth(const QFontMetrics &fm, int chars)
{
    // The stored texts are upper case and digits: a column's character is
    // one of those on average.
    static const QString alphabet = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789");
    return qRound(double(fm.horizontalAdvance(alphabet)) * chars / alphabet.size());
}

void reserveChars(QWidget *field, int chars)
{
    const int text = charsWidth(field->fontMetrics(), chars);
    int width = text;
    if (auto *combo = qobject_cast<QComboBox *>(field)) {
        QStyleOptionComboBox opt;
        opt.initFrom(combo);
        opt.editable = combo->isEditable();
        width = combo->style()->sizeFromContents(QStyle::CT_ComboBox, &opt, QSize(text + 4, 0), combo).width();
    } else if (auto *edit = qobject_cast<QLineEdit *>(field)) {
        QStyleOptionFrame opt;
        opt.initFrom(edit);
        opt.lineWidth = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &opt, edit);
        const QMargins m = edit->textMargins();
        // QLineEdit keeps two pixels of air on each side of its text.
        width = edit->style()
                    ->sizeFromContents(QStyle::CT_LineEdit, &opt, QSize(text + 4 + m.left() + m.right() + 1, 0), edit)
                    .width();
    }
    field->setMinimumWidth(std::max(field->minimumWidth(), width));
}

void limitText(QLineEdit *edit, int maxChars, bool upper)
{
    edit->setMaxLength(maxChars);
    if (!edit->validator())
        edit->setValidator(new TextValidator(upper, edit));
    reserveChars(edit, maxChars);
}

void limitText(QComboBox *combo, int maxChars, bool upper)
{
    combo->lineEdit()->setMaxLength(maxChars);
    if (!combo->validator())
        combo->setValidator(new TextValidator(upper, combo));
    reserveChars(combo, maxChars);
}

bool allAllowed(const QString &text, const CharacterSet &allowed)
{
    for (const char32_t c : QStringView(text).toUcs4())
        if (!allowed(c))
            return false;
    return true;
}

void filterInsertedText(QLineEdit *edit, const CharacterSet &allowed, const std::function<void()> &refused)
{
    auto before = std::make_shared<QString>(edit->text());
    QObject::connect(edit, &QLineEdit::textChanged, edit, [before](const QString &t) { *before = t; });
    QObject::connect(edit, &QLineEdit::textEdited, edit, [edit, before, allowed, refused](const QString &now) {
        if (!edit->inputMask().isEmpty())
            return; // the mask already says what goes in
        // What this edit put in: the text between what stayed at both ends.
        const QString &old = *before;
        qsizetype head = 0;
        while (head < old.size() && head < now.size() && old.at(head) == now.at(head))
            ++head;
        qsizetype tail = 0;
        while (tail < old.size() - head && tail < now.size() - head &&
               old.at(old.size() - 1 - tail) == now.at(now.size() - 1 - tail))
            ++tail;
        const QString inserted = now.mid(head, now.size() - head - tail);
        if (allAllowed(inserted, allowed))
            return;
        QString kept;
        for (const char32_t c : QStringView(inserted).toUcs4())
            if (allowed(c))
                kept += QString::fromUcs4(&c, 1);
        edit->setText(now.left(head) + kept + now.right(tail));
        edit->setCursorPosition(int(head + kept.size()));
        if (refused)
            refused();
    });
}

} // namespace Widgets
