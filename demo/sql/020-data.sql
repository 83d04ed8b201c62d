-- Demo sample data: three properties, 150 units, their residents, leases and two years of money.
--
-- Everything is derived from fixed dates and arithmetic on row numbers, never from the clock or
-- random(), so every build gives the same rows. The books run from 1 January 2025; "today" in the
-- data is 6 December 2026: December rent is charged and the on-time payments are posted, the late
-- ones are not, and notices, move-ins, lease ends, service calls and traffic cluster around it so
-- that reports defaulting to the current date show rows.
-- Placeholders replaced by the database builder: {REPORT_DIR} (folder of the report files) and
-- {DATA_DIR} (the data folder).

-- Setup ------------------------------------------------------------------------------------------

INSERT INTO tblDataFolder (Data_Folder) VALUES ('{DATA_DIR}');

INSERT INTO tblSetup (Property, Setting, SettingValue) VALUES
  ('',      'ReportDirectory',    '{REPORT_DIR}'),
  ('',      'TrafficLeaseDate',   'Application Date'),
  ('',      'DefaultDepositType', 'Operating'),
  ('',      'DefaultDepositCode', '1010'),
  ('',      'DBVersion',          '7.4.2'),
  ('CEDAR', 'TrafficLeaseDate',   'Move In Date'),
  ('PINE',  'DefaultDepositType', 'Trust'),
  ('PINE',  'DefaultDepositCode', '1015');

INSERT INTO tblProperty (Property, Name, Addressee, Address1, Address2, City, State, Zip, Phone,
                         Manager, Charge_Type_Table, Default_Charge_Type, Deposit_Charge_Type,
                         Occ_Proration_Opt, Late_Fee, Grace_Days, Period_End, Fiscal_Year_End,
                         LastStatementDate) VALUES
  ('OAK',   'Oak Terrace Apartments', 'Oak Terrace Apartments', '1200 Terrace Lane', 'Leasing Office',
   'Riverton', 'OR', '97401', '(541) 555-0120', 'Dana Whitfield', 'STD', 'RENT', 'DEP',
   'Actual Number Days', 50, 5, '2026-11-30', '2026-12-31', '2026-11-01'),
  ('PINE',  'Pine Ridge Apartments',  'Pine Ridge Apartments',  '45 Ridge Road', NULL,
   'Clearwater', 'OR', '97420', '(541) 555-0188', 'Marcus O''Connell', 'STD', 'RENT', 'DEP',
   '30 Day Month', 40, 3, '2026-11-30', '2026-12-31', NULL),
  ('CEDAR', 'Cedar Court Apartments', 'Cedar Court Apartments', '880 Cedar Court', 'Suite 100',
   'Lakeside', 'OR', '97449', '(541) 555-0143', 'Elena Ruiz', 'CEDR', 'RENT', 'DEP',
   'Actual Number Days', 75, 5, '2026-11-30', '2026-06-30', '2026-12-01');

-- 'demo' and 'manager' (the host command's default user) see every property; the others see the
-- properties they work at.
INSERT INTO tblSecurity (Username, Type, Item) VALUES
  ('demo', 'Property', 'OAK'), ('demo', 'Property', 'PINE'), ('demo', 'Property', 'CEDAR'),
  ('manager', 'Property', 'OAK'), ('manager', 'Property', 'PINE'), ('manager', 'Property', 'CEDAR'),
  ('admin', 'Property', 'OAK'), ('admin', 'Property', 'PINE'), ('admin', 'Property', 'CEDAR'),
  ('jsmith', 'Property', 'OAK'), ('jsmith', 'Property', 'PINE'),
  ('kpatel', 'Property', 'PINE'),
  ('lchen', 'Property', 'CEDAR'),
  ('jsmith', 'Report', 'Owner''s Summary');

INSERT INTO tblCBOValues (ItemType, ItemValue, ItemDescription, Property, SortKey) VALUES
  ('OtherUnitType', 'GARAGE',   'Garage',           'System', 1),
  ('OtherUnitType', 'CARPORT',  'Carport',          'System', 2),
  ('OtherUnitType', 'STORAGE',  'Storage Unit',     'System', 3),
  ('OtherUnitType', 'BOATSLIP', 'Boat Slip',        'System', 4),
  ('OtherUnitType', 'RVPAD',    'RV Pad',           'PINE',   5),
  ('MarketSource', 'INTERNET',  'Internet Listing', 'System', 1),
  ('MarketSource', 'DRIVEBY',   'Drive By',         'System', 2),
  ('MarketSource', 'REFERRAL',  'Resident Referral','System', 3),
  ('MarketSource', 'SOCIAL',    'Social Media',     'System', 4),
  ('MarketSource', 'LOCATOR',   'Locator Service',  'System', 5),
  ('MarketSource', 'NEWSPAPER', 'Newspaper',        'System', 6),
  ('MarketSource', 'SIGN',      'Banner Sign',      'CEDAR',  7),
  ('WOCategory', 'PLUMB',  'Plumbing',    'System', 1),
  ('WOCategory', 'ELEC',   'Electrical',  'System', 2),
  ('WOCategory', 'APPL',   'Appliance',   'System', 3),
  ('WOCategory', 'HVAC',   'Heating/Air', 'System', 4),
  ('WOCategory', 'PEST',   'Pest Control','System', 5),
  ('WOCategory', 'LOCK',   'Locks/Keys',  'System', 6),
  ('WOCategory', 'GROUND', 'Grounds',     'System', 7),
  ('WOCategory', 'READY',  'Make Ready',  'System', 8);

INSERT INTO tblGLAccount (GL_Account, Title, Acct_Type) VALUES
  ('1010', 'Operating Cash',            'Asset'),
  ('1015', 'Trust Cash',                'Asset'),
  ('1200', 'Tenant Receivables',        'Asset'),
  ('2200', 'Security Deposits Held',    'Liability'),
  ('2210', 'Pet Deposits Held',         'Liability'),
  ('2300', 'Prepaid Rent',              'Liability'),
  ('4000', 'Rental Income',             'Income'),
  ('4020', 'Pet Rent',                  'Income'),
  ('4100', 'Late Fees',                 'Income'),
  ('4110', 'Returned Item Fees',        'Income'),
  ('4200', 'Water/Sewer Reimbursement', 'Income'),
  ('4210', 'Trash Reimbursement',       'Income'),
  ('4220', 'Electric Reimbursement',    'Income'),
  ('4300', 'Garage Rent',               'Income'),
  ('4310', 'Storage Rent',              'Income'),
  ('4320', 'Carport Rent',              'Income'),
  ('4400', 'Application Fees',          'Income'),
  ('4410', 'Cleaning Fees',             'Income'),
  ('4420', 'Damage Charges',            'Income'),
  ('4900', 'Concessions',               'Contra'),
  ('6100', 'Repairs and Maintenance',   'Expense'),
  ('6200', 'Landscaping',               'Expense'),
  ('6300', 'Utilities Expense',         'Expense'),
  ('6400', 'Supplies',                  'Expense');

-- Two charge type tables: OAK and PINE share 'STD'; CEDAR bills electric and has its own.
INSERT INTO tblCharge_Type (Charge_Type_Table, Charge_Type, Charge_Description, Charge_Class,
                            GL_Account, Recurring, Default_Amount)
SELECT t.value, c.Charge_Type, c.Charge_Description, c.Charge_Class, c.GL_Account, c.Recurring,
       c.Default_Amount
FROM json_each('["STD","CEDR"]') t
JOIN (SELECT 'RENT' AS Charge_Type, 'Rent' AS Charge_Description, 'Rent' AS Charge_Class,
             '4000' AS GL_Account, 1 AS Recurring, NULL AS Default_Amount, 0 AS CedarOnly
      UNION ALL SELECT 'PET',   'Pet Rent',          'Rent',       '4020', 1, 35,   0
      UNION ALL SELECT 'LATE',  'Late Fee',          'Fee',        '4100', 0, NULL, 0
      UNION ALL SELECT 'NSF',   'Returned Item Fee', 'Fee',        '4110', 0, 35,   0
      UNION ALL SELECT 'APPF',  'Application Fee',   'Fee',        '4400', 0, 45,   0
      UNION ALL SELECT 'CLEAN', 'Cleaning Fee',      'Fee',        '4410', 0, 150,  0
      UNION ALL SELECT 'DAMG',  'Damages',           'Fee',        '4420', 0, NULL, 0
      UNION ALL SELECT 'ELEC',  'Electric',          'Utility',    '4220', 0, NULL, 1
      UNION ALL SELECT 'TRSH',  'Trash',             'Utility',    '4210', 0, 15,   0
      UNION ALL SELECT 'WATR',  'Water/Sewer',       'Utility',    '4200', 0, NULL, 0
      UNION ALL SELECT 'GARG',  'Garage Rent',       'Other Unit', '4300', 1, 75,   0
      UNION ALL SELECT 'STOR',  'Storage Rent',      'Other Unit', '4310', 1, 40,   0
      UNION ALL SELECT 'CARP',  'Carport Rent',      'Other Unit', '4320', 1, 25,   0
      UNION ALL SELECT 'CONC',  'Concession',        'Concession', '4900', 1, NULL, 0
      UNION ALL SELECT 'DEP',   'Security Deposit',  'Deposit',    '2200', 0, NULL, 0
      UNION ALL SELECT 'PDEP',  'Pet Deposit',       'Deposit',    '2210', 0, 250,  0) c
  ON c.CedarOnly = 0 OR t.value = 'CEDR'
WHERE NOT (t.value = 'CEDR' AND c.Charge_Type = 'WATR');

INSERT INTO tblUnitClass (Property, Unit_Class, Description, Bedrooms, Baths, SqFt, Market_Rent) VALUES
  ('OAK',   '1BR1BA', 'One Bedroom',           1, 1,   700, 1095),
  ('OAK',   '2BR1BA', 'Two Bedroom',           2, 1,   900, 1295),
  ('OAK',   '2BR2BA', 'Two Bedroom Two Bath',  2, 2,  1020, 1395),
  ('OAK',   '3BR2BA', 'Three Bedroom',         3, 2,  1210, 1650),
  ('PINE',  'STUDIO', 'Studio',                0, 1,   450,  825),
  ('PINE',  '1BR1BA', 'One Bedroom',           1, 1,   650,  995),
  ('PINE',  '2BR2BA', 'Two Bedroom Two Bath',  2, 2,   950, 1250),
  ('CEDAR', '1BR1BA', 'One Bedroom',           1, 1,   720, 1150),
  ('CEDAR', '2BR2BA', 'Two Bedroom Two Bath',  2, 2,  1050, 1495),
  ('CEDAR', 'TH3BR',  'Townhome Three Bedroom',3, 2.5,1400, 1895);

INSERT INTO tblVendor (Vendor, Name, Address1, City, State, Zip, Phone) VALUES
  ('ACEPLMB', 'O''Malley Plumbing & Drain', '17 Harbor St',     'Riverton',   'OR', '97401', '(541) 555-0301'),
  ('BRIGHT',  'Bright Electric Co.',        '902 Volt Ave',     'Riverton',   'OR', '97402', '(541) 555-0317'),
  ('GREENWY', 'Greenway Landscaping',       '4 Fern Hollow Rd', 'Clearwater', 'OR', '97420', '(541) 555-0329'),
  ('COOLAIR', 'CoolAir Heating & Cooling',  '300 Industrial Dr','Lakeside',   'OR', '97449', '(541) 555-0344'),
  ('PESTAWY', 'PestAway Services',          '55 Mill Rd',       'Riverton',   'OR', '97401', '(541) 555-0356'),
  ('SUPPLY',  'Northwest Apartment Supply', '1800 Commerce Way','Eugene',     'OR', '97402', '(541) 555-0362'),
  ('CARPETS', 'Carpet Kings',               '71 Weaver Ln',     'Clearwater', 'OR', '97420', '(541) 555-0378'),
  ('PAINTPR', 'Painting Pros',              '9 Brush Ct',       'Lakeside',   'OR', '97449', '(541) 555-0385');

-- Helpers for this script only -------------------------------------------------------------------

CREATE TEMP TABLE seq (n int PRIMARY KEY);
WITH RECURSIVE s(n) AS (SELECT 0 UNION ALL SELECT n + 1 FROM s WHERE n < 1999)
INSERT INTO seq SELECT n FROM s;

-- Person p gets last name p % 50 and first name (p / 50 + 3p) % 40: unique for p < 2000.
CREATE TEMP TABLE names (kind text, i int, name text, PRIMARY KEY (kind, i));
INSERT INTO names SELECT 'last', key, value FROM json_each('["Anderson","Baker","Carter","D''Angelo","Evans",
  "Fischer","Garcia","Hughes","Ito","Jensen","Kowalski","Lopez","McAllister","Nguyen","O''Brien","Patel","Quinn",
  "Rivera","Schmidt","Thompson","Underwood","Vasquez","Walsh","Xu","Young","Zimmerman","O''Neil","Bennett","Chen",
  "Delgado","Ellison","Foster","Gallagher","Hernandez","Iverson","Johnson","Kim","Larsen","Morales","Novak","Olsen",
  "Price","Ramirez","Sullivan","Tanaka","Ulrich","Vance","Whitaker","Yates","Zhang"]');
INSERT INTO names SELECT 'first', key, value FROM json_each('["Michael","Sarah","David","Emily","James","Maria",
  "Robert","Jennifer","Daniel","Aisha","Thomas","Laura","Kevin","Priya","Brian","Megan","Carlos","Hannah","Steven",
  "Olivia","Mark","Grace","Paul","Chloe","Eric","Rachel","Jason","Sofia","Ryan","Nicole","Andrew","Fatima","Scott",
  "Lauren","Gregory","Amy","Luis","Katherine","Peter","Zoe"]');
INSERT INTO names SELECT 'employer', key, value FROM json_each('["Riverton School District","Coastal Health",
  "Pacific Timber Co.","City of Riverton","Harbor Freight Lines","Self-employed","Lakeside Medical Center",
  "Northwest Credit Union","Evergreen Software","Retired","Oregon State Parks","Summit Grocery"]');
INSERT INTO names SELECT 'occupation', key, value FROM json_each('["Teacher","Nurse","Mill Worker","Clerk",
  "Driver","Consultant","Technician","Teller","Developer","Retired","Ranger","Store Manager"]');
INSERT INTO names SELECT 'city', key, value FROM json_each('["Riverton","Eugene","Salem","Portland","Bend",
  "Medford","Corvallis","Seattle","Boise","Sacramento"]');
INSERT INTO names SELECT 'source', key, value FROM json_each('["INTERNET","DRIVEBY","REFERRAL","SOCIAL",
  "LOCATOR","INTERNET","NEWSPAPER","INTERNET"]');
INSERT INTO names SELECT 'contact', key, value FROM json_each('["Walk In","Phone","Internet","Phone","Walk In",
  "Email","Phone"]');
INSERT INTO names SELECT 'reason', key, value FROM json_each('["Bought a home","Job transfer",
  "Needed more space","Rent too high","Moved in with family","Relocated out of state"]');

CREATE TEMP TABLE props (Property text PRIMARY KEY, idx int, prefix text, units int, offset int,
                         agent1 text, agent2 text, operator1 text, operator2 text, tech1 text, tech2 text);
INSERT INTO props VALUES
  ('OAK',   1, 'O', 60,   0, 'Tina Alvarez', 'Brandon Lee',   'jsmith', 'amartin', 'Ray Dominguez', 'Tom Becker'),
  ('PINE',  2, 'P', 50,  60, 'Kim Sorensen', 'Kim Sorensen',  'kpatel', 'kpatel',  'Luis Ortega',   'Luis Ortega'),
  ('CEDAR', 3, 'C', 40, 110, 'Joy McBride',  'Andre Wallace', 'lchen',  'lchen',   'Sam O''Hara',   'Sam O''Hara');

CREATE TEMP TABLE months (m text PRIMARY KEY, idx int);
INSERT INTO months SELECT date('2025-01-01', '+' || n || ' months'), n FROM seq WHERE n < 24;

-- Units ----------------------------------------------------------------------------------------
-- OAK 101-120, 201-220, 301-320; PINE A01-E10; CEDAR C101-C410.

INSERT INTO tblProp_Unit (Property, Unit, SortOrder, Building, Floor, Unit_Class, SqFt, Market_Rent,
                          Down_Unit, Model_Unit, Ready_Status, Ready_Date)
SELECT u.Property, u.Unit, u.n, u.Building, u.Floor, u.Unit_Class, uc.SqFt,
       uc.Market_Rent + 25 * (u.Floor - 1), 0, 0, 'Ready', NULL
FROM (SELECT 'OAK' AS Property, s.n AS n,
             CAST(((s.n - 1) / 20 + 1) * 100 + (s.n - 1) % 20 + 1 AS text) AS Unit,
             'Bldg ' || ((s.n - 1) / 20 + 1) AS Building,
             CASE WHEN (s.n - 1) % 20 < 10 THEN 1 ELSE 2 END AS Floor,
             CASE (s.n - 1) % 4 WHEN 0 THEN '1BR1BA' WHEN 1 THEN '2BR1BA' WHEN 2 THEN '2BR2BA'
                  ELSE '3BR2BA' END AS Unit_Class
      FROM seq s WHERE s.n BETWEEN 1 AND 60
      UNION ALL
      SELECT 'PINE', s.n,
             substr('ABCDE', (s.n - 1) / 10 + 1, 1) || printf('%02d', (s.n - 1) % 10 + 1),
             'Bldg ' || substr('ABCDE', (s.n - 1) / 10 + 1, 1),
             CASE WHEN (s.n - 1) % 10 < 5 THEN 1 ELSE 2 END,
             CASE (s.n - 1) % 3 WHEN 0 THEN 'STUDIO' WHEN 1 THEN '1BR1BA' ELSE '2BR2BA' END
      FROM seq s WHERE s.n BETWEEN 1 AND 50
      UNION ALL
      SELECT 'CEDAR', s.n, 'C' || (((s.n - 1) / 10 + 1) * 100 + (s.n - 1) % 10 + 1), 'Main',
             (s.n - 1) / 10 + 1,
             CASE WHEN (s.n - 1) % 10 < 4 THEN '1BR1BA' WHEN (s.n - 1) % 10 < 8 THEN '2BR2BA'
                  ELSE 'TH3BR' END
      FROM seq s WHERE s.n BETWEEN 1 AND 40) u
JOIN tblUnitClass uc ON uc.Property = u.Property AND uc.Unit_Class = u.Unit_Class;

-- g: the unit's number across all properties (1..150), the seed of everything below.
CREATE TEMP TABLE units AS
SELECT pu.Property, pu.Unit, pu.SortOrder AS n, pu.SortOrder + p.offset AS g, pu.Market_Rent,
       pu.Unit_Class, uc.Bedrooms, ((pu.SortOrder + p.offset) * 37 + 11) % 100 AS h
FROM tblProp_Unit pu
JOIN props p ON p.Property = pu.Property
JOIN tblUnitClass uc ON uc.Property = pu.Property AND uc.Unit_Class = pu.Unit_Class;

UPDATE tblProp_Unit SET Model_Unit = 1 WHERE Unit = '215';
UPDATE tblProp_Unit SET Down_Unit = 1 WHERE Unit = 'E08';

-- Lease plan -----------------------------------------------------------------------------------
-- Every unit had an earlier lease when g % 3 = 0 or when it is vacant now (h < 10, moved out
-- between May and November 2026); the current lease follows the earlier one after a turn of 10-34
-- days. h 10-17: on notice; h 10-12 of those
-- are pre-leased to an applicant; h < 5 of the vacant ones have an applicant; h 90-94 run month
-- to month.

CREATE TEMP TABLE plan (
  kind text, Property text, Unit text, g int, h int, Market_Rent real, Bedrooms int,
  Move_In text, Move_Out text, Notice_Date text, Intend_Move_In text, Intend_Move_Out text,
  App_Date text, Rent real, Lease_Status text, MTM int, Lease text, Revision_Num int,
  Lease_Start text, Lease_End text, p int, b int
);

INSERT INTO plan (kind, Property, Unit, g, h, Market_Rent, Bedrooms, Move_In, Move_Out)
SELECT 'PRIOR', Property, Unit, g, h, Market_Rent, Bedrooms,
       date('2023-03-01', '+' || ((g * 53) % 540) || ' days'),
       CASE WHEN h < 10 THEN date('2026-05-15', '+' || ((g * 71) % 190) || ' days')
            ELSE date('2025-02-01', '+' || ((g * 71) % 600) || ' days') END
FROM units WHERE g % 3 = 0 OR h < 10;

INSERT INTO plan (kind, Property, Unit, g, h, Market_Rent, Bedrooms, Move_In)
SELECT 'CURR', u.Property, u.Unit, u.g, u.h, u.Market_Rent, u.Bedrooms,
       coalesce(date(pr.Move_Out, '+' || (10 + u.g % 25) || ' days'),
                date('2022-06-01', '+' || ((u.g * 97) % 1300) || ' days'))
FROM units u LEFT JOIN plan pr ON pr.kind = 'PRIOR' AND pr.Unit = u.Unit
WHERE u.h >= 10;

UPDATE plan SET Notice_Date = date('2026-11-01', '+' || (g % 28) || ' days'),
                Intend_Move_Out = date('2026-11-01', '+' || (g % 28 + 35) || ' days')
WHERE kind = 'CURR' AND h BETWEEN 10 AND 17;

INSERT INTO plan (kind, Property, Unit, g, h, Market_Rent, Bedrooms, Intend_Move_In)
SELECT 'APPL', Property, Unit, g, h, Market_Rent, Bedrooms, date(Intend_Move_Out, '+5 days')
FROM plan WHERE kind = 'CURR' AND h BETWEEN 10 AND 12
UNION ALL
SELECT 'APPL', Property, Unit, g, h, Market_Rent, Bedrooms,
       date('2026-12-12', '+' || (g % 35) || ' days')
FROM units WHERE h < 5;

-- Applicants not yet placed in a unit.
INSERT INTO plan (kind, Property, Unit, g, h, Market_Rent, Bedrooms, Intend_Move_In)
SELECT 'APPL', Property, NULL, 150 + idx, 50, CASE Property WHEN 'PINE' THEN 995 ELSE 1150 END, 1,
       date('2027-01-10', '+' || (idx * 6) || ' days')
FROM props;

UPDATE plan SET App_Date = CASE WHEN kind = 'APPL' THEN date('2026-11-10', '+' || (g % 24) || ' days')
                                ELSE date(Move_In, '-' || (12 + g % 18) || ' days') END,
                Rent = CASE kind WHEN 'CURR' THEN Market_Rent - ((g * 13) % 5) * 25
                                 WHEN 'PRIOR' THEN Market_Rent - 50 - ((g * 7) % 3) * 25
                                 ELSE Market_Rent END,
                Intend_Move_In = coalesce(Intend_Move_In, Move_In),
                Notice_Date = CASE WHEN kind = 'PRIOR' THEN date(Move_Out, '-30 days') ELSE Notice_Date END,
                Intend_Move_Out = CASE WHEN kind = 'PRIOR' THEN Move_Out ELSE Intend_Move_Out END,
                MTM = CASE WHEN kind = 'CURR' AND h BETWEEN 90 AND 94 THEN 1 ELSE 0 END,
                b = (g * 31 + CASE kind WHEN 'PRIOR' THEN 7 ELSE 0 END) % 20;

-- Lease terms run a year from the move-in anniversary; a renewal raises the revision number.
UPDATE plan SET Lease_Start = CASE kind
    WHEN 'APPL' THEN Intend_Move_In
    WHEN 'PRIOR' THEN date(Move_In, '+' || (CAST(strftime('%Y', Move_Out) AS int) - CAST(strftime('%Y', Move_In) AS int)
        - CASE WHEN strftime('%m-%d', Move_In) > strftime('%m-%d', Move_Out) THEN 1 ELSE 0 END) || ' years')
    ELSE date(Move_In, '+' || (2026 - CAST(strftime('%Y', Move_In) AS int)
        - CASE WHEN strftime('%m-%d', Move_In) > '12-06' THEN 1 ELSE 0 END) || ' years') END;
UPDATE plan SET Lease_Start = Move_In WHERE Lease_Start < Move_In;
UPDATE plan SET Lease_Start = date(Lease_Start, '-1 year') WHERE MTM = 1 AND Lease_Start > Move_In;
UPDATE plan SET MTM = 0 WHERE MTM = 1 AND Lease_Start = Move_In;
UPDATE plan SET Lease_End = date(Lease_Start, '+12 months', '-1 day'),
                Revision_Num = 1 + CAST(strftime('%Y', Lease_Start) AS int)
                                 - CAST(strftime('%Y', coalesce(Move_In, Lease_Start)) AS int),
                Lease_Status = CASE WHEN kind = 'PRIOR' THEN 'Past' WHEN kind = 'APPL' THEN 'Applicant'
                                    WHEN Notice_Date IS NOT NULL THEN 'Notice' ELSE 'Current' END;

-- Lease numbers run per property in move-in order; people are numbered across all leases.
UPDATE plan SET Lease = (SELECT printf('%s-%04d', x.Property, x.k) FROM
    (SELECT rowid AS rid, Property, row_number() OVER (PARTITION BY Property
        ORDER BY coalesce(Move_In, Intend_Move_In), g) AS k FROM plan) x WHERE x.rid = plan.rowid);
UPDATE plan SET p = (SELECT x.k FROM (SELECT rowid AS rid, row_number() OVER (ORDER BY Lease) AS k
    FROM plan) x WHERE x.rid = plan.rowid);

INSERT INTO tblLease (Lease, Revision_Num, Property, Primary_Resident, Lease_Status, Lease_Start,
                      Lease_End, MTM, Rent, Deposit_Amount, App_Date, Intend_Move_In, Move_In,
                      Notice_Date, Intend_Move_Out, Move_Out, Move_Out_Reason, Occupants)
SELECT Lease, Revision_Num, Property, 'R' || (10000 + p), Lease_Status, Lease_Start, Lease_End, MTM,
       Rent, 200 + 100 * Bedrooms, App_Date, Intend_Move_In, Move_In, Notice_Date, Intend_Move_Out,
       Move_Out,
       CASE WHEN Notice_Date IS NOT NULL THEN (SELECT name FROM names WHERE kind = 'reason' AND i = g % 6) END,
       1 + (g % 4 = 1) + (Bedrooms > 1 AND g % 3 = 1)
FROM plan;

INSERT INTO tblProp_Unit_Lease (Property, Unit, Lease, Revision_Num)
SELECT Property, Unit, Lease, Revision_Num FROM plan WHERE Unit IS NOT NULL;

-- Primary residents, and a co-resident on every fourth current lease.
CREATE TEMP TABLE people AS
SELECT p, 'R' || (10000 + p) AS Resident, Lease, Revision_Num, Property, kind, g, 'Primary' AS Relationship,
       Rent, b FROM plan
UNION ALL
SELECT 500 + p, 'R' || (10500 + p), Lease, Revision_Num, Property, kind, g, 'Co-Resident', Rent, b
FROM plan WHERE kind = 'CURR' AND g % 4 = 1;

INSERT INTO tblResident (Resident, Property, Name, First_Name, Last_Name, Account_Status, Status,
                         Phone, Email, BirthDate, Employer, Occupation, Monthly_Income, Prior_City,
                         Vehicles, Pets)
SELECT pe.Resident, pe.Property, ln.name || ', ' || fn.name, fn.name, ln.name,
       CASE WHEN pe.kind = 'PRIOR' AND pe.b <> 17 THEN 'Closed' ELSE 'Active' END,
       CASE pe.kind WHEN 'PRIOR' THEN 'Terminated' WHEN 'APPL' THEN 'Applicant' ELSE 'Current' END,
       '(541) 555-' || printf('%04d', 1000 + (pe.p * 73) % 9000),
       lower(fn.name) || '.' || lower(replace(ln.name, '''', '')) || '@example.com',
       CASE WHEN pe.p % 13 <> 5 THEN date('1950-01-01', '+' || ((pe.p * 4271) % 18000) || ' days') END,
       em.name, oc.name, pe.Rent * 3 + ((pe.p * 37) % 20) * 100, ci.name,
       CASE WHEN pe.p % 7 = 0 THEN 0 ELSE 1 + pe.p % 2 END,
       CASE WHEN pe.g % 6 = 2 AND pe.Relationship = 'Primary' THEN 1 ELSE 0 END
FROM people pe
JOIN names ln ON ln.kind = 'last' AND ln.i = pe.p % 50
JOIN names fn ON fn.kind = 'first' AND fn.i = (pe.p / 50 + 3 * pe.p) % 40
JOIN names em ON em.kind = 'employer' AND em.i = pe.p % 12
JOIN names oc ON oc.kind = 'occupation' AND oc.i = pe.p % 12
JOIN names ci ON ci.kind = 'city' AND ci.i = (pe.p * 3) % 10;

INSERT INTO tblResident_Lease (Resident, Lease, Revision_Num, Relationship)
SELECT Resident, Lease, Revision_Num, Relationship FROM people;

-- Deposits: security deposit at move-in (at application for applicants), pet deposits, refunds
-- three weeks after move-out less cleaning.
INSERT INTO tblDeposit (DepositID, Property, Resident, Lease, Unit, Deposit_Type, Amount,
                        Date_Received, Date_Refunded, Refund_Amount, Refund_Check)
SELECT row_number() OVER (ORDER BY d.Date_Received, d.Lease, d.Deposit_Type), d.*
FROM (SELECT pl.Property, 'R' || (10000 + pl.p), pl.Lease, pl.Unit, 'DEP' AS Deposit_Type,
             200 + 100 * pl.Bedrooms, coalesce(pl.Move_In, pl.App_Date) AS Date_Received,
             CASE WHEN pl.kind = 'PRIOR' THEN date(pl.Move_Out, '+21 days') END,
             CASE WHEN pl.kind = 'PRIOR' THEN 200 + 100 * pl.Bedrooms - 150 - CASE WHEN pl.g % 5 = 0 THEN 85 ELSE 0 END END,
             CASE WHEN pl.kind = 'PRIOR' THEN CAST(5000 + pl.p AS text) END
      FROM plan pl WHERE pl.kind <> 'APPL' OR pl.g % 2 = 0
      UNION ALL
      SELECT pl.Property, 'R' || (10000 + pl.p), pl.Lease, pl.Unit, 'PDEP', 250, pl.Move_In,
             CASE WHEN pl.kind = 'PRIOR' THEN date(pl.Move_Out, '+21 days') END,
             CASE WHEN pl.kind = 'PRIOR' THEN 250 END,
             CASE WHEN pl.kind = 'PRIOR' THEN CAST(5000 + pl.p AS text) END
      FROM plan pl WHERE pl.kind <> 'APPL' AND pl.g % 6 = 2) AS d;

-- Other rentable units, most of them rented to current residents.
INSERT INTO tblOtherUnit (Property, OtherUnit, OtherUnitType, Description, Rent, Resident, Rented_Date)
SELECT o.Property, o.OtherUnit, o.OtherUnitType, o.Description, o.Rent,
       CASE WHEN o.k % 5 <> 0 THEN (SELECT substr(min(printf('%02d%03d', (pl.g * 7 + o.k * 13) % 97, pl.g)
            || 'R' || (10000 + pl.p)), 6) FROM plan pl WHERE pl.kind = 'CURR' AND pl.Property = o.Property) END,
       CASE WHEN o.k % 5 <> 0 THEN date('2025-03-01', '+' || ((o.k * 41) % 20) || ' months') END
FROM (SELECT 'OAK' AS Property, 'G' || printf('%02d', n) AS OtherUnit, 'GARAGE' AS OtherUnitType,
             'Detached garage ' || n AS Description, 75 AS Rent, n AS k FROM seq WHERE n BETWEEN 1 AND 12
      UNION ALL SELECT 'OAK', 'S' || printf('%02d', n), 'STORAGE', 'Storage locker ' || n, 40, 20 + n
      FROM seq WHERE n BETWEEN 1 AND 8
      UNION ALL SELECT 'PINE', 'CP' || printf('%02d', n), 'CARPORT', 'Covered carport ' || n, 25, 40 + n
      FROM seq WHERE n BETWEEN 1 AND 16
      UNION ALL SELECT 'PINE', 'RV' || printf('%02d', n), 'RVPAD', 'RV pad ' || n, 60, 60 + n
      FROM seq WHERE n BETWEEN 1 AND 4
      UNION ALL SELECT 'CEDAR', 'CS' || printf('%02d', n), 'STORAGE', 'Storage room ' || n, 45, 80 + n
      FROM seq WHERE n BETWEEN 1 AND 10
      UNION ALL SELECT 'CEDAR', 'CG' || printf('%02d', n), 'GARAGE', 'Attached garage ' || n, 95, 90 + n
      FROM seq WHERE n BETWEEN 1 AND 6) o;

-- Concessions: a two-month renewal discount on every seventh current lease, and a move-in special
-- on the applicants' first month.
INSERT INTO tblConcession (ConcessionID, Property, Lease, Resident, Unit, Charge_Type, Description,
                           Monthly_Amount, Start_Date, End_Date, Approved_By)
SELECT row_number() OVER (ORDER BY c.Start_Date, c.Lease), c.*
FROM (SELECT Property, Lease, 'R' || (10000 + p), Unit, 'CONC', 'Renewal discount',
             50 + 25 * (g % 3), date(Lease_Start, 'start of month', '+1 month') AS Start_Date,
             date(Lease_Start, 'start of month', '+3 months', '-1 day'), 'Regional Manager'
      FROM plan WHERE kind = 'CURR' AND g % 7 = 0
      UNION ALL
      SELECT Property, Lease, 'R' || (10000 + p), Unit, 'CONC', 'Move-in special', round(Rent / 2, 0),
             date(Intend_Move_In, 'start of month', '+1 month'),
             date(Intend_Move_In, 'start of month', '+2 months', '-1 day'), 'Property Manager'
      FROM plan WHERE kind = 'APPL' AND Unit IS NOT NULL) AS c;

-- Charges ------------------------------------------------------------------------------------------
-- Monthly runs on the 1st (rent, pet rent, other units, concessions), prorated rent and move-in
-- fees on the move-in day, cleaning at move-out, utilities billed for 2026, late fees on the 6th.

INSERT INTO tblChargeRun (RunID, Property, Run_Date, Description, Operator)
SELECT p.idx * 100 + m.idx, p.Property, m.m, 'Monthly charges ' || strftime('%m/%Y', m.m), 'system'
FROM props p, months m;

CREATE TEMP TABLE chg (Property text, Resident text, Lease text, Unit text, Charge_Type text,
                       Description text, Amount real, Charge_Date text, Batch text, RunID int,
                       Operator text);

-- Rent, prorated in the move-in and move-out months.
INSERT INTO chg
SELECT pl.Property, 'R' || (10000 + pl.p), pl.Lease, pl.Unit, 'RENT',
       'Rent ' || strftime('%m/%Y', m.m),
       round(pl.Rent * (julianday(min(date(m.m, '+1 month', '-1 day'), coalesce(pl.Move_Out, '9999-12-31')))
             - julianday(max(m.m, pl.Move_In)) + 1) / (julianday(m.m, '+1 month') - julianday(m.m)), 2),
       max(m.m, pl.Move_In),
       CASE WHEN pl.Move_In > m.m THEN pr.prefix || substr(strftime('%Y%m%d', pl.Move_In), 3) || 'M'
            ELSE pr.prefix || substr(strftime('%Y%m%d', m.m), 3) || 'R' END,
       CASE WHEN pl.Move_In > m.m THEN NULL ELSE pr.idx * 100 + m.idx END,
       CASE WHEN pl.Move_In > m.m THEN pr.operator1 ELSE 'system' END
FROM plan pl JOIN props pr ON pr.Property = pl.Property
JOIN months m ON m.m <= coalesce(pl.Move_Out, '2026-12-31') AND date(m.m, '+1 month', '-1 day') >= pl.Move_In
WHERE pl.kind <> 'APPL';

INSERT INTO chg
SELECT pl.Property, 'R' || (10000 + pl.p), pl.Lease, pl.Unit, 'PET', 'Pet rent ' || strftime('%m/%Y', m.m),
       35, m.m, pr.prefix || substr(strftime('%Y%m%d', m.m), 3) || 'R', pr.idx * 100 + m.idx, 'system'
FROM plan pl JOIN props pr ON pr.Property = pl.Property
JOIN months m ON m.m > pl.Move_In AND m.m <= coalesce(pl.Move_Out, '2026-12-31')
WHERE pl.kind <> 'APPL' AND pl.g % 6 = 2;

INSERT INTO chg
SELECT o.Property, o.Resident, pl.Lease, pl.Unit,
       CASE o.OtherUnitType WHEN 'GARAGE' THEN 'GARG' WHEN 'STORAGE' THEN 'STOR' ELSE 'CARP' END,
       o.Description || ' ' || strftime('%m/%Y', m.m), o.Rent, m.m,
       pr.prefix || substr(strftime('%Y%m%d', m.m), 3) || 'R', pr.idx * 100 + m.idx, 'system'
FROM tblOtherUnit o JOIN props pr ON pr.Property = o.Property
JOIN plan pl ON 'R' || (10000 + pl.p) = o.Resident
JOIN months m ON m.m >= o.Rented_Date AND m.m > pl.Move_In;

INSERT INTO chg
SELECT c.Property, c.Resident, c.Lease, c.Unit, 'CONC', c.Description || ' ' || strftime('%m/%Y', m.m),
       -c.Monthly_Amount, m.m, pr.prefix || substr(strftime('%Y%m%d', m.m), 3) || 'R', pr.idx * 100 + m.idx, 'system'
FROM tblConcession c JOIN props pr ON pr.Property = c.Property
JOIN months m ON m.m BETWEEN c.Start_Date AND c.End_Date;

-- Move-in day: deposit and application fee (the books start in 2025).
INSERT INTO chg
SELECT pl.Property, 'R' || (10000 + pl.p), pl.Lease, pl.Unit, x.Charge_Type, x.Description,
       CASE x.Charge_Type WHEN 'DEP' THEN 200 + 100 * pl.Bedrooms ELSE 45 END, pl.Move_In,
       pr.prefix || substr(strftime('%Y%m%d', pl.Move_In), 3) || 'M', NULL, pr.operator1
FROM plan pl JOIN props pr ON pr.Property = pl.Property
JOIN (SELECT 'DEP' AS Charge_Type, 'Security deposit' AS Description
      UNION ALL SELECT 'APPF', 'Application fee') x
WHERE pl.kind <> 'APPL' AND pl.Move_In >= '2025-01-01';

INSERT INTO chg
SELECT pl.Property, 'R' || (10000 + pl.p), pl.Lease, pl.Unit, 'CLEAN', 'Move-out cleaning', 150, pl.Move_Out,
       pr.prefix || substr(strftime('%Y%m%d', pl.Move_Out), 3) || 'M', NULL, pr.operator1
FROM plan pl JOIN props pr ON pr.Property = pl.Property WHERE pl.kind = 'PRIOR'
UNION ALL
SELECT pl.Property, 'R' || (10000 + pl.p), pl.Lease, pl.Unit, 'DAMG', 'Carpet damage', 85, pl.Move_Out,
       pr.prefix || substr(strftime('%Y%m%d', pl.Move_Out), 3) || 'M', NULL, pr.operator1
FROM plan pl JOIN props pr ON pr.Property = pl.Property WHERE pl.kind = 'PRIOR' AND pl.g % 5 = 0;

-- Utility billing for whole months occupied in 2026, posted on the 1st of the next month: water
-- and sewer allocated at OAK and PINE, electric submetered at CEDAR, trash everywhere.
INSERT INTO tblUtilityBilling (UBID, Property, Unit, Resident, ChargeType, Bill_Type, Bill_Start,
                               Bill_End, Prev_Reading, Curr_Reading, Usage, Rate, Amount, Posted_Date)
SELECT row_number() OVER (ORDER BY x.Posted_Date, x.Property, x.Unit, x.ChargeType), x.*
FROM (SELECT pl.Property, pl.Unit, 'R' || (10000 + pl.p) AS Resident, t.ChargeType,
             CASE t.ChargeType WHEN 'ELEC' THEN 'Submetered' ELSE 'Allocated' END,
             m.m, date(m.m, '+1 month', '-1 day'),
             CASE WHEN t.ChargeType = 'ELEC' THEN 10000 + pl.g * 90 + m.idx * 400 END,
             CASE WHEN t.ChargeType = 'ELEC' THEN 10000 + pl.g * 90 + m.idx * 400 + 300 + (pl.g * 17 + m.idx * 29) % 400 END,
             CASE t.ChargeType WHEN 'ELEC' THEN 300 + (pl.g * 17 + m.idx * 29) % 400
                               WHEN 'WATR' THEN 2 + pl.Bedrooms + (pl.g + m.idx) % 3 ELSE 1 END,
             CASE t.ChargeType WHEN 'ELEC' THEN 0.12 WHEN 'WATR' THEN 9.5 ELSE 15 END,
             round(CASE t.ChargeType WHEN 'ELEC' THEN (300 + (pl.g * 17 + m.idx * 29) % 400) * 0.12
                                     WHEN 'WATR' THEN (2 + pl.Bedrooms + (pl.g + m.idx) % 3) * 9.5 ELSE 15 END, 2),
             date(m.m, '+1 month') AS Posted_Date
      FROM plan pl
      JOIN months m ON m.m BETWEEN '2026-01-01' AND '2026-11-01' AND pl.Move_In <= m.m
                   AND coalesce(pl.Move_Out, '9999-12-31') >= date(m.m, '+1 month', '-1 day')
      JOIN (SELECT 'WATR' AS ChargeType UNION ALL SELECT 'TRSH' UNION ALL SELECT 'ELEC') t
        ON (t.ChargeType = 'ELEC') = (pl.Property = 'CEDAR') OR t.ChargeType = 'TRSH'
      WHERE pl.kind <> 'APPL') AS x;

INSERT INTO chg
SELECT ub.Property, ub.Resident, pl.Lease, ub.Unit, ub.ChargeType,
       ct.Charge_Description || ' ' || strftime('%m/%d', ub.Bill_Start) || '-' || strftime('%m/%d', ub.Bill_End),
       ub.Amount, ub.Posted_Date, pr.prefix || substr(strftime('%Y%m%d', ub.Posted_Date), 3) || 'U', NULL, pr.operator1
FROM tblUtilityBilling ub
JOIN props pr ON pr.Property = ub.Property
JOIN tblProperty p ON p.Property = ub.Property
JOIN tblCharge_Type ct ON ct.Charge_Type_Table = p.Charge_Type_Table AND ct.Charge_Type = ub.ChargeType
JOIN plan pl ON 'R' || (10000 + pl.p) = ub.Resident;

-- Payment habits by b: 0-13 on time (0-4 by ACH import), 14-16 late, 17 stops paying in October
-- 2026 (a former resident with b 17 left owing the last month), 18 pays half from September 2026,
-- 19 paid January's rent in advance with December's.
CREATE TEMP TABLE due AS
SELECT c.Property, c.Resident, c.Lease, c.Unit, date(c.Charge_Date, 'start of month') AS m,
       sum(c.Amount) AS Amount, pl.b, pl.g, pl.p, pl.kind, pl.Rent, pl.Move_Out,
       max(c.Charge_Date) AS Last_Charge
FROM chg c JOIN plan pl ON pl.Lease = c.Lease
GROUP BY c.Lease, date(c.Charge_Date, 'start of month');

INSERT INTO chg
SELECT d.Property, d.Resident, d.Lease, d.Unit, 'LATE', 'Late fee ' || strftime('%m/%Y', d.m),
       tp.Late_Fee, date(d.m, '+5 days'), pr.prefix || substr(strftime('%Y%m%d', d.m, '+5 days'), 3) || 'L', NULL,
       pr.operator1
FROM due d JOIN props pr ON pr.Property = d.Property JOIN tblProperty tp ON tp.Property = d.Property
WHERE (d.b BETWEEN 14 AND 16 OR (d.b = 17 AND d.m >= '2026-10-01') OR (d.b = 18 AND d.m >= '2026-09-01'))
  AND d.kind <> 'PRIOR' AND date(d.m, '+5 days') <= '2026-12-06';

INSERT INTO tblCharge (ChargeID, Property, Resident, Lease, Unit, Charge_Type, Description, Amount,
                       Charge_Date, Acctg_Date, Trans_Date, Batch, RunID, Operator_Stamp)
SELECT row_number() OVER (ORDER BY Charge_Date, Property, Unit, Resident, Charge_Type, Description),
       Property, Resident, Lease, Unit, Charge_Type, Description, Amount, Charge_Date,
       date(Charge_Date, 'start of month'), Charge_Date, Batch, RunID, Operator
FROM chg;

-- Payments ----------------------------------------------------------------------------------------

CREATE TEMP TABLE pay AS
SELECT d.Property, d.Resident, d.Lease, d.Unit,
       CASE WHEN d.b < 5 THEN 'ACH' WHEN d.b < 10 THEN 'Check' WHEN d.b < 12 THEN 'Money Order'
            WHEN d.b < 14 THEN 'Credit Card' ELSE 'Check' END AS Payment_Type,
       round(CASE WHEN d.b = 18 AND d.m >= '2026-09-01' THEN d.Amount / 2
                  WHEN d.b = 19 AND d.m = '2026-12-01' THEN d.Amount + d.Rent
                  ELSE d.Amount END
             + coalesce((SELECT sum(c.Amount) FROM chg c WHERE c.Lease = d.Lease AND c.Charge_Type = 'LATE'
                         AND date(c.Charge_Date, 'start of month') = d.m AND d.b BETWEEN 14 AND 16), 0), 2) AS Amount,
       max(d.Last_Charge, CASE WHEN d.b < 5 THEN date(d.m, '+2 days')
                               WHEN d.b BETWEEN 14 AND 16 THEN date(d.m, '+' || (8 + d.g % 4) || ' days')
                               ELSE date(d.m, '+' || ((d.g + CAST(strftime('%m', d.m) AS int)) % 5) || ' days') END) AS Payment_Date,
       d.p, d.m, d.b
FROM due d
WHERE NOT (d.b = 17 AND (d.m >= '2026-10-01' OR (d.kind = 'PRIOR' AND d.m = date(d.Move_Out, 'start of month'))));

DELETE FROM pay WHERE Payment_Date > '2026-12-06';

INSERT INTO tblPayment (PaymentID, Batch, Misc_Property, Resident, Lease, Unit, Payment_Type, Check_Num,
                        Amount, Payment_Date, Acctg_Date, Date_Stamp, Operator_Stamp, Batch_Source, NSF,
                        NSF_Date, NSF_Reason, Memo)
SELECT row_number() OVER (ORDER BY py.Payment_Date, py.Property, py.Unit, py.Resident),
       pr.prefix || substr(strftime('%Y%m%d', py.Payment_Date), 3) || CASE WHEN py.Payment_Type = 'ACH' THEN 'I' ELSE 'C' END,
       py.Property, py.Resident, py.Lease, py.Unit, py.Payment_Type,
       CASE WHEN py.Payment_Type IN ('Check', 'Money Order') THEN CAST(1000 + (py.p * 17 + CAST(strftime('%j', py.m) AS int)) % 8000 AS text) END,
       py.Amount, py.Payment_Date, date(py.Payment_Date, 'start of month'), py.Payment_Date,
       CASE WHEN py.Payment_Type = 'ACH' THEN 'import'
            WHEN CAST(strftime('%d', py.Payment_Date) AS int) % 2 = 0 THEN pr.operator1 ELSE pr.operator2 END,
       CASE WHEN py.Payment_Type = 'ACH' THEN 'Import Payments' ELSE 'Post Cash Receipts' END,
       0, NULL, NULL,
       CASE WHEN py.b = 19 AND py.m = '2026-12-01' THEN 'Includes January rent' END
FROM pay py JOIN props pr ON pr.Property = py.Property;

-- Returned items: every 53rd check bounced five days later; the resident paid it again by money
-- order two days after that with the returned item fee.
UPDATE tblPayment SET NSF = 1, NSF_Date = date(Payment_Date, '+5 days'),
       NSF_Reason = CASE PaymentID % 3 WHEN 0 THEN 'Insufficient funds' WHEN 1 THEN 'Account closed'
                    ELSE 'Stop payment' END
WHERE Payment_Type = 'Check' AND PaymentID % 53 = 0 AND Payment_Date < '2026-11-25';

INSERT INTO tblCharge (ChargeID, Property, Resident, Lease, Unit, Charge_Type, Description, Amount,
                       Charge_Date, Acctg_Date, Trans_Date, Batch, RunID, Operator_Stamp)
SELECT (SELECT max(ChargeID) FROM tblCharge) + row_number() OVER (ORDER BY py.PaymentID),
       py.Misc_Property, py.Resident, py.Lease, py.Unit, 'NSF', 'Returned check #' || py.Check_Num, 35,
       py.NSF_Date, date(py.NSF_Date, 'start of month'), py.NSF_Date,
       pr.prefix || substr(strftime('%Y%m%d', py.NSF_Date), 3) || 'M', NULL, pr.operator1
FROM tblPayment py JOIN props pr ON pr.Property = py.Misc_Property WHERE py.NSF = 1;

INSERT INTO tblPayment (PaymentID, Batch, Misc_Property, Resident, Lease, Unit, Payment_Type, Check_Num,
                        Amount, Payment_Date, Acctg_Date, Date_Stamp, Operator_Stamp, Batch_Source, NSF, Memo)
SELECT (SELECT max(PaymentID) FROM tblPayment) + row_number() OVER (ORDER BY py.PaymentID),
       pr.prefix || substr(strftime('%Y%m%d', py.NSF_Date, '+2 days'), 3) || 'C', py.Misc_Property, py.Resident,
       py.Lease, py.Unit, 'Money Order', CAST(90000 + py.PaymentID AS text), py.Amount + 35,
       date(py.NSF_Date, '+2 days'), date(py.NSF_Date, '+2 days', 'start of month'), date(py.NSF_Date, '+2 days'),
       pr.operator1, 'Post Cash Receipts', 0, 'Replaces returned check #' || py.Check_Num
FROM tblPayment py JOIN props pr ON pr.Property = py.Misc_Property WHERE py.NSF = 1;

-- Batches, with the bank deposit of each receipts batch the next day.
INSERT INTO tblBatch (Batch, Property, Batch_Type, Batch_Date, Operator, Description, Deposit_Date,
                      Deposit_Type, Deposit_Code)
SELECT Batch, Misc_Property, 'Cash Receipts', min(Date_Stamp), min(Operator_Stamp),
       CASE WHEN min(Batch_Source) = 'Import Payments' THEN 'ACH import ' ELSE 'Receipts ' END
         || strftime('%m/%d/%Y', min(Date_Stamp)),
       date(min(Date_Stamp), '+1 day'),
       CASE WHEN Misc_Property = 'PINE' THEN 'Trust' ELSE 'Operating' END,
       CASE WHEN Misc_Property = 'PINE' THEN '1015' ELSE '1010' END
FROM tblPayment GROUP BY Batch, Misc_Property
UNION ALL
SELECT Batch, Property,
       CASE substr(Batch, -1) WHEN 'R' THEN 'Charges' WHEN 'U' THEN 'Utility' WHEN 'L' THEN 'Late Fees'
            ELSE 'Manual Charges' END,
       min(Charge_Date), min(Operator_Stamp),
       CASE substr(Batch, -1) WHEN 'R' THEN 'Monthly charges ' WHEN 'U' THEN 'Utility billing '
            WHEN 'L' THEN 'Late fees ' ELSE 'Charges ' END || strftime('%m/%d/%Y', min(Charge_Date)),
       NULL, NULL, NULL
FROM tblCharge GROUP BY Batch, Property;

-- Traffic -------------------------------------------------------------------------------------------
-- Guest cards of the people who leased since 2025 and of the applicants, prospects every other day
-- through 2025-2026 and one or two a day at each property in November and December 2026.

CREATE TEMP TABLE cards (GCardID text, Property text, Name text, First_Contact text, Contact_Type text,
                         Agent text, Source text, Unit_Class text, Desired_Move_In text, Status text,
                         Lease_Date text, Resident text, k int, Lease text, App_Status text, App_Date text);

INSERT INTO cards
SELECT NULL, pl.Property, r.Name, date(pl.App_Date, '-' || (3 + pl.g % 9) || ' days'),
       (SELECT name FROM names WHERE kind = 'contact' AND i = pl.g % 7),
       CASE WHEN pl.g % 2 = 0 THEN pr.agent1 ELSE pr.agent2 END,
       (SELECT name FROM names WHERE kind = 'source' AND i = pl.g % 8),
       u.Unit_Class, pl.Intend_Move_In,
       CASE pl.kind WHEN 'APPL' THEN 'Applied' ELSE 'Leased' END,
       CASE pl.kind WHEN 'APPL' THEN NULL ELSE pl.App_Date END,
       r.Resident, pl.g, pl.Lease,
       CASE WHEN pl.kind <> 'APPL' THEN 'Approved' WHEN pl.g % 3 = 0 THEN 'Approved' ELSE 'Pending' END,
       pl.App_Date
FROM plan pl JOIN props pr ON pr.Property = pl.Property
JOIN tblResident r ON r.Resident = 'R' || (10000 + pl.p)
LEFT JOIN tblProp_Unit u ON u.Property = pl.Property AND u.Unit = pl.Unit
WHERE pl.kind = 'APPL' OR pl.Move_In >= '2025-01-01';

INSERT INTO cards
SELECT NULL, pr.Property, ln.name || ', ' || fn.name, x.d,
       (SELECT name FROM names WHERE kind = 'contact' AND i = x.k % 7),
       CASE WHEN x.k % 2 = 0 THEN pr.agent1 ELSE pr.agent2 END,
       (SELECT name FROM names WHERE kind = 'source' AND i = (x.k * 3) % 8),
       (SELECT substr(min(((uc.SqFt * x.k) % 7) || uc.Unit_Class), 2) FROM tblUnitClass uc WHERE uc.Property = pr.Property),
       date(x.d, '+' || (20 + x.k % 40) || ' days'),
       CASE WHEN x.d >= '2026-11-01' THEN 'Prospect' WHEN x.k % 9 = 0 OR x.k % 11 = 0 THEN 'Applied' ELSE 'Lost' END,
       NULL, NULL, x.k, NULL,
       CASE WHEN x.d >= '2026-11-01' THEN CASE WHEN x.k % 5 = 0 THEN 'Pending' END
            WHEN x.k % 9 = 0 THEN 'Denied' WHEN x.k % 11 = 0 THEN 'Cancelled' END,
       date(x.d, '+2 days')
FROM (SELECT n AS k, date('2025-01-02', '+' || (n * 2) || ' days') AS d, n % 3 + 1 AS pidx
      FROM seq WHERE n < 335
      UNION ALL
      SELECT 400 + d.n * 3 + pi.n, date('2026-11-01', '+' || d.n || ' days'), pi.n + 1
      FROM seq d, (SELECT n FROM seq WHERE n < 3) pi
      WHERE d.n < 61 AND (d.n + pi.n) % 4 <> 0) x
JOIN props pr ON pr.idx = x.pidx
JOIN names ln ON ln.kind = 'last' AND ln.i = (1000 + x.k) % 50
JOIN names fn ON fn.kind = 'first' AND fn.i = ((1000 + x.k) / 50 + 3 * (1000 + x.k)) % 40;

UPDATE cards SET GCardID = (SELECT printf('GC%s%05d', pr.prefix, x.r) FROM
    (SELECT rowid AS rid, row_number() OVER (ORDER BY First_Contact, Name) AS r FROM cards) x, props pr
    WHERE x.rid = cards.rowid AND pr.Property = cards.Property);

INSERT INTO tblGuestCard (GCardID, Property, Name, Phone, Email, First_Contact, Contact_Type, Agent,
                          Source, Unit_Class, Desired_Move_In, Max_Rent, Occupants, Status, Lease_Date,
                          Resident, Notes)
SELECT GCardID, Property, Name, '(541) 555-' || printf('%04d', 1000 + (k * 89) % 9000),
       CASE WHEN k % 3 <> 0 THEN lower(replace(replace(Name, ', ', '.'), '''', '')) || '@example.net' END,
       First_Contact, Contact_Type, Agent, Source, Unit_Class, Desired_Move_In,
       (SELECT Market_Rent + 100 FROM tblUnitClass uc WHERE uc.Property = cards.Property AND uc.Unit_Class = cards.Unit_Class),
       1 + k % 3, Status, Lease_Date, Resident,
       CASE k % 6 WHEN 0 THEN 'Wants ground floor' WHEN 1 THEN 'Has a small dog' WHEN 2 THEN 'Relocating for work'
                  ELSE NULL END
FROM cards;

-- First contact, a phone follow-up two days later on every other card, and a visit on every third.
INSERT INTO tblTraffic (TrafficID, GCardID, Property, Visit_Date, Contact_Type, Agent, Unit_Shown, Notes)
SELECT row_number() OVER (ORDER BY t.Visit_Date, t.GCardID, t.Contact_Type), t.*
FROM (SELECT GCardID, Property, First_Contact AS Visit_Date, Contact_Type, Agent, NULL, 'First contact'
      FROM cards
      UNION ALL
      SELECT GCardID, Property, date(First_Contact, '+2 days'), 'Phone', Agent, NULL, 'Follow-up call'
      FROM cards WHERE k % 2 = 0
      UNION ALL
      SELECT c.GCardID, c.Property, date(c.First_Contact, '+5 days'), 'Walk In', c.Agent,
             (SELECT substr(min(printf('%02d', (u.SortOrder * 7 + c.k) % 11) || u.Unit), 3) FROM tblProp_Unit u
              WHERE u.Property = c.Property AND u.Unit_Class = c.Unit_Class), 'Toured unit'
      FROM cards c WHERE c.k % 3 = 0) AS t;

INSERT INTO tblApplication (AppID, Property, GCardID, Resident, Lease, App_Date, Status, Decision_Date, App_Fee)
SELECT row_number() OVER (ORDER BY App_Date, GCardID), Property, GCardID, Resident, Lease, App_Date, App_Status,
       CASE WHEN App_Status <> 'Pending' THEN date(App_Date, '+2 days') END, 45
FROM cards WHERE App_Status IS NOT NULL;

-- Screening exchange: leases since 2025 were accepted; of the applicants some are waiting for an
-- answer and some were never sent.
INSERT INTO tblClassicInterface (Lease, Revision_Num, Property, Sent_Date, Response_Date, Response_Code, Response_Text)
SELECT pl.Lease, pl.Revision_Num, pl.Property,
       CASE WHEN pl.kind = 'APPL' AND pl.g % 3 = 2 THEN NULL ELSE date(pl.App_Date, '+1 day') END,
       CASE WHEN pl.kind = 'APPL' AND pl.g % 3 <> 0 THEN NULL ELSE date(pl.App_Date, '+3 days') END,
       CASE WHEN pl.kind = 'APPL' AND pl.g % 3 <> 0 THEN NULL WHEN pl.g % 10 = 4 THEN 'COND' ELSE 'ACCEPT' END,
       CASE WHEN pl.kind = 'APPL' AND pl.g % 3 <> 0 THEN NULL WHEN pl.g % 10 = 4 THEN 'Accepted with additional deposit'
            ELSE 'Accepted' END
FROM plan pl WHERE pl.kind = 'APPL' OR pl.Move_In >= '2025-01-01';

INSERT INTO tblWaitList (WaitID, Property, Name, Phone, Unit_Class, Date_Added, Desired_Date, Notes)
SELECT n + 1, pr.Property, ln.name || ', ' || fn.name, '(541) 555-' || printf('%04d', 2000 + n * 131),
       CASE pr.Property WHEN 'OAK' THEN '3BR2BA' WHEN 'PINE' THEN '2BR2BA' ELSE 'TH3BR' END,
       date('2026-08-15', '+' || (n * 9) || ' days'), date('2027-01-01', '+' || (n % 4) || ' months'),
       CASE n % 3 WHEN 0 THEN 'Call before 5 pm' WHEN 1 THEN 'Needs first floor' ELSE NULL END
FROM seq JOIN props pr ON pr.idx = seq.n % 3 + 1
JOIN names ln ON ln.kind = 'last' AND ln.i = (1700 + seq.n) % 50
JOIN names fn ON fn.kind = 'first' AND fn.i = ((1700 + seq.n) / 50 + 3 * (1700 + seq.n)) % 40
WHERE seq.n < 12;

-- Service calls ------------------------------------------------------------------------------------
-- 250 calls from January 2025, every 2.7 days, and 40 more from 1 November to 5 December 2026;
-- those opened before 15 November 2026 are closed (a few old ones stay open), later ones mostly
-- open, some scheduled into January 2027.

CREATE TEMP TABLE wocat (i int PRIMARY KEY, Category text, Description text, Priority text);
INSERT INTO wocat VALUES
  (0, 'Plumbing',     'Kitchen faucet dripping',            'Normal'),
  (1, 'Appliance',    'Dishwasher not draining',            'Normal'),
  (2, 'Heating/Air',  'No heat in bedroom',                 'High'),
  (3, 'Electrical',   'Outlet in bathroom not working',     'Normal'),
  (4, 'Plumbing',     'Toilet running constantly',          'Normal'),
  (5, 'Pest Control', 'Ants in kitchen',                    'Low'),
  (6, 'Locks/Keys',   'Front door lock sticking',           'High'),
  (7, 'Appliance',    'Refrigerator not cooling',           'Urgent'),
  (8, 'Grounds',      'Sprinkler head broken near walkway', 'Low'),
  (9, 'Make Ready',   'Paint and clean for move-in',        'Normal'),
  (10, 'Heating/Air', 'Replace furnace filter',             'Low'),
  (11, 'Plumbing',    'Water heater leaking',               'Urgent');

INSERT INTO tblWorkOrder (WorkOrder, Property, Unit, Resident, Category, Description, Priority, Assigned_To,
                          DateOpened, DateScheduled, DateClosed, Labor_Hours, Cost)
SELECT 5000 + w.n, pr.Property, coalesce(u.Unit, ''),
       (SELECT min(pu.Resident) FROM tblProp_Unit_Lease pul JOIN tblLease l ON l.Lease = pul.Lease
          AND l.Revision_Num = pul.Revision_Num JOIN tblResident pu ON pu.Resident = l.Primary_Resident
        WHERE pul.Unit = u.Unit AND l.Move_In <= w.opened AND coalesce(l.Move_Out, '9999-12-31') >= w.opened),
       CASE WHEN u.Unit IS NULL THEN 'Grounds' ELSE c.Category END,
       CASE WHEN u.Unit IS NULL THEN 'Common area: ' || lower(c.Description) ELSE c.Description END,
       c.Priority, CASE WHEN w.n % 2 = 0 THEN pr.tech1 ELSE pr.tech2 END, w.opened,
       CASE WHEN w.opened >= '2026-11-25' AND w.n % 3 = 0 AND w.n % 4 <> 0 THEN date(w.opened, '+' || (30 + w.n % 20) || ' days')
            ELSE date(w.opened, '+' || (w.n % 3) || ' days') END,
       CASE WHEN w.n % 41 = 0 THEN NULL
            WHEN w.opened < '2026-11-15' THEN date(w.opened, '+' || (w.n % 6) || ' days')
            WHEN w.n % 4 = 0 AND date(w.opened, '+1 day') <= '2026-12-05' THEN date(w.opened, '+1 day') END,
       0.5 + (w.n % 8) * 0.5, round(25 + (w.n * 37) % 220 + 0.5 * (w.n % 2), 2)
FROM (SELECT n, date('2025-01-02', '+' || (n * 27 / 10) || ' days') AS opened FROM seq WHERE n < 250
      UNION ALL
      SELECT n, date('2026-11-01', '+' || ((n - 250) * 35 / 40) || ' days') FROM seq WHERE n BETWEEN 250 AND 289) w
JOIN props pr ON pr.idx = w.n % 3 + 1
LEFT JOIN units u ON u.Property = pr.Property AND u.n = 1 + (w.n * 7) % pr.units AND w.n % 10 <> 9
JOIN wocat c ON c.i = (w.n * 5) % 12;

UPDATE tblWorkOrder SET Labor_Hours = NULL, Cost = NULL WHERE DateClosed IS NULL;

-- Units that turned over recently are being made ready; a down unit is never ready.
UPDATE tblProp_Unit SET Ready_Status = 'Not Ready'
WHERE Down_Unit = 1 OR Unit IN (SELECT pl.Unit FROM plan pl WHERE pl.kind = 'PRIOR' AND pl.Move_Out >= '2026-08-15'
                                AND NOT EXISTS (SELECT 1 FROM plan c WHERE c.kind = 'CURR' AND c.Unit = pl.Unit));
UPDATE tblProp_Unit SET Ready_Date = date('2026-12-08', '+' || (SortOrder % 20) || ' days')
WHERE Ready_Status = 'Not Ready';
UPDATE tblProp_Unit SET Ready_Date = '2027-02-15' WHERE Down_Unit = 1;

-- Accounts payable ---------------------------------------------------------------------------------

INSERT INTO tblPurchaseOrder (HeaderID, Property, Vendor, PO_Num, PO_Date, Required_Date, Requested_By, Status, Ship_To)
SELECT 300 + n, pr.Property, v.Vendor, 'PO-' || (26100 + n), date('2026-01-12', '+' || (n * 23) || ' days'),
       date('2026-01-12', '+' || (n * 23 + 10) || ' days'), pr.tech1,
       CASE WHEN date('2026-01-12', '+' || (n * 23) || ' days') < '2026-11-01' THEN 'Closed' ELSE 'Open' END,
       pr.Property || ' maintenance shop'
FROM seq JOIN props pr ON pr.idx = seq.n % 3 + 1
JOIN (SELECT Vendor, row_number() OVER (ORDER BY Vendor) - 1 AS vi FROM tblVendor) v ON v.vi = (seq.n * 3) % 8
WHERE seq.n < 15;

INSERT INTO tblPurchaseOrderDetail (HeaderID, Line, Item, Description, Quantity, Unit_Price, GL_Account)
SELECT po.HeaderID, l.n, 'ITM-' || (100 + (po.HeaderID * 7 + l.n) % 60),
       CASE (po.HeaderID + l.n) % 5 WHEN 0 THEN 'Furnace filters 16x25' WHEN 1 THEN 'Interior paint, 5 gal'
            WHEN 2 THEN 'Faucet cartridge' WHEN 3 THEN 'Smoke detector' ELSE 'Door lock set' END,
       1 + (po.HeaderID + l.n) % 6, 12.5 + ((po.HeaderID * 13 + l.n * 7) % 90),
       CASE WHEN (po.HeaderID + l.n) % 5 = 1 THEN '6400' ELSE '6100' END
FROM tblPurchaseOrder po JOIN seq l ON l.n BETWEEN 1 AND 1 + po.HeaderID % 3;

INSERT INTO tblExpInvoice (HeaderID, Property, Vendor, Invoice_Num, Invoice_Date, Due_Date, Description, Status,
                           Paid_Date, Check_Num, PO_HeaderID)
SELECT 700 + n, pr.Property, v.Vendor, 'INV-' || (4400 + n * 7), x.d, date(x.d, '+30 days'),
       CASE n % 4 WHEN 0 THEN 'Monthly service' WHEN 1 THEN 'Repair call' WHEN 2 THEN 'Supplies' ELSE 'Turn work' END,
       CASE WHEN date(x.d, '+30 days') < '2026-12-06' THEN 'Paid' ELSE 'Open' END,
       CASE WHEN date(x.d, '+30 days') < '2026-12-06' THEN date(x.d, '+25 days') END,
       CASE WHEN date(x.d, '+30 days') < '2026-12-06' THEN CAST(20400 + n AS text) END,
       CASE WHEN n % 9 = 0 THEN 300 + n / 3 END
FROM seq JOIN (SELECT n AS k, date('2026-01-05', '+' || (n * 8) || ' days') AS d FROM seq WHERE n < 45) x ON x.k = seq.n
JOIN props pr ON pr.idx = seq.n % 3 + 1
JOIN (SELECT Vendor, row_number() OVER (ORDER BY Vendor) - 1 AS vi FROM tblVendor) v ON v.vi = (seq.n * 5) % 8
WHERE seq.n < 45;

INSERT INTO tblExpInvoiceDetail (HeaderID, Line, GL_Account, Description, Amount)
SELECT i.HeaderID, l.n,
       CASE i.Vendor WHEN 'GREENWY' THEN '6200' WHEN 'SUPPLY' THEN '6400' ELSE '6100' END,
       i.Description || ' - item ' || l.n, round(40 + ((i.HeaderID * 29 + l.n * 53) % 600) + 0.25 * (l.n % 4), 2)
FROM tblExpInvoice i JOIN seq l ON l.n BETWEEN 1 AND 1 + i.HeaderID % 3;

-- Custom report answers kept for OAK (the demo property).
INSERT INTO tblCustomReportParams (Property, ParamName, ParamValue) VALUES
  ('OAK', 'QZPREFILL(Start_Date)', '2026-11-01'),
  ('OAK', 'QZPREFILL(End_Date)',   '2026-11-30'),
  ('OAK', 'QZLIST(Property Selection)', 'OAK'),
  ('OAK', 'Report_Title', 'Owner''s Occupancy Review'),
  ('OAK', 'Include_Notice', 'Y'),
  ('PINE', 'QZPREFILL(Start_Date)', '2026-10-01'),
  ('PINE', 'QZPREFILL(End_Date)',   '2026-10-31');

DROP TABLE seq;
DROP TABLE names;
DROP TABLE props;
DROP TABLE months;
DROP TABLE units;
DROP TABLE plan;
DROP TABLE people;
DROP TABLE chg;
DROP TABLE due;
DROP TABLE pay;
DROP TABLE cards;
DROP TABLE wocat;
