// Runs the built checkbill program for the verb tests and collects its exit code and output.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <future>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "support/temp_database.h"

namespace cb::tool::testing {

struct ToolRun {
  int exit_code = -1;
  std::string out;
  std::string err;
};

inline std::string ShellQuote(const std::string& word) {
  std::string quoted = "'";
  for (char c : word) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// The bytes of a file; "" when there is none.
inline std::string Contents(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Runs the program with words in folder dir (stderr goes through err_name there); stdin_text is
// what the program reads on its standard input.
inline ToolRun RunTool(const std::filesystem::path& dir, const std::vector<std::string>& words,
                       const std::string& stdin_text = "",
                       const std::string& err_name = "stderr.txt") {
  const std::filesystem::path err_file = dir / err_name;
  std::string command = "cd " + ShellQuote(dir.string()) + " && printf %s " +
                        ShellQuote(stdin_text) + " | " + ShellQuote(CHECKBILL_BINARY);
  for (const std::string& word : words) command += " " + ShellQuote(word);
  command += " 2>" + ShellQuote(err_file.string());
  ToolRun run;
  FILE* pipe = ::popen(command.c_str(), "r");
  if (pipe == nullptr) return run;
  char buffer[4096];
  size_t got = 0;
  while ((got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, got);
  const int status = ::pclose(pipe);
  run.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  run.err = Contents(err_file);
  return run;
}

// A fresh folder per test with a database path in it, removed afterwards; Run runs the program
// there.
class ToolTest : public ::testing::Test {
 protected:
  ToolRun Run(const std::vector<std::string>& words, const std::string& stdin_text = "") const {
    return RunTool(dir_, words, stdin_text);
  }
  // Runs every command line at once, each with its own error file; the answers in their order.
  // Runs that each wait for the same lock then take one wait instead of one each.
  std::vector<ToolRun> RunTogether(const std::vector<std::vector<std::string>>& runs) const {
    std::vector<std::future<ToolRun>> pending;
    for (size_t i = 0; i < runs.size(); ++i) {
      pending.push_back(std::async(std::launch::async, [this, &runs, i] {
        return RunTool(dir_, runs[i], "", "stderr" + std::to_string(i) + ".txt");
      }));
    }
    std::vector<ToolRun> done;
    for (std::future<ToolRun>& run : pending) done.push_back(run.get());
    return done;
  }

  // The suite's schema and the demo data in dsn_.
  void InitDemo() const {
    const ToolRun run = Run({"init", "--dsn", dsn_, "--demo"});
    ASSERT_EQ(run.exit_code, 0) << run.err;
  }

  // The first column of the first row a query on dsn_ returns; null when there is none.
  nlohmann::json Scalar(const std::string& query) const {
    const ToolRun run = Run({"sql", "--dsn", dsn_, query});
    EXPECT_EQ(run.exit_code, 0) << query << "\n" << run.err;
    const nlohmann::json rows = nlohmann::json::parse(run.out, nullptr, false);
    if (!rows.is_array() || rows.empty()) return nullptr;
    return rows[0].begin().value();
  }

  cb::testing::TempDatabase scratch_;
  const std::filesystem::path dir_ = scratch_.directory();
  const std::string dsn_ = "Provider=SQLite;Data Source=" + (dir_ / "t.db").string();
};

}  // namespace cb::tool::testing
