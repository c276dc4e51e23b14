// The whole-call fixture under the path the flow and stock tests include.
#pragma once

#include "support/suite_database.h"
