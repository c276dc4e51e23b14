// The message catalogues compiled into the program from resources/*.messages at build time.
#pragma once

#include <span>
#include <string_view>

namespace cb::services {

struct EmbeddedCatalog {
  std::string_view language;     // "zh", "en": the catalogue file's base name
  std::string_view source_name;  // the file name, for error texts
  std::string_view text;         // the file's bytes, still in the catalogue text format
};

// Every catalogue of resources/, in a fixed order. Defined in a source file that the build
// generates.
std::span<const EmbeddedCatalog> EmbeddedCatalogs();

}  // namespace cb::services
