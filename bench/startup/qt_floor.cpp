// The floor Qt itself sets: the smallest Qt Widgets program with a window
// holding one line edit. Start-up time and memory of Vantrel are read against it.
#include <QApplication>
#include <QLineEdit>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Qt floor"));
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(new QLineEdit(&window));
    window.show();
    return app.exec();
}
