// Settings file: what is read writes back to a file that reads the same, and a
// position survives its text form.
#include <cmath>
#include <cstdint>
#include <initializer_list>

#include "formats/settings_file.h"
#include "fuzz_check.h"

using namespace quillby;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const auto values = readSettings(BytesView(reinterpret_cast<const char*>(data), size));
  require(readSettings(encodeSettings(values)) == values, "written settings read back");
  const TwipsPlace place = values.place();
  for (const double twips : {place.left, place.top}) {
    require(std::isfinite(twips), "a position is a finite number");
    const double again = numericValue(positionText(twips));
    require(std::fabs(again - twips) <= 1e-14 * std::fabs(twips) + 1e-14,
            "a position keeps its value through its text");
  }
  return 0;
}
