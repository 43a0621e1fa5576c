#include "platform/qt/QtFonts.h"

#include <QFontDatabase>
#include <QHash>
#include <QStringList>
#include <algorithm>
#include <cstdlib>

#include "platform/qt/QtConversions.h"

namespace platform::qt {

namespace {

enum class JapaneseFace { None, Gothic, Mincho };

// Compares without regard to case, and with full-width letters read as the ordinary ones,
// so "ＭＳ Ｐゴシック" and "MS Pゴシック" are the same face, as they are to the original system.
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

QString InstalledFamily(const QString& name, const QStringList& families) {
  const QString wanted = Folded(name);
  for (const QString& f : families)
    if (Folded(f) == wanted) return f;
  return QString();
}

// A face with Japanese glyphs, of the same kind (gothic or mincho) where there is one.
QString AnyJapaneseFamily(JapaneseFace kind) {
  const QStringList japanese = QFontDatabase::families(QFontDatabase::Japanese);
  const QStringList hints = kind == JapaneseFace::Mincho
                                ? QStringList{QStringLiteral("mincho"), QStringLiteral("明朝")}
                                : QStringList{QStringLiteral("gothic"), QStringLiteral("ゴシック")};
  for (const QString& f : japanese)
    for (const QString& h : hints)
      if (f.contains(h, Qt::CaseInsensitive)) return f;
  return japanese.isEmpty() ? QString() : japanese.front();
}

QString Resolve(const QString& face) {
  if (face.trimmed().isEmpty()) return QString();
  const QStringList families = QFontDatabase::families();
  if (QString installed = InstalledFamily(face, families); !installed.isEmpty()) return installed;
  const JapaneseFace kind = Classify(face);
  // Other faces are left to fontconfig, whose own substitutes suit Western names well.
  if (kind == JapaneseFace::None) return face;
  const QString ipa = kind == JapaneseFace::Gothic ? QStringLiteral("IPAPGothic") : QStringLiteral("IPAPMincho");
  if (QString installed = InstalledFamily(ipa, families); !installed.isEmpty()) return installed;
  return AnyJapaneseFamily(kind);
}

}  // namespace

QString ResolveFontFamily(const std::string& name) {
  // The font database is slow to ask and the windows use a handful of faces, so each name
  // is resolved once.
  static QHash<QString, QString> cache;
  const QString face = ToQString(name);
  auto it = cache.constFind(face);
  if (it != cache.constEnd()) return *it;
  const QString family = Resolve(face);
  cache.insert(face, family);
  return family;
}

QFont MakeQFont(const ui::FontSpec& wanted) {
  QFont font;
  const QString family = ResolveFontFamily(wanted.name);
  if (!family.isEmpty()) font.setFamilies({family});
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
