-- Batches of the accounting tasks whose journals read their own rows: deposit refunds (one batch
-- per property and refund day) and invoices sent to payables (one batch per property and month).
-- Batch ids follow the other batches: the property's first letter, the date as yymmdd (yymm for
-- a month), and a letter for the kind (F refunds, V invoices).

UPDATE tblDeposit
SET Refund_Batch = substr(Property, 1, 1) || substr(strftime('%Y%m%d', Date_Refunded), 3) || 'F'
WHERE Date_Refunded IS NOT NULL;

UPDATE tblExpInvoice
SET Send_Batch = substr(Property, 1, 1) || substr(strftime('%Y%m', Invoice_Date), 3) || 'V';

INSERT INTO tblBatch (Batch, Property, Batch_Type, Batch_Date, Operator, Description)
SELECT Refund_Batch, Property, 'Refunds', min(Date_Refunded), 'amartin',
       'Deposit refunds ' || strftime('%m/%d/%Y', min(Date_Refunded))
FROM tblDeposit WHERE Refund_Batch IS NOT NULL GROUP BY Refund_Batch, Property
UNION ALL
SELECT Send_Batch, Property, 'Invoices', max(Invoice_Date), 'kpatel',
       'Invoices sent ' || strftime('%m/%Y', min(Invoice_Date))
FROM tblExpInvoice GROUP BY Send_Batch, Property;
