// The shared kit: result grids sized to what they hold, dates as the
// operator reads them, the GUI prompter's way to each dialog, and windows
// that scroll rather than run off a small screen.
#include "../gui/fitcheck.h"
#include "scriptedprompter.h"
#include "widgets/formkit.h"
#include "widgets/formwindow.h"
#include "widgets/messages.h"
#include "widgets/resultgrid.h"
#include "widgets/tconfirmdlg.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QSqlField>
#include <QSqlRecord>
#include <QTableView>
#include <QtTest>

namespace
{

QSqlRecord row(const QString &owner, const QString &brand, const QVariant &date)
{
    QSqlRecord r;
    const QPair<QString, QVariant> fields[] = {{"uapeynom", owner}, {"umarca", brand}, {"ufecrev", date}};
    for (const auto &f : fields) {
        QSqlField field(f.first, f.second.metaType());
        field.setValue(f.second);
        r.append(field);
    }
    return r;
}

bool insideScrollArea(const QWidget *w)
{
    for (const QWidget *a = w->parentWidget(); a; a = a->parentWidget())
        if (qobject_cast<const QScrollArea *>(a))
            return true;
    return false;
}

} // namespace

class TstWidgets : public QObject
{
    Q_OBJECT
private slots:
    void keyColumnsShowTheirWholeValue()
    {
        using C = Widgets::GridColumn;
        Widgets::ResultGridModel model({{"Propietario", "uapeynom", 34, true},
                                        {"Marca", "umarca", 10},
                                        {"Fecha", "ufecrev", 10, false, C::Kind::Date}},
                                       Widgets::GridPalette::Green);
        QTableView view;
        Widgets::setUpResultGrid(&view, &model);
        // Before any rows: as wide as the schema allows.
        const int emptyOwner = view.columnWidth(0);
        QVERIFY(emptyOwner >= 34 * view.fontMetrics().averageCharWidth());

        const QString owner = QStringLiteral("WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW"); // 34 of the widest letter
        const QString brand = QStringLiteral("MMMMMMMMMMMMMMMMMMMMMMMMMMMMMM");     // more than its 10
        model.setRows({row(owner, brand, QDate(2021, 3, 5)), row(QStringLiteral("PEREZ"), QStringLiteral("FIAT"), {})});
        QVERIFY(view.columnWidth(0) > view.fontMetrics().horizontalAdvance(owner));
        // Not a key: no wider than its schema width; the operator can still widen it.
        QVERIFY(view.columnWidth(1) < view.fontMetrics().horizontalAdvance(brand));
        // but a value of the column's ten characters is shown whole.
        QVERIFY(view.columnWidth(1) > view.fontMetrics().horizontalAdvance(brand.left(10)));
        QCOMPARE(view.horizontalHeader()->sectionResizeMode(1), QHeaderView::Interactive);
        // Short values narrow the column again, never below its title.
        model.setRows({row(QStringLiteral("PEREZ"), QStringLiteral("FIAT"), QDate(2021, 3, 5))});
        QVERIFY(view.columnWidth(0) < emptyOwner);
        QVERIFY(view.columnWidth(1) >= view.horizontalHeader()->sectionSizeHint(1));

        QCOMPARE(model.cell(0, 2), QStringLiteral("05/03/2021"));
        QVERIFY(view.columnWidth(2) > view.fontMetrics().horizontalAdvance(model.cell(0, 2)));
        QCOMPARE(Widgets::ResultGridModel::displayText(QDateTime(QDate(2024, 1, 9), QTime(8, 5)), C::Kind::DateTime),
                 QStringLiteral("09/01/2024 08:05"));
        QCOMPARE(Widgets::ResultGridModel::displayText(QStringLiteral("AB123  "), C::Kind::Text),
                 QStringLiteral("AB123"));
    }

    void guiPrompterReachesEachDialog()
    {
        QStringList shown;
        TConfirmDlg::setTestHook([&](TConfirmDlg &dlg) {
            shown << dlg.windowTitle() + '|' + dlg.kind() + '|' + dlg.message();
            return int(dlg.kind() == TConfirmDlg::Confirmation ? TConfirmDlg::ResultYes : TConfirmDlg::ResultOk);
        });
        QList<Msg::Kind> kinds;
        Msg::setHook([&](Msg::Kind kind, const QString &text) {
            kinds << kind;
            shown << text;
            return false;
        });
        Prompter &p = guiPrompter();
        QVERIFY(p.confirm(QStringLiteral("Esta seguro de borrar este registro?")));
        p.alert(QStringLiteral("Año Invalido."));
        QVERIFY(!p.askWarning(QStringLiteral("Esta seguro de eliminar esta operación?")));
        QVERIFY(!p.ask(QStringLiteral("Sigue?")));
        QVERIFY(!p.question(QStringLiteral("Esta seguro que el cilindro está rechazado?")));
        QVERIFY(!p.askInfo(QStringLiteral("Según los datos, este cilindro no requiere PH. Continua de todos modos?")));
        p.warn(QStringLiteral("w"));
        p.error(QStringLiteral("e"));
        p.info(QStringLiteral("i"));
        TConfirmDlg::setTestHook({});
        Msg::setHook({});

        QCOMPARE(shown.mid(0, 2), (QStringList{"Confirmación|mtConfirmation|Esta seguro de borrar este registro?",
                                               "Error|mtError|Año Invalido."}));
        QCOMPARE(kinds,
                 (QList<Msg::Kind>{Msg::Kind::WarningQuestion, Msg::Kind::Confirm, Msg::Kind::WarningYesNo,
                                   Msg::Kind::InfoYesNo, Msg::Kind::Warning, Msg::Kind::Error, Msg::Kind::Info}));
    }

    void aWindowTallerThanTheScreenScrollsBelowItsButtons()
    {
        QDialog window;
        auto *layout = new QVBoxLayout(&window);
        QList<QLineEdit *> fields;
        for (int i = 0; i < 60; ++i)
            layout->addWidget(fields.emplace_back(new QLineEdit));
        auto *row = new QHBoxLayout;
        auto *ok = new QPushButton(QStringLiteral("Aceptar"));
        row->addStretch(1);
        row->addWidget(ok);
        layout->addLayout(row);
        Widgets::setUpWindow(&window);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        const QRect usable = Widgets::usableArea(&window);
        QVERIFY(usable.height() < window.screen()->availableGeometry().height()); // the frame is left out
        QVERIFY2(usable.contains(window.geometry()), qPrintable(QStringLiteral("%1x%2 at %3,%4")
                                                                    .arg(window.width())
                                                                    .arg(window.height())
                                                                    .arg(window.x())
                                                                    .arg(window.y())));
        QVERIFY(insideScrollArea(fields.last()));
        QVERIFY(!insideScrollArea(ok));
        QVERIFY(window.rect().contains(QRect(ok->mapTo(&window, QPoint(0, 0)), ok->size())));
        QVERIFY(FitCheck::sidewaysScrolling(&window).isEmpty());
        // A field wider than the screen makes the operator scroll sideways: the fit check says so.
        fields.first()->setMinimumWidth(3000);
        QTRY_VERIFY(!FitCheck::sidewaysScrolling(&window).isEmpty());
        fields.first()->setMinimumWidth(0);

        // Made small by hand: the fields keep their height and scroll.
        window.resize(220, 160);
        QTRY_COMPARE(window.size(), QSize(220, 160).expandedTo(window.minimumSize()));
        QVERIFY(fields[1]->geometry().top() >= fields[0]->geometry().bottom());
        QVERIFY(fields[0]->height() >= fields[0]->minimumSizeHint().height());
        QVERIFY(window.rect().contains(QRect(ok->mapTo(&window, QPoint(0, 0)), ok->size())));
    }

    void enterPressesTheFocusedButtonAndMovesOnFromACheckBox()
    {
        QDialog window;
        auto *layout = new QVBoxLayout(&window);
        QCheckBox *box = Widgets::checkBox(QStringLiteral("Check"), QStringLiteral("Controlar"));
        auto *next = new QLineEdit;
        layout->addWidget(box);
        layout->addWidget(next);
        QPushButton *ok = Widgets::button(QStringLiteral("Ok"), QStringLiteral("Aceptar"));
        layout->addWidget(ok);
        Widgets::setUpWindow(&window);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        int pressed = 0;
        connect(ok, &QPushButton::clicked, &window, [&] { ++pressed; });

        ok->setFocus();
        QTest::keyClick(ok, Qt::Key_Return);
        QCOMPARE(pressed, 1);
        box->setFocus();
        const bool checked = box->isChecked();
        QTest::keyClick(box, Qt::Key_Return);
        QCOMPARE(box->isChecked(), checked);
        QTRY_VERIFY(next->hasFocus()); // what is typed next goes into the next field
    }

    void typingIntoMaskedAndDateFieldsGoesInWhereverTheClickWas()
    {
        QDialog window;
        auto *layout = new QVBoxLayout(&window);
        auto *plate = new QLineEdit;
        plate->setInputMask(QStringLiteral(">AAA 000;_"));
        plate->setMinimumWidth(200);
        auto *date = Widgets::datePicker(QStringLiteral("Fecha"), nullptr, QDate(2027, 1, 9));
        layout->addWidget(plate);
        layout->addWidget(date);
        Widgets::setUpWindow(&window);
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));

        // A click far to the right of the blanks.
        QTest::mouseClick(plate, Qt::LeftButton, {}, QPoint(plate->width() - 4, plate->height() / 2));
        QTest::keyClicks(plate, QStringLiteral("abc123"));
        QCOMPARE(plate->text(), QStringLiteral("ABC 123"));

        date->setFocus();
        QTest::keyClick(date, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(date, QStringLiteral("15/01/2027"));
        QCOMPARE(date->date(), QDate(2027, 1, 15));
    }

    void typedDataIsNotDiscardedWithoutAQuestion()
    {
        ScriptedPrompter prompter;
        QDialog form;
        auto *layout = new QVBoxLayout(&form);
        auto *edit = new QLineEdit;
        layout->addWidget(edit);
        auto *guard = new Widgets::DiscardGuard(&form, prompter);
        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));

        QTest::keyClick(&form, Qt::Key_Escape); // nothing typed: it just closes
        QVERIFY(prompter.log.isEmpty());
        QVERIFY(!form.isVisible());

        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QTest::keyClicks(edit, QStringLiteral("AB123"));
        QTest::keyClick(edit, Qt::Key_Escape);
        QCOMPARE(prompter.log, QStringList{QStringLiteral("question: ") + Widgets::DiscardGuard::Question});
        QVERIFY(form.isVisible()); // "No" keeps it
        prompter.answers = {true};
        guard->cancel();
        QCOMPARE(prompter.log.size(), 2);
        QVERIFY(!form.isVisible());
    }

    void aDeleteQuestionAnswersNoToEnter()
    {
        QString enter;
        TConfirmDlg::setTestHook([&](TConfirmDlg &dlg) {
            for (QPushButton *b : dlg.findChildren<QPushButton *>())
                if (!b->isHidden() && b->isDefault())
                    enter = b->text().remove(QLatin1Char('&'));
            return int(TConfirmDlg::ResultCancel);
        });
        {
            const TConfirmDlg::NoByDefault deletes;
            QVERIFY(!GuiPrompter().confirm(QStringLiteral("Esta seguro de borrar este registro?")));
        }
        QCOMPARE(enter, QStringLiteral("No"));
        GuiPrompter().confirm(QStringLiteral("Desea imprimir la ficha de la operación?"));
        QCOMPARE(enter, QStringLiteral("Si")); // a question that deletes nothing keeps "Si"
        TConfirmDlg::setTestHook({});
    }

    void aReadingThatFoundNothingSaysSo()
    {
        Widgets::ResultGridModel model({{"Propietario", "uapeynom", 34}}, Widgets::GridPalette::Blue);
        QTableView view;
        Widgets::setUpResultGrid(&view, &model);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        auto *note = view.viewport()->findChild<QLabel *>();
        QVERIFY(note);
        QVERIFY(!note->isVisible()); // nothing read yet
        model.setRows({});
        QVERIFY(note->isVisible());
        QCOMPARE(note->text(), QStringLiteral("No se encontraron datos."));
        model.setRows({row(QStringLiteral("SOSA MARTA"), QStringLiteral("FIAT"), QDate(2026, 1, 2))});
        QVERIFY(!note->isVisible());
        model.clear();
        QVERIFY(!note->isVisible());
    }

    // What each box reads: caption, buttons, and the answer Enter gives.
    void boxesSpeakSpanish_data()
    {
        QTest::addColumn<Msg::Kind>("kind");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QStringList>("buttons");
        QTest::addColumn<QString>("enter");
        QTest::newRow("delete") << Msg::Kind::WarningQuestion << "Cuidado!" << QStringList{"Aceptar", "No"} << "No";
        QTest::newRow("Sigue?") << Msg::Kind::WarningYesNo << "Cuidado!" << QStringList{"Si", "No"} << "No";
        QTest::newRow("no requiere PH") << Msg::Kind::InfoYesNo << QStringLiteral("Información")
                                        << QStringList{"Si", "No"} << "No";
        QTest::newRow("confirm") << Msg::Kind::Confirm << QStringLiteral("Confirmación") << QStringList{"Si", "No"}
                                 << "Si";
        QTest::newRow("error") << Msg::Kind::Error << "Error" << QStringList{"Aceptar"} << "";
    }
    void boxesSpeakSpanish()
    {
        QFETCH(Msg::Kind, kind);
        QFETCH(QString, caption);
        QFETCH(QStringList, buttons);
        QFETCH(QString, enter);
        QMessageBox box;
        Msg::prepare(box, kind, QStringLiteral("texto"));
        QCOMPARE(box.windowTitle(), caption);
        QStringList texts;
        for (QAbstractButton *b : box.buttons())
            texts << b->text();
        texts.sort();
        buttons.sort();
        QCOMPARE(texts, buttons);
        if (!enter.isEmpty())
            QCOMPARE(box.defaultButton()->text(), enter);
    }
};

QTEST_MAIN(TstWidgets)
#include "tst_widgets.moc"
