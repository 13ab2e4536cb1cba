#include "widgets/formkit.h"

#include "widgets/resultgrid.h"
#include "widgets/textfield.h"
#include "widgets/uppercasevalidator.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QToolButton>

namespace Widgets
{

namespace
{

const QString kFailed = QStringLiteral("background-color: rgb(255, 128, 128);");
const char *const kFailedProperty = "marcado";
const QColor kFailedColour(255, 128, 128);

} // namespace

QLineEdit *columnField(const QString &name, int columnChars, QWidget *parent)
{
    auto *e = named(new QLineEdit(parent), name);
    if (columnChars > 0)
        limitText(e, columnChars);
    return e;
}

QLineEdit *textField(const QString &name, int maxLength, bool upper, QWidget *parent)
{
    auto *e = named(new QLineEdit(parent), name);
    e->setMaxLength(maxLength);
    if (upper)
        e->setValidator(new UpperCaseValidator(e));
    return e;
}

QLineEdit *patternField(const QString &name, const QString &pattern, int maxLength, QWidget *parent)
{
    auto *e = named(new QLineEdit(parent), name);
    e->setMaxLength(maxLength);
    e->setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), e));
    return e;
}

QLineEdit *readOnlyField(const QString &name, QWidget *parent, Qt::FocusPolicy focus)
{
    auto *e = named(new QLineEdit(parent), name);
    e->setReadOnly(true);
    e->setFocusPolicy(focus);
    return e;
}

QLineEdit *maskedDateField(const QString &name, QWidget *parent)
{
    auto *e = named(new QLineEdit(parent), name);
    e->setInputMask(QStringLiteral("99/99/9999;_"));
    e->setMaximumWidth(100);
    return e;
}

QValidator *digitsValidator(QObject *parent, int max)
{
    return new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,%1}").arg(max)), parent);
}

QComboBox *pickList(const QString &name, const QStringList &items, const QString &current, QWidget *parent)
{
    auto *c = named(new QComboBox(parent), name);
    c->addItems(items);
    if (!current.isEmpty())
        c->setCurrentText(current);
    return c;
}

QDateEdit *datePicker(const QString &name, QWidget *parent, const QDate &initial)
{
    auto *d = named(new QDateEdit(parent), name);
    if (initial.isValid())
        d->setDate(initial);
    d->setCalendarPopup(true);
    d->setDisplayFormat(DateFormat);
    return d;
}

QCheckBox *checkBox(const QString &name, const QString &caption, QWidget *parent)
{
    return named(new QCheckBox(caption, parent), name);
}

QPushButton *button(const QString &name, const QString &caption, QWidget *parent)
{
    auto *b = named(new QPushButton(caption, parent), name);
    b->setAutoDefault(false); // Enter in a field moves on, it never presses a button
    return b;
}

QToolButton *toolButton(const QString &name, const QString &hint, QStyle::StandardPixmap icon, bool showText,
                        QWidget *parent)
{
    auto *b = named(new QToolButton(parent), name);
    b->setToolTip(hint);
    b->setIcon(QApplication::style()->standardIcon(icon));
    if (showText) {
        b->setText(hint);
        b->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    }
    b->setFocusPolicy(Qt::TabFocus); // a click keeps the focus in the field it works on
    b->setAutoRaise(true);
    return b;
}

void showListText(QComboBox *box, const QString &text)
{
    int i = box->findText(text);
    if (i < 0 && !text.isEmpty()) {
        box->addItem(text);
        i = box->count() - 1;
    }
    box->setCurrentIndex(i);
}

void markFailed(QWidget *field, bool failed)
{
    if (failed) {
        field->setStyleSheet(kFailed);
        QPalette p = field->palette(); // for what draws from the palette
        p.setColor(QPalette::Base, kFailedColour);
        p.setColor(QPalette::Button, kFailedColour);
        field->setPalette(p);
    } else if (isMarkedFailed(field)) {
        field->setStyleSheet(QString());
        field->setPalette(QPalette());
    }
    field->setProperty(kFailedProperty, failed);
}

bool isMarkedFailed(const QWidget *field)
{
    return field->property(kFailedProperty).toBool();
}

} // namespace Widgets
