// A second workstation for the order-numbering test: saves `count` orders of
// one workshop into the given post-sales database as fast as it can.
//   order_saver <database> <workshop> <count>
#include "data/conversionorderstore.h"
#include "data/dm1.h"
#include "sampleorder.h"
#include "testdb.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4)
        return 2;
    dm1().configure(Conn::PostVenta, {TestDb::host(), args[1], TestDb::user(), TestDb::password(), QString()});
    try {
        for (int i = 0; i < args[3].toInt(); ++i) {
            Orders::ConversionOrder o = sampleOrder(args[2], 2);
            ConversionOrderStore::SaveNew(o);
        }
    } catch (const DbError &e) {
        std::fprintf(stderr, "%s\n", qPrintable(e.text()));
        return 1;
    }
    dm1().closeAll();
    return 0;
}
