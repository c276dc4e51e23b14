// Registration of the engine's own public classes with the object factory.
#pragma once

namespace cb::engine {

// Registers CheckNow and CPreCheck under their ProgIDs for the whole process, without replacing a
// host's earlier registration, the platform's default components and the SQLite provider. Runs
// once. Every public class calls it when an instance is created, so a running check can always
// reach CPreCheck by its ProgID; a host that creates the classes by ProgID before making any
// instance calls it first.
void RegisterEngineComponents();

}  // namespace cb::engine
