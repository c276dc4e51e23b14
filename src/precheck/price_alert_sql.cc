// The price-alert statements. Each bill type differs from the others only in its tables, its bill
// price expression, its price-list join and where it selects DISTINCT; the rest is one shape.
#include "precheck/price_alert_sql.h"

#include <string_view>

#include "frame/sql_template.h"
#include "frame/vocabulary/trans_types.h"

namespace cb::precheck {
namespace {

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

// A price in the currency ##Currency## (an alias) turned into the base currency.
constexpr std::string_view kToBaseCurrency =
    "CASE WHEN ##Currency##.FOperator='*' THEN ##Price##*##Currency##.FExchangeRate ELSE "
    "##Price##/##Currency##.FExchangeRate END";

// One half of the SELECT that fills the work table: the limit ##Limit## (in the base currency)
// turned into the bill's currency t4 and unit t2, the lines restricted to the bill and to the
// items of one price fixing type; ##LimitSource## joins where the limit comes from.
constexpr std::string_view kHalf =
    "SELECT ##Distinct##u1.FEntryID,t1.FNumber,t1.FName,t1.FModel,t2.FName AS FUnitName,"
    "t4.FName AS FCurrencyName,ROUND(CAST(v1.FExchangeRate AS DECIMAL(28,10)),12) AS "
    "FExchangeRate,\r\n"
    "ISNULL(CASE WHEN t4.FOperator='*' THEN ##Limit##/t4.FExchangeRate  ELSE "
    "##Limit##*t4.FExchangeRate END,0)*t2.FCoefficient AS ##LimitColumn##,\r\n"
    "##BillPrice##\r\n"
    "t1.FPriceDecimal\r\n"
    "FROM ##Head## v1 INNER JOIN ##Entry## u1 ON v1.FInterID=u1.FInterID\r\n"
    "INNER JOIN t_ICItem t1 ON u1.FItemID=t1.FItemID\r\n"
    "INNER JOIN t_MeasureUnit t2 ON u1.FUnitID=t2.FMeasureUnitID\r\n"
    "INNER JOIN t_Currency t4 ON v1.FCurrencyID=t4.FCurrencyID\r\n"
    "##LimitSource##\r\n"
    "WHERE v1.FInterID=##Bill## AND ISNULL(t1.##FixingType##,0)=##Fixing## \r\n";

// The partner's price list t10, its limit turned into the base currency.
constexpr std::string_view kPriceList =
    "##Join## (SELECT m1.##ListPartner##,m1.FItemID,##ListLimit## AS ##LimitColumn##\r\n"
    "FROM ##ListTable## m1 INNER JOIN t_Currency m2 ON m1.FCurrencyID=m2.FCurrencyID##ListFilter##)"
    " t10 ON v1.##HeadPartner##=t10.##ListPartner## AND t10.FItemID=u1.FItemID";

constexpr std::string_view kInsert =
    "INSERT INTO #tmpLowPrice(FEntryID,FNumber,FName,FModel,FUnitName,FCurrencyName,"
    "FExchangeRate,##LimitColumn##,FBillPrice,FPriceDecimal)\r\n"
    "##ListHalf##"
    "UNION ALL\r\n"
    "##ItemHalf##";

// A purchase invoice chooses its limits by its invoice style, inside the batch.
constexpr std::string_view kByInvoiceStyle =
    "DECLARE @InvStyle INT\r\n"
    "SELECT @InvStyle=FInvStyle FROM ICPurchase WHERE FInterID=##Bill##\r\n"
    "IF @InvStyle=##OutsourcingStyle##\r\n"
    "BEGIN \r\n"
    "##OutsourcingInsert##"
    "END\r\n"
    "ELSE\r\n"
    "BEGIN\r\n"
    "##OtherInsert##"
    "END\r\n";

constexpr std::string_view kBatch =
    "SET NOCOUNT ON\r\n"
    "##Inserts##"
    "SELECT FEntryID,FNumber,FName,FModel,FUnitName,FCurrencyName,FExchangeRate,##LimitColumn##,"
    "FBillPrice,FPriceDecimal,(FBillPrice-##LimitColumn##) AS FPriceDiff\r\n"
    "FROM #tmpLowPrice WHERE (FBillPrice-##LimitColumn##)##PastLimit##\r\n"
    "DROP TABLE #tmpLowPrice\r\n";

constexpr std::string_view kProfile =
    "SELECT FKey,FValue FROM t_SystemProfile WHERE\r\n"
    "(FCategory='IC' AND FKey IN ('SInvoiceDecimal','##TaxInPriceKey##') )\r\n";

constexpr std::string_view kCreateLowPriceTable =
    "CREATE TABLE #tmpLowPrice(\r\n"
    "FEntryID INT,FNumber VARCHAR(80),FName VARCHAR(80),\r\n"
    "FModel VARCHAR(255),FUnitName VARCHAR(80),FCurrencyName VARCHAR(80),\r\n"
    "FExchangeRate Float,##LimitColumn## FLoat,FBillPrice Float,FPriceDecimal INT)";

std::string ToBaseCurrency(std::string_view price, std::string_view currency) {
  return frame::SqlTemplate(kToBaseCurrency)
      .Fragment("Currency", currency)
      .Fragment("Price", price)
      .Sql();
}

std::string Half(const KindParts& kind, const InsertParts& parts, int32_t inter_id, bool distinct,
                 std::string_view limit, const std::string& limit_source, int fixing_type) {
  return frame::SqlTemplate(kHalf)
      .Fragment("Distinct", distinct ? "DISTINCT " : "")
      .Fragment("Limit", limit)
      .Fragment("LimitColumn", kind.limit)
      .Fragment("BillPrice", parts.bill_price)
      .Fragment("Head", parts.head)
      .Fragment("Entry", parts.entry)
      .Fragment("LimitSource", limit_source)
      .Number("Bill", inter_id)
      .Fragment("FixingType", kind.fixing_type)
      .Number("Fixing", fixing_type)
      .Sql();
}

// First half: items of fixing type 0, the limit from the partner's price list t10.
std::string ListHalf(const KindParts& kind, const InsertParts& parts, int32_t inter_id) {
  std::string list_limit = ToBaseCurrency("ISNULL(m1." + std::string(kind.limit) + ",0)", "m2");
  if (parts.list_limit_as_decimal) list_limit = "CONVERT(DECIMAL(28,10)," + list_limit + ")";
  const std::string price_list = frame::SqlTemplate(kPriceList)
                                     .Fragment("Join", parts.list_join)
                                     .Fragment("ListPartner", kind.list_partner)
                                     .Fragment("ListLimit", list_limit)
                                     .Fragment("LimitColumn", kind.limit)
                                     .Fragment("ListTable", kind.list_table)
                                     .Fragment("ListFilter", parts.list_filter)
                                     .Fragment("HeadPartner", kind.head_partner)
                                     .Sql();
  return Half(kind, parts, inter_id, parts.distinct_list_half, "t10." + std::string(kind.limit),
              price_list, 0);
}

// Second half: items of fixing type 1, the item's own limit in its own currency t5.
std::string ItemHalf(const KindParts& kind, const InsertParts& parts, int32_t inter_id) {
  const std::string limit =
      "(" + ToBaseCurrency("ISNULL(t1." + std::string(parts.item_limit) + ",0)", "t5") + ")";
  const std::string currency =
      "INNER JOIN t_Currency t5 ON t1." + std::string(parts.item_currency) + "=t5.FCurrencyID";
  return Half(kind, parts, inter_id, parts.distinct_item_half, limit, currency, 1);
}

std::string InsertSql(const KindParts& kind, const InsertParts& parts, int32_t inter_id) {
  return frame::SqlTemplate(kInsert)
      .Fragment("LimitColumn", kind.limit)
      .Fragment("ListHalf", ListHalf(kind, parts, inter_id))
      .Fragment("ItemHalf", ItemHalf(kind, parts, inter_id))
      .Sql();
}

std::string OrderBillPrice(std::string_view price, bool tax_in_price, std::string_view cess) {
  return std::string(price) + (tax_in_price ? "" : std::string(cess)) + " AS FBillPrice,";
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
  parts.bill_price = std::string(tran_type == SaleInvoice ? "u1.FAuxTaxPrice" : "u1.FAuxPrice") +
                     "*CAST((100-u1.FDiscountRate)/100 AS DECIMAL(28,10)) AS FBillPrice,";
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
  return frame::SqlTemplate(kByInvoiceStyle)
      .Number("Bill", inter_id)
      .Number("OutsourcingStyle", kOutsourcingInvStyle)
      .Fragment("OutsourcingInsert",
                InsertSql(kPurchaseParts, PurchaseInvoiceInsert(tran_type, true), inter_id))
      .Fragment("OtherInsert",
                InsertSql(kPurchaseParts, PurchaseInvoiceInsert(tran_type, false), inter_id))
      .Sql();
}

}  // namespace

std::string PriceAlertProfileSql(PriceAlertKind kind) {
  return frame::SqlTemplate(kProfile).Fragment("TaxInPriceKey", TaxInPriceKey(kind)).Sql();
}

const char* TaxInPriceKey(PriceAlertKind kind) {
  return kind == PriceAlertKind::kSaleLowPrice ? "SEOrderTaxInPrice" : "POOrderTaxInPrice";
}

const char* LimitColumn(PriceAlertKind kind) {
  return kind == PriceAlertKind::kSaleLowPrice ? "FSELowPrice" : "FPOHighPrice";
}

std::string CreateLowPriceTableSql(PriceAlertKind kind) {
  return frame::SqlTemplate(kCreateLowPriceTable).Fragment("LimitColumn", LimitColumn(kind)).Sql();
}

std::string PriceAlertBatchSql(int32_t tran_type, int32_t inter_id, bool tax_in_price) {
  const KindParts& kind = PartsOf(KindOf(tran_type));
  return frame::SqlTemplate(kBatch)
      .Fragment("Inserts", InsertsOf(tran_type, inter_id, tax_in_price))
      .Fragment("LimitColumn", kind.limit)
      .Fragment("PastLimit", kind.past_limit)
      .Sql();
}

}  // namespace cb::precheck
