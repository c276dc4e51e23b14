-- The suite's registries: transaction types, system profile, hook components and the accounting calendar.

-- One row per transaction type: the head and entry tables that hold its bills. '' names no table.
CREATE TABLE ICTransactionType (
  FID INT NOT NULL PRIMARY KEY,
  FName VARCHAR(80) NULL,
  FHeadTable VARCHAR(50) NOT NULL DEFAULT(''),
  FEntryTable VARCHAR(50) NOT NULL DEFAULT('')
)

-- Switches of the suite, one row per category and key; values are text ('1'/'0' for switches).
CREATE TABLE t_SystemProfile (
  FCategory VARCHAR(30) NOT NULL,
  FKey VARCHAR(50) NOT NULL,
  FValue VARCHAR(255) NULL,
  FExplanation NVARCHAR(255) NULL,
  PRIMARY KEY (FCategory, FKey)
)

-- Site components called while a bill is checked. Type 9: detail = transaction type; type 2: detail =
-- stage (200001, 200002, 200003). The key makes the calling order unambiguous.
CREATE TABLE t_ThirdPartyComponent (
  FTypeID INT NOT NULL,
  FTypeDetailID INT NOT NULL,
  FIndex INT NOT NULL,
  FComponentSrv VARCHAR(255) NULL,
  FComponentName VARCHAR(255) NULL,
  PRIMARY KEY (FTypeID, FTypeDetailID, FIndex)
)

-- Accounting periods: first and last day of each period of each year.
CREATE TABLE t_AccountingPeriod (
  FYear INT NOT NULL,
  FPeriod INT NOT NULL,
  FStartDate DATETIME NOT NULL,
  FEndDate DATETIME NOT NULL,
  PRIMARY KEY (FYear, FPeriod)
)
