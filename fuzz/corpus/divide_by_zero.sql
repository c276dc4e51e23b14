SELECT 1/0 AS boom
