DECLARE @n INT, @s VARCHAR(50)
SET @n = 7 / 2
SELECT @s = 'Qty: ' + CAST(@n AS VARCHAR(10))
IF @n > 2
BEGIN
  SELECT @s AS msg, @@ROWCOUNT AS rc
END
ELSE
  SELECT 0 AS msg
