// The floor for the window program's start: a bare Qt window with one text
// button, built with the same compiler and flags. Nothing that starts a Qt
// window can open faster.
#include <QApplication>
#include <QPushButton>
#include <QWidget>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QWidget window;
  window.setWindowTitle(QStringLiteral("Floor"));
  window.resize(331, 142);
  QPushButton button(QStringLiteral("Compare"), &window);
  button.setGeometry(186, 98, 100, 25);
  window.show();
  return QApplication::exec();
}
