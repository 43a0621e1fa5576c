#include <QAbstractButton>
#include <QFontDatabase>
#include <QFontInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QProcess>
#include <QScreen>
#include <QStandardPaths>
#include <QTimer>

#include "platform/qt/QtFonts.h"
#include "platform/qt/QtFormPeer.h"
#include "platform/ui/Windows.h"
#include "tests/platform_qt/QtPeerFixture.h"

using namespace platform::ui;

// The family the windows' Gothic and Mincho texts come out in: the program's cut of the IPA
// face when it was built with them, else the IPA face itself.
QString IpaStandIn(const QString& cut, const QString& whole) {
  return QFontDatabase::families().contains(cut) ? cut : whole;
}

TEST(QtFontsTest, JapaneseFacesFallBackToTheIpaFaces) {
  if (!QFontDatabase::families().contains(QStringLiteral("IPAPGothic")))
    GTEST_SKIP() << "fonts-ipafont-gothic is not installed";
  const auto family = [](const char* face) { return QFontInfo(platform::qt::MakeQFont(FontSpec{face, 12})).family(); };
  const QString gothic = IpaStandIn(QStringLiteral("Plume PGothic"), QStringLiteral("IPAPGothic"));
  EXPECT_EQ(family("ＭＳ Ｐゴシック"), gothic);
  EXPECT_EQ(family("MS PGothic"), gothic);
  EXPECT_EQ(family("ｍｓ　ｐゴシック"), gothic);
  if (QFontDatabase::families().contains(QStringLiteral("IPAPMincho"))) {
    EXPECT_EQ(family("ＭＳ Ｐ明朝"), IpaStandIn(QStringLiteral("Plume PMincho"), QStringLiteral("IPAPMincho")));
  }
  // Installed faces are used as they are; the same name twice is the same font.
  EXPECT_EQ(family("IPAPGothic"), QStringLiteral("IPAPGothic"));
  EXPECT_EQ(family("DejaVu Sans"), QStringLiteral("DejaVu Sans"));
  EXPECT_EQ(family("IPAPGothic"), QStringLiteral("IPAPGothic"));
  // No name means Qt's default face.
  EXPECT_TRUE(platform::qt::FontFamiliesFor("").isEmpty());
  EXPECT_TRUE(platform::qt::FontFamiliesFor("  ").isEmpty());

  const QFont font = platform::qt::MakeQFont(FontSpec{"ＭＳ Ｐゴシック", 12, true});
  const QFontInfo info(font);
  EXPECT_EQ(info.family(), gothic);
  EXPECT_EQ(info.pixelSize(), 12);
  EXPECT_TRUE(info.bold());
  // The style of one font does not stay with the face for the next.
  EXPECT_FALSE(QFontInfo(platform::qt::MakeQFont(FontSpec{"ＭＳ Ｐゴシック", 12})).bold());
}

TEST(QtFontsTest, QtIsGivenOnlyTheFirstInstalledFamily) {
  const QStringList installed = QFontDatabase::families();
  if (!installed.contains(QStringLiteral("IPAPGothic"))) GTEST_SKIP() << "fonts-ipafont-gothic is not installed";
  if (installed.contains(QStringLiteral("MS PGothic"), Qt::CaseInsensitive))
    GTEST_SKIP() << "the face itself is installed";
  // The names in the order they are tried: the face, its plain and English spellings, then
  // the stand-ins.
  const QStringList families = platform::qt::FontFamiliesFor("ＭＳ Ｐゴシック");
  ASSERT_GE(families.size(), 5);
  EXPECT_EQ(families.mid(1, 4), (QStringList{QStringLiteral("ms pゴシック"), QStringLiteral("MS PGothic"),
                                             QStringLiteral("Plume PGothic"), QStringLiteral("IPAPGothic")}));
  // Qt is given the stand-in alone, so it looks for no stand-ins of its own.
  EXPECT_EQ(platform::qt::MakeQFont(FontSpec{"ＭＳ Ｐゴシック", 12}).families(),
            QStringList{IpaStandIn(QStringLiteral("Plume PGothic"), QStringLiteral("IPAPGothic"))});
  // A face that is not installed at all goes to Qt as it is, for fontconfig to substitute.
  EXPECT_EQ(platform::qt::MakeQFont(FontSpec{"No Such Face 7", 12}).families(),
            QStringList{QStringLiteral("No Such Face 7")});
}

TEST_F(QtPeerTest, MessageBoxShowsTheIconAndAnswersWithTheButtonPressed) {
  ShowForm();
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  int buttons = 0;
  QString text;
  auto answer = [&](QMessageBox::StandardButton which) {
    QTimer::singleShot(0, [&, which] {
      auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
      if (!box) return;
      icon = box->icon();
      buttons = static_cast<int>(box->buttons().size());
      text = box->text();
      box->button(which)->click();
    });
  };
  answer(QMessageBox::Cancel);
  EXPECT_EQ(backend.MessageBox(form.get(), "ディスクがありません", "エラー", MB_OKCANCEL | MB_ICONERROR), IDCANCEL);
  EXPECT_EQ(icon, QMessageBox::Critical);
  EXPECT_EQ(buttons, 2);
  EXPECT_EQ(text, QStringLiteral("ディスクがありません"));

  answer(QMessageBox::Ok);
  EXPECT_EQ(backend.MessageBox(nullptr, "<b>1 & 2</b>", "情報", MB_OK | MB_ICONINFORMATION), IDOK);
  EXPECT_EQ(icon, QMessageBox::Information);
  EXPECT_EQ(buttons, 1);
  EXPECT_EQ(text, QStringLiteral("<b>1 & 2</b>"));
}

TEST_F(QtPeerTest, ScreensAreWorkAreasWithExclusiveEdges) {
  const auto screens = backend.Screens();
  ASSERT_EQ(screens.size(), static_cast<std::size_t>(QGuiApplication::screens().size()));
  ASSERT_FALSE(screens.empty());
  const QRect r = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_EQ(screens[0], (std::array<int, 4>{r.x(), r.y(), r.x() + r.width(), r.y() + r.height()}));
}

TEST_F(QtPeerTest, ApplicationTitleNamesTheMainWindowsTaskBarEntryApartFromItsCaption) {
  backend.SetApplicationTitle("CDプレーヤー");
  form->SetText("再生中 - トラック 1");
  backend.SetMainWindow(form.get());
  EXPECT_EQ(backend.MainWindow(), dynamic_cast<platform::qt::QtFormPeer*>(form.get()));
  ShowForm();
  EXPECT_EQ(WidgetOf(form)->windowTitle(), QStringLiteral("再生中 - トラック 1"));
  // Going, the main window leaves no dangling pointer behind.
  auto other = backend.CreateForm(&handler);
  backend.SetMainWindow(other.get());
  other.reset();
  EXPECT_EQ(backend.MainWindow(), nullptr);
  backend.SetMainWindow(form.get());

  // Only an X server holds the icon name; read it back the way the end-to-end tests do.
  const QString xprop = QStandardPaths::findExecutable(QStringLiteral("xprop"));
  if (QGuiApplication::platformName() != QLatin1String("xcb") || xprop.isEmpty())
    GTEST_SKIP() << "the icon name is an X11 property";
  QProcess p;
  p.start(xprop, {QStringLiteral("-id"), QString::number(WidgetOf(form)->winId()), QStringLiteral("WM_ICON_NAME"),
                  QStringLiteral("_NET_WM_ICON_NAME"), QStringLiteral("_NET_WM_NAME")});
  ASSERT_TRUE(p.waitForFinished(5000));
  const QString out = QString::fromUtf8(p.readAllStandardOutput());
  EXPECT_TRUE(out.contains(QStringLiteral("WM_ICON_NAME(UTF8_STRING) = \"CDプレーヤー\""))) << out.toStdString();
  EXPECT_TRUE(out.contains(QStringLiteral("_NET_WM_ICON_NAME(UTF8_STRING) = \"CDプレーヤー\""))) << out.toStdString();
  EXPECT_TRUE(out.contains(QStringLiteral("_NET_WM_NAME(UTF8_STRING) = \"再生中 - トラック 1\""))) << out.toStdString();
}
