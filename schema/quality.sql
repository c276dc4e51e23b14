-- Quality inspection: inspection bills, inspection requests and their lines, and the handling of
-- rejected goods.

-- Inspection bills (46 item inspection; 707 to 715 inspections of requests). FInStockInterID and
-- FSerialID name the request line inspected; FResult 13556 means nothing is written back; the seven
-- quantities are submitted, passed, not passed, destroyed as samples, scrapped through the operation,
-- scrapped through the material and inspected. Process inspections also carry the process report
-- (FSerial), the work bill (FWBinterID) and the quantity sent back for rework.
CREATE TABLE ICQCBill (
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
  FResult INT NULL,
  FSendUpQty DECIMAL(28,10) NOT NULL DEFAULT(0),
  FPassQty DECIMAL(28,10) NOT NULL DEFAULT(0),
  FNotPassQty DECIMAL(28,10) NOT NULL DEFAULT(0),
  FSampleBreakQty DECIMAL(28,10) NOT NULL DEFAULT(0),
  FForOpScrapQty DECIMAL(28,10) NOT NULL DEFAULT(0),
  FForMatScrapQty DECIMAL(28,10) NOT NULL DEFAULT(0),
  FCheckQty DECIMAL(28,10) NOT NULL DEFAULT(0),
  FInStockInterID INT NULL DEFAULT(0),
  FSerialID INT NULL DEFAULT(0),
  FSerial INT NULL DEFAULT(0),
  FWBinterID INT NULL DEFAULT(0),
  FBackWorkQty DECIMAL(28,10) NULL DEFAULT(0),
  FCommitQty DECIMAL(28,10) NULL DEFAULT(0)
)

-- Inspection requests. Request lines record what inspections wrote back: inspected (FAuxQtyCheck),
-- passed, not passed and destroyed quantities in the line's unit (FAux…) and in the base unit, the
-- passed quantity already carried further (FAuxCommitQty) and the quantity already carried into
-- inspection bills (FAuxRelateQty).

-- Sales delivery and return inspection requests; a line's FSerialID repeats its FEntryID.
CREATE TABLE QMSaleCkRequest (
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

CREATE TABLE QMSaleCkRequestEntry (
  FInterID INT NOT NULL,
  FEntryID INT NOT NULL,
  FItemID INT NOT NULL,
  FUnitID INT NULL,
  FQty DECIMAL(28,10) NULL DEFAULT(0),
  FAuxQty DECIMAL(28,10) NULL DEFAULT(0),
  FAuxQtyCheck DECIMAL(28,10) NULL DEFAULT(0),
  FQtyCheck DECIMAL(28,10) NULL DEFAULT(0),
  FAuxQtyPass DECIMAL(28,10) NULL DEFAULT(0),
  FQtyPass DECIMAL(28,10) NULL DEFAULT(0),
  FAuxNotPassQty DECIMAL(28,10) NULL DEFAULT(0),
  FNotPassQty DECIMAL(28,10) NULL DEFAULT(0),
  FAuxSampleBreakQty DECIMAL(28,10) NULL DEFAULT(0),
  FSampleBreakQty DECIMAL(28,10) NULL DEFAULT(0),
  FAuxCommitQty DECIMAL(28,10) NULL DEFAULT(0),
  FAuxRelateQty DECIMAL(28,10) NULL DEFAULT(0),
  FSerialID INT NULL,
  PRIMARY KEY (FInterID, FEntryID)
)

-- Stock inspection requests.
CREATE TABLE QMINQCReq (
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

CREATE TABLE QMINQCReqEntry (
  FInterID INT NOT NULL,
  FEntryID INT NOT NULL,
  FItemID INT NOT NULL,
  FUnitID INT NULL,
  FQty DECIMAL(28,10) NULL DEFAULT(0),
  FAuxQty DECIMAL(28,10) NULL DEFAULT(0),
  FAuxQtyCheck DECIMAL(28,10) NULL DEFAULT(0),
  FQtyCheck DECIMAL(28,10) NULL DEFAULT(0),
  FAuxQtyPass DECIMAL(28,10) NULL DEFAULT(0),
  FQtyPass DECIMAL(28,10) NULL DEFAULT(0),
  FAuxNotPassQty DECIMAL(28,10) NULL DEFAULT(0),
  FNotPassQty DECIMAL(28,10) NULL DEFAULT(0),
  FAuxSampleBreakQty DECIMAL(28,10) NULL DEFAULT(0),
  FSampleBreakQty DECIMAL(28,10) NULL DEFAULT(0),
  FAuxCommitQty DECIMAL(28,10) NULL DEFAULT(0),
  FAuxRelateQty DECIMAL(28,10) NULL DEFAULT(0),
  PRIMARY KEY (FInterID, FEntryID)
)

-- Other inspection requests.
CREATE TABLE QMOtCkRequest (
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

CREATE TABLE QMOtCkRequestEntry (
  FInterID INT NOT NULL,
  FEntryID INT NOT NULL,
  FItemID INT NOT NULL,
  FUnitID INT NULL,
  FQty DECIMAL(28,10) NULL DEFAULT(0),
  FAuxQty DECIMAL(28,10) NULL DEFAULT(0),
  FAuxQtyCheck DECIMAL(28,10) NULL DEFAULT(0),
  FQtyCheck DECIMAL(28,10) NULL DEFAULT(0),
  FAuxQtyPass DECIMAL(28,10) NULL DEFAULT(0),
  FQtyPass DECIMAL(28,10) NULL DEFAULT(0),
  FAuxNotPassQty DECIMAL(28,10) NULL DEFAULT(0),
  FNotPassQty DECIMAL(28,10) NULL DEFAULT(0),
  FAuxSampleBreakQty DECIMAL(28,10) NULL DEFAULT(0),
  FSampleBreakQty DECIMAL(28,10) NULL DEFAULT(0),
  FAuxCommitQty DECIMAL(28,10) NULL DEFAULT(0),
  FAuxRelateQty DECIMAL(28,10) NULL DEFAULT(0),
  PRIMARY KEY (FInterID, FEntryID)
)

-- Product inspection requests, made from a production order (FICMOInterID) and possibly a
-- production report (FICMORptID) whose line is the request line's FSourceEntryID.
CREATE TABLE QMIcmoCkRequest (
  FInterID INT NOT NULL PRIMARY KEY,
  FBillNo VARCHAR(255) NULL,
  FTranType INT NOT NULL,
  FDate DATETIME NULL,
  FCancelLation BIT NOT NULL DEFAULT(0),
  FStatus SMALLINT NULL DEFAULT(0),
  FCheckerID INT NULL,
  FCheckDate DATETIME NULL,
  FBillerID INT NULL,
  FICMOInterID INT NULL DEFAULT(0),
  FICMORptID INT NULL DEFAULT(0)
)

CREATE TABLE QMIcmoCkRequestEntry (
  FInterID INT NOT NULL,
  FEntryID INT NOT NULL,
  FItemID INT NOT NULL,
  FUnitID INT NULL,
  FQty DECIMAL(28,10) NULL DEFAULT(0),
  FAuxQty DECIMAL(28,10) NULL DEFAULT(0),
  FAuxQtyCheck DECIMAL(28,10) NULL DEFAULT(0),
  FQtyCheck DECIMAL(28,10) NULL DEFAULT(0),
  FAuxQtyPass DECIMAL(28,10) NULL DEFAULT(0),
  FQtyPass DECIMAL(28,10) NULL DEFAULT(0),
  FAuxNotPassQty DECIMAL(28,10) NULL DEFAULT(0),
  FNotPassQty DECIMAL(28,10) NULL DEFAULT(0),
  FAuxSampleBreakQty DECIMAL(28,10) NULL DEFAULT(0),
  FSampleBreakQty DECIMAL(28,10) NULL DEFAULT(0),
  FAuxCommitQty DECIMAL(28,10) NULL DEFAULT(0),
  FAuxRelateQty DECIMAL(28,10) NULL DEFAULT(0),
  FSourceEntryID INT NULL DEFAULT(0),
  PRIMARY KEY (FInterID, FEntryID)
)

-- Handling bills of rejected goods, made from inspection bills (FCheckBillID).
CREATE TABLE QMReject (
  FInterID INT NOT NULL PRIMARY KEY,
  FBillNo VARCHAR(255) NULL,
  FCheckBillID INT NULL
)
