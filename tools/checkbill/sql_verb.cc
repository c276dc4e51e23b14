// The sql verb: runs one T-SQL batch through the dialect layer in one transaction and prints its
// first result set.
#include <CLI/CLI.hpp>
#include <fstream>
#include <iterator>
#include <memory>
#include <ostream>

#include "tools/checkbill/json_convert.h"
#include "tools/checkbill/open_connection.h"
#include "tools/checkbill/verb.h"

namespace cb::tool {

namespace {

struct SqlOptions {
  std::string dsn;
  std::string file;
  std::string batch;
};

std::string ReadBatch(const SqlOptions& options) {
  if (options.file.empty() == options.batch.empty()) {
    throw UsageError("sql: give --file PATH or one batch (quoted), not both or neither");
  }
  if (options.file.empty()) return options.batch;
  std::ifstream in(options.file, std::ios::binary);
  if (!in) throw UsageError("sql: cannot read the batch file '" + options.file + "'");
  return std::string(std::istreambuf_iterator<char>(in), {});
}

ExitStatus RunSql(const SqlOptions& options, Io& io) {
  const std::string batch = ReadBatch(options);
  const db::ConnectionPtr connection = OpenConnection(options.dsn, engine::OpenMode::kExisting);
  db::RecordsetPtr result;
  try {
    connection->BeginTrans();
    result = connection->Execute(batch);
    connection->CommitTrans();
  } catch (const Error& error) {
    ToolError failure = DatabaseFailure(*connection, error);
    try {
      if (connection->InTransaction()) connection->RollbackTrans();
    } catch (const Error&) {
      // The statement's failure is the one to report; SQLite may have rolled back already.
    }
    throw ToolError(failure.status(), std::string(failure.what()) +
                                          "\nThe batch was rolled back: nothing it did was kept.");
  }
  io.out << DumpJson(result ? RecordsetToJson(*result) : Json::array()) << "\n";
  return ExitStatus::kDone;
}

}  // namespace

void AddSqlVerb(CLI::App& app, Invocation& invocation) {
  auto options = std::make_shared<SqlOptions>();
  CLI::App* verb =
      AddVerb(app, invocation, "sql",
              "run one T-SQL batch in one transaction (rolled back on error) and print "
              "its first result set as a JSON array of rows");
  verb->add_option("--dsn", options->dsn, "data source string of an existing database")->required();
  CLI::Option* file = verb->add_option("--file", options->file, "read the batch from this file");
  CLI::Option* batch = verb->add_option("batch", options->batch, "the batch (quote it)");
  file->excludes(batch);
  verb->callback([&invocation, options] {
    invocation.run = [options](Io& io) { return RunSql(*options, io); };
  });
}

}  // namespace cb::tool
