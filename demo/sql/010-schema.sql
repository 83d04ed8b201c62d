-- Demo property database: tables, views and the procedure table.
--
-- Declared column types are chosen for the embedded backend's type mapping (varchar(n) gives a
-- text field of defined size n, date and datetime give date fields, money a currency field), so
-- they are part of what the reports print. Dates are stored as ISO text ('YYYY-MM-DD'); posting
-- stamps are whole days, so that a list query written with a date literal finds them by equality.
-- Unit numbers are unique across the three properties because some list queries join units to
-- work orders on the unit number alone.

PRAGMA foreign_keys = OFF;

-- Stored procedures of the embedded backend: one row per procedure; the body's statements run in
-- order, a SELECT whose columns are all named "@Name" assigns output parameters, and the rows of
-- the last other row-returning statement are the result.
CREATE TABLE sys_procedures (
  name   TEXT PRIMARY KEY COLLATE NOCASE,  -- e.g. sp_Rep_NSF
  params TEXT NOT NULL DEFAULT '',         -- '@Property varchar(10), @Days int = 7, @Total float OUTPUT'
  body   TEXT NOT NULL                     -- SQLite statements; parameters are written @Name
);

-- Report library, setup values and security ---------------------------------------------------

CREATE TABLE tblReportLib (
  Description varchar(30)  NOT NULL PRIMARY KEY,
  Name        varchar(255) NOT NULL,   -- file name in the report directory; full path for CUSTOM
  DataSource  varchar(50)
);

-- Setup values per property; the row with Property = '' is the default for every property.
CREATE TABLE tblSetup (
  Property     varchar(10)  NOT NULL,
  Setting      varchar(30)  NOT NULL,
  SettingValue varchar(255),
  PRIMARY KEY (Property, Setting)
);

CREATE TABLE tblDataFolder (
  Data_Folder varchar(255) NOT NULL
);

-- Stored answers of custom report parameters, by bare parameter name.
CREATE TABLE tblCustomReportParams (
  Property   varchar(10)  NOT NULL,
  ParamName  varchar(100) NOT NULL,
  ParamValue varchar(255),
  PRIMARY KEY (Property, ParamName)
);

-- What each user may see: rows of Type 'Property' allow the property named in Item.
CREATE TABLE tblSecurity (
  Username varchar(30) NOT NULL,
  Type     varchar(20) NOT NULL,
  Item     varchar(30) NOT NULL,
  PRIMARY KEY (Username, Type, Item)
);

-- Combo box values; Property 'System' rows apply to every property.
CREATE TABLE tblCBOValues (
  ItemType        varchar(30) NOT NULL,
  ItemValue       varchar(20) NOT NULL,
  ItemDescription varchar(50),
  Property        varchar(10) NOT NULL DEFAULT 'System',
  SortKey         int         NOT NULL DEFAULT 0,
  PRIMARY KEY (ItemType, ItemValue, Property)
);

-- Properties, units and charge types ----------------------------------------------------------

CREATE TABLE tblProperty (
  Property            varchar(10) NOT NULL PRIMARY KEY,
  Name                varchar(55) NOT NULL,
  Addressee           varchar(30),
  Address1            varchar(30),
  Address2            varchar(30),
  City                varchar(15),
  State               varchar(4),
  Zip                 varchar(10),
  Phone               varchar(20),
  Manager             varchar(30),
  Charge_Type_Table   varchar(10) NOT NULL,
  Default_Charge_Type varchar(20) NOT NULL DEFAULT 'RENT',
  Deposit_Charge_Type varchar(20) NOT NULL DEFAULT 'DEP',
  Occ_Proration_Opt   varchar(20) NOT NULL,
  Late_Fee            money       NOT NULL DEFAULT 0,
  Grace_Days          smallint    NOT NULL DEFAULT 5,
  Period_End          date,
  Fiscal_Year_End     date,
  LastStatementDate   date
);

CREATE TABLE tblUnitClass (
  Property    varchar(10) NOT NULL,
  Unit_Class  varchar(10) NOT NULL,
  Description varchar(30),
  Bedrooms    smallint,
  Baths       float,
  SqFt        int,
  Market_Rent money,
  PRIMARY KEY (Property, Unit_Class)
);

CREATE TABLE tblProp_Unit (
  Property        varchar(10) NOT NULL,
  Unit            varchar(10) NOT NULL,
  SortOrder       int         NOT NULL,
  Building        varchar(10),
  Floor           smallint,
  Unit_Class      varchar(10) NOT NULL,
  SqFt            int,
  Market_Rent     money,
  Down_Unit       bit         NOT NULL DEFAULT 0,   -- out of service
  Model_Unit      bit         NOT NULL DEFAULT 0,
  Ready_Status    varchar(10) NOT NULL DEFAULT 'Ready',  -- Ready, Not Ready
  Ready_Date      date,
  PRIMARY KEY (Property, Unit),
  UNIQUE (Property, SortOrder)
);

CREATE TABLE tblCharge_Type (
  Charge_Type_Table  varchar(10) NOT NULL,
  Charge_Type        varchar(10) NOT NULL,
  Charge_Description varchar(30) NOT NULL,
  Charge_Class       varchar(15) NOT NULL,  -- Rent, Fee, Utility, Other Unit, Concession, Deposit
  GL_Account         varchar(10) NOT NULL,
  Recurring          bit         NOT NULL DEFAULT 0,
  Default_Amount     money,
  PRIMARY KEY (Charge_Type_Table, Charge_Type)
);

CREATE TABLE tblGLAccount (
  GL_Account varchar(10) NOT NULL PRIMARY KEY,
  Title      varchar(40) NOT NULL,
  Acct_Type  varchar(10) NOT NULL   -- Asset, Liability, Income, Contra
);

-- Residents and leases -------------------------------------------------------------------------

CREATE TABLE tblResident (
  Resident       varchar(10) NOT NULL PRIMARY KEY,
  Property       varchar(10) NOT NULL,
  Name           varchar(30) NOT NULL,  -- "Last, First"
  First_Name     varchar(15),
  Last_Name      varchar(15),
  Account_Status varchar(10) NOT NULL,  -- Active, Closed
  Status         varchar(15) NOT NULL,  -- Current, Terminated, Applicant
  Phone          varchar(20),
  Email          varchar(50),
  BirthDate      date,
  Employer       varchar(30),
  Occupation     varchar(30),
  Monthly_Income money,
  Prior_City     varchar(15),
  Vehicles       smallint NOT NULL DEFAULT 0,
  Pets           smallint NOT NULL DEFAULT 0
);

-- A lease at its current revision (a renewal raises Revision_Num); the link tables carry the
-- same revision number.
CREATE TABLE tblLease (
  Lease            varchar(15) NOT NULL,
  Revision_Num     smallint    NOT NULL,
  Property         varchar(10) NOT NULL,
  Primary_Resident varchar(10) NOT NULL,
  Lease_Status     varchar(10) NOT NULL,  -- Applicant, Current, Notice, Past
  Lease_Start      date,
  Lease_End        date,
  MTM              bit   NOT NULL DEFAULT 0,  -- month to month after the term
  Rent             money NOT NULL DEFAULT 0,
  Deposit_Amount   money NOT NULL DEFAULT 0,
  App_Date         date,
  Intend_Move_In   date,
  Move_In          date,
  Notice_Date      date,
  Intend_Move_Out  date,
  Move_Out         date,
  Move_Out_Reason  varchar(30),
  Occupants        smallint NOT NULL DEFAULT 1,
  PRIMARY KEY (Lease, Revision_Num)
);

CREATE TABLE tblResident_Lease (
  Resident     varchar(10) NOT NULL,
  Lease        varchar(15) NOT NULL,
  Revision_Num smallint    NOT NULL,
  Relationship varchar(15) NOT NULL,  -- Primary, Co-Resident
  PRIMARY KEY (Resident, Lease, Revision_Num)
);

-- Which unit a lease revision is for (applicants not yet placed have no row).
CREATE TABLE tblProp_Unit_Lease (
  Property     varchar(10) NOT NULL,
  Unit         varchar(10) NOT NULL,
  Lease        varchar(15) NOT NULL,
  Revision_Num smallint    NOT NULL,
  PRIMARY KEY (Lease, Revision_Num)
);

CREATE TABLE tblWaitList (
  WaitID       int         NOT NULL PRIMARY KEY,
  Property     varchar(10) NOT NULL,
  Name         varchar(30) NOT NULL,
  Phone        varchar(20),
  Unit_Class   varchar(10),
  Date_Added   date,
  Desired_Date date,
  Notes        varchar(60)
);

-- Traffic: guest cards (prospects), their contacts and their applications ----------------------

CREATE TABLE tblGuestCard (
  GCardID         varchar(15) NOT NULL PRIMARY KEY,
  Property        varchar(10) NOT NULL,
  Name            varchar(30) NOT NULL,
  Phone           varchar(20),
  Email           varchar(50),
  First_Contact   date NOT NULL,
  Contact_Type    varchar(10) NOT NULL,  -- Walk In, Phone, Internet, Email
  Agent           varchar(30),
  Source          varchar(20),            -- market source (tblCBOValues 'MarketSource')
  Unit_Class      varchar(10),
  Desired_Move_In date,
  Max_Rent        money,
  Occupants       smallint,
  Status          varchar(10) NOT NULL,  -- Prospect, Applied, Leased, Lost
  Lease_Date      date,
  Resident        varchar(10),
  Notes           varchar(60)
);

CREATE TABLE tblTraffic (
  TrafficID    int         NOT NULL PRIMARY KEY,
  GCardID      varchar(15) NOT NULL,
  Property     varchar(10) NOT NULL,
  Visit_Date   date        NOT NULL,
  Contact_Type varchar(10) NOT NULL,  -- Walk In, Phone, Internet, Email, Other
  Agent        varchar(30),
  Unit_Shown   varchar(10),
  Notes        varchar(60)
);

CREATE TABLE tblApplication (
  AppID         int         NOT NULL PRIMARY KEY,
  Property      varchar(10) NOT NULL,
  GCardID       varchar(15),
  Resident      varchar(10),
  Lease         varchar(15),
  App_Date      date        NOT NULL,
  Status        varchar(10) NOT NULL,  -- Pending, Approved, Denied, Cancelled
  Decision_Date date,
  App_Fee       money
);

-- Exchange with the classic screening and accounting interface.
CREATE TABLE tblClassicInterface (
  Lease         varchar(15) NOT NULL,
  Revision_Num  smallint    NOT NULL,
  Property      varchar(10) NOT NULL,
  Sent_Date     date,
  Response_Date date,
  Response_Code varchar(10),
  Response_Text varchar(60),
  PRIMARY KEY (Lease, Revision_Num)
);

-- Money: batches, charges, payments, deposits, concessions ---------------------------------------

CREATE TABLE tblBatch (
  Batch       varchar(10) NOT NULL PRIMARY KEY,
  Property    varchar(10) NOT NULL,
  Batch_Type  varchar(15) NOT NULL,  -- Charges, Cash Receipts, Utility, Refunds
  Batch_Date  date        NOT NULL,
  Operator    varchar(20),
  Description varchar(40),
  Deposit_Date date,
  Deposit_Type varchar(10),
  Deposit_Code varchar(10)
);

CREATE TABLE tblChargeRun (
  RunID       int         NOT NULL PRIMARY KEY,
  Property    varchar(10) NOT NULL,
  Run_Date    date        NOT NULL,
  Description varchar(40),
  Operator    varchar(20)
);

CREATE TABLE tblCharge (
  ChargeID       int         NOT NULL PRIMARY KEY,
  Property       varchar(10) NOT NULL,
  Resident       varchar(10) NOT NULL,
  Lease          varchar(15),
  Unit           varchar(10),
  Charge_Type    varchar(10) NOT NULL,
  Description    varchar(40),
  Amount         money       NOT NULL,
  Charge_Date    date        NOT NULL,
  Acctg_Date     date        NOT NULL,
  Trans_Date     date        NOT NULL,
  Batch          varchar(10),
  RunID          int,
  Operator_Stamp varchar(20)
);

-- Misc_Property is the property the payment is posted to.
CREATE TABLE tblPayment (
  PaymentID      int         NOT NULL PRIMARY KEY,
  Batch          varchar(10) NOT NULL,
  Misc_Property  varchar(10) NOT NULL,
  Resident       varchar(10) NOT NULL,
  Lease          varchar(15),
  Unit           varchar(10),
  Payment_Type   varchar(12) NOT NULL,  -- Check, Money Order, ACH, Cash, Credit Card
  Check_Num      varchar(15),
  Amount         money       NOT NULL,
  Payment_Date   date        NOT NULL,
  Acctg_Date     date        NOT NULL,
  Date_Stamp     date        NOT NULL,  -- posting day
  Operator_Stamp varchar(20) NOT NULL,
  Batch_Source   varchar(30) NOT NULL,  -- Post Cash Receipts, Import Payments
  NSF            bit         NOT NULL DEFAULT 0,
  NSF_Date       date,
  NSF_Reason     varchar(30),
  Memo           varchar(40)
);

CREATE TABLE tblDeposit (
  DepositID     int         NOT NULL PRIMARY KEY,
  Property      varchar(10) NOT NULL,
  Resident      varchar(10) NOT NULL,
  Lease         varchar(15),
  Unit          varchar(10),
  Deposit_Type  varchar(10) NOT NULL,  -- DEP, PDEP (charge types)
  Amount        money       NOT NULL,
  Date_Received date        NOT NULL,
  Date_Refunded date,
  Refund_Amount money,
  Refund_Check  varchar(15),
  Refund_Batch  varchar(10)             -- the refund batch that posted the refund
);

CREATE TABLE tblConcession (
  ConcessionID int         NOT NULL PRIMARY KEY,
  Property     varchar(10) NOT NULL,
  Lease        varchar(15) NOT NULL,
  Resident     varchar(10) NOT NULL,
  Unit         varchar(10),
  Charge_Type  varchar(10) NOT NULL DEFAULT 'CONC',
  Description  varchar(40),
  Monthly_Amount money     NOT NULL,
  Start_Date   date        NOT NULL,
  End_Date     date        NOT NULL,
  Approved_By  varchar(20)
);

CREATE TABLE tblUtilityBilling (
  UBID         int         NOT NULL PRIMARY KEY,
  Property     varchar(10) NOT NULL,
  Unit         varchar(10) NOT NULL,
  Resident     varchar(10) NOT NULL,
  ChargeType   varchar(10) NOT NULL,
  Bill_Type    varchar(12) NOT NULL,  -- Submetered, Allocated
  Bill_Start   date        NOT NULL,
  Bill_End     date        NOT NULL,
  Prev_Reading int,
  Curr_Reading int,
  Usage        float,
  Rate         float,
  Amount       money       NOT NULL,
  Posted_Date  date        NOT NULL,
  ChargeID     int
);

-- Service calls, other rentable units ------------------------------------------------------------

CREATE TABLE tblWorkOrder (
  WorkOrder     int         NOT NULL PRIMARY KEY,
  Property      varchar(10) NOT NULL,
  Unit          varchar(10) NOT NULL DEFAULT '',  -- '' for common areas
  Resident      varchar(10),
  Category      varchar(20),
  Description   varchar(60),
  Priority      varchar(10),
  Assigned_To   varchar(30),
  DateOpened    date        NOT NULL,
  DateScheduled date,
  DateClosed    date,
  Labor_Hours   float,
  Cost          money
);

CREATE TABLE tblOtherUnit (
  Property      varchar(10) NOT NULL,
  OtherUnit     varchar(10) NOT NULL,
  OtherUnitType varchar(20) NOT NULL,
  Description   varchar(30),
  Rent          money,
  Resident      varchar(10),
  Rented_Date   date,
  PRIMARY KEY (Property, OtherUnit)
);

-- Accounts payable -----------------------------------------------------------------------------

CREATE TABLE tblVendor (
  Vendor   varchar(10) NOT NULL PRIMARY KEY,
  Name     varchar(40) NOT NULL,
  Address1 varchar(30),
  City     varchar(15),
  State    varchar(4),
  Zip      varchar(10),
  Phone    varchar(20)
);

CREATE TABLE tblExpInvoice (
  HeaderID     int         NOT NULL PRIMARY KEY,
  Property     varchar(10) NOT NULL,
  Vendor       varchar(10) NOT NULL,
  Invoice_Num  varchar(20) NOT NULL,
  Invoice_Date date        NOT NULL,
  Due_Date     date,
  Description  varchar(40),
  Status       varchar(10) NOT NULL,  -- Open, Paid
  Paid_Date    date,
  Check_Num    varchar(15),
  PO_HeaderID  int,
  Send_Batch   varchar(10)              -- the batch that sent the invoice to payables
);

CREATE TABLE tblExpInvoiceDetail (
  HeaderID    int         NOT NULL,
  Line        smallint    NOT NULL,
  GL_Account  varchar(10) NOT NULL,
  Description varchar(40),
  Amount      money       NOT NULL,
  PRIMARY KEY (HeaderID, Line)
);

CREATE TABLE tblPurchaseOrder (
  HeaderID      int         NOT NULL PRIMARY KEY,
  Property      varchar(10) NOT NULL,
  Vendor        varchar(10) NOT NULL,
  PO_Num        varchar(20) NOT NULL,
  PO_Date       date        NOT NULL,
  Required_Date date,
  Requested_By  varchar(30),
  Status        varchar(10) NOT NULL,  -- Open, Received, Closed
  Ship_To       varchar(40)
);

CREATE TABLE tblPurchaseOrderDetail (
  HeaderID    int         NOT NULL,
  Line        smallint    NOT NULL,
  Item        varchar(20),
  Description varchar(40),
  Quantity    float       NOT NULL,
  Unit_Price  money       NOT NULL,
  GL_Account  varchar(10),
  PRIMARY KEY (HeaderID, Line)
);

-- Indexes for the report procedures' usual filters.
CREATE INDEX ixCharge_Resident ON tblCharge (Resident, Charge_Date);
CREATE INDEX ixCharge_Property ON tblCharge (Property, Charge_Date);
CREATE INDEX ixPayment_Resident ON tblPayment (Resident, Payment_Date);
CREATE INDEX ixPayment_Property ON tblPayment (Misc_Property, Date_Stamp);
CREATE INDEX ixPayment_Batch ON tblPayment (Batch);
CREATE INDEX ixLease_Property ON tblLease (Property, Lease_Status);
CREATE INDEX ixResident_Lease ON tblResident_Lease (Lease, Revision_Num);
CREATE INDEX ixPropUnitLease_Unit ON tblProp_Unit_Lease (Property, Unit);
CREATE INDEX ixWorkOrder_Property ON tblWorkOrder (Property, DateOpened);
CREATE INDEX ixTraffic_Property ON tblTraffic (Property, Visit_Date);
CREATE INDEX ixUtilityBilling_Property ON tblUtilityBilling (Property, Posted_Date);

-- Views shared by the procedures -----------------------------------------------------------------

-- A lease's current revision with its unit.
CREATE VIEW vwLeaseUnit AS
SELECT l.Lease, l.Revision_Num, l.Property, pul.Unit, l.Primary_Resident, l.Lease_Status,
       l.Lease_Start, l.Lease_End, l.MTM, l.Rent, l.Deposit_Amount, l.App_Date, l.Intend_Move_In,
       l.Move_In, l.Notice_Date, l.Intend_Move_Out, l.Move_Out, l.Move_Out_Reason, l.Occupants
FROM tblLease l
JOIN tblProp_Unit_Lease pul ON pul.Lease = l.Lease AND pul.Revision_Num = l.Revision_Num;

-- Every money movement of a resident account: charges are debits, payments credits. Returned
-- (NSF) payments stay as credits and are reversed by a debit on their NSF date.
CREATE VIEW vwLedger AS
SELECT c.Property, c.Resident, c.Lease, c.Unit, 'C' AS Kind, c.ChargeID AS TransID,
       c.Charge_Type AS Code, c.Description, c.Amount, c.Charge_Date AS Trans_Date,
       c.Acctg_Date, c.Batch, c.RunID
FROM tblCharge c
UNION ALL
SELECT p.Misc_Property, p.Resident, p.Lease, p.Unit, 'P', p.PaymentID,
       p.Payment_Type, 'Payment' || coalesce(' #' || p.Check_Num, ''), -p.Amount, p.Payment_Date,
       p.Acctg_Date, p.Batch, NULL
FROM tblPayment p
UNION ALL
SELECT p.Misc_Property, p.Resident, p.Lease, p.Unit, 'N', p.PaymentID,
       'RETURN', 'Returned payment' || coalesce(' #' || p.Check_Num, ''), p.Amount, p.NSF_Date,
       p.NSF_Date, p.Batch, NULL
FROM tblPayment p
WHERE p.NSF = 1;

-- A resident with the lease (current revision) and unit they are on.
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
