// FormatQuantity: grouped integer part and fixed decimals.
#include "stock/quantity_format.h"

#include <cmath>
#include <cstdio>

namespace cb::stock {

std::string FormatQuantity(double value, int decimals) {
  if (decimals < 0) decimals = 0;
  const double scale = std::pow(10.0, decimals);
  // Round half away from zero on the scaled magnitude; the small bias absorbs binary residue
  // such as 1.005 being stored as 1.00499999….
  const double magnitude = std::floor(std::fabs(value) * scale + 0.5 + 1e-9) / scale;
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, magnitude);
  const std::string digits(buffer);
  const size_t point = digits.find('.');
  const std::string whole = digits.substr(0, point);
  std::string grouped;
  for (size_t i = 0; i < whole.size(); ++i) {
    if (i > 0 && (whole.size() - i) % 3 == 0) grouped += ',';
    grouped += whole[i];
  }
  std::string result = (value < 0 && magnitude != 0 ? "-" : "") + grouped;
  if (point != std::string::npos) result += digits.substr(point);
  return result;
}

}  // namespace cb::stock
