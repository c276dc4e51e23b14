-- The system profile of a fresh database.
--
-- Switches are '1' (on) or '0' (off) and start off. The inventory module counts as initialised
-- (ICClosed '1') and the books open in period 1 of 2024 (StartPeriod and CurrentPeriod '1',
-- CurrentYear '2024'); the current period is open (BillStatus '0'). Negative stock is refused
-- (UnderStock '0'). Prices on sales-invoice reports carry two decimals (SInvoiceDecimal '2'); order
-- prices are entered without tax (SEOrderTaxInPrice, POOrderTaxInPrice '0'). The maker of a bill may
-- not check it (General|SingleMan '0'). A site changes these rows to suit itself.

INSERT INTO t_SystemProfile (FCategory, FKey, FValue, FExplanation) VALUES ('IC', 'StartPeriod', '1', 'period in which the module started')
INSERT INTO t_SystemProfile (FCategory, FKey, FValue, FExplanation) VALUES ('IC', 'CurrentPeriod', '1', 'current accounting period')
INSERT INTO t_SystemProfile (FCategory, FKey, FValue, FExplanation) VALUES ('IC', 'CurrentYear', '2024', 'current accounting year')
INSERT INTO t_SystemProfile (FCategory, FKey, FValue, FExplanation) VALUES ('IC', 'ICClosed', '1', 'initialisation finished')
INSERT INTO t_SystemProfile (FCategory, FKey, FValue, FExplanation) VALUES ('IC', 'BillStatus', '0', 'current period closed')
INSERT INTO t_SystemProfile (FCategory, FKey, FValue, FExplanation) VALUES ('IC', 'IsOkToModAfterClose', '0', 'bills may change after closing')
INSERT INTO t_SystemProfile (FCategory, FKey, FValue, FExplanation) VALUES ('IC', 'UseShortNumber', '0', 'show short item numbers')
INSERT INTO t_SystemProfile (FCategory, FKey, FValue, FExplanation) VALUES ('IC', 'WorkCalendarset', '0', 'work calendar set up')
INSERT INTO t_SystemProfile (FCategory, FKey, FValue, FExplanation) VALUES ('IC', 'ISUseMultiCheck', '0', 'multi-level check')
INSERT INTO t_SystemProfile (FCategory, FKey, FValue, FExplanation) VALUES ('IC', 'UseOrderBatchTrace', '0', 'batch trace of configured items')
INSERT INTO t_SystemProfile (FCategory, FKey, FValue, FExplanation) VALUES ('IC', 'UseHighInv', '0', 'highest-stock alert')
INSERT INTO t_SystemProfile (FCategory, FKey, FValue, FExplanation) VALUES ('IC', 'UseLowInv', '0', 'lowest-stock alert')
INSERT INTO t_SystemProfile (FCategory, FKey, FValue, FExplanation) VALUES ('IC', 'UseSafeInv', '0', 'safety-stock alert')
INSERT INTO t_SystemProfile (FCategory, FKey, FValue, FExplanation) VALUES ('IC', 'UseInvMgr', '0', 'stock limits kept by the inventory manager')
INSERT INTO t_SystemProfile (FCategory, FKey, FValue, FExplanation) VALUES ('IC', 'UseLockStock', '0', 'stock reservations')
INSERT INTO t_SystemProfile (FCategory, FKey, FValue, FExplanation) VALUES ('IC', 'UnderStock', '0', 'negative stock allowed')
INSERT INTO t_SystemProfile (FCategory, FKey, FValue, FExplanation) VALUES ('IC', 'ShowUnderTip', '0', 'ask before stock turns negative')
INSERT INTO t_SystemProfile (FCategory, FKey, FValue, FExplanation) VALUES ('IC', 'AutoUpdateSP', '0', 'sales orders update the sales price')
INSERT INTO t_SystemProfile (FCategory, FKey, FValue, FExplanation) VALUES ('IC', 'AutoUpdatePP', '0', 'purchase orders update the order price')
INSERT INTO t_SystemProfile (FCategory, FKey, FValue, FExplanation) VALUES ('IC', 'AlertSELowPrice', '0', 'lowest sales price alert')
INSERT INTO t_SystemProfile (FCategory, FKey, FValue, FExplanation) VALUES ('IC', 'AlertSELowPriceWhenCheck', '0', 'lowest sales price alert on check')
INSERT INTO t_SystemProfile (FCategory, FKey, FValue, FExplanation) VALUES ('IC', 'AlertPOMaxPrice', '0', 'highest purchase price alert')
INSERT INTO t_SystemProfile (FCategory, FKey, FValue, FExplanation) VALUES ('IC', 'AlertHighPriceWhenCheck', '0', 'highest purchase price alert on check')
INSERT INTO t_SystemProfile (FCategory, FKey, FValue, FExplanation) VALUES ('IC', 'SameUserApprovalAndUnApproval', '0', 'only the checker may uncheck')
INSERT INTO t_SystemProfile (FCategory, FKey, FValue, FExplanation) VALUES ('IC', 'POQtyLargeStock', '0', 'enforce the over-receipt limit')
INSERT INTO t_SystemProfile (FCategory, FKey, FValue, FExplanation) VALUES ('IC', 'CQtyLargerSEQty', '0', 'delivered quantity may exceed the order')
INSERT INTO t_SystemProfile (FCategory, FKey, FValue, FExplanation) VALUES ('IC', 'OrdStockOutByProportion', '0', 'enforce the over-delivery limit')
INSERT INTO t_SystemProfile (FCategory, FKey, FValue, FExplanation) VALUES ('IC', 'SInvoiceDecimal', '2', 'price decimals of sales-invoice reports')
INSERT INTO t_SystemProfile (FCategory, FKey, FValue, FExplanation) VALUES ('IC', 'SEOrderTaxInPrice', '0', 'sales-order prices include tax')
INSERT INTO t_SystemProfile (FCategory, FKey, FValue, FExplanation) VALUES ('IC', 'POOrderTaxInPrice', '0', 'purchase-order prices include tax')
INSERT INTO t_SystemProfile (FCategory, FKey, FValue, FExplanation) VALUES ('General', 'SingleMan', '0', 'the maker may check his own bill')
