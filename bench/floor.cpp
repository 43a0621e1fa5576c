// The least a Qt 6 program with the deck's window can cost: a window of the deck's client
// size with one label, the label rewritten by a 100 ms timer and the title by a 200 ms
// timer, both showing a running time that changes once a second, as the deck's display and
// task-bar text do while it plays. Nothing else: the benchmark compares the deck with it.
#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QTimer>
#include <QWidget>

namespace {

QString TimeText(const QElapsedTimer& clock) {
  const qint64 s = clock.elapsed() / 1000;
  return QStringLiteral("[01]  %1:%2").arg(s / 60, 2, 10, QLatin1Char('0')).arg(s % 60, 2, 10, QLatin1Char('0'));
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QWidget window;
  window.setFixedSize(482, 159);
  window.setWindowTitle(QStringLiteral("floor"));
  QLabel label(&window);
  label.setGeometry(16, 10, 361, 79);

  QElapsedTimer clock;
  clock.start();
  QTimer display, poll;
  // Qt compares with the shown text first, so each changes the window once a second.
  QObject::connect(&display, &QTimer::timeout, [&] { label.setText(TimeText(clock)); });
  QObject::connect(&poll, &QTimer::timeout, [&] { window.setWindowTitle(TimeText(clock)); });
  display.start(100);
  poll.start(200);

  window.show();
  return app.exec();
}
