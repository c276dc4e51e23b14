// Maps T-SQL types to native declarations chosen for their affinity, and reads them back.
#include "platform/tsql/type_map.h"

#include <cstdlib>

#include "platform/tsql/functions.h"
#include "platform/tsql/text_case.h"

namespace cb::tsql {

std::string NativeType(const SqlType& type) {
  if (IsIntegerType(type) || type.name == "BIT") return type.name;
  if (type.name == "MONEY") return "DECIMAL_REAL(19,4)";
  if (IsDecimalType(type)) {
    int precision = type.length >= 0 ? type.length : 18;
    int scale = type.scale >= 0 ? type.scale : 0;
    return "DECIMAL_REAL(" + std::to_string(precision) + "," + std::to_string(scale) + ")";
  }
  if (IsFloatType(type)) return "REAL";
  if (type.name == "TEXT" || type.name == "NTEXT") return "TEXT";
  if (IsCharacterType(type)) {
    return type.length >= 0 ? type.name + "(" + std::to_string(type.length) + ")" : type.name;
  }
  return "DATETIME_TEXT";
}

bool IsExactDeclared(std::string_view declared) {
  std::string upper = Upper(declared);
  return upper.find("DECIMAL") != std::string::npos || upper.find("NUMERIC") != std::string::npos ||
         upper.find("MONEY") != std::string::npos;
}

bool IsRealDeclared(std::string_view declared) {
  std::string upper = Upper(declared);
  return IsExactDeclared(upper) || upper.find("REAL") != std::string::npos ||
         upper.find("FLOA") != std::string::npos || upper.find("DOUB") != std::string::npos;
}

int DeclaredScale(std::string_view declared) {
  size_t open = declared.find('(');
  if (open == std::string_view::npos)
    return Upper(declared).find("MONEY") != std::string::npos ? 4 : 10;
  size_t comma = declared.find(',', open);
  if (comma == std::string_view::npos) return 0;
  return std::atoi(std::string(declared.substr(comma + 1)).c_str());
}

}  // namespace cb::tsql
