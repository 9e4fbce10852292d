// Program entry: creates the application and runs its message loop.
#include <QApplication>
#include <QMainWindow>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMainWindow frame;
    frame.setWindowTitle("Vesk Engine - Quillon IDE! Version 3.10 ");
    frame.show();
    return app.exec();
}
