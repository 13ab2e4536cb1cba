// The shared kit: result grids sized to what they hold, dates as the
// operator reads them, and the GUI prompter's way to each dialog.
#include "widgets/messages.h"
#include "widgets/resultgrid.h"
#include "widgets/tconfirmdlg.h"

#include <QHeaderView>
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
        p.warn(QStringLiteral("w"));
        p.error(QStringLiteral("e"));
        p.info(QStringLiteral("i"));
        TConfirmDlg::setTestHook({});
        Msg::setHook({});

        QCOMPARE(shown.mid(0, 2), (QStringList{"Confirmación|mtConfirmation|Esta seguro de borrar este registro?",
                                               "Error|mtError|Año Invalido."}));
        QCOMPARE(kinds, (QList<Msg::Kind>{Msg::Kind::WarningQuestion, Msg::Kind::Confirm, Msg::Kind::Warning,
                                          Msg::Kind::Error, Msg::Kind::Info}));
        QCOMPARE(Msg::caption(Msg::Kind::WarningQuestion), QStringLiteral("Cuidado!"));
    }
};

QTEST_MAIN(TstWidgets)
#include "tst_widgets.moc"
