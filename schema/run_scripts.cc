// Runs embedded schema scripts and names the failing file in the error.
#include <string>

#include "platform/variant/error.h"
#include "schema/suite_scripts.h"

namespace cb::schema {

void RunScripts(db::Connection& connection, std::span<const SuiteScript> scripts,
                std::string_view what) {
  for (const SuiteScript& script : scripts) {
    try {
      connection.Execute(script.text);
    } catch (const Error& error) {
      throw Error(error.number(), "cb.schema",
                  std::string(what) + " failed in " + std::string(script.name) + ": " +
                      error.description());
    }
  }
}

}  // namespace cb::schema
