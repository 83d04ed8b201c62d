-- Procedures of the report files that read their own rows (the parameter journals and the
-- applicant ledger); the other journals read with queries written in their report files. They
-- only read: the report engine runs them on its read-only road.

-- Deposit refunds posted by the batches in a comma-separated list (blanks allowed).
INSERT INTO sys_procedures (name, params, body) VALUES ('sp_Rep_PostRefundsJournal',
'@Batches varchar(6000)', '
SELECT d.Refund_Batch AS Batch, d.DepositID, d.Resident, r.Name, d.Unit,
       coalesce(ct.Charge_Description, d.Deposit_Type) AS Deposit_Description, round(d.Amount, 2) AS Amount,
       d.Date_Refunded, round(d.Refund_Amount, 2) AS Refund_Amount, d.Refund_Check,
       round(d.Amount - coalesce(d.Refund_Amount, 0), 2) AS Retained
FROM tblDeposit d
JOIN tblResident r ON r.Resident = d.Resident
JOIN tblProperty p ON p.Property = d.Property
LEFT JOIN tblCharge_Type ct ON ct.Charge_Type_Table = p.Charge_Type_Table AND ct.Charge_Type = d.Deposit_Type
WHERE instr('','' || replace(coalesce(@Batches, ''''), '' '', '''') || '','', '','' || d.Refund_Batch || '','') > 0
ORDER BY d.Refund_Batch, r.Name, d.DepositID;
');

-- Payments imported in the batches from @FirstBatch to @LastBatch (only @FirstBatch when
-- @LastBatch is NULL).
INSERT INTO sys_procedures (name, params, body) VALUES ('sp_Rep_ImportPaymentsJournal',
'@FirstBatch varchar(10), @LastBatch varchar(10) = NULL', '
SELECT p.Batch, p.PaymentID, p.Resident, r.Name, p.Unit, p.Payment_Type, p.Payment_Date,
       round(p.Amount, 2) AS Amount
FROM tblPayment p
JOIN tblResident r ON r.Resident = p.Resident
WHERE p.Batch_Source = ''Import Payments''
  AND p.Batch BETWEEN @FirstBatch AND coalesce(@LastBatch, @FirstBatch)
ORDER BY p.Batch, p.PaymentID;
');

-- The ledger of the applicant on a guest card: the application fee charged and paid, deposits
-- charged and received, and whatever else was posted to the applicant.
INSERT INTO sys_procedures (name, params, body) VALUES ('sp_Rep_ApplicantLedger',
'@GCardID varchar(15)', '
WITH card AS (
  SELECT g.GCardID, g.Property, g.Name, g.Resident, g.Status FROM tblGuestCard g WHERE g.GCardID = @GCardID
), lines AS (
  SELECT a.App_Date AS Trans_Date, 1 AS Seq, ''APP'' AS Code, ''Application fee'' AS Description,
         a.App_Fee AS Amount
  FROM tblApplication a JOIN card ON a.GCardID = card.GCardID WHERE a.App_Fee > 0
  UNION ALL
  SELECT a.App_Date, 2, ''PAY'', ''Application fee paid'', -a.App_Fee
  FROM tblApplication a JOIN card ON a.GCardID = card.GCardID WHERE a.App_Fee > 0
  UNION ALL
  SELECT d.Date_Received, 3, d.Deposit_Type, ''Deposit due'', d.Amount
  FROM tblDeposit d JOIN card ON d.Resident = card.Resident
  UNION ALL
  SELECT d.Date_Received, 4, ''PAY'', ''Deposit received'', -d.Amount
  FROM tblDeposit d JOIN card ON d.Resident = card.Resident
  UNION ALL
  SELECT l.Trans_Date, 5, l.Code, l.Description, l.Amount
  FROM vwLedger l JOIN card ON l.Resident = card.Resident WHERE l.Kind <> ''N''
)
SELECT card.GCardID, card.Name, card.Status AS Card_Status, lines.Trans_Date, lines.Code,
       lines.Description, round(lines.Amount, 2) AS Amount
FROM card JOIN lines
ORDER BY lines.Trans_Date, lines.Seq;
');
