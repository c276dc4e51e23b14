// The values that cross the public interface: Variant, Dictionary, Vector, dates as day numbers,
// recordsets and the run-time Error that a raising member throws.
#pragma once

#include "platform/db/connection.h"
#include "platform/db/recordset.h"
#include "platform/db/recordset_filter.h"
#include "platform/variant/date.h"
#include "platform/variant/dictionary.h"
#include "platform/variant/error.h"
#include "platform/variant/object.h"
#include "platform/variant/variant.h"
#include "platform/variant/vector.h"
