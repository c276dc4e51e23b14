// ObjectFactory: per-thread component creation over a process-wide, lock-protected ProgID table.
#include "platform/services/object_factory.h"

#include <mutex>

#include "platform/db/name_compare.h"
#include "platform/services/default_components.h"
#include "platform/variant/error.h"

namespace cb::services {
namespace {

using ComponentTable = std::vector<std::pair<std::string, ComponentFactory>>;

struct ProcessComponents {
  std::mutex mutex;
  ComponentTable components;
};

ProcessComponents& Process() {
  static ProcessComponents process;
  return process;
}

ComponentFactory* Find(ComponentTable& table, std::string_view prog_id) {
  for (auto& [name, factory] : table) {
    if (db::EqualsIgnoreCase(name, prog_id)) return &factory;
  }
  return nullptr;
}

bool Erase(ComponentTable& table, std::string_view prog_id) {
  for (auto it = table.begin(); it != table.end(); ++it) {
    if (db::EqualsIgnoreCase(it->first, prog_id)) {
      table.erase(it);
      return true;
    }
  }
  return false;
}

void Put(ComponentTable& table, std::string prog_id, ComponentFactory factory, bool replace) {
  if (ComponentFactory* known = Find(table, prog_id)) {
    if (replace) *known = std::move(factory);
    return;
  }
  table.emplace_back(std::move(prog_id), std::move(factory));
}

}  // namespace

void RegisterComponent(std::string prog_id, ComponentFactory factory) {
  ProcessComponents& process = Process();
  std::lock_guard lock(process.mutex);
  Put(process.components, std::move(prog_id), std::move(factory), true);
}

void RegisterComponentIfAbsent(std::string prog_id, ComponentFactory factory) {
  ProcessComponents& process = Process();
  std::lock_guard lock(process.mutex);
  Put(process.components, std::move(prog_id), std::move(factory), false);
}

bool UnregisterComponent(std::string_view prog_id) {
  ProcessComponents& process = Process();
  std::lock_guard lock(process.mutex);
  return Erase(process.components, prog_id);
}

ObjectFactory::ObjectFactory() {
  RegisterDefaultComponents();
}

ObjectFactory& ObjectFactory::Current() {
  thread_local ObjectFactory factory;
  return factory;
}

ObjectPtr ObjectFactory::CreateComponent(std::string_view ProgID) {
  ComponentFactory factory;
  if (ComponentFactory* own = Find(thread_components_, ProgID)) {
    factory = *own;
  } else {
    ProcessComponents& process = Process();
    std::lock_guard lock(process.mutex);
    if (ComponentFactory* shared = Find(process.components, ProgID)) factory = *shared;
  }
  if (!factory) {
    throw Error(
        kErrCannotCreateObject, "ObjectFactory",
        "Cannot create component '" + std::string(ProgID) + "': no such ProgID is registered");
  }
  ObjectPtr component = factory();
  if (!component) {
    throw Error(kErrCannotCreateObject, "ObjectFactory",
                "Cannot create component '" + std::string(ProgID) + "': its factory made nothing");
  }
  return component;
}

void ObjectFactory::Register(std::string prog_id, ComponentFactory factory) {
  Put(thread_components_, std::move(prog_id), std::move(factory), true);
}

bool ObjectFactory::Unregister(std::string_view prog_id) {
  return Erase(thread_components_, prog_id);
}

}  // namespace cb::services
