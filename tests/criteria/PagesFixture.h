// The fixture of the special-page tests: the criteria dialog fixture with the tables that the
// pages' list queries read, for the property "O'K" (an apostrophe in its id) and a second
// property "P2" whose rows must never reach a list of "O'K".
#pragma once

#include <string>
#include <vector>

#include "criteria/CriteriaFixture.h"
#include "criteria/frmRepCriteria.h"

namespace hlreports::test {

class PagesTest : public CriteriaTest {
  protected:
    void SetUp() override {
        CriteriaTest::SetUp();
        TheSession().settings.propertyId = "O'K";
        TheSession().settings.propertyName = "Oak Knoll";
        db.Execute(
            "CREATE TABLE tblWorkOrder (WorkOrder int, Property TEXT, Unit TEXT, DateClosed date);"
            "INSERT INTO tblWorkOrder VALUES (101, 'O''K', 'A1', NULL), (102, 'O''K', 'B2',"
            " '2024-01-05'), (103, 'O''K', '', NULL), (104, 'O''K', 'A1', '2024-02-01'),"
            " (201, 'P2', 'Z9', NULL);"
            "CREATE TABLE tblProp_Unit (Property TEXT, Unit TEXT, SortOrder int);"
            "INSERT INTO tblProp_Unit VALUES ('O''K', 'A1', 1), ('O''K', 'B2', 2),"
            " ('O''K', 'C3', 3), ('P2', 'Z9', 1);"
            "CREATE TABLE tblResident (Resident TEXT, Name TEXT, Account_Status TEXT);"
            "INSERT INTO tblResident VALUES ('R1', 'Adams', 'Active'), ('R2', 'O''Brien',"
            " 'Closed'), ('R3', 'Baker', 'Active'), ('R9', 'Zed', 'Active');"
            "CREATE TABLE tblLease (Lease TEXT, Revision_Num int, Property TEXT,"
            " Primary_Resident TEXT);"
            "INSERT INTO tblLease VALUES ('L1', 1, 'O''K', 'R1'), ('L2', 1, 'O''K', 'R2'),"
            " ('L3', 1, 'O''K', 'R3'), ('L9', 1, 'P2', 'R9');"
            "CREATE TABLE tblResident_Lease (Resident TEXT, Lease TEXT, Revision_Num int);"
            "INSERT INTO tblResident_Lease VALUES ('R1', 'L1', 1), ('R2', 'L2', 1),"
            " ('R3', 'L3', 1), ('R9', 'L9', 1);"
            "CREATE TABLE tblProperty (Property TEXT, Charge_Type_Table TEXT);"
            "INSERT INTO tblProperty VALUES ('O''K', 'T1'), ('P2', 'T1');"
            "CREATE TABLE tblCharge_Type (Charge_Type_Table TEXT, Charge_Type TEXT,"
            " Charge_Description TEXT);"
            "INSERT INTO tblCharge_Type VALUES ('T1', 'WTR', 'Water'), ('T1', 'GAS', 'Gas'),"
            " ('T1', 'ELE', 'Electric');"
            "CREATE TABLE tblUtilityBilling (Property TEXT, Unit TEXT, ChargeType TEXT);"
            "INSERT INTO tblUtilityBilling VALUES ('O''K', 'A1', 'WTR'), ('O''K', 'B2', 'GAS'),"
            " ('O''K', 'A1', 'WTR'), ('P2', 'Z9', 'ELE');"
            "CREATE TABLE tblProp_Unit_Lease (Property TEXT, Unit TEXT, Lease TEXT,"
            " Revision_Num int);"
            "INSERT INTO tblProp_Unit_Lease VALUES ('O''K', 'A1', 'L1', 1), ('O''K', 'B2', 'L3',"
            " 1), ('P2', 'Z9', 'L9', 1);");
    }

    // The list's rows, each as its cells joined by a tab.
    static std::vector<std::string> Rows(const Control& list) {
        std::vector<std::string> rows;
        for (int row = 0; row < list.List().RowCount(); ++row) {
            const std::vector<std::string>& cells = list.List().Row(row);
            std::string text;
            for (std::size_t i = 0; i < cells.size(); ++i) {
                text += (i == 0 ? "" : "\t") + cells[i];
            }
            rows.push_back(text);
        }
        return rows;
    }
    static frmRepCriteria& Criteria(Form& form) { return static_cast<frmRepCriteria&>(form); }
};

}  // namespace hlreports::test
