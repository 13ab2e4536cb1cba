// Windows by id and typed requests: registration mistakes stop the program,
// requests carry their arguments and results, and a window nobody built yet
// says so. Also the event boundary: an exception out of a slot ends in the
// error dialog and the program goes on.
#include "app/navigator.h"
#include "data/dberror.h"
#include "guardedmain.h"
#include "widgets/messages.h"

#include <QDialog>
#include <QPushButton>
#include <QTimer>
#include <stdexcept>

class TstNavigator : public QObject
{
    Q_OBJECT
private:
    QList<QPair<Msg::Kind, QString>> m_shown;

private slots:
    void init()
    {
        m_shown.clear();
        Msg::setHook([this](Msg::Kind kind, const QString &text) {
            m_shown.append({kind, text});
            return true;
        });
    }
    void cleanup() { Msg::setHook({}); }

    void registrationMistakesThrow()
    {
        Navigator nav;
        nav.add(WindowId::QueryByDomain, [](QWidget *) {});
        QVERIFY_THROWS_EXCEPTION(std::logic_error, nav.add(WindowId::QueryByDomain, [](QWidget *) {}));
        QVERIFY_THROWS_EXCEPTION(std::logic_error, nav.add(static_cast<WindowId>(kWindowCount), [](QWidget *) {}));
        QVERIFY_THROWS_EXCEPTION(std::logic_error, nav.add(WindowId::Owners, std::function<void(QWidget *)>()));
        nav.add<Nav::ViewOperation>([](const Nav::ViewOperation &, QWidget *) {});
        QVERIFY_THROWS_EXCEPTION(std::logic_error,
                                 nav.add<Nav::ViewOperation>([](const Nav::ViewOperation &, QWidget *) {}));
        // Another request of the same window is a registration of its own.
        nav.add<Nav::OpenOperation>([](const Nav::OpenOperation &, QWidget *) {});
        QCOMPARE(nav.registeredWindows(), (QVector<WindowId>{WindowId::OperationForm, WindowId::QueryByDomain}));
    }

    void requestsCarryArgumentsAndResults()
    {
        ScopedNavigator nav;
        QWidget parent;
        QWidget *parentSeen = nullptr;
        nav->add<Nav::ChooseOperationByRegulator>([&](const Nav::ChooseOperationByRegulator &, QWidget *p) {
            parentSeen = p;
            return std::optional<Nav::OperationKey>(
                Nav::OperationKey{QStringLiteral("0031"), QStringLiteral("30-1"), 7});
        });
        // The program's navigator is the installed one while the scope lives.
        QCOMPARE(&navigator(), &nav.get());
        const auto key = navigator().request(Nav::ChooseOperationByRegulator{}, &parent);
        QVERIFY(key.has_value());
        QCOMPARE(*key, (Nav::OperationKey{QStringLiteral("0031"), QStringLiteral("30-1"), 7}));
        QCOMPARE(parentSeen, &parent);
        QVERIFY(m_shown.isEmpty());

        // Nobody answers the cylinder query: the notice, and no operation.
        QVERIFY(!nav->request(Nav::ChooseOperationByCylinder{}, &parent).has_value());
        QCOMPARE(m_shown.size(), 1);
        QCOMPARE(m_shown[0].first, Msg::Kind::Info);
        QCOMPARE(m_shown[0].second,
                 QString::fromUtf8("La función \"Consulta por Número de Cilindro\" todavía no está disponible."));
    }

    void captionsRouteToTheirWindows()
    {
        ScopedNavigator nav;
        QStringList kinds;
        nav->add<Nav::OpenOperation>([&](const Nav::OpenOperation &r, QWidget *) { kinds << r.kind; });
        QCOMPARE(nav->route(QString::fromUtf8("Desmontaje")), Navigator::Route::Opens);
        QCOMPARE(nav->route(QStringLiteral("Propietarios")), Navigator::Route::Notice);
        QCOMPARE(nav->route(QStringLiteral("Consultas")), Navigator::Route::Nothing); // a group
        QVERIFY(nav->openCaption(QString::fromUtf8("Desmontaje"), nullptr));
        QVERIFY(nav->openCaption(QString::fromUtf8("Revisión CRPC"), nullptr));
        QCOMPARE(kinds, QStringList({QStringLiteral("B"), QStringLiteral("X")}));
    }

    void exceptionOutOfASlotShowsTheError()
    {
        QPushButton lost(QStringLiteral("lost"));
        connect(&lost, &QPushButton::clicked, this, [] { throw DbError(QStringLiteral("Lost connection to server")); });
        QPushButton odd(QStringLiteral("odd"));
        connect(&odd, &QPushButton::clicked, this, [] { throw std::runtime_error("bad index"); });
        int fine = 0;
        QPushButton ok(QStringLiteral("ok"));
        connect(&ok, &QPushButton::clicked, this, [&] { ++fine; });
        for (QPushButton *b : {&lost, &odd, &ok})
            b->show();

        QTest::mouseClick(&lost, Qt::LeftButton);
        QTest::mouseClick(&odd, Qt::LeftButton);
        QTest::mouseClick(&ok, Qt::LeftButton);
        QCOMPARE(m_shown.size(), 2);
        QCOMPARE(m_shown[0], qMakePair(Msg::Kind::Error, QStringLiteral("Lost connection to server")));
        QCOMPARE(m_shown[1],
                 qMakePair(Msg::Kind::Error, QString::fromUtf8("La acción no pudo completarse: bad index")));
        QCOMPARE(fine, 1);
        QVERIFY(!QApplication::overrideCursor());
    }

    void failureInsideAModalWindowKeepsItOpen()
    {
        QDialog dialog;
        auto *save = new QPushButton(QStringLiteral("Guardar"), &dialog);
        connect(save, &QPushButton::clicked, &dialog, [] {
            QApplication::setOverrideCursor(Qt::WaitCursor); // a statement's hourglass
            throw DbError(QStringLiteral("Deadlock found"));
        });
        bool openAfterFailure = false;
        QTimer::singleShot(0, &dialog, [&] {
            QTest::mouseClick(save, Qt::LeftButton);
            openAfterFailure = dialog.isVisible();
            dialog.accept();
        });
        QCOMPARE(dialog.exec(), int(QDialog::Accepted));
        QVERIFY(openAfterFailure);
        QCOMPARE(m_shown, (QList<QPair<Msg::Kind, QString>>{{Msg::Kind::Error, QStringLiteral("Deadlock found")}}));
        QVERIFY(!QApplication::overrideCursor());
    }
};

TARVIL_GUARDED_TEST_MAIN(TstNavigator)
#include "tst_navigator.moc"
