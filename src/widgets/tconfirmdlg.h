#pragma once

#include <QDialog>
#include <QString>
#include <functional>

class QLabel;
class QPushButton;

// The shared question/notice dialog of the entry forms. The caller sets the
// caption, the kind and the message and shows it; "mtConfirmation" offers
// "Si"/"No", any other kind a single "Aceptar". The kind is kept between
// uses, so every use sets it.
class TConfirmDlg : public QDialog
{
    Q_OBJECT
public:
    enum Result { ResultOk = 1, ResultCancel = 2, ResultYes = 6 };

    static inline const QString Confirmation = QStringLiteral("mtConfirmation");
    static inline const QString Error = QStringLiteral("mtError");

    explicit TConfirmDlg(QWidget *parent = nullptr);

    // The one instance of the program (created at start-up).
    static TConfirmDlg &shared();

    void setKind(const QString &kind);
    QString kind() const { return m_kind; }
    void setMessage(const QString &text);
    QString message() const;

    // Beeps, lays the buttons out for the kind and shows the dialog modally.
    // Returns ResultYes, ResultOk or ResultCancel.
    int run();

    // Convenience on the shared instance.
    static bool ask(const QString &caption, const QString &text); // true for "Si"
    // While one lives, the questions asked (before a deletion) have "No" as
    // their default button: Enter deletes nothing.
    class NoByDefault
    {
    public:
        NoByDefault();
        ~NoByDefault();
        NoByDefault(const NoByDefault &) = delete;
        NoByDefault &operator=(const NoByDefault &) = delete;
    };
    static void tell(const QString &caption, const QString &text); // kind mtError

    // Tests: called instead of the modal loop, with the dialog laid out.
    using TestHook = std::function<int(TConfirmDlg &)>;
    static void setTestHook(TestHook hook);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void applyKind();

    QString m_kind = Confirmation;
    QLabel *m_message = nullptr;
    QLabel *m_questionPicture = nullptr;
    QLabel *m_otherPicture = nullptr;
    QPushButton *m_si = nullptr;
    QPushButton *m_no = nullptr;
    QPushButton *m_aceptar = nullptr;
};
