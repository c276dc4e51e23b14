-- Stocks, stock places, the real and virtual stock balances, reservations, batch traces of configured
-- items and stock-count processes.

-- Stocks (warehouses). FTypeID is the stock type: 0 for ordinary stock, 501, 502 and 503 for the virtual
-- stock types; FIsStockMgr = 1 when the stock is managed by places.
CREATE TABLE t_Stock (
  FItemID INT NOT NULL PRIMARY KEY,
  FNumber VARCHAR(80) NULL,
  FName VARCHAR(80) NULL,
  FIsStockMgr BIT NOT NULL DEFAULT(0),
  FTypeID INT NOT NULL DEFAULT(0)
)

-- Stock places; place 0 stands for "no place" so that lines without one still join.
CREATE TABLE t_StockPlace (
  FSPID INT NOT NULL PRIMARY KEY,
  FNumber VARCHAR(80) NULL,
  FName VARCHAR(80) NULL
)

-- Real stock balance, one row per inventory key. FKFDate is text: 'yyyy-mm-dd' or '' for none, and
-- FBatchNo '' means no batch.
CREATE TABLE ICInventory (
  FBrNo VARCHAR(10) NOT NULL DEFAULT(''),
  FItemID INT NOT NULL,
  FBatchNo NVARCHAR(255) NOT NULL DEFAULT(''),
  FAuxPropID INT NOT NULL DEFAULT(0),
  FStockID INT NOT NULL,
  FStockPlaceID INT NOT NULL DEFAULT(0),
  FKFPeriod INT NOT NULL DEFAULT(0),
  FKFDate VARCHAR(20) NOT NULL DEFAULT(''),
  FQty DECIMAL(28,10) NOT NULL DEFAULT(0),
  FSecQty DECIMAL(28,10) NOT NULL DEFAULT(0)
)

CREATE UNIQUE INDEX ix_ICInventory_Key
  ON ICInventory (FItemID, FStockID, FBatchNo, FAuxPropID, FStockPlaceID, FKFPeriod, FKFDate)

-- Virtual stock balance (goods on receipt notices, consignment and the like); laid out as ICInventory.
CREATE TABLE POInventory (
  FBrNo VARCHAR(10) NOT NULL DEFAULT(''),
  FItemID INT NOT NULL,
  FBatchNo NVARCHAR(255) NOT NULL DEFAULT(''),
  FAuxPropID INT NOT NULL DEFAULT(0),
  FStockID INT NOT NULL,
  FStockPlaceID INT NOT NULL DEFAULT(0),
  FKFPeriod INT NOT NULL DEFAULT(0),
  FKFDate VARCHAR(20) NOT NULL DEFAULT(''),
  FQty DECIMAL(28,10) NOT NULL DEFAULT(0),
  FSecQty DECIMAL(28,10) NOT NULL DEFAULT(0)
)

CREATE UNIQUE INDEX ix_POInventory_Key
  ON POInventory (FItemID, FStockID, FBatchNo, FAuxPropID, FStockPlaceID, FKFPeriod, FKFDate)

-- Stock reserved by sales-order lines (FTranType 81) and material-list lines (88); FQty is still
-- reserved, FOrgQty was reserved at first.
CREATE TABLE t_LockStock (
  FInterID INT NOT NULL,
  FEntryID INT NOT NULL,
  FTranType INT NOT NULL,
  FItemID INT NOT NULL,
  FStockID INT NOT NULL,
  FQty DECIMAL(28,10) NOT NULL DEFAULT(0),
  FOrgQty DECIMAL(28,10) NOT NULL DEFAULT(0)
)

-- Batches of configured items bound to customer bills of materials; FForbid = 1 disables a row.
-- FTraceID numbers the rows itself because bindings are inserted without it.
CREATE TABLE ICOrderBatchTrace (
  FTraceID INT IDENTITY(1,1) NOT NULL,
  FItemID INT NOT NULL,
  FBatchNo VARCHAR(200) NOT NULL DEFAULT(''),
  FCustBOMID INT NOT NULL DEFAULT(0),
  FOrderInterID INT NOT NULL DEFAULT(0),
  FForbid SMALLINT NOT NULL DEFAULT(0)
)

-- Stock-count processes; FStatus = 1 once their count bills are checked.
CREATE TABLE ICStockCheckProcess (
  FID INT NOT NULL PRIMARY KEY,
  FName VARCHAR(80) NULL,
  FStatus SMALLINT NULL DEFAULT(0)
)

INSERT INTO t_StockPlace (FSPID, FNumber, FName) VALUES (0, '', '')
