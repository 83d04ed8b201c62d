-- Unit, occupancy, leasing, service call and lookup procedures of the demo on MariaDB: the port
-- of these procedures of demo/sql/040-procedures-reports.sql, with the same parameters and rows.
-- Lookups: sp_ResidentsAndUnits, sp_ResidentsAndApplicants, sp_stp_Units, sp_stp_Properties and
-- the custom prompts' unit list sp_DistinctUnitListParameter. Units and occupancy: Apartment
-- Status, Wait List, Make Ready, Other Units (and By Type), Rent Roll All Units, Rent Roll
-- Balances, Demographics, Economic Vacancy, Property Status, Unit Statistics, Days Vacant,
-- Occupancy Availability, Weekly Box Score Communities and Vacancy Deviation. Leasing: Guest Card
-- Summary and Classic Interface Status. Service calls: Service Call and Service Call List.
--
-- The conventions of 030-procedures-reports.sql hold: parameters without the "@", every column
-- written with its table's alias (a parameter hides a column of its name), outputs as OUT
-- parameters set before the rows, dates in as dates and no clock. A unit's earlier and later
-- leases are matched by property as well as unit, so that two properties' units of the same
-- name never borrow each other's dates. Counts and sums that SQLite gives as integers are cast
-- to integers here (MariaDB sums to decimals).

SET sql_mode = 'STRICT_TRANS_TABLES,NO_ENGINE_SUBSTITUTION';
DELIMITER //

-- Lookups --------------------------------------------------------------------------------------

CREATE PROCEDURE sp_ResidentsAndUnits(IN Property VARCHAR(10))
SELECT v.Resident, v.Name, v.Unit, v.SortOrder, v.Status, v.Account_Status, v.Lease,
       v.Revision_Num
FROM vwResidentLease v
WHERE v.Property = Property AND v.Unit IS NOT NULL
ORDER BY v.Name//

CREATE PROCEDURE sp_ResidentsAndApplicants(IN Property VARCHAR(10))
SELECT v.Name, v.Resident, v.Unit, v.Status, v.Account_Status, v.Lease, v.Revision_Num
FROM vwResidentLease v
WHERE v.Property = Property
ORDER BY v.Name//

CREATE PROCEDURE sp_stp_Units()
SELECT u.Property, u.Unit, u.SortOrder, u.Building, u.Floor, u.Unit_Class, u.SqFt, u.Market_Rent
FROM tblProp_Unit u
ORDER BY u.Property, u.SortOrder//

-- A plain single-table select, so that the caller can write LastStatementDate back.
CREATE PROCEDURE sp_stp_Properties()
SELECT p.Property, p.Name, p.Addressee, p.Address1, p.Address2, p.City, p.State, p.Zip, p.Phone,
       p.Charge_Type_Table, p.Occ_Proration_Opt, p.Period_End, p.LastStatementDate
FROM tblProperty p
ORDER BY p.Property//

-- PropertyString holds the chosen properties as 'A','B' (an apostrophe inside an id doubled).
CREATE PROCEDURE sp_DistinctUnitListParameter(IN PropertyString VARCHAR(8000))
SELECT DISTINCT u.Unit, u.Unit AS Unit_Number, u.Property
FROM tblProp_Unit u
WHERE INSTR(PropertyString, CONCAT('''', REPLACE(u.Property, '''', ''''''), '''')) > 0
ORDER BY u.Property, u.SortOrder//

-- Units ------------------------------------------------------------------------------------------

CREATE PROCEDURE sp_Rep_ApartmentStatus(IN Property VARCHAR(10))
SELECT u.Unit, u.SortOrder, u.Building, u.Unit_Class, u.SqFt, u.Market_Rent,
       CASE WHEN u.Down_Unit = 1 THEN 'Down' WHEN u.Model_Unit = 1 AND cur.Lease IS NULL THEN 'Model'
            WHEN cur.Lease_Status = 'Notice' THEN 'Notice' WHEN cur.Lease IS NOT NULL THEN 'Occupied'
            ELSE 'Vacant' END AS Unit_Status,
       r.Name AS Resident_Name, cur.Rent, cur.Move_In, cur.Lease_End, cur.Notice_Date,
       cur.Intend_Move_Out,
       (SELECT MAX(p.Move_Out) FROM vwLeaseUnit p
        WHERE p.Property = u.Property AND p.Unit = u.Unit AND p.Lease_Status = 'Past'
          AND cur.Lease IS NULL) AS Vacant_Since,
       ar.Name AS Applicant_Name, app.Intend_Move_In, u.Ready_Status, u.Ready_Date
FROM tblProp_Unit u
LEFT JOIN vwLeaseUnit cur ON cur.Property = u.Property AND cur.Unit = u.Unit
                         AND cur.Lease_Status IN ('Current', 'Notice')
LEFT JOIN tblResident r ON r.Resident = cur.Primary_Resident
LEFT JOIN vwLeaseUnit app ON app.Property = u.Property AND app.Unit = u.Unit
                         AND app.Lease_Status = 'Applicant'
LEFT JOIN tblResident ar ON ar.Resident = app.Primary_Resident
WHERE u.Property = Property
ORDER BY u.SortOrder//

CREATE PROCEDURE sp_Rep_WaitList(IN Property VARCHAR(10))
SELECT w.WaitID, w.Name, w.Phone, w.Unit_Class, uc.Description AS Class_Description, w.Date_Added,
       w.Desired_Date, w.Notes
FROM tblWaitList w
LEFT JOIN tblUnitClass uc ON uc.Property = w.Property AND uc.Unit_Class = w.Unit_Class
WHERE w.Property = Property
ORDER BY w.Date_Added, w.WaitID//

-- Vacant units and units on notice, with what stands between them and the next move-in.
CREATE PROCEDURE sp_Rep_MakeReady(IN Property VARCHAR(10))
SELECT u.Unit, u.SortOrder, u.Unit_Class,
       CASE WHEN u.Down_Unit = 1 THEN 'Down' WHEN cur.Lease IS NOT NULL THEN 'Notice'
            ELSE 'Vacant' END AS Unit_Status,
       COALESCE(cur.Intend_Move_Out,
                (SELECT MAX(p.Move_Out) FROM vwLeaseUnit p
                 WHERE p.Property = u.Property AND p.Unit = u.Unit AND p.Lease_Status = 'Past'))
           AS Vacate_Date,
       u.Ready_Status, u.Ready_Date, ar.Name AS Applicant_Name, app.Intend_Move_In AS Next_Move_In,
       (SELECT COUNT(*) FROM tblWorkOrder w WHERE w.Property = u.Property AND w.Unit = u.Unit
        AND w.DateClosed IS NULL) AS Open_Work_Orders
FROM tblProp_Unit u
LEFT JOIN vwLeaseUnit cur ON cur.Property = u.Property AND cur.Unit = u.Unit
                         AND cur.Lease_Status IN ('Current', 'Notice')
LEFT JOIN vwLeaseUnit app ON app.Property = u.Property AND app.Unit = u.Unit
                         AND app.Lease_Status = 'Applicant'
LEFT JOIN tblResident ar ON ar.Resident = app.Primary_Resident
WHERE u.Property = Property
  AND (cur.Lease IS NULL OR cur.Lease_Status = 'Notice' OR u.Ready_Status <> 'Ready')
ORDER BY u.SortOrder//

CREATE PROCEDURE sp_Rep_OtherUnit(IN Property VARCHAR(10))
SELECT o.OtherUnitType, cb.ItemDescription AS Type_Description, o.OtherUnit, o.Description, o.Rent,
       CASE WHEN o.Resident IS NULL THEN 'Available' ELSE 'Rented' END AS Rental_Status,
       r.Name AS Resident_Name, r.Unit, o.Rented_Date
FROM tblOtherUnit o
LEFT JOIN tblCBOValues cb ON cb.ItemType = 'OtherUnitType' AND cb.ItemValue = o.OtherUnitType
                         AND cb.Property IN ('System', o.Property)
LEFT JOIN vwResidentLease r ON r.Resident = o.Resident
WHERE o.Property = Property
ORDER BY o.OtherUnitType, o.OtherUnit//

-- Type empty (or the list's "all" entry) means every type.
CREATE PROCEDURE sp_Rep_OtherUnitByType(IN Property VARCHAR(10), IN booRented SMALLINT,
                                        IN booAvailable SMALLINT, IN Type VARCHAR(20))
SELECT o.OtherUnitType, cb.ItemDescription AS Type_Description, o.OtherUnit, o.Description, o.Rent,
       CASE WHEN o.Resident IS NULL THEN 'Available' ELSE 'Rented' END AS Rental_Status,
       r.Name AS Resident_Name, r.Unit, o.Rented_Date
FROM tblOtherUnit o
LEFT JOIN tblCBOValues cb ON cb.ItemType = 'OtherUnitType' AND cb.ItemValue = o.OtherUnitType
                         AND cb.Property IN ('System', o.Property)
LEFT JOIN vwResidentLease r ON r.Resident = o.Resident
WHERE o.Property = Property
  AND (COALESCE(Type, '') IN ('', 'Prints All Unit Types') OR o.OtherUnitType = Type)
  AND ((booRented <> 0 AND o.Resident IS NOT NULL) OR (booAvailable <> 0 AND o.Resident IS NULL))
ORDER BY o.OtherUnitType, o.OtherUnit//

CREATE PROCEDURE sp_Rep_RentRoll_SqFt(IN AsOfDate DATE, IN Property VARCHAR(10))
WITH occ AS (
  SELECT lu.* FROM vwLeaseUnit lu
  WHERE lu.Property = Property AND lu.Move_In <= AsOfDate
    AND (lu.Move_Out IS NULL OR lu.Move_Out > AsOfDate))
SELECT u.Unit, u.SortOrder, u.Unit_Class, u.SqFt, u.Market_Rent,
       ROUND(u.Market_Rent * 1.0 / u.SqFt, 2) AS Market_Per_SqFt,
       r.Name AS Resident_Name, o.Move_In, o.Lease_End, o.Rent,
       ROUND(o.Rent * 1.0 / u.SqFt, 2) AS Rent_Per_SqFt,
       CASE WHEN o.Lease IS NULL THEN 'Vacant' WHEN o.Notice_Date <= AsOfDate THEN 'Notice'
            ELSE 'Occupied' END AS Unit_Status,
       ROUND(COALESCE((SELECT SUM(d.Amount) FROM tblDeposit d WHERE d.Lease = o.Lease
                       AND d.Date_Received <= AsOfDate
                       AND (d.Date_Refunded IS NULL OR d.Date_Refunded > AsOfDate)), 0), 2)
           AS Deposit_Held,
       ROUND(COALESCE((SELECT SUM(l.Amount) FROM vwLedger l WHERE l.Lease = o.Lease
                       AND l.Trans_Date <= AsOfDate), 0), 2) AS Balance
FROM tblProp_Unit u
LEFT JOIN occ o ON o.Unit = u.Unit
LEFT JOIN tblResident r ON r.Resident = o.Primary_Resident
WHERE u.Property = Property
ORDER BY u.SortOrder//

-- Each primary resident's balance before the period, its charges and credits, and the balance
-- at its end. A terminated resident who moved out before the period and owes nothing is left
-- out (the filter needs the sum, so it wraps the grouped rows).
CREATE PROCEDURE sp_Rep_RentRoll_Bal(IN Property VARCHAR(10), IN start_period_in DATE,
                                     IN end_period_in DATE)
SELECT b.Unit, b.SortOrder, b.Resident, b.Name, b.Resident_Type, b.Lease_Status, b.Rent,
       b.Market_Rent, b.Beginning_Balance, b.Charges, b.Credits, b.Ending_Balance
FROM (SELECT r.Unit, r.SortOrder, r.Resident, r.Name,
             CASE r.Status WHEN 'Terminated' THEN 'F' WHEN 'Applicant' THEN 'A' ELSE 'C' END
                 AS Resident_Type,
             r.Lease_Status, r.Rent, u.Market_Rent,
             ROUND(COALESCE(SUM(CASE WHEN l.Trans_Date < start_period_in THEN l.Amount END), 0),
                   2) AS Beginning_Balance,
             ROUND(COALESCE(SUM(CASE WHEN l.Trans_Date >= start_period_in AND l.Amount > 0
                                     THEN l.Amount END), 0), 2) AS Charges,
             ROUND(COALESCE(-SUM(CASE WHEN l.Trans_Date >= start_period_in AND l.Amount < 0
                                      THEN l.Amount END), 0), 2) AS Credits,
             ROUND(COALESCE(SUM(l.Amount), 0), 2) AS Ending_Balance,
             r.Status, r.Move_Out, SUM(l.Amount) AS Total
      FROM vwResidentLease r
      LEFT JOIN tblProp_Unit u ON u.Property = r.Property AND u.Unit = r.Unit
      LEFT JOIN vwLedger l ON l.Resident = r.Resident AND l.Trans_Date <= end_period_in
      WHERE r.Property = Property AND r.Relationship = 'Primary'
      GROUP BY r.Resident) b
WHERE b.Status <> 'Terminated' OR b.Move_Out >= start_period_in OR ABS(b.Total) >= 0.005
ORDER BY b.SortOrder, b.Name//

-- Occupancy --------------------------------------------------------------------------------------

-- Profile of the current residents, as counts per category.
CREATE PROCEDURE sp_Rep_Demographics(IN Property VARCHAR(10), OUT TotUnits INT, OUT LeasedOcc INT,
                                     OUT Occupied INT, OUT PropCity VARCHAR(15),
                                     OUT PropState VARCHAR(4), OUT PropAddressee VARCHAR(30))
BEGIN
    -- Outputs stay NULL for a property that does not exist, as in the embedded procedure.
    IF EXISTS (SELECT 1 FROM tblProperty p WHERE p.Property = Property) THEN
        SET TotUnits = (SELECT COUNT(*) FROM tblProp_Unit u WHERE u.Property = Property);
        SET LeasedOcc = (SELECT COUNT(DISTINCT lu.Unit) FROM vwLeaseUnit lu
                         WHERE lu.Property = Property
                           AND lu.Lease_Status IN ('Current', 'Notice', 'Applicant'));
        SET Occupied = (SELECT COUNT(DISTINCT lu.Unit) FROM vwLeaseUnit lu
                        WHERE lu.Property = Property AND lu.Lease_Status IN ('Current', 'Notice'));
        SELECT p.City, p.State, p.Addressee INTO PropCity, PropState, PropAddressee
        FROM tblProperty p WHERE p.Property = Property;
    END IF;
    WITH cur AS (
      SELECT r.BirthDate, r.Prior_City, r.Occupation, r.Monthly_Income, r.Vehicles, r.Pets
      FROM tblResident r JOIN vwResidentLease rl ON rl.Resident = r.Resident
      WHERE r.Property = Property AND r.Status = 'Current'),
    facts AS (
      SELECT 1 AS SortKey, 'Born' AS Category,
             COALESCE(CONCAT(LEFT(DATE_FORMAT(c.BirthDate, '%Y'), 3), '0s'), 'Not given') AS Item
      FROM cur c
      UNION ALL SELECT 2, 'Prior city', COALESCE(c.Prior_City, 'Not given') FROM cur c
      UNION ALL SELECT 3, 'Occupation', COALESCE(c.Occupation, 'Not given') FROM cur c
      UNION ALL SELECT 4, 'Monthly income',
                       CASE WHEN c.Monthly_Income < 3000 THEN 'Under 3,000'
                            WHEN c.Monthly_Income < 4500 THEN '3,000 - 4,499'
                            WHEN c.Monthly_Income < 6000 THEN '4,500 - 5,999'
                            ELSE '6,000 and over' END FROM cur c
      UNION ALL SELECT 5, 'Vehicles', CAST(c.Vehicles AS CHAR) FROM cur c
      UNION ALL SELECT 6, 'Pets', CASE WHEN c.Pets > 0 THEN 'With pets' ELSE 'No pets' END
                FROM cur c)
    SELECT f.SortKey, f.Category, f.Item, COUNT(*) AS Residents,
           ROUND(100.0 * COUNT(*) / (SELECT COUNT(*) FROM cur), 1) AS Percent_Of_Residents
    FROM facts f
    GROUP BY f.SortKey, f.Category, f.Item
    ORDER BY f.SortKey, Residents DESC, f.Item;
END//

-- Per unit: rent the unit could have earned in the period (market rent over the days) against
-- the rent and concessions charged.
CREATE PROCEDURE sp_Rep_EconomicVacancy(IN Property VARCHAR(10), IN StartDate DATE,
                                        IN EndDate DATE, OUT ProMoDays INT)
BEGIN
    SET ProMoDays = DATEDIFF(EndDate, StartDate) + 1;
    WITH occ AS (
      SELECT lu.Unit,
             SUM(GREATEST(0, DATEDIFF(LEAST(EndDate, COALESCE(DATE_SUB(lu.Move_Out, INTERVAL 1 DAY),
                                                             EndDate)),
                                      GREATEST(StartDate, lu.Move_In)) + 1)) AS Days_Occupied
      FROM vwLeaseUnit lu
      WHERE lu.Property = Property AND lu.Move_In IS NOT NULL
      GROUP BY lu.Unit),
    chg AS (
      SELECT c.Unit, SUM(CASE WHEN c.Charge_Type = 'RENT' THEN c.Amount ELSE 0 END) AS Rent_Charged,
             SUM(CASE WHEN c.Charge_Type = 'CONC' THEN c.Amount ELSE 0 END) AS Concessions
      FROM tblCharge c
      WHERE c.Property = Property AND c.Charge_Date BETWEEN StartDate AND EndDate
      GROUP BY c.Unit)
    SELECT u.Unit, u.SortOrder, u.Unit_Class, u.Market_Rent, ProMoDays AS Days_In_Period,
           CAST(COALESCE(o.Days_Occupied, 0) AS SIGNED) AS Days_Occupied,
           ProMoDays - CAST(COALESCE(o.Days_Occupied, 0) AS SIGNED) AS Days_Vacant,
           ROUND(u.Market_Rent * 12.0 * ProMoDays / 365, 2) AS Potential_Rent,
           ROUND(COALESCE(c.Rent_Charged, 0), 2) AS Rent_Charged,
           ROUND(COALESCE(c.Concessions, 0), 2) AS Concessions,
           ROUND(u.Market_Rent * 12.0 * ProMoDays / 365 - COALESCE(c.Rent_Charged, 0)
                 - COALESCE(c.Concessions, 0), 2) AS Economic_Loss
    FROM tblProp_Unit u
    LEFT JOIN occ o ON o.Unit = u.Unit
    LEFT JOIN chg c ON c.Unit = u.Unit
    WHERE u.Property = Property
    ORDER BY u.SortOrder;
END//

-- The property at a glance over the period: one row per figure.
CREATE PROCEDURE sp_Rep_rptPropStatus(IN Property VARCHAR(10), IN StartDate DATE, IN EndDate DATE)
WITH lu AS (SELECT v.* FROM vwLeaseUnit v WHERE v.Property = Property),
units AS (SELECT COUNT(*) AS N FROM tblProp_Unit u WHERE u.Property = Property),
occ(D, N) AS (
  SELECT StartDate, (SELECT COUNT(DISTINCT lu.Unit) FROM lu WHERE lu.Move_In <= StartDate
                     AND (lu.Move_Out IS NULL OR lu.Move_Out > StartDate))
  UNION ALL
  SELECT EndDate, (SELECT COUNT(DISTINCT lu.Unit) FROM lu WHERE lu.Move_In <= EndDate
                   AND (lu.Move_Out IS NULL OR lu.Move_Out > EndDate)))
SELECT 1 AS SortKey, 'Units' AS Section, 'Total units' AS Line,
       ROUND((SELECT units.N FROM units), 2) AS Value
UNION ALL SELECT 2, 'Units', 'Occupied at start', ROUND((SELECT occ.N FROM occ WHERE occ.D = StartDate), 2)
UNION ALL SELECT 3, 'Units', 'Occupied at end', ROUND((SELECT occ.N FROM occ WHERE occ.D = EndDate), 2)
UNION ALL SELECT 4, 'Units', 'Vacant at end',
       ROUND((SELECT units.N FROM units) - (SELECT occ.N FROM occ WHERE occ.D = EndDate), 2)
UNION ALL SELECT 5, 'Units', 'Occupancy at end (%)',
       ROUND(100.0 * (SELECT occ.N FROM occ WHERE occ.D = EndDate) / (SELECT units.N FROM units), 2)
UNION ALL SELECT 6, 'Leasing', 'Move-ins',
       ROUND((SELECT COUNT(*) FROM lu WHERE lu.Move_In BETWEEN StartDate AND EndDate), 2)
UNION ALL SELECT 7, 'Leasing', 'Move-outs',
       ROUND((SELECT COUNT(*) FROM lu WHERE lu.Move_Out BETWEEN StartDate AND EndDate), 2)
UNION ALL SELECT 8, 'Leasing', 'Notices given',
       ROUND((SELECT COUNT(*) FROM lu WHERE lu.Notice_Date BETWEEN StartDate AND EndDate), 2)
UNION ALL SELECT 9, 'Leasing', 'Applications taken',
       ROUND((SELECT COUNT(*) FROM tblApplication a WHERE a.Property = Property
              AND a.App_Date BETWEEN StartDate AND EndDate), 2)
UNION ALL SELECT 10, 'Leasing', 'Traffic contacts',
       ROUND((SELECT COUNT(*) FROM tblTraffic t WHERE t.Property = Property
              AND t.Visit_Date BETWEEN StartDate AND EndDate), 2)
UNION ALL SELECT 11, 'Money', 'Charges',
       ROUND((SELECT COALESCE(SUM(c.Amount), 0) FROM tblCharge c WHERE c.Property = Property
              AND c.Charge_Date BETWEEN StartDate AND EndDate), 2)
UNION ALL SELECT 12, 'Money', 'Receipts',
       ROUND((SELECT COALESCE(SUM(p.Amount), 0) FROM tblPayment p WHERE p.Misc_Property = Property
              AND p.Payment_Date BETWEEN StartDate AND EndDate), 2)
UNION ALL SELECT 13, 'Money', 'Receivable at end',
       ROUND((SELECT COALESCE(SUM(l.Amount), 0) FROM vwLedger l WHERE l.Property = Property
              AND l.Trans_Date <= EndDate), 2)
UNION ALL SELECT 14, 'Maintenance', 'Service calls opened',
       ROUND((SELECT COUNT(*) FROM tblWorkOrder w WHERE w.Property = Property
              AND w.DateOpened BETWEEN StartDate AND EndDate), 2)
UNION ALL SELECT 15, 'Maintenance', 'Service calls closed',
       ROUND((SELECT COUNT(*) FROM tblWorkOrder w WHERE w.Property = Property
              AND w.DateClosed BETWEEN StartDate AND EndDate), 2)
UNION ALL SELECT 16, 'Maintenance', 'Service calls open at end',
       ROUND((SELECT COUNT(*) FROM tblWorkOrder w WHERE w.Property = Property
              AND w.DateOpened <= EndDate AND (w.DateClosed IS NULL OR w.DateClosed > EndDate)), 2)
ORDER BY 1//

-- Per unit class over the period; the output counts leases on notice at the end date.
CREATE PROCEDURE sp_Rep_UnitStatistics(IN Property VARCHAR(10), IN StartDate DATE, IN EndDate DATE,
                                       OUT OnNotice INT)
BEGIN
    SET OnNotice = (SELECT COUNT(*) FROM vwLeaseUnit lu
                    WHERE lu.Property = Property AND lu.Notice_Date <= EndDate
                      AND lu.Move_In <= EndDate AND (lu.Move_Out IS NULL OR lu.Move_Out > EndDate));
    WITH lu AS (SELECT v.* FROM vwLeaseUnit v WHERE v.Property = Property),
    units AS (
      SELECT u.Unit, u.Unit_Class, u.SqFt, u.Market_Rent,
             EXISTS (SELECT 1 FROM lu WHERE lu.Unit = u.Unit AND lu.Move_In <= EndDate
                     AND (lu.Move_Out IS NULL OR lu.Move_Out > EndDate)) AS Is_Occupied
      FROM tblProp_Unit u WHERE u.Property = Property)
    SELECT u.Unit_Class, uc.Description AS Class_Description, COUNT(*) AS Units,
           CAST(SUM(u.SqFt) AS SIGNED) AS Total_SqFt, ROUND(AVG(u.Market_Rent), 2) AS Avg_Market_Rent,
           CAST(SUM(u.Is_Occupied) AS SIGNED) AS Occupied,
           CAST(COUNT(*) - SUM(u.Is_Occupied) AS SIGNED) AS Vacant,
           ROUND(COALESCE((SELECT AVG(lu.Rent) FROM lu JOIN tblProp_Unit u2 ON u2.Unit = lu.Unit
                           WHERE u2.Property = Property AND u2.Unit_Class = u.Unit_Class
                             AND lu.Move_In <= EndDate
                             AND (lu.Move_Out IS NULL OR lu.Move_Out > EndDate)), 0), 2)
               AS Avg_Lease_Rent,
           (SELECT COUNT(*) FROM lu JOIN tblProp_Unit u2 ON u2.Unit = lu.Unit
            WHERE u2.Property = Property AND u2.Unit_Class = u.Unit_Class
              AND lu.Move_In BETWEEN StartDate AND EndDate) AS Move_Ins,
           (SELECT COUNT(*) FROM lu JOIN tblProp_Unit u2 ON u2.Unit = lu.Unit
            WHERE u2.Property = Property AND u2.Unit_Class = u.Unit_Class
              AND lu.Move_Out BETWEEN StartDate AND EndDate) AS Move_Outs
    FROM units u
    JOIN tblUnitClass uc ON uc.Property = Property AND uc.Unit_Class = u.Unit_Class
    GROUP BY u.Unit_Class
    ORDER BY u.Unit_Class;
END//

-- Units with vacant days in the period; the output is the property's proration setting.
CREATE PROCEDURE sp_Rep_DaysVacant(IN Property VARCHAR(10), IN StartDate DATE, IN EndDate DATE,
                                   OUT Occ_Proration_Opt VARCHAR(20))
BEGIN
    SET Occ_Proration_Opt = (SELECT p.Occ_Proration_Opt FROM tblProperty p
                             WHERE p.Property = Property);
    WITH lu AS (SELECT v.* FROM vwLeaseUnit v WHERE v.Property = Property),
    occ AS (
      SELECT lu.Unit,
             SUM(GREATEST(0, DATEDIFF(LEAST(EndDate, COALESCE(DATE_SUB(lu.Move_Out, INTERVAL 1 DAY),
                                                             EndDate)),
                                      GREATEST(StartDate, lu.Move_In)) + 1)) AS Days_Occupied
      FROM lu WHERE lu.Move_In IS NOT NULL GROUP BY lu.Unit),
    vacancy AS (
      SELECT u.Unit, u.SortOrder, u.Unit_Class, u.Market_Rent,
             (SELECT MAX(lu.Move_Out) FROM lu WHERE lu.Unit = u.Unit AND lu.Move_Out <= EndDate)
                 AS Last_Move_Out,
             (SELECT MIN(COALESCE(lu.Move_In, lu.Intend_Move_In)) FROM lu WHERE lu.Unit = u.Unit
              AND COALESCE(lu.Move_In, lu.Intend_Move_In) > StartDate) AS Next_Move_In,
             CAST(DATEDIFF(EndDate, StartDate) + 1 - COALESCE(o.Days_Occupied, 0) AS SIGNED)
                 AS Days_Vacant
      FROM tblProp_Unit u
      LEFT JOIN occ o ON o.Unit = u.Unit
      WHERE u.Property = Property)
    SELECT v.Unit, v.SortOrder, v.Unit_Class, v.Market_Rent, v.Last_Move_Out, v.Next_Move_In,
           v.Days_Vacant
    FROM vacancy v
    WHERE v.Days_Vacant > 0
    ORDER BY v.SortOrder;
END//

-- Every unit on the date: occupied, on notice or vacant, when it comes free and whether it is
-- pre-leased.
CREATE PROCEDURE sp_Rep_OccupAvail(IN Property VARCHAR(10), IN StartDate DATE)
WITH cur AS (
  SELECT lu.* FROM vwLeaseUnit lu WHERE lu.Property = Property AND lu.Move_In <= StartDate
  AND (lu.Move_Out IS NULL OR lu.Move_Out > StartDate)),
nxt AS (
  SELECT lu.* FROM vwLeaseUnit lu WHERE lu.Property = Property AND lu.App_Date <= StartDate
  AND COALESCE(lu.Move_In, lu.Intend_Move_In) > StartDate)
SELECT u.Unit, u.SortOrder, u.Unit_Class, u.Market_Rent,
       CASE WHEN u.Down_Unit = 1 THEN 'Down' WHEN c.Lease IS NULL THEN 'Vacant'
            WHEN c.Notice_Date <= StartDate THEN 'Notice' ELSE 'Occupied' END AS Unit_Status,
       r.Name AS Resident_Name, c.Rent, c.Intend_Move_Out,
       CASE WHEN c.Lease IS NULL THEN COALESCE(u.Ready_Date, StartDate)
            WHEN c.Notice_Date <= StartDate THEN c.Intend_Move_Out END AS Available_Date,
       u.Ready_Status,
       CASE WHEN n.Lease IS NULL THEN 'N' ELSE 'Y' END AS Pre_Leased,
       nr.Name AS Applicant_Name, n.Intend_Move_In
FROM tblProp_Unit u
LEFT JOIN cur c ON c.Unit = u.Unit
LEFT JOIN tblResident r ON r.Resident = c.Primary_Resident
LEFT JOIN nxt n ON n.Unit = u.Unit
LEFT JOIN tblResident nr ON nr.Resident = n.Primary_Resident
WHERE u.Property = Property
ORDER BY u.SortOrder//

-- Every property side by side over the period.
CREATE PROCEDURE sp_Rep_WeeklyBoxCommunities(IN StartDate DATE, IN EndDate DATE)
SELECT p.Property, p.Name,
       (SELECT COUNT(*) FROM tblProp_Unit u WHERE u.Property = p.Property) AS Units,
       (SELECT COUNT(*) FROM vwLeaseUnit l WHERE l.Property = p.Property AND l.Move_In <= StartDate
        AND (l.Move_Out IS NULL OR l.Move_Out > StartDate)) AS Occupied_Start,
       (SELECT COUNT(*) FROM vwLeaseUnit l WHERE l.Property = p.Property
        AND l.Move_In BETWEEN StartDate AND EndDate) AS Move_Ins,
       (SELECT COUNT(*) FROM vwLeaseUnit l WHERE l.Property = p.Property
        AND l.Move_Out BETWEEN StartDate AND EndDate) AS Move_Outs,
       (SELECT COUNT(*) FROM vwLeaseUnit l WHERE l.Property = p.Property
        AND l.Notice_Date BETWEEN StartDate AND EndDate) AS Notices,
       (SELECT COUNT(*) FROM vwLeaseUnit l WHERE l.Property = p.Property AND l.Move_In <= EndDate
        AND (l.Move_Out IS NULL OR l.Move_Out > EndDate)) AS Occupied_End,
       (SELECT COUNT(*) FROM vwLeaseUnit l WHERE l.Property = p.Property AND l.App_Date <= EndDate
        AND COALESCE(l.Move_In, l.Intend_Move_In) > EndDate) AS Pre_Leased,
       (SELECT COUNT(*) FROM tblTraffic t WHERE t.Property = p.Property
        AND t.Visit_Date BETWEEN StartDate AND EndDate) AS Traffic,
       (SELECT COUNT(*) FROM tblApplication a WHERE a.Property = p.Property
        AND a.App_Date BETWEEN StartDate AND EndDate) AS Applications,
       ROUND(100.0 * (SELECT COUNT(*) FROM vwLeaseUnit l WHERE l.Property = p.Property
                      AND l.Move_In <= EndDate AND (l.Move_Out IS NULL OR l.Move_Out > EndDate))
             / (SELECT COUNT(*) FROM tblProp_Unit u WHERE u.Property = p.Property), 2)
           AS Occupancy_Percent
FROM tblProperty p
ORDER BY p.Name//

-- Vacancy per unit class against a 5% allowance; the output is the number of days in the period.
CREATE PROCEDURE sp_Rep_VacancyDeviation(IN Property VARCHAR(10), IN StartDate DATE,
                                         IN EndDate DATE, OUT ProMoDays INT)
BEGIN
    SET ProMoDays = DATEDIFF(EndDate, StartDate) + 1;
    WITH occ AS (
      SELECT lu.Unit,
             SUM(GREATEST(0, DATEDIFF(LEAST(EndDate, COALESCE(DATE_SUB(lu.Move_Out, INTERVAL 1 DAY),
                                                             EndDate)),
                                      GREATEST(StartDate, lu.Move_In)) + 1)) AS Days_Occupied
      FROM vwLeaseUnit lu
      WHERE lu.Property = Property AND lu.Move_In IS NOT NULL
      GROUP BY lu.Unit),
    units AS (
      SELECT u.Unit_Class, u.Market_Rent, ProMoDays - COALESCE(o.Days_Occupied, 0) AS Vacant_Days
      FROM tblProp_Unit u LEFT JOIN occ o ON o.Unit = u.Unit WHERE u.Property = Property)
    SELECT v.Unit_Class, COUNT(*) AS Units, COUNT(*) * ProMoDays AS Unit_Days,
           CAST(SUM(v.Vacant_Days) AS SIGNED) AS Vacant_Days,
           ROUND(100.0 * SUM(v.Vacant_Days) / (COUNT(*) * ProMoDays), 2) AS Vacancy_Percent,
           ROUND(5.0, 2) AS Allowed_Percent,
           ROUND(100.0 * SUM(v.Vacant_Days) / (COUNT(*) * ProMoDays) - 5.0, 2) AS Deviation,
           ROUND(SUM(v.Market_Rent * 12.0 / 365 * v.Vacant_Days), 2) AS Vacancy_Loss
    FROM units v
    GROUP BY v.Unit_Class
    ORDER BY v.Unit_Class;
END//

-- Leasing ----------------------------------------------------------------------------------------

-- A guest card with each of its visits. A card has at most one application; should it have
-- more, the first one stands for them.
CREATE PROCEDURE sp_Rep_GuestcardSummary(IN GCardID VARCHAR(15))
SELECT g.GCardID, g.Property, g.Name, g.Phone, g.Email, g.First_Contact,
       g.Contact_Type AS First_Contact_Type, g.Agent, COALESCE(cb.ItemDescription, g.Source) AS Source,
       g.Unit_Class, g.Desired_Move_In, g.Max_Rent, g.Occupants, g.Status AS Card_Status,
       g.Lease_Date, g.Notes,
       (SELECT a.Status FROM tblApplication a WHERE a.GCardID = g.GCardID ORDER BY a.AppID LIMIT 1)
           AS Application_Status,
       t.Visit_Date, t.Contact_Type, t.Agent AS Visit_Agent, t.Unit_Shown, t.Notes AS Visit_Notes
FROM tblGuestCard g
LEFT JOIN tblCBOValues cb ON cb.ItemType = 'MarketSource' AND cb.ItemValue = g.Source
                         AND cb.Property IN ('System', g.Property)
LEFT JOIN tblTraffic t ON t.GCardID = g.GCardID
WHERE g.GCardID = GCardID
ORDER BY t.Visit_Date, t.TrafficID//

-- `Option`: 0 all applicants and residents, 1 not yet sent, 2 sent without an answer, 3
-- applicants without a unit, 4 the lease Lease at revision Revision.
CREATE PROCEDURE sp_Rep_ClassicInterfaceStatus(IN Property VARCHAR(10), IN `Option` SMALLINT,
                                               IN Lease VARCHAR(15), IN Revision SMALLINT)
SELECT l.Lease, l.Revision_Num, r.Name, pul.Unit, l.Lease_Status, l.App_Date, l.Intend_Move_In,
       ci.Sent_Date, ci.Response_Date, ci.Response_Code, ci.Response_Text,
       CASE WHEN ci.Sent_Date IS NULL THEN 'Not sent'
            WHEN ci.Response_Date IS NULL THEN 'Awaiting response'
            ELSE 'Answered' END AS Interface_Status
FROM tblLease l
JOIN tblResident r ON r.Resident = l.Primary_Resident
LEFT JOIN tblProp_Unit_Lease pul ON pul.Lease = l.Lease AND pul.Revision_Num = l.Revision_Num
LEFT JOIN tblClassicInterface ci ON ci.Lease = l.Lease AND ci.Revision_Num = l.Revision_Num
WHERE l.Property = Property AND l.Lease_Status IN ('Applicant', 'Current', 'Notice')
  AND CASE `Option`
        WHEN 1 THEN ci.Sent_Date IS NULL
        WHEN 2 THEN ci.Sent_Date IS NOT NULL AND ci.Response_Date IS NULL
        WHEN 3 THEN l.Lease_Status = 'Applicant' AND pul.Unit IS NULL
        WHEN 4 THEN l.Lease = Lease AND l.Revision_Num = Revision
        ELSE 1 END
ORDER BY l.Lease_Status, r.Name//

-- Service calls ----------------------------------------------------------------------------------

-- RangeOrNum: 'Num' one call (WONum), 'NumR' numbers StartNum to EndNum, 'DateR' calls opened
-- between the dates (narrowed by the numbers when given).
CREATE PROCEDURE sp_Rep_rptWO(IN Property VARCHAR(10), IN WONum VARCHAR(20), IN StartDate DATE,
                              IN EndDate DATE, IN StartNum VARCHAR(20), IN EndNum VARCHAR(20),
                              IN RangeOrNum VARCHAR(5))
SELECT w.WorkOrder, w.Unit, u.SortOrder, r.Name AS Resident_Name, r.Phone, w.Category,
       w.Description, w.Priority, w.Assigned_To, w.DateOpened, w.DateScheduled, w.DateClosed,
       CASE WHEN w.DateClosed IS NULL THEN 'Open' ELSE 'Closed' END AS WO_Status, w.Labor_Hours,
       w.Cost
FROM tblWorkOrder w
LEFT JOIN tblProp_Unit u ON u.Property = w.Property AND u.Unit = w.Unit
LEFT JOIN tblResident r ON r.Resident = w.Resident
WHERE w.Property = Property
  AND CASE RangeOrNum
        WHEN 'Num' THEN w.WorkOrder = CAST(WONum AS SIGNED)
        WHEN 'NumR' THEN w.WorkOrder BETWEEN CAST(StartNum AS SIGNED) AND CAST(EndNum AS SIGNED)
        WHEN 'DateR' THEN w.DateOpened BETWEEN StartDate AND EndDate
             AND (COALESCE(StartNum, '') = '' OR w.WorkOrder >= CAST(StartNum AS SIGNED))
             AND (COALESCE(EndNum, '') = '' OR w.WorkOrder <= CAST(EndNum AS SIGNED))
        ELSE 0 END
ORDER BY w.WorkOrder//

-- Status OPEN, CLOSED or ALL; RangeType WO ranges call numbers, UNIT ranges unit sort orders
-- (common-area calls have no unit and fall outside a unit range).
CREATE PROCEDURE sp_Rep_WorkOrderList(IN Property VARCHAR(10), IN Status VARCHAR(10),
                                      IN RangeType VARCHAR(10), IN RangeStart DOUBLE,
                                      IN RangeEnd DOUBLE)
SELECT w.WorkOrder, w.Unit, u.SortOrder, r.Name AS Resident_Name, w.Category, w.Description,
       w.Priority, w.Assigned_To, w.DateOpened, w.DateScheduled, w.DateClosed,
       CASE WHEN w.DateClosed IS NULL THEN 'Open' ELSE 'Closed' END AS WO_Status,
       DATEDIFF(w.DateClosed, w.DateOpened) AS Days_To_Close
FROM tblWorkOrder w
LEFT JOIN tblProp_Unit u ON u.Property = w.Property AND u.Unit = w.Unit
LEFT JOIN tblResident r ON r.Resident = w.Resident
WHERE w.Property = Property
  AND CASE UPPER(Status) WHEN 'OPEN' THEN w.DateClosed IS NULL
                         WHEN 'CLOSED' THEN w.DateClosed IS NOT NULL ELSE 1 END
  AND CASE UPPER(RangeType) WHEN 'UNIT' THEN u.SortOrder BETWEEN RangeStart AND RangeEnd
           ELSE w.WorkOrder BETWEEN RangeStart AND RangeEnd END
ORDER BY w.Assigned_To, w.WorkOrder//

DELIMITER ;
