// The demo verb: builds a fresh demo database and walks a newcomer through checks, refusals and a
// question, printing what happens and the stock balances it changes.
#include <unistd.h>

#include <CLI/CLI.hpp>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <system_error>

#include "checkbill/bill_types.h"
#include "checkbill/database.h"
#include "checkbill/values.h"
#include "tools/checkbill/bill_conversation.h"
#include "tools/checkbill/demo_order_stop.h"
#include "tools/checkbill/engine_call.h"
#include "tools/checkbill/json_convert.h"
#include "tools/checkbill/open_connection.h"
#include "tools/checkbill/verb.h"

namespace cb::tool {

namespace {

namespace fs = std::filesystem;

constexpr const char* kDefaultDemoDsn = "Provider=SQLite;Data Source=demo.db";
// The demo bills and the date they are checked on (see schema/demo.sql).
constexpr const char* kDemoCheckDate = "2026-12-05";
constexpr int32_t kDemoUserID = 16;  // the user of the demo data
constexpr int32_t kReceiptID = 1001;
constexpr int32_t kEarlierReceiptID = 1002;
constexpr int32_t kDeliveryID = 1003;
constexpr int32_t kMaterialIssueID = 1004;
constexpr int32_t kReservingDeliveryID = 1005;
constexpr int32_t kLowPricedOrderID = 2002;
constexpr int32_t kDemoMakerID = 1;  // the user who made every demo bill
constexpr int32_t kBoltItemID = 1;
constexpr int32_t kWidgetItemID = 2;
constexpr int32_t kMainStockID = 1;
constexpr int32_t kShopFloorStockID = 2;

// The demo marks the databases it makes with one row of a table of its own, so that it replaces
// only those.
constexpr const char* kMarkerTable = "t_DemoTour";
constexpr const char* kMarkerText = "made by checkbill demo";

std::string MarkerBatch() {
  return std::string("CREATE TABLE ") + kMarkerTable + " (FMadeBy VARCHAR(40) NOT NULL)\r\n" +
         "INSERT INTO " + kMarkerTable + " (FMadeBy) VALUES ('" + kMarkerText + "')";
}

ToolError Refusal(const fs::path& file, const std::string& why) {
  return ToolError(ExitStatus::kRefused, "demo: '" + file.string() + "' " + why +
                                             "; the demo replaces only a database it made itself. "
                                             "Give another file with --dsn.");
}

// Replaces the demo's file: a missing or empty file, or one an earlier demo made (it holds the
// marker row) that this program may write and nobody holds locked. Anything else is refused with
// the reason, never deleted.
void PrepareDemoFile(const std::string& dsn) {
  const fs::path file = db::ParseDataSource(dsn).data_source;
  std::error_code error;
  if (!fs::exists(file, error)) return;
  if (!fs::is_regular_file(file, error)) throw Refusal(file, "is not a regular file");
  if (fs::file_size(file, error) == 0) return;
  // The permission bits, not access(): a superuser may write anything, yet a file marked read-only
  // is one its owner meant to keep.
  constexpr fs::perms kWriteBits =
      fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
  if ((fs::status(file, error).permissions() & kWriteBits) == fs::perms::none ||
      ::access(file.c_str(), W_OK) != 0) {
    throw Refusal(file, "is read-only");
  }
  db::ConnectionPtr connection;
  bool marked = false;
  try {
    // Read as found: a file that turns out not to be the demo's must not change by being looked at.
    connection = OpenConnection(dsn, engine::OpenMode::kInspect);
    const db::RecordsetPtr rows =
        connection->Execute(std::string("SELECT COUNT(*) AS n FROM ") + kMarkerTable +
                            " WHERE FMadeBy = '" + kMarkerText + "'");
    marked = rows->Field("n").ToInt32() == 1;
  } catch (const Error&) {
    marked = false;  // no marker table, or not a database at all
  }
  if (!marked) throw Refusal(file, "was not made by the demo");
  // A write that changes nothing takes the write lock: it fails when another program holds it.
  try {
    connection->BeginTrans();
    connection->Execute(std::string("DELETE FROM ") + kMarkerTable + " WHERE 1 = 0");
  } catch (const Error&) {
    throw Refusal(file, "is in use by another program (it holds the database locked)");
  }
  connection->RollbackTrans();
  connection.reset();
  for (const char* suffix : {"", "-journal", "-wal", "-shm"}) fs::remove(file.string() + suffix);
}

class Tour {
 public:
  Tour(const std::string& dsn, std::ostream& out)
      : dsn_(dsn), engine_dsn_(EngineDsn(dsn, kDemoUserID)), out_(out) {}

  void CreateDatabase() {
    PrepareDemoFile(dsn_);
    const db::ConnectionPtr connection = OpenConnection(dsn_, engine::OpenMode::kCreate);
    connection->BeginTrans();
    engine::InstallSuiteSchema(*connection);
    engine::InstallDemoData(*connection);
    connection->Execute(MarkerBatch());
    connection->CommitTrans();
  }

  // The item's stock in the stock, over all places and batches.
  std::string Balance(int32_t item_id, int32_t stock_id) const {
    return Sum("FQty", "ICInventory",
               "FItemID=" + std::to_string(item_id) + " AND FStockID=" + std::to_string(stock_id));
  }

  // What purchase order 2101 has received so far.
  std::string Received() const { return Sum("FStockQty", "POOrderEntry", "FInterID=2101"); }

  // What sales order 2001 still holds reserved.
  std::string Reserved() const { return Sum("FQty", "t_LockStock", "FInterID=2001"); }

  // Runs one operation on a bill as checker_id; every question is shown and answered with answer.
  int32_t Operate(OperateCode operate_code, int32_t tran_type, int32_t inter_id, bool answer,
                  int32_t checker_id = kDemoUserID) {
    BillRequest request;
    request.operate_code = operate_code;
    request.tran_type = tran_type;
    request.inter_id = inter_id;
    request.check_date = kDemoCheckDate;
    request.dsn = engine_dsn_;
    request.checker_id = checker_id;
    const DictionaryPtr params = BuildRequest(request);
    const DictionaryPtr result =
        RunConversation(*params, CallCheckBill, [&](const std::string& question) {
          out_ << "    The engine asks: " << question << "\n"
               << "    The user answers " << (answer ? "yes" : "no") << ".\n";
          return answer;
        });
    const int32_t code = result->ReadOr("ReturnCode", Variant(-1)).ToInt32();
    const char* outcome = IsSuccessCode(code)    ? "done"
                          : IsQuestionCode(code) ? "not done: still waiting for the user's yes"
                                                 : "refused";
    out_ << "    Result: " << outcome << " (code " << code << ")\n"
         << "    The engine says: " << result->ReadOr("ReturnString", Variant("")).ToString()
         << "\n";
    return code;
  }

  void Say(const std::string& text) { out_ << text << "\n"; }

  // Runs a batch on the demo database, as another screen of the suite would.
  void Record(const std::string& batch) const {
    OpenConnection(dsn_, engine::OpenMode::kExisting)->Execute(batch);
  }

  void ShowBolts(const char* when) {
    out_ << "    Hex bolt M8 in the Main warehouse " << when << ": "
         << Balance(kBoltItemID, kMainStockID) << "\n";
  }
  void ShowWidgets(const char* when) {
    out_ << "    Widget in the Main warehouse " << when << ": "
         << Balance(kWidgetItemID, kMainStockID) << "\n";
  }
  void ShowShopFloor(const char* when) {
    out_ << "    Widget on the Shop floor " << when << ": "
         << Balance(kWidgetItemID, kShopFloorStockID)
         << ", reserved for sales order SEORD000001: " << Reserved() << "\n";
  }

 private:
  // SUM(column) over the rows of table that match condition, printed without trailing zeros.
  std::string Sum(const std::string& column, const std::string& table,
                  const std::string& condition) const {
    const db::ConnectionPtr connection = OpenConnection(dsn_, engine::OpenMode::kExisting);
    const db::RecordsetPtr rows = connection->Execute(
        "SELECT ISNULL(SUM(" + column + "),0) AS S FROM " + table + " WHERE " + condition);
    char text[32];
    std::snprintf(text, sizeof text, "%g", rows->Field("S").ToDouble());
    return text;
  }

  std::string dsn_;
  std::string engine_dsn_;
  std::ostream& out_;
};

// A sales order priced below its lowest price: its maker is refused, another user agrees to the
// price and checks it.
void LowPriceStop(Tour& tour) {
  tour.Say(
      "\n9. Sales order SEORD000002 sells widgets at 4.20, below the lowest price of 5.00 on "
      "Harbour\n"
      "   Hardware's price list. User 1, who entered the order, tries to check it: the engine "
      "asks\n"
      "   about the price, he agrees, and is refused because a maker may not check his own bill:");
  tour.Operate(OperateCode::kCheck, SaleOrder, kLowPricedOrderID, true, kDemoMakerID);
  tour.Say("   User 16 checks it, is asked about the price too and agrees:");
  tour.Operate(OperateCode::kCheck, SaleOrder, kLowPricedOrderID, true);
}

// Invoice PINV000001 matched with receipt WIN000001 in hook group 1, as the invoice screen records
// a hook, and the same match undone.
constexpr const char* kHookInvoiceToReceipt =
    "UPDATE ICStockBill SET FHookInterID = 1 WHERE FInterID = 1001\r\n"
    "UPDATE ICPurchase SET FHookInterID = 1 WHERE FInterID = 4001\r\n"
    "INSERT INTO ICHookRelations (FGroupNo, FTranType, FIBInterID, FIBNo, FIBTag) "
    "VALUES (1, 1, 1001, 'WIN000001', 1)\r\n"
    "INSERT INTO ICHookRelations (FGroupNo, FTranType, FIBInterID, FIBNo, FIBTag) "
    "VALUES (1, 75, 4001, 'PINV000001', 0)";
constexpr const char* kUnhookInvoice =
    "DELETE FROM ICHookRelations WHERE FGroupNo = 1\r\n"
    "UPDATE ICPurchase SET FHookInterID = 0 WHERE FInterID = 4001\r\n"
    "UPDATE ICStockBill SET FHookInterID = 0 WHERE FInterID = 1001";

// The stop where a checked receipt that an invoice is hooked to may not be unchecked.
void HookedReceiptStop(Tour& tour) {
  tour.Say(
      "\n3b. Invoice PINV000001 for the 40 bolts arrives and is hooked to the receipt. The "
      "receipt\n"
      "   may not be unchecked while an invoice is matched with it:");
  tour.Record(kHookInvoiceToReceipt);
  tour.Operate(OperateCode::kUnCheck, PurchaseInStock, kReceiptID, true);
  tour.ShowBolts("(unchanged)");
  tour.Say("   The invoice is unhooked again.");
  tour.Record(kUnhookInvoice);
}

ExitStatus RunDemo(const std::string& dsn, Io& io) {
  Tour tour(dsn, io.text());
  tour.CreateDatabase();
  const std::string bolts_before = tour.Balance(kBoltItemID, kMainStockID);
  const std::string widgets_before = tour.Balance(kWidgetItemID, kMainStockID);

  tour.Say("A tour of the bill check on " + db::ParseDataSource(dsn).data_source + ".\n");
  tour.Say(
      "1. A fresh database: two items (Hex bolt M8, Widget), two stocks, opening balances, and a "
      "few\n"
      "   bills waiting to be checked. The books are in December 2026; the user is number 16.");
  tour.ShowBolts("now");

  tour.Say("\n2. Check purchase receipt WIN000001: 40 bolts arrive in the Main warehouse.");
  tour.Operate(OperateCode::kCheck, PurchaseInStock, kReceiptID, true);
  tour.ShowBolts("after the check");

  tour.Say("\n3. Check the same receipt again. A bill is checked only once:");
  tour.Operate(OperateCode::kCheck, PurchaseInStock, kReceiptID, true);
  HookedReceiptStop(tour);

  tour.Say("\n4. Uncheck the receipt: its 40 bolts leave the stock again.");
  tour.Operate(OperateCode::kUnCheck, PurchaseInStock, kReceiptID, true);
  tour.ShowBolts("after the uncheck");

  tour.Say(
      "\n5. Check purchase receipt WIN000002, dated 20 November 2026, before the current period\n"
      "   began. Bills of an earlier period cannot be checked:");
  tour.Operate(OperateCode::kCheck, PurchaseInStock, kEarlierReceiptID, true);
  tour.ShowWidgets("(unchanged)");

  tour.Say(
      "\n6. Check sales delivery XOUT000001: 8 widgets leave a stock that holds 5. Negative stock "
      "is\n"
      "   allowed here only when the user confirms it, and -3 is also below the widget's safety "
      "stock\n"
      "   of 0, so the engine asks twice. First the user says no:");
  tour.Operate(OperateCode::kCheck, SaleOutStock, kDeliveryID, false);
  tour.ShowWidgets("after the answer no");
  tour.Say("   Then the user tries again and says yes:");
  tour.Operate(OperateCode::kCheck, SaleOutStock, kDeliveryID, true);
  tour.ShowWidgets("after the answer yes");

  tour.Say(
      "\n7. Check material issue SOUT000001: 50 bolts go to production and 50 would be left, "
      "below\n"
      "   the bolt's safety stock of 60. The engine warns first; the user accepts the warning:");
  tour.ShowBolts("before");
  tour.Operate(OperateCode::kCheck, GetMaterial, kMaterialIssueID, true);
  tour.ShowBolts("after the check");

  tour.Say(
      "\n8. Check sales delivery XOUT000002 from the Shop floor: 3 widgets for sales order "
      "SEORD000001,\n"
      "   which reserves 10 of the 12 there, and 4 for a walk-in customer. Only 5 would be left "
      "for a\n"
      "   reservation of 7, so the engine asks whether the order may give up its reservation:");
  tour.ShowShopFloor("before");
  tour.Operate(OperateCode::kCheck, SaleOutStock, kReservingDeliveryID, true);
  tour.ShowShopFloor("after the check");
  LowPriceStop(tour);

  RunPurchaseOrderStop(
      {[&](const std::string& text) { tour.Say(text); },
       [&](int32_t id) { return tour.Operate(OperateCode::kCheck, PurchaseInStock, id, true); },
       [&] { return tour.Received(); }});

  tour.Say("\nBalances in the Main warehouse, before the tour and after it:");
  tour.Say("    Hex bolt M8: " + bolts_before + " -> " + tour.Balance(kBoltItemID, kMainStockID));
  tour.Say("    Widget:      " + widgets_before + " -> " +
           tour.Balance(kWidgetItemID, kMainStockID));
  tour.Say("\nTry it yourself: checkbill check --dsn \"" + dsn + "\" --type 1 --id 1001 --user " +
           std::to_string(kDemoUserID));
  if (io.json) io.out << DumpJson(Json{{"demo", db::ParseDataSource(dsn).data_source}}) << "\n";
  return ExitStatus::kDone;
}

}  // namespace

void AddDemoVerb(CLI::App& app, Invocation& invocation) {
  auto dsn = std::make_shared<std::string>(kDefaultDemoDsn);
  CLI::App* verb = AddVerb(app, invocation, "demo",
                           "create a fresh demo database (demo.db unless given) and take a guided "
                           "tour of the checks; replaces only a database an earlier demo made");
  verb->add_option("--dsn", *dsn, "data source string of the demo database")->capture_default_str();
  verb->callback(
      [&invocation, dsn] { invocation.run = [dsn](Io& io) { return RunDemo(*dsn, io); }; });
}

}  // namespace cb::tool
