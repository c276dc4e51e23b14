// The price-alert report rows, each a Dictionary with the same ten keys in the same order.
#include "precheck/price_alert_report.h"

#include <array>

#include "frame/messages/messages.h"
#include "platform/variant/dictionary.h"
#include "stock/quantity_format.h"

namespace cb::precheck {
namespace {

// Decimals of the exchange-rate column ("#,##0.000000000000").
constexpr int kExchangeRateDecimals = 12;

struct ReportColumn {
  std::string_view key;
  std::string_view caption;  // resource key of the caption
  bool numeric;
};

constexpr size_t kColumnCount = 10;
constexpr size_t kLimitColumn = 7;  // the only column whose key and caption depend on the kind

std::array<ReportColumn, kColumnCount> ColumnsOf(PriceAlertKind kind) {
  const bool sale = kind == PriceAlertKind::kSaleLowPrice;
  std::array<ReportColumn, kColumnCount> columns = {{
      {"FEntryID", "行号$", false},
      {"FItemNumber", "物料代码$", false},
      {"FItemName", "物料名称$", false},
      {"FItemModel", "规格型号$", false},
      {"FUnitName", "单位$", false},
      {"FCurrency", "币别$", false},
      {"FExchangeRate", "汇率$", true},
      {"", "", true},
      {"BillPrice", "当前单据含税单价$", true},
      {"FPriceDiff", "差价$", true},
  }};
  columns[kLimitColumn] = sale ? ReportColumn{"MinLowPrice", "最低限价$", true}
                               : ReportColumn{"MaxHighPrice", "最高限价$", true};
  return columns;
}

std::string Price(const db::Recordset& lines, std::string_view field, int decimals) {
  return stock::FormatQuantity(lines.Field(field).ToDouble(), decimals);
}

DictionaryPtr LineRow(PriceAlertKind kind, const db::Recordset& lines,
                      const PriceDecimals& decimals) {
  const std::array<ReportColumn, kColumnCount> columns = ColumnsOf(kind);
  const int price_decimals =
      decimals.from_profile ? decimals.profile_decimals : lines.Field("FPriceDecimal").ToInt32();
  const std::array<Variant, kColumnCount> values = {
      lines.Field("FEntryID"),
      lines.Field("FNumber"),
      lines.Field("FName"),
      lines.Field("FModel"),
      lines.Field("FUnitName"),
      lines.Field("FCurrencyName"),
      Variant(Price(lines, "FExchangeRate", kExchangeRateDecimals)),
      Variant(Price(lines, LimitColumn(kind), price_decimals)),
      Variant(Price(lines, "FBillPrice", price_decimals)),
      Variant(Price(lines, "FPriceDiff", price_decimals)),
  };
  DictionaryPtr row = Dictionary::Create();
  for (size_t i = 0; i < kColumnCount; ++i) row->Write(columns[i].key, values[i]);
  return row;
}

}  // namespace

VectorPtr BuildPriceAlertReport(PriceAlertKind kind, db::Recordset& lines,
                                const PriceDecimals& decimals, std::string_view language) {
  const std::array<ReportColumn, kColumnCount> columns = ColumnsOf(kind);
  DictionaryPtr order = Dictionary::Create();
  DictionaryPtr captions = Dictionary::Create();
  DictionaryPtr flags = Dictionary::Create();
  for (size_t i = 0; i < kColumnCount; ++i) {
    order->Write(columns[i].key, static_cast<int32_t>(i + 1));
    captions->Write(columns[i].key, messages::LoadLocalString(columns[i].caption, language));
    flags->Write(columns[i].key, int32_t{columns[i].numeric ? 1 : 0});
  }
  VectorPtr report = Vector::Create();
  report->Add(Variant(order));
  report->Add(Variant(captions));
  report->Add(Variant(flags));
  if (lines.RecordCount() > 0) lines.MoveFirst();
  for (; !lines.Eof(); lines.MoveNext()) report->Add(Variant(LineRow(kind, lines, decimals)));
  return report;
}

}  // namespace cb::precheck
