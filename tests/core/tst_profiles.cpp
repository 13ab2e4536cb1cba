#include "core/global.h"
#include "core/installationprofile.h"

#include <QSet>
#include <QtTest>

Q_DECLARE_METATYPE(SettingsChoice::Action)

namespace
{

const InstallationProfile &byName(const QString &name)
{
    for (const InstallationProfile &p : installationProfiles())
        if (p.name == name)
            return p;
    qFatal("no profile %s", qPrintable(name));
}

QStringList namesWhere(bool (*pred)(const InstallationProfile &))
{
    QStringList names;
    for (const InstallationProfile &p : installationProfiles())
        if (pred(p))
            names << p.name;
    names.sort();
    return names;
}

QStringList sorted(QStringList l)
{
    l.sort();
    return l;
}

QStringList allNamesBut(const QString &name)
{
    QStringList l;
    for (const InstallationProfile &p : installationProfiles())
        if (p.name != name)
            l << p.name;
    return sorted(l);
}

} // namespace

class TestProfiles : public QObject
{
    Q_OBJECT
private slots:
    void idsAreUniqueAndSixCharacters();
    void lookupIsExact_data();
    void lookupIsExact();
    void letters_data();
    void letters();
    void sharedServers();
    void localRowsUseTheLocalAccount();
    void flagsFollowTheirProfiles_data();
    void flagsFollowTheirProfiles();
    void fichaChoices();
};

void TestProfiles::idsAreUniqueAndSixCharacters()
{
    const auto &t = installationProfiles();
    QCOMPARE(t.size(), 31);
    QSet<QString> ids, names;
    for (const InstallationProfile &p : t) {
        QCOMPARE(p.installationId.size(), 6);
        QVERIFY2(!ids.contains(p.installationId), qPrintable(p.installationId));
        QVERIFY2(!names.contains(p.name), qPrintable(p.name));
        ids.insert(p.installationId);
        names.insert(p.name);
        QCOMPARE(profileById(p.installationId), &p);
        QVERIFY2(p.dialogColour != 0 && p.accentColour != 0, qPrintable(p.name));
    }
    QCOMPARE(byName("Sumac").accentColour, 255);
    QCOMPARE(byName("Walnut").dialogColour, 6211299);
}

void TestProfiles::lookupIsExact_data()
{
    QTest::addColumn<QString>("id");
    QTest::addColumn<QString>("name"); // empty: no profile
    QTest::newRow("Olive") << "OLIV01"
                           << "Olive";
    QTest::newRow("Yew") << "YEW001"
                         << "Yew";
    QTest::newRow("Elm") << "ELM001"
                         << "Elm";
    QTest::newRow("Cedar") << "CEDA01"
                           << "Cedar";
    QTest::newRow("lower case") << "oliv01"
                                << "";
    QTest::newRow("mixed case") << "Oliv01"
                                << "";
    QTest::newRow("trailing blank") << "OLIV01 "
                                    << "";
    QTest::newRow("prefix") << "OLIV0"
                            << "";
    QTest::newRow("default of the ini") << "NADA"
                                        << "";
    QTest::newRow("empty") << ""
                           << "";
}

void TestProfiles::lookupIsExact()
{
    QFETCH(QString, id);
    QFETCH(QString, name);
    const InstallationProfile *p = profileById(id);
    Global.InstallationId = id;
    QCOMPARE(currentProfile().name, name); // unknown: the default row
    if (name.isEmpty()) {
        QVERIFY(!p);
        QVERIFY(!currentProfile().offersCommitmentLetter);
        QVERIFY(currentProfile().checksReusedSticker);
    } else {
        QVERIFY(p);
        QCOMPARE(p->name, name);
    }
}

void TestProfiles::letters_data()
{
    QTest::addColumn<QString>("profile");
    QTest::addColumn<int>("conn");
    QTest::addColumn<QString>("letter");
    QTest::addColumn<SettingsChoice::Action>("action");
    QTest::addColumn<QString>("host"); // with Write
    QTest::addColumn<QString>("database");

    const int ops = int(Conn::Operations), post = int(Conn::PostVenta), sister = int(Conn::Sister);
    const auto W = SettingsChoice::Write, D = SettingsChoice::LeaveDefault, N = SettingsChoice::DoNotOpen;
    const QString local = "localhost";

    QTest::newRow("Spruce unlisted: local") << "Spruce" << ops << "A" << W << local << "tarvil";
    QTest::newRow("Buckeye L: local") << "Buckeye" << ops << "L" << W << local << "tarvil";
    QTest::newRow("Maple X: local") << "Maple" << ops << "X" << W << local << "tarvil";
    QTest::newRow("Acacia lower w: local") << "Acacia" << ops << "w" << W << local << "tarvil";
    QTest::newRow("Spruce W: remote") << "Spruce" << ops << "W" << W << "db.spruce.example.invalid"
                                      << "tarvil_spruce";
    QTest::newRow("Chestnut A: secondary") << "Chestnut" << ops << "A" << W << "db2.chestnut.example.invalid"
                                           << "tarvil_chestnut";
    QTest::newRow("Chestnut L: secondary") << "Chestnut" << ops << "L" << W << "db2.chestnut.example.invalid"
                                           << "tarvil_chestnut";
    QTest::newRow("Birch L: default") << "Birch" << ops << "L" << D << ""
                                      << "";
    QTest::newRow("Yew A: default") << "Yew" << ops << "A" << D << ""
                                    << "";
    QTest::newRow("Aspen lower w: unlisted") << "Aspen" << ops << "w" << D << ""
                                             << "";
    QTest::newRow("Cypress L: nothing opened") << "Cypress" << ops << "L" << N << ""
                                               << "";
    QTest::newRow("Cypress lower a: nothing opened") << "Cypress" << ops << "a" << N << ""
                                                     << "";
    QTest::newRow("Cypress W") << "Cypress" << ops << "W" << W << "db.cypress.example.invalid"
                               << "tarvil_cypress";
    QTest::newRow("Aspen L: PEC local database") << "Aspen" << ops << "L" << W << local << "tarvil_pec";
    QTest::newRow("Hickory L: PEC local database") << "Hickory" << ops << "L" << W << local << "tarvil_pec";
    QTest::newRow("Larch L: local") << "Larch" << ops << "L" << W << local << "tarvil";
    QTest::newRow("Juniper W: local") << "Juniper" << ops << "W" << W << local << "tarvil";
    QTest::newRow("Olive post W: local") << "Olive" << post << "W" << W << local << "tarvil_postventa";
    QTest::newRow("Olive post A: default") << "Olive" << post << "A" << D << ""
                                           << "";
    QTest::newRow("Aspen post W: default") << "Aspen" << post << "W" << D << ""
                                           << "";
    QTest::newRow("Linden post L: local") << "Linden" << post << "L" << W << local << "tarvil_postventa";
    QTest::newRow("Aspen sister: none") << "Aspen" << sister << "W" << D << ""
                                        << "";
    QTest::newRow("Tamarack sister L: local") << "Tamarack" << sister << "L" << W << local << "tarvil";
    QTest::newRow("Tamarack sister A: none") << "Tamarack" << sister << "A" << D << ""
                                             << "";
}

void TestProfiles::letters()
{
    QFETCH(QString, profile);
    QFETCH(int, conn);
    QFETCH(QString, letter);
    QFETCH(SettingsChoice::Action, action);
    QFETCH(QString, host);
    QFETCH(QString, database);

    const SettingsChoice c = resolveSettings(byName(profile), Conn(conn), letter);
    QCOMPARE(c.action, action);
    if (action == SettingsChoice::Write) {
        QCOMPARE(c.settings.hostName, host);
        QCOMPARE(c.settings.database, database);
    } else {
        QVERIFY(c.settings.isEmpty());
    }
}

void TestProfiles::sharedServers()
{
    auto ops = [](const char *name, const char *letter) {
        return resolveSettings(byName(name), Conn::Operations, letter);
    };
    auto post = [](const char *name, const char *letter) {
        return resolveSettings(byName(name), Conn::PostVenta, letter);
    };

    const SettingsChoice cedarW = ops("Cedar", "W");
    QCOMPARE(cedarW.action, SettingsChoice::Write);
    for (const char *name :
         {"Aspen", "Sumac", "Catalpa", "Quince", "Hazel", "Willow", "Rowan", "Poplar", "Larch", "Dogwood", "Walnut"}) {
        QCOMPARE(ops(name, "A"), cedarW);
        QVERIFY2(!(ops(name, "W") == cedarW), name); // each keeps its own primary
    }
    QVERIFY(!(ops("Magnolia", "A") == cedarW));

    QCOMPARE(post("Linden", "W"), ops("Linden", "W"));
    QCOMPARE(post("Birch", "W"), ops("Birch", "W"));
    QCOMPARE(post("Birch", "A"), ops("Tamarack", "A"));
    QCOMPARE(post("Tamarack", "W"), ops("Tamarack", "W"));
    QCOMPARE(post("Tamarack", "A"), ops("Tamarack", "A"));
    QCOMPARE(post("Elder", "W"), ops("Tamarack", "W"));
    QCOMPARE(post("Mulberry", "W"), ops("Tamarack", "W"));
    QCOMPARE(post("Mulberry", "A"), post("Elder", "A"));
    QVERIFY(!(post("Elder", "A") == ops("Elder", "A")));
    for (const char *letter : {"A", "W", "L"})
        QCOMPARE(post("Hornbeam", letter), ops("Hornbeam", letter));

    // Each of the two sister profiles reads the other's primary database.
    QCOMPARE(resolveSettings(byName("Tamarack"), Conn::Sister, "W"), ops("Mulberry", "W"));
    QCOMPARE(resolveSettings(byName("Mulberry"), Conn::Sister, "W"), ops("Tamarack", "W"));
    QCOMPARE(namesWhere([](const InstallationProfile &p) { return p.hasSisterDatabase(); }),
             sorted({"Mulberry", "Tamarack"}));
}

void TestProfiles::localRowsUseTheLocalAccount()
{
    const QSet<QString> pecLocal{"Aspen",  "Sumac", "Catalpa", "Quince", "Hazel",
                                 "Willow", "Rowan", "Poplar",  "Hickory"};
    for (const InstallationProfile &p : installationProfiles()) {
        for (Conn conn : {Conn::Operations, Conn::PostVenta, Conn::Sister}) {
            for (const char *letter : {"W", "A", "L", "X"}) {
                const SettingsChoice c = resolveSettings(p, conn, letter);
                if (c.action != SettingsChoice::Write)
                    continue;
                const QString where = p.name + " " + letter;
                QVERIFY2(!c.settings.hostName.isEmpty() && !c.settings.database.isEmpty(), qPrintable(where));
                QVERIFY2(!c.settings.label.isEmpty(), qPrintable(where));
                if (c.settings.hostName != "localhost")
                    continue;
                QCOMPARE(c.settings.userName, QString("tarvil"));
                QCOMPARE(c.settings.password, QString("tarvil"));
                QCOMPARE(c.settings.label, QString("Local DB"));
                const bool ownPec = conn == Conn::Operations && pecLocal.contains(p.name);
                // Hornbeam's post-sales settings are its operations settings.
                const bool postSales = conn == Conn::PostVenta && p.name != "Hornbeam";
                QCOMPARE(c.settings.database, QString(ownPec      ? "tarvil_pec"
                                                      : postSales ? "tarvil_postventa"
                                                                  : "tarvil"));
            }
        }
        // Every row that lists "L" for its operations means this machine.
        const auto l = p.operations.byLetter.constFind("L");
        if (l != p.operations.byLetter.cend())
            QCOMPARE(l->hostName, QString("localhost"));
    }
}

void TestProfiles::flagsFollowTheirProfiles_data()
{
    QTest::addColumn<QStringList>("actual");
    QTest::addColumn<QStringList>("expected");
    using P = const InstallationProfile &;

    QTest::newRow("post-sales opened at start-up") << namesWhere([](P p) { return p.opensPostSalesAtStartup; })
                                                   << sorted({"Linden", "Birch", "Olive", "Tamarack", "Hornbeam"});
    QTest::newRow("download location") << namesWhere([](P p) {
        return !p.downloadUrl.isEmpty();
    }) << sorted({"Tamarack", "Elder", "Hornbeam", "Sequoia", "Chestnut", "Cedar", "Larch", "Buckeye"});
    QTest::newRow("commitment letter") << namesWhere([](P p) {
        return p.offersCommitmentLetter;
    }) << sorted({"Cedar", "Quince", "Buckeye", "Hornbeam", "Linden", "Birch", "Sequoia", "Cypress", "Chestnut"});
    QTest::newRow("letter layout known") // every letter profile can print one
        << namesWhere([](P p) { return !p.commitmentLetterLayout.isEmpty() || p.choosesLetterRevisionCentre; })
        << namesWhere([](P p) { return p.offersCommitmentLetter; });
    QTest::newRow("letter after save") << namesWhere([](P p) { return p.offersLetterAfterSave; })
                                       << QStringList{"Cedar"};
    QTest::newRow("accessories") << namesWhere([](P p) { return p.recordsAccessories; }) << QStringList{"Juniper"};
    QTest::newRow("owner list") << namesWhere([](P p) { return p.showsOwnerListButton; }) << QStringList{"Linden"};
    QTest::newRow("observations on recall")
        << namesWhere([](P p) { return p.keepsObservationsOnRecall; }) << allNamesBut("Buckeye");
    QTest::newRow("reused sticker") << namesWhere([](P p) { return p.checksReusedSticker; }) << allNamesBut("Tamarack");
    QTest::newRow("regulator mount in M")
        << namesWhere([](P p) { return p.forbidsRegulatorMountInModification; }) << allNamesBut("Tamarack");
    QTest::newRow("all PECs") << namesWhere([](P p) { return p.searchesAllPecs; }) << sorted({"Tamarack", "Mulberry"});
    QTest::newRow("tnrointopr numbering")
        << namesWhere([](P p) { return p.numbersFromOperationNumberTable; }) << sorted({"Birch", "Spruce"});
    QTest::newRow("pending list with VIN")
        << namesWhere([](P p) { return p.pendingListShowsVin; }) << sorted({"Tamarack", "Elder"});
    QTest::newRow("TAL workshops") << namesWhere([](P p) { return p.workshopOnlyCodePrefix == "TAL"; })
                                   << QStringList{"Linden"};
    QTest::newRow("work order print") << namesWhere([](P p) {
        return !p.workOrderLayout.isEmpty();
    }) << sorted({"Linden", "Birch", "Mulberry", "Hornbeam", "Tamarack", "Elder", "Olive"});
    QTest::newRow("work order conversion date") << namesWhere([](P p) { return p.workOrderPrintsConversionDate; })
                                                << sorted({"Linden", "Birch", "Tamarack", "Elder", "Olive"});
    QTest::newRow("work order reprint") << namesWhere([](P p) { return !p.workOrderReprintLayout.isEmpty(); })
                                        << sorted({"Tamarack", "Elder", "Mulberry", "Linden", "Birch", "Hornbeam"});
    QTest::newRow("operation type") << namesWhere([](P p) { return p.showsWorkOrderOperationType; })
                                    << QStringList{"Birch"};
    QTest::newRow("Quince letterhead") << namesWhere([](P p) { return p.printsLetterheadLines; })
                                       << QStringList{"Quince"};
    QTest::newRow("Buckeye copies") << namesWhere([](P p) { return p.buckeyeFichaCopies != 1; })
                                    << QStringList{"Aspen"};
    QTest::newRow("own empty ficha") << namesWhere([](P p) {
        return p.emptyFichaLayout != "TQFichaEnBlancoQuinceForm";
    }) << sorted({"Dogwood", "Larch", "Tamarack", "Walnut"});
    QTest::newRow("working folder") << namesWhere([](P p) { return !p.workingFolder.isEmpty(); })
                                    << sorted({"Magnolia", "Hickory"});
}

void TestProfiles::flagsFollowTheirProfiles()
{
    QFETCH(QStringList, actual);
    QFETCH(QStringList, expected);
    QCOMPARE(actual, expected);
}

void TestProfiles::fichaChoices()
{
    using K = FichaChoice::Kind;
    QCOMPARE(byName("Tamarack").fichaAfterSave.kind, K::BySheetFormat);
    QCOMPARE(byName("Mulberry").fichaOnButton.kind, K::BySheetFormat);
    QCOMPARE(byName("Olive").fichaAfterSave.layout, QString("TQFichaCedarForm"));
    QCOMPARE(byName("Olive").fichaOnButton.kind, K::BySheetFormat);

    const FichaChoice cedar = byName("Cedar").fichaAfterSave;
    QCOMPARE(cedar.kind, K::FormatDialog);
    QCOMPARE(cedar.blankLayout, QString("TQFichaAlderForm"));
    QCOMPARE(cedar.preprintedLayout, QString("TQFichaCedarForm"));

    for (const char *name : {"Magnolia", "Catalpa", "Sumac", "Spruce"}) {
        QCOMPARE(byName(name).fichaAfterSave.kind, K::Nothing);
        QVERIFY2(byName(name).fichaOnButton.kind != K::Nothing, name);
    }
    for (const char *name : {"Acacia", "Elm"}) {
        QCOMPARE(byName(name).fichaAfterSave.kind, K::Nothing);
        QCOMPARE(byName(name).fichaOnButton.kind, K::Nothing);
    }
    // A fixed choice always names its layout, a dialog both of its layouts.
    for (const InstallationProfile &p : installationProfiles()) {
        for (const FichaChoice &c : {p.fichaAfterSave, p.fichaOnButton}) {
            if (c.kind == K::Fixed)
                QVERIFY2(c.layout.startsWith("TQFicha"), qPrintable(p.name));
            if (c.kind == K::FormatDialog)
                QVERIFY2(!c.blankLayout.isEmpty() && !c.preprintedLayout.isEmpty(), qPrintable(p.name));
        }
    }
}

QTEST_GUILESS_MAIN(TestProfiles)
#include "tst_profiles.moc"
