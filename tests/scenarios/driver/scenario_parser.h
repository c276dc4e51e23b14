// Reading a scenario file: sections that start with an @ line, bodies up to the next one.
#pragma once

#include <stdexcept>
#include <string>

#include "scenarios/driver/scenario.h"

namespace cb::scenario {

// A file that does not follow the format; the message starts with "path:line: ".
class ParseError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The scenarios of the text read from path (path only names places). Raises ParseError for a
// section out of place, a missing name or body, JSON that is not an object, or a row whose cells
// do not match its header.
ScenarioFile ParseScenarioText(const std::string& path, const std::string& text);

// As ParseScenarioText, on the file's contents; a file that cannot be read is a ParseError.
ScenarioFile ParseScenarioFile(const std::string& path);

}  // namespace cb::scenario
