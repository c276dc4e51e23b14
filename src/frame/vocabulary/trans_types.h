// Transaction types: the published names, and the named sets of types that the rules treat alike,
// each written here once.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace cb {

// Transaction types that have a published name. The engine works with plain 32-bit FTranType
// values, many of them outside this list.
enum Enu_BillTransType : int32_t {
  PurchaseInStock = 1,
  ProductsInStock = 2,
  ProcessInStock = 5,
  OtherInStock = 10,
  SaleOutStock = 21,
  GetMaterial = 24,
  ProcessOutStock = 28,
  OtherOutStock = 29,
  CheckInStock = 40,
  StoreageMove = 41,
  CheckOutStock = 43,
  ChangePrice = 65,
  PurchaseRequest = 70,
  PurchaseOrder = 71,
  PurchaseConsign = 72,
  PurchaseRecede = 73,
  PurchaseVirStoreMove = 74,
  PurchaseInvoice = 75,
  PurchaseNormalInv = 76,
  SaleInvoice = 80,
  SaleOrder = 81,
  SaleRecede = 82,
  SaleConsign = 83,
  SaleQuote = 84,
  ProcessTask = 85,
  SaleNormalInv = 86,
  Voucher = 90,
  AdjustAmount = 100,
};

// A fixed set of transaction types.
template <size_t N>
struct TransTypeSet {
  std::array<int32_t, N> types;

  [[nodiscard]] constexpr bool Contains(int32_t tran_type) const {
    for (int32_t type : types) {
      if (type == tran_type) return true;
    }
    return false;
  }
};

template <typename... Types>
constexpr TransTypeSet<sizeof...(Types)> MakeTransTypeSet(Types... types) {
  return {{static_cast<int32_t>(types)...}};
}

// Bills whose stock the stock driver moves (the type step's stock handler).
inline constexpr auto kStockBillTypes = MakeTransTypeSet(
    PurchaseInStock, ProductsInStock, ProcessInStock, 6, OtherInStock, SaleOutStock, GetMaterial,
    26, ProcessOutStock, OtherOutStock, CheckInStock, StoreageMove, CheckOutStock, 92, 137,
    PurchaseConsign, PurchaseRecede, 702, PurchaseVirStoreMove);

// Head types whose stock write-backs follow the check flag.
inline constexpr auto kStockMovingHeadTypes = MakeTransTypeSet(
    PurchaseInStock, ProductsInStock, ProcessInStock, OtherInStock, SaleOutStock, GetMaterial,
    ProcessOutStock, OtherOutStock, CheckInStock, StoreageMove, CheckOutStock, 137);

// Stock bills that write received quantities back to purchase orders, and delivered quantities
// back to sales orders.
inline constexpr auto kPurchaseOrderWriteBackTypes =
    MakeTransTypeSet(PurchaseInStock, OtherInStock);
inline constexpr auto kSalesOrderWriteBackTypes = MakeTransTypeSet(SaleOutStock, OtherOutStock);

// Types whose stock lives in the virtual inventory POInventory (GetInventoryTable).
inline constexpr auto kVirtualStockTypes =
    MakeTransTypeSet(6, 26, PurchaseConsign, PurchaseRecede, PurchaseVirStoreMove, 92, 137, 702);

// Types the safety-stock alert looks at.
inline constexpr auto kStockAlertTypes = MakeTransTypeSet(
    PurchaseInStock, ProductsInStock, ProcessInStock, 6, OtherInStock, ProcessOutStock,
    OtherOutStock, CheckInStock, 92, 101, 102, SaleOutStock, GetMaterial, 26, CheckOutStock, 137);

// Quality-inspection bills.
inline constexpr auto kInspectionBillTypes =
    MakeTransTypeSet(46, 707, 708, 709, 710, 711, 712, 713, 714, 715);

// Inspection requests.
inline constexpr auto kInspectionRequestTypes = MakeTransTypeSet(701, 702, 703, 704, 705, 706, 717);

// Purchase and sales invoices and expense bills.
inline constexpr auto kInvoiceTypes =
    MakeTransTypeSet(PurchaseInvoice, PurchaseNormalInv, 77, 78, SaleInvoice, SaleNormalInv);

// Types refused for an earlier period once the system is initialised (the period guard).
inline constexpr auto kEarlierPeriodTypes =
    MakeTransTypeSet(PurchaseInStock, ProductsInStock, ProcessInStock, 6, OtherInStock,
                     SaleOutStock, GetMaterial, 26, ProcessOutStock, OtherOutStock, CheckInStock,
                     StoreageMove, CheckOutStock, 46, ChangePrice, PurchaseConsign, PurchaseRecede,
                     PurchaseVirStoreMove, ProcessTask, 92, AdjustAmount, 137, 702, -8);

// Types refused in a closed period (the period guard).
inline constexpr auto kClosedPeriodTypes = MakeTransTypeSet(
    PurchaseInStock, ProductsInStock, ProcessInStock, 6, OtherInStock, SaleOutStock, GetMaterial,
    26, ProcessOutStock, OtherOutStock, CheckInStock, StoreageMove, CheckOutStock, PurchaseConsign,
    PurchaseRecede, PurchaseVirStoreMove, PurchaseInvoice, PurchaseNormalInv, 77, 78, SaleInvoice,
    ProcessTask, SaleNormalInv, 92, AdjustAmount, 137, 702);

// Types whose bills issue stock: the direction factor is reversed for them.
inline constexpr auto kOutboundStockTypes =
    MakeTransTypeSet(SaleOutStock, GetMaterial, 26, ProcessOutStock, OtherOutStock, CheckOutStock,
                     PurchaseRecede, 137);

// Types whose sign check names the stock and reports quantities (the pre-update stock check).
inline constexpr auto kStockNamedSignCheckTypes =
    MakeTransTypeSet(PurchaseInStock, SaleOutStock, StoreageMove, GetMaterial, CheckOutStock);

// Issues against production BOMs, whose lock rows sit on the BOM entries.
inline constexpr auto kProductionIssueTypes = MakeTransTypeSet(GetMaterial, ProcessOutStock, 137);

// Types that may be checked before the start period while the system is being initialised.
inline constexpr auto kInitialisationTypes =
    MakeTransTypeSet(PurchaseInStock, ProcessInStock, SaleOutStock, ProcessOutStock);

// Sales bills whose lines are held against their lowest sales price.
inline constexpr auto kSaleAlertTypes = MakeTransTypeSet(SaleInvoice, SaleOrder, SaleNormalInv);

// Purchase bills whose lines are held against their highest purchase price.
inline constexpr auto kPurchaseAlertTypes =
    MakeTransTypeSet(PurchaseOrder, PurchaseInvoice, PurchaseNormalInv);

// Sales orders and notices, which need a customer.
inline constexpr auto kCustomerBillTypes = MakeTransTypeSet(SaleOrder, SaleRecede, SaleConsign);

// Purchase orders and notices, which need a supplier.
inline constexpr auto kSupplierBillTypes =
    MakeTransTypeSet(PurchaseOrder, PurchaseConsign, PurchaseRecede);
// Receipts whose uncheck a backflush blocks (the backflush guard).
inline constexpr auto kBackflushReceiptTypes = MakeTransTypeSet(ProductsInStock, ProcessInStock);

// Bills that may be split or split off another (the split guard).
inline constexpr auto kSplitBillTypes =
    MakeTransTypeSet(PurchaseInStock, ProcessInStock, SaleOutStock, ProcessOutStock,
                     PurchaseInvoice, PurchaseNormalInv, SaleInvoice, SaleNormalInv);

// Bills that an accounting voucher may be made from (the vouchered guard); expense bills of type 77
// are not among them.
inline constexpr auto kVoucheredBillTypes = MakeTransTypeSet(
    PurchaseInStock, ProductsInStock, ProcessInStock, OtherInStock, SaleOutStock, GetMaterial,
    ProcessOutStock, OtherOutStock, CheckInStock, StoreageMove, CheckOutStock, PurchaseInvoice,
    PurchaseNormalInv, 78, SaleInvoice, SaleNormalInv, 87, AdjustAmount);

// Processing receipts and issues that an outsourcing verification may settle.
inline constexpr auto kOutsourcingVerifiedTypes = MakeTransTypeSet(ProcessInStock, ProcessOutStock);

// Bills that a hook group may hold (the hook guard).
inline constexpr auto kHookedBillTypes =
    MakeTransTypeSet(PurchaseInStock, ProcessInStock, SaleOutStock, ProcessOutStock,
                     PurchaseInvoice, PurchaseNormalInv, 77, 78, SaleInvoice, SaleNormalInv);

// Other receipts and issues whose lines may come from assembly or disassembly bills.
inline constexpr auto kAssemblyLinkedTypes = MakeTransTypeSet(OtherInStock, OtherOutStock);

}  // namespace cb
