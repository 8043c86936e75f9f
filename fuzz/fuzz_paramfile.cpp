// The parameter file's section readers over any INI text. Input: two bytes of section mask, then the file.
//
// Checks: reading is deterministic; whatever was read, the file the program writes from it reads back without
// a section error, and after that first save a save and load changes nothing.

#include <string>

#include "base/ini_file.h"
#include "fuzz_support.h"
#include "paramfile/parameter_file.h"

namespace {

std::string written(const gw::TParametres& image, gw::SectionMask mask) {
  gw::IniFile ini;
  gw::writeParameterSections(image, ini, mask);
  return ini.text();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  gw::fuzz::Input in(data, size);
  const unsigned high = in.byte();
  const gw::SectionMask mask(((high << 8) | in.byte()) & static_cast<unsigned>(gw::ParamSection::All));
  const gw::IniFile ini = gw::IniFile::fromText(in.rest());

  gw::TParametres first;
  int failedSections = 0;
  const bool read = gw::readParameterSections(
      first, ini, mask, [&](gw::ParamSection, const std::string&) { ++failedSections; });
  FUZZ_CHECK(read == (failedSections == 0));
  gw::TParametres second;
  FUZZ_CHECK(gw::readParameterSections(second, ini, mask) == read);
  FUZZ_CHECK(first == second);

  // The first save may lose what a file cannot hold (blanks at the end of a line are not read back); from
  // then on a save and load keeps the image as it is.
  gw::TParametres reread;
  FUZZ_CHECK(gw::readParameterSections(reread, gw::IniFile::fromText(written(first, mask)), mask));
  const std::string text = written(reread, mask);
  gw::TParametres again;
  FUZZ_CHECK(gw::readParameterSections(again, gw::IniFile::fromText(text), mask));
  FUZZ_CHECK(again == reread);
  FUZZ_CHECK(written(again, mask) == text);
  return 0;
}
