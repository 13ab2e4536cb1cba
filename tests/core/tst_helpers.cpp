#include "core/helpers.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TstHelpers : public QObject
{
    Q_OBJECT
private slots:
    void plainAddressText_data();
    void plainAddressText();
    void email_data();
    void email();
    void province_data();
    void province();
    void provinceListIsSortedAndComplete();
    void fileSize();
    void zeroPad_data();
    void zeroPad();
};

void TstHelpers::plainAddressText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::newRow("empty") << "" << true;
    QTest::newRow("joined by _ - .") << "juan_perez-2.x" << true;
    QTest::newRow("blank") << "juan perez" << false;
    QTest::newRow("at-sign") << "a@b" << false;
    QTest::newRow("enie") << QStringLiteral("muñoz") << false;
    QTest::newRow("accent") << QStringLiteral("josé") << false;
    QTest::newRow("bad last char") << "abc+" << false;
    QTest::newRow("non-ascii digit") << QStringLiteral("12\u0663") << false;
}

void TstHelpers::plainAddressText()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QCOMPARE(IsPlainAddressText(text), ok);
}

void TstHelpers::email_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::newRow("ordinary") << "juan.perez@mail.com.ar" << true;
    QTest::newRow("no at-sign") << "juan.mail.com" << false;
    QTest::newRow("empty local part") << "@mail.com" << false;
    QTest::newRow("two at-signs") << "a@b@mail.com" << false;
    QTest::newRow("5-char domain, dot third") << "a@ab.cd" << true;
    QTest::newRow("6-char domain, dot fifth") << "a@abcd.e" << false;
    QTest::newRow("4-char domain") << "a@b.cd" << false;
    QTest::newRow("domain ends in dot") << "a@abcde." << false;
    QTest::newRow("no dot in domain") << "a@abcdef" << false;
    QTest::newRow("blank in local part") << "juan perez@mail.com" << false;
    QTest::newRow("accent in domain") << QStringLiteral("a@correo.com.ár") << false;
    QTest::newRow("only the first dot is examined") << "a@abcd.e.f" << true;
}

void TstHelpers::email()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QCOMPARE(IsValidEmail(text), ok);
}

void TstHelpers::province_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("ok");
    QTest::newRow("upper") << "CORDOBA" << true;
    QTest::newRow("lower") << "cordoba" << true;
    QTest::newRow("mixed, two words") << "Santiago del Estero" << true;
    QTest::newRow("accented") << QStringLiteral("CÓRDOBA") << false;
    QTest::newRow("leading blank") << " SALTA" << false;
    QTest::newRow("trailing blank") << "SALTA " << false;
    QTest::newRow("empty") << "" << false;
    QTest::newRow("city, not province") << "ROSARIO" << false;
    QTest::newRow("last of the list") << "chaco" << true;
}

void TstHelpers::province()
{
    QFETCH(QString, text);
    QFETCH(bool, ok);
    QCOMPARE(IsKnownProvince(text), ok);
}

void TstHelpers::provinceListIsSortedAndComplete()
{
    const QStringList &l = KnownProvinces();
    QCOMPARE(l.size(), 23);
    QStringList sorted = l;
    sorted.sort();
    QCOMPARE(l, sorted);
    QCOMPARE(QSet<QString>(l.begin(), l.end()).size(), 23);
}

void TstHelpers::fileSize()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QCOMPARE(FileSizeOf(dir.filePath("missing.pdf")), qint64(-1));
    QCOMPARE(FileSizeOf(QString()), qint64(-1));

    QFile empty(dir.filePath("empty.jpg"));
    QVERIFY(empty.open(QIODevice::WriteOnly));
    empty.close();
    QCOMPARE(FileSizeOf(empty.fileName()), qint64(0));

    // Just above the attachment limit: the size must not be truncated.
    QFile big(dir.filePath("big.pdf"));
    QVERIFY(big.open(QIODevice::WriteOnly));
    QVERIFY(big.resize(512001));
    big.close();
    QCOMPARE(FileSizeOf(big.fileName()), qint64(512001));
}

void TstHelpers::zeroPad_data()
{
    QTest::addColumn<qint64>("value");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("text");
    QTest::newRow("7,4") << qint64(7) << 4 << "0007";
    QTest::newRow("not cut") << qint64(12345) << 4 << "12345";
    QTest::newRow("0,3") << qint64(0) << 3 << "000";
    QTest::newRow("width 0") << qint64(5) << 0 << "5";
    QTest::newRow("sticker") << qint64(1234) << 10 << "0000001234";
    QTest::newRow("ten digits") << qint64(9876543210) << 10 << "9876543210";
    QTest::newRow("negative keeps sign in front") << qint64(-7) << 4 << "-007";
}

void TstHelpers::zeroPad()
{
    QFETCH(qint64, value);
    QFETCH(int, width);
    QFETCH(QString, text);
    QCOMPARE(ZeroPad(value, width), text);
}

QTEST_GUILESS_MAIN(TstHelpers)
#include "tst_helpers.moc"
