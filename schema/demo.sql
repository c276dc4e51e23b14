-- Demo data for a fresh suite database: a small trading company in December 2026.
--
-- Two items kept in a main warehouse with opening balances, a purchase receipt waiting to be checked,
-- a receipt dated in the closed-off November, a delivery that asks for more widgets than are in
-- stock, a material issue that leaves the bolts below their safety stock, a sales order that
-- reserves widgets on the shop floor and a delivery that would eat into that reservation, a sales
-- order priced below the customer's lowest price, and a production task. The books are in period 12
-- of 2026; negative stock, the safety-stock alert and a sales price below its lowest are accepted
-- only after the user confirms a tip. Every bill was made by user 1, so user 16 may check it.

INSERT INTO t_MeasureUnit (FMeasureUnitID, FItemID, FNumber, FName) VALUES (1, 1, 'PCS', 'piece')

INSERT INTO t_Currency (FCurrencyID, FNumber, FName) VALUES (1, 'EUR', 'Euro')

INSERT INTO t_ICItem (FItemID, FNumber, FName, FModel, FUnitID, FPlanPrice, FQtyDecimal, FPriceDecimal, FErpClsID)
  VALUES (1, '1.01', 'Hex bolt M8', 'M8x40', 1, 0.12, 0, 2, 1)
UPDATE t_ICItem SET FSecInv = 60 WHERE FItemID = 1
INSERT INTO t_ICItem (FItemID, FNumber, FName, FModel, FUnitID, FPlanPrice, FQtyDecimal, FPriceDecimal, FErpClsID)
  VALUES (2, '2.01', 'Widget', 'W-200', 1, 4.5, 0, 2, 2)

INSERT INTO t_Cust (FCustID, FItemID, FNumber, FName, FCurrencyID) VALUES (1, 2, 'C001', 'Harbour Hardware', 1)

INSERT INTO t_Stock (FItemID, FNumber, FName, FIsStockMgr, FTypeID) VALUES (1, 'WH01', 'Main warehouse', 0, 0)
INSERT INTO t_Stock (FItemID, FNumber, FName, FIsStockMgr, FTypeID) VALUES (2, 'WH02', 'Shop floor', 1, 0)
INSERT INTO t_StockPlace (FSPID, FNumber, FName) VALUES (1, 'A-1', 'Shelf A-1')

-- Opening balances.
INSERT INTO ICInventory (FItemID, FStockID, FStockPlaceID, FQty) VALUES (1, 1, 0, 100)
INSERT INTO ICInventory (FItemID, FStockID, FStockPlaceID, FQty) VALUES (2, 1, 0, 5)
INSERT INTO ICInventory (FItemID, FStockID, FStockPlaceID, FQty) VALUES (2, 2, 1, 12)

-- Purchase receipt 1001: 40 bolts into the main warehouse.
INSERT INTO ICStockBill (FInterID, FBillNo, FTranType, FDate, FROB, FStatus, FBillerID)
  VALUES (1001, 'WIN000001', 1, '2026-12-01', 1, 0, 1)
INSERT INTO ICStockBillEntry (FInterID, FEntryID, FItemID, FDCStockID, FDCSPID, FUnitID, FQty, FAuxQty, FPlanPrice, FPlanAmount)
  VALUES (1001, 1, 1, 1, 0, 1, 40, 40, 0.12, 4.8)

-- Purchase receipt 1002, dated in November: an earlier period than the current one.
INSERT INTO ICStockBill (FInterID, FBillNo, FTranType, FDate, FROB, FStatus, FBillerID)
  VALUES (1002, 'WIN000002', 1, '2026-11-20', 1, 0, 1)
INSERT INTO ICStockBillEntry (FInterID, FEntryID, FItemID, FDCStockID, FDCSPID, FUnitID, FQty, FAuxQty, FPlanPrice, FPlanAmount)
  VALUES (1002, 1, 2, 1, 0, 1, 10, 10, 4.5, 45)

-- Sales delivery 1003: 8 widgets out of the main warehouse, which holds 5 (deliveries name the
-- stock they leave in the DC columns).
INSERT INTO ICStockBill (FInterID, FBillNo, FTranType, FDate, FROB, FStatus, FBillerID)
  VALUES (1003, 'XOUT000001', 21, '2026-12-03', 1, 0, 1)
INSERT INTO ICStockBillEntry (FInterID, FEntryID, FItemID, FDCStockID, FDCSPID, FUnitID, FQty, FAuxQty, FPlanPrice, FPlanAmount)
  VALUES (1003, 1, 2, 1, 0, 1, 8, 8, 4.5, 36)

-- Material issue 1004: 50 bolts to production, which would leave 50, below the safety stock of 60.
INSERT INTO ICStockBill (FInterID, FBillNo, FTranType, FDate, FROB, FStatus, FBillerID)
  VALUES (1004, 'SOUT000001', 24, '2026-12-04', 1, 0, 1)
INSERT INTO ICStockBillEntry (FInterID, FEntryID, FItemID, FSCStockID, FDCSPID, FUnitID, FQty, FAuxQty, FPlanPrice, FPlanAmount)
  VALUES (1004, 1, 1, 1, 0, 1, 50, 50, 0.12, 6)

-- Sales delivery 1005 from the shop floor, which holds 12 widgets of which sales order 2001 reserves
-- 10: 3 widgets delivered against the order and 4 more for a walk-in customer. The order's
-- reservation drops to 7 but only 5 widgets would be left, so the user is asked whether to give up
-- the order's reservation.
INSERT INTO ICStockBill (FInterID, FBillNo, FTranType, FDate, FROB, FStatus, FBillerID)
  VALUES (1005, 'XOUT000002', 21, '2026-12-04', 1, 0, 1)
INSERT INTO ICStockBillEntry (FInterID, FEntryID, FItemID, FDCStockID, FDCSPID, FUnitID, FQty, FAuxQty, FPlanPrice, FPlanAmount, FOrderInterID, FOrderEntryID)
  VALUES (1005, 1, 2, 2, 1, 1, 3, 3, 4.5, 13.5, 2001, 1)
INSERT INTO ICStockBillEntry (FInterID, FEntryID, FItemID, FDCStockID, FDCSPID, FUnitID, FQty, FAuxQty, FPlanPrice, FPlanAmount)
  VALUES (1005, 2, 2, 2, 1, 1, 4, 4, 4.5, 18)

-- Purchase invoice 4001 for the 40 bolts of receipt 1001; the tour hooks it to the receipt once the
-- receipt is checked.
INSERT INTO ICPurchase (FInterID, FBillNo, FTranType, FDate, FStatus, FBillerID, FCurrencyID)
  VALUES (4001, 'PINV000001', 75, '2026-12-05', 0, 1, 1)

-- Sales order 2001: 20 widgets for Harbour Hardware, 10 of them reserved on the shop floor.
INSERT INTO SEOrder (FInterID, FBillNo, FTranType, FDate, FStatus, FBillerID, FCustID, FCurrencyID)
  VALUES (2001, 'SEORD000001', 81, '2026-12-02', 0, 1, 1, 1)
INSERT INTO SEOrderEntry (FInterID, FEntryID, FItemID, FUnitID, FQty, FAuxPrice, FTaxPrice, FAdviceConsignDate)
  VALUES (2001, 1, 2, 1, 20, 9.9, 9.9, '2026-12-20')
UPDATE SEOrderEntry SET FLockFlag = 1 WHERE FInterID = 2001 AND FEntryID = 1
INSERT INTO t_LockStock (FInterID, FEntryID, FTranType, FItemID, FStockID, FQty, FOrgQty)
  VALUES (2001, 1, 81, 2, 2, 10, 10)

-- Sales order 2002: 30 widgets for Harbour Hardware at 4.20, below the 5.00 that the customer's price
-- list sets as the widget's lowest price. The sales price alert is on at check time.
UPDATE t_Cust SET FSELowPrice = 5 WHERE FCustID = 1 AND FItemID = 2
INSERT INTO SEOrder (FInterID, FBillNo, FTranType, FDate, FStatus, FBillerID, FCustID, FCurrencyID)
  VALUES (2002, 'SEORD000002', 81, '2026-12-04', 0, 1, 1, 1)
INSERT INTO SEOrderEntry (FInterID, FEntryID, FItemID, FUnitID, FQty, FAuxPrice, FTaxPrice, FAdviceConsignDate)
  VALUES (2002, 1, 2, 1, 30, 4.2, 4.2, '2026-12-22')
UPDATE t_SystemProfile SET FValue = '1' WHERE FCategory = 'IC' AND FKey IN ('AlertSELowPrice', 'AlertSELowPriceWhenCheck')

-- Production task 3001: make 50 widgets.
INSERT INTO ICMO (FInterID, FBillNo, FTranType, FDate, FStatus, FBillerID, FItemID, FUnitID, FQty, FAuxQty)
  VALUES (3001, 'WORK000001', 85, '2026-12-04', 0, 1, 2, 1, 50, 50)

-- The books: current period 12 of 2026, initialisation finished, negative stock and the safety-stock
-- alert only after a tip.
UPDATE t_SystemProfile SET FValue = '2026' WHERE FCategory = 'IC' AND FKey = 'CurrentYear'
UPDATE t_SystemProfile SET FValue = '12' WHERE FCategory = 'IC' AND FKey = 'CurrentPeriod'
UPDATE t_SystemProfile SET FValue = '1' WHERE FCategory = 'IC' AND FKey = 'ICClosed'
UPDATE t_SystemProfile SET FValue = '1' WHERE FCategory = 'IC' AND FKey = 'UnderStock'
UPDATE t_SystemProfile SET FValue = '1' WHERE FCategory = 'IC' AND FKey = 'ShowUnderTip'
UPDATE t_SystemProfile SET FValue = '1' WHERE FCategory = 'IC' AND FKey = 'UseSafeInv'

-- Purchase order 2101: 100 widgets; receipts may go at most 10 percent past it. Receipt 1006 brings
-- 90 of them onto the Shop floor, receipt 1007 another 30, which would make 120.
UPDATE t_ICItem SET FOIHighLimit = 10 WHERE FItemID = 2
UPDATE t_SystemProfile SET FValue = '1' WHERE FCategory = 'IC' AND FKey = 'POQtyLargeStock'
INSERT INTO POOrder (FInterID, FBillNo, FTranType, FDate, FStatus, FBillerID, FSupplyID, FCurrencyID)
  VALUES (2101, 'POORD000001', 71, '2026-12-01', 1, 1, 1, 1)
INSERT INTO POOrderEntry (FInterID, FEntryID, FItemID, FUnitID, FQty, FAuxPrice, FTaxPrice)
  VALUES (2101, 1, 2, 1, 100, 4.5, 4.5)
INSERT INTO ICStockBill (FInterID, FBillNo, FTranType, FDate, FROB, FStatus, FBillerID)
  VALUES (1006, 'WIN000003', 1, '2026-12-04', 1, 0, 1)
INSERT INTO ICStockBillEntry (FInterID, FEntryID, FItemID, FDCStockID, FDCSPID, FUnitID, FQty, FAuxQty, FPlanPrice, FPlanAmount, FOrderInterID, FOrderEntryID)
  VALUES (1006, 1, 2, 2, 1, 1, 90, 90, 4.5, 405, 2101, 1)
INSERT INTO ICStockBill (FInterID, FBillNo, FTranType, FDate, FROB, FStatus, FBillerID)
  VALUES (1007, 'WIN000004', 1, '2026-12-05', 1, 0, 1)
INSERT INTO ICStockBillEntry (FInterID, FEntryID, FItemID, FDCStockID, FDCSPID, FUnitID, FQty, FAuxQty, FPlanPrice, FPlanAmount, FOrderInterID, FOrderEntryID)
  VALUES (1007, 1, 2, 2, 1, 1, 30, 30, 4.5, 135, 2101, 1)
