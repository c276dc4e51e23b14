// Connection providers: a process-wide, lock-protected table from provider name to opener.
#include "platform/services/connection_providers.h"

#include <mutex>
#include <vector>

#include "platform/db/name_compare.h"
#include "platform/services/default_components.h"
#include "platform/variant/error.h"

namespace cb::services {
namespace {

struct ProviderTable {
  std::mutex mutex;
  std::vector<std::pair<std::string, ConnectionOpener>> providers;
};

ProviderTable& Table() {
  static ProviderTable table;
  return table;
}

void Put(std::string name, ConnectionOpener opener, bool replace) {
  ProviderTable& table = Table();
  std::lock_guard lock(table.mutex);
  for (auto& [known, known_opener] : table.providers) {
    if (db::EqualsIgnoreCase(known, name)) {
      if (replace) known_opener = std::move(opener);
      return;
    }
  }
  table.providers.emplace_back(std::move(name), std::move(opener));
}

}  // namespace

void RegisterConnectionProvider(std::string name, ConnectionOpener opener) {
  Put(std::move(name), std::move(opener), true);
}

void RegisterConnectionProviderIfAbsent(std::string name, ConnectionOpener opener) {
  Put(std::move(name), std::move(opener), false);
}

bool UnregisterConnectionProvider(std::string_view name) {
  ProviderTable& table = Table();
  std::lock_guard lock(table.mutex);
  for (auto it = table.providers.begin(); it != table.providers.end(); ++it) {
    if (db::EqualsIgnoreCase(it->first, name)) {
      table.providers.erase(it);
      return true;
    }
  }
  return false;
}

bool HasConnectionProvider(std::string_view name) {
  RegisterDefaultComponents();
  ProviderTable& table = Table();
  std::lock_guard lock(table.mutex);
  for (const auto& entry : table.providers) {
    if (db::EqualsIgnoreCase(entry.first, name)) return true;
  }
  return false;
}

db::ConnectionPtr OpenProviderConnection(const db::DataSource& data_source) {
  RegisterDefaultComponents();
  ConnectionOpener opener;
  {
    ProviderTable& table = Table();
    std::lock_guard lock(table.mutex);
    for (const auto& [name, known_opener] : table.providers) {
      if (db::EqualsIgnoreCase(name, data_source.provider)) opener = known_opener;
    }
  }
  if (!opener) {
    throw Error(kErrProviderNotFound, "DataAccessService",
                "Provider '" + data_source.provider + "' is not available in this build");
  }
  // Opened outside the lock: opening a file may take a while and must not block other threads.
  return opener(data_source);
}

}  // namespace cb::services
