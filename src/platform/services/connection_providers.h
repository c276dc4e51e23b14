// Connection providers: the "Provider" names of data source strings and how each opens a
// connection.
#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "platform/db/connection.h"
#include "platform/db/data_source.h"

namespace cb::services {

// ADO's number for a provider that is not installed.
inline constexpr int32_t kErrProviderNotFound = 3706;

// Opens a new connection to a parsed data source; raises cb::Error when it cannot.
using ConnectionOpener = std::function<db::ConnectionPtr(const db::DataSource&)>;

// Registers (or replaces) the provider `name`, compared without regard to ASCII case, for the whole
// process. Hosts and tests use it to add their own providers; the engine registers the SQLite
// provider when its public classes are first used.
void RegisterConnectionProvider(std::string name, ConnectionOpener opener);
// Registers a provider unless one is registered under that name already.
void RegisterConnectionProviderIfAbsent(std::string name, ConnectionOpener opener);
// Removes a provider; false when none was registered under that name.
bool UnregisterConnectionProvider(std::string_view name);
// True when a provider of that name is registered.
bool HasConnectionProvider(std::string_view name);

// Opens a connection through the provider the data source names. Raises cb::Error
// (kErrProviderNotFound) naming the provider when it is not available in this build.
db::ConnectionPtr OpenProviderConnection(const db::DataSource& data_source);

}  // namespace cb::services
