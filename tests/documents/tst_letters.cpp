// What the commitment letters print: four item rows of five, the purpose
// marker of the centre's own form, the Buckeye letter's workshop and logo.
// With TARVIL_LOOK_DIR set, each letter is also written there as a PDF.
#include "displaylist.h"
#include "documents/letter.h"
#include "documents/registry.h"
#include "sampleletter.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

using Shown::textOf;

class TstLetters : public QObject
{
    Q_OBJECT
private slots:
    void fourOfFiveItemsPrint()
    {
        const Letter::PrintData d = Sample::letterPrintData();
        for (const QString &layout : {QStringLiteral("TQCartaForm"), QStringLiteral("TQCartaCypressForm")}) {
            const Report::DisplayList l = Documents::MakeLetter(layout, d).displayList();
            QCOMPARE(l.pageCount, 1);
            QCOMPARE(textOf(l, "cilnro4"), QStringLiteral("WT33221104"));
            QCOMPARE(textOf(l, "cap4"), QStringLiteral("64"));
            QCOMPARE(textOf(l, "obs1"), QStringLiteral("OBS 1"));
            for (const Report::DisplayItem &i : l.items)
                QVERIFY2(i.text != QLatin1String("WT33221105"), qPrintable(i.name)); // stored, not printed
        }
        // Only the centre's own form prints mass and diameter, the fourth row like the first.
        const Report::DisplayList own = Documents::MakeLetter(QStringLiteral("TQCartaForm"), d).displayList();
        QCOMPARE(textOf(own, "masa1"), QStringLiteral("49,5"));
        QCOMPARE(textOf(own, "masa4"), QStringLiteral("52,5"));
        QCOMPARE(textOf(own, "diametro4"), QStringLiteral("324"));
        QVERIFY(!Documents::MakeLetter(QStringLiteral("TQCartaCypressForm"), d).displayList().find("masa1"));
    }

    void purposeMarksItsLine()
    {
        const QList<double> tops{238.1, 244.5, 250.8};
        for (int p = 0; p < 3; ++p) {
            const Letter::PrintData d = Sample::letterPrintData(Letter::PurposeFromIndex(p));
            const Report::DisplayList l = Documents::MakeLetter(QStringLiteral("TQCartaForm"), d).displayList();
            const Report::DisplayItem *x = l.find("QRLabelOperacion");
            QVERIFY(x);
            QCOMPARE(x->text, QStringLiteral("X"));
            QVERIFY2(qAbs(x->rect.top() - 14 - tops[p]) < 0.01, qPrintable(QString::number(x->rect.top())));
            // The complete letters name the purpose nowhere.
            QVERIFY(
                !Documents::MakeLetter(QStringLiteral("TQCartaBirchForm"), d).displayList().find("QRLabelOperacion"));
        }
    }

    void letterTexts()
    {
        const Letter::PrintData d = Sample::letterPrintData();
        const Report::DisplayList cypress =
            Documents::MakeLetter(QStringLiteral("TQCartaCypressForm"), d).displayList();
        QCOMPARE(textOf(cypress, "QRLabelFecha"), d.placeAndDate);
        QCOMPARE(textOf(cypress, "QRMemoCentro1"), QStringLiteral("CYPRESS GNC"));
        QCOMPARE(textOf(cypress, "QRLabelTdm"), QStringLiteral("TALLER DEL SUR [T000123]"));
        QCOMPARE(textOf(cypress, "QRLabelPiso"), QStringLiteral("3"));
        QVERIFY(textOf(cypress, "QRTexto2").startsWith(QStringLiteral("            Me dirijo a Ud.")));
        const Report::DisplayList alder = Documents::MakeLetter(QStringLiteral("TQCartaAlderForm"), d).displayList();
        QCOMPARE(textOf(alder, "QRTitulo2"), QStringLiteral("Lugar y Fecha:"));
        QCOMPARE(textOf(alder, "QRTexto1"), d.salutation);
        QCOMPARE(textOf(alder, "QRLabelEmpresa"), d.companyTitle);
        QVERIFY(textOf(alder, "QRTexto3").startsWith(QStringLiteral("Por la presente autorizo la DESTRUCCION")));
        QVERIFY(!alder.find("QRTitulo1"));
        QVERIFY(qAbs(alder.find("QRShapeFirma1")->rect.top() - 10 - 243.4) < 0.01);

        // Without a contact line no empty footer frame; without the PEC's
        // picture file no picture in its place, and never the product's logo.
        Letter::PrintData bare = d;
        bare.contactLine.clear();
        for (const Documents::Entry &e : Documents::Registry()) {
            if (e.document != QLatin1String("letter"))
                continue;
            const Report::DisplayList l = Documents::MakeLetter(e.name, bare).displayList();
            QVERIFY2(!l.find("QRShapePie"), qPrintable(e.name));
            for (const Report::DisplayItem &i : l.items)
                QVERIFY2(!i.text.contains(QLatin1String("layouts/logo.png")), qPrintable(e.name + ": " + i.name));
        }
        QVERIFY(Documents::MakeLetter(QStringLiteral("TQCartaCypressForm"), d).displayList().find("QRShapePie"));
    }

    void buckeyeFollowsEnablementAndTheLogoFile()
    {
        QTemporaryDir dir;
        const QString before = QDir::currentPath();
        QDir::setCurrent(dir.path());
        const Letter::PrintData d = Sample::letterPrintData();
        Report::DisplayList l = Documents::MakeLetter(QStringLiteral("TQCartaBuckeyeForm"), d).displayList();
        QCOMPARE(textOf(l, "QRLabelTaller"), QStringLiteral("T000900"));
        QCOMPARE(textOf(l, "QRLabelDireccionTdM"), QStringLiteral("BV. ILLIA 55 - VILLA MARÍA"));
        QVERIFY(textOf(l, "QRImage1").isEmpty()); // no file: no logo, and the letter still prints
        QVERIFY(!Documents::MakeLetter(QStringLiteral("TQCartaBuckeyeForm"), d).layout().name.isEmpty());
        QImage logo(40, 30, QImage::Format_RGB32);
        logo.fill(Qt::darkGreen);
        QVERIFY(logo.save(dir.filePath("logotarvil.jpg")));
        l = Documents::MakeLetter(QStringLiteral("TQCartaBuckeyeForm"), d).displayList();
        QCOMPARE(textOf(l, "QRImage1"), QFileInfo(dir.filePath("logotarvil.jpg")).absoluteFilePath());
        QDir::setCurrent(before);
    }

    void onlyLettersAreLetters()
    {
        QVERIFY_THROWS_EXCEPTION(
            std::runtime_error, Documents::MakeLetter(QStringLiteral("TQFichaBuckeyeForm"), Sample::letterPrintData()));
        for (const InstallationProfile &p : installationProfiles()) {
            QStringList layouts{p.commitmentLetterLayout};
            layouts += p.letterLayoutByCentre.values();
            layouts.removeAll(QString());
            for (const QString &name : layouts) {
                const Documents::Entry *e = Documents::Find(name);
                QVERIFY2(e && e->document == QLatin1String("letter"), qPrintable(p.name + ": " + name));
            }
        }
    }

    void writesPdfsToLookAt()
    {
        const QString look = qEnvironmentVariable("TARVIL_LOOK_DIR");
        if (look.isEmpty())
            QSKIP("TARVIL_LOOK_DIR not set");
        for (const Documents::Entry &e : Documents::Registry()) {
            if (e.document != QLatin1String("letter"))
                continue;
            QString error;
            QVERIFY2(Documents::MakeLetter(e.name, Sample::letterPrintData(Letter::Purpose::Reinstallation))
                         .exportPdf(QDir(look).filePath(e.name + ".pdf"), &error),
                     qPrintable(error));
        }
    }
};

QTEST_MAIN(TstLetters)
#include "tst_letters.moc"
