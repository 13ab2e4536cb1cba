#include "widgets/textfield.h"

#include "widgets/messages.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QStringView>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QStyleOptionFrame>
#include <QToolTip>
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

QString fullFieldNote(int maxChars)
{
    return QStringLiteral("El campo está completo: admite hasta %1 caracteres.").arg(maxChars);
}

QString pasteTooLongText(int pastedChars, int freeChars, int maxChars)
{
    return QStringLiteral("El texto no se pegó: tiene %1 caracteres y el campo admite hasta %2 (quedan %3 libres).")
        .arg(pastedChars)
        .arg(maxChars)
        .arg(freeChars);
}

namespace
{

const char *const kGuardedProperty = "largoVigilado";

class LengthGuard : public QObject
{
public:
    using QObject::QObject;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *edit = qobject_cast<QLineEdit *>(watched);
        if (auto *combo = qobject_cast<QComboBox *>(watched))
            edit = combo->lineEdit(); // keys reach an editable list's text through the list
        if (!edit || edit->isReadOnly() || !edit->inputMask().isEmpty() || edit->maxLength() >= 32767)
            return false;
        switch (event->type()) {
        case QEvent::KeyPress: {
            auto *key = static_cast<QKeyEvent *>(event);
            if (key->matches(QKeySequence::Paste))
                return refusedPaste(edit, QGuiApplication::clipboard()->text());
            const QString text = key->text();
            if (text.isEmpty() || (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) ||
                (text.size() == 1 && (text.at(0).unicode() < 32 || text.at(0).unicode() == 127)))
                return false;
            if (text.size() <= room(edit))
                return false;
            full(edit);
            return true;
        }
        case QEvent::InputMethod: {
            const QString text = static_cast<QInputMethodEvent *>(event)->commitString();
            if (text.size() <= room(edit))
                return false;
            full(edit);
            return true;
        }
        case QEvent::ContextMenu:
            contextMenu(edit, static_cast<QContextMenuEvent *>(event)->globalPos());
            return true;
        case QEvent::Drop: {
            auto *drop = static_cast<QDropEvent *>(event);
            if (!drop->mimeData()->hasText() || drop->mimeData()->text().size() <= room(edit))
                return false;
            drop->ignore();
            refusedPaste(edit, drop->mimeData()->text());
            return true;
        }
        default:
            return false;
        }
    }

private:
    // What the field still takes: typing or pasting replaces the selection.
    static int room(const QLineEdit *edit)
    {
        return edit->maxLength() - int(edit->text().size() - edit->selectedText().size());
    }

    static void full(QLineEdit *edit)
    {
        QApplication::beep();
        QToolTip::showText(edit->mapToGlobal(QPoint(0, edit->height())), fullFieldNote(edit->maxLength()), edit);
    }

    // True when `text` was refused: the field keeps what it had.
    static bool refusedPaste(QLineEdit *edit, const QString &text)
    {
        if (text.size() <= room(edit))
            return false;
        Msg::warning(edit->window(), pasteTooLongText(int(text.size()), std::max(0, room(edit)), edit->maxLength()));
        return true;
    }

    // The field's own menu, whose "Pegar" asks first.
    static void contextMenu(QLineEdit *edit, const QPoint &at)
    {
        QMenu *menu = edit->createStandardContextMenu();
        menu->setAttribute(Qt::WA_DeleteOnClose);
        // The menu names its entries by their shortcut only, after the text
        // the translators gave.
        const QString pasteKey =
            QLatin1Char('\t') + QKeySequence(QKeySequence::Paste).toString(QKeySequence::NativeText);
        for (QAction *a : menu->actions()) {
            if (!a->text().endsWith(pasteKey))
                continue;
            a->setObjectName(QStringLiteral("edit-paste"));
            QObject::disconnect(a, &QAction::triggered, nullptr, nullptr);
            QObject::connect(a, &QAction::triggered, edit, [edit] {
                if (!refusedPaste(edit, QGuiApplication::clipboard()->text()))
                    edit->paste();
            });
        }
        menu->popup(at);
    }
};

QObject *lengthGuard()
{
    static auto *guard = new LengthGuard(qApp);
    return guard;
}

} // namespace

void guardLength(QLineEdit *edit)
{
    if (edit->property(kGuardedProperty).toBool())
        return;
    edit->setProperty(kGuardedProperty, true);
    edit->installEventFilter(lengthGuard());
    if (auto *combo = qobject_cast<QComboBox *>(edit->parentWidget()); combo && combo->lineEdit() == edit)
        combo->installEventFilter(lengthGuard());
}

void limitText(QLineEdit *edit, int maxChars, bool upper)
{
    edit->setMaxLength(maxChars);
    if (!edit->validator())
        edit->setValidator(new TextValidator(upper, edit));
    reserveChars(edit, maxChars);
    guardLength(edit);
}

void limitText(QComboBox *combo, int maxChars, bool upper)
{
    combo->lineEdit()->setMaxLength(maxChars);
    if (!combo->validator())
        combo->setValidator(new TextValidator(upper, combo));
    reserveChars(combo, maxChars);
    guardLength(combo->lineEdit());
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
