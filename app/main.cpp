// Orvex: the main window is not built yet; this placeholder says so.
#include <QApplication>
#include <QMessageBox>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QMessageBox::information(nullptr, "Orvex",
                             "Orvex is being built: the main window is not there yet.");
    return 0;
}
