-- Setup and report library procedures.
--
-- Procedures are rows of sys_procedures: params lists the parameters in declaration order (calls
-- through a parameter list bind by that position), body holds SQLite statements using @Name. A
-- SELECT whose columns are all named "@Name" assigns output parameters from its first row, NULL
-- when it has none; the last other row-returning statement gives the result rows.

-- A property's setup value, else the default row (Property = ''); NULL when neither exists.
INSERT INTO sys_procedures (name, params, body) VALUES ('sp_GetSetupInfo',
'@Property varchar(10), @Setting varchar(30), @SettingValue varchar(255) OUTPUT', '
SELECT coalesce((SELECT SettingValue FROM tblSetup WHERE Property = @Property AND Setting = @Setting),
                (SELECT SettingValue FROM tblSetup WHERE Property = '''' AND Setting = @Setting))
       AS "@SettingValue";
');

-- The report file of a library description; NULL when the description is unknown.
INSERT INTO sys_procedures (name, params, body) VALUES ('sp_Rep_GetReportName',
'@Description varchar(30), @Name varchar(30) OUTPUT', '
SELECT Name AS "@Name" FROM tblReportLib WHERE Description = @Description;
');

INSERT INTO sys_procedures (name, params, body) VALUES ('sp_GetDataFolder', '', '
SELECT Data_Folder FROM tblDataFolder;
');

INSERT INTO sys_procedures (name, params, body) VALUES ('sp_GetPropertyInfo',
'@Property varchar(10), @DBVersion varchar(10) OUTPUT', '
SELECT SettingValue AS "@DBVersion" FROM tblSetup WHERE Property = '''' AND Setting = ''DBVersion'';
SELECT Property, Name, Addressee, Address1, Address2, City, State, Zip, Phone, Manager,
       Charge_Type_Table, Default_Charge_Type, Deposit_Charge_Type, Occ_Proration_Opt, Late_Fee,
       Grace_Days, Period_End, Fiscal_Year_End, LastStatementDate
FROM tblProperty WHERE Property = @Property;
');

-- Stored answers of custom report parameters for a property.
INSERT INTO sys_procedures (name, params, body) VALUES ('sp_rep_CustomReportParams',
'@Property varchar(10)', '
SELECT ParamName, ParamValue FROM tblCustomReportParams WHERE Property = @Property ORDER BY ParamName;
');
