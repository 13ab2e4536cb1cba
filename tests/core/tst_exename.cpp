#include "core/exename.h"

#include <QtTest>

class TstExeName : public QObject
{
    Q_OBJECT
private slots:
    void adminBuildUsesItsOwnTable_data();
    void adminBuildUsesItsOwnTable();
    void fileNameIsTheLastPathPart();
    void chosenTableIsKeptForTheRun();
};

void TstExeName::adminBuildUsesItsOwnTable_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("table");
    QTest::newRow("windows path") << "C:\\Tarvil\\pecadmin.exe"
                                  << "cilaux02.adt";
    QTest::newRow("upper case") << "C:\\TARVIL\\PECADMIN.EXE"
                                << "cilaux02.adt";
    QTest::newRow("mixed case, no extension") << "/opt/tarvil/PecAdmin"
                                              << "cilaux02.adt";
    QTest::newRow("bare name") << "pecadmin.exe"
                               << "cilaux02.adt";
    QTest::newRow("workshop program") << "C:\\Tarvil\\tarvil.exe"
                                      << "cilaux01.adt";
    QTest::newRow("folder named pecadmin") << "C:\\pecadmin.exe\\tarvil.exe"
                                           << "cilaux01.adt";
    QTest::newRow("longer name") << "C:\\Tarvil\\pecadmin2.exe"
                                 << "cilaux01.adt";
    QTest::newRow("other extension") << "C:\\Tarvil\\pecadmin.bak"
                                     << "cilaux01.adt";
    QTest::newRow("empty") << ""
                           << "cilaux01.adt";
}

void TstExeName::adminBuildUsesItsOwnTable()
{
    QFETCH(QString, path);
    QFETCH(QString, table);
    QCOMPARE(cylinderTableForExecutable(path), table);
}

void TstExeName::fileNameIsTheLastPathPart()
{
    QCOMPARE(executableFileName(QStringLiteral("C:\\a\\b\\Tarvil.exe")), QStringLiteral("Tarvil.exe"));
    QCOMPARE(executableFileName(QStringLiteral("/usr/bin/tarvil")), QStringLiteral("tarvil"));
    QCOMPARE(executableFileName(QStringLiteral("C:\\a/b\\c.exe")), QStringLiteral("c.exe"));
    QCOMPARE(executableFileName(QStringLiteral("C:\\dir\\")), QString());
}

void TstExeName::chosenTableIsKeptForTheRun()
{
    QCOMPARE(cylinderTableName(), QStringLiteral("cilaux01.adt"));
    setCylinderTableName(cylinderTableForExecutable(QStringLiteral("PECADMIN.exe")));
    QCOMPARE(cylinderTableName(), QStringLiteral("cilaux02.adt"));
    setCylinderTableName(kCylinderTable);
}

QTEST_GUILESS_MAIN(TstExeName)
#include "tst_exename.moc"
