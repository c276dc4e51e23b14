// The components every process has unless a host replaces them.
#pragma once

namespace cb::services {

// Registers, once per process, the default components (the ADO-error classifier, the resource
// loader, the sales-credit components) without replacing what a host registered before. No
// connection provider is registered here: the engine registers SQLite's above this layer. Called by
// the object factory and the provider table on first use; a host may call it earlier and then
// replace what it likes. Safe to call from any thread, any number of times.
void RegisterDefaultComponents();

}  // namespace cb::services
