// The database of one scenario run: a file of its own made from an image of another database, so
// that every run starts from exactly the same rows without installing the schema again.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/sqlite/sqlite_connection.h"

namespace cb::scenario {

// The bytes of a whole database file.
using Image = std::string;

// Every table's rows, each row as text, sorted (the order of rows is not the database's content).
using TableRows = std::map<std::string, std::vector<std::string>>;

// The suite's schema with its seed rows, installed once per process.
const Image& SchemaImage();

class RunDatabase {
 public:
  // Writes image to a new temporary file and opens it (rollback journal: one connection only).
  explicit RunDatabase(const Image& image);
  ~RunDatabase();
  RunDatabase(const RunDatabase&) = delete;
  RunDatabase& operator=(const RunDatabase&) = delete;

  const std::shared_ptr<sqlite::SqliteConnection>& connection() const { return connection_; }

  // The file as it is now; call outside a transaction.
  Image Snapshot() const;
  // Every row of every table of the file.
  TableRows AllRows() const;

 private:
  std::string path_;
  std::shared_ptr<sqlite::SqliteConnection> connection_;
};

}  // namespace cb::scenario
