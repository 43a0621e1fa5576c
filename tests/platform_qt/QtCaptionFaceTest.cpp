// The caption faces: the IPA faces cut down at build time to the program's own texts. They must
// draw those texts exactly as the whole faces do, hand every other character to the whole face,
// and be found where the build and an install put them.
#include <gtest/gtest.h>

#include <QFile>
#include <QFontDatabase>
#include <QGlyphRun>
#include <QImage>
#include <QPainter>
#include <QRawFont>
#include <QRegularExpression>
#include <QTextLayout>
#include <filesystem>
#include <fstream>
#include <set>
#include <unistd.h>

#include "platform/qt/QtFonts.h"
#include "platform/ui/Peers.h"

namespace {

namespace fs = std::filesystem;

struct Pair {
  QString cut;
  QString whole;
  const char* face;  // as the window descriptions name it
};

const Pair kPairs[] = {{QStringLiteral("Plume PGothic"), QStringLiteral("IPAPGothic"), "ＭＳ Ｐゴシック"},
                       {QStringLiteral("Plume PMincho"), QStringLiteral("IPAPMincho"), "ＭＳ Ｐ明朝"}};

std::string Self() { return fs::read_symlink("/proc/self/exe").string(); }

bool Listed(const QString& family) { return QFontDatabase::families().contains(family); }

// Every quoted text of the window descriptions, and every character height they ask for.
struct FormTexts {
  QStringList texts;
  std::set<int> heights;
};

FormTexts ReadForms() {
  FormTexts out;
  const QRegularExpression quoted(QStringLiteral("'((?:[^']|'')*)'"));
  const QRegularExpression height(QStringLiteral("Font\\.Height = -(\\d+)"));
  for (const auto& entry : fs::directory_iterator(fs::path(PLUME_SOURCE_DIR) / "resources" / "forms")) {
    QFile file(QString::fromStdString(entry.path().string()));
    if (!file.open(QIODevice::ReadOnly)) continue;
    const QString text = QString::fromUtf8(file.readAll());
    for (auto it = quoted.globalMatch(text); it.hasNext();) {
      QString t = it.next().captured(1).replace(QStringLiteral("''"), QStringLiteral("'"));
      if (!t.trimmed().isEmpty() && !t.endsWith(QStringLiteral(".bmp"))) out.texts << t;
    }
    for (auto it = height.globalMatch(text); it.hasNext();) out.heights.insert(it.next().captured(1).toInt());
  }
  return out;
}

QImage Draw(const QString& family, int pixels, bool bold, const QString& text) {
  QFont font;
  font.setFamilies({family});
  font.setPixelSize(pixels);
  font.setBold(bold);
  font.setHintingPreference(QFont::PreferFullHinting);
  QImage image(640, pixels * 2 + 8, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter p(&image);
  p.setFont(font);
  p.setPen(Qt::black);
  p.drawText(4, pixels + 4, text);
  return image;
}

}  // namespace

TEST(QtCaptionFaceTest, TheWindowsTextsLookAsInTheWholeFaces) {
  if (platform::qt::CaptionFaceFiles(Self()).empty()) GTEST_SKIP() << "built without the caption faces";
  const FormTexts forms = ReadForms();
  ASSERT_GT(forms.texts.size(), 40);
  ASSERT_TRUE(forms.heights.count(12));
  for (const Pair& pair : kPairs) {
    if (!Listed(pair.whole)) continue;
    ASSERT_TRUE(Listed(pair.cut)) << pair.cut.toStdString();
    // The face the windows ask for is the cut.
    EXPECT_EQ(platform::qt::MakeQFont(platform::ui::FontSpec{pair.face, 12}).families(), QStringList{pair.cut});
    const QRawFont cut = QRawFont::fromFont([&] {
      QFont f;
      f.setFamilies({pair.cut});
      f.setPixelSize(12);
      return f;
    }());
    ASSERT_EQ(cut.familyName(), pair.cut);
    for (const QString& text : forms.texts) {
      for (const QChar c : text) {
        if (c.isSpace() || c.isSurrogate()) continue;
        EXPECT_TRUE(cut.supportsCharacter(c)) << text.toStdString();
      }
      for (const int px : forms.heights)
        for (const bool bold : {false, true})
          EXPECT_EQ(Draw(pair.cut, px, bold, text), Draw(pair.whole, px, bold, text))
              << pair.cut.toStdString() << " " << px << "px" << (bold ? " bold" : "") << ": " << text.toStdString();
    }
  }
}

TEST(QtCaptionFaceTest, OtherCharactersComeFromTheWholeFace) {
  if (platform::qt::CaptionFaceFiles(Self()).empty()) GTEST_SKIP() << "built without the caption faces";
  // A disc title: Latin letters and kana are in the cut, the rarer kanji are not.
  const QString title = QStringLiteral("Track 7 ゆううつ 鬱金香");
  int tried = 0;
  for (const Pair& pair : kPairs) {
    if (!Listed(pair.whole)) continue;
    ++tried;
    const QFont font = platform::qt::MakeQFont(platform::ui::FontSpec{pair.face, 13});
    QTextLayout layout(title, font);
    layout.beginLayout();
    layout.createLine();
    layout.endLayout();
    QStringList faces;
    qsizetype glyphs = 0;
    for (const QGlyphRun& run : layout.glyphRuns()) {
      faces << run.rawFont().familyName();
      glyphs += run.glyphIndexes().size();
    }
    faces.sort();
    EXPECT_EQ(faces, (QStringList{pair.whole, pair.cut}));
    EXPECT_EQ(glyphs, title.size());
    // And the whole line looks as it does in the whole face.
    QFont whole;
    whole.setFamilies({pair.whole});
    whole.setPixelSize(13);
    whole.setHintingPreference(QFont::PreferFullHinting);
    QImage mixed(400, 30, QImage::Format_RGB32), alone(400, 30, QImage::Format_RGB32);
    for (auto [image, f] : {std::pair{&mixed, font}, std::pair{&alone, whole}}) {
      image->fill(Qt::white);
      QPainter p(image);
      p.setFont(f);
      p.drawText(2, 20, title);
    }
    EXPECT_EQ(mixed, alone) << pair.cut.toStdString();
  }
  if (!tried) GTEST_SKIP() << "the IPA faces are not installed";
}

TEST(QtCaptionFaceTest, TheFacesAreFoundBesideTheProgramOrUnderShare) {
  const fs::path root = fs::temp_directory_path() / ("plume-faces-" + std::to_string(::getpid()));
  fs::remove_all(root);
  const auto touch = [](const fs::path& p) {
    fs::create_directories(p.parent_path());
    std::ofstream(p) << "x";
  };
  // Neither folder: none.
  fs::create_directories(root / "bin");
  EXPECT_TRUE(platform::qt::CaptionFaceFiles((root / "bin" / "plume").string()).empty());
  // Installed: bin/plume finds share/plume/fonts, and only the faces it knows.
  touch(root / "share" / "plume" / "fonts" / "plume-pmincho.ttf");
  touch(root / "share" / "plume" / "fonts" / "other.ttf");
  EXPECT_EQ(platform::qt::CaptionFaceFiles((root / "bin" / "plume").string()),
            std::vector<std::string>{(root / "share" / "plume" / "fonts" / "plume-pmincho.ttf").string()});
  // In the build folder the faces beside the program come first.
  touch(root / "bin" / "fonts" / "plume-pgothic.ttf");
  touch(root / "bin" / "fonts" / "plume-pmincho.ttf");
  EXPECT_EQ(platform::qt::CaptionFaceFiles((root / "bin" / "plume").string()),
            (std::vector<std::string>{(root / "bin" / "fonts" / "plume-pgothic.ttf").string(),
                                      (root / "bin" / "fonts" / "plume-pmincho.ttf").string()}));
  fs::remove_all(root);
}
