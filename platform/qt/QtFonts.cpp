#include "platform/qt/QtFonts.h"

#include <QHash>
#include <QStringList>
#include <algorithm>
#include <cstdlib>

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

JapaneseFace Classify(const QString& name) {
  static const QStringList gothic = {QStringLiteral("ms pゴシック"), QStringLiteral("ms ゴシック"),
                                     QStringLiteral("ms pgothic"), QStringLiteral("ms gothic")};
  static const QStringList mincho = {QStringLiteral("ms p明朝"), QStringLiteral("ms 明朝"),
                                     QStringLiteral("ms pmincho"), QStringLiteral("ms mincho")};
  const QString n = Folded(name);
  if (gothic.contains(n)) return JapaneseFace::Gothic;
  if (mincho.contains(n)) return JapaneseFace::Mincho;
  return JapaneseFace::None;
}

}  // namespace

QStringList FontFamiliesFor(const std::string& name) {
  const QString face = ToQString(name).trimmed();
  if (face.isEmpty()) return {};
  QStringList families{face};
  if (const QString plain = Folded(face); plain.compare(face, Qt::CaseInsensitive) != 0) families << plain;
  switch (Classify(face)) {
    case JapaneseFace::Gothic:
      families << QStringLiteral("IPAPGothic") << QStringLiteral("IPAGothic") << QStringLiteral("Noto Sans CJK JP")
               << QStringLiteral("Source Han Sans JP") << QStringLiteral("VL PGothic");
      break;
    case JapaneseFace::Mincho:
      families << QStringLiteral("IPAPMincho") << QStringLiteral("IPAMincho") << QStringLiteral("Noto Serif CJK JP")
               << QStringLiteral("Source Han Serif JP");
      break;
    case JapaneseFace::None: break;  // fontconfig's own substitutes suit Western names well
  }
  return families;
}

QFont MakeQFont(const ui::FontSpec& wanted) {
  // Qt takes the first of the families that is installed when the font is first used:
  // choosing here would load the whole font database before the first window is up. The
  // windows use a handful of faces, and drawing makes fonts all the time, so each face's
  // families are worked out once.
  static QHash<QString, QFont> faces;
  const QString name = ToQString(wanted.name);
  auto it = faces.constFind(name);
  if (it == faces.constEnd()) {
    QFont face;
    if (const QStringList families = FontFamiliesFor(wanted.name); !families.isEmpty()) {
      face.setFamilies(families);
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

}  // namespace platform::qt
