// The BOM walk: the root's components are recorded at level 2, then each is expanded depth first;
// a component that is already recorded and whose id occurs in the path so far is a loop.
#include "precheck/bom_expansion.h"

#include <string_view>

#include "frame/sql_template.h"
#include "frame/temp_table_guard.h"
#include "frame/vocabulary/text.h"
#include "platform/services/pending_error.h"
#include "platform/variant/error.h"

namespace cb::precheck {
namespace {

constexpr std::string_view kWorkTable = "#TmpICBOM";
// The level of the root's own components (the root is level 1).
constexpr int32_t kLevelTwo = 2;

std::string Id(int32_t id) {
  return std::to_string(id);
}

// The item's active BOM heads: in use ('zt01' status) and FStatus 1.
constexpr std::string_view kActiveBom =
    "SELECT t1.* FROM ICBOM t1,T_submessage t2 WHERE t1.FitemID=##Item## And "
    "t1.fusestatus=t2.finterid and t2.FID='zt01' And t1.FStatus=1";

// The components of a BOM that are followed: item class 2 or 9; ##Sep## goes between the pieces.
constexpr std::string_view kComponents =
    " SELECT t1.*,t2.FNumber,u.FNumber as FUnitNumber FROM ICBOMChild t1##Sep##"
    " inner join t_ICItem t2 on t1.FitemID=t2.FitemID##Sep##"
    " inner join t_MeasureUnit u on t1.FUnitID=u.FMeasureUnitID##Sep##"
    " Where (t2.FErpClsID=2 or t2.FErpClsID=9) and t1.FInterID =##Bom##";

constexpr std::string_view kRootRow = " insert into #TmpICBOM values( ##Item##,'##Item##',1)";
constexpr std::string_view kRecordStep =
    " insert into #TmpICBOM select ##Item##,'##Path##',##Level##";

std::string ActiveBomSql(int32_t item_id) {
  return frame::SqlTemplate(kActiveBom).Number("Item", item_id).Sql();
}

std::string ComponentsSql(int32_t bom_id, std::string_view separator) {
  return frame::SqlTemplate(kComponents).Fragment("Sep", separator).Number("Bom", bom_id).Sql();
}

// A row of the work table: the item, its path from the root (ids joined by ".") and its level.
std::string RecordStepSql(int32_t item_id, const std::string& path, int32_t level) {
  // The path holds digits and dots only, so it goes in as it is, between the quotes.
  return frame::SqlTemplate(kRecordStep)
      .Number("Item", item_id)
      .Fragment("Path", path)
      .Number("Level", level)
      .Sql();
}

bool Contains(db::Recordset& rows, std::string_view field, int32_t value) {
  if (rows.RecordCount() > 0) rows.MoveFirst();
  for (; !rows.Eof(); rows.MoveNext()) {
    if (rows.Field(field).ToInt32() == value) return true;
  }
  return false;
}

int32_t LastLevel(db::Recordset& rows) {
  if (rows.RecordCount() <= 0) return 0;
  rows.MoveLast();
  return rows.Field("FLevel").ToInt32();
}

// True when a loop is found below `item_id`, reached along `path`.
bool ExpandBomChild(db::Connection& connection, int32_t item_id, const std::string& path) {
  const db::RecordsetPtr recorded = connection.Execute("select * from #TmpICBOM ");
  const db::RecordsetPtr bom = connection.Execute(ActiveBomSql(item_id) + " ");
  if (bom->Eof()) return false;
  const db::RecordsetPtr components =
      connection.Execute(ComponentsSql(bom->Field("FInterID").ToInt32(), kCrLf));
  const int32_t next_level = LastLevel(*recorded) + 1;
  for (; !components->Eof(); components->MoveNext()) {
    const int32_t component = components->Field("FItemID").ToInt32();
    // A plain substring test on the path, as the walk has always done: "12" is found in "1.112".
    if (Contains(*recorded, "FItemID", component) &&
        path.find(Id(component)) != std::string::npos) {
      return true;
    }
    const std::string extended = path + "." + Id(component);
    connection.Execute(RecordStepSql(item_id, extended, next_level));
    if (ExpandBomChild(connection, component, extended)) return true;
  }
  return false;
}

// Records the root and its components, then expands each component; true when a loop is found.
bool WalkFromRoot(db::Connection& connection, int32_t item_id, int32_t bom_id) {
  connection.Execute(frame::SqlTemplate(kRootRow).Number("Item", item_id).Sql());
  const db::RecordsetPtr components = connection.Execute(ComponentsSql(bom_id, ""));
  std::string inserts;
  for (; !components->Eof(); components->MoveNext()) {
    const int32_t component = components->Field("FItemID").ToInt32();
    inserts += RecordStepSql(component, Id(item_id) + "." + Id(component), kLevelTwo);
    inserts += kCrLf;
  }
  if (!inserts.empty()) connection.Execute(inserts);

  const db::RecordsetPtr level_two = connection.Execute("select * from #TmpICBOM where FLevel>1");
  for (; !level_two->Eof(); level_two->MoveNext()) {
    if (ExpandBomChild(connection, level_two->Field("FItemID").ToInt32(),
                       level_two->Field("FNumber").ToString())) {
      return true;
    }
  }
  return false;
}

void CreateWorkTable(db::Connection& connection) {
  try {
    connection.Execute(" Create table #TmpICBOM (FItemID Int,FNumber varchar(4000),FLevel int)");
  } catch (const Error&) {
    // A table left on the connection is used as it is.
    connection.errors().Clear();
    services::ClearPendingError();
  }
}

}  // namespace

void CheckChildExpandToItem(frame::ClassFrame& frame, const std::string& sDsn, int32_t ItemID,
                            bool& result) {
  frame.AttachDsn(sDsn);
  frame.VoteCommit();
  result = true;
  const db::ConnectionPtr connection = frame.data_access_service()->OpenConnection();
  CreateWorkTable(*connection);
  // The next call's loop test needs a table holding only its own rows: drop it on every way out.
  frame::TempTableGuard work_table(frame, sDsn, std::string(kWorkTable), connection);

  const db::RecordsetPtr bom = connection->Execute(ActiveBomSql(ItemID));
  if (!bom->Eof()) result = !WalkFromRoot(*connection, ItemID, bom->Field("FInterID").ToInt32());
  work_table.Drop();
}

}  // namespace cb::precheck
