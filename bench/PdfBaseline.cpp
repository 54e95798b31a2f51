// The smallest PDF job worth comparing with: one Letter page with one line of text.
#include <QGuiApplication>
#include <QPainter>
#include <QPdfWriter>

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QPdfWriter pdf(QString::fromLocal8Bit(argv[1]));
    pdf.setResolution(600);
    pdf.setPageSize(QPageSize(QPageSize::Letter));
    QPainter painter(&pdf);
    painter.setFont(QFont("Liberation Sans", 10));
    painter.drawText(600, 600, "KIVO Score Report");
    return painter.end() ? 0 : 1;
}
