#pragma once

#include <QHash>
#include <QObject>
#include <functional>

class QKeyEvent;
class QWidget;

namespace OperationForm
{

// The keys the operation form's fields take, and what Enter does in them.
// One per form; every group registers its fields here.
class FieldKeys : public QObject
{
    Q_OBJECT
public:
    enum class Keys {
        None,         // any key; Enter does what the field does
        Name,         // letters, digits, blank and Ñ
        Street,       // a name's characters and ( ) -
        Domain,       // letters and digits
        Digits,       // digits only
        AreaCode,     // a leading 0 is dropped quietly
        EnterOnly,    // any key; Enter moves to the next field
        EnterKeepsKey // as EnterOnly, and the field sees the Enter too
    };

    explicit FieldKeys(QObject *parent) : QObject(parent) {}

    void watch(QWidget *field, Keys keys);
    // While `passes` says so the field's keys go through untouched, Enter
    // included (a landline's area code).
    void passWhile(QWidget *field, const std::function<bool()> &passes);

signals:
    void refused(); // a key a field does not accept (after the beep)

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool filter(QWidget *field, Keys keys, QKeyEvent *key);
    void refuse();

    QHash<QWidget *, Keys> m_keys;
    QHash<QWidget *, std::function<bool()>> m_passes;
};

} // namespace OperationForm
