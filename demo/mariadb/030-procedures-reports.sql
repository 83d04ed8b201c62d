-- Report procedures of the demo on MariaDB: the port of the procedures in
-- demo/sql/040-procedures-reports.sql that these reports call (their demo answer files give the
-- same rows on both databases): Unit Listing, Resident List, Resident Birthdays, Posted Cash
-- Receipts, Deposit Log, Returned Items, Lease Expiration and Lease Expiration By Month, Market
-- Sources and Traffic Summary, Traffic Sources, Move In Move Out, Weekly Box Score and End Of
-- Month. The money reports' procedures are in 040-procedures-money.sql, the unit and leasing
-- reports' and the lookups in 050-procedures-units.sql.
--
-- As in the embedded bodies, dates arrive as dates and no body reads the clock. SQLite's date
-- arithmetic becomes DATEDIFF/DATE_ADD, strftime becomes MONTH/DAYOFMONTH/DATE_FORMAT. Two
-- things only a server procedure does: sp_Rep_DepositLog returns a second result set (the
-- totals), which the component leaves alone because a procedure's rows are its first result
-- set; and sp_Rep_NSF refuses a property that does not exist with an error of its own.

SET sql_mode = 'STRICT_TRANS_TABLES,NO_ENGINE_SUBSTITUTION';
DELIMITER //

CREATE PROCEDURE sp_GetDistinctPaymentDates(IN Property VARCHAR(10))
SELECT DISTINCT p.Date_Stamp
FROM tblPayment p
WHERE p.Misc_Property = Property AND p.Batch_Source = 'Post Cash Receipts'
ORDER BY p.Date_Stamp DESC//

CREATE PROCEDURE sp_Rep_UnitListing(IN Property VARCHAR(10))
SELECT u.Unit, u.SortOrder, u.Building, u.Floor, u.Unit_Class, uc.Description AS Class_Description,
       uc.Bedrooms, uc.Baths, u.SqFt, u.Market_Rent,
       CASE WHEN u.Down_Unit = 1 THEN 'Down' WHEN cur.Lease IS NOT NULL THEN 'Occupied'
            ELSE 'Vacant' END AS Unit_Status,
       r.Name AS Resident_Name
FROM tblProp_Unit u
JOIN tblUnitClass uc ON uc.Property = u.Property AND uc.Unit_Class = u.Unit_Class
LEFT JOIN vwLeaseUnit cur ON cur.Property = u.Property AND cur.Unit = u.Unit
                         AND cur.Lease_Status IN ('Current', 'Notice')
LEFT JOIN tblResident r ON r.Resident = cur.Primary_Resident
WHERE u.Property = Property
ORDER BY u.SortOrder//

-- Current residents and co-residents with their units.
CREATE PROCEDURE sp_Rep_rptTenantList(IN Property VARCHAR(10))
SELECT v.Unit, v.SortOrder, v.Resident, v.Name, v.Relationship, v.Phone, v.Email, v.Move_In,
       v.Lease_End, v.Rent, v.Lease_Status
FROM vwResidentLease v
WHERE v.Property = Property AND v.Status = 'Current' AND v.Unit IS NOT NULL
ORDER BY v.SortOrder, v.Relationship DESC, v.Name//

CREATE PROCEDURE sp_Rep_ResidentBDay(IN Property VARCHAR(10), IN AllBDays SMALLINT)
SELECT v.Unit, v.SortOrder, v.Resident, v.Name, v.BirthDate,
       MONTH(v.BirthDate) AS BDay_Month, DAYOFMONTH(v.BirthDate) AS BDay_Day,
       CASE MONTH(v.BirthDate) WHEN 1 THEN 'January' WHEN 2 THEN 'February' WHEN 3 THEN 'March'
            WHEN 4 THEN 'April' WHEN 5 THEN 'May' WHEN 6 THEN 'June' WHEN 7 THEN 'July'
            WHEN 8 THEN 'August' WHEN 9 THEN 'September' WHEN 10 THEN 'October'
            WHEN 11 THEN 'November' WHEN 12 THEN 'December' ELSE '' END AS Month_Name
FROM vwResidentLease v
WHERE v.Property = Property AND v.Status = 'Current' AND (AllBDays <> 0 OR v.BirthDate IS NOT NULL)
ORDER BY BDay_Month, BDay_Day, v.SortOrder//

CREATE PROCEDURE sp_Rep_rptCashReceiptsPosted(IN Property VARCHAR(10), IN DatePost DATE,
                                              IN BatchNum VARCHAR(10), IN ViewAll SMALLINT)
SELECT p.Batch, p.Operator_Stamp, p.Date_Stamp, p.PaymentID, p.Resident, r.Name, p.Unit,
       p.Payment_Type, p.Check_Num, p.Amount, p.NSF
FROM tblPayment p
JOIN tblResident r ON r.Resident = p.Resident
WHERE p.Misc_Property = Property AND p.Batch_Source = 'Post Cash Receipts'
  AND p.Date_Stamp = DatePost AND (ViewAll = 1 OR p.Batch = BatchNum)
ORDER BY p.Batch, p.PaymentID//

-- The deposits, then their totals as a second result set.
CREATE PROCEDURE sp_Rep_DepositLog(IN StartDate DATE, IN EndDate DATE, IN Property VARCHAR(10))
BEGIN
    SELECT r.Status, d.Resident, r.Name, d.Unit, d.Deposit_Type,
           ct.Charge_Description AS Deposit_Description, d.Amount, d.Date_Received,
           d.Date_Refunded, d.Refund_Amount, d.Refund_Check,
           ROUND(CASE WHEN d.Date_Refunded IS NULL OR d.Date_Refunded > EndDate THEN d.Amount
                      ELSE 0 END, 2) AS Held
    FROM tblDeposit d
    JOIN tblResident r ON r.Resident = d.Resident
    JOIN tblProperty p ON p.Property = d.Property
    LEFT JOIN tblCharge_Type ct ON ct.Charge_Type_Table = p.Charge_Type_Table
                               AND ct.Charge_Type = d.Deposit_Type
    WHERE d.Property = Property
      AND (d.Date_Received BETWEEN StartDate AND EndDate
           OR d.Date_Refunded BETWEEN StartDate AND EndDate)
    ORDER BY r.Status, r.Name, d.Date_Received;
    SELECT COUNT(*) AS Deposits, SUM(d.Amount) AS Received
    FROM tblDeposit d
    WHERE d.Property = Property AND d.Date_Received BETWEEN StartDate AND EndDate;
END//

CREATE PROCEDURE sp_Rep_NSF(IN Property VARCHAR(10), IN StartDate DATE, IN EndDate DATE)
BEGIN
    DECLARE message VARCHAR(128);
    IF NOT EXISTS (SELECT 1 FROM tblProperty pr WHERE pr.Property = Property) THEN
        SET message = CONCAT('There is no property ', COALESCE(Property, 'NULL'));
        SIGNAL SQLSTATE '45000' SET MESSAGE_TEXT = message;
    END IF;
    SELECT p.Resident, r.Name, r.Unit, r.SortOrder, p.PaymentID, p.Check_Num, p.Payment_Date,
           p.NSF_Date, p.Amount, p.NSF_Reason, p.Batch,
           ROUND(COALESCE((SELECT SUM(c.Amount) FROM tblCharge c WHERE c.Resident = p.Resident
                           AND c.Charge_Type = 'NSF' AND c.Charge_Date = p.NSF_Date), 0), 2)
               AS NSF_Fee
    FROM tblPayment p
    JOIN vwResidentLease r ON r.Resident = p.Resident
    WHERE p.Misc_Property = Property AND p.NSF = 1 AND p.NSF_Date BETWEEN StartDate AND EndDate
    ORDER BY p.NSF_Date, r.Name;
END//

CREATE PROCEDURE sp_Rep_rptLeaseExpiration(IN RepStart DATE, IN RepEnd DATE,
                                           IN Property VARCHAR(10), IN OrderBy VARCHAR(50))
SELECT lu.Unit, u.SortOrder, u.Unit_Class, lu.Primary_Resident AS Resident, r.Name, r.Phone,
       lu.Move_In, lu.Lease_Start, lu.Lease_End AS LeaseEnd, lu.MTM, lu.Rent, u.Market_Rent,
       lu.Lease_Status, lu.Notice_Date, lu.Intend_Move_Out,
       DATE_FORMAT(lu.Lease_End, '%Y-%m') AS Expire_Month
FROM vwLeaseUnit lu
JOIN tblProp_Unit u ON u.Property = lu.Property AND u.Unit = lu.Unit
JOIN tblResident r ON r.Resident = lu.Primary_Resident
WHERE lu.Property = Property AND lu.Lease_Status IN ('Current', 'Notice')
  AND (lu.MTM = 1 OR lu.Lease_End BETWEEN RepStart AND RepEnd)
ORDER BY CASE WHEN REPLACE(OrderBy, ' ', '') = 'MTM,LeaseEnd' THEN -lu.MTM ELSE 0 END,
         CASE WHEN REPLACE(OrderBy, ' ', '') IN ('MTM,LeaseEnd', 'LeaseEnd,SortOrder')
              THEN lu.Lease_End END,
         u.SortOrder//

CREATE PROCEDURE sp_Rep_rptTraffic(IN Property VARCHAR(10), IN DateStart DATE, IN DateEnd DATE)
SELECT t.Visit_Date, t.GCardID, g.Name, t.Contact_Type, t.Agent, g.Source,
       cb.ItemDescription AS Source_Description, g.Unit_Class, g.Desired_Move_In,
       g.Status AS Card_Status, g.Lease_Date,
       CASE WHEN g.Status = 'Leased' THEN 1 ELSE 0 END AS Leased,
       CASE WHEN EXISTS (SELECT 1 FROM tblApplication a WHERE a.GCardID = g.GCardID) THEN 1
            ELSE 0 END AS Applied
FROM tblTraffic t
JOIN tblGuestCard g ON g.GCardID = t.GCardID
LEFT JOIN tblCBOValues cb ON cb.ItemType = 'MarketSource' AND cb.ItemValue = g.Source
                         AND cb.Property IN ('System', g.Property)
WHERE t.Property = Property AND t.Visit_Date BETWEEN DateStart AND DateEnd
ORDER BY t.Visit_Date, t.Agent, g.Name//

CREATE PROCEDURE sp_Rep_rptTrafficSources(IN Property VARCHAR(10), IN PropName VARCHAR(55),
                                          IN StartDate DATE, IN EndDate DATE)
SELECT PropName AS PropName, g.Source, COALESCE(cb.ItemDescription, g.Source) AS Source_Description,
       COUNT(*) AS Guest_Cards,
       SUM(g.Contact_Type = 'Walk In') AS Walk_Ins,
       SUM(g.Contact_Type = 'Phone') AS Phone_Calls,
       SUM(EXISTS (SELECT 1 FROM tblApplication a WHERE a.GCardID = g.GCardID)) AS Applications,
       SUM(g.Status = 'Leased') AS Leases,
       ROUND(100.0 * SUM(g.Status = 'Leased') / COUNT(*), 1) AS Closing_Percent
FROM tblGuestCard g
LEFT JOIN tblCBOValues cb ON cb.ItemType = 'MarketSource' AND cb.ItemValue = g.Source
                         AND cb.Property IN ('System', g.Property)
WHERE g.Property = Property AND g.First_Contact BETWEEN StartDate AND EndDate
GROUP BY g.Source
ORDER BY Guest_Cards DESC, Source_Description//

CREATE PROCEDURE sp_Rep_rptMoveInOut(IN Property VARCHAR(10), IN StartDate DATE, IN EndDate DATE,
                                     IN SortBy VARCHAR(15))
WITH moves AS (
  SELECT 'Move In' AS Move_Type, lu.Unit, lu.Primary_Resident, lu.Intend_Move_In AS Intend_Date,
         lu.Move_In AS Actual_Date, lu.Lease_Status, lu.Rent, lu.Deposit_Amount
  FROM vwLeaseUnit lu
  WHERE lu.Property = Property
    AND COALESCE(lu.Move_In, lu.Intend_Move_In) BETWEEN StartDate AND EndDate
  UNION ALL
  SELECT 'Move Out', lu.Unit, lu.Primary_Resident, lu.Intend_Move_Out, lu.Move_Out,
         lu.Lease_Status, lu.Rent, lu.Deposit_Amount
  FROM vwLeaseUnit lu
  WHERE lu.Property = Property
    AND COALESCE(lu.Move_Out, lu.Intend_Move_Out) BETWEEN StartDate AND EndDate)
SELECT m.Move_Type, m.Unit, u.SortOrder, u.Unit_Class, r.Name, r.Phone, m.Intend_Date,
       m.Actual_Date, m.Lease_Status, m.Rent, m.Deposit_Amount
FROM moves m
JOIN tblProp_Unit u ON u.Property = Property AND u.Unit = m.Unit
JOIN tblResident r ON r.Resident = m.Primary_Resident
ORDER BY CASE WHEN SortBy = 'Unit' THEN u.SortOrder END, m.Intend_Date, u.SortOrder,
         m.Move_Type//

CREATE PROCEDURE sp_Rep_WeeklyBoxMain(IN Property VARCHAR(10), IN StartDate DATE, IN EndDate DATE)
WITH lu AS (
  SELECT l.Move_In, l.Move_Out, l.Notice_Date, l.App_Date, l.Intend_Move_In, u.Unit_Class
  FROM vwLeaseUnit l JOIN tblProp_Unit u ON u.Property = l.Property AND u.Unit = l.Unit
  WHERE l.Property = Property),
cls AS (
  SELECT pu.Unit_Class, COUNT(*) AS Units FROM tblProp_Unit pu WHERE pu.Property = Property
  GROUP BY pu.Unit_Class)
SELECT c.Unit_Class, c.Units,
       (SELECT COUNT(*) FROM lu WHERE lu.Unit_Class = c.Unit_Class AND lu.Move_In <= StartDate
        AND (lu.Move_Out IS NULL OR lu.Move_Out > StartDate)) AS Occupied_Start,
       (SELECT COUNT(*) FROM lu WHERE lu.Unit_Class = c.Unit_Class
        AND lu.Move_In BETWEEN StartDate AND EndDate) AS Move_Ins,
       (SELECT COUNT(*) FROM lu WHERE lu.Unit_Class = c.Unit_Class
        AND lu.Move_Out BETWEEN StartDate AND EndDate) AS Move_Outs,
       (SELECT COUNT(*) FROM lu WHERE lu.Unit_Class = c.Unit_Class
        AND lu.Notice_Date BETWEEN StartDate AND EndDate) AS Notices,
       (SELECT COUNT(*) FROM lu WHERE lu.Unit_Class = c.Unit_Class AND lu.Move_In <= EndDate
        AND (lu.Move_Out IS NULL OR lu.Move_Out > EndDate)) AS Occupied_End,
       (SELECT COUNT(*) FROM lu WHERE lu.Unit_Class = c.Unit_Class AND lu.App_Date <= EndDate
        AND COALESCE(lu.Move_In, lu.Intend_Move_In) > EndDate) AS Pre_Leased,
       ROUND(100.0 * (SELECT COUNT(*) FROM lu WHERE lu.Unit_Class = c.Unit_Class
                      AND lu.Move_In <= EndDate
                      AND (lu.Move_Out IS NULL OR lu.Move_Out > EndDate)) / c.Units, 2)
           AS Occupancy_Percent
FROM cls c
ORDER BY c.Unit_Class//

CREATE PROCEDURE sp_Rep_WeeklyBoxSub(IN Property VARCHAR(10), IN StartDate DATE, IN EndDate DATE)
WITH RECURSIVE days(D) AS (
  SELECT StartDate UNION ALL SELECT DATE_ADD(d.D, INTERVAL 1 DAY) FROM days d WHERE d.D < EndDate),
activity AS (
  SELECT d.D AS Activity_Date,
         (SELECT COUNT(*) FROM tblTraffic t WHERE t.Property = Property AND t.Visit_Date = d.D
          AND t.Contact_Type = 'Walk In') AS Walk_Ins,
         (SELECT COUNT(*) FROM tblTraffic t WHERE t.Property = Property AND t.Visit_Date = d.D
          AND t.Contact_Type = 'Phone') AS Phone_Calls,
         (SELECT COUNT(*) FROM tblTraffic t WHERE t.Property = Property AND t.Visit_Date = d.D
          AND t.Contact_Type NOT IN ('Walk In', 'Phone')) AS Other_Contacts,
         (SELECT COUNT(*) FROM tblApplication a WHERE a.Property = Property
          AND a.App_Date = d.D) AS Applications,
         (SELECT COUNT(*) FROM tblApplication a WHERE a.Property = Property
          AND a.Decision_Date = d.D AND a.Status = 'Approved') AS Approved,
         (SELECT COUNT(*) FROM tblApplication a WHERE a.Property = Property
          AND a.Decision_Date = d.D AND a.Status = 'Denied') AS Denied,
         (SELECT COUNT(*) FROM tblApplication a WHERE a.Property = Property
          AND a.Decision_Date = d.D AND a.Status = 'Cancelled') AS Cancelled
  FROM days d)
SELECT * FROM activity
WHERE Walk_Ins + Phone_Calls + Other_Contacts + Applications + Approved + Denied + Cancelled > 0
ORDER BY Activity_Date//

-- End of month: each unit's potential rent, loss to lease and vacancy loss for the month of
-- EndDate, with the property's totals as outputs; sets the period end unless ReportOnly.
CREATE PROCEDURE sp_EOM(IN Property VARCHAR(10), IN EndDate DATE, IN DaysInMonth INT,
                        IN ReportOnly SMALLINT, OUT GPR DOUBLE, OUT LTL DOUBLE, OUT VL DOUBLE)
BEGIN
    DECLARE monthStart DATE DEFAULT DATE_SUB(EndDate, INTERVAL DAYOFMONTH(EndDate) - 1 DAY);
    DECLARE monthDays INT DEFAULT DATEDIFF(EndDate, monthStart) + 1;
    UPDATE tblProperty p SET p.Period_End = EndDate
    WHERE p.Property = Property AND ReportOnly = 0;
    DROP TEMPORARY TABLE IF EXISTS eom_occupancy;
    CREATE TEMPORARY TABLE eom_occupancy AS
        SELECT lu.Unit,
               SUM(GREATEST(0, DATEDIFF(LEAST(EndDate, COALESCE(DATE_SUB(lu.Move_Out, INTERVAL 1 DAY),
                                                               EndDate)),
                                        GREATEST(monthStart, lu.Move_In)) + 1)) AS Days_Occupied,
               MAX(lu.Rent) AS Lease_Rent
        FROM vwLeaseUnit lu
        WHERE lu.Property = Property AND lu.Move_In IS NOT NULL AND lu.Move_In <= EndDate
          AND (lu.Move_Out IS NULL OR lu.Move_Out > monthStart)
        GROUP BY lu.Unit;
    SELECT e.Unit, e.SortOrder, e.Unit_Class, e.Market_Rent, e.Lease_Rent, e.Days_Occupied,
           e.Days_Vacant, ROUND(e.Market_Rent * 1.0, 2) AS GPR,
           ROUND((e.Market_Rent - COALESCE(e.Lease_Rent, e.Market_Rent)) * e.Days_Occupied * 1.0
                 / NULLIF(DaysInMonth, 0), 2) AS LTL,
           ROUND(e.Market_Rent * e.Days_Vacant * 1.0 / NULLIF(DaysInMonth, 0), 2) AS VL
    FROM (SELECT u.Unit, u.SortOrder, u.Unit_Class, u.Market_Rent, o.Lease_Rent,
                 CAST(COALESCE(o.Days_Occupied, 0) AS SIGNED) AS Days_Occupied,
                 CAST(monthDays - COALESCE(o.Days_Occupied, 0) AS SIGNED) AS Days_Vacant
          FROM tblProp_Unit u LEFT JOIN eom_occupancy o ON o.Unit = u.Unit
          WHERE u.Property = Property) e
    ORDER BY e.SortOrder;
    SELECT ROUND(SUM(u.Market_Rent), 2),
           ROUND(SUM((u.Market_Rent - COALESCE(o.Lease_Rent, u.Market_Rent))
                     * COALESCE(o.Days_Occupied, 0) * 1.0 / NULLIF(DaysInMonth, 0)), 2),
           ROUND(SUM(u.Market_Rent * (monthDays - COALESCE(o.Days_Occupied, 0)) * 1.0
                     / NULLIF(DaysInMonth, 0)), 2)
    INTO GPR, LTL, VL
    FROM tblProp_Unit u LEFT JOIN eom_occupancy o ON o.Unit = u.Unit
    WHERE u.Property = Property;
    DROP TEMPORARY TABLE eom_occupancy;
END//

DELIMITER ;
