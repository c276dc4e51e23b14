// The sql verb: runs one T-SQL batch through the dialect layer and prints its first result set.
#include <fstream>
#include <ostream>
#include <sstream>

#include "checkbill/values.h"
#include "tools/checkbill/json_convert.h"
#include "tools/checkbill/open_connection.h"
#include "tools/checkbill/verb.h"

namespace cb::tool {

namespace {

std::string ReadBatch(const Arguments& arguments) {
  const std::optional<std::string> file = arguments.Option("file");
  if (file && !arguments.positionals.empty()) throw UsageError("give --file or a batch, not both");
  if (!file) {
    if (arguments.positionals.size() != 1) throw UsageError("give exactly one batch (quote it)");
    return arguments.positionals.front();
  }
  std::ifstream in(*file, std::ios::binary);
  if (!in)
    throw Error(kErrInvalidArgument, "checkbill", "Cannot read the batch file '" + *file + "'");
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

int RunSqlVerb(const Arguments& arguments, std::ostream& out, std::ostream&) {
  const std::string& dsn = arguments.Required("dsn");
  const std::string batch = ReadBatch(arguments);
  const db::ConnectionPtr connection = OpenConnection(dsn);
  const db::RecordsetPtr result = connection->Execute(batch);
  out << DumpJson(result ? RecordsetToJson(*result) : Json::array()) << "\n";
  return kExitOk;
}

}  // namespace cb::tool
