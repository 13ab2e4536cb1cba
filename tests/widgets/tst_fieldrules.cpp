// Entering and leaving fields: what counts as leaving, when the exit rule
// runs, and going back to a field whose rule refused.
#include "widgets/fieldrules.h"

#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>
#include <QVBoxLayout>

namespace
{

// Code, a spin box, a list and two buttons; leaving the code counts, and the
// rule refuses it while `refuse` is set.
struct Window : QDialog {
    QLineEdit *code = new QLineEdit(this);
    QSpinBox *year = new QSpinBox(this);
    QComboBox *list = new QComboBox(this);
    QPushButton *ok = new QPushButton(QStringLiteral("Aceptar"), this);
    QPushButton *cancel = new QPushButton(QStringLiteral("Cancelar"), this);
    Widgets::FieldRules *rules = new Widgets::FieldRules(this);
    int entered = 0, left = 0, yearLeft = 0;
    bool refuse = false;

    Window()
    {
        auto *layout = new QVBoxLayout(this);
        for (QWidget *w : std::initializer_list<QWidget *>{code, year, list, ok, cancel})
            layout->addWidget(w);
        list->addItems({QStringLiteral("A"), QStringLiteral("B")});
        rules->onEnter(code, [this] { ++entered; });
        rules->onExit(code, [this] {
            ++left;
            QVERIFY(rules->running());
            if (refuse)
                rules->refocus(code);
        });
        rules->onExit(year, [this] { ++yearLeft; });
        rules->exitsFreelyThrough(cancel);
    }
};

} // namespace

class TstFieldRules : public QObject
{
    Q_OBJECT
private slots:
    void leavingAFieldRunsItsRuleOnceTheFocusHasMoved()
    {
        Window w;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.code->setFocus(Qt::TabFocusReason);
        QCOMPARE(w.entered, 1);

        QTest::keyClick(w.code, Qt::Key_Tab);
        QCOMPARE(w.left, 0); // queued: rules show messages
        QTRY_COMPARE(w.left, 1);
        QCOMPARE(w.rules->current(), w.year); // the spin box's own line edit belongs to it

        // A click on another control is leaving too; a box that takes the
        // focus and gives it back is not, nor is an open list.
        QTest::mouseClick(w.code, Qt::LeftButton);
        QCOMPARE(w.entered, 2);
        QTRY_COMPARE(w.yearLeft, 1);
        {
            QMessageBox box(QMessageBox::Warning, QStringLiteral("Tarvil"), QStringLiteral("Atención"), QMessageBox::Ok,
                            &w);
            box.open();
            QVERIFY(QTest::qWaitForWindowActive(&box));
            QTRY_COMPARE(QApplication::focusWidget()->window(), &box);
        }
        w.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTRY_COMPARE(QApplication::focusWidget(), w.code);
        QTest::qWait(20);
        QCOMPARE(w.left, 1);
        QCOMPARE(w.entered, 2);

        // Leaving through "Cancelar" is not leaving.
        w.cancel->setFocus(Qt::TabFocusReason);
        QTest::qWait(20);
        QCOMPARE(w.left, 1);

        // "Aceptar" runs the rule still waiting before its own checks.
        w.code->setFocus(Qt::TabFocusReason);
        w.ok->setFocus(Qt::TabFocusReason);
        QCOMPARE(w.rules->waitingExits(), QList<QWidget *>{w.code});
        QVERIFY(w.rules->runWaitingExits());
        QCOMPARE(w.left, 2);
        QTest::qWait(20);
        QCOMPARE(w.left, 2); // at most once per leave
    }

    void aRefusedExitGoesBackWithoutLeavingTheOtherField()
    {
        Window w;
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        w.refuse = true;
        w.code->setFocus(Qt::TabFocusReason);
        w.year->setFocus(Qt::TabFocusReason);
        QTRY_COMPARE(w.left, 1);
        QCOMPARE(QApplication::focusWidget(), w.code);
        QCOMPARE(w.entered, 2);
        QTest::qWait(20);
        QCOMPARE(w.yearLeft, 0); // going back was not leaving the year

        // Focus moves while a rule runs are not leaving either, and Aceptar
        // learns that the rule refused.
        w.list->setFocus(Qt::TabFocusReason);
        QVERIFY(!w.rules->runWaitingExits());
        QCOMPARE(w.left, 2);
        QCOMPARE(QApplication::focusWidget(), w.code);
        QTest::qWait(20);
        QCOMPARE(w.left, 2);
    }
};

QTEST_MAIN(TstFieldRules)
#include "tst_fieldrules.moc"
