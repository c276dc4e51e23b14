-- Costing: plan-price adjustment bills, the plan-price history, period opening balances and vouchers
-- made at estimated prices.

-- Plan-price adjustment bills (65); FVchInterID is the voucher made from the bill, 0 for none.
CREATE TABLE ICPlanAdjPrice (
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

-- Lines: the item's plan price when the bill was made (FOldPlanPrice) and the new one (FPlanPrice).
CREATE TABLE ICPlanAdjPriEntry (
  FInterID INT NOT NULL,
  FEntryID INT NULL,
  FItemID INT NOT NULL,
  FOldPlanPrice DECIMAL(28,10) NULL DEFAULT(0),
  FPlanPrice DECIMAL(28,10) NULL DEFAULT(0)
)

-- Plan-price history: one row per item and adjustment bill, old and new price and the check date.
CREATE TABLE ICPlanHistory (
  FBrNo VARCHAR(10) NULL DEFAULT('0'),
  FItemID INT NOT NULL,
  FInterID INT NOT NULL,
  FPlanPrice DECIMAL(28,10) NULL DEFAULT(0),
  FDate DATETIME NULL,
  FNewPlanPrice DECIMAL(28,10) NULL DEFAULT(0)
)

-- Opening balances of each item and period: quantity and the difference between actual and plan cost.
CREATE TABLE ICInvBal (
  FItemID INT NOT NULL,
  FYear INT NOT NULL,
  FPeriod INT NOT NULL,
  FStockID INT NULL DEFAULT(0),
  FBegQty DECIMAL(28,10) NOT NULL DEFAULT(0),
  FBegDiff DECIMAL(28,10) NOT NULL DEFAULT(0)
)

CREATE TABLE ICBal (
  FItemID INT NOT NULL,
  FYear INT NOT NULL,
  FPeriod INT NOT NULL,
  FBegQty DECIMAL(28,10) NOT NULL DEFAULT(0),
  FBegDiff DECIMAL(28,10) NOT NULL DEFAULT(0)
)

-- Vouchers made at estimated prices for purchase receipts (FSCBillInterID).
CREATE TABLE T_MAKEVOUCHTEMP (
  FVchInterID INT NULL,
  FSCBillInterID INT NULL
)
