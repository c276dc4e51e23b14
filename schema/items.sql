-- Item masters and the masters they refer to: units, currencies, auxiliary properties, customers and
-- suppliers with their price limits.

-- Items. Decimals of quantities (FQtyDecimal) and prices (FPriceDecimal) drive rounding; FErpClsID is
-- the item class (2, 7, 9 …); the limits are percentages or prices as their names say.
CREATE TABLE t_ICItem (
  FItemID INT NOT NULL PRIMARY KEY,
  FNumber VARCHAR(80) NULL,
  FName VARCHAR(80) NULL,
  FShortNumber VARCHAR(80) NULL,
  FModel VARCHAR(255) NULL,
  FUnitID INT NULL,
  FPlanPrice DECIMAL(28,10) NULL DEFAULT(0),
  FLowLimit DECIMAL(28,10) NULL DEFAULT(0),
  FHighLimit DECIMAL(28,10) NULL DEFAULT(0),
  FSecInv DECIMAL(28,10) NULL DEFAULT(0),
  FQtyDecimal SMALLINT NOT NULL DEFAULT(4),
  FPriceDecimal SMALLINT NOT NULL DEFAULT(2),
  FISKFPeriod BIT NOT NULL DEFAULT(0),
  FKFPeriod INT NULL DEFAULT(0),
  FInspectionLevel INT NULL,
  FErpClsID INT NOT NULL DEFAULT(0),
  FOIHighLimit DECIMAL(28,10) NOT NULL DEFAULT(0),
  FOILowLimit DECIMAL(28,10) NOT NULL DEFAULT(0),
  FSOHighLimit DECIMAL(28,10) NOT NULL DEFAULT(0),
  FSOLowLimit DECIMAL(28,10) NOT NULL DEFAULT(0),
  FSalePriceFixingType INT NULL DEFAULT(0),
  FPriceFixingType INT NULL DEFAULT(0),
  FSoLowPrc DECIMAL(28,10) NULL DEFAULT(0),
  FSOLowPrcMnyType INT NULL,
  FPOHighPrice DECIMAL(28,10) NULL DEFAULT(0),
  FPOHghPrcMnyType INT NULL,
  FWWHghPrc DECIMAL(28,10) NULL DEFAULT(0),
  FWWHghPrcMnyType INT NULL
)

-- Order price of an item.
CREATE TABLE t_ICItemCore (
  FItemID INT NOT NULL PRIMARY KEY,
  FOrderPrice DECIMAL(28,10) NULL DEFAULT(0)
)

-- Sales price and price decimals of an item (keep FPriceDecimal equal to t_ICItem's).
CREATE TABLE t_ICItemMaterial (
  FItemID INT NOT NULL PRIMARY KEY,
  FSalePrice DECIMAL(28,10) NULL DEFAULT(0),
  FPriceDecimal SMALLINT NOT NULL DEFAULT(2)
)

-- Units of measure. Bills join a unit by FItemID and price and BOM checks by FMeasureUnitID: both hold
-- the unit id. The table has no FInterID column on purpose (one write-back names FInterID unqualified
-- while joined to it).
CREATE TABLE t_MeasureUnit (
  FMeasureUnitID INT NOT NULL PRIMARY KEY,
  FItemID INT NOT NULL,
  FNumber VARCHAR(80) NULL,
  FName VARCHAR(80) NULL,
  FCoefficient DECIMAL(28,10) NULL DEFAULT(1),
  FScale DECIMAL(28,10) NULL DEFAULT(0)
)

-- Currencies. FOperator '*' multiplies by the rate, anything else divides; the rate must not be 0.
CREATE TABLE t_Currency (
  FCurrencyID INT NOT NULL PRIMARY KEY,
  FNumber VARCHAR(80) NULL,
  FName VARCHAR(80) NULL,
  FExchangeRate DECIMAL(28,10) NOT NULL DEFAULT(1),
  FOperator VARCHAR(1) NULL DEFAULT('*'),
  FScale SMALLINT NULL DEFAULT(2)
)

-- Auxiliary properties of items; row 0 stands for "no property" so that lines without one still join.
CREATE TABLE t_AuxItem (
  FItemID INT NOT NULL PRIMARY KEY,
  FNumber VARCHAR(80) NULL,
  FName VARCHAR(80) NULL
)

-- Customers, one row per customer and item carrying the customer's lowest sales price for the item.
CREATE TABLE t_Cust (
  FCustID INT NOT NULL,
  FItemID INT NULL,
  FNumber VARCHAR(80) NULL,
  FName VARCHAR(80) NULL,
  FSELowPrice DECIMAL(28,10) NULL DEFAULT(0),
  FCurrencyID INT NULL
)

-- Supplier price list, one row per supplier, item and price type with the highest purchase price.
CREATE TABLE t_Supply (
  FSupID INT NOT NULL,
  FItemID INT NULL,
  FPType INT NULL DEFAULT(0),
  FPOHighPrice DECIMAL(28,10) NULL DEFAULT(0),
  FCurrencyID INT NULL
)

INSERT INTO t_AuxItem (FItemID, FNumber, FName) VALUES (0, '', '')
