-- Money procedures of the demo on MariaDB: the port of the ledger, receipt, delinquency,
-- statement, payables and journal procedures of demo/sql/040-procedures-reports.sql and
-- demo/sql/045-procedures-journals.sql, with the lookups their criteria dialogs call
-- (sp_ChargeTypes, sp_TransDetailOptions_Parameters). These reports' demo answer files give the
-- same rows on both databases: Aged Delinquency, Bank Deposits Batch, Comprehensive Delinquency,
-- Concession Matrix, Current Balance, Monthly Summary, Posted Cash GL Effect, Transaction
-- Ledger, Transaction Ledger Balance, Transaction List and Utility Statement. Rent Statement
-- and Accounting Transactions also need the resident, unit and property lookups, which are not
-- in this file.
--
-- The conventions of 030-procedures-reports.sql hold: dates arrive as dates, no body reads the
-- clock, every column is written with its table's alias (a parameter hides a column of the same
-- name). SQLite's two-argument min/max become LEAST/GREATEST, julianday differences DATEDIFF,
-- 'start of month' and '+1 month', '-1 day' DATE_SUB and LAST_DAY. Outputs the embedded bodies
-- return as a row of "@Name" columns are OUT parameters here, set before the rows. A text output
-- holds at most the size the caller declares for it, as the embedded database hands it over.
-- Money stays DECIMAL, so sums and running balances are exact; ROUND(x, 2) gives the same
-- figures as the embedded bodies' rounded doubles. "lines" is a reserved word on MariaDB, so
-- those common table expressions are called ledger_lines or gl_lines here.

SET sql_mode = 'STRICT_TRANS_TABLES,NO_ENGINE_SUBSTITUTION';

-- The Transaction Ledger Balance criteria dialog reads "tbllease": SQLite matches table names
-- in any case, MariaDB on Linux only as written.
CREATE VIEW tbllease AS SELECT * FROM tblLease;

DELIMITER //

-- Lookups -----------------------------------------------------------------------------------------

CREATE PROCEDURE sp_ChargeTypes(IN Property VARCHAR(10))
SELECT ct.Charge_Type, ct.Charge_Description, ct.Charge_Class, ct.GL_Account
FROM tblCharge_Type ct
JOIN tblProperty p ON p.Charge_Type_Table = ct.Charge_Type_Table
WHERE p.Property = Property
ORDER BY ct.Charge_Type//

-- Accounts, batches and runs that the accounting transaction report can be narrowed to.
CREATE PROCEDURE sp_TransDetailOptions_Parameters(IN Property VARCHAR(10))
SELECT a.GL_Account AS Value, g.Title, 'Account' AS Type
FROM (SELECT DISTINCT ct.GL_Account FROM tblCharge_Type ct
      JOIN tblProperty p ON p.Charge_Type_Table = ct.Charge_Type_Table WHERE p.Property = Property
      UNION
      SELECT COALESCE((SELECT s.SettingValue FROM tblSetup s
                       WHERE s.Property = Property AND s.Setting = 'DefaultDepositCode'),
                      (SELECT s.SettingValue FROM tblSetup s
                       WHERE s.Property = '' AND s.Setting = 'DefaultDepositCode'))) a
LEFT JOIN tblGLAccount g ON g.GL_Account = a.GL_Account
UNION ALL
SELECT b.Batch, b.Description, 'Batch' FROM tblBatch b WHERE b.Property = Property
UNION ALL
SELECT CAST(cr.RunID AS CHAR), cr.Description, 'Run' FROM tblChargeRun cr
WHERE cr.Property = Property
ORDER BY 3, 1//

CREATE PROCEDURE sp_Rep_ChargeTypeList(IN Property VARCHAR(10))
SELECT ct.Charge_Type, ct.Charge_Description, ct.Charge_Class, ct.GL_Account, g.Title AS GL_Title,
       ct.Recurring, ct.Default_Amount
FROM tblCharge_Type ct
JOIN tblProperty p ON p.Charge_Type_Table = ct.Charge_Type_Table
LEFT JOIN tblGLAccount g ON g.GL_Account = ct.GL_Account
WHERE p.Property = Property
ORDER BY ct.Charge_Class, ct.Charge_Type//

-- Delinquency and balances ------------------------------------------------------------------------

-- Open items of every resident as of the date, aged by transaction date (AgeBy 0, also when it
-- is not given) or accounting date. The most recent debits are the ones still open. Items of one
-- day come in ledger order (kind, then id), the order the embedded database keeps for them.
CREATE PROCEDURE sp_Rep_rptDelinquency(IN Property VARCHAR(10), IN DelinqOper VARCHAR(2),
                                       IN AgeBy INT, IN AsOfDate DATE)
WITH led AS (
  SELECT l.Resident, l.Kind, l.TransID, l.Code, l.Description, l.Amount, l.Trans_Date,
         CASE WHEN COALESCE(AgeBy, 0) = 0 THEN l.Trans_Date ELSE l.Acctg_Date END AS Age_Date
  FROM vwLedger l WHERE l.Property = Property AND l.Trans_Date <= AsOfDate),
bal AS (
  SELECT led.Resident, ROUND(SUM(led.Amount), 2) AS Balance FROM led GROUP BY led.Resident
  HAVING ABS(SUM(led.Amount)) >= 0.005),
debits AS (
  SELECT led.*, SUM(led.Amount) OVER (PARTITION BY led.Resident
                                      ORDER BY led.Trans_Date DESC, led.Kind, led.TransID
                                      ROWS UNBOUNDED PRECEDING) AS Cum
  FROM led WHERE led.Amount > 0),
items AS (
  SELECT d.Resident, d.Kind, d.TransID, d.Trans_Date, d.Age_Date, d.Code, d.Description,
         LEAST(d.Amount, b.Balance - (d.Cum - d.Amount)) AS Open_Amount
  FROM debits d JOIN bal b ON b.Resident = d.Resident
  WHERE b.Balance > 0 AND d.Cum - d.Amount < b.Balance - 0.005
  UNION ALL
  SELECT b.Resident, NULL, NULL, AsOfDate, AsOfDate, 'CREDIT', 'Prepaid / credit balance',
         b.Balance
  FROM bal b WHERE b.Balance < 0),
aged AS (
  SELECT i.*, DATEDIFF(AsOfDate, i.Age_Date) AS Days_Old FROM items i)
SELECT r.Resident, r.Name, r.Unit, r.SortOrder, r.Status, r.Phone, b.Balance, a.Trans_Date, a.Code,
       a.Description, ROUND(a.Open_Amount, 2) AS Open_Amount, a.Days_Old,
       ROUND(CASE WHEN a.Open_Amount > 0 AND a.Days_Old <= 30 THEN a.Open_Amount ELSE 0 END, 2)
           AS Current_Due,
       ROUND(CASE WHEN a.Open_Amount > 0 AND a.Days_Old BETWEEN 31 AND 60 THEN a.Open_Amount
                  ELSE 0 END, 2) AS Days31_60,
       ROUND(CASE WHEN a.Open_Amount > 0 AND a.Days_Old BETWEEN 61 AND 90 THEN a.Open_Amount
                  ELSE 0 END, 2) AS Days61_90,
       ROUND(CASE WHEN a.Open_Amount > 0 AND a.Days_Old > 90 THEN a.Open_Amount ELSE 0 END, 2)
           AS Over90,
       ROUND(CASE WHEN a.Open_Amount < 0 THEN a.Open_Amount ELSE 0 END, 2) AS Prepaid
FROM aged a
JOIN bal b ON b.Resident = a.Resident
JOIN vwResidentLease r ON r.Resident = a.Resident
WHERE CASE COALESCE(DelinqOper, '') WHEN '>' THEN b.Balance > 0 WHEN '<>' THEN 1
           ELSE b.Balance < 0 END
ORDER BY r.SortOrder, r.Name, a.Trans_Date, a.Kind, a.TransID//

-- Balance of every resident as of the date with the month's activity as detail; applicants are
-- added (with their deposits held) when Applicants is not 0.
CREATE PROCEDURE sp_Rep_rptCurrentBallance(IN Property VARCHAR(10), IN AsOfDate DATE,
                                           IN Applicants INT)
BEGIN
    DECLARE monthStart DATE DEFAULT DATE_SUB(AsOfDate, INTERVAL DAYOFMONTH(AsOfDate) - 1 DAY);
    WITH bal AS (
      SELECT rs.Resident,
             ROUND(COALESCE((SELECT SUM(l.Amount) FROM vwLedger l WHERE l.Resident = rs.Resident
                             AND l.Trans_Date < monthStart), 0), 2) AS Beginning_Balance,
             ROUND(COALESCE((SELECT SUM(l.Amount) FROM vwLedger l WHERE l.Resident = rs.Resident
                             AND l.Trans_Date <= AsOfDate), 0), 2) AS Balance,
             ROUND(COALESCE((SELECT SUM(d.Amount) FROM tblDeposit d
                             WHERE d.Resident = rs.Resident AND d.Date_Received <= AsOfDate
                               AND (d.Date_Refunded IS NULL OR d.Date_Refunded > AsOfDate)), 0),
                   2) AS Deposit_Held
      FROM tblResident rs WHERE rs.Property = Property)
    SELECT r.Resident, r.Name, r.Unit, r.SortOrder, r.Status, b.Beginning_Balance, b.Balance,
           b.Deposit_Held, l.Trans_Date, l.Code, l.Description,
           ROUND(CASE WHEN l.Amount > 0 THEN l.Amount ELSE 0 END, 2) AS Charges,
           ROUND(CASE WHEN l.Amount < 0 THEN -l.Amount ELSE 0 END, 2) AS Credits
    FROM bal b
    JOIN vwResidentLease r ON r.Resident = b.Resident
    LEFT JOIN vwLedger l ON l.Resident = b.Resident
                        AND l.Trans_Date BETWEEN monthStart AND AsOfDate
    WHERE ABS(b.Balance) >= 0.005 OR (Applicants <> 0 AND r.Status = 'Applicant')
    ORDER BY r.SortOrder, r.Name, l.Trans_Date, l.Kind, l.TransID;
END//

-- One row per resident owing more than greater_than and less than less_than; Resident_Type is C
-- (current) or F (former). Total is the sum of those balances.
CREATE PROCEDURE sp_Rep_CompDelinquency(IN Property VARCHAR(10), IN start_period_in DATE,
                                        IN greater_than DOUBLE, IN less_than DOUBLE,
                                        OUT Total DOUBLE)
BEGIN
    SET Total = (SELECT ROUND(COALESCE(SUM(x.Balance), 0), 2)
                 FROM (SELECT SUM(l.Amount) AS Balance FROM vwLedger l
                       WHERE l.Property = Property AND l.Trans_Date <= start_period_in
                       GROUP BY l.Resident
                       HAVING SUM(l.Amount) > greater_than AND SUM(l.Amount) < less_than) x);
    WITH led AS (
      SELECT l.Resident, l.Kind, l.TransID, l.Code, l.Amount, l.Trans_Date
      FROM vwLedger l WHERE l.Property = Property AND l.Trans_Date <= start_period_in),
    bal AS (
      SELECT led.Resident, ROUND(SUM(led.Amount), 2) AS Balance FROM led GROUP BY led.Resident
      HAVING SUM(led.Amount) > greater_than AND SUM(led.Amount) < less_than),
    debits AS (
      SELECT led.*, SUM(led.Amount) OVER (PARTITION BY led.Resident
                                          ORDER BY led.Trans_Date DESC, led.Kind, led.TransID
                                          ROWS UNBOUNDED PRECEDING) AS Cum
      FROM led WHERE led.Amount > 0),
    items AS (
      SELECT d.Resident, d.Code, LEAST(d.Amount, b.Balance - (d.Cum - d.Amount)) AS Open_Amount,
             DATEDIFF(start_period_in, d.Trans_Date) AS Days_Old
      FROM debits d JOIN bal b ON b.Resident = d.Resident
      WHERE d.Cum - d.Amount < b.Balance - 0.005)
    SELECT r.Resident, r.Name, r.Unit, r.SortOrder,
           CASE WHEN r.Status = 'Terminated' THEN 'F' ELSE 'C' END AS Resident_Type, r.Phone,
           b.Balance,
           ROUND(SUM(CASE WHEN i.Days_Old <= 30 THEN i.Open_Amount ELSE 0 END), 2) AS Current_Due,
           ROUND(SUM(CASE WHEN i.Days_Old BETWEEN 31 AND 60 THEN i.Open_Amount ELSE 0 END), 2)
               AS Days31_60,
           ROUND(SUM(CASE WHEN i.Days_Old BETWEEN 61 AND 90 THEN i.Open_Amount ELSE 0 END), 2)
               AS Days61_90,
           ROUND(SUM(CASE WHEN i.Days_Old > 90 THEN i.Open_Amount ELSE 0 END), 2) AS Over90,
           ROUND(SUM(CASE WHEN i.Code = 'LATE' THEN i.Open_Amount ELSE 0 END), 2) AS Late_Fees,
           ROUND(COALESCE((SELECT SUM(d.Amount) FROM tblDeposit d
                           WHERE d.Resident = b.Resident AND d.Date_Received <= start_period_in
                             AND (d.Date_Refunded IS NULL OR d.Date_Refunded > start_period_in)),
                          0), 2) AS Deposit_Held
    FROM bal b
    JOIN vwResidentLease r ON r.Resident = b.Resident
    JOIN items i ON i.Resident = b.Resident
    GROUP BY b.Resident
    ORDER BY r.SortOrder, r.Name;
END//

-- Ledgers and statements --------------------------------------------------------------------------

-- Balances over a period for the primary residents of the property, by unit sort order or name.
CREATE PROCEDURE sp_Rep_TransactionLedger(IN Property VARCHAR(10), IN ResTo VARCHAR(30),
                                          IN ResFrom VARCHAR(30), IN UnitStart INT,
                                          IN UnitEnd INT, IN Sort VARCHAR(10),
                                          IN Status VARCHAR(20), IN StartDate DATE,
                                          IN EndDate DATE)
WITH res AS (
  SELECT r.* FROM vwResidentLease r
  WHERE r.Property = Property AND r.Relationship = 'Primary'
    AND (COALESCE(Status, 'Both') IN ('Both', '') OR r.Account_Status = Status)
    AND CASE WHEN Sort = 'Unit'
             THEN r.SortOrder >= UnitStart AND (UnitEnd = 0 OR r.SortOrder <= UnitEnd)
             ELSE r.Name >= COALESCE(ResFrom, '') AND (COALESCE(ResTo, '') = '' OR r.Name <= ResTo)
        END),
ledger_lines AS (
  SELECT l.Resident, l.Trans_Date, l.Kind, l.TransID, l.Code, l.Description, l.Amount
  FROM vwLedger l JOIN res ON res.Resident = l.Resident
  WHERE l.Trans_Date BETWEEN StartDate AND EndDate),
opening AS (
  SELECT res.Resident,
         ROUND(COALESCE((SELECT SUM(l.Amount) FROM vwLedger l WHERE l.Resident = res.Resident
                         AND l.Trans_Date < StartDate), 0), 2) AS Beginning_Balance
  FROM res)
SELECT res.Resident, res.Name, res.Unit, res.SortOrder, res.Account_Status, o.Beginning_Balance,
       ln.Trans_Date, ln.Code, ln.Description,
       ROUND(CASE WHEN ln.Amount > 0 THEN ln.Amount ELSE 0 END, 2) AS Charges,
       ROUND(CASE WHEN ln.Amount < 0 THEN -ln.Amount ELSE 0 END, 2) AS Credits,
       ROUND(o.Beginning_Balance + COALESCE(SUM(ln.Amount) OVER (PARTITION BY res.Resident
             ORDER BY ln.Trans_Date, ln.Kind, ln.TransID ROWS UNBOUNDED PRECEDING), 0), 2)
           AS Balance
FROM res
JOIN opening o ON o.Resident = res.Resident
LEFT JOIN ledger_lines ln ON ln.Resident = res.Resident
WHERE ln.Resident IS NOT NULL OR ABS(o.Beginning_Balance) >= 0.005
ORDER BY CASE WHEN Sort = 'Unit' THEN res.SortOrder END, res.Name, res.Resident, ln.Trans_Date,
         ln.Kind, ln.TransID//

CREATE PROCEDURE sp_Rep_rptTransList(IN Property VARCHAR(10), IN PropName VARCHAR(55),
                                     IN RepStart DATE, IN RepEnd DATE)
SELECT PropName AS PropName, l.Trans_Date,
       CASE l.Kind WHEN 'C' THEN 'Charge' WHEN 'P' THEN 'Payment' ELSE 'Returned' END AS Tran_Kind,
       l.Code AS Tran_Type, l.Description, r.Resident, r.Name, r.Unit, r.SortOrder,
       ROUND(l.Amount, 2) AS Amount, l.Batch
FROM vwLedger l
JOIN vwResidentLease r ON r.Resident = l.Resident
WHERE l.Property = Property AND l.Trans_Date BETWEEN RepStart AND RepEnd
ORDER BY l.Trans_Date, r.SortOrder, l.Kind, l.TransID//

-- One statement per resident (all current residents when Resident is empty): the balance at the
-- last statement, the lines since, and the rent due on the as-of date when it is not yet charged.
CREATE PROCEDURE sp_Rep_RentStatement(IN Property VARCHAR(10), IN Resident VARCHAR(10),
                                      IN StatementDate DATE, IN AsOf DATE,
                                      IN LastStatementDate DATE, OUT PropAddrLn1 VARCHAR(30),
                                      OUT PropAddrLn2 VARCHAR(30), OUT PropAddrLn3 VARCHAR(29))
BEGIN
    DECLARE lastDate DATE DEFAULT COALESCE(LastStatementDate, DATE '1900-01-01');
    DECLARE asOfMonth DATE DEFAULT DATE_SUB(AsOf, INTERVAL DAYOFMONTH(AsOf) - 1 DAY);
    SET PropAddrLn1 = (SELECT LEFT(p.Addressee, 30) FROM tblProperty p
                       WHERE p.Property = Property);
    SET PropAddrLn2 = (SELECT LEFT(CONCAT(p.Address1, COALESCE(CONCAT(', ', p.Address2), '')), 30)
                       FROM tblProperty p WHERE p.Property = Property);
    SET PropAddrLn3 = (SELECT LEFT(CONCAT(p.City, ', ', p.State, ' ', p.Zip), 29)
                       FROM tblProperty p WHERE p.Property = Property);
    WITH res AS (
      SELECT r.* FROM vwResidentLease r
      WHERE r.Property = Property AND r.Relationship = 'Primary'
        AND CASE WHEN COALESCE(Resident, '') = ''
                 THEN r.Status = 'Current' AND r.Account_Status = 'Active'
                 ELSE r.Resident = Resident END),
    prev AS (
      SELECT res.Resident,
             ROUND(COALESCE((SELECT SUM(l.Amount) FROM vwLedger l WHERE l.Resident = res.Resident
                             AND l.Trans_Date <= lastDate), 0), 2) AS Previous_Balance
      FROM res),
    ledger_lines AS (
      SELECT l.* FROM vwLedger l JOIN res ON res.Resident = l.Resident
      WHERE l.Trans_Date > lastDate AND l.Trans_Date <= StatementDate),
    due AS (
      SELECT res.Resident,
             ROUND(CASE WHEN AsOf > StatementDate AND res.Status = 'Current' AND NOT EXISTS (
                     SELECT 1 FROM tblCharge c WHERE c.Resident = res.Resident
                     AND c.Charge_Type = 'RENT' AND c.Charge_Date BETWEEN asOfMonth AND LAST_DAY(AsOf))
                   THEN res.Rent ELSE 0 END, 2) AS Upcoming_Rent
      FROM res)
    SELECT res.Resident, res.Name, res.Unit, res.SortOrder, p.Previous_Balance, ln.Trans_Date,
           ln.Code, ln.Description,
           ROUND(CASE WHEN ln.Amount > 0 THEN ln.Amount ELSE 0 END, 2) AS Charges,
           ROUND(CASE WHEN ln.Amount < 0 THEN -ln.Amount ELSE 0 END, 2) AS Payments,
           ROUND(p.Previous_Balance + COALESCE(SUM(ln.Amount) OVER (PARTITION BY res.Resident
                 ORDER BY ln.Trans_Date, ln.Kind, ln.TransID ROWS UNBOUNDED PRECEDING), 0), 2)
               AS Balance,
           ROUND(p.Previous_Balance + COALESCE((SELECT SUM(x.Amount) FROM ledger_lines x
                                                WHERE x.Resident = res.Resident), 0), 2)
               AS Statement_Balance,
           d.Upcoming_Rent,
           ROUND(p.Previous_Balance + COALESCE((SELECT SUM(x.Amount) FROM ledger_lines x
                                                WHERE x.Resident = res.Resident), 0)
                 + d.Upcoming_Rent, 2) AS Amount_Due,
           AsOf AS Due_Date
    FROM res
    JOIN prev p ON p.Resident = res.Resident
    JOIN due d ON d.Resident = res.Resident
    LEFT JOIN ledger_lines ln ON ln.Resident = res.Resident
    ORDER BY res.SortOrder, res.Name, ln.Trans_Date, ln.Kind, ln.TransID;
END//

-- Receipts, deposits and journals -----------------------------------------------------------------

-- Payments of one batch; the output says whether the batch has any.
CREATE PROCEDURE sp_Rep_CashReceiptDetail(IN Property VARCHAR(10), IN Batch VARCHAR(10),
                                          OUT CashReceiptsSmryHasDetail VARCHAR(3))
BEGIN
    SET CashReceiptsSmryHasDetail =
        CASE WHEN EXISTS (SELECT 1 FROM tblPayment p
                          WHERE p.Misc_Property = Property AND p.Batch = Batch)
             THEN 'Yes' ELSE 'No' END;
    SELECT p.Batch, p.PaymentID, p.Resident, r.Name, p.Unit, p.Payment_Type, p.Check_Num, p.Amount,
           p.Payment_Date, p.Date_Stamp, p.Operator_Stamp, p.Memo
    FROM tblPayment p
    JOIN tblResident r ON r.Resident = p.Resident
    WHERE p.Misc_Property = Property AND p.Batch = Batch
    ORDER BY p.Payment_Type, p.PaymentID;
END//

-- One receipt, with the balance left after it.
CREATE PROCEDURE sp_Rep_CashReceipt(IN Property VARCHAR(10), IN CRID INT)
SELECT p.PaymentID AS CRID, p.Batch, p.Payment_Date, p.Date_Stamp, p.Payment_Type, p.Check_Num,
       p.Amount, p.Memo, p.Resident, r.Name, p.Unit, pr.Name AS Property_Name, pr.Address1, pr.City,
       pr.State, pr.Zip,
       ROUND(COALESCE((SELECT SUM(l.Amount) FROM vwLedger l WHERE l.Resident = p.Resident
                       AND (l.Trans_Date < p.Payment_Date
                            OR (l.Trans_Date = p.Payment_Date
                                AND (l.Kind = 'C' OR (l.Kind = 'P' AND l.TransID <= p.PaymentID))))),
                      0), 2) AS Balance_After
FROM tblPayment p
JOIN tblResident r ON r.Resident = p.Resident
JOIN tblProperty pr ON pr.Property = p.Misc_Property
WHERE p.Misc_Property = Property AND p.PaymentID = CRID//

-- Receipt batches deposited between the dates, totalled by kind of payment.
CREATE PROCEDURE sp_Rep_BankDepBatch(IN Property VARCHAR(10), IN StartDate DATE, IN EndDate DATE)
SELECT b.Batch, b.Batch_Date, b.Deposit_Date, b.Deposit_Type, b.Deposit_Code, b.Operator,
       b.Description, COUNT(p.PaymentID) AS Items,
       ROUND(SUM(CASE WHEN p.Payment_Type = 'Check' THEN p.Amount ELSE 0 END), 2) AS Checks,
       ROUND(SUM(CASE WHEN p.Payment_Type = 'Money Order' THEN p.Amount ELSE 0 END), 2)
           AS Money_Orders,
       ROUND(SUM(CASE WHEN p.Payment_Type = 'ACH' THEN p.Amount ELSE 0 END), 2) AS ACH,
       ROUND(SUM(CASE WHEN p.Payment_Type IN ('Cash', 'Credit Card') THEN p.Amount ELSE 0 END), 2)
           AS Cash_And_Cards,
       ROUND(SUM(p.Amount), 2) AS Deposit_Total
FROM tblBatch b
JOIN tblPayment p ON p.Batch = b.Batch
WHERE b.Property = Property AND b.Batch_Type = 'Cash Receipts'
  AND b.Deposit_Date BETWEEN StartDate AND EndDate
GROUP BY b.Batch
ORDER BY b.Deposit_Date, b.Batch//

-- Each posted receipt with its two general ledger lines: cash debited, receivables credited. The
-- cash account is the property's default deposit code.
CREATE PROCEDURE sp_Rep_PostedCashGLEffect(IN Property VARCHAR(10), IN StartDate DATE,
                                           IN EndDate DATE)
WITH cash AS (
  SELECT COALESCE((SELECT s.SettingValue FROM tblSetup s
                   WHERE s.Property = Property AND s.Setting = 'DefaultDepositCode'),
                  (SELECT s.SettingValue FROM tblSetup s
                   WHERE s.Property = '' AND s.Setting = 'DefaultDepositCode')) AS GL_Account),
gl_lines AS (
  SELECT 'Cash' AS Line_Type, 1 AS Line, cash.GL_Account FROM cash
  UNION ALL SELECT 'Receivable', 2, '1200')
SELECT p.Batch, p.Date_Stamp, p.PaymentID, p.Resident, r.Name, p.Unit, p.Payment_Type, p.Check_Num,
       p.Amount, l.Line_Type, l.GL_Account, g.Title AS GL_Title,
       ROUND(CASE WHEN l.Line = 1 THEN p.Amount ELSE 0 END, 2) AS Debit,
       ROUND(CASE WHEN l.Line = 2 THEN p.Amount ELSE 0 END, 2) AS Credit
FROM tblPayment p
JOIN tblResident r ON r.Resident = p.Resident
CROSS JOIN gl_lines l
LEFT JOIN tblGLAccount g ON g.GL_Account = l.GL_Account
WHERE p.Misc_Property = Property AND p.Date_Stamp BETWEEN StartDate AND EndDate
ORDER BY p.Date_Stamp, p.Batch, p.PaymentID, l.Line//

-- Charges and payments of one batch.
CREATE PROCEDURE sp_Rep_TranJournal(IN Property VARCHAR(10), IN Batch VARCHAR(10))
SELECT b.Batch, b.Batch_Type, b.Batch_Date, b.Operator, l.Trans_Date,
       CASE l.Kind WHEN 'C' THEN 'Charge' WHEN 'P' THEN 'Payment' ELSE 'Returned' END AS Tran_Kind,
       l.TransID, l.Resident, r.Name, l.Unit, l.Code, l.Description, ROUND(l.Amount, 2) AS Amount,
       COALESCE(ct.GL_Account, (SELECT b2.Deposit_Code FROM tblBatch b2 WHERE b2.Batch = l.Batch))
           AS GL_Account
FROM vwLedger l
JOIN tblBatch b ON b.Batch = l.Batch
JOIN tblResident r ON r.Resident = l.Resident
JOIN tblProperty p ON p.Property = l.Property
LEFT JOIN tblCharge_Type ct ON l.Kind = 'C' AND ct.Charge_Type_Table = p.Charge_Type_Table
                           AND ct.Charge_Type = l.Code
WHERE l.Property = Property AND l.Batch = Batch AND l.Kind <> 'N'
ORDER BY l.Kind, l.Unit, l.TransID//

-- Payments named in a comma-separated list of ids (blanks allowed).
CREATE PROCEDURE sp_Rep_EditPaymentTranJournal(IN Property VARCHAR(10), IN PaymentIDs VARCHAR(6000))
SELECT p.PaymentID, p.Batch, p.Payment_Date, p.Date_Stamp, p.Operator_Stamp, p.Resident, r.Name,
       p.Unit, p.Payment_Type, p.Check_Num, p.Amount, p.NSF, p.NSF_Date, p.Memo
FROM tblPayment p
JOIN tblResident r ON r.Resident = p.Resident
WHERE p.Misc_Property = Property
  AND INSTR(CONCAT(',', REPLACE(COALESCE(PaymentIDs, ''), ' ', ''), ','),
            CONCAT(',', p.PaymentID, ',')) > 0
ORDER BY p.PaymentID//

-- Accounting transactions narrowed by the options window. Lists arrive as 'a','b' (quoted) or
-- 1,2 (runs); an empty list means all. AcctgMethod 2 or Cash shows cash movements only.
-- DateType: 1 accounting date, 2 transaction (entry) date, else the charge or payment date.
-- StartDt and EndDt are m/d/yyyy (a two-digit year below 30 is 20yy) or ISO text, empty for all
-- dates; they are compared as ISO text, as the embedded database compares its dates. UnitStart
-- and UnitEnd are unit sort orders, -1 for no limit; UnitStatus Active or Closed picks accounts.
CREATE PROCEDURE sp_Rep_TransDetailOptions(IN Property VARCHAR(10), IN AcctgMethod VARCHAR(10),
                                           IN DateType VARCHAR(20), IN StartDt VARCHAR(10),
                                           IN EndDt VARCHAR(10), IN UnitStart INT,
                                           IN UnitEnd INT, IN UnitStatus VARCHAR(10),
                                           IN Residents VARCHAR(8000), IN Accounts VARCHAR(8000),
                                           IN ChargeTypes VARCHAR(8000), IN Batches VARCHAR(8000),
                                           IN Runs VARCHAR(8000))
WITH raw(k, t) AS (
  SELECT 1, TRIM(COALESCE(StartDt, '')) UNION ALL SELECT 2, TRIM(COALESCE(EndDt, ''))),
parts AS (
  SELECT raw.k, raw.t, INSTR(raw.t, '/') AS s1,
         INSTR(SUBSTRING(raw.t, INSTR(raw.t, '/') + 1), '/') + INSTR(raw.t, '/') AS s2
  FROM raw),
numbers AS (
  SELECT parts.k, parts.t, parts.s1,
         CASE WHEN parts.s1 > 0 THEN CAST(SUBSTRING(parts.t, parts.s2 + 1) AS SIGNED) END AS y,
         CASE WHEN parts.s1 > 0 THEN CAST(SUBSTRING(parts.t, 1, parts.s1 - 1) AS SIGNED) END AS m,
         CASE WHEN parts.s1 > 0
              THEN CAST(SUBSTRING(parts.t, parts.s1 + 1, parts.s2 - parts.s1 - 1) AS SIGNED) END
             AS d
  FROM parts),
iso AS (
  SELECT n.k,
         CASE WHEN n.t = '' THEN NULL
              WHEN n.s1 = 0 THEN DATE_FORMAT(STR_TO_DATE(n.t, '%Y-%m-%d'), '%Y-%m-%d')
              ELSE CONCAT(LPAD(CASE WHEN n.y < 30 THEN 2000 + n.y WHEN n.y < 100 THEN 1900 + n.y
                                    ELSE n.y END, 4, '0'),
                          '-', LPAD(n.m, 2, '0'), '-', LPAD(n.d, 2, '0')) END AS d
  FROM numbers n),
cash AS (
  SELECT COALESCE((SELECT s.SettingValue FROM tblSetup s
                   WHERE s.Property = Property AND s.Setting = 'DefaultDepositCode'),
                  (SELECT s.SettingValue FROM tblSetup s
                   WHERE s.Property = '' AND s.Setting = 'DefaultDepositCode')) AS GL_Account),
tx AS (
  SELECT 'Charge' AS Tran_Kind, c.ChargeID AS TransID, c.Resident, c.Unit, c.Charge_Type AS Code,
         c.Description, c.Acctg_Date, c.Trans_Date, c.Charge_Date AS Item_Date, c.Batch, c.RunID,
         ct.GL_Account, c.Amount
  FROM tblCharge c
  JOIN tblProperty p ON p.Property = c.Property
  JOIN tblCharge_Type ct ON ct.Charge_Type_Table = p.Charge_Type_Table
                        AND ct.Charge_Type = c.Charge_Type
  WHERE c.Property = Property AND COALESCE(AcctgMethod, '') NOT IN ('2', 'Cash')
  UNION ALL
  SELECT 'Payment', p.PaymentID, p.Resident, p.Unit, p.Payment_Type,
         CONCAT('Payment', COALESCE(CONCAT(' #', p.Check_Num), '')), p.Acctg_Date, p.Date_Stamp,
         p.Payment_Date, p.Batch, NULL, cash.GL_Account, -p.Amount
  FROM tblPayment p, cash
  WHERE p.Misc_Property = Property),
rng AS (SELECT (SELECT iso.d FROM iso WHERE iso.k = 1) AS d1,
               COALESCE((SELECT iso.d FROM iso WHERE iso.k = 2), '9999-12-31') AS d2)
SELECT tx.Tran_Kind, tx.TransID, tx.Acctg_Date, tx.Trans_Date, tx.Item_Date, tx.Batch, tx.RunID,
       tx.Resident, r.Name, tx.Unit, r.SortOrder, r.Account_Status, tx.Code, tx.Description,
       tx.GL_Account, g.Title AS GL_Title,
       ROUND(CASE WHEN tx.Amount > 0 THEN tx.Amount ELSE 0 END, 2) AS Debit,
       ROUND(CASE WHEN tx.Amount < 0 THEN -tx.Amount ELSE 0 END, 2) AS Credit
FROM tx
CROSS JOIN rng
JOIN vwResidentLease r ON r.Resident = tx.Resident
LEFT JOIN tblGLAccount g ON g.GL_Account = tx.GL_Account
WHERE (rng.d1 IS NULL
       OR DATE_FORMAT(CASE CAST(COALESCE(DateType, '0') AS SIGNED) WHEN 1 THEN tx.Acctg_Date
                          WHEN 2 THEN tx.Trans_Date ELSE tx.Item_Date END, '%Y-%m-%d')
          BETWEEN rng.d1 AND rng.d2)
  AND (UnitStart < 0 OR r.SortOrder >= UnitStart) AND (UnitEnd < 0 OR r.SortOrder <= UnitEnd)
  AND (COALESCE(UnitStatus, '') = '' OR r.Account_Status = UnitStatus)
  AND (COALESCE(Residents, '') = ''
       OR INSTR(CONCAT(',', Residents, ','), CONCAT(',''', tx.Resident, ''',')) > 0)
  AND (COALESCE(Accounts, '') = ''
       OR INSTR(CONCAT(',', Accounts, ','), CONCAT(',''', tx.GL_Account, ''',')) > 0)
  AND (COALESCE(ChargeTypes, '') = ''
       OR INSTR(CONCAT(',', ChargeTypes, ','), CONCAT(',''', tx.Code, ''',')) > 0)
  AND (COALESCE(Batches, '') = ''
       OR INSTR(CONCAT(',', Batches, ','), CONCAT(',''', tx.Batch, ''',')) > 0)
  AND (COALESCE(Runs, '') = ''
       OR INSTR(CONCAT(',', REPLACE(Runs, ' ', ''), ','), CONCAT(',', tx.RunID, ',')) > 0)
ORDER BY tx.Acctg_Date, tx.Item_Date, tx.Tran_Kind, tx.TransID//

-- Traffic of the period with the period's leasing counts as outputs.
CREATE PROCEDURE sp_Rep_rptDailyActivity(IN Property VARCHAR(10), IN RptBeginDate DATE,
                                         IN RptEndDate DATE, OUT Walkins SMALLINT,
                                         OUT PhoneCall SMALLINT, OUT AppsTaken SMALLINT,
                                         OUT Approved SMALLINT, OUT Denied SMALLINT,
                                         OUT Cancelled SMALLINT, OUT OtherTrafic SMALLINT)
BEGIN
    SELECT COALESCE(SUM(t.Contact_Type = 'Walk In'), 0),
           COALESCE(SUM(t.Contact_Type = 'Phone'), 0),
           COALESCE(SUM(t.Contact_Type NOT IN ('Walk In', 'Phone')), 0)
    INTO Walkins, PhoneCall, OtherTrafic
    FROM tblTraffic t
    WHERE t.Property = Property AND t.Visit_Date BETWEEN RptBeginDate AND RptEndDate;
    SELECT COALESCE(SUM(a.App_Date BETWEEN RptBeginDate AND RptEndDate), 0),
           COALESCE(SUM(a.Status = 'Approved' AND a.Decision_Date BETWEEN RptBeginDate AND RptEndDate),
                    0),
           COALESCE(SUM(a.Status = 'Denied' AND a.Decision_Date BETWEEN RptBeginDate AND RptEndDate),
                    0),
           COALESCE(SUM(a.Status = 'Cancelled'
                        AND a.Decision_Date BETWEEN RptBeginDate AND RptEndDate), 0)
    INTO AppsTaken, Approved, Denied, Cancelled
    FROM tblApplication a
    WHERE a.Property = Property;
    SELECT t.Visit_Date, t.GCardID, g.Name, t.Contact_Type, t.Agent, cb.ItemDescription AS Source,
           g.Unit_Class, t.Unit_Shown, g.Status AS Card_Status, t.Notes
    FROM tblTraffic t
    JOIN tblGuestCard g ON g.GCardID = t.GCardID
    LEFT JOIN tblCBOValues cb ON cb.ItemType = 'MarketSource' AND cb.ItemValue = g.Source
                             AND cb.Property IN ('System', g.Property)
    WHERE t.Property = Property AND t.Visit_Date BETWEEN RptBeginDate AND RptEndDate
    ORDER BY t.Visit_Date, t.Agent, g.Name;
END//

-- Month and concessions ---------------------------------------------------------------------------

-- The property at a glance over the period: one row per figure. The outputs stay empty for a
-- property that does not exist.
CREATE PROCEDURE sp_Rep_MonthlySum(IN Property VARCHAR(10), IN AcctgMethod INT, IN RepStart DATE,
                                   IN RepEnd DATE, IN EOM DATE,
                                   OUT DefaultChargeType VARCHAR(20), OUT DepositCredits INT,
                                   OUT NetDelinquentPrepaid DOUBLE, OUT CurrentAR DOUBLE)
BEGIN
    IF EXISTS (SELECT 1 FROM tblProperty p WHERE p.Property = Property) THEN
        SELECT LEFT(p.Deposit_Charge_Type, 20),
               (SELECT COUNT(*) FROM tblDeposit d WHERE d.Property = Property
                AND d.Date_Refunded BETWEEN RepStart AND RepEnd),
               (SELECT ROUND(COALESCE(SUM(l.Amount), 0), 2) FROM vwLedger l
                WHERE l.Property = Property AND l.Trans_Date <= EOM),
               (SELECT ROUND(COALESCE(SUM(x.b), 0), 2)
                FROM (SELECT SUM(l.Amount) AS b FROM vwLedger l
                      WHERE l.Property = Property AND l.Trans_Date <= EOM
                      GROUP BY l.Resident HAVING SUM(l.Amount) > 0) x)
        INTO DefaultChargeType, DepositCredits, NetDelinquentPrepaid, CurrentAR
        FROM tblProperty p WHERE p.Property = Property;
    END IF;
    WITH bal AS (
      SELECT l.Resident, SUM(l.Amount) AS Balance FROM vwLedger l
      WHERE l.Property = Property AND l.Trans_Date <= EOM GROUP BY l.Resident
      HAVING ABS(SUM(l.Amount)) >= 0.005),
    rows_ AS (
      SELECT 1 AS SortKey, 'Charges' AS Section, c.Charge_Type AS Code,
             ct.Charge_Description AS Description, NULL AS Resident, NULL AS Name, NULL AS Unit,
             SUM(c.Amount) AS Amount, COUNT(*) AS Items
      FROM tblCharge c JOIN tblProperty p ON p.Property = c.Property
      JOIN tblCharge_Type ct ON ct.Charge_Type_Table = p.Charge_Type_Table
                            AND ct.Charge_Type = c.Charge_Type
      WHERE c.Property = Property AND c.Acctg_Date BETWEEN RepStart AND RepEnd
        AND c.Charge_Type <> 'CONC'
      GROUP BY c.Charge_Type
      UNION ALL
      SELECT 2, 'Cash Receipts', p.Payment_Type, p.Batch_Source, NULL, NULL, NULL, SUM(p.Amount),
             COUNT(*)
      FROM tblPayment p
      WHERE p.Misc_Property = Property AND p.Payment_Date BETWEEN RepStart AND RepEnd
      GROUP BY p.Payment_Type, p.Batch_Source
      UNION ALL
      SELECT 3, 'Deposits Out', d.Deposit_Type, CONCAT('Refund check ', COALESCE(d.Refund_Check, '')),
             d.Resident, r.Name, d.Unit, d.Refund_Amount, 1
      FROM tblDeposit d JOIN tblResident r ON r.Resident = d.Resident
      WHERE d.Property = Property AND d.Date_Refunded BETWEEN RepStart AND RepEnd
      UNION ALL
      SELECT 4, 'Delinquent', r.Status, NULL, b.Resident, r.Name, r.Unit, b.Balance, 1
      FROM bal b JOIN vwResidentLease r ON r.Resident = b.Resident WHERE b.Balance > 0
      UNION ALL
      SELECT 5, 'Prepaid', r.Status, NULL, b.Resident, r.Name, r.Unit, b.Balance, 1
      FROM bal b JOIN vwResidentLease r ON r.Resident = b.Resident WHERE b.Balance < 0
      UNION ALL
      SELECT 6, 'Concessions', c.Charge_Type, c.Description, c.Resident, r.Name, c.Unit, c.Amount, 1
      FROM tblCharge c JOIN tblResident r ON r.Resident = c.Resident
      WHERE c.Property = Property AND c.Charge_Type = 'CONC'
        AND c.Acctg_Date BETWEEN RepStart AND RepEnd)
    SELECT x.SortKey, x.Section, x.Code, x.Description, x.Resident, x.Name, x.Unit,
           ROUND(x.Amount, 2) AS Amount, x.Items
    FROM rows_ x
    ORDER BY x.SortKey, x.Code, x.Unit, x.Name;
END//

-- Concessions over the twelve months from AsOfMonth/AsOfYear: one column per month and the
-- total within those months. A month or year that is not a number, or a month outside 1 to 12,
-- gives no rows (a strict server would refuse to convert it).
CREATE PROCEDURE sp_Rep_ConcessionMatrix(IN Property VARCHAR(10), IN AsOfMonth VARCHAR(2),
                                         IN AsOfYear VARCHAR(4))
BEGIN
    DECLARE monthNumber INT DEFAULT IF(TRIM(AsOfMonth) REGEXP '^[0-9]+$', TRIM(AsOfMonth), 0);
    DECLARE yearNumber INT DEFAULT IF(TRIM(AsOfYear) REGEXP '^[0-9]+$', TRIM(AsOfYear), 0);
    DECLARE firstText VARCHAR(12) DEFAULT CONCAT(LPAD(yearNumber, 4, '0'), '-',
                                                 LPAD(monthNumber, 2, '0'), '-01');
    DECLARE firstMonth DATE DEFAULT IF(monthNumber BETWEEN 1 AND 12 AND yearNumber > 0,
                                       STR_TO_DATE(firstText, '%Y-%m-%d'), NULL);
    WITH m AS (
      SELECT c.*,
             (YEAR(c.Start_Date) - YEAR(firstMonth)) * 12 + MONTH(c.Start_Date) - MONTH(firstMonth)
                 + 1 AS S,
             (YEAR(c.End_Date) - YEAR(firstMonth)) * 12 + MONTH(c.End_Date) - MONTH(firstMonth)
                 + 1 AS E
      FROM tblConcession c WHERE c.Property = Property)
    SELECT m.Unit, u.SortOrder, r.Name, m.Description, m.Monthly_Amount, m.Start_Date, m.End_Date,
           firstText AS First_Month,
           ROUND(CASE WHEN 1 BETWEEN m.S AND m.E THEN m.Monthly_Amount ELSE 0 END, 2) AS Month01,
           ROUND(CASE WHEN 2 BETWEEN m.S AND m.E THEN m.Monthly_Amount ELSE 0 END, 2) AS Month02,
           ROUND(CASE WHEN 3 BETWEEN m.S AND m.E THEN m.Monthly_Amount ELSE 0 END, 2) AS Month03,
           ROUND(CASE WHEN 4 BETWEEN m.S AND m.E THEN m.Monthly_Amount ELSE 0 END, 2) AS Month04,
           ROUND(CASE WHEN 5 BETWEEN m.S AND m.E THEN m.Monthly_Amount ELSE 0 END, 2) AS Month05,
           ROUND(CASE WHEN 6 BETWEEN m.S AND m.E THEN m.Monthly_Amount ELSE 0 END, 2) AS Month06,
           ROUND(CASE WHEN 7 BETWEEN m.S AND m.E THEN m.Monthly_Amount ELSE 0 END, 2) AS Month07,
           ROUND(CASE WHEN 8 BETWEEN m.S AND m.E THEN m.Monthly_Amount ELSE 0 END, 2) AS Month08,
           ROUND(CASE WHEN 9 BETWEEN m.S AND m.E THEN m.Monthly_Amount ELSE 0 END, 2) AS Month09,
           ROUND(CASE WHEN 10 BETWEEN m.S AND m.E THEN m.Monthly_Amount ELSE 0 END, 2) AS Month10,
           ROUND(CASE WHEN 11 BETWEEN m.S AND m.E THEN m.Monthly_Amount ELSE 0 END, 2) AS Month11,
           ROUND(CASE WHEN 12 BETWEEN m.S AND m.E THEN m.Monthly_Amount ELSE 0 END, 2) AS Month12,
           ROUND(m.Monthly_Amount * (LEAST(m.E, 12) - GREATEST(m.S, 1) + 1), 2) AS Total
    FROM m
    JOIN tblResident r ON r.Resident = m.Resident
    LEFT JOIN tblProp_Unit u ON u.Property = m.Property AND u.Unit = m.Unit
    WHERE m.S <= 12 AND m.E >= 1
    ORDER BY u.SortOrder, m.Start_Date;
END//

-- Concessions still running after the month of the date, with the months left from the next.
CREATE PROCEDURE sp_Rep_rptFutureConc(IN Property VARCHAR(10), IN AsOfDate DATE)
BEGIN
    DECLARE nextMonth DATE DEFAULT DATE_ADD(LAST_DAY(AsOfDate), INTERVAL 1 DAY);
    SELECT c.Unit, u.SortOrder, c.Resident, r.Name, c.Description, c.Monthly_Amount, c.Start_Date,
           c.End_Date, c.Approved_By,
           (YEAR(c.End_Date) * 12 + MONTH(c.End_Date))
           - (YEAR(GREATEST(c.Start_Date, nextMonth)) * 12
              + MONTH(GREATEST(c.Start_Date, nextMonth))) + 1 AS Months_Remaining
    FROM tblConcession c
    JOIN tblResident r ON r.Resident = c.Resident
    LEFT JOIN tblProp_Unit u ON u.Property = c.Property AND u.Unit = c.Unit
    WHERE c.Property = Property AND c.End_Date >= nextMonth
    ORDER BY c.Start_Date, u.SortOrder;
END//

-- Utilities and payables --------------------------------------------------------------------------

-- Utility bills posted between the dates, narrowed to a range of names and of charge types given
-- either way round (an empty end is the start).
CREATE PROCEDURE sp_Rep_UtilityStatement(IN Property VARCHAR(10), IN PostedStart DATE,
                                         IN PostedEnd DATE, IN TenantStart VARCHAR(30),
                                         IN TenantEnd VARCHAR(30), IN ChgStart VARCHAR(20),
                                         IN ChgEnd VARCHAR(20))
BEGIN
    DECLARE tenantLast VARCHAR(30) DEFAULT COALESCE(NULLIF(TenantEnd, ''), TenantStart);
    DECLARE chargeLast VARCHAR(20) DEFAULT COALESCE(NULLIF(ChgEnd, ''), ChgStart);
    SELECT ub.Unit, u.SortOrder, ub.Resident, r.Name, ub.ChargeType, ct.Charge_Description,
           ub.Bill_Type, ub.Bill_Start, ub.Bill_End, ub.Prev_Reading, ub.Curr_Reading, ub.Usage,
           ub.Rate, ub.Amount, ub.Posted_Date
    FROM tblUtilityBilling ub
    JOIN tblResident r ON r.Resident = ub.Resident
    JOIN tblProperty p ON p.Property = ub.Property
    JOIN tblCharge_Type ct ON ct.Charge_Type_Table = p.Charge_Type_Table
                          AND ct.Charge_Type = ub.ChargeType
    JOIN tblProp_Unit u ON u.Property = ub.Property AND u.Unit = ub.Unit
    WHERE ub.Property = Property AND ub.Posted_Date BETWEEN PostedStart AND PostedEnd
      AND (COALESCE(TenantStart, '') = ''
           OR r.Name BETWEEN LEAST(TenantStart, tenantLast) AND GREATEST(TenantStart, tenantLast))
      AND (COALESCE(ChgStart, '') = ''
           OR ub.ChargeType BETWEEN LEAST(ChgStart, chargeLast) AND GREATEST(ChgStart, chargeLast))
    ORDER BY u.SortOrder, ub.Posted_Date, ub.ChargeType;
END//

CREATE PROCEDURE sp_Rep_ExpInvoice(IN HeaderID DOUBLE, IN Property VARCHAR(10))
SELECT i.HeaderID, i.Invoice_Num, i.Invoice_Date, i.Due_Date, i.Description, i.Status, i.Paid_Date,
       i.Check_Num, i.Vendor, v.Name AS Vendor_Name, v.Address1 AS Vendor_Address,
       v.City AS Vendor_City, v.State AS Vendor_State, v.Zip AS Vendor_Zip, po.PO_Num, d.Line,
       d.GL_Account, g.Title AS GL_Title, d.Description AS Line_Description, d.Amount
FROM tblExpInvoice i
JOIN tblVendor v ON v.Vendor = i.Vendor
JOIN tblExpInvoiceDetail d ON d.HeaderID = i.HeaderID
LEFT JOIN tblGLAccount g ON g.GL_Account = d.GL_Account
LEFT JOIN tblPurchaseOrder po ON po.HeaderID = i.PO_HeaderID
WHERE i.HeaderID = HeaderID AND i.Property = Property
ORDER BY d.Line//

CREATE PROCEDURE sp_Rep_ExpInvoiceRegister(IN Property VARCHAR(10))
SELECT i.HeaderID, i.Invoice_Num, i.Invoice_Date, i.Due_Date, i.Vendor, v.Name AS Vendor_Name,
       i.Description, i.Status, i.Paid_Date, i.Check_Num, ROUND(SUM(d.Amount), 2) AS Amount
FROM tblExpInvoice i
JOIN tblVendor v ON v.Vendor = i.Vendor
JOIN tblExpInvoiceDetail d ON d.HeaderID = i.HeaderID
WHERE i.Property = Property
GROUP BY i.HeaderID
ORDER BY i.Invoice_Date, i.HeaderID//

CREATE PROCEDURE sp_Rep_ExpPurchaseOrder(IN HeaderID DOUBLE, IN Property VARCHAR(10))
SELECT po.HeaderID, po.PO_Num, po.PO_Date, po.Required_Date, po.Requested_By, po.Status,
       po.Ship_To, po.Vendor, v.Name AS Vendor_Name, v.Address1 AS Vendor_Address,
       v.City AS Vendor_City, v.State AS Vendor_State, v.Zip AS Vendor_Zip,
       v.Phone AS Vendor_Phone, d.Line, d.Item, d.Description, d.Quantity, d.Unit_Price,
       ROUND(d.Quantity * d.Unit_Price, 2) AS Extended, d.GL_Account
FROM tblPurchaseOrder po
JOIN tblVendor v ON v.Vendor = po.Vendor
JOIN tblPurchaseOrderDetail d ON d.HeaderID = po.HeaderID
WHERE po.HeaderID = HeaderID AND po.Property = Property
ORDER BY d.Line//

-- Journals that read their own rows --------------------------------------------------------------

-- Deposit refunds posted by the batches in a comma-separated list (blanks allowed).
CREATE PROCEDURE sp_Rep_PostRefundsJournal(IN Batches VARCHAR(6000))
SELECT d.Refund_Batch AS Batch, d.DepositID, d.Resident, r.Name, d.Unit,
       COALESCE(ct.Charge_Description, d.Deposit_Type) AS Deposit_Description,
       ROUND(d.Amount, 2) AS Amount, d.Date_Refunded, ROUND(d.Refund_Amount, 2) AS Refund_Amount,
       d.Refund_Check, ROUND(d.Amount - COALESCE(d.Refund_Amount, 0), 2) AS Retained
FROM tblDeposit d
JOIN tblResident r ON r.Resident = d.Resident
JOIN tblProperty p ON p.Property = d.Property
LEFT JOIN tblCharge_Type ct ON ct.Charge_Type_Table = p.Charge_Type_Table
                           AND ct.Charge_Type = d.Deposit_Type
WHERE INSTR(CONCAT(',', REPLACE(COALESCE(Batches, ''), ' ', ''), ','),
            CONCAT(',', d.Refund_Batch, ',')) > 0
ORDER BY d.Refund_Batch, r.Name, d.DepositID//

-- Payments imported in the batches from FirstBatch to LastBatch (only FirstBatch when LastBatch
-- is NULL or not given).
CREATE PROCEDURE sp_Rep_ImportPaymentsJournal(IN FirstBatch VARCHAR(10), IN LastBatch VARCHAR(10))
SELECT p.Batch, p.PaymentID, p.Resident, r.Name, p.Unit, p.Payment_Type, p.Payment_Date,
       ROUND(p.Amount, 2) AS Amount
FROM tblPayment p
JOIN tblResident r ON r.Resident = p.Resident
WHERE p.Batch_Source = 'Import Payments'
  AND p.Batch BETWEEN FirstBatch AND COALESCE(LastBatch, FirstBatch)
ORDER BY p.Batch, p.PaymentID//

-- The ledger of the applicant on a guest card: the application fee charged and paid, deposits
-- charged and received, and whatever else was posted to the applicant. Lines of one day and kind
-- come in ledger order (kind, then id), the order the embedded database keeps for them.
CREATE PROCEDURE sp_Rep_ApplicantLedger(IN GCardID VARCHAR(15))
WITH card AS (
  SELECT g.GCardID, g.Property, g.Name, g.Resident, g.Status FROM tblGuestCard g
  WHERE g.GCardID = GCardID),
ledger_lines AS (
  SELECT a.App_Date AS Trans_Date, 1 AS Seq, NULL AS Kind, NULL AS TransID, 'APP' AS Code,
         'Application fee' AS Description, a.App_Fee AS Amount
  FROM tblApplication a JOIN card ON a.GCardID = card.GCardID WHERE a.App_Fee > 0
  UNION ALL
  SELECT a.App_Date, 2, NULL, NULL, 'PAY', 'Application fee paid', -a.App_Fee
  FROM tblApplication a JOIN card ON a.GCardID = card.GCardID WHERE a.App_Fee > 0
  UNION ALL
  SELECT d.Date_Received, 3, NULL, d.DepositID, d.Deposit_Type, 'Deposit due', d.Amount
  FROM tblDeposit d JOIN card ON d.Resident = card.Resident
  UNION ALL
  SELECT d.Date_Received, 4, NULL, d.DepositID, 'PAY', 'Deposit received', -d.Amount
  FROM tblDeposit d JOIN card ON d.Resident = card.Resident
  UNION ALL
  SELECT l.Trans_Date, 5, l.Kind, l.TransID, l.Code, l.Description, l.Amount
  FROM vwLedger l JOIN card ON l.Resident = card.Resident WHERE l.Kind <> 'N')
SELECT card.GCardID, card.Name, card.Status AS Card_Status, ln.Trans_Date, ln.Code,
       ln.Description, ROUND(ln.Amount, 2) AS Amount
FROM card JOIN ledger_lines ln
ORDER BY ln.Trans_Date, ln.Seq, ln.Kind, ln.TransID//

DELIMITER ;
