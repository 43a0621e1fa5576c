#include "platform/qt/QtDiagnostics.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QSaveFile>
#include <QTabWidget>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <memory>

namespace platform::qt {

namespace {

// Tabs and line breaks would split the dump's fields, so they are written as escapes.
QString Clean(QString s) {
  return s.replace('\\', "\\\\").replace('\t', "\\t").replace('\n', "\\n").replace('\r', "\\r");
}

QString Describe(QWidget* w) {
  QStringList f;
  f << w->objectName();
  f << QStringLiteral("class=") + w->metaObject()->className();
  f << QStringLiteral("visible=") + (w->isVisible() ? "1" : "0");
  f << QStringLiteral("enabled=") + (w->isEnabled() ? "1" : "0");
  const QRect g = w->geometry();
  f << QStringLiteral("geometry=%1,%2,%3,%4").arg(g.x()).arg(g.y()).arg(g.width()).arg(g.height());
  if (w->isWindow()) f << QStringLiteral("title=") + Clean(w->windowTitle());
  if (auto* l = qobject_cast<QLabel*>(w)) {
    f << QStringLiteral("text=") + Clean(l->text());
    f << QStringLiteral("color=") + l->palette().color(QPalette::WindowText).name();
  } else if (auto* c = qobject_cast<QCheckBox*>(w)) {
    f << QStringLiteral("text=") + Clean(c->text()) << QStringLiteral("checked=") + (c->isChecked() ? "1" : "0");
  } else if (auto* b = qobject_cast<QAbstractButton*>(w)) {
    f << QStringLiteral("text=") + Clean(b->text());
    f << QStringLiteral("color=") + b->palette().color(QPalette::ButtonText).name();
  } else if (auto* e = qobject_cast<QLineEdit*>(w)) {
    f << QStringLiteral("text=") + Clean(e->text());
  } else if (auto* list = qobject_cast<QListWidget*>(w)) {
    QStringList items, selected;
    for (int i = 0; i < list->count(); ++i) {
      items << Clean(list->item(i)->text());
      if (list->item(i)->isSelected()) selected << QString::number(i);
    }
    f << QStringLiteral("items=") + items.join('|') << QStringLiteral("selected=") + selected.join(',');
  } else if (auto* tabs = qobject_cast<QTabWidget*>(w)) {
    f << QStringLiteral("page=") + QString::number(tabs->currentIndex());
  }
  return f.join('\t');
}

QByteArray Dump() {
  QStringList lines;
  for (QWidget* top : QApplication::topLevelWidgets()) {
    if (auto* box = qobject_cast<QMessageBox*>(top)) {
      if (box->isVisible())
        lines << QStringLiteral("messagebox\ttitle=") + Clean(box->windowTitle()) + "\ttext=" + Clean(box->text());
      continue;
    }
    if (top->objectName().isEmpty()) continue;
    lines << Describe(top);
    for (QWidget* child : top->findChildren<QWidget*>())
      if (!child->objectName().isEmpty() && !child->objectName().startsWith("qt_")) lines << Describe(child);
  }
  return (lines.join('\n') + '\n').toUtf8();
}

class FirstPaint : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Paint && !reported_ && qobject_cast<QWidget*>(watched) &&
        static_cast<QWidget*>(watched)->isWindow()) {
      reported_ = true;
      timespec now{};
      clock_gettime(CLOCK_REALTIME, &now);
      std::fprintf(stderr, "plume: first paint at %lld ns\n",
                   static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
      std::fflush(stderr);
      qApp->removeEventFilter(this);
    }
    return false;
  }

 private:
  bool reported_ = false;
};

}  // namespace

void StartDiagnostics() {
  if (const char* report = std::getenv("PLUME_REPORT_FIRST_PAINT"); report && *report)
    qApp->installEventFilter(new FirstPaint);

  const char* path = std::getenv("PLUME_UI_DUMP");
  if (!path || !*path) return;
  auto* timer = new QTimer(qApp);
  auto last = std::make_shared<QByteArray>();
  const QString file = QString::fromLocal8Bit(path);
  QObject::connect(timer, &QTimer::timeout, [last, file] {
    const QByteArray now = Dump();
    if (now == *last) return;
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly)) return;
    out.write(now);
    if (out.commit()) *last = now;
  });
  timer->start(100);
}

}  // namespace platform::qt
