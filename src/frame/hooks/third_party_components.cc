// Lists registered hook components and creates them through the object factory.
#include "frame/hooks/third_party_components.h"

#include "frame/sql_template.h"
#include "frame/vocabulary/text.h"
#include "platform/services/object_factory.h"

namespace cb::hooks {

std::string ThirdPartyComponentsQuery(int32_t lTypeID, int32_t lTypeDetailID) {
  return frame::SqlTemplate(
             "SELECT FIndex,FComponentName,FComponentSrv FROM t_ThirdPartyComponent WHERE "
             "FTypeID=##Type## AND FTypeDetailID=##Detail## ORDER BY FIndex ")
      .Number("Type", lTypeID)
      .Number("Detail", lTypeDetailID)
      .Sql();
}

VectorPtr ReadComponentProgIDs(db::Recordset& rows, int32_t nWhich) {
  const std::string_view column = nWhich == kWhichComponentSrv ? "FComponentSrv" : "FComponentName";
  VectorPtr prog_ids = Vector::Create();
  for (rows.MoveFirst(); !rows.Eof(); rows.MoveNext()) {
    const Variant value = rows.Field(column);
    const std::string name = value.IsNull() ? std::string() : value.ToString();
    const std::string trimmed = Trim(name);
    if (!trimmed.empty()) prog_ids->Add(Variant(trimmed));
  }
  return prog_ids;
}

VectorPtr GetThirdPartyComponents(frame::ClassFrame& frame, const std::string& sDsn,
                                  int32_t lTypeID, int32_t lTypeDetailID, int32_t nWhich) {
  frame.VoteCommit();
  frame.AttachDsn(sDsn);
  const db::ConnectionPtr connection = frame.data_access_service()->OpenConnection();
  const db::RecordsetPtr rows =
      connection->Execute(ThirdPartyComponentsQuery(lTypeID, lTypeDetailID));
  if (!rows->IsOpen() || rows->Eof()) return nullptr;
  return ReadComponentProgIDs(*rows, nWhich);
}

ObjectPtr CreateComponentByProgID(std::string_view ProgID) {
  return services::ObjectFactory::Current().CreateComponent(ProgID);
}

}  // namespace cb::hooks
