// Runs the built checkbill program for the verb tests and collects its exit code and output.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

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

// Runs the program with words in folder dir (stderr goes through a file there); stdin_text is what
// the program reads on its standard input.
inline ToolRun RunTool(const std::filesystem::path& dir, const std::vector<std::string>& words,
                       const std::string& stdin_text = "") {
  const std::filesystem::path err_file = dir / "stderr.txt";
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
  std::ifstream in(err_file, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  run.err = text.str();
  return run;
}

// A fresh folder per test with a database path in it, removed afterwards; Run runs the program
// there.
class ToolTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = std::filesystem::temp_directory_path() /
           ("checkbill_tool_" + std::to_string(::getpid()) + "_" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::remove_all(dir_);
    std::filesystem::create_directories(dir_);
    dsn_ = "Provider=SQLite;Data Source=" + (dir_ / "t.db").string();
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  ToolRun Run(const std::vector<std::string>& words, const std::string& stdin_text = "") const {
    return RunTool(dir_, words, stdin_text);
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

  std::filesystem::path dir_;
  std::string dsn_;
};

}  // namespace cb::tool::testing
