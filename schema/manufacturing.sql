-- Production: production orders, material lists, bills of materials, production and process reports.

-- Production orders (85). FOrderInterID/FSourceEntryID name the sales-order line produced for;
-- FBOMInterID is its customer bill of materials; the Pass/ForItem/Scrap quantities are written back by
-- product inspections (FAux… in the order's unit, the others in the base unit).
CREATE TABLE ICMO (
  FInterID INT NOT NULL PRIMARY KEY,
  FBillNo VARCHAR(255) NULL,
  FTranType INT NOT NULL,
  FDate DATETIME NULL,
  FCancelLation BIT NOT NULL DEFAULT(0),
  FStatus SMALLINT NULL DEFAULT(0),
  FCheckerID INT NULL,
  FCheckDate DATETIME NULL,
  FBillerID INT NULL,
  FItemID INT NULL,
  FUnitID INT NULL,
  FQty DECIMAL(28,10) NULL DEFAULT(0),
  FAuxQty DECIMAL(28,10) NULL DEFAULT(0),
  FOrderInterID INT NULL DEFAULT(0),
  FSourceEntryID INT NULL DEFAULT(0),
  FBOMInterID INT NULL DEFAULT(0),
  FAuxQtyPass DECIMAL(28,10) NULL DEFAULT(0),
  FQtyPass DECIMAL(28,10) NULL DEFAULT(0),
  FAuxQtyForItem DECIMAL(28,10) NULL DEFAULT(0),
  FQtyForItem DECIMAL(28,10) NULL DEFAULT(0),
  FAuxQtyScrap DECIMAL(28,10) NULL DEFAULT(0),
  FQtyScrap DECIMAL(28,10) NULL DEFAULT(0)
)

-- Production material lists (88), one per production order (FICMOInterID).
CREATE TABLE PPBOM (
  FInterID INT NOT NULL PRIMARY KEY,
  FBillNo VARCHAR(255) NULL,
  FTranType INT NOT NULL,
  FDate DATETIME NULL,
  FCancelLation BIT NOT NULL DEFAULT(0),
  FStatus SMALLINT NULL DEFAULT(0),
  FCheckerID INT NULL,
  FCheckDate DATETIME NULL,
  FBillerID INT NULL,
  FICMOInterID INT NULL DEFAULT(0)
)

-- Material-list lines; FLockFlag = 1 while stock is reserved for the line.
CREATE TABLE PPBOMEntry (
  FInterID INT NOT NULL,
  FEntryID INT NOT NULL,
  FICMOInterID INT NULL DEFAULT(0),
  FItemID INT NOT NULL,
  FQty DECIMAL(28,10) NULL DEFAULT(0),
  FLockFlag SMALLINT NULL DEFAULT(0),
  PRIMARY KEY (FInterID, FEntryID)
)

-- Status codes; the row whose FID is 'zt01' is the "in use" status of bills of materials.
CREATE TABLE T_submessage (
  FInterID INT NOT NULL PRIMARY KEY,
  FID VARCHAR(20) NULL,
  FName VARCHAR(80) NULL
)

-- Bills of materials: one head per parent item. A BOM is active when FUseStatus is the 'zt01' status
-- and FStatus is 1.
CREATE TABLE ICBOM (
  FInterID INT NOT NULL PRIMARY KEY,
  FBillNo VARCHAR(255) NULL,
  FItemID INT NULL,
  FUseStatus INT NULL,
  FStatus SMALLINT NULL DEFAULT(0)
)

-- Components of a bill of materials.
CREATE TABLE ICBOMChild (
  FInterID INT NOT NULL,
  FEntryID INT NULL,
  FItemID INT NOT NULL,
  FUnitID INT NULL,
  FQty DECIMAL(28,10) NULL DEFAULT(0)
)

-- Shop-floor process reports: finished, lost, scrapped, material-scrapped and passed quantities.
CREATE TABLE SHProcRpt (
  FInterID INT NOT NULL,
  FEntryID INT NOT NULL,
  FAuxQtyFinish DECIMAL(28,10) NOT NULL DEFAULT(0),
  FAuxQtyLost DECIMAL(28,10) NOT NULL DEFAULT(0),
  FAuxQtyScrap DECIMAL(28,10) NOT NULL DEFAULT(0),
  FAuxQtyForItem DECIMAL(28,10) NOT NULL DEFAULT(0),
  FAuxQtyPass DECIMAL(28,10) NOT NULL DEFAULT(0),
  PRIMARY KEY (FInterID, FEntryID)
)

-- Production reports of a production order, and their lines with the quantities that product
-- inspections write back.
CREATE TABLE SHICMORpt (
  FInterID INT NOT NULL PRIMARY KEY,
  FBillNo VARCHAR(255) NULL,
  FICMOInterID INT NULL DEFAULT(0)
)

CREATE TABLE ICMORptEntry (
  FInterID INT NOT NULL,
  FEntryID INT NOT NULL,
  FUnitID INT NULL,
  FAuxQtyPass DECIMAL(28,10) NULL DEFAULT(0),
  FQtyPass DECIMAL(28,10) NULL DEFAULT(0),
  FAuxQtyForItem DECIMAL(28,10) NULL DEFAULT(0),
  FQtyForItem DECIMAL(28,10) NULL DEFAULT(0),
  FAuxQtyScrap DECIMAL(28,10) NULL DEFAULT(0),
  FQtyScrap DECIMAL(28,10) NULL DEFAULT(0),
  PRIMARY KEY (FInterID, FEntryID)
)

INSERT INTO T_submessage (FInterID, FID, FName) VALUES (1, 'zt01', 'In use')
