#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName("KIVO");
    QWidget window;
    window.setWindowTitle("KIVO");
    window.setFixedSize(1020, 735);
    window.show();
    return QApplication::exec();
}
