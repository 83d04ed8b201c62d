-- Report and lookup procedures of the standard reports.
--
-- Parameters are declared in the order, names, types and sizes that the report builders send;
-- calls with a parameter list bind by position, so that order is binding. Bodies take dates as
-- ISO text and compare them through date(), which also drops a time of day. Money results are
-- passed through round(x, 2) so that every row of a computed column is a real number and the
-- column keeps one type. Where a report offers choices that the procedure is not told about
-- (sorts, balance limits, resident status), the rows carry the columns the report needs to apply
-- them itself.
-- Dates are never taken from the clock here: every "as of" comes in as a parameter.

-- Lookups --------------------------------------------------------------------------------------

INSERT INTO sys_procedures (name, params, body) VALUES ('sp_ResidentsAndUnits', '@Property varchar(10)', '
SELECT Resident, Name, Unit, SortOrder, Status, Account_Status, Lease, Revision_Num
FROM vwResidentLease
WHERE Property = @Property AND Unit IS NOT NULL
ORDER BY Name;
');

INSERT INTO sys_procedures (name, params, body) VALUES ('sp_ResidentsAndApplicants', '@Property varchar(10)', '
SELECT Name, Resident, Unit, Status, Account_Status, Lease, Revision_Num
FROM vwResidentLease
WHERE Property = @Property
ORDER BY Name;
');

INSERT INTO sys_procedures (name, params, body) VALUES ('sp_ChargeTypes', '@Property varchar(10)', '
SELECT ct.Charge_Type, ct.Charge_Description, ct.Charge_Class, ct.GL_Account
FROM tblCharge_Type ct
JOIN tblProperty p ON p.Charge_Type_Table = ct.Charge_Type_Table
WHERE p.Property = @Property
ORDER BY ct.Charge_Type;
');

INSERT INTO sys_procedures (name, params, body) VALUES ('sp_stp_Units', '', '
SELECT Property, Unit, SortOrder, Building, Floor, Unit_Class, SqFt, Market_Rent
FROM tblProp_Unit
ORDER BY Property, SortOrder;
');

-- A plain single-table select, so that the caller can write LastStatementDate back.
INSERT INTO sys_procedures (name, params, body) VALUES ('sp_stp_Properties', '', '
SELECT Property, Name, Addressee, Address1, Address2, City, State, Zip, Phone, Charge_Type_Table,
       Occ_Proration_Opt, Period_End, LastStatementDate
FROM tblProperty
ORDER BY Property;
');

-- Unit list of custom report prompts: @PropertyString holds the chosen properties as 'A','B'
-- (an apostrophe inside an id doubled, as in any SQL literal).
-- Columns: the value handed to the report, the code typed by the user, the property.
INSERT INTO sys_procedures (name, params, body) VALUES ('sp_DistinctUnitListParameter',
'@PropertyString varchar(8000)', '
SELECT DISTINCT Unit, Unit AS Unit_Number, Property
FROM tblProp_Unit
WHERE instr(@PropertyString, '''''''' || replace(Property, '''''''', '''''''''''') || '''''''') > 0
ORDER BY Property, SortOrder;
');

INSERT INTO sys_procedures (name, params, body) VALUES ('sp_GetDistinctPaymentDates', '@Property varchar(10)', '
SELECT DISTINCT Date_Stamp
FROM tblPayment
WHERE Misc_Property = @Property AND Batch_Source = ''Post Cash Receipts''
ORDER BY Date_Stamp DESC;
');

-- Accounts, batches and runs that the accounting transaction report can be narrowed to.
INSERT INTO sys_procedures (name, params, body) VALUES ('sp_TransDetailOptions_Parameters',
'@Property varchar(10)', '
SELECT a.GL_Account AS Value, g.Title, ''Account'' AS Type
FROM (SELECT DISTINCT ct.GL_Account FROM tblCharge_Type ct
      JOIN tblProperty p ON p.Charge_Type_Table = ct.Charge_Type_Table WHERE p.Property = @Property
      UNION
      SELECT coalesce((SELECT SettingValue FROM tblSetup WHERE Property = @Property AND Setting = ''DefaultDepositCode''),
                      (SELECT SettingValue FROM tblSetup WHERE Property = '''' AND Setting = ''DefaultDepositCode''))) a
LEFT JOIN tblGLAccount g ON g.GL_Account = a.GL_Account
UNION ALL
SELECT Batch, Description, ''Batch'' FROM tblBatch WHERE Property = @Property
UNION ALL
SELECT CAST(RunID AS text), Description, ''Run'' FROM tblChargeRun WHERE Property = @Property
ORDER BY 3, 1;
');

-- Property and unit listings ---------------------------------------------------------------------

-- Every unit with its occupant, notice, pre-leased applicant and readiness.
INSERT INTO sys_procedures (name, params, body) VALUES ('sp_Rep_ApartmentStatus', '@Property varchar(10)', '
SELECT u.Unit, u.SortOrder, u.Building, u.Unit_Class, u.SqFt, u.Market_Rent,
       CASE WHEN u.Down_Unit = 1 THEN ''Down'' WHEN u.Model_Unit = 1 AND cur.Lease IS NULL THEN ''Model''
            WHEN cur.Lease_Status = ''Notice'' THEN ''Notice'' WHEN cur.Lease IS NOT NULL THEN ''Occupied''
            ELSE ''Vacant'' END AS Unit_Status,
       r.Name AS Resident_Name, cur.Rent, cur.Move_In, cur.Lease_End, cur.Notice_Date, cur.Intend_Move_Out,
       (SELECT max(p.Move_Out) FROM vwLeaseUnit p WHERE p.Property = u.Property AND p.Unit = u.Unit AND p.Lease_Status = ''Past''
        AND cur.Lease IS NULL) AS Vacant_Since,
       ar.Name AS Applicant_Name, app.Intend_Move_In, u.Ready_Status, u.Ready_Date
FROM tblProp_Unit u
LEFT JOIN vwLeaseUnit cur ON cur.Property = u.Property AND cur.Unit = u.Unit AND cur.Lease_Status IN (''Current'', ''Notice'')
LEFT JOIN tblResident r ON r.Resident = cur.Primary_Resident
LEFT JOIN vwLeaseUnit app ON app.Property = u.Property AND app.Unit = u.Unit AND app.Lease_Status = ''Applicant''
LEFT JOIN tblResident ar ON ar.Resident = app.Primary_Resident
WHERE u.Property = @Property
ORDER BY u.SortOrder;
');

INSERT INTO sys_procedures (name, params, body) VALUES ('sp_Rep_UnitListing', '@Property varchar(10)', '
SELECT u.Unit, u.SortOrder, u.Building, u.Floor, u.Unit_Class, uc.Description AS Class_Description,
       uc.Bedrooms, uc.Baths, u.SqFt, u.Market_Rent,
       CASE WHEN u.Down_Unit = 1 THEN ''Down'' WHEN cur.Lease IS NOT NULL THEN ''Occupied'' ELSE ''Vacant'' END AS Unit_Status,
       r.Name AS Resident_Name
FROM tblProp_Unit u
JOIN tblUnitClass uc ON uc.Property = u.Property AND uc.Unit_Class = u.Unit_Class
LEFT JOIN vwLeaseUnit cur ON cur.Property = u.Property AND cur.Unit = u.Unit AND cur.Lease_Status IN (''Current'', ''Notice'')
LEFT JOIN tblResident r ON r.Resident = cur.Primary_Resident
WHERE u.Property = @Property
ORDER BY u.SortOrder;
');

INSERT INTO sys_procedures (name, params, body) VALUES ('sp_Rep_ChargeTypeList', '@Property varchar(10)', '
SELECT ct.Charge_Type, ct.Charge_Description, ct.Charge_Class, ct.GL_Account, g.Title AS GL_Title,
       ct.Recurring, ct.Default_Amount
FROM tblCharge_Type ct
JOIN tblProperty p ON p.Charge_Type_Table = ct.Charge_Type_Table
LEFT JOIN tblGLAccount g ON g.GL_Account = ct.GL_Account
WHERE p.Property = @Property
ORDER BY ct.Charge_Class, ct.Charge_Type;
');

-- Current residents and co-residents with their units.
INSERT INTO sys_procedures (name, params, body) VALUES ('sp_Rep_rptTenantList', '@Property varchar(10)', '
SELECT Unit, SortOrder, Resident, Name, Relationship, Phone, Email, Move_In, Lease_End, Rent, Lease_Status
FROM vwResidentLease
WHERE Property = @Property AND Status = ''Current'' AND Unit IS NOT NULL
ORDER BY SortOrder, Relationship DESC, Name;
');

INSERT INTO sys_procedures (name, params, body) VALUES ('sp_Rep_WaitList', '@Property varchar(10)', '
SELECT w.WaitID, w.Name, w.Phone, w.Unit_Class, uc.Description AS Class_Description, w.Date_Added,
       w.Desired_Date, w.Notes
FROM tblWaitList w
LEFT JOIN tblUnitClass uc ON uc.Property = w.Property AND uc.Unit_Class = w.Unit_Class
WHERE w.Property = @Property
ORDER BY w.Date_Added, w.WaitID;
');

-- Vacant units and units on notice, with what stands between them and the next move-in.
INSERT INTO sys_procedures (name, params, body) VALUES ('sp_Rep_MakeReady', '@Property varchar(10)', '
SELECT u.Unit, u.SortOrder, u.Unit_Class,
       CASE WHEN u.Down_Unit = 1 THEN ''Down'' WHEN cur.Lease IS NOT NULL THEN ''Notice'' ELSE ''Vacant'' END AS Unit_Status,
       coalesce(cur.Intend_Move_Out, (SELECT max(p.Move_Out) FROM vwLeaseUnit p WHERE p.Property = u.Property AND p.Unit = u.Unit
                                      AND p.Lease_Status = ''Past'')) AS Vacate_Date,
       u.Ready_Status, u.Ready_Date, ar.Name AS Applicant_Name, app.Intend_Move_In AS Next_Move_In,
       (SELECT count(*) FROM tblWorkOrder w WHERE w.Property = u.Property AND w.Unit = u.Unit
        AND w.DateClosed IS NULL) AS Open_Work_Orders
FROM tblProp_Unit u
LEFT JOIN vwLeaseUnit cur ON cur.Property = u.Property AND cur.Unit = u.Unit AND cur.Lease_Status IN (''Current'', ''Notice'')
LEFT JOIN vwLeaseUnit app ON app.Property = u.Property AND app.Unit = u.Unit AND app.Lease_Status = ''Applicant''
LEFT JOIN tblResident ar ON ar.Resident = app.Primary_Resident
WHERE u.Property = @Property AND (cur.Lease IS NULL OR cur.Lease_Status = ''Notice'' OR u.Ready_Status <> ''Ready'')
ORDER BY u.SortOrder;
');

INSERT INTO sys_procedures (name, params, body) VALUES ('sp_Rep_OtherUnit', '@Property varchar(10)', '
SELECT o.OtherUnitType, cb.ItemDescription AS Type_Description, o.OtherUnit, o.Description, o.Rent,
       CASE WHEN o.Resident IS NULL THEN ''Available'' ELSE ''Rented'' END AS Rental_Status,
       r.Name AS Resident_Name, r.Unit, o.Rented_Date
FROM tblOtherUnit o
LEFT JOIN tblCBOValues cb ON cb.ItemType = ''OtherUnitType'' AND cb.ItemValue = o.OtherUnitType
     AND cb.Property IN (''System'', o.Property)
LEFT JOIN vwResidentLease r ON r.Resident = o.Resident
WHERE o.Property = @Property
ORDER BY o.OtherUnitType, o.OtherUnit;
');

-- @Type empty (or the list's "all" entry) means every type.
INSERT INTO sys_procedures (name, params, body) VALUES ('sp_Rep_OtherUnitByType',
'@Property varchar(10), @booRented smallint, @booAvailable smallint, @Type varchar(20)', '
SELECT o.OtherUnitType, cb.ItemDescription AS Type_Description, o.OtherUnit, o.Description, o.Rent,
       CASE WHEN o.Resident IS NULL THEN ''Available'' ELSE ''Rented'' END AS Rental_Status,
       r.Name AS Resident_Name, r.Unit, o.Rented_Date
FROM tblOtherUnit o
LEFT JOIN tblCBOValues cb ON cb.ItemType = ''OtherUnitType'' AND cb.ItemValue = o.OtherUnitType
     AND cb.Property IN (''System'', o.Property)
LEFT JOIN vwResidentLease r ON r.Resident = o.Resident
WHERE o.Property = @Property
  AND (coalesce(@Type, '''') IN ('''', ''Prints All Unit Types'') OR o.OtherUnitType = @Type)
  AND ((@booRented <> 0 AND o.Resident IS NOT NULL) OR (@booAvailable <> 0 AND o.Resident IS NULL))
ORDER BY o.OtherUnitType, o.OtherUnit;
');

INSERT INTO sys_procedures (name, params, body) VALUES ('sp_Rep_ResidentBDay',
'@Property varchar(10), @AllBDays smallint', '
SELECT Unit, SortOrder, Resident, Name, BirthDate,
       CAST(strftime(''%m'', BirthDate) AS int) AS BDay_Month,
       CAST(strftime(''%d'', BirthDate) AS int) AS BDay_Day,
       CASE CAST(strftime(''%m'', BirthDate) AS int) WHEN 1 THEN ''January'' WHEN 2 THEN ''February''
            WHEN 3 THEN ''March'' WHEN 4 THEN ''April'' WHEN 5 THEN ''May'' WHEN 6 THEN ''June''
            WHEN 7 THEN ''July'' WHEN 8 THEN ''August'' WHEN 9 THEN ''September'' WHEN 10 THEN ''October''
            WHEN 11 THEN ''November'' WHEN 12 THEN ''December'' ELSE '''' END AS Month_Name
FROM vwResidentLease
WHERE Property = @Property AND Status = ''Current'' AND (@AllBDays <> 0 OR BirthDate IS NOT NULL)
ORDER BY BDay_Month, BDay_Day, SortOrder;
');

INSERT INTO sys_procedures (name, params, body) VALUES ('sp_Rep_RentRoll_SqFt',
'@AsOfDate date, @Property varchar(10)', '
WITH occ AS (
  SELECT * FROM vwLeaseUnit
  WHERE Property = @Property AND Move_In <= date(@AsOfDate) AND (Move_Out IS NULL OR Move_Out > date(@AsOfDate)))
SELECT u.Unit, u.SortOrder, u.Unit_Class, u.SqFt, u.Market_Rent,
       round(u.Market_Rent * 1.0 / u.SqFt, 2) AS Market_Per_SqFt,
       r.Name AS Resident_Name, o.Move_In, o.Lease_End, o.Rent,
       round(o.Rent * 1.0 / u.SqFt, 2) AS Rent_Per_SqFt,
       CASE WHEN o.Lease IS NULL THEN ''Vacant'' WHEN o.Notice_Date <= date(@AsOfDate) THEN ''Notice''
            ELSE ''Occupied'' END AS Unit_Status,
       round(coalesce((SELECT sum(d.Amount) FROM tblDeposit d WHERE d.Lease = o.Lease
                       AND d.Date_Received <= date(@AsOfDate)
                       AND (d.Date_Refunded IS NULL OR d.Date_Refunded > date(@AsOfDate))), 0), 2) AS Deposit_Held,
       round(coalesce((SELECT sum(l.Amount) FROM vwLedger l WHERE l.Lease = o.Lease
                       AND l.Trans_Date <= date(@AsOfDate)), 0), 2) AS Balance
FROM tblProp_Unit u
LEFT JOIN occ o ON o.Unit = u.Unit
LEFT JOIN tblResident r ON r.Resident = o.Primary_Resident
WHERE u.Property = @Property
ORDER BY u.SortOrder;
');

-- Balances and ledgers -------------------------------------------------------------------------
-- Open items are aged first-in first-out: payments settle the oldest charges, so what a resident
-- still owes is made of the most recent charges.

-- @DelinqOper picks residents by balance: '>' owing, '<' in credit, '<>' either; the empty text
-- (open credits) means in credit. @AgeBy 0 ages from the transaction date, else from the
-- accounting month.
INSERT INTO sys_procedures (name, params, body) VALUES ('sp_Rep_rptDelinquency',
'@Property varchar(10), @DelinqOper varchar(2), @AgeBy int = 0, @AsOfDate date', '
WITH led AS (
  SELECT Resident, Kind, TransID, Code, Description, Amount, Trans_Date,
         CASE WHEN @AgeBy = 0 THEN Trans_Date ELSE Acctg_Date END AS Age_Date
  FROM vwLedger WHERE Property = @Property AND Trans_Date <= date(@AsOfDate)),
bal AS (
  SELECT Resident, round(sum(Amount), 2) AS Balance FROM led GROUP BY Resident
  HAVING abs(sum(Amount)) >= 0.005),
debits AS (
  SELECT led.*, sum(Amount) OVER (PARTITION BY Resident ORDER BY Trans_Date DESC, Kind, TransID
                                  ROWS UNBOUNDED PRECEDING) AS Cum
  FROM led WHERE Amount > 0),
items AS (
  SELECT d.Resident, d.Trans_Date, d.Age_Date, d.Code, d.Description,
         min(d.Amount, b.Balance - (d.Cum - d.Amount)) AS Open_Amount
  FROM debits d JOIN bal b ON b.Resident = d.Resident
  WHERE b.Balance > 0 AND d.Cum - d.Amount < b.Balance - 0.005
  UNION ALL
  SELECT Resident, date(@AsOfDate), date(@AsOfDate), ''CREDIT'', ''Prepaid / credit balance'', Balance
  FROM bal WHERE Balance < 0),
aged AS (
  SELECT i.*, CAST(julianday(date(@AsOfDate)) - julianday(i.Age_Date) AS int) AS Days_Old FROM items i)
SELECT r.Resident, r.Name, r.Unit, r.SortOrder, r.Status, r.Phone, b.Balance, a.Trans_Date, a.Code,
       a.Description, round(a.Open_Amount, 2) AS Open_Amount, a.Days_Old,
       round(CASE WHEN a.Open_Amount > 0 AND a.Days_Old <= 30 THEN a.Open_Amount ELSE 0 END, 2) AS Current_Due,
       round(CASE WHEN a.Open_Amount > 0 AND a.Days_Old BETWEEN 31 AND 60 THEN a.Open_Amount ELSE 0 END, 2) AS Days31_60,
       round(CASE WHEN a.Open_Amount > 0 AND a.Days_Old BETWEEN 61 AND 90 THEN a.Open_Amount ELSE 0 END, 2) AS Days61_90,
       round(CASE WHEN a.Open_Amount > 0 AND a.Days_Old > 90 THEN a.Open_Amount ELSE 0 END, 2) AS Over90,
       round(CASE WHEN a.Open_Amount < 0 THEN a.Open_Amount ELSE 0 END, 2) AS Prepaid
FROM aged a
JOIN bal b ON b.Resident = a.Resident
JOIN vwResidentLease r ON r.Resident = a.Resident
WHERE CASE coalesce(@DelinqOper, '''') WHEN ''>'' THEN b.Balance > 0 WHEN ''<>'' THEN 1 ELSE b.Balance < 0 END
ORDER BY r.SortOrder, r.Name, a.Trans_Date;
');

-- Balance of every resident as of the date with the month's activity as detail; applicants are
-- added (with their deposits held) when @Applicants is not 0.
INSERT INTO sys_procedures (name, params, body) VALUES ('sp_Rep_rptCurrentBallance',
'@Property varchar(10), @AsOfDate date, @Applicants int', '
WITH bal AS (
  SELECT r.Resident,
         round(coalesce((SELECT sum(l.Amount) FROM vwLedger l WHERE l.Resident = r.Resident
                         AND l.Trans_Date < date(@AsOfDate, ''start of month'')), 0), 2) AS Beginning_Balance,
         round(coalesce((SELECT sum(l.Amount) FROM vwLedger l WHERE l.Resident = r.Resident
                         AND l.Trans_Date <= date(@AsOfDate)), 0), 2) AS Balance,
         round(coalesce((SELECT sum(d.Amount) FROM tblDeposit d WHERE d.Resident = r.Resident
                         AND d.Date_Received <= date(@AsOfDate)
                         AND (d.Date_Refunded IS NULL OR d.Date_Refunded > date(@AsOfDate))), 0), 2) AS Deposit_Held
  FROM tblResident r WHERE r.Property = @Property)
SELECT r.Resident, r.Name, r.Unit, r.SortOrder, r.Status, b.Beginning_Balance, b.Balance, b.Deposit_Held,
       l.Trans_Date, l.Code, l.Description,
       round(CASE WHEN l.Amount > 0 THEN l.Amount ELSE 0 END, 2) AS Charges,
       round(CASE WHEN l.Amount < 0 THEN -l.Amount ELSE 0 END, 2) AS Credits
FROM bal b
JOIN vwResidentLease r ON r.Resident = b.Resident
LEFT JOIN vwLedger l ON l.Resident = b.Resident AND l.Trans_Date BETWEEN date(@AsOfDate, ''start of month'') AND date(@AsOfDate)
WHERE abs(b.Balance) >= 0.005 OR (@Applicants <> 0 AND r.Status = ''Applicant'')
ORDER BY r.SortOrder, r.Name, l.Trans_Date, l.Kind, l.TransID;
');

-- One row per resident owing more than @greater_than and less than @less_than; Resident_Type is
-- C (current) or F (former) and late fees and deposits are shown for the report's options.
INSERT INTO sys_procedures (name, params, body) VALUES ('sp_Rep_CompDelinquency',
'@Property varchar(10), @start_period_in date, @greater_than float, @less_than float, @Total float OUTPUT', '
WITH led AS (
  SELECT Resident, Kind, TransID, Code, Amount, Trans_Date
  FROM vwLedger WHERE Property = @Property AND Trans_Date <= date(@start_period_in)),
bal AS (
  SELECT Resident, round(sum(Amount), 2) AS Balance FROM led GROUP BY Resident
  HAVING sum(Amount) > @greater_than AND sum(Amount) < @less_than),
debits AS (
  SELECT led.*, sum(Amount) OVER (PARTITION BY Resident ORDER BY Trans_Date DESC, Kind, TransID
                                  ROWS UNBOUNDED PRECEDING) AS Cum
  FROM led WHERE Amount > 0),
items AS (
  SELECT d.Resident, d.Code, min(d.Amount, b.Balance - (d.Cum - d.Amount)) AS Open_Amount,
         CAST(julianday(date(@start_period_in)) - julianday(d.Trans_Date) AS int) AS Days_Old
  FROM debits d JOIN bal b ON b.Resident = d.Resident
  WHERE d.Cum - d.Amount < b.Balance - 0.005)
SELECT r.Resident, r.Name, r.Unit, r.SortOrder,
       CASE WHEN r.Status = ''Terminated'' THEN ''F'' ELSE ''C'' END AS Resident_Type, r.Phone, b.Balance,
       round(sum(CASE WHEN i.Days_Old <= 30 THEN i.Open_Amount ELSE 0 END), 2) AS Current_Due,
       round(sum(CASE WHEN i.Days_Old BETWEEN 31 AND 60 THEN i.Open_Amount ELSE 0 END), 2) AS Days31_60,
       round(sum(CASE WHEN i.Days_Old BETWEEN 61 AND 90 THEN i.Open_Amount ELSE 0 END), 2) AS Days61_90,
       round(sum(CASE WHEN i.Days_Old > 90 THEN i.Open_Amount ELSE 0 END), 2) AS Over90,
       round(sum(CASE WHEN i.Code = ''LATE'' THEN i.Open_Amount ELSE 0 END), 2) AS Late_Fees,
       round(coalesce((SELECT sum(d.Amount) FROM tblDeposit d WHERE d.Resident = b.Resident
                       AND d.Date_Received <= date(@start_period_in)
                       AND (d.Date_Refunded IS NULL OR d.Date_Refunded > date(@start_period_in))), 0), 2) AS Deposit_Held
FROM bal b
JOIN vwResidentLease r ON r.Resident = b.Resident
JOIN items i ON i.Resident = b.Resident
GROUP BY b.Resident
ORDER BY r.SortOrder, r.Name;
SELECT round(coalesce(sum(Balance), 0), 2) AS "@Total"
FROM (SELECT sum(Amount) AS Balance FROM vwLedger
      WHERE Property = @Property AND Trans_Date <= date(@start_period_in)
      GROUP BY Resident HAVING sum(Amount) > @greater_than AND sum(Amount) < @less_than);
');

-- Balances over a period for every resident and applicant of the property. Resident_Type is C
-- (current), F (former) or A (applicant).
INSERT INTO sys_procedures (name, params, body) VALUES ('sp_Rep_RentRoll_Bal',
'@Property varchar(10), @start_period_in date, @end_period_in date', '
SELECT r.Unit, r.SortOrder, r.Resident, r.Name,
       CASE r.Status WHEN ''Terminated'' THEN ''F'' WHEN ''Applicant'' THEN ''A'' ELSE ''C'' END AS Resident_Type,
       r.Lease_Status, r.Rent, u.Market_Rent,
       round(coalesce(sum(CASE WHEN l.Trans_Date < date(@start_period_in) THEN l.Amount END), 0), 2) AS Beginning_Balance,
       round(coalesce(sum(CASE WHEN l.Trans_Date >= date(@start_period_in) AND l.Amount > 0 THEN l.Amount END), 0), 2) AS Charges,
       round(coalesce(-sum(CASE WHEN l.Trans_Date >= date(@start_period_in) AND l.Amount < 0 THEN l.Amount END), 0), 2) AS Credits,
       round(coalesce(sum(l.Amount), 0), 2) AS Ending_Balance
FROM vwResidentLease r
LEFT JOIN tblProp_Unit u ON u.Property = r.Property AND u.Unit = r.Unit
LEFT JOIN vwLedger l ON l.Resident = r.Resident AND l.Trans_Date <= date(@end_period_in)
WHERE r.Property = @Property AND r.Relationship = ''Primary''
GROUP BY r.Resident
HAVING r.Status <> ''Terminated'' OR r.Move_Out >= date(@start_period_in) OR abs(sum(l.Amount)) >= 0.005
ORDER BY r.SortOrder, r.Name;
');

-- Ledger lines between the dates with each resident's balance before them and a running balance.
-- @Sort ''Unit'' selects by unit sort order (@UnitEnd 0 means no upper end), else by name between
-- @ResFrom and @ResTo; @Status ''Active'' or ''Closed'' picks accounts, ''Both'' takes all.
INSERT INTO sys_procedures (name, params, body) VALUES ('sp_Rep_TransactionLedger',
'@Property varchar(10), @ResTo varchar(30), @ResFrom varchar(30), @UnitStart int, @UnitEnd int, @Sort varchar(10), @Status varchar(20), @StartDate date, @EndDate date', '
WITH res AS (
  SELECT r.* FROM vwResidentLease r
  WHERE r.Property = @Property AND r.Relationship = ''Primary''
    AND (coalesce(@Status, ''Both'') IN (''Both'', '''') OR r.Account_Status = @Status)
    AND CASE WHEN @Sort = ''Unit''
             THEN r.SortOrder >= @UnitStart AND (@UnitEnd = 0 OR r.SortOrder <= @UnitEnd)
             ELSE r.Name >= coalesce(@ResFrom, '''') AND (coalesce(@ResTo, '''') = '''' OR r.Name <= @ResTo) END),
lines AS (
  SELECT l.Resident, l.Trans_Date, l.Kind, l.TransID, l.Code, l.Description, l.Amount
  FROM vwLedger l JOIN res ON res.Resident = l.Resident
  WHERE l.Trans_Date BETWEEN date(@StartDate) AND date(@EndDate)),
opening AS (
  SELECT res.Resident, round(coalesce((SELECT sum(l.Amount) FROM vwLedger l WHERE l.Resident = res.Resident
                                       AND l.Trans_Date < date(@StartDate)), 0), 2) AS Beginning_Balance
  FROM res)
SELECT res.Resident, res.Name, res.Unit, res.SortOrder, res.Account_Status, o.Beginning_Balance,
       ln.Trans_Date, ln.Code, ln.Description,
       round(CASE WHEN ln.Amount > 0 THEN ln.Amount ELSE 0 END, 2) AS Charges,
       round(CASE WHEN ln.Amount < 0 THEN -ln.Amount ELSE 0 END, 2) AS Credits,
       round(o.Beginning_Balance + coalesce(sum(ln.Amount) OVER (PARTITION BY res.Resident
             ORDER BY ln.Trans_Date, ln.Kind, ln.TransID ROWS UNBOUNDED PRECEDING), 0), 2) AS Balance
FROM res
JOIN opening o ON o.Resident = res.Resident
LEFT JOIN lines ln ON ln.Resident = res.Resident
WHERE ln.Resident IS NOT NULL OR abs(o.Beginning_Balance) >= 0.005
ORDER BY CASE WHEN @Sort = ''Unit'' THEN res.SortOrder END, res.Name, res.Resident, ln.Trans_Date, ln.Kind, ln.TransID;
');

INSERT INTO sys_procedures (name, params, body) VALUES ('sp_Rep_rptTransList',
'@Property varchar(10), @PropName varchar(55), @RepStart date, @RepEnd date', '
SELECT @PropName AS PropName, l.Trans_Date,
       CASE l.Kind WHEN ''C'' THEN ''Charge'' WHEN ''P'' THEN ''Payment'' ELSE ''Returned'' END AS Tran_Kind,
       l.Code AS Tran_Type, l.Description, r.Resident, r.Name, r.Unit, r.SortOrder,
       round(l.Amount, 2) AS Amount, l.Batch
FROM vwLedger l
JOIN vwResidentLease r ON r.Resident = l.Resident
WHERE l.Property = @Property AND l.Trans_Date BETWEEN date(@RepStart) AND date(@RepEnd)
ORDER BY l.Trans_Date, r.SortOrder, l.Kind, l.TransID;
');

-- One statement per resident (all current residents when @Resident is empty): the balance at the
-- last statement, the lines since, and the rent due on the as-of date when it is not yet charged.
INSERT INTO sys_procedures (name, params, body) VALUES ('sp_Rep_RentStatement',
'@Property varchar(10), @Resident varchar(10), @StatementDate date, @AsOf date, @LastStatementDate date, @PropAddrLn1 varchar(30) OUTPUT, @PropAddrLn2 varchar(30) OUTPUT, @PropAddrLn3 varchar(29) OUTPUT', '
SELECT Addressee AS "@PropAddrLn1",
       Address1 || coalesce('', '' || Address2, '''') AS "@PropAddrLn2",
       City || '', '' || State || '' '' || Zip AS "@PropAddrLn3"
FROM tblProperty WHERE Property = @Property;
WITH res AS (
  SELECT r.* FROM vwResidentLease r
  WHERE r.Property = @Property AND r.Relationship = ''Primary''
    AND CASE WHEN coalesce(@Resident, '''') = '''' THEN r.Status = ''Current'' AND r.Account_Status = ''Active''
             ELSE r.Resident = @Resident END),
prev AS (
  SELECT res.Resident, round(coalesce((SELECT sum(l.Amount) FROM vwLedger l WHERE l.Resident = res.Resident
         AND l.Trans_Date <= date(coalesce(@LastStatementDate, ''1900-01-01''))), 0), 2) AS Previous_Balance
  FROM res),
lines AS (
  SELECT l.* FROM vwLedger l JOIN res ON res.Resident = l.Resident
  WHERE l.Trans_Date > date(coalesce(@LastStatementDate, ''1900-01-01'')) AND l.Trans_Date <= date(@StatementDate)),
due AS (
  SELECT res.Resident,
         round(CASE WHEN date(@AsOf) > date(@StatementDate) AND res.Status = ''Current'' AND NOT EXISTS (
                 SELECT 1 FROM tblCharge c WHERE c.Resident = res.Resident AND c.Charge_Type = ''RENT''
                 AND c.Charge_Date BETWEEN date(@AsOf, ''start of month'') AND date(@AsOf, ''start of month'', ''+1 month'', ''-1 day''))
               THEN res.Rent ELSE 0 END, 2) AS Upcoming_Rent
  FROM res)
SELECT res.Resident, res.Name, res.Unit, res.SortOrder, p.Previous_Balance, ln.Trans_Date, ln.Code, ln.Description,
       round(CASE WHEN ln.Amount > 0 THEN ln.Amount ELSE 0 END, 2) AS Charges,
       round(CASE WHEN ln.Amount < 0 THEN -ln.Amount ELSE 0 END, 2) AS Payments,
       round(p.Previous_Balance + coalesce(sum(ln.Amount) OVER (PARTITION BY res.Resident
             ORDER BY ln.Trans_Date, ln.Kind, ln.TransID ROWS UNBOUNDED PRECEDING), 0), 2) AS Balance,
       round(p.Previous_Balance + coalesce((SELECT sum(x.Amount) FROM lines x WHERE x.Resident = res.Resident), 0), 2) AS Statement_Balance,
       d.Upcoming_Rent,
       round(p.Previous_Balance + coalesce((SELECT sum(x.Amount) FROM lines x WHERE x.Resident = res.Resident), 0)
             + d.Upcoming_Rent, 2) AS Amount_Due,
       date(@AsOf) AS Due_Date
FROM res
JOIN prev p ON p.Resident = res.Resident
JOIN due d ON d.Resident = res.Resident
LEFT JOIN lines ln ON ln.Resident = res.Resident
ORDER BY res.SortOrder, res.Name, ln.Trans_Date, ln.Kind, ln.TransID;
');

-- Receipts, deposits and journals ----------------------------------------------------------------

-- Payments of one batch; the output says whether the batch has any.
INSERT INTO sys_procedures (name, params, body) VALUES ('sp_Rep_CashReceiptDetail',
'@Property varchar(10), @Batch varchar(10), @CashReceiptsSmryHasDetail varchar(3) OUTPUT', '
SELECT CASE WHEN count(*) > 0 THEN ''Yes'' ELSE ''No'' END AS "@CashReceiptsSmryHasDetail"
FROM tblPayment WHERE Misc_Property = @Property AND Batch = @Batch;
SELECT p.Batch, p.PaymentID, p.Resident, r.Name, p.Unit, p.Payment_Type, p.Check_Num, p.Amount,
       p.Payment_Date, p.Date_Stamp, p.Operator_Stamp, p.Memo
FROM tblPayment p
JOIN tblResident r ON r.Resident = p.Resident
WHERE p.Misc_Property = @Property AND p.Batch = @Batch
ORDER BY p.Payment_Type, p.PaymentID;
');

-- One receipt, with the balance left after it.
INSERT INTO sys_procedures (name, params, body) VALUES ('sp_Rep_CashReceipt',
'@Property varchar(10), @CRID int', '
SELECT p.PaymentID AS CRID, p.Batch, p.Payment_Date, p.Date_Stamp, p.Payment_Type, p.Check_Num, p.Amount,
       p.Memo, p.Resident, r.Name, p.Unit, pr.Name AS Property_Name, pr.Address1, pr.City, pr.State, pr.Zip,
       round(coalesce((SELECT sum(l.Amount) FROM vwLedger l WHERE l.Resident = p.Resident
                       AND (l.Trans_Date < p.Payment_Date OR (l.Trans_Date = p.Payment_Date
                            AND (l.Kind = ''C'' OR (l.Kind = ''P'' AND l.TransID <= p.PaymentID))))), 0), 2) AS Balance_After
FROM tblPayment p
JOIN tblResident r ON r.Resident = p.Resident
JOIN tblProperty pr ON pr.Property = p.Misc_Property
WHERE p.Misc_Property = @Property AND p.PaymentID = @CRID;
');

-- Receipts posted on one day, in one batch or (@ViewAll = 1) in all of that day's batches.
INSERT INTO sys_procedures (name, params, body) VALUES ('sp_Rep_rptCashReceiptsPosted',
'@Property varchar(10), @DatePost date, @BatchNum varchar(10), @ViewAll smallint', '
SELECT p.Batch, p.Operator_Stamp, p.Date_Stamp, p.PaymentID, p.Resident, r.Name, p.Unit, p.Payment_Type,
       p.Check_Num, p.Amount, p.NSF
FROM tblPayment p
JOIN tblResident r ON r.Resident = p.Resident
WHERE p.Misc_Property = @Property AND p.Batch_Source = ''Post Cash Receipts''
  AND p.Date_Stamp = date(@DatePost) AND (@ViewAll = 1 OR p.Batch = @BatchNum)
ORDER BY p.Batch, p.PaymentID;
');

-- Receipt batches deposited between the dates, totalled by kind of payment.
INSERT INTO sys_procedures (name, params, body) VALUES ('sp_Rep_BankDepBatch',
'@Property varchar(10), @StartDate date, @EndDate date', '
SELECT b.Batch, b.Batch_Date, b.Deposit_Date, b.Deposit_Type, b.Deposit_Code, b.Operator, b.Description,
       count(p.PaymentID) AS Items,
       round(sum(CASE WHEN p.Payment_Type = ''Check'' THEN p.Amount ELSE 0 END), 2) AS Checks,
       round(sum(CASE WHEN p.Payment_Type = ''Money Order'' THEN p.Amount ELSE 0 END), 2) AS Money_Orders,
       round(sum(CASE WHEN p.Payment_Type = ''ACH'' THEN p.Amount ELSE 0 END), 2) AS ACH,
       round(sum(CASE WHEN p.Payment_Type IN (''Cash'', ''Credit Card'') THEN p.Amount ELSE 0 END), 2) AS Cash_And_Cards,
       round(sum(p.Amount), 2) AS Deposit_Total
FROM tblBatch b
JOIN tblPayment p ON p.Batch = b.Batch
WHERE b.Property = @Property AND b.Batch_Type = ''Cash Receipts''
  AND b.Deposit_Date BETWEEN date(@StartDate) AND date(@EndDate)
GROUP BY b.Batch
ORDER BY b.Deposit_Date, b.Batch;
');

-- Each posted receipt with its two general ledger lines: cash debited, receivables credited. The
-- cash account is the property's default deposit code.
INSERT INTO sys_procedures (name, params, body) VALUES ('sp_Rep_PostedCashGLEffect',
'@Property varchar(10), @StartDate date, @EndDate date', '
WITH cash AS (
  SELECT coalesce((SELECT SettingValue FROM tblSetup WHERE Property = @Property AND Setting = ''DefaultDepositCode''),
                  (SELECT SettingValue FROM tblSetup WHERE Property = '''' AND Setting = ''DefaultDepositCode'')) AS GL_Account),
lines AS (
  SELECT ''Cash'' AS Line_Type, 1 AS Line, cash.GL_Account FROM cash
  UNION ALL SELECT ''Receivable'', 2, ''1200'')
SELECT p.Batch, p.Date_Stamp, p.PaymentID, p.Resident, r.Name, p.Unit, p.Payment_Type, p.Check_Num, p.Amount,
       l.Line_Type, l.GL_Account, g.Title AS GL_Title,
       round(CASE WHEN l.Line = 1 THEN p.Amount ELSE 0 END, 2) AS Debit,
       round(CASE WHEN l.Line = 2 THEN p.Amount ELSE 0 END, 2) AS Credit
FROM tblPayment p
JOIN tblResident r ON r.Resident = p.Resident
CROSS JOIN lines l
LEFT JOIN tblGLAccount g ON g.GL_Account = l.GL_Account
WHERE p.Misc_Property = @Property AND p.Date_Stamp BETWEEN date(@StartDate) AND date(@EndDate)
ORDER BY p.Date_Stamp, p.Batch, p.PaymentID, l.Line;
');

-- Deposits received or refunded between the dates; Status is the resident's (Current,
-- Applicant, Terminated), which the report's status choices filter on.
INSERT INTO sys_procedures (name, params, body) VALUES ('sp_Rep_DepositLog',
'@StartDate date, @EndDate date, @Property varchar(10)', '
SELECT r.Status, d.Resident, r.Name, d.Unit, d.Deposit_Type, ct.Charge_Description AS Deposit_Description,
       d.Amount, d.Date_Received, d.Date_Refunded, d.Refund_Amount, d.Refund_Check,
       round(CASE WHEN d.Date_Refunded IS NULL OR d.Date_Refunded > date(@EndDate) THEN d.Amount ELSE 0 END, 2) AS Held
FROM tblDeposit d
JOIN tblResident r ON r.Resident = d.Resident
JOIN tblProperty p ON p.Property = d.Property
LEFT JOIN tblCharge_Type ct ON ct.Charge_Type_Table = p.Charge_Type_Table AND ct.Charge_Type = d.Deposit_Type
WHERE d.Property = @Property
  AND (d.Date_Received BETWEEN date(@StartDate) AND date(@EndDate)
       OR d.Date_Refunded BETWEEN date(@StartDate) AND date(@EndDate))
ORDER BY r.Status, r.Name, d.Date_Received;
');

-- Charges and payments of one batch.
INSERT INTO sys_procedures (name, params, body) VALUES ('sp_Rep_TranJournal',
'@Property varchar(10), @Batch varchar(10)', '
SELECT b.Batch, b.Batch_Type, b.Batch_Date, b.Operator, l.Trans_Date,
       CASE l.Kind WHEN ''C'' THEN ''Charge'' WHEN ''P'' THEN ''Payment'' ELSE ''Returned'' END AS Tran_Kind,
       l.TransID, l.Resident, r.Name, l.Unit, l.Code, l.Description, round(l.Amount, 2) AS Amount,
       coalesce(ct.GL_Account, (SELECT b2.Deposit_Code FROM tblBatch b2 WHERE b2.Batch = l.Batch)) AS GL_Account
FROM vwLedger l
JOIN tblBatch b ON b.Batch = l.Batch
JOIN tblResident r ON r.Resident = l.Resident
JOIN tblProperty p ON p.Property = l.Property
LEFT JOIN tblCharge_Type ct ON l.Kind = ''C'' AND ct.Charge_Type_Table = p.Charge_Type_Table AND ct.Charge_Type = l.Code
WHERE l.Property = @Property AND l.Batch = @Batch AND l.Kind <> ''N''
ORDER BY l.Kind, l.Unit, l.TransID;
');

-- Payments named in a comma-separated list of ids (blanks allowed).
INSERT INTO sys_procedures (name, params, body) VALUES ('sp_Rep_EditPaymentTranJournal',
'@Property varchar(10), @PaymentIDs varchar(6000)', '
SELECT p.PaymentID, p.Batch, p.Payment_Date, p.Date_Stamp, p.Operator_Stamp, p.Resident, r.Name, p.Unit,
       p.Payment_Type, p.Check_Num, p.Amount, p.NSF, p.NSF_Date, p.Memo
FROM tblPayment p
JOIN tblResident r ON r.Resident = p.Resident
WHERE p.Misc_Property = @Property
  AND instr('','' || replace(coalesce(@PaymentIDs, ''''), '' '', '''') || '','', '','' || p.PaymentID || '','') > 0
ORDER BY p.PaymentID;
');

-- Returned (NSF) payments by the day they came back, with the fee charged for each.
INSERT INTO sys_procedures (name, params, body) VALUES ('sp_Rep_NSF',
'@Property varchar(10), @StartDate date, @EndDate date', '
SELECT p.Resident, r.Name, r.Unit, r.SortOrder, p.PaymentID, p.Check_Num, p.Payment_Date, p.NSF_Date,
       p.Amount, p.NSF_Reason, p.Batch,
       round(coalesce((SELECT sum(c.Amount) FROM tblCharge c WHERE c.Resident = p.Resident
                       AND c.Charge_Type = ''NSF'' AND c.Charge_Date = p.NSF_Date), 0), 2) AS NSF_Fee
FROM tblPayment p
JOIN vwResidentLease r ON r.Resident = p.Resident
WHERE p.Misc_Property = @Property AND p.NSF = 1 AND p.NSF_Date BETWEEN date(@StartDate) AND date(@EndDate)
ORDER BY p.NSF_Date, r.Name;
');

-- Accounting transactions narrowed by the options window. Lists arrive as 'a','b' (quoted) or
-- 1,2 (runs); an empty list means all. @AcctgMethod 2 or Cash shows cash movements only.
-- @DateType: 1 accounting date, 2 transaction (entry) date, 3 charge/payment date, else any.
-- @StartDt and @EndDt are m/d/yyyy or ISO text, empty for all dates; @UnitStart/@UnitEnd are
-- unit sort orders, -1 for no limit; @UnitStatus Active or Closed picks accounts.
INSERT INTO sys_procedures (name, params, body) VALUES ('sp_Rep_TransDetailOptions',
'@Property varchar(10), @AcctgMethod varchar(10), @DateType varchar(20), @StartDt varchar(10), @EndDt varchar(10), @UnitStart int, @UnitEnd int, @UnitStatus varchar(10), @Residents varchar(8000), @Accounts varchar(8000), @ChargeTypes varchar(8000), @Batches varchar(8000), @Runs varchar(8000)', '
WITH raw(k, t) AS (SELECT 1, trim(coalesce(@StartDt, '''')) UNION ALL SELECT 2, trim(coalesce(@EndDt, ''''))),
parts AS (
  SELECT k, t, instr(t, ''/'') AS s1, instr(substr(t, instr(t, ''/'') + 1), ''/'') + instr(t, ''/'') AS s2 FROM raw),
iso AS (
  SELECT k, CASE WHEN t = '''' THEN NULL
                 WHEN s1 = 0 THEN date(t)
                 ELSE printf(''%04d-%02d-%02d'',
                        CASE WHEN CAST(substr(t, s2 + 1) AS int) < 30 THEN 2000 + CAST(substr(t, s2 + 1) AS int)
                             WHEN CAST(substr(t, s2 + 1) AS int) < 100 THEN 1900 + CAST(substr(t, s2 + 1) AS int)
                             ELSE CAST(substr(t, s2 + 1) AS int) END,
                        CAST(substr(t, 1, s1 - 1) AS int), CAST(substr(t, s1 + 1, s2 - s1 - 1) AS int)) END AS d
  FROM parts),
cash AS (
  SELECT coalesce((SELECT SettingValue FROM tblSetup WHERE Property = @Property AND Setting = ''DefaultDepositCode''),
                  (SELECT SettingValue FROM tblSetup WHERE Property = '''' AND Setting = ''DefaultDepositCode'')) AS GL_Account),
tx AS (
  SELECT ''Charge'' AS Tran_Kind, c.ChargeID AS TransID, c.Resident, c.Unit, c.Charge_Type AS Code, c.Description,
         c.Acctg_Date, c.Trans_Date, c.Charge_Date AS Item_Date, c.Batch, c.RunID, ct.GL_Account, c.Amount
  FROM tblCharge c
  JOIN tblProperty p ON p.Property = c.Property
  JOIN tblCharge_Type ct ON ct.Charge_Type_Table = p.Charge_Type_Table AND ct.Charge_Type = c.Charge_Type
  WHERE c.Property = @Property AND coalesce(@AcctgMethod, '''') NOT IN (''2'', ''Cash'')
  UNION ALL
  SELECT ''Payment'', p.PaymentID, p.Resident, p.Unit, p.Payment_Type, ''Payment'' || coalesce('' #'' || p.Check_Num, ''''),
         p.Acctg_Date, p.Date_Stamp, p.Payment_Date, p.Batch, NULL, cash.GL_Account, -p.Amount
  FROM tblPayment p, cash
  WHERE p.Misc_Property = @Property),
rng AS (SELECT (SELECT d FROM iso WHERE k = 1) AS d1, coalesce((SELECT d FROM iso WHERE k = 2), ''9999-12-31'') AS d2)
SELECT tx.Tran_Kind, tx.TransID, tx.Acctg_Date, tx.Trans_Date, tx.Item_Date, tx.Batch, tx.RunID, tx.Resident, r.Name,
       tx.Unit, r.SortOrder, r.Account_Status, tx.Code, tx.Description, tx.GL_Account, g.Title AS GL_Title,
       round(CASE WHEN tx.Amount > 0 THEN tx.Amount ELSE 0 END, 2) AS Debit,
       round(CASE WHEN tx.Amount < 0 THEN -tx.Amount ELSE 0 END, 2) AS Credit
FROM tx
CROSS JOIN rng
JOIN vwResidentLease r ON r.Resident = tx.Resident
LEFT JOIN tblGLAccount g ON g.GL_Account = tx.GL_Account
WHERE (rng.d1 IS NULL
       OR CASE CAST(coalesce(@DateType, ''0'') AS int) WHEN 1 THEN tx.Acctg_Date WHEN 2 THEN tx.Trans_Date
               ELSE tx.Item_Date END BETWEEN rng.d1 AND rng.d2)
  AND (@UnitStart < 0 OR r.SortOrder >= @UnitStart) AND (@UnitEnd < 0 OR r.SortOrder <= @UnitEnd)
  AND (coalesce(@UnitStatus, '''') = '''' OR r.Account_Status = @UnitStatus)
  AND (coalesce(@Residents, '''') = '''' OR instr('','' || @Residents || '','', '','''''' || tx.Resident || '''''','') > 0)
  AND (coalesce(@Accounts, '''') = '''' OR instr('','' || @Accounts || '','', '','''''' || tx.GL_Account || '''''','') > 0)
  AND (coalesce(@ChargeTypes, '''') = '''' OR instr('','' || @ChargeTypes || '','', '','''''' || tx.Code || '''''','') > 0)
  AND (coalesce(@Batches, '''') = '''' OR instr('','' || @Batches || '','', '','''''' || tx.Batch || '''''','') > 0)
  AND (coalesce(@Runs, '''') = '''' OR instr('','' || replace(@Runs, '' '', '''') || '','', '','' || tx.RunID || '','') > 0)
ORDER BY tx.Acctg_Date, tx.Item_Date, tx.Tran_Kind, tx.TransID;
');

-- Occupancy and leasing ---------------------------------------------------------------------------
-- A unit is occupied on day D by a lease with Move_In <= D and no Move_Out, or Move_Out > D.

-- Traffic of the period with the day's leasing counts as outputs.
INSERT INTO sys_procedures (name, params, body) VALUES ('sp_Rep_rptDailyActivity',
'@Property varchar(10), @RptBeginDate date, @RptEndDate date, @Walkins smallint OUTPUT, @PhoneCall smallint OUTPUT, @AppsTaken smallint OUTPUT, @Approved smallint OUTPUT, @Denied smallint OUTPUT, @Cancelled smallint OUTPUT, @OtherTrafic smallint OUTPUT', '
SELECT coalesce(sum(Contact_Type = ''Walk In''), 0) AS "@Walkins",
       coalesce(sum(Contact_Type = ''Phone''), 0) AS "@PhoneCall",
       coalesce(sum(Contact_Type NOT IN (''Walk In'', ''Phone'')), 0) AS "@OtherTrafic"
FROM tblTraffic
WHERE Property = @Property AND Visit_Date BETWEEN date(@RptBeginDate) AND date(@RptEndDate);
SELECT coalesce(sum(App_Date BETWEEN date(@RptBeginDate) AND date(@RptEndDate)), 0) AS "@AppsTaken",
       coalesce(sum(Status = ''Approved'' AND Decision_Date BETWEEN date(@RptBeginDate) AND date(@RptEndDate)), 0) AS "@Approved",
       coalesce(sum(Status = ''Denied'' AND Decision_Date BETWEEN date(@RptBeginDate) AND date(@RptEndDate)), 0) AS "@Denied",
       coalesce(sum(Status = ''Cancelled'' AND Decision_Date BETWEEN date(@RptBeginDate) AND date(@RptEndDate)), 0) AS "@Cancelled"
FROM tblApplication
WHERE Property = @Property;
SELECT t.Visit_Date, t.GCardID, g.Name, t.Contact_Type, t.Agent, cb.ItemDescription AS Source, g.Unit_Class,
       t.Unit_Shown, g.Status AS Card_Status, t.Notes
FROM tblTraffic t
JOIN tblGuestCard g ON g.GCardID = t.GCardID
LEFT JOIN tblCBOValues cb ON cb.ItemType = ''MarketSource'' AND cb.ItemValue = g.Source AND cb.Property IN (''System'', g.Property)
WHERE t.Property = @Property AND t.Visit_Date BETWEEN date(@RptBeginDate) AND date(@RptEndDate)
ORDER BY t.Visit_Date, t.Agent, g.Name;
');

-- Profile of the current residents, as counts per category.
INSERT INTO sys_procedures (name, params, body) VALUES ('sp_Rep_Demographics',
'@Property varchar(10), @TotUnits int OUTPUT, @LeasedOcc int OUTPUT, @Occupied int OUTPUT, @PropCity varchar(15) OUTPUT, @PropState varchar(4) OUTPUT, @PropAddressee varchar(30) OUTPUT', '
SELECT (SELECT count(*) FROM tblProp_Unit WHERE Property = @Property) AS "@TotUnits",
       (SELECT count(DISTINCT Unit) FROM vwLeaseUnit WHERE Property = @Property
        AND Lease_Status IN (''Current'', ''Notice'', ''Applicant'')) AS "@LeasedOcc",
       (SELECT count(DISTINCT Unit) FROM vwLeaseUnit WHERE Property = @Property
        AND Lease_Status IN (''Current'', ''Notice'')) AS "@Occupied",
       City AS "@PropCity", State AS "@PropState", Addressee AS "@PropAddressee"
FROM tblProperty WHERE Property = @Property;
WITH cur AS (
  SELECT r.*, rl.Unit FROM tblResident r JOIN vwResidentLease rl ON rl.Resident = r.Resident
  WHERE r.Property = @Property AND r.Status = ''Current''),
facts AS (
  SELECT 1 AS SortKey, ''Born'' AS Category,
         coalesce(substr(strftime(''%Y'', BirthDate), 1, 3) || ''0s'', ''Not given'') AS Item FROM cur
  UNION ALL SELECT 2, ''Prior city'', coalesce(Prior_City, ''Not given'') FROM cur
  UNION ALL SELECT 3, ''Occupation'', coalesce(Occupation, ''Not given'') FROM cur
  UNION ALL SELECT 4, ''Monthly income'', CASE WHEN Monthly_Income < 3000 THEN ''Under 3,000''
                   WHEN Monthly_Income < 4500 THEN ''3,000 - 4,499'' WHEN Monthly_Income < 6000 THEN ''4,500 - 5,999''
                   ELSE ''6,000 and over'' END FROM cur
  UNION ALL SELECT 5, ''Vehicles'', CAST(Vehicles AS text) FROM cur
  UNION ALL SELECT 6, ''Pets'', CASE WHEN Pets > 0 THEN ''With pets'' ELSE ''No pets'' END FROM cur)
SELECT SortKey, Category, Item, count(*) AS Residents,
       round(100.0 * count(*) / (SELECT count(*) FROM cur), 1) AS Percent_Of_Residents
FROM facts
GROUP BY SortKey, Category, Item
ORDER BY SortKey, Residents DESC, Item;
');

-- Per unit: rent the unit could have earned in the period (market rent over the days) against
-- the rent and concessions charged.
INSERT INTO sys_procedures (name, params, body) VALUES ('sp_Rep_EconomicVacancy',
'@Property varchar(10), @StartDate date, @EndDate date, @ProMoDays int OUTPUT', '
SELECT CAST(julianday(date(@EndDate)) - julianday(date(@StartDate)) + 1 AS int) AS "@ProMoDays";
WITH occ AS (
  SELECT Unit, sum(max(0, julianday(min(date(@EndDate), coalesce(date(Move_Out, ''-1 day''), date(@EndDate))))
                        - julianday(max(date(@StartDate), Move_In)) + 1)) AS Days_Occupied
  FROM vwLeaseUnit WHERE Property = @Property AND Move_In IS NOT NULL GROUP BY Unit),
chg AS (
  SELECT Unit, sum(CASE WHEN Charge_Type = ''RENT'' THEN Amount ELSE 0 END) AS Rent_Charged,
         sum(CASE WHEN Charge_Type = ''CONC'' THEN Amount ELSE 0 END) AS Concessions
  FROM tblCharge WHERE Property = @Property AND Charge_Date BETWEEN date(@StartDate) AND date(@EndDate)
  GROUP BY Unit)
SELECT u.Unit, u.SortOrder, u.Unit_Class, u.Market_Rent, @ProMoDays AS Days_In_Period,
       CAST(coalesce(o.Days_Occupied, 0) AS int) AS Days_Occupied,
       @ProMoDays - CAST(coalesce(o.Days_Occupied, 0) AS int) AS Days_Vacant,
       round(u.Market_Rent * 12.0 * @ProMoDays / 365, 2) AS Potential_Rent,
       round(coalesce(c.Rent_Charged, 0), 2) AS Rent_Charged,
       round(coalesce(c.Concessions, 0), 2) AS Concessions,
       round(u.Market_Rent * 12.0 * @ProMoDays / 365 - coalesce(c.Rent_Charged, 0) - coalesce(c.Concessions, 0), 2) AS Economic_Loss
FROM tblProp_Unit u
LEFT JOIN occ o ON o.Unit = u.Unit
LEFT JOIN chg c ON c.Unit = u.Unit
WHERE u.Property = @Property
ORDER BY u.SortOrder;
');

-- Leases ending between the dates, and every month-to-month lease. @OrderBy is one of
-- ''SortOrder'', ''MTM, LeaseEnd'' or ''LeaseEnd,SortOrder''.
INSERT INTO sys_procedures (name, params, body) VALUES ('sp_Rep_rptLeaseExpiration',
'@RepStart date, @RepEnd date, @Property varchar(10), @OrderBy varchar(50)', '
SELECT lu.Unit, u.SortOrder, u.Unit_Class, lu.Primary_Resident AS Resident, r.Name, r.Phone, lu.Move_In,
       lu.Lease_Start, lu.Lease_End AS LeaseEnd, lu.MTM, lu.Rent, u.Market_Rent, lu.Lease_Status,
       lu.Notice_Date, lu.Intend_Move_Out, strftime(''%Y-%m'', lu.Lease_End) AS Expire_Month
FROM vwLeaseUnit lu
JOIN tblProp_Unit u ON u.Property = lu.Property AND u.Unit = lu.Unit
JOIN tblResident r ON r.Resident = lu.Primary_Resident
WHERE lu.Property = @Property AND lu.Lease_Status IN (''Current'', ''Notice'')
  AND (lu.MTM = 1 OR lu.Lease_End BETWEEN date(@RepStart) AND date(@RepEnd))
ORDER BY CASE WHEN replace(@OrderBy, '' '', '''') = ''MTM,LeaseEnd'' THEN -lu.MTM ELSE 0 END,
         CASE WHEN replace(@OrderBy, '' '', '''') IN (''MTM,LeaseEnd'', ''LeaseEnd,SortOrder'') THEN lu.Lease_End END,
         u.SortOrder;
');

-- Concessions still running or yet to start on the date, with what is left of them.
INSERT INTO sys_procedures (name, params, body) VALUES ('sp_Rep_rptFutureConc',
'@Property varchar(10), @AsOfDate date', '
SELECT c.Unit, u.SortOrder, c.Resident, r.Name, c.Description, c.Monthly_Amount, c.Start_Date, c.End_Date,
       c.Approved_By,
       (CAST(strftime(''%Y'', c.End_Date) AS int) * 12 + CAST(strftime(''%m'', c.End_Date) AS int))
       - (CAST(strftime(''%Y'', max(c.Start_Date, date(@AsOfDate, ''start of month'', ''+1 month''))) AS int) * 12
          + CAST(strftime(''%m'', max(c.Start_Date, date(@AsOfDate, ''start of month'', ''+1 month''))) AS int)) + 1
         AS Months_Remaining
FROM tblConcession c
JOIN tblResident r ON r.Resident = c.Resident
LEFT JOIN tblProp_Unit u ON u.Property = c.Property AND u.Unit = c.Unit
WHERE c.Property = @Property AND c.End_Date >= date(@AsOfDate, ''start of month'', ''+1 month'')
ORDER BY c.Start_Date, u.SortOrder;
');

-- The property at a glance over the period: one row per figure.
INSERT INTO sys_procedures (name, params, body) VALUES ('sp_Rep_rptPropStatus',
'@Property varchar(10), @StartDate date, @EndDate date', '
WITH lu AS (SELECT * FROM vwLeaseUnit WHERE Property = @Property),
occ(D, N) AS (
  SELECT date(@StartDate), (SELECT count(DISTINCT Unit) FROM lu WHERE Move_In <= date(@StartDate)
                            AND (Move_Out IS NULL OR Move_Out > date(@StartDate)))
  UNION ALL
  SELECT date(@EndDate), (SELECT count(DISTINCT Unit) FROM lu WHERE Move_In <= date(@EndDate)
                          AND (Move_Out IS NULL OR Move_Out > date(@EndDate))))
SELECT 1 AS SortKey, ''Units'' AS Section, ''Total units'' AS Line,
       round((SELECT count(*) FROM tblProp_Unit WHERE Property = @Property), 2) AS Value
UNION ALL SELECT 2, ''Units'', ''Occupied at start'', round((SELECT N FROM occ WHERE D = date(@StartDate)), 2)
UNION ALL SELECT 3, ''Units'', ''Occupied at end'', round((SELECT N FROM occ WHERE D = date(@EndDate)), 2)
UNION ALL SELECT 4, ''Units'', ''Vacant at end'',
       round((SELECT count(*) FROM tblProp_Unit WHERE Property = @Property) - (SELECT N FROM occ WHERE D = date(@EndDate)), 2)
UNION ALL SELECT 5, ''Units'', ''Occupancy at end (%)'',
       round(100.0 * (SELECT N FROM occ WHERE D = date(@EndDate)) / (SELECT count(*) FROM tblProp_Unit WHERE Property = @Property), 2)
UNION ALL SELECT 6, ''Leasing'', ''Move-ins'', round((SELECT count(*) FROM lu WHERE Move_In BETWEEN date(@StartDate) AND date(@EndDate)), 2)
UNION ALL SELECT 7, ''Leasing'', ''Move-outs'', round((SELECT count(*) FROM lu WHERE Move_Out BETWEEN date(@StartDate) AND date(@EndDate)), 2)
UNION ALL SELECT 8, ''Leasing'', ''Notices given'', round((SELECT count(*) FROM lu WHERE Notice_Date BETWEEN date(@StartDate) AND date(@EndDate)), 2)
UNION ALL SELECT 9, ''Leasing'', ''Applications taken'',
       round((SELECT count(*) FROM tblApplication WHERE Property = @Property AND App_Date BETWEEN date(@StartDate) AND date(@EndDate)), 2)
UNION ALL SELECT 10, ''Leasing'', ''Traffic contacts'',
       round((SELECT count(*) FROM tblTraffic WHERE Property = @Property AND Visit_Date BETWEEN date(@StartDate) AND date(@EndDate)), 2)
UNION ALL SELECT 11, ''Money'', ''Charges'',
       round((SELECT coalesce(sum(Amount), 0) FROM tblCharge WHERE Property = @Property AND Charge_Date BETWEEN date(@StartDate) AND date(@EndDate)), 2)
UNION ALL SELECT 12, ''Money'', ''Receipts'',
       round((SELECT coalesce(sum(Amount), 0) FROM tblPayment WHERE Misc_Property = @Property AND Payment_Date BETWEEN date(@StartDate) AND date(@EndDate)), 2)
UNION ALL SELECT 13, ''Money'', ''Receivable at end'',
       round((SELECT coalesce(sum(Amount), 0) FROM vwLedger WHERE Property = @Property AND Trans_Date <= date(@EndDate)), 2)
UNION ALL SELECT 14, ''Maintenance'', ''Service calls opened'',
       round((SELECT count(*) FROM tblWorkOrder WHERE Property = @Property AND DateOpened BETWEEN date(@StartDate) AND date(@EndDate)), 2)
UNION ALL SELECT 15, ''Maintenance'', ''Service calls closed'',
       round((SELECT count(*) FROM tblWorkOrder WHERE Property = @Property AND DateClosed BETWEEN date(@StartDate) AND date(@EndDate)), 2)
UNION ALL SELECT 16, ''Maintenance'', ''Service calls open at end'',
       round((SELECT count(*) FROM tblWorkOrder WHERE Property = @Property AND DateOpened <= date(@EndDate)
              AND (DateClosed IS NULL OR DateClosed > date(@EndDate))), 2)
ORDER BY 1;
');

-- Traffic of the period; the summary and market source reports group and filter these rows.
INSERT INTO sys_procedures (name, params, body) VALUES ('sp_Rep_rptTraffic',
'@Property varchar(10), @DateStart date, @DateEnd date', '
SELECT t.Visit_Date, t.GCardID, g.Name, t.Contact_Type, t.Agent, g.Source, cb.ItemDescription AS Source_Description,
       g.Unit_Class, g.Desired_Move_In, g.Status AS Card_Status, g.Lease_Date,
       CASE WHEN g.Status = ''Leased'' THEN 1 ELSE 0 END AS Leased,
       CASE WHEN EXISTS (SELECT 1 FROM tblApplication a WHERE a.GCardID = g.GCardID) THEN 1 ELSE 0 END AS Applied
FROM tblTraffic t
JOIN tblGuestCard g ON g.GCardID = t.GCardID
LEFT JOIN tblCBOValues cb ON cb.ItemType = ''MarketSource'' AND cb.ItemValue = g.Source AND cb.Property IN (''System'', g.Property)
WHERE t.Property = @Property AND t.Visit_Date BETWEEN date(@DateStart) AND date(@DateEnd)
ORDER BY t.Visit_Date, t.Agent, g.Name;
');

-- Guest cards first seen in the period, by market source, with what came of them.
INSERT INTO sys_procedures (name, params, body) VALUES ('sp_Rep_rptTrafficSources',
'@Property varchar(10), @PropName varchar(55), @StartDate date, @EndDate date', '
SELECT @PropName AS PropName, g.Source, coalesce(cb.ItemDescription, g.Source) AS Source_Description,
       count(*) AS Guest_Cards,
       sum(g.Contact_Type = ''Walk In'') AS Walk_Ins,
       sum(g.Contact_Type = ''Phone'') AS Phone_Calls,
       sum(EXISTS (SELECT 1 FROM tblApplication a WHERE a.GCardID = g.GCardID)) AS Applications,
       sum(g.Status = ''Leased'') AS Leases,
       round(100.0 * sum(g.Status = ''Leased'') / count(*), 1) AS Closing_Percent
FROM tblGuestCard g
LEFT JOIN tblCBOValues cb ON cb.ItemType = ''MarketSource'' AND cb.ItemValue = g.Source AND cb.Property IN (''System'', g.Property)
WHERE g.Property = @Property AND g.First_Contact BETWEEN date(@StartDate) AND date(@EndDate)
GROUP BY g.Source
ORDER BY Guest_Cards DESC, Source_Description;
');

INSERT INTO sys_procedures (name, params, body) VALUES ('sp_Rep_GuestcardSummary', '@GCardID varchar(15)', '
SELECT g.GCardID, g.Property, g.Name, g.Phone, g.Email, g.First_Contact, g.Contact_Type AS First_Contact_Type,
       g.Agent, coalesce(cb.ItemDescription, g.Source) AS Source, g.Unit_Class, g.Desired_Move_In, g.Max_Rent,
       g.Occupants, g.Status AS Card_Status, g.Lease_Date, g.Notes,
       (SELECT a.Status FROM tblApplication a WHERE a.GCardID = g.GCardID) AS Application_Status,
       t.Visit_Date, t.Contact_Type, t.Agent AS Visit_Agent, t.Unit_Shown, t.Notes AS Visit_Notes
FROM tblGuestCard g
LEFT JOIN tblCBOValues cb ON cb.ItemType = ''MarketSource'' AND cb.ItemValue = g.Source AND cb.Property IN (''System'', g.Property)
LEFT JOIN tblTraffic t ON t.GCardID = g.GCardID
WHERE g.GCardID = @GCardID
ORDER BY t.Visit_Date, t.TrafficID;
');

-- Move-ins and move-outs expected or made in the period; @SortBy ''Unit'' orders by unit, else
-- by the intended date.
INSERT INTO sys_procedures (name, params, body) VALUES ('sp_Rep_rptMoveInOut',
'@Property varchar(10), @StartDate date, @EndDate date, @SortBy varchar(15)', '
WITH moves AS (
  SELECT ''Move In'' AS Move_Type, lu.Unit, lu.Primary_Resident, lu.Intend_Move_In AS Intend_Date, lu.Move_In AS Actual_Date,
         lu.Lease_Status, lu.Rent, lu.Deposit_Amount
  FROM vwLeaseUnit lu
  WHERE lu.Property = @Property AND coalesce(lu.Move_In, lu.Intend_Move_In) BETWEEN date(@StartDate) AND date(@EndDate)
  UNION ALL
  SELECT ''Move Out'', lu.Unit, lu.Primary_Resident, lu.Intend_Move_Out, lu.Move_Out, lu.Lease_Status, lu.Rent, lu.Deposit_Amount
  FROM vwLeaseUnit lu
  WHERE lu.Property = @Property AND coalesce(lu.Move_Out, lu.Intend_Move_Out) BETWEEN date(@StartDate) AND date(@EndDate))
SELECT m.Move_Type, m.Unit, u.SortOrder, u.Unit_Class, r.Name, r.Phone, m.Intend_Date, m.Actual_Date,
       m.Lease_Status, m.Rent, m.Deposit_Amount
FROM moves m
JOIN tblProp_Unit u ON u.Property = @Property AND u.Unit = m.Unit
JOIN tblResident r ON r.Resident = m.Primary_Resident
ORDER BY CASE WHEN @SortBy = ''Unit'' THEN u.SortOrder END, m.Intend_Date, u.SortOrder, m.Move_Type;
');

-- Per unit class over the period; the output counts leases on notice at the end date.
INSERT INTO sys_procedures (name, params, body) VALUES ('sp_Rep_UnitStatistics',
'@Property varchar(10), @StartDate date, @EndDate date, @OnNotice int OUTPUT', '
SELECT count(*) AS "@OnNotice" FROM vwLeaseUnit
WHERE Property = @Property AND Notice_Date <= date(@EndDate) AND Move_In <= date(@EndDate)
  AND (Move_Out IS NULL OR Move_Out > date(@EndDate));
SELECT u.Unit_Class, uc.Description AS Class_Description, count(*) AS Units, sum(u.SqFt) AS Total_SqFt,
       round(avg(u.Market_Rent), 2) AS Avg_Market_Rent,
       sum(EXISTS (SELECT 1 FROM vwLeaseUnit l WHERE l.Property = u.Property AND l.Unit = u.Unit AND l.Move_In <= date(@EndDate)
                   AND (l.Move_Out IS NULL OR l.Move_Out > date(@EndDate)))) AS Occupied,
       count(*) - sum(EXISTS (SELECT 1 FROM vwLeaseUnit l WHERE l.Property = u.Property AND l.Unit = u.Unit AND l.Move_In <= date(@EndDate)
                   AND (l.Move_Out IS NULL OR l.Move_Out > date(@EndDate)))) AS Vacant,
       round(coalesce((SELECT avg(l.Rent) FROM vwLeaseUnit l JOIN tblProp_Unit u2 ON u2.Property = l.Property AND u2.Unit = l.Unit
                       WHERE u2.Property = @Property AND u2.Unit_Class = u.Unit_Class AND l.Move_In <= date(@EndDate)
                       AND (l.Move_Out IS NULL OR l.Move_Out > date(@EndDate))), 0), 2) AS Avg_Lease_Rent,
       (SELECT count(*) FROM vwLeaseUnit l JOIN tblProp_Unit u2 ON u2.Property = l.Property AND u2.Unit = l.Unit
        WHERE u2.Property = @Property AND u2.Unit_Class = u.Unit_Class
        AND l.Move_In BETWEEN date(@StartDate) AND date(@EndDate)) AS Move_Ins,
       (SELECT count(*) FROM vwLeaseUnit l JOIN tblProp_Unit u2 ON u2.Property = l.Property AND u2.Unit = l.Unit
        WHERE u2.Property = @Property AND u2.Unit_Class = u.Unit_Class
        AND l.Move_Out BETWEEN date(@StartDate) AND date(@EndDate)) AS Move_Outs
FROM tblProp_Unit u
JOIN tblUnitClass uc ON uc.Property = u.Property AND uc.Unit_Class = u.Unit_Class
WHERE u.Property = @Property
GROUP BY u.Unit_Class
ORDER BY u.Unit_Class;
');

-- Units with vacant days in the period; the output is the property's proration setting.
INSERT INTO sys_procedures (name, params, body) VALUES ('sp_Rep_DaysVacant',
'@Property varchar(10), @StartDate date, @EndDate date, @Occ_Proration_Opt varchar(20) OUTPUT', '
SELECT Occ_Proration_Opt AS "@Occ_Proration_Opt" FROM tblProperty WHERE Property = @Property;
WITH occ AS (
  SELECT Unit, sum(max(0, julianday(min(date(@EndDate), coalesce(date(Move_Out, ''-1 day''), date(@EndDate))))
                        - julianday(max(date(@StartDate), Move_In)) + 1)) AS Days_Occupied
  FROM vwLeaseUnit WHERE Property = @Property AND Move_In IS NOT NULL GROUP BY Unit)
SELECT u.Unit, u.SortOrder, u.Unit_Class, u.Market_Rent,
       (SELECT max(l.Move_Out) FROM vwLeaseUnit l WHERE l.Property = u.Property AND l.Unit = u.Unit AND l.Move_Out <= date(@EndDate)) AS Last_Move_Out,
       (SELECT min(coalesce(l.Move_In, l.Intend_Move_In)) FROM vwLeaseUnit l WHERE l.Property = u.Property AND l.Unit = u.Unit
        AND coalesce(l.Move_In, l.Intend_Move_In) > date(@StartDate)) AS Next_Move_In,
       CAST(julianday(date(@EndDate)) - julianday(date(@StartDate)) + 1 - coalesce(o.Days_Occupied, 0) AS int) AS Days_Vacant
FROM tblProp_Unit u
LEFT JOIN occ o ON o.Unit = u.Unit
WHERE u.Property = @Property AND julianday(date(@EndDate)) - julianday(date(@StartDate)) + 1 - coalesce(o.Days_Occupied, 0) > 0
ORDER BY u.SortOrder;
');

-- Every unit on the date: occupied, on notice or vacant, when it comes free and whether it is
-- pre-leased.
INSERT INTO sys_procedures (name, params, body) VALUES ('sp_Rep_OccupAvail',
'@Property varchar(10), @StartDate date', '
WITH cur AS (
  SELECT * FROM vwLeaseUnit WHERE Property = @Property AND Move_In <= date(@StartDate)
  AND (Move_Out IS NULL OR Move_Out > date(@StartDate))),
nxt AS (
  SELECT * FROM vwLeaseUnit WHERE Property = @Property AND App_Date <= date(@StartDate)
  AND coalesce(Move_In, Intend_Move_In) > date(@StartDate))
SELECT u.Unit, u.SortOrder, u.Unit_Class, u.Market_Rent,
       CASE WHEN u.Down_Unit = 1 THEN ''Down'' WHEN c.Lease IS NULL THEN ''Vacant''
            WHEN c.Notice_Date <= date(@StartDate) THEN ''Notice'' ELSE ''Occupied'' END AS Unit_Status,
       r.Name AS Resident_Name, c.Rent, c.Intend_Move_Out,
       CASE WHEN c.Lease IS NULL THEN coalesce(u.Ready_Date, date(@StartDate))
            WHEN c.Notice_Date <= date(@StartDate) THEN c.Intend_Move_Out END AS Available_Date,
       u.Ready_Status,
       CASE WHEN n.Lease IS NULL THEN ''N'' ELSE ''Y'' END AS Pre_Leased,
       nr.Name AS Applicant_Name, n.Intend_Move_In
FROM tblProp_Unit u
LEFT JOIN cur c ON c.Unit = u.Unit
LEFT JOIN tblResident r ON r.Resident = c.Primary_Resident
LEFT JOIN nxt n ON n.Unit = u.Unit
LEFT JOIN tblResident nr ON nr.Resident = n.Primary_Resident
WHERE u.Property = @Property
ORDER BY u.SortOrder;
');

-- Service calls ------------------------------------------------------------------------------------

-- @RangeOrNum: ''Num'' one call (@WONum), ''NumR'' numbers @StartNum to @EndNum, ''DateR'' calls
-- opened between the dates (narrowed by the numbers when given).
INSERT INTO sys_procedures (name, params, body) VALUES ('sp_Rep_rptWO',
'@Property varchar(10), @WONum varchar(20), @StartDate date, @EndDate date, @StartNum varchar(20), @EndNum varchar(20), @RangeOrNum varchar(5)', '
SELECT w.WorkOrder, w.Unit, u.SortOrder, r.Name AS Resident_Name, r.Phone, w.Category, w.Description, w.Priority,
       w.Assigned_To, w.DateOpened, w.DateScheduled, w.DateClosed,
       CASE WHEN w.DateClosed IS NULL THEN ''Open'' ELSE ''Closed'' END AS WO_Status, w.Labor_Hours, w.Cost
FROM tblWorkOrder w
LEFT JOIN tblProp_Unit u ON u.Property = w.Property AND u.Unit = w.Unit
LEFT JOIN tblResident r ON r.Resident = w.Resident
WHERE w.Property = @Property
  AND CASE @RangeOrNum
        WHEN ''Num'' THEN w.WorkOrder = CAST(@WONum AS int)
        WHEN ''NumR'' THEN w.WorkOrder BETWEEN CAST(@StartNum AS int) AND CAST(@EndNum AS int)
        WHEN ''DateR'' THEN w.DateOpened BETWEEN date(@StartDate) AND date(@EndDate)
             AND (coalesce(@StartNum, '''') = '''' OR w.WorkOrder >= CAST(@StartNum AS int))
             AND (coalesce(@EndNum, '''') = '''' OR w.WorkOrder <= CAST(@EndNum AS int))
        ELSE 0 END
ORDER BY w.WorkOrder;
');

-- @Status OPEN, CLOSED or ALL; @RangeType WO ranges call numbers, UNIT ranges unit sort orders
-- (common-area calls have no unit and fall outside a unit range).
INSERT INTO sys_procedures (name, params, body) VALUES ('sp_Rep_WorkOrderList',
'@Property varchar(10), @Status varchar(10), @RangeType varchar(10), @RangeStart float, @RangeEnd float', '
SELECT w.WorkOrder, w.Unit, u.SortOrder, r.Name AS Resident_Name, w.Category, w.Description, w.Priority,
       w.Assigned_To, w.DateOpened, w.DateScheduled, w.DateClosed,
       CASE WHEN w.DateClosed IS NULL THEN ''Open'' ELSE ''Closed'' END AS WO_Status,
       CAST(julianday(w.DateClosed) - julianday(w.DateOpened) AS int) AS Days_To_Close
FROM tblWorkOrder w
LEFT JOIN tblProp_Unit u ON u.Property = w.Property AND u.Unit = w.Unit
LEFT JOIN tblResident r ON r.Resident = w.Resident
WHERE w.Property = @Property
  AND CASE upper(@Status) WHEN ''OPEN'' THEN w.DateClosed IS NULL WHEN ''CLOSED'' THEN w.DateClosed IS NOT NULL ELSE 1 END
  AND CASE upper(@RangeType) WHEN ''UNIT'' THEN u.SortOrder BETWEEN @RangeStart AND @RangeEnd
      ELSE w.WorkOrder BETWEEN @RangeStart AND @RangeEnd END
ORDER BY w.Assigned_To, w.WorkOrder;
');

-- Weekly box scores ----------------------------------------------------------------------------------

-- Occupancy movement of the period per unit class.
INSERT INTO sys_procedures (name, params, body) VALUES ('sp_Rep_WeeklyBoxMain',
'@Property varchar(10), @StartDate date, @EndDate date', '
WITH lu AS (
  SELECT l.*, u.Unit_Class FROM vwLeaseUnit l JOIN tblProp_Unit u ON u.Property = l.Property AND u.Unit = l.Unit
  WHERE l.Property = @Property),
cls AS (
  SELECT Unit_Class, count(*) AS Units FROM tblProp_Unit WHERE Property = @Property GROUP BY Unit_Class)
SELECT c.Unit_Class, c.Units,
       (SELECT count(*) FROM lu WHERE lu.Unit_Class = c.Unit_Class AND Move_In <= date(@StartDate)
        AND (Move_Out IS NULL OR Move_Out > date(@StartDate))) AS Occupied_Start,
       (SELECT count(*) FROM lu WHERE lu.Unit_Class = c.Unit_Class AND Move_In BETWEEN date(@StartDate) AND date(@EndDate)) AS Move_Ins,
       (SELECT count(*) FROM lu WHERE lu.Unit_Class = c.Unit_Class AND Move_Out BETWEEN date(@StartDate) AND date(@EndDate)) AS Move_Outs,
       (SELECT count(*) FROM lu WHERE lu.Unit_Class = c.Unit_Class AND Notice_Date BETWEEN date(@StartDate) AND date(@EndDate)) AS Notices,
       (SELECT count(*) FROM lu WHERE lu.Unit_Class = c.Unit_Class AND Move_In <= date(@EndDate)
        AND (Move_Out IS NULL OR Move_Out > date(@EndDate))) AS Occupied_End,
       (SELECT count(*) FROM lu WHERE lu.Unit_Class = c.Unit_Class AND App_Date <= date(@EndDate)
        AND coalesce(Move_In, Intend_Move_In) > date(@EndDate)) AS Pre_Leased,
       round(100.0 * (SELECT count(*) FROM lu WHERE lu.Unit_Class = c.Unit_Class AND Move_In <= date(@EndDate)
        AND (Move_Out IS NULL OR Move_Out > date(@EndDate))) / c.Units, 2) AS Occupancy_Percent
FROM cls c
ORDER BY c.Unit_Class;
');

-- Leasing activity of the period, one row per day with traffic or decisions.
INSERT INTO sys_procedures (name, params, body) VALUES ('sp_Rep_WeeklyBoxSub',
'@Property varchar(10), @StartDate date, @EndDate date', '
WITH RECURSIVE days(D) AS (
  SELECT date(@StartDate) UNION ALL SELECT date(D, ''+1 day'') FROM days WHERE D < date(@EndDate)),
activity AS (
  SELECT d.D AS Activity_Date,
         (SELECT count(*) FROM tblTraffic t WHERE t.Property = @Property AND t.Visit_Date = d.D AND t.Contact_Type = ''Walk In'') AS Walk_Ins,
         (SELECT count(*) FROM tblTraffic t WHERE t.Property = @Property AND t.Visit_Date = d.D AND t.Contact_Type = ''Phone'') AS Phone_Calls,
         (SELECT count(*) FROM tblTraffic t WHERE t.Property = @Property AND t.Visit_Date = d.D
          AND t.Contact_Type NOT IN (''Walk In'', ''Phone'')) AS Other_Contacts,
         (SELECT count(*) FROM tblApplication a WHERE a.Property = @Property AND a.App_Date = d.D) AS Applications,
         (SELECT count(*) FROM tblApplication a WHERE a.Property = @Property AND a.Decision_Date = d.D AND a.Status = ''Approved'') AS Approved,
         (SELECT count(*) FROM tblApplication a WHERE a.Property = @Property AND a.Decision_Date = d.D AND a.Status = ''Denied'') AS Denied,
         (SELECT count(*) FROM tblApplication a WHERE a.Property = @Property AND a.Decision_Date = d.D AND a.Status = ''Cancelled'') AS Cancelled
  FROM days d)
SELECT * FROM activity
WHERE Walk_Ins + Phone_Calls + Other_Contacts + Applications + Approved + Denied + Cancelled > 0
ORDER BY Activity_Date;
');

-- Every property side by side over the period.
INSERT INTO sys_procedures (name, params, body) VALUES ('sp_Rep_WeeklyBoxCommunities',
'@StartDate date, @EndDate date', '
SELECT p.Property, p.Name,
       (SELECT count(*) FROM tblProp_Unit u WHERE u.Property = p.Property) AS Units,
       (SELECT count(*) FROM vwLeaseUnit l WHERE l.Property = p.Property AND l.Move_In <= date(@StartDate)
        AND (l.Move_Out IS NULL OR l.Move_Out > date(@StartDate))) AS Occupied_Start,
       (SELECT count(*) FROM vwLeaseUnit l WHERE l.Property = p.Property AND l.Move_In BETWEEN date(@StartDate) AND date(@EndDate)) AS Move_Ins,
       (SELECT count(*) FROM vwLeaseUnit l WHERE l.Property = p.Property AND l.Move_Out BETWEEN date(@StartDate) AND date(@EndDate)) AS Move_Outs,
       (SELECT count(*) FROM vwLeaseUnit l WHERE l.Property = p.Property AND l.Notice_Date BETWEEN date(@StartDate) AND date(@EndDate)) AS Notices,
       (SELECT count(*) FROM vwLeaseUnit l WHERE l.Property = p.Property AND l.Move_In <= date(@EndDate)
        AND (l.Move_Out IS NULL OR l.Move_Out > date(@EndDate))) AS Occupied_End,
       (SELECT count(*) FROM vwLeaseUnit l WHERE l.Property = p.Property AND l.App_Date <= date(@EndDate)
        AND coalesce(l.Move_In, l.Intend_Move_In) > date(@EndDate)) AS Pre_Leased,
       (SELECT count(*) FROM tblTraffic t WHERE t.Property = p.Property AND t.Visit_Date BETWEEN date(@StartDate) AND date(@EndDate)) AS Traffic,
       (SELECT count(*) FROM tblApplication a WHERE a.Property = p.Property AND a.App_Date BETWEEN date(@StartDate) AND date(@EndDate)) AS Applications,
       round(100.0 * (SELECT count(*) FROM vwLeaseUnit l WHERE l.Property = p.Property AND l.Move_In <= date(@EndDate)
        AND (l.Move_Out IS NULL OR l.Move_Out > date(@EndDate)))
        / (SELECT count(*) FROM tblProp_Unit u WHERE u.Property = p.Property), 2) AS Occupancy_Percent
FROM tblProperty p
ORDER BY p.Name;
');

-- Month end ---------------------------------------------------------------------------------------

-- One row set feeds the seven summary sub-reports; Section tells them apart: Charges, Cash
-- Receipts, Deposits Out, Delinquent, Prepaid, Concessions. Balances are taken at @EOM.
-- @AcctgMethod is accepted for the caller's sake; the demo books are accrual only.
INSERT INTO sys_procedures (name, params, body) VALUES ('sp_Rep_MonthlySum',
'@Property varchar(10), @AcctgMethod int, @RepStart date, @RepEnd date, @EOM date, @DefaultChargeType varchar(20) OUTPUT, @DepositCredits int OUTPUT, @NetDelinquentPrepaid float OUTPUT, @CurrentAR float OUTPUT', '
SELECT Deposit_Charge_Type AS "@DefaultChargeType",
       (SELECT count(*) FROM tblDeposit WHERE Property = @Property
        AND Date_Refunded BETWEEN date(@RepStart) AND date(@RepEnd)) AS "@DepositCredits",
       (SELECT round(coalesce(sum(Amount), 0), 2) FROM vwLedger WHERE Property = @Property
        AND Trans_Date <= date(@EOM)) AS "@NetDelinquentPrepaid",
       (SELECT round(coalesce(sum(b), 0), 2) FROM (SELECT sum(Amount) AS b FROM vwLedger WHERE Property = @Property
        AND Trans_Date <= date(@EOM) GROUP BY Resident HAVING sum(Amount) > 0)) AS "@CurrentAR"
FROM tblProperty WHERE Property = @Property;
WITH bal AS (
  SELECT Resident, sum(Amount) AS Balance FROM vwLedger
  WHERE Property = @Property AND Trans_Date <= date(@EOM) GROUP BY Resident HAVING abs(sum(Amount)) >= 0.005),
rows_ AS (
  SELECT 1 AS SortKey, ''Charges'' AS Section, c.Charge_Type AS Code, ct.Charge_Description AS Description,
         NULL AS Resident, NULL AS Name, NULL AS Unit, sum(c.Amount) AS Amount, count(*) AS Items
  FROM tblCharge c JOIN tblProperty p ON p.Property = c.Property
  JOIN tblCharge_Type ct ON ct.Charge_Type_Table = p.Charge_Type_Table AND ct.Charge_Type = c.Charge_Type
  WHERE c.Property = @Property AND c.Acctg_Date BETWEEN date(@RepStart) AND date(@RepEnd) AND c.Charge_Type <> ''CONC''
  GROUP BY c.Charge_Type
  UNION ALL
  SELECT 2, ''Cash Receipts'', Payment_Type, Batch_Source, NULL, NULL, NULL, sum(Amount), count(*)
  FROM tblPayment WHERE Misc_Property = @Property AND Payment_Date BETWEEN date(@RepStart) AND date(@RepEnd)
  GROUP BY Payment_Type, Batch_Source
  UNION ALL
  SELECT 3, ''Deposits Out'', d.Deposit_Type, ''Refund check '' || coalesce(d.Refund_Check, ''''), d.Resident, r.Name, d.Unit,
         d.Refund_Amount, 1
  FROM tblDeposit d JOIN tblResident r ON r.Resident = d.Resident
  WHERE d.Property = @Property AND d.Date_Refunded BETWEEN date(@RepStart) AND date(@RepEnd)
  UNION ALL
  SELECT 4, ''Delinquent'', r.Status, NULL, b.Resident, r.Name, r.Unit, b.Balance, 1
  FROM bal b JOIN vwResidentLease r ON r.Resident = b.Resident WHERE b.Balance > 0
  UNION ALL
  SELECT 5, ''Prepaid'', r.Status, NULL, b.Resident, r.Name, r.Unit, b.Balance, 1
  FROM bal b JOIN vwResidentLease r ON r.Resident = b.Resident WHERE b.Balance < 0
  UNION ALL
  SELECT 6, ''Concessions'', c.Charge_Type, c.Description, c.Resident, r.Name, c.Unit, c.Amount, 1
  FROM tblCharge c JOIN tblResident r ON r.Resident = c.Resident
  WHERE c.Property = @Property AND c.Charge_Type = ''CONC'' AND c.Acctg_Date BETWEEN date(@RepStart) AND date(@RepEnd))
SELECT SortKey, Section, Code, Description, Resident, Name, Unit, round(Amount, 2) AS Amount, Items
FROM rows_
ORDER BY SortKey, Code, Unit, Name;
');

-- Month-end rent figures per unit for the month ending @EndDate: gross potential rent, loss to
-- lease and vacancy loss, prorated over @DaysInMonth (an unknown proration setting sends 0 and
-- leaves the prorated figures empty). @ReportOnly 0 also closes the period on the property.
INSERT INTO sys_procedures (name, params, body) VALUES ('sp_EOM',
'@Property varchar(10), @EndDate date, @DaysInMonth int, @ReportOnly smallint, @GPR float OUTPUT, @LTL float OUTPUT, @VL float OUTPUT', '
UPDATE tblProperty SET Period_End = date(@EndDate) WHERE Property = @Property AND @ReportOnly = 0;
WITH occ AS (
  SELECT Unit, sum(max(0, julianday(min(date(@EndDate), coalesce(date(Move_Out, ''-1 day''), date(@EndDate))))
                        - julianday(max(date(@EndDate, ''start of month''), Move_In)) + 1)) AS Days_Occupied,
         max(Rent) AS Lease_Rent
  FROM vwLeaseUnit WHERE Property = @Property AND Move_In IS NOT NULL AND Move_In <= date(@EndDate)
    AND (Move_Out IS NULL OR Move_Out > date(@EndDate, ''start of month''))
  GROUP BY Unit),
eom AS (
  SELECT u.Unit, u.SortOrder, u.Unit_Class, u.Market_Rent, o.Lease_Rent,
         CAST(coalesce(o.Days_Occupied, 0) AS int) AS Days_Occupied,
         CAST(julianday(date(@EndDate)) - julianday(date(@EndDate, ''start of month'')) + 1 - coalesce(o.Days_Occupied, 0) AS int) AS Days_Vacant
  FROM tblProp_Unit u LEFT JOIN occ o ON o.Unit = u.Unit WHERE u.Property = @Property)
SELECT Unit, SortOrder, Unit_Class, Market_Rent, Lease_Rent, Days_Occupied, Days_Vacant,
       round(Market_Rent * 1.0, 2) AS GPR,
       round((Market_Rent - coalesce(Lease_Rent, Market_Rent)) * Days_Occupied * 1.0 / nullif(@DaysInMonth, 0), 2) AS LTL,
       round(Market_Rent * Days_Vacant * 1.0 / nullif(@DaysInMonth, 0), 2) AS VL
FROM eom
ORDER BY SortOrder;
WITH occ AS (
  SELECT Unit, sum(max(0, julianday(min(date(@EndDate), coalesce(date(Move_Out, ''-1 day''), date(@EndDate))))
                        - julianday(max(date(@EndDate, ''start of month''), Move_In)) + 1)) AS Days_Occupied,
         max(Rent) AS Lease_Rent
  FROM vwLeaseUnit WHERE Property = @Property AND Move_In IS NOT NULL AND Move_In <= date(@EndDate)
    AND (Move_Out IS NULL OR Move_Out > date(@EndDate, ''start of month''))
  GROUP BY Unit)
SELECT round(sum(u.Market_Rent), 2) AS "@GPR",
       round(sum((u.Market_Rent - coalesce(o.Lease_Rent, u.Market_Rent)) * coalesce(o.Days_Occupied, 0) * 1.0
                 / nullif(@DaysInMonth, 0)), 2) AS "@LTL",
       round(sum(u.Market_Rent * (julianday(date(@EndDate)) - julianday(date(@EndDate, ''start of month'')) + 1
                 - coalesce(o.Days_Occupied, 0)) * 1.0 / nullif(@DaysInMonth, 0)), 2) AS "@VL"
FROM tblProp_Unit u LEFT JOIN occ o ON o.Unit = u.Unit WHERE u.Property = @Property;
');

-- Vacancy per unit class against a 5% allowance; the output is the number of days in the period.
INSERT INTO sys_procedures (name, params, body) VALUES ('sp_Rep_VacancyDeviation',
'@Property varchar(10), @StartDate date, @EndDate date, @ProMoDays int OUTPUT', '
SELECT CAST(julianday(date(@EndDate)) - julianday(date(@StartDate)) + 1 AS int) AS "@ProMoDays";
WITH occ AS (
  SELECT Unit, sum(max(0, julianday(min(date(@EndDate), coalesce(date(Move_Out, ''-1 day''), date(@EndDate))))
                        - julianday(max(date(@StartDate), Move_In)) + 1)) AS Days_Occupied
  FROM vwLeaseUnit WHERE Property = @Property AND Move_In IS NOT NULL GROUP BY Unit),
units AS (
  SELECT u.Unit_Class, u.Market_Rent, @ProMoDays - coalesce(o.Days_Occupied, 0) AS Vacant_Days
  FROM tblProp_Unit u LEFT JOIN occ o ON o.Unit = u.Unit WHERE u.Property = @Property)
SELECT Unit_Class, count(*) AS Units, count(*) * @ProMoDays AS Unit_Days, CAST(sum(Vacant_Days) AS int) AS Vacant_Days,
       round(100.0 * sum(Vacant_Days) / (count(*) * @ProMoDays), 2) AS Vacancy_Percent,
       round(5.0, 2) AS Allowed_Percent,
       round(100.0 * sum(Vacant_Days) / (count(*) * @ProMoDays) - 5.0, 2) AS Deviation,
       round(sum(Market_Rent * 12.0 / 365 * Vacant_Days), 2) AS Vacancy_Loss
FROM units
GROUP BY Unit_Class
ORDER BY Unit_Class;
');

-- Concessions over the twelve months from @AsOfMonth/@AsOfYear, one column per month.
INSERT INTO sys_procedures (name, params, body) VALUES ('sp_Rep_ConcessionMatrix',
'@Property varchar(10), @AsOfMonth varchar(2), @AsOfYear varchar(4)', '
WITH first(F) AS (SELECT printf(''%04d-%02d-01'', CAST(@AsOfYear AS int), CAST(@AsOfMonth AS int))),
m AS (SELECT c.*, first.F,
             (CAST(strftime(''%Y'', c.Start_Date) AS int) - CAST(strftime(''%Y'', first.F) AS int)) * 12
             + CAST(strftime(''%m'', c.Start_Date) AS int) - CAST(strftime(''%m'', first.F) AS int) + 1 AS S,
             (CAST(strftime(''%Y'', c.End_Date) AS int) - CAST(strftime(''%Y'', first.F) AS int)) * 12
             + CAST(strftime(''%m'', c.End_Date) AS int) - CAST(strftime(''%m'', first.F) AS int) + 1 AS E
      FROM tblConcession c, first WHERE c.Property = @Property)
SELECT m.Unit, u.SortOrder, r.Name, m.Description, m.Monthly_Amount, m.Start_Date, m.End_Date, m.F AS First_Month,
       round(CASE WHEN 1 BETWEEN S AND E THEN Monthly_Amount ELSE 0 END, 2) AS Month01,
       round(CASE WHEN 2 BETWEEN S AND E THEN Monthly_Amount ELSE 0 END, 2) AS Month02,
       round(CASE WHEN 3 BETWEEN S AND E THEN Monthly_Amount ELSE 0 END, 2) AS Month03,
       round(CASE WHEN 4 BETWEEN S AND E THEN Monthly_Amount ELSE 0 END, 2) AS Month04,
       round(CASE WHEN 5 BETWEEN S AND E THEN Monthly_Amount ELSE 0 END, 2) AS Month05,
       round(CASE WHEN 6 BETWEEN S AND E THEN Monthly_Amount ELSE 0 END, 2) AS Month06,
       round(CASE WHEN 7 BETWEEN S AND E THEN Monthly_Amount ELSE 0 END, 2) AS Month07,
       round(CASE WHEN 8 BETWEEN S AND E THEN Monthly_Amount ELSE 0 END, 2) AS Month08,
       round(CASE WHEN 9 BETWEEN S AND E THEN Monthly_Amount ELSE 0 END, 2) AS Month09,
       round(CASE WHEN 10 BETWEEN S AND E THEN Monthly_Amount ELSE 0 END, 2) AS Month10,
       round(CASE WHEN 11 BETWEEN S AND E THEN Monthly_Amount ELSE 0 END, 2) AS Month11,
       round(CASE WHEN 12 BETWEEN S AND E THEN Monthly_Amount ELSE 0 END, 2) AS Month12,
       round(Monthly_Amount * (min(E, 12) - max(S, 1) + 1), 2) AS Total
FROM m
JOIN tblResident r ON r.Resident = m.Resident
LEFT JOIN tblProp_Unit u ON u.Property = m.Property AND u.Unit = m.Unit
WHERE S <= 12 AND E >= 1
ORDER BY u.SortOrder, m.Start_Date;
');

-- Interfaces, utilities and payables ---------------------------------------------------------------

-- @Option: 0 all applicants and residents, 1 not yet sent, 2 sent without an answer, 3 applicants
-- without a unit, 4 the lease @Lease at revision @Revision.
INSERT INTO sys_procedures (name, params, body) VALUES ('sp_Rep_ClassicInterfaceStatus',
'@Property varchar(10), @Option smallint, @Lease varchar(15), @Revision smallint', '
SELECT l.Lease, l.Revision_Num, r.Name, pul.Unit, l.Lease_Status, l.App_Date, l.Intend_Move_In,
       ci.Sent_Date, ci.Response_Date, ci.Response_Code, ci.Response_Text,
       CASE WHEN ci.Sent_Date IS NULL THEN ''Not sent'' WHEN ci.Response_Date IS NULL THEN ''Awaiting response''
            ELSE ''Answered'' END AS Interface_Status
FROM tblLease l
JOIN tblResident r ON r.Resident = l.Primary_Resident
LEFT JOIN tblProp_Unit_Lease pul ON pul.Lease = l.Lease AND pul.Revision_Num = l.Revision_Num
LEFT JOIN tblClassicInterface ci ON ci.Lease = l.Lease AND ci.Revision_Num = l.Revision_Num
WHERE l.Property = @Property AND l.Lease_Status IN (''Applicant'', ''Current'', ''Notice'')
  AND CASE @Option
        WHEN 1 THEN ci.Sent_Date IS NULL
        WHEN 2 THEN ci.Sent_Date IS NOT NULL AND ci.Response_Date IS NULL
        WHEN 3 THEN l.Lease_Status = ''Applicant'' AND pul.Unit IS NULL
        WHEN 4 THEN l.Lease = @Lease AND l.Revision_Num = @Revision
        ELSE 1 END
ORDER BY l.Lease_Status, r.Name;
');

-- Utility bills posted between the dates for tenants and charge types in the given ranges
-- (either end of a range may be given first).
INSERT INTO sys_procedures (name, params, body) VALUES ('sp_Rep_UtilityStatement',
'@Property varchar(10), @PostedStart date, @PostedEnd date, @TenantStart varchar(30), @TenantEnd varchar(30), @ChgStart varchar(20), @ChgEnd varchar(20)', '
SELECT ub.Unit, u.SortOrder, ub.Resident, r.Name, ub.ChargeType, ct.Charge_Description, ub.Bill_Type, ub.Bill_Start,
       ub.Bill_End, ub.Prev_Reading, ub.Curr_Reading, ub.Usage, ub.Rate, ub.Amount, ub.Posted_Date
FROM tblUtilityBilling ub
JOIN tblResident r ON r.Resident = ub.Resident
JOIN tblProperty p ON p.Property = ub.Property
JOIN tblCharge_Type ct ON ct.Charge_Type_Table = p.Charge_Type_Table AND ct.Charge_Type = ub.ChargeType
JOIN tblProp_Unit u ON u.Property = ub.Property AND u.Unit = ub.Unit
WHERE ub.Property = @Property AND ub.Posted_Date BETWEEN date(@PostedStart) AND date(@PostedEnd)
  AND (coalesce(@TenantStart, '''') = '''' OR r.Name BETWEEN min(@TenantStart, coalesce(nullif(@TenantEnd, ''''), @TenantStart))
                                                        AND max(@TenantStart, coalesce(nullif(@TenantEnd, ''''), @TenantStart)))
  AND (coalesce(@ChgStart, '''') = '''' OR ub.ChargeType BETWEEN min(@ChgStart, coalesce(nullif(@ChgEnd, ''''), @ChgStart))
                                                          AND max(@ChgStart, coalesce(nullif(@ChgEnd, ''''), @ChgStart)))
ORDER BY u.SortOrder, ub.Posted_Date, ub.ChargeType;
');

INSERT INTO sys_procedures (name, params, body) VALUES ('sp_Rep_ExpInvoice',
'@HeaderID float, @Property varchar(10)', '
SELECT i.HeaderID, i.Invoice_Num, i.Invoice_Date, i.Due_Date, i.Description, i.Status, i.Paid_Date, i.Check_Num,
       i.Vendor, v.Name AS Vendor_Name, v.Address1 AS Vendor_Address, v.City AS Vendor_City, v.State AS Vendor_State,
       v.Zip AS Vendor_Zip, po.PO_Num, d.Line, d.GL_Account, g.Title AS GL_Title, d.Description AS Line_Description, d.Amount
FROM tblExpInvoice i
JOIN tblVendor v ON v.Vendor = i.Vendor
JOIN tblExpInvoiceDetail d ON d.HeaderID = i.HeaderID
LEFT JOIN tblGLAccount g ON g.GL_Account = d.GL_Account
LEFT JOIN tblPurchaseOrder po ON po.HeaderID = i.PO_HeaderID
WHERE i.HeaderID = @HeaderID AND i.Property = @Property
ORDER BY d.Line;
');

INSERT INTO sys_procedures (name, params, body) VALUES ('sp_Rep_ExpInvoiceRegister', '@Property varchar(10)', '
SELECT i.HeaderID, i.Invoice_Num, i.Invoice_Date, i.Due_Date, i.Vendor, v.Name AS Vendor_Name, i.Description,
       i.Status, i.Paid_Date, i.Check_Num, round(sum(d.Amount), 2) AS Amount
FROM tblExpInvoice i
JOIN tblVendor v ON v.Vendor = i.Vendor
JOIN tblExpInvoiceDetail d ON d.HeaderID = i.HeaderID
WHERE i.Property = @Property
GROUP BY i.HeaderID
ORDER BY i.Invoice_Date, i.HeaderID;
');

INSERT INTO sys_procedures (name, params, body) VALUES ('sp_Rep_ExpPurchaseOrder',
'@HeaderID float, @Property varchar(10)', '
SELECT po.HeaderID, po.PO_Num, po.PO_Date, po.Required_Date, po.Requested_By, po.Status, po.Ship_To,
       po.Vendor, v.Name AS Vendor_Name, v.Address1 AS Vendor_Address, v.City AS Vendor_City, v.State AS Vendor_State,
       v.Zip AS Vendor_Zip, v.Phone AS Vendor_Phone, d.Line, d.Item, d.Description, d.Quantity, d.Unit_Price,
       round(d.Quantity * d.Unit_Price, 2) AS Extended, d.GL_Account
FROM tblPurchaseOrder po
JOIN tblVendor v ON v.Vendor = po.Vendor
JOIN tblPurchaseOrderDetail d ON d.HeaderID = po.HeaderID
WHERE po.HeaderID = @HeaderID AND po.Property = @Property
ORDER BY d.Line;
');
