// Names of the operation codes, localised.
#include <array>
#include <utility>

#include "frame/messages/messages.h"
#include "frame/vocabulary/operate_code.h"

namespace cb::messages {
namespace {

constexpr std::array<std::pair<OperateCode, std::string_view>, 6> kOperationNames = {{
    {OperateCode::kCheck, "审核"},
    {OperateCode::kUnCheck, "反审核"},
    {OperateCode::kSave, "保存"},
    {OperateCode::kDelete, "删除"},
    {OperateCode::kRestore, "反作废"},
    {OperateCode::kVoid, "作废"},
}};
constexpr std::string_view kUnknownOperation = "功能错误";

}  // namespace

std::string GetOperationName(int32_t operate_code, std::string_view language) {
  std::string_view key = kUnknownOperation;
  for (const auto& [code, name] : kOperationNames) {
    if (Is(operate_code, code)) key = name;
  }
  return LoadLocalString(key, language);
}

}  // namespace cb::messages
