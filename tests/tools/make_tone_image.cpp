// Writes a disc image of sine tones for the sound tests that drive the real program:
//   plume_make_tone_image <folder> [seconds per track] [frequency,frequency,...]
// It prints the path of the CUE sheet it wrote.
#include <cstdlib>
#include <exception>
#include <iostream>
#include <sstream>
#include <string>

#include "tests/support/ToneImage.h"

int main(int argc, char** argv) {
  if (argc < 2 || argc > 4) {
    std::cerr << "usage: " << argv[0] << " <folder> [seconds per track] [Hz,Hz,...]\n";
    return 2;
  }
  tone_image::Layout layout;
  try {
    if (argc > 2) layout.secondsPerTrack = static_cast<unsigned>(std::stoul(argv[2]));
    if (argc > 3) {
      layout.frequencies.clear();
      std::istringstream list(argv[3]);
      std::string item;
      while (std::getline(list, item, ',')) layout.frequencies.push_back(std::stod(item));
    }
    if (layout.secondsPerTrack == 0 || layout.frequencies.empty() || layout.frequencies.size() > 99)
      throw std::invalid_argument("no track or an empty track");
    std::cout << tone_image::Write(argv[1], layout) << '\n';
  } catch (const std::exception& e) {
    std::cerr << argv[0] << ": " << e.what() << '\n';
    return 1;
  }
  return 0;
}
