-- Setup and report library procedures of the demo on MariaDB: the port of
-- demo/sql/030-procedures-setup.sql. Parameters carry the names the wrapper sends, without the
-- "@" (Property for @Property), in the same order. A parameter hides a column of the same name
-- inside a procedure, so every column is written with its table's alias. Outputs are OUT
-- parameters; rows are the procedure's first result set.

SET sql_mode = 'STRICT_TRANS_TABLES,NO_ENGINE_SUBSTITUTION';
DELIMITER //

-- A property's setup value, else the default row (Property = ''); NULL when neither exists.
CREATE PROCEDURE sp_GetSetupInfo(IN Property VARCHAR(10), IN Setting VARCHAR(30),
                                 OUT SettingValue VARCHAR(255))
SET SettingValue = COALESCE(
    (SELECT s.SettingValue FROM tblSetup s WHERE s.Property = Property AND s.Setting = Setting),
    (SELECT s.SettingValue FROM tblSetup s WHERE s.Property = '' AND s.Setting = Setting))//

-- The report file of a library description; NULL when the description is unknown. The file of
-- a custom report is a full path, longer than the 30 characters the wrapper asks for.
CREATE PROCEDURE sp_Rep_GetReportName(IN Description VARCHAR(30), OUT Name VARCHAR(255))
SET Name = (SELECT rl.Name FROM tblReportLib rl WHERE rl.Description = Description)//

CREATE PROCEDURE sp_GetDataFolder()
SELECT d.Data_Folder FROM tblDataFolder d//

-- The property's row, and the database version as an output.
CREATE PROCEDURE sp_GetPropertyInfo(IN Property VARCHAR(10), OUT DBVersion VARCHAR(10))
BEGIN
    SET DBVersion = (SELECT s.SettingValue FROM tblSetup s
                     WHERE s.Property = '' AND s.Setting = 'DBVersion');
    SELECT p.Property, p.Name, p.Addressee, p.Address1, p.Address2, p.City, p.State, p.Zip,
           p.Phone, p.Manager, p.Charge_Type_Table, p.Default_Charge_Type, p.Deposit_Charge_Type,
           p.Occ_Proration_Opt, p.Late_Fee, p.Grace_Days, p.Period_End, p.Fiscal_Year_End,
           p.LastStatementDate
    FROM tblProperty p WHERE p.Property = Property;
END//

-- Stored answers of custom report parameters for a property.
CREATE PROCEDURE sp_rep_CustomReportParams(IN Property VARCHAR(10))
SELECT c.ParamName, c.ParamValue FROM tblCustomReportParams c
WHERE c.Property = Property ORDER BY c.ParamName//

DELIMITER ;
