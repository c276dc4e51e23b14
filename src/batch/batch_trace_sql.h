// The statements and messages of the customer-BOM batch trace.
#pragma once

#include <string_view>

namespace cb::batch {

// Configured-item lines of the bill ##Bill##.
extern const std::string_view kConfiguredLinesSql;
// Batches of the bill ##Bill## without an active trace row (receipts, issues, counts, transfers).
extern const std::string_view kUntracedBatchesSql;
// Fills #OrderBOM for a product or process receipt (##Bill##, head FROB ##ROB##), reads it out
// ordered by item, batch and customer BOM, and drops it. Its comment lines are the markers
// ##ProductionOrderLines## and ##SalesOrderLines##.
extern const std::string_view kProductionLinksSql;
// The same for a sales delivery, without production orders and without an order of the read-out;
// its comment lines are ##LinkedLines## and ##UnlinkedLines##.
extern const std::string_view kSalesLinksSql;

extern const std::string_view kProductionOrderLinesComment;
extern const std::string_view kSalesOrderLinesComment;
extern const std::string_view kLinkedLinesComment;
extern const std::string_view kUnlinkedLinesComment;

extern const std::string_view kMissingOrDisabled;  // no active binding
extern const std::string_view kBoundElsewhere;     // two customer BOMs for one batch in the bill
extern const std::string_view kBoundElsewhereInTable;  // the table binds it to another one
extern const std::string_view kMissing;                // no binding (sales)
extern const std::string_view kDisabled;               // only disabled bindings (sales)

}  // namespace cb::batch
