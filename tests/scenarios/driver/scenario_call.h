// One call of a scenario, made as the host makes it on a database of its own: the engine's
// data-access service hands out the run's database through a fault-injecting connection, the host
// opens the transaction and ends it by the last vote the call cast.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/sqlite/sqlite_connection.h"
#include "scenarios/driver/scenario.h"
#include "support/temp_database.h"
#include "tools/checkbill/json_convert.h"

namespace cb::scenario {

// The bytes of a whole database file.
using Image = std::string;

// Every table's rows, each row as text, sorted (the order of rows is not the database's content).
using TableRows = std::map<std::string, std::vector<std::string>>;

// A file of its own made from an image of another database, so that every run starts from exactly
// the same rows without installing the schema again.
class RunDatabase {
 public:
  // Writes image to a new temporary file and opens it (rollback journal: one connection only); an
  // empty image gives an empty database.
  explicit RunDatabase(const Image& image);

  const std::shared_ptr<sqlite::SqliteConnection>& connection() const { return connection_; }

  // The file as it is now; call outside a transaction.
  Image Snapshot() const;
  TableRows AllRows() const;

 private:
  testing::TempDatabase directory_;  // declared first: the connection closes before the file goes
  std::shared_ptr<sqlite::SqliteConnection> connection_;
};

struct CallOutcome {
  // What the call answered, as `checkbill call` prints it: "result" and every by-reference
  // parameter (for CheckBill, "DictParams" holds the result keys).
  tool::Json answer;
  std::string vote = "none";  // the last vote of the call: "commit", "abort" or "none"
  std::vector<std::string> statements;
  // Set when the call could not be made or ended badly: unknown member, bad parameters, an
  // exception out of the member, a failed commit.
  std::string error;
};

// A call's clean run: the database it started from, and what it did.
struct CleanRun {
  Image image;
  TableRows rows;
  CallOutcome outcome;
};

// Makes the call on database, failing its statement number fail_at (0: none).
CallOutcome RunCall(RunDatabase& database, const Call& call, int64_t fail_at);

}  // namespace cb::scenario
