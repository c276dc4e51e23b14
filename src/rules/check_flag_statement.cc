// Head tables and the exact statement shapes of the check-flag writer, one row per family of types.
#include "rules/check_flag_statement.h"

#include <array>
#include <initializer_list>

#include "frame/sql_template.h"
#include "frame/vocabulary/operate_code.h"
#include "frame/vocabulary/trans_types.h"
#include "platform/variant/date.h"

namespace cb::rules {
namespace {

// The value pieces follow one of a few orders.
enum class Shape {
  kCheckerStatusDate,      // head, checker, ",FStatus=", status, ",FCheckDate=", date
  kCheckerStatusCrLfDate,  // head, checker, ",FStatus=", status, CR LF, ",FCheckDate=", date
  kQualityBill,            // head, checker, ",FStatus=", status, ",", CR LF, " FCheckDate=", date
  kRequisition,            // head, checker, ",FStatus=", status, ",", "FCheckTime=", date
  kStatusCheckerDate,      // head, status, ",", "FCheckerID=", checker, ",", "FCheckDate=", date
};

struct FlagTable {
  std::initializer_list<int32_t> types;
  const char* head_piece;
  Shape shape;
  const char* checker_null;  // how the statement spells a Null checker
  bool affirm_reset_on_check;
};

const std::array<FlagTable, 18> kTables = {{
    {{PurchaseInStock, ProductsInStock, ProcessInStock, OtherInStock, SaleOutStock, GetMaterial,
      ProcessOutStock, OtherOutStock, CheckInStock, StoreageMove, CheckOutStock, AdjustAmount},
     "Update ICStockBill Set FCheckerID=",
     Shape::kCheckerStatusDate,
     "Null",
     false},
    {{6, 26}, "Update ZPStockBill Set FCheckerID=", Shape::kCheckerStatusDate, "Null", false},
    {{46}, "Update ICQCBill Set FCheckerID=", Shape::kQualityBill, "Null", false},
    {{ChangePrice},
     "Update ICPlanAdjPrice Set FCheckerID=",
     Shape::kCheckerStatusDate,
     "Null",
     false},
    {{PurchaseRequest}, "Update PORequest Set FCheckerID=", Shape::kRequisition, "Null", false},
    {{PurchaseOrder},
     "Update POOrder Set FAlterID=0,FAlterDate=Null,FCheckerID=",
     Shape::kCheckerStatusDate,
     "Null",
     true},
    {{PurchaseConsign, PurchaseRecede, 702},
     "Update POInstock Set FCheckerID=",
     Shape::kCheckerStatusDate,
     "Null",
     false},
    {{PurchaseVirStoreMove},
     "Update POStockBill Set FCheckerID=",
     Shape::kCheckerStatusDate,
     "Null",
     false},
    {{PurchaseInvoice, PurchaseNormalInv},
     "UPDATE ICPurchase SET FCheckerID=",
     Shape::kCheckerStatusCrLfDate,
     "NULL",
     false},
    {{77, 78}, "UPDATE ICExpenses SET FCheckerID=", Shape::kCheckerStatusCrLfDate, "NULL", false},
    {{SaleInvoice, SaleNormalInv},
     "UPDATE ICSale SET FCheckerID=",
     Shape::kCheckerStatusCrLfDate,
     "NULL",
     false},
    {{SaleOrder},
     "Update SEOrder Set FAlterID=0,FAlterDate=Null,FCheckerID=",
     Shape::kCheckerStatusDate,
     "Null",
     false},
    {{SaleRecede, SaleConsign},
     "Update SEOutStock Set FCheckerID=",
     Shape::kCheckerStatusDate,
     "Null",
     false},
    {{SaleQuote}, "Update PORFQ Set FCheckerID=", Shape::kCheckerStatusDate, "Null", false},
    {{ProcessTask}, "Update ICMO Set FStatus=", Shape::kStatusCheckerDate, "Null", false},
    {{87}, "Update ICApportionFee set FStatus=", Shape::kStatusCheckerDate, "Null", false},
    {{88}, "Update PPBOM Set FStatus=", Shape::kStatusCheckerDate, "Null", false},
    {{92, 137}, "UPDATE ICSTJGBill SET FCheckerID=", Shape::kCheckerStatusCrLfDate, "NULL", false},
}};

// The value pieces of each shape; ##Date## is "Null" or the day in quotes.
std::string_view ValuesTemplate(Shape shape) {
  switch (shape) {
    case Shape::kCheckerStatusDate:
      return "##Checker##,FStatus=##Status##,FCheckDate=##Date##";
    case Shape::kCheckerStatusCrLfDate:
      return "##Checker##,FStatus=##Status##\r\n,FCheckDate=##Date##";
    case Shape::kQualityBill:
      return "##Checker##,FStatus=##Status##,\r\n FCheckDate=##Date##";
    case Shape::kRequisition:
      return "##Checker##,FStatus=##Status##,FCheckTime=##Date##";
    case Shape::kStatusCheckerDate:
      return "##Status##,FCheckerID=##Checker##,FCheckDate=##Date##";
  }
  return {};
}

// A type without a row of its own: the head table registered for it, in the CR LF shape.
constexpr std::string_view kFallbackUpdate =
    "UPDATE ##Table## SET FCheckerID=##Checker##,FStatus=##Status##\r\n,FCheckDate=##Date##";

const FlagTable* FindTable(int32_t tran_type) {
  for (const FlagTable& table : kTables) {
    for (int32_t type : table.types) {
      if (type == tran_type) return &table;
    }
  }
  return nullptr;
}

}  // namespace

bool HasFixedCheckFlagTable(int32_t tran_type) {
  return FindTable(tran_type) != nullptr;
}

std::string BuildCheckFlagUpdate(int32_t tran_type, const std::string& fallback_head_table,
                                 const CheckFlagValues& values, int32_t inter_id) {
  const FlagTable* table = FindTable(tran_type);
  const char* checker_null = table ? table->checker_null : "NULL";
  const std::string checker =
      values.checker_id == 0 ? checker_null : std::to_string(values.checker_id);
  const std::string date =
      values.check_day == 1 ? "Null" : "'" + FormatDate(values.check_day) + "'";
  auto fill = [&](std::string_view statement) {
    return frame::SqlTemplate(statement)
        .Fragment("Checker", checker)
        .Number("Status", values.status)
        .Fragment("Date", date)
        .Fragment("Table", fallback_head_table)
        .Sql();
  };

  std::string sql;
  if (table == nullptr) {
    sql = fill(kFallbackUpdate);
  } else {
    sql = table->head_piece + fill(ValuesTemplate(table->shape));
    if (table->affirm_reset_on_check && Is(values.operation, OperateCode::kCheck)) {
      sql += ",FOrderAffirm=(CASE WHEN FOrderAffirm=2 THEN 0 ELSE FOrderAffirm END)";
    }
  }
  return sql + frame::SqlTemplate(" WHERE FInterID=##Bill##").Number("Bill", inter_id).Sql();
}

}  // namespace cb::rules
