-- The demo's views on MariaDB: the same columns and rows as the views of demo/sql/010-schema.sql.
-- Loaded by scripts/mariadb-demo-load.sh after the tables and their rows.

CREATE VIEW vwLeaseUnit AS
SELECT l.Lease, l.Revision_Num, l.Property, pul.Unit, l.Primary_Resident, l.Lease_Status,
       l.Lease_Start, l.Lease_End, l.MTM, l.Rent, l.Deposit_Amount, l.App_Date, l.Intend_Move_In,
       l.Move_In, l.Notice_Date, l.Intend_Move_Out, l.Move_Out, l.Move_Out_Reason, l.Occupants
FROM tblLease l
JOIN tblProp_Unit_Lease pul ON pul.Lease = l.Lease AND pul.Revision_Num = l.Revision_Num;

-- Charges are debits, payments credits; a returned payment is reversed by a debit on its NSF date.
CREATE VIEW vwLedger AS
SELECT c.Property, c.Resident, c.Lease, c.Unit, 'C' AS Kind, c.ChargeID AS TransID,
       c.Charge_Type AS Code, c.Description, c.Amount, c.Charge_Date AS Trans_Date,
       c.Acctg_Date, c.Batch, c.RunID
FROM tblCharge c
UNION ALL
SELECT p.Misc_Property, p.Resident, p.Lease, p.Unit, 'P', p.PaymentID,
       p.Payment_Type, CONCAT('Payment', COALESCE(CONCAT(' #', p.Check_Num), '')), -p.Amount,
       p.Payment_Date, p.Acctg_Date, p.Batch, NULL
FROM tblPayment p
UNION ALL
SELECT p.Misc_Property, p.Resident, p.Lease, p.Unit, 'N', p.PaymentID,
       'RETURN', CONCAT('Returned payment', COALESCE(CONCAT(' #', p.Check_Num), '')), p.Amount,
       p.NSF_Date, p.NSF_Date, p.Batch, NULL
FROM tblPayment p
WHERE p.NSF = 1;

CREATE VIEW vwResidentLease AS
SELECT r.Resident, r.Property, r.Name, r.Status, r.Account_Status, r.Phone, r.Email, r.BirthDate,
       rl.Relationship, l.Lease, l.Revision_Num, pul.Unit, pu.SortOrder, l.Lease_Status,
       l.Primary_Resident, l.Lease_Start, l.Lease_End, l.MTM, l.Rent, l.App_Date, l.Intend_Move_In,
       l.Move_In, l.Notice_Date, l.Intend_Move_Out, l.Move_Out
FROM tblResident r
LEFT JOIN tblResident_Lease rl ON rl.Resident = r.Resident
LEFT JOIN tblLease l ON l.Lease = rl.Lease AND l.Revision_Num = rl.Revision_Num
LEFT JOIN tblProp_Unit_Lease pul ON pul.Lease = l.Lease AND pul.Revision_Num = l.Revision_Num
LEFT JOIN tblProp_Unit pu ON pu.Property = pul.Property AND pu.Unit = pul.Unit;
