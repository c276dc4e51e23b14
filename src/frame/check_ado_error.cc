// CheckADOError: classification of a connection's pending errors and the message they make.
#include "frame/check_ado_error.h"

#include <memory>
#include <optional>
#include <string>

#include "frame/public_call.h"
#include "frame/vocabulary/text.h"
#include "platform/services/ado_error_classifier.h"
#include "platform/services/object_factory.h"
#include "platform/variant/error.h"

namespace cb::frame {
namespace {

std::shared_ptr<services::AdoErrorClassifier> CreateClassifier() {
  ObjectPtr created =
      services::ObjectFactory::Current().CreateComponent(services::kAdoErrorClassifierProgID);
  auto classifier = std::dynamic_pointer_cast<services::AdoErrorClassifier>(created);
  if (!classifier) {
    throw Error(kErrTypeMismatch, "CheckADOError",
                "The component registered as VellErrorHandle.CheckADOError cannot classify errors");
  }
  return classifier;
}

}  // namespace

bool CheckADOError(db::Connection& oConnection, bool bRaise) {
  const db::Errors& errors = oConnection.errors();
  if (errors.empty()) return false;

  std::string message;
  bool found = false;
  int32_t number = 0;
  std::shared_ptr<services::AdoErrorClassifier> classifier;
  try {
    classifier = CreateClassifier();
  } catch (...) {
    // Any failure to create the classifier, whatever its kind, heads the message.
    const Error creation = CurrentExceptionAsError();
    message = "Number:" + std::to_string(creation.number()) + kCrLf +
              "Description:" + creation.description() + kCrLf;
    number = creation.number();
    found = true;
  }

  for (const db::DbError& error : errors) {
    if (!found && classifier->IsError(error)) {
      number = error.number;
      found = true;
    }
    message += "Description:" + error.description + kCrLf;
  }

  if (bRaise && found) throw Error(number, "", message);
  return found;
}

}  // namespace cb::frame
