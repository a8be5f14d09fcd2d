SELECT FDate,FTime,FType,FName,FArtist FROM "C:\Quorvane\Report\rep_2612.db"
WHERE FType=4 AND FDate="09.12.2026"
ORDER BY FTime