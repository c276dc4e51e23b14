// The schema fixture under the name the rule tests use.
#pragma once

#include "support/suite_database.h"

namespace cb::schema::testing {

using InstalledSchema = cb::testing::SchemaDatabase;

}  // namespace cb::schema::testing
