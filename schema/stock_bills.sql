-- Stock bills (receipts, issues, transfers, counts, virtual stock bills) and the records that refer to
-- them: assembly bills and outsourcing verifications.

-- Real-stock bills (types 1, 2, 5, 10, 21, 24, 28, 29, 40, 41, 43, 100). FROB is 1 for a blue bill and
-- -1 for a red one; FChildren counts the checked follow-up bills; FOrgBillInterID < 0 marks a split
-- bill, > 0 a part split off; FProcID is the stock-count process of count bills.
CREATE TABLE ICStockBill (
  FInterID INT NOT NULL PRIMARY KEY,
  FBillNo VARCHAR(255) NULL,
  FTranType INT NOT NULL,
  FDate DATETIME NULL,
  FROB INT NULL DEFAULT(1),
  FUpStockWhenSave BIT NOT NULL DEFAULT(0),
  FCancelLation BIT NOT NULL DEFAULT(0),
  FStatus SMALLINT NULL DEFAULT(0),
  FCheckerID INT NULL,
  FCheckDate DATETIME NULL,
  FBillerID INT NULL,
  FHookInterID INT NULL DEFAULT(0),
  FVchInterID INT NULL DEFAULT(0),
  FBackFlushed INT NULL DEFAULT(0),
  FChildren INT NOT NULL DEFAULT(0),
  FOrgBillInterID INT NULL DEFAULT(0),
  FProcID INT NULL
)

-- Lines of real-stock bills. DC columns are the destination (receiving) stock and place, SC columns the
-- source (issuing) ones; FKFdate is the production date and FKFPeriod the shelf life.
CREATE TABLE ICStockBillEntry (
  FInterID INT NOT NULL,
  FEntryID INT NOT NULL,
  FItemID INT NOT NULL,
  FBatchNo NVARCHAR(255) NULL DEFAULT(''),
  FAuxPropID INT NOT NULL DEFAULT(0),
  FDCStockID INT NULL,
  FDCSPID INT NULL,
  FSCStockID INT NULL,
  FSCSPID INT NULL,
  FKFPeriod INT NULL,
  FKFDate DATETIME NULL,
  FUnitID INT NULL,
  FQty DECIMAL(28,10) NOT NULL DEFAULT(0),
  FSecQty DECIMAL(28,10) NOT NULL DEFAULT(0),
  FAuxQty DECIMAL(28,10) NULL DEFAULT(0),
  FPlanPrice DECIMAL(28,10) NULL DEFAULT(0),
  FAuxPlanPrice DECIMAL(28,10) NULL DEFAULT(0),
  FPlanAmount DECIMAL(28,10) NULL DEFAULT(0),
  FOrderInterID INT NOT NULL DEFAULT(0),
  FOrderEntryID INT NULL DEFAULT(0),
  FSourceTranType INT NULL DEFAULT(0),
  FSourceInterID INT NULL DEFAULT(0),
  FSourceEntryID INT NULL DEFAULT(0),
  FSourceBillNo VARCHAR(255) NULL DEFAULT(''),
  FBomInterID INT NULL DEFAULT(0),
  FAFBillNO VARCHAR(255) NULL DEFAULT(''),
  PRIMARY KEY (FInterID, FEntryID)
)

-- Virtual-stock bills (types 6 in, 26 out).
CREATE TABLE ZPStockBill (
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
  FProcID INT NULL
)

CREATE TABLE ZPStockBillEntry (
  FInterID INT NOT NULL,
  FEntryID INT NOT NULL,
  FItemID INT NOT NULL,
  FBatchNo NVARCHAR(255) NULL DEFAULT(''),
  FAuxPropID INT NOT NULL DEFAULT(0),
  FDCStockID INT NULL,
  FDCSPID INT NULL,
  FKFPeriod INT NULL,
  FKFDate DATETIME NULL,
  FQty DECIMAL(28,10) NOT NULL DEFAULT(0),
  FSecQty DECIMAL(28,10) NOT NULL DEFAULT(0),
  PRIMARY KEY (FInterID, FEntryID)
)

-- Virtual-stock transfers (type 74): each line moves goods from its source to its destination.
CREATE TABLE POStockBill (
  FInterID INT NOT NULL PRIMARY KEY,
  FBillNo VARCHAR(255) NULL,
  FTranType INT NOT NULL,
  FDate DATETIME NULL,
  FUpStockWhenSave BIT NOT NULL DEFAULT(0),
  FCancelLation BIT NOT NULL DEFAULT(0),
  FStatus SMALLINT NULL DEFAULT(0),
  FCheckerID INT NULL,
  FCheckDate DATETIME NULL,
  FBillerID INT NULL
)

CREATE TABLE POStockBillEntry (
  FInterID INT NOT NULL,
  FEntryID INT NOT NULL,
  FItemID INT NOT NULL,
  FBatchNo NVARCHAR(255) NULL DEFAULT(''),
  FAuxPropID INT NOT NULL DEFAULT(0),
  FDCStockID INT NULL,
  FDCSPID INT NULL,
  FSCStockID INT NULL,
  FSCSPID INT NULL,
  FKFPeriod INT NULL,
  FKFDate DATETIME NULL,
  FQty DECIMAL(28,10) NOT NULL DEFAULT(0),
  FSecQty DECIMAL(28,10) NOT NULL DEFAULT(0),
  PRIMARY KEY (FInterID, FEntryID)
)

-- Virtual-stock processing bills (type 92 in, 137 out).
CREATE TABLE ICSTJGBill (
  FInterID INT NOT NULL PRIMARY KEY,
  FBillNo VARCHAR(255) NULL,
  FTranType INT NOT NULL,
  FDate DATETIME NULL,
  FUpStockWhenSave BIT NOT NULL DEFAULT(0),
  FCancelLation BIT NOT NULL DEFAULT(0),
  FStatus SMALLINT NULL DEFAULT(0),
  FCheckerID INT NULL,
  FCheckDate DATETIME NULL,
  FBillerID INT NULL
)

CREATE TABLE ICSTJGBillEntry (
  FInterID INT NOT NULL,
  FEntryID INT NOT NULL,
  FItemID INT NOT NULL,
  FBatchNo NVARCHAR(255) NULL DEFAULT(''),
  FAuxPropID INT NOT NULL DEFAULT(0),
  FDCStockID INT NULL,
  FDCSPID INT NULL,
  FSCStockID INT NULL,
  FSCSPID INT NULL,
  FKFPeriod INT NULL,
  FKFDate DATETIME NULL,
  FQty DECIMAL(28,10) NOT NULL DEFAULT(0),
  FSecQty DECIMAL(28,10) NOT NULL DEFAULT(0),
  PRIMARY KEY (FInterID, FEntryID)
)

-- Assembly (1007000) and disassembly (1007001) bills that stock-bill lines may come from.
CREATE TABLE ICChange (
  FID INT NOT NULL,
  FClassTypeID INT NOT NULL,
  FBillNo VARCHAR(255) NULL,
  FStatus SMALLINT NULL DEFAULT(0),
  PRIMARY KEY (FID, FClassTypeID)
)

-- Outsourcing verifications linking a processing issue (FSInterID) to a processing receipt (FDInterID).
CREATE TABLE ICClientVer (
  FDInterID INT NULL,
  FSInterID INT NULL
)
