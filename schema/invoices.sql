-- Invoices, expense bills, apportioned fees and the hook (matching) groups that tie invoices to stock
-- bills.

-- Purchase invoices (75 special, 76 ordinary). FPOStyle and FInvStyle are the purchase style and the
-- invoice style; FCheckStatus 1/2 = fully/partly verified, FCheckAmountFor the verified amount;
-- FPayAmount(For) the amounts already paid.
CREATE TABLE ICPurchase (
  FInterID INT NOT NULL PRIMARY KEY,
  FBillNo VARCHAR(255) NULL,
  FTranType INT NOT NULL,
  FDate DATETIME NULL,
  FCancelLation BIT NOT NULL DEFAULT(0),
  FStatus SMALLINT NULL DEFAULT(0),
  FCheckerID INT NULL,
  FCheckDate DATETIME NULL,
  FBillerID INT NULL,
  FHookInterID INT NULL DEFAULT(0),
  FOrgBillInterID INT NULL DEFAULT(0),
  FVchInterID INT NULL DEFAULT(0),
  FPOStyle INT NULL DEFAULT(0),
  FInvStyle INT NULL DEFAULT(0),
  FCheckStatus SMALLINT NULL DEFAULT(0),
  FCheckAmountFor DECIMAL(28,10) NULL DEFAULT(0),
  FPurchaseAmountFor DECIMAL(28,10) NULL DEFAULT(0),
  FPayAmount DECIMAL(28,10) NULL DEFAULT(0),
  FPayAmountFor DECIMAL(28,10) NULL DEFAULT(0),
  FSupplyID INT NULL,
  FCurrencyID INT NULL,
  FExchangeRate DECIMAL(28,10) NULL DEFAULT(1)
)

CREATE TABLE ICPurchaseEntry (
  FInterID INT NOT NULL,
  FEntryID INT NOT NULL,
  FItemID INT NOT NULL,
  FUnitID INT NULL,
  FQty DECIMAL(28,10) NULL DEFAULT(0),
  FAuxPrice DECIMAL(28,10) NULL DEFAULT(0),
  FAuxTaxPrice DECIMAL(28,10) NULL DEFAULT(0),
  PRIMARY KEY (FInterID, FEntryID)
)

-- Sales invoices (80 special, 86 ordinary), laid out as the purchase invoices with the received
-- amounts FReceiveAmount(For).
CREATE TABLE ICSale (
  FInterID INT NOT NULL PRIMARY KEY,
  FBillNo VARCHAR(255) NULL,
  FTranType INT NOT NULL,
  FDate DATETIME NULL,
  FCancelLation BIT NOT NULL DEFAULT(0),
  FStatus SMALLINT NULL DEFAULT(0),
  FCheckerID INT NULL,
  FCheckDate DATETIME NULL,
  FBillerID INT NULL,
  FHookInterID INT NULL DEFAULT(0),
  FOrgBillInterID INT NULL DEFAULT(0),
  FVchInterID INT NULL DEFAULT(0),
  FSaleStyle INT NULL DEFAULT(0),
  FCheckStatus SMALLINT NULL DEFAULT(0),
  FCheckAmountFor DECIMAL(28,10) NULL DEFAULT(0),
  FInvoiceAmountFor DECIMAL(28,10) NULL DEFAULT(0),
  FReceiveAmount DECIMAL(28,10) NULL DEFAULT(0),
  FReceiveAmountFor DECIMAL(28,10) NULL DEFAULT(0),
  FCustID INT NULL,
  FCurrencyID INT NULL,
  FExchangeRate DECIMAL(28,10) NULL DEFAULT(1)
)

-- Sales-invoice lines; FDiscountRate is a percentage.
CREATE TABLE ICSaleEntry (
  FInterID INT NOT NULL,
  FEntryID INT NOT NULL,
  FItemID INT NOT NULL,
  FUnitID INT NULL,
  FQty DECIMAL(28,10) NULL DEFAULT(0),
  FAuxPrice DECIMAL(28,10) NULL DEFAULT(0),
  FAuxTaxPrice DECIMAL(28,10) NULL DEFAULT(0),
  FDiscountRate DECIMAL(28,10) NULL DEFAULT(0),
  PRIMARY KEY (FInterID, FEntryID)
)

-- Expense bills (77 purchase expenses, 78 sales expenses).
CREATE TABLE ICExpenses (
  FInterID INT NOT NULL PRIMARY KEY,
  FBillNo VARCHAR(255) NULL,
  FTranType INT NOT NULL,
  FDate DATETIME NULL,
  FCancelLation BIT NOT NULL DEFAULT(0),
  FStatus SMALLINT NULL DEFAULT(0),
  FCheckerID INT NULL,
  FCheckDate DATETIME NULL,
  FBillerID INT NULL,
  FHookInterID INT NULL DEFAULT(0),
  FVchInterID INT NULL DEFAULT(0)
)

-- Fee apportionment bills (87): their lines name the stock-bill lines (FSourceInterID,
-- FSourceEntryID) the fee is spread over.
CREATE TABLE ICApportionFee (
  FInterID INT NOT NULL PRIMARY KEY,
  FBillNo VARCHAR(255) NULL,
  FTranType INT NOT NULL,
  FDate DATETIME NULL,
  FCancelLation BIT NOT NULL DEFAULT(0),
  FStatus SMALLINT NULL DEFAULT(0),
  FCheckerID INT NULL,
  FCheckDate DATETIME NULL,
  FBillerID INT NULL,
  FVchInterID INT NULL DEFAULT(0)
)

CREATE TABLE ICApportionFeeEntry (
  FInterID INT NOT NULL,
  FEntryID INT NOT NULL,
  FSourceInterID INT NULL DEFAULT(0),
  FSourceEntryID INT NULL DEFAULT(0),
  FAmount DECIMAL(28,10) NULL DEFAULT(0),
  PRIMARY KEY (FInterID, FEntryID)
)

-- Hook (matching) groups: every bill of a group (FIBInterID of type FTranType, number FIBNo) was
-- matched together; FIBTag tells the side, FEquityHook = 1 a one-to-one match.
CREATE TABLE ICHookRelations (
  FGroupNo INT NOT NULL,
  FTranType INT NULL,
  FIBInterID INT NULL,
  FIBNo VARCHAR(255) NULL,
  FIBTag INT NULL DEFAULT(0),
  FHookType INT NULL DEFAULT(0),
  FEquityHook INT NULL DEFAULT(0)
)
