#include "platform/qt/QtFonts.h"

#include <QFontDatabase>
#include <QHash>
#include <QStringList>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#if PLUME_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

#include "platform/qt/QtConversions.h"

namespace platform::qt {

namespace {

enum class JapaneseFace { None, Gothic, Mincho };

// A face name without regard to case, and with full-width letters read as the ordinary
// ones, so "ＭＳ Ｐゴシック" and "MS Pゴシック" are the same face, as they are to the original
// system.
QString Folded(const QString& name) {
  return name.normalized(QString::NormalizationForm_KC).simplified().toCaseFolded();
}

// The Japanese faces the window descriptions may name, each under both its spellings (the
// Japanese one folded), with the kind of face that stands in for it.
struct KnownFace {
  QString japanese;
  QString english;
  JapaneseFace kind;
};

const KnownFace* Known(const QString& name) {
  static const KnownFace faces[] = {
      {QStringLiteral("ms pゴシック"), QStringLiteral("MS PGothic"), JapaneseFace::Gothic},
      {QStringLiteral("ms ゴシック"), QStringLiteral("MS Gothic"), JapaneseFace::Gothic},
      {QStringLiteral("ms p明朝"), QStringLiteral("MS PMincho"), JapaneseFace::Mincho},
      {QStringLiteral("ms 明朝"), QStringLiteral("MS Mincho"), JapaneseFace::Mincho}};
  const QString n = Folded(name);
  for (const KnownFace& face : faces)
    if (n == face.japanese || n.compare(face.english, Qt::CaseInsensitive) == 0) return &face;
  return nullptr;
}

JapaneseFace Classify(const QString& name) {
  const KnownFace* known = Known(name);
  return known ? known->kind : JapaneseFace::None;
}

// The caption faces: the IPA faces cut down at build time to the characters of the player's
// own texts (tools/make_caption_fonts.py), with the same glyphs, metrics and hinting. The
// program opens these small files instead of the whole faces, and the whole face follows its
// cut for any other character.
struct CaptionFace {
  const char* file;
  QLatin1String family;
  QLatin1String whole;
};
constexpr CaptionFace kCaptionFaces[] = {
    {"plume-pgothic.ttf", QLatin1String("Plume PGothic"), QLatin1String("IPAPGothic")},
    {"plume-pmincho.ttf", QLatin1String("Plume PMincho"), QLatin1String("IPAPMincho")},
};

}  // namespace

QStringList FontFamiliesFor(const std::string& name) {
  const QString face = ToQString(name).trimmed();
  if (face.isEmpty()) return {};
  QStringList families{face};
  const QString plain = Folded(face);
  if (plain.compare(face, Qt::CaseInsensitive) != 0) families << plain;
  const KnownFace* known = Known(face);
  if (known && !families.contains(known->english, Qt::CaseInsensitive)) families << known->english;
  switch (known ? known->kind : JapaneseFace::None) {
    case JapaneseFace::Gothic:
      families << kCaptionFaces[0].family << QStringLiteral("IPAPGothic") << QStringLiteral("IPAGothic")
               << QStringLiteral("Noto Sans CJK JP") << QStringLiteral("Source Han Sans JP")
               << QStringLiteral("VL PGothic");
      break;
    case JapaneseFace::Mincho:
      families << kCaptionFaces[1].family << QStringLiteral("IPAPMincho") << QStringLiteral("IPAMincho")
               << QStringLiteral("Noto Serif CJK JP") << QStringLiteral("Source Han Serif JP");
      break;
    case JapaneseFace::None: break;  // fontconfig's own substitutes suit Western names well
  }
  return families;
}

// The first of the families that Qt's font database lists. hasFamily() would do, but it
// asks fontconfig to substitute each name it is given, which costs more than the list. A
// caption face goes alone too: fontconfig has been told that its whole face comes first
// behind it (see FontConfigurationLoader), so Qt finds the whole face for the characters the
// cut does not hold, and asks for it only when a text needs one.
QStringList FirstInstalled(const QStringList& families) {
  const QStringList installed = QFontDatabase::families();
  for (const QString& family : families)
    if (installed.contains(family, Qt::CaseInsensitive)) return {family};
  return families;
}

QFont MakeQFont(const ui::FontSpec& wanted) {
  // Qt is given the first of the families that is installed, alone. Given the whole list, it
  // would ask fontconfig for stand-ins for each family before the installed one, and for
  // fallbacks for the rest, for every script a text uses: more than the font itself costs.
  // When none is installed, the list goes to Qt, and fontconfig finds a stand-in. The
  // windows use a handful of faces, and drawing makes fonts all the time, so each face's
  // families are worked out once.
  static QHash<QString, QFont> faces;
  const QString name = ToQString(wanted.name);
  auto it = faces.constFind(name);
  if (it == faces.constEnd()) {
    QFont face;
    if (const QStringList families = FontFamiliesFor(wanted.name); !families.isEmpty()) {
      face.setFamilies(FirstInstalled(families));
      if (Classify(name) == JapaneseFace::Mincho) face.setStyleHint(QFont::Serif);
    }
    it = faces.insert(name, face);
  }
  QFont font = *it;
  font.setPixelSize(std::max(1, std::abs(wanted.height)));
  font.setBold(wanted.bold);
  font.setItalic(wanted.italic);
  font.setUnderline(wanted.underline);
  font.setStrikeOut(wanted.strikeOut);
  // The windows use small text at fixed pixel sizes; full hinting keeps it crisp.
  font.setHintingPreference(QFont::PreferFullHinting);
  return font;
}

std::vector<std::string> CaptionFaceFiles(const std::string& program) {
  namespace fs = std::filesystem;
  std::error_code error;
  const fs::path dir = fs::path(program).parent_path();
  // Beside the program in the build folder; under share/ once installed.
  for (const fs::path& fonts : {dir / "fonts", dir / ".." / "share" / "plume" / "fonts"}) {
    std::vector<std::string> files;
    for (const CaptionFace& face : kCaptionFaces)
      if (fs::is_regular_file(fonts / face.file, error))
        files.push_back((fonts / face.file).lexically_normal().string());
    if (!files.empty()) return files;
  }
  return {};
}

FontConfigurationLoader::FontConfigurationLoader() {
#if PLUME_HAVE_FONTCONFIG
  // fontconfig keeps one configuration for the process; whoever asks first loads it, and
  // Qt's own FcInit() then finds it loaded. The caption faces join it as the program's own
  // fonts, so Qt's font database lists them with the installed ones.
  thread_ = std::thread([] {
    FcInit();
    std::error_code error;
    const std::string program = std::filesystem::read_symlink("/proc/self/exe", error).string();
    if (error) return;
    const std::vector<std::string> files = CaptionFaceFiles(program);
    for (const std::string& file : files)
      FcConfigAppFontAddFile(nullptr, reinterpret_cast<const FcChar8*>(file.c_str()));
    if (files.empty()) return;
    // Each cut names its whole face as the first face behind it. Qt asks fontconfig for the
    // faces behind a font the first time a text holds a character the font lacks; handed the
    // pair instead, it would ask at once for every font made, which costs a few milliseconds
    // before the first window can be drawn.
    std::string rules = "<?xml version=\"1.0\"?><!DOCTYPE fontconfig SYSTEM \"urn:fontconfig:fonts.dtd\"><fontconfig>";
    for (const CaptionFace& face : kCaptionFaces)
      rules += "<alias binding=\"strong\"><family>" + std::string(face.family.data(), face.family.size()) +
               "</family><accept><family>" + std::string(face.whole.data(), face.whole.size()) +
               "</family></accept></alias>";
    rules += "</fontconfig>";
    FcConfigParseAndLoadFromMemory(FcConfigGetCurrent(), reinterpret_cast<const FcChar8*>(rules.c_str()), FcFalse);
  });
#endif
}

FontConfigurationLoader::~FontConfigurationLoader() { Finish(); }

void FontConfigurationLoader::Finish() {
  if (thread_.joinable()) thread_.join();
}

}  // namespace platform::qt
