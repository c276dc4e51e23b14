// Maps T-SQL types to native declarations chosen for their affinity.
#include "platform/tsql/type_map.h"

#include "platform/tsql/functions.h"

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

}  // namespace cb::tsql
