// A second workstation for the order-numbering tests: saves `count` orders
// of one workshop into the given post-sales database as fast as it can;
// work orders with "opv".
//   order_saver <database> <workshop> <count> [opv]
#include "data/conversionorderstore.h"
#include "data/dm1.h"
#include "data/workorderstore.h"
#include "sampleorder.h"
#include "sampleworkorder.h"
#include "testdb.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 4 && args.size() != 5)
        return 2;
    const bool workOrders = args.size() == 5 && args[4] == QLatin1String("opv");
    dm1().configure(Conn::PostVenta, {TestDb::host(), args[1], TestDb::user(), TestDb::password(), QString()});
    try {
        for (int i = 0; i < args[3].toInt(); ++i) {
            if (workOrders) {
                WorkOrders::WorkOrder o = sampleWorkOrder(args[2], 2);
                WorkOrderStore::SaveNew(o);
                continue;
            }
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
