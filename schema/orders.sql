-- Purchase and sales documents before stock moves: requisitions, orders, receipt notices, delivery
-- notices and quotations.

-- Purchase requisitions (type 70). The check time is FCheckTime on this table; FMrpClosed marks a
-- requisition covered by orders.
CREATE TABLE PORequest (
  FInterID INT NOT NULL PRIMARY KEY,
  FBillNo VARCHAR(255) NULL,
  FTranType INT NOT NULL,
  FDate DATETIME NULL,
  FCancelLation BIT NOT NULL DEFAULT(0),
  FStatus SMALLINT NULL DEFAULT(0),
  FCheckerID INT NULL,
  FCheckTime DATETIME NULL,
  FBillerID INT NULL,
  FMrpClosed SMALLINT NULL DEFAULT(0)
)

CREATE TABLE PORequestEntry (
  FInterID INT NOT NULL,
  FEntryID INT NOT NULL,
  FItemID INT NOT NULL,
  FQty DECIMAL(28,10) NULL DEFAULT(0),
  PRIMARY KEY (FInterID, FEntryID)
)

-- Purchase orders (type 71). FStatus 3 = closed; FOrderAffirm 1 = affirmed by distribution, 2 = to be
-- reset on check; FAlterID/FAlterDate mark an alteration.
CREATE TABLE POOrder (
  FInterID INT NOT NULL PRIMARY KEY,
  FBillNo VARCHAR(255) NULL,
  FTranType INT NOT NULL,
  FDate DATETIME NULL,
  FCancelLation BIT NOT NULL DEFAULT(0),
  FStatus SMALLINT NULL DEFAULT(0),
  FCheckerID INT NULL,
  FCheckDate DATETIME NULL,
  FBillerID INT NULL,
  FAlterID INT NULL DEFAULT(0),
  FAlterDate DATETIME NULL,
  FOrderAffirm SMALLINT NULL DEFAULT(0),
  FSupplyID INT NULL,
  FCurrencyID INT NULL,
  FExchangeRate DECIMAL(28,10) NULL DEFAULT(1)
)

-- Purchase-order lines. FStockQty is the quantity received so far, FCommitQty the quantity invoiced;
-- FSourceInterID/FSourceEntryID name the requisition line the order line comes from.
CREATE TABLE POOrderEntry (
  FInterID INT NOT NULL,
  FEntryID INT NOT NULL,
  FItemID INT NOT NULL,
  FUnitID INT NULL,
  FQty DECIMAL(28,10) NOT NULL DEFAULT(0),
  FStockQty DECIMAL(28,10) NOT NULL DEFAULT(0),
  FAuxStockQty DECIMAL(28,10) NOT NULL DEFAULT(0),
  FCommitQty DECIMAL(28,10) NULL DEFAULT(0),
  FMrpClosed SMALLINT NULL DEFAULT(0),
  FAuxPrice DECIMAL(28,10) NULL DEFAULT(0),
  FTaxPrice DECIMAL(28,10) NULL DEFAULT(0),
  FTaxRate DECIMAL(28,10) NULL DEFAULT(0),
  FCess DECIMAL(28,10) NULL DEFAULT(0),
  FSourceInterID INT NULL DEFAULT(0),
  FSourceEntryID INT NULL DEFAULT(0),
  PRIMARY KEY (FInterID, FEntryID)
)

-- Sales orders (type 81). FDiscountType 0 = discount by rate; FChildren = 1 once production orders
-- follow it.
CREATE TABLE SEOrder (
  FInterID INT NOT NULL PRIMARY KEY,
  FBillNo VARCHAR(255) NULL,
  FTranType INT NOT NULL,
  FDate DATETIME NULL,
  FCancelLation BIT NOT NULL DEFAULT(0),
  FStatus SMALLINT NULL DEFAULT(0),
  FCheckerID INT NULL,
  FCheckDate DATETIME NULL,
  FBillerID INT NULL,
  FAlterID INT NULL DEFAULT(0),
  FAlterDate DATETIME NULL,
  FOrderAffirm SMALLINT NULL DEFAULT(0),
  FCustID INT NULL,
  FCurrencyID INT NULL,
  FExchangeRate DECIMAL(28,10) NULL DEFAULT(1),
  FDiscountType INT NULL DEFAULT(0),
  FChildren INT NOT NULL DEFAULT(0)
)

-- Sales-order lines. FStockQty is the quantity delivered so far; FLockFlag = 1 while stock is reserved
-- for the line; FATPDeduct = 1 while the line still counts against available-to-promise; FBOMInterID
-- is the customer bill of materials of a configured item.
CREATE TABLE SEOrderEntry (
  FInterID INT NOT NULL,
  FEntryID INT NOT NULL,
  FItemID INT NOT NULL,
  FUnitID INT NULL,
  FQty DECIMAL(28,10) NOT NULL DEFAULT(0),
  FStockQty DECIMAL(28,10) NOT NULL DEFAULT(0),
  FAuxStockQty DECIMAL(28,10) NOT NULL DEFAULT(0),
  FCommitQty DECIMAL(28,10) NULL DEFAULT(0),
  FBCommitQty DECIMAL(28,10) NULL DEFAULT(0),
  FAuxBCommitQty DECIMAL(28,10) NULL DEFAULT(0),
  FMrpClosed SMALLINT NULL DEFAULT(0),
  FAuxPrice DECIMAL(28,10) NULL DEFAULT(0),
  FTaxPrice DECIMAL(28,10) NULL DEFAULT(0),
  FTaxRate DECIMAL(28,10) NULL DEFAULT(0),
  FUniDiscount DECIMAL(28,10) NULL DEFAULT(0),
  FCess DECIMAL(28,10) NULL DEFAULT(0),
  FAdviceConsignDate DATETIME NULL,
  FHaveMrp SMALLINT NULL DEFAULT(0),
  FATPDeduct SMALLINT NULL DEFAULT(0),
  FLockFlag SMALLINT NULL DEFAULT(0),
  FBOMInterID INT NULL DEFAULT(0),
  PRIMARY KEY (FInterID, FEntryID)
)

-- Purchase receipt notices (72), purchase returns (73) and purchase inspection requests that also
-- receive into virtual stock (702).
CREATE TABLE POInstock (
  FInterID INT NOT NULL PRIMARY KEY,
  FBillNo VARCHAR(255) NULL,
  FTranType INT NOT NULL,
  FDate DATETIME NULL,
  FUpStockWhenSave BIT NOT NULL DEFAULT(0),
  FCancelLation BIT NOT NULL DEFAULT(0),
  FStatus SMALLINT NULL DEFAULT(0),
  FCheckerID INT NULL,
  FCheckDate DATETIME NULL,
  FBillerID INT NULL,
  FSupplyID INT NULL
)

-- Lines of receipt notices: one stock column (FStockID) and the place FDCSPID, plus the inspection
-- quantities written back by purchase inspections and FAuxRelateQty, the quantity already carried
-- into inspection bills.
CREATE TABLE POInstockEntry (
  FInterID INT NOT NULL,
  FEntryID INT NOT NULL,
  FItemID INT NOT NULL,
  FBatchNo NVARCHAR(255) NULL DEFAULT(''),
  FAuxPropID INT NOT NULL DEFAULT(0),
  FStockID INT NULL,
  FDCSPID INT NULL,
  FKFPeriod INT NULL,
  FKFDate DATETIME NULL,
  FUnitID INT NULL,
  FQty DECIMAL(28,10) NOT NULL DEFAULT(0),
  FSecQty DECIMAL(28,10) NOT NULL DEFAULT(0),
  FAuxQCheckQty DECIMAL(28,10) NULL DEFAULT(0),
  FQCheckQty DECIMAL(28,10) NULL DEFAULT(0),
  FAuxQtyPass DECIMAL(28,10) NULL DEFAULT(0),
  FQtyPass DECIMAL(28,10) NULL DEFAULT(0),
  FAuxSampleBreakQty DECIMAL(28,10) NULL DEFAULT(0),
  FSampleBreakQty DECIMAL(28,10) NULL DEFAULT(0),
  FAuxCommitQty DECIMAL(28,10) NULL DEFAULT(0),
  FAuxRelateQty DECIMAL(28,10) NULL DEFAULT(0),
  PRIMARY KEY (FInterID, FEntryID)
)

-- Sales delivery notices (83) and sales return notices (82).
CREATE TABLE SEOutStock (
  FInterID INT NOT NULL PRIMARY KEY,
  FBillNo VARCHAR(255) NULL,
  FTranType INT NOT NULL,
  FDate DATETIME NULL,
  FCancelLation BIT NOT NULL DEFAULT(0),
  FStatus SMALLINT NULL DEFAULT(0),
  FCheckerID INT NULL,
  FCheckDate DATETIME NULL,
  FBillerID INT NULL,
  FCustID INT NULL
)

-- Sales quotations (84).
CREATE TABLE PORFQ (
  FInterID INT NOT NULL PRIMARY KEY,
  FBillNo VARCHAR(255) NULL,
  FTranType INT NOT NULL,
  FDate DATETIME NULL,
  FCancelLation BIT NOT NULL DEFAULT(0),
  FStatus SMALLINT NULL DEFAULT(0),
  FCheckerID INT NULL,
  FCheckDate DATETIME NULL,
  FBillerID INT NULL
)
