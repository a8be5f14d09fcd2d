SELECT FDate,FHour,FNumber,FName,FArtist,FType FROM "/q/History.db"
WHERE FDate="09.12.2026" AND FType=0
ORDER BY FHour,FNumber