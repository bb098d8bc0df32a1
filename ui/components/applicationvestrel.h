#pragma once
// The program's application object: an exception that escapes an event
// handler ends only the current command; the general error report shows it
// and the program goes on.
#include <QApplication>

class ApplicationVestrel : public QApplication {
    Q_OBJECT
public:
    ApplicationVestrel(int &argc, char **argv);
    bool notify(QObject *destinataire, QEvent *e) override;
};
