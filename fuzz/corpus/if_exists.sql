CREATE TABLE t_SystemProfile (FCategory VARCHAR(30) NOT NULL, FKey VARCHAR(50) NOT NULL, FValue VARCHAR(255) NULL)
INSERT INTO t_SystemProfile VALUES ('IC', 'ICClosed', '0')
IF EXISTS (SELECT 1 FROM t_SystemProfile WHERE FCategory='ic' AND FKey='ICClosed ')
  SELECT TOP 1 FValue FROM t_SystemProfile ORDER BY FKey
ELSE
  SELECT NULL AS FValue
