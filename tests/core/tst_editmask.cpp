#include "core/editmask.h"

#include <QtTest>

class TstEditMask : public QObject
{
    Q_OBJECT
private slots:
    void translation_data();
    void translation();
    void literalsOfQtAreEscaped();
    void storedValue_data();
    void storedValue();
    void fits_data();
    void fits();
    void maskChoices();
};

// Every mask the forms use, with Qt's equivalent.
void TstEditMask::translation_data()
{
    QTest::addColumn<QString>("mask");
    QTest::addColumn<QString>("qt");
    QTest::addColumn<bool>("keep");
    QTest::addColumn<QChar>("blank");
    QTest::newRow("domain on opening") << "AAA###;1;_"
                                       << "NNN###;_" << true << QChar(u'_');
    QTest::newRow("domain before 2016") << "AAA###"
                                        << "NNN###;_" << true << QChar(u'_');
    QTest::newRow("domain from 2016") << "AAAAAAa;1; "
                                      << "NNNNNNn; " << true << QChar(u' ');
    QTest::newRow("domain recalled") << "AAA###;1; "
                                     << "NNN###; " << true << QChar(u' ');
    QTest::newRow("document on opening") << "#######0;1;"
                                         << "#######9;_" << true << QChar(u'_');
    QTest::newRow("CUIT") << "##-########-#"
                          << "##-########-#;_" << true << QChar(u'_');
    QTest::newRow("other document") << "########"
                                    << "########;_" << true << QChar(u'_');
    QTest::newRow("cylinder month/year") << "00/0000"
                                         << "99/9999;_" << true << QChar(u'_');
    QTest::newRow("order date") << "##/##/####"
                                << "##/##/####;_" << true << QChar(u'_');
    QTest::newRow("owner document") << "0000000#"
                                    << "9999999#;_" << true << QChar(u'_');
    QTest::newRow("literals dropped") << "00/0000;0;*"
                                      << "99/9999;*" << false << QChar(u'*');
}

void TstEditMask::translation()
{
    QFETCH(QString, mask);
    QFETCH(QString, qt);
    QFETCH(bool, keep);
    QFETCH(QChar, blank);
    const EditMask m = TranslateEditMask(mask);
    QCOMPARE(m.qtMask, qt);
    QCOMPARE(m.keepLiterals, keep);
    QCOMPARE(m.blank, blank);
    QVERIFY(!m.isEmpty());
}

void TstEditMask::literalsOfQtAreEscaped()
{
    // "9", "N" and "X" are plain literals in our language but specials in Qt's.
    QCOMPARE(TranslateEditMask("A9-NX").qtMask, QString("N\\9-\\N\\X;_"));
    QCOMPARE(TranslateEditMask("AAA###", true).qtMask, QString(">NNN###;_"));
    QVERIFY(TranslateEditMask("").isEmpty());
    QVERIFY(TranslateEditMask("").qtMask.isEmpty());
}

void TstEditMask::storedValue_data()
{
    QTest::addColumn<QString>("mask");
    QTest::addColumn<QString>("displayed");
    QTest::addColumn<QString>("stored");
    QTest::newRow("CUIT keeps hyphens") << "##-########-#"
                                        << "20-12345678-9"
                                        << "20-12345678-9";
    QTest::newRow("unfinished CUIT") << "##-########-#"
                                     << "20-1234____-_"
                                     << "20-1234";
    QTest::newRow("empty CUIT") << "##-########-#"
                                << "__-________-_"
                                << "";
    QTest::newRow("literals dropped") << "00/0000;0;_"
                                      << "06/2018"
                                      << "062018";
    QTest::newRow("month/year kept") << "00/0000"
                                     << "06/2018"
                                     << "06/2018";
    QTest::newRow("6-char plate in 7") << "AAAAAAa;1; "
                                       << "AB123C "
                                       << "AB123C";
    QTest::newRow("old plate") << "AAA###"
                               << "ABC123"
                               << "ABC123";
    QTest::newRow("short DNI") << "#######0;1;"
                               << "1234567_"
                               << "1234567";
    QTest::newRow("no mask, text as is") << ""
                                         << "AB 12"
                                         << "AB 12";
}

void TstEditMask::storedValue()
{
    QFETCH(QString, mask);
    QFETCH(QString, displayed);
    QFETCH(QString, stored);
    QCOMPARE(TranslateEditMask(mask).storedValue(displayed), stored);
}

void TstEditMask::fits_data()
{
    QTest::addColumn<QString>("mask");
    QTest::addColumn<QString>("value");
    QTest::addColumn<bool>("fits");
    QTest::newRow("old plate") << "AAA###"
                               << "ABC123" << true;
    QTest::newRow("new plate in old mask") << "AAA###"
                                           << "AB123CD" << false;
    QTest::newRow("letter in digit place") << "AAA###"
                                           << "ABCD12" << false;
    QTest::newRow("unfinished") << "AAA###"
                                << "AB" << true;
    QTest::newRow("empty") << "AAA###"
                           << "" << true;
    QTest::newRow("new plate") << "AAAAAAa;1; "
                               << "AB123CD" << true;
    QTest::newRow("old plate in new mask") << "AAAAAAa;1; "
                                           << "ABC123" << true;
    QTest::newRow("blank in plate") << "AAAAAAa;1; "
                                    << "AB 123" << false;
    QTest::newRow("CUIT with hyphens") << "##-########-#"
                                       << "20-12345678-9" << true;
    QTest::newRow("CUIT hyphen misplaced") << "##-########-#"
                                           << "201-2345678-9" << false;
    QTest::newRow("literals dropped") << "00/0000;0;_"
                                      << "062018" << true;
}

void TstEditMask::fits()
{
    QFETCH(QString, mask);
    QFETCH(QString, value);
    QFETCH(bool, fits);
    QCOMPARE(TranslateEditMask(mask).fits(value), fits);
}

void TstEditMask::maskChoices()
{
    using namespace OperationMasks;
    QCOMPARE(DomainOnEntering(2015), DomainBefore2016);
    QCOMPARE(DomainOnEntering(2016), DomainFrom2016);
    QCOMPARE(DomainOnRecall(2016, "ABC123"), DomainFrom2016);
    QCOMPARE(DomainOnRecall(2015, "ABC123"), DomainRecalledBefore2016);
    QCOMPARE(DomainOnRecall(2015, "AB123CD"), QString()); // no mask: keep it whole
    QCOMPARE(DocumentFor("CUIT"), DocumentCuit);
    QCOMPARE(DocumentFor("DNI"), DocumentOther);
    QCOMPARE(DocumentFor("PASAPORTE"), DocumentOther);
    QCOMPARE(TranslateEditMask(DomainRecalledBefore2016).positions(), 6);
    QCOMPARE(TranslateEditMask(DomainFrom2016).positions(), 7);
}

QTEST_GUILESS_MAIN(TstEditMask)
#include "tst_editmask.moc"
