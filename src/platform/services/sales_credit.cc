// The default sales-credit components: without configured credit data every bill passes.
#include "platform/services/sales_credit.h"

namespace cb::services {

bool SaleCreditSetData::AdjustCredit(DictionaryPtr& /*credit_request*/) {
  return true;
}

bool SaleCreditGetData::CheckCredit(DictionaryPtr& /*credit_request*/, ObjectPtr& credit_info) {
  credit_info = Dictionary::Create();
  return true;
}

}  // namespace cb::services
