// PORequest2ICMrpResult: validation of the requisition hand-over.
#include "platform/sqlite/procedures/po_request_to_mrp_result.h"

#include <string>

#include "platform/sqlite/procedures/procedure_parameters.h"

namespace cb::sqlite {
namespace {

constexpr char kName[] = "PORequest2ICMrpResult";
constexpr size_t kReturnTextLength = 200;

void Answer(db::Parameters& parameters, db::Parameter& text, int32_t code, std::string reason) {
  if (reason.size() > kReturnTextLength) reason.resize(kReturnTextLength);
  text.value = Variant(std::move(reason));
  SetReturnValue(parameters, code);
}

}  // namespace

void PORequest2ICMrpResult(db::Connection& connection, db::Parameters& parameters) {
  int32_t inter_id = IntegerParameter(parameters, kName, "@lInterID");
  int32_t type = IntegerParameter(parameters, kName, "@iType");
  int32_t status = IntegerParameter(parameters, kName, "@iStatus");
  db::Parameter& text = RequiredParameter(parameters, kName, "@strReturn");
  if (type != 1) {
    Answer(parameters, text, 1, "Unknown hand-over type " + std::to_string(type) + ".");
    return;
  }
  if (status != 0 && status != 1) {
    Answer(parameters, text, 1, "Unknown requisition status " + std::to_string(status) + ".");
    return;
  }
  db::RecordsetPtr requisition = connection.Execute(
      "SELECT FInterID FROM PORequest WHERE FInterID=" + std::to_string(inter_id));
  if (requisition->Eof()) {
    Answer(parameters, text, 1,
           "Purchase requisition " + std::to_string(inter_id) + " does not exist.");
    return;
  }
  Answer(parameters, text, 0, "");
}

}  // namespace cb::sqlite
