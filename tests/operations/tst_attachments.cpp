// The accessories and attachments dialogs: what the operator types or picks
// is what the operation keeps, and oversized files are refused.
#include "operations/attachments/taccesoriosform.h"
#include "operations/attachments/tadjuntararchivosform.h"
#include "widgets/messages.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

class TstAttachments : public QObject
{
    Q_OBJECT
    QTemporaryDir dir;
    QStringList messages;

    QString fileOf(const QString &name, qint64 size)
    {
        const QString path = dir.filePath(name);
        QFile f(path);
        f.open(QIODevice::WriteOnly);
        f.write(QByteArray(size, 'x'));
        return path;
    }

private slots:
    void initTestCase()
    {
        Msg::setHook([this](Msg::Kind, const QString &text) {
            messages << text;
            return true;
        });
    }
    void init() { messages.clear(); }

    void accessoriesKeepWhatWasTyped()
    {
        TAccesoriosForm::Values values;
        values[16] = QStringLiteral("MG01");
        TAccesoriosForm form(values);
        auto *switchCode = form.findChild<QLineEdit *>(QStringLiteral("EditLlave_cod"));
        auto *hoseSerial = form.findChild<QLineEdit *>(QStringLiteral("EditManguera_nro"));
        QVERIFY(switchCode && hoseSerial);
        QCOMPARE(form.findChild<QLineEdit *>(QStringLiteral("EditManguera_cod"))->text(), QStringLiteral("MG01"));
        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        switchCode->setFocus();
        QTest::keyClicks(switchCode, QStringLiteral("ll-22-abcdefgh"));
        // Enter goes on to the serial beside it; it never closes the dialog.
        QTest::keyClick(switchCode, Qt::Key_Return);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("EditLlave_nro"));
        QVERIFY(form.isVisible());
        QTest::keyClicks(hoseSerial, QStringLiteral("m77"));
        form.close(); // the close box keeps what was typed too
        const TAccesoriosForm::Values v = form.values();
        QCOMPARE(v[10], QStringLiteral("LL-22-ABCD")); // upper case, ten characters
        QCOMPARE(v[17], QStringLiteral("M77"));
        QCOMPARE(v[16], QStringLiteral("MG01"));
        QCOMPARE(TAccesoriosForm::captions()[5], QStringLiteral("LLave Conmutadora"));

        form.setReadOnly(); // a viewed operation's
        QVERIFY(switchCode->isReadOnly() && hoseSerial->isReadOnly());
    }

    void attachmentSizeLimit()
    {
        TAdjuntarArchivosForm form({});
        const QString ok = fileOf(QStringLiteral("frente.jpg"), 512000);
        const QString big = fileOf(QStringLiteral("dorso.jpg"), 512001);
        QVERIFY(form.attach(0, ok));
        QCOMPARE(form.paths()[0], ok);
        QCOMPARE(form.findChild<QLineEdit *>(QStringLiteral("EditFrente"))->text(), ok);
        QVERIFY(!form.attach(1, big));
        QCOMPARE(messages, QStringList{QStringLiteral("El archivo tiene que ser menor a 512k")});
        QVERIFY(form.paths()[1].isEmpty());
        // A refused file leaves the earlier choice of the row in place.
        QVERIFY(!form.attach(0, big));
        QCOMPARE(form.paths()[0], ok);
        QVERIFY(!form.attach(2, dir.filePath(QStringLiteral("no-existe.pdf"))));
        QVERIFY(messages.last().contains(QStringLiteral("no-existe.pdf")));

        // A location longer than the stored path's 255 characters would be cut.
        QString deep = dir.path();
        while (deep.size() < 240)
            deep += QStringLiteral("/carpeta-de-nombre-largo");
        QVERIFY(QDir().mkpath(deep));
        QVERIFY(!form.attach(
            2, fileOf(QDir(deep).filePath(QStringLiteral("certificado.pdf")).mid(dir.path().size() + 1), 10)));
        QVERIFY2(messages.last().startsWith(QStringLiteral("La ubicación del archivo es demasiado larga")),
                 qPrintable(messages.last()));
        QVERIFY(form.paths()[2].isEmpty());
    }

    void adjuntarUsesTheFilterAndCancelChangesNothing()
    {
        QString offered;
        QString answer = fileOf(QStringLiteral("cert.pdf"), 1000);
        TAdjuntarArchivosForm::setFileChooser([&](QWidget *, const QString &filter) {
            offered = filter;
            return answer;
        });
        TAdjuntarArchivosForm form({QStringLiteral("C:\\viejo\\frente.jpg"), QString(), QString()});
        form.findChild<QPushButton *>(QStringLiteral("BtnAdjuntar3"))->click();
        QVERIFY(offered.contains(QStringLiteral("*.jpeg")) && offered.contains(QStringLiteral("*.pdf")));
        QCOMPARE(form.paths()[2], answer);
        answer.clear();
        form.findChild<QPushButton *>(QStringLiteral("BtnAdjuntar1"))->click();
        QCOMPARE(form.paths()[0], QStringLiteral("C:\\viejo\\frente.jpg"));
        QVERIFY(form.findChild<QLineEdit *>(QStringLiteral("EditFrente"))->isReadOnly());
        QVERIFY(!form.findChild<QLineEdit *>(QStringLiteral("EditCertificado"))->isReadOnly());
        form.setReadOnly(); // a viewed operation's: nothing to attach
        QVERIFY(form.findChild<QLineEdit *>(QStringLiteral("EditCertificado"))->isReadOnly());
        QVERIFY(!form.findChild<QPushButton *>(QStringLiteral("BtnAdjuntar3"))->isEnabled());
        TAdjuntarArchivosForm::setFileChooser({});
    }

    // The paths above the buttons are read only: the keyboard starts on the
    // first "Adjuntar", so that Space opens the file dialog at once.
    void adjuntarOpensOnTheFirstButton()
    {
        TAdjuntarArchivosForm form({});
        form.show();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QCOMPARE(QApplication::focusWidget(), form.findChild<QPushButton *>(QStringLiteral("BtnAdjuntar1")));
    }
};

QTEST_MAIN(TstAttachments)
#include "tst_attachments.moc"
