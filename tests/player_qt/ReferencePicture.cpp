#include "tests/player_qt/ReferencePicture.h"

#include <cstdlib>

#ifndef PLUME_SOURCE_DIR
#error "PLUME_SOURCE_DIR names the source tree, where the reference pictures are kept"
#endif

bool UpdatingReferences() { return std::getenv("PLUME_UPDATE_REFERENCES") != nullptr; }

::testing::AssertionResult LooksLikeReference(const QImage& shot, const std::string& file, int allowed) {
  const std::string reference = std::string(PLUME_SOURCE_DIR) + "/tests/reference/" + file;
  const QImage actual = shot.convertToFormat(QImage::Format_RGB32);
  if (UpdatingReferences()) {
    if (!actual.save(QString::fromStdString(reference)))
      return ::testing::AssertionFailure() << "cannot write " << reference;
    return ::testing::AssertionSuccess();
  }
  QImage expected(QString::fromStdString(reference));
  if (expected.isNull()) return ::testing::AssertionFailure() << "no reference picture at " << reference;
  expected = expected.convertToFormat(QImage::Format_RGB32);
  if (expected.size() != actual.size())
    return ::testing::AssertionFailure() << file << ": size " << actual.width() << "x" << actual.height()
                                         << ", reference " << expected.width() << "x" << expected.height();
  int differing = 0;
  for (int y = 0; y < actual.height(); ++y)
    for (int x = 0; x < actual.width(); ++x) {
      const QColor a = actual.pixelColor(x, y), b = expected.pixelColor(x, y);
      if (std::abs(a.red() - b.red()) + std::abs(a.green() - b.green()) + std::abs(a.blue() - b.blue()) > 96)
        ++differing;
    }
  if (differing <= allowed) return ::testing::AssertionSuccess();
  // The picture as drawn goes beside the build, for a look at what changed.
  const std::string saved = "plume-actual-" + file;
  actual.save(QString::fromStdString(saved));
  return ::testing::AssertionFailure() << file << ": " << differing << " of " << actual.width() * actual.height()
                                       << " pixels differ (at most " << allowed << " may); drawn picture in " << saved;
}
