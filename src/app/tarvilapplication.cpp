#include "app/tarvilapplication.h"

#include "data/dberror.h"
#include "widgets/messages.h"

#include <QWidget>
#include <exception>

TarvilApplication::TarvilApplication(int &argc, char **argv) : QApplication(argc, argv) {}

bool TarvilApplication::notify(QObject *receiver, QEvent *event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (...) {
        const QString text = describeCurrentException();
        // The window the operator was working in owns the message.
        QWidget *parent = QApplication::activeModalWidget();
        if (!parent)
            parent = QApplication::activeWindow();
        // A statement's hourglass must not outlive its failure.
        while (QApplication::overrideCursor())
            QApplication::restoreOverrideCursor();
        Msg::error(parent, text);
        return false;
    }
}

QString TarvilApplication::describeCurrentException()
{
    try {
        throw;
    } catch (const DbError &e) {
        return e.text(); // the database client's own text
    } catch (const std::bad_alloc &) {
        return QString::fromUtf8("No hay memoria suficiente para completar la acción.");
    } catch (const std::exception &e) {
        return QString::fromUtf8("La acción no pudo completarse: %1").arg(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        return QString::fromUtf8("La acción no pudo completarse por un error inesperado.");
    }
}
