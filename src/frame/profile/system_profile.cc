// Loads the profile Dictionary from t_SystemProfile.
#include "frame/profile/system_profile.h"

#include "frame/profile/system_profile_query.h"

namespace cb::profile {

DictionaryPtr LoadSystemProfile(db::Connection& connection) {
  const db::RecordsetPtr rows = connection.Execute(SystemProfileQuery());
  if (!rows || !rows->IsOpen() || rows->Eof()) return nullptr;
  DictionaryPtr profile = Dictionary::Create();
  for (rows->MoveFirst(); !rows->Eof(); rows->MoveNext()) {
    std::string key = rows->Field("FCategory").ToString();
    key += kKeySeparator;
    key += rows->Field("FKey").ToString();
    profile->Write(key, rows->Field("FValue"));
  }
  return profile;
}

DictionaryPtr GetSystemProfile(frame::ClassFrame& frame, const std::string& sDsn,
                               const db::ConnectionPtr& oConnection) {
  const db::ConnectionPtr connection = frame.GetConnection(sDsn, true, oConnection);
  return LoadSystemProfile(*connection);
}

}  // namespace cb::profile
