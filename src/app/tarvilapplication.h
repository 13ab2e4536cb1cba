#pragma once

#include <QApplication>

// The program's application object. Every event (a click, a key, a timer)
// reaches its handler through notify(); an exception a handler lets out ends
// there, in the standard error dialog, instead of ending the program. The
// window stays as it was when the action failed.
class TarvilApplication : public QApplication
{
    Q_OBJECT
public:
    TarvilApplication(int &argc, char **argv);
    bool notify(QObject *receiver, QEvent *event) override;

    // The text the error dialog shows for the exception being handled.
    static QString describeCurrentException();
};
