// Names of the operation codes, localised.
#include <array>
#include <utility>

#include "frame/messages/messages.h"

namespace cb::messages {
namespace {

constexpr std::array<std::pair<int32_t, std::string_view>, 6> kOperationNames = {{
    {1, "审核"},
    {2, "反审核"},
    {4, "保存"},
    {8, "删除"},
    {16, "反作废"},
    {32, "作废"},
}};
constexpr std::string_view kUnknownOperation = "功能错误";

}  // namespace

std::string GetOperationName(int32_t operate_code, std::string_view language) {
  std::string_view key = kUnknownOperation;
  for (const auto& [code, name] : kOperationNames) {
    if (code == operate_code) key = name;
  }
  return LoadLocalString(key, language);
}

}  // namespace cb::messages
