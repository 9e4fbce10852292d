// Program entry: initialises the application, creates its windows and runs the message loop
// until the frame window closes. The command line is not examined.
#include <QApplication>

#include "app/application.h"

int main(int argc, char** argv) {
    QApplication qtApplication(argc, argv);
    QApplication::setApplicationName("Quillon IDE");
    Application application;
    application.Show();
    return QApplication::exec();
}
