// The price-alert statements. Each bill type differs from the others only in its tables, its bill
// price expression, its price-list join and where it selects DISTINCT; the rest is one shape.
#include "precheck/price_alert_sql.h"

#include <string_view>

#include "frame/vocabulary/trans_types.h"

namespace cb::precheck {
namespace {

constexpr std::string_view kCrLf = "\r\n";
// The invoice style whose limits are the outsourcing ones (price-list type 0, FWWHghPrc).
constexpr int32_t kOutsourcingInvStyle = 12511;

// What tells the sales side from the purchase side.
struct KindParts {
  std::string_view limit;         // limit column of the work table and of the price list
  std::string_view fixing_type;   // the item's price fixing type column
  std::string_view list_table;    // the partner's price list
  std::string_view list_partner;  // partner column of the price list
  std::string_view head_partner;  // partner column of the bill head
  std::string_view past_limit;    // how the difference shows a line past its limit
};

constexpr KindParts kSaleParts{
    "FSELowPrice", "FSalePriceFixingType", "t_Cust", "FCustID", "FCustID", "<0"};
constexpr KindParts kPurchaseParts{"FPOHighPrice", "FPriceFixingType", "t_Supply",
                                   "FSupID",       "FSupplyID",        ">0"};

// One INSERT of the batch: a bill type, or one invoice style of a purchase invoice.
struct InsertParts {
  std::string_view head;
  std::string_view entry;
  std::string bill_price;           // the FBillPrice piece, with its trailing comma
  bool distinct_list_half = false;  // first half (price list) selects DISTINCT
  bool distinct_item_half = false;  // second half (item limit) selects DISTINCT
  std::string_view list_join = "INNER JOIN";
  std::string_view list_filter;  // restriction of the price-list rows, "" for all
  bool list_limit_as_decimal = false;
  std::string_view item_limit;     // the item's own limit column
  std::string_view item_currency;  // the currency column of that limit
};

const KindParts& PartsOf(PriceAlertKind kind) {
  return kind == PriceAlertKind::kSaleLowPrice ? kSaleParts : kPurchaseParts;
}

PriceAlertKind KindOf(int32_t tran_type) {
  return kSaleAlertTypes.Contains(tran_type) ? PriceAlertKind::kSaleLowPrice
                                             : PriceAlertKind::kPurchaseHighPrice;
}

std::string Cat(std::initializer_list<std::string_view> pieces) {
  std::string text;
  for (std::string_view piece : pieces) text += piece;
  return text;
}

// A limit in the currency `currency` (alias) turned into the base currency.
std::string ToBaseCurrency(std::string_view limit, std::string_view currency) {
  return Cat({"CASE WHEN ", currency, ".FOperator='*' THEN ", limit, "*", currency,
              ".FExchangeRate ELSE ", limit, "/", currency, ".FExchangeRate END"});
}

// A base-currency limit turned into the bill's currency t4 and unit t2, Null taken as 0.
std::string ToBillCurrency(std::string_view limit, std::string_view column) {
  return Cat({"ISNULL(CASE WHEN t4.FOperator='*' THEN ", limit, "/t4.FExchangeRate  ELSE ", limit,
              "*t4.FExchangeRate END,0)*t2.FCoefficient AS ", column, ","});
}

std::string SelectHead(bool distinct, const std::string& limit_piece,
                       const std::string& bill_price) {
  return Cat({distinct ? "SELECT DISTINCT " : "SELECT ",
              "u1.FEntryID,t1.FNumber,t1.FName,t1.FModel,t2.FName AS FUnitName,"
              "t4.FName AS FCurrencyName,ROUND(CAST(v1.FExchangeRate AS DECIMAL(28,10)),12) AS "
              "FExchangeRate,",
              kCrLf, limit_piece, kCrLf, bill_price, kCrLf, "t1.FPriceDecimal", kCrLf});
}

std::string BillJoins(const InsertParts& parts) {
  return Cat({"FROM ", parts.head, " v1 INNER JOIN ", parts.entry, " u1 ON v1.FInterID=u1.FInterID",
              kCrLf, "INNER JOIN t_ICItem t1 ON u1.FItemID=t1.FItemID", kCrLf,
              "INNER JOIN t_MeasureUnit t2 ON u1.FUnitID=t2.FMeasureUnitID", kCrLf,
              "INNER JOIN t_Currency t4 ON v1.FCurrencyID=t4.FCurrencyID", kCrLf});
}

std::string Restriction(const KindParts& kind, int32_t inter_id, int fixing_type) {
  return Cat({"WHERE v1.FInterID=", std::to_string(inter_id), " AND ISNULL(t1.", kind.fixing_type,
              ",0)=", std::to_string(fixing_type), " ", kCrLf});
}

// First half: the limit from the partner's price list t10.
std::string ListHalf(const KindParts& kind, const InsertParts& parts, int32_t inter_id) {
  const std::string list_price = Cat({"ISNULL(m1.", kind.limit, ",0)"});
  std::string converted = ToBaseCurrency(list_price, "m2");
  if (parts.list_limit_as_decimal) converted = Cat({"CONVERT(DECIMAL(28,10),", converted, ")"});
  const std::string t10_limit = Cat({"t10.", kind.limit});
  return Cat({SelectHead(parts.distinct_list_half, ToBillCurrency(t10_limit, kind.limit),
                         parts.bill_price),
              BillJoins(parts),
              parts.list_join,
              " (SELECT m1.",
              kind.list_partner,
              ",m1.FItemID,",
              converted,
              " AS ",
              kind.limit,
              kCrLf,
              "FROM ",
              kind.list_table,
              " m1 INNER JOIN t_Currency m2 ON m1.FCurrencyID=m2.FCurrencyID",
              parts.list_filter,
              ") t10 ON v1.",
              kind.head_partner,
              "=t10.",
              kind.list_partner,
              " AND t10.FItemID=u1.FItemID",
              kCrLf,
              Restriction(kind, inter_id, 0)});
}

// Second half: the item's own limit in its own currency t5.
std::string ItemHalf(const KindParts& kind, const InsertParts& parts, int32_t inter_id) {
  const std::string item_price = Cat({"ISNULL(t1.", parts.item_limit, ",0)"});
  const std::string base = Cat({"(", ToBaseCurrency(item_price, "t5"), ")"});
  return Cat(
      {SelectHead(parts.distinct_item_half, ToBillCurrency(base, kind.limit), parts.bill_price),
       BillJoins(parts), "INNER JOIN t_Currency t5 ON t1.", parts.item_currency, "=t5.FCurrencyID",
       kCrLf, Restriction(kind, inter_id, 1)});
}

std::string InsertSql(const KindParts& kind, const InsertParts& parts, int32_t inter_id) {
  return Cat(
      {"INSERT INTO #tmpLowPrice(FEntryID,FNumber,FName,FModel,FUnitName,FCurrencyName,"
       "FExchangeRate,",
       kind.limit, ",FBillPrice,FPriceDecimal)", kCrLf, ListHalf(kind, parts, inter_id),
       "UNION ALL", kCrLf, ItemHalf(kind, parts, inter_id)});
}

std::string OrderBillPrice(std::string_view price, bool tax_in_price, std::string_view cess) {
  return Cat({price, tax_in_price ? "" : cess, " AS FBillPrice,"});
}

InsertParts SaleInsert(int32_t tran_type, bool tax_in_price) {
  InsertParts parts;
  parts.item_limit = "FSoLowPrc";
  parts.item_currency = "FSOLowPrcMnyType";
  if (tran_type == SaleOrder) {
    parts.head = "SEOrder";
    parts.entry = "SEOrderEntry";
    parts.bill_price = OrderBillPrice(
        "(CASE WHEN v1.FDiscountType=0 THEN u1.FAuxPrice*(100-u1.FTaxRate)/100 ELSE "
        "u1.FAuxPrice-u1.FUniDiscount END)",
        tax_in_price, "*(100+u1.FCess)/100");
    return parts;
  }
  parts.head = "ICSale";
  parts.entry = "ICSaleEntry";
  parts.distinct_item_half = true;
  parts.distinct_list_half = tran_type == SaleInvoice;
  parts.bill_price = Cat({tran_type == SaleInvoice ? "u1.FAuxTaxPrice" : "u1.FAuxPrice",
                          "*CAST((100-u1.FDiscountRate)/100 AS DECIMAL(28,10)) AS FBillPrice,"});
  return parts;
}

InsertParts PurchaseOrderInsert(bool tax_in_price) {
  InsertParts parts;
  parts.head = "POOrder";
  parts.entry = "POOrderEntry";
  parts.bill_price =
      OrderBillPrice("(u1.FAuxPrice*(100-u1.FTaxRate)/100)", tax_in_price, "*(100+u1.FCess)/100");
  parts.distinct_item_half = true;
  parts.list_limit_as_decimal = true;
  parts.item_limit = "FPOHighPrice";
  parts.item_currency = "FPOHghPrcMnyType";
  return parts;
}

// A purchase invoice of the outsourcing style, or of any other style.
InsertParts PurchaseInvoiceInsert(int32_t tran_type, bool outsourcing_style) {
  InsertParts parts;
  parts.head = "ICPurchase";
  parts.entry = "ICPurchaseEntry";
  parts.bill_price = tran_type == PurchaseInvoice ? "u1.FAuxTaxPrice AS FBillPrice,"
                                                  : "u1.FAuxPrice AS FBillPrice,";
  parts.distinct_item_half = true;
  // An ordinary invoice of an ordinary style keeps its lines without a price-list row (limit 0).
  parts.list_join =
      (tran_type == PurchaseNormalInv && !outsourcing_style) ? "LEFT JOIN" : "INNER JOIN";
  parts.list_filter = outsourcing_style ? " WHERE m1.FPType=0" : " WHERE m1.FPType=1";
  parts.item_limit = outsourcing_style ? "FWWHghPrc" : "FPOHighPrice";
  parts.item_currency = outsourcing_style ? "FWWHghPrcMnyType" : "FPOHghPrcMnyType";
  return parts;
}

std::string InsertsOf(int32_t tran_type, int32_t inter_id, bool tax_in_price) {
  if (KindOf(tran_type) == PriceAlertKind::kSaleLowPrice) {
    return InsertSql(kSaleParts, SaleInsert(tran_type, tax_in_price), inter_id);
  }
  if (tran_type == PurchaseOrder) {
    return InsertSql(kPurchaseParts, PurchaseOrderInsert(tax_in_price), inter_id);
  }
  return Cat({"DECLARE @InvStyle INT",
              kCrLf,
              "SELECT @InvStyle=FInvStyle FROM ICPurchase WHERE FInterID=",
              std::to_string(inter_id),
              kCrLf,
              "IF @InvStyle=",
              std::to_string(kOutsourcingInvStyle),
              kCrLf,
              "BEGIN ",
              kCrLf,
              InsertSql(kPurchaseParts, PurchaseInvoiceInsert(tran_type, true), inter_id),
              "END",
              kCrLf,
              "ELSE",
              kCrLf,
              "BEGIN",
              kCrLf,
              InsertSql(kPurchaseParts, PurchaseInvoiceInsert(tran_type, false), inter_id),
              "END",
              kCrLf});
}

}  // namespace

std::string PriceAlertProfileSql(PriceAlertKind kind) {
  return Cat({"SELECT FKey,FValue FROM t_SystemProfile WHERE", kCrLf,
              "(FCategory='IC' AND FKey IN ('SInvoiceDecimal','", TaxInPriceKey(kind), "') )",
              kCrLf});
}

const char* TaxInPriceKey(PriceAlertKind kind) {
  return kind == PriceAlertKind::kSaleLowPrice ? "SEOrderTaxInPrice" : "POOrderTaxInPrice";
}

const char* LimitColumn(PriceAlertKind kind) {
  return kind == PriceAlertKind::kSaleLowPrice ? "FSELowPrice" : "FPOHighPrice";
}

std::string CreateLowPriceTableSql(PriceAlertKind kind) {
  return Cat(
      {"CREATE TABLE #tmpLowPrice(", kCrLf, "FEntryID INT,FNumber VARCHAR(80),FName VARCHAR(80),",
       kCrLf, "FModel VARCHAR(255),FUnitName VARCHAR(80),FCurrencyName VARCHAR(80),", kCrLf,
       "FExchangeRate Float,", LimitColumn(kind), " FLoat,FBillPrice Float,FPriceDecimal INT)"});
}

std::string PriceAlertBatchSql(int32_t tran_type, int32_t inter_id, bool tax_in_price) {
  const KindParts& kind = PartsOf(KindOf(tran_type));
  return Cat({"SET NOCOUNT ON", kCrLf, InsertsOf(tran_type, inter_id, tax_in_price),
              "SELECT FEntryID,FNumber,FName,FModel,FUnitName,FCurrencyName,FExchangeRate,",
              kind.limit, ",FBillPrice,FPriceDecimal,(FBillPrice-", kind.limit, ") AS FPriceDiff",
              kCrLf, "FROM #tmpLowPrice WHERE (FBillPrice-", kind.limit, ")", kind.past_limit,
              kCrLf, "DROP TABLE #tmpLowPrice", kCrLf});
}

}  // namespace cb::precheck
