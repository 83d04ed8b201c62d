// The wrapper's roads on both backends from one table of cases: the same calls give the same
// recordsets (field names, types, sizes, values), the same outputs and the same errors on the
// embedded database and on MariaDB through ODBC.
#include <gtest/gtest.h>

#include <functional>

#include "data/clsRecordset.h"
#include "odbc_server/MariaDbFixture.h"
#include "recordset/AdoTypes.h"
#include "runtime/ComError.h"
#include "support/ResidentDatabase.h"
#include "support/TestDatabase.h"

namespace hlreports {
namespace {

constexpr const char* kTrickyText = "O'Brien; \"q\" --\nZoë 2";

// The same rows and procedures on both databases: money as DECIMAL(19,4) on the server.
const std::vector<std::string> kServerSchema = {
    "CREATE TABLE tblResident (id INT AUTO_INCREMENT PRIMARY KEY, property VARCHAR(10) NOT NULL,"
    " name VARCHAR(30), balance DECIMAL(19,4), moved DATE)",
    "INSERT INTO tblResident (property, name, balance, moved) VALUES"
    " ('P1', 'Ann Lee', 100, '2024-01-15'), ('P1', 'Bo Park', 0, NULL),"
    " ('P2', 'Cy Moss', 25.5, NULL)",
    "CREATE PROCEDURE sp_GetName(IN Description VARCHAR(60), OUT Name VARCHAR(60))"
    " SELECT r.name INTO Name FROM tblResident r WHERE r.name = Description LIMIT 1",
    "CREATE PROCEDURE sp_Residents(IN Property VARCHAR(10), IN Days INT)"
    " SELECT r.id, r.property, r.name, r.balance, r.moved FROM tblResident r"
    " WHERE r.property = Property ORDER BY r.id",
    "CREATE PROCEDURE sp_Count(IN Property VARCHAR(10), OUT Count INT) BEGIN"
    " SELECT COUNT(*) INTO Count FROM tblResident r WHERE r.property = Property;"
    " SELECT r.id, r.name FROM tblResident r WHERE r.property = Property ORDER BY r.id; END",
    "CREATE PROCEDURE sp_AddResident(IN Property VARCHAR(10), IN Name VARCHAR(60))"
    " INSERT INTO tblResident (property, name) VALUES (Property, Name)",
    "CREATE PROCEDURE sp_EchoAmount(IN Amount DECIMAL(28,6)) SELECT Amount AS Echo",
    "CREATE PROCEDURE sp_Balance(IN Property VARCHAR(10), OUT Total DECIMAL(19,4),"
    " OUT LastMove DATE) SELECT SUM(r.balance), MAX(r.moved) INTO Total, LastMove"
    " FROM tblResident r WHERE r.property = Property",
};

void BuildEmbedded(const test::TestDatabase& db) {
    db.Execute(test::kResidentSchema);
    test::AddResidentProcedures(db);
    db.AddProcedure("sp_Residents", "@Property varchar(10), @Days int = NULL",
                    "SELECT id, property, name, balance, moved FROM tblResident"
                    " WHERE property = @Property ORDER BY id");
    db.AddProcedure("sp_EchoAmount", "@Amount decimal(28,6)", "SELECT @Amount AS Echo");
    db.AddProcedure("sp_Balance",
                    "@Property varchar(10), @Total money OUTPUT, @LastMove date OUTPUT",
                    "SELECT sum(balance) AS \"@Total\", max(moved) AS \"@LastMove\""
                    " FROM tblResident WHERE property = @Property");
}

// Fields (name, type, size) and every row, as text.
std::string Render(const RecordsetPtr& rows) {
    if (!rows) {
        return "(no recordset)";
    }
    if (!rows->IsOpen()) {
        return "(closed)";
    }
    std::string text;
    for (int i = 0; i < rows->FieldCount(); ++i) {
        const FieldInfo& field = rows->Field(i);
        text += field.name + ":" + std::to_string(field.type) + "/" +
                std::to_string(field.definedSize) + " ";
    }
    for (rows->MoveFirst(); !rows->EOF(); rows->MoveNext()) {
        text += "\n";
        for (int i = 0; i < rows->FieldCount(); ++i) {
            Variant value = rows->Value(i);
            text += (value.IsNull() ? std::string("NULL") : value.DisplayText()) + "|";
        }
    }
    return text;
}

using Road = std::function<std::string(clsRecordset&)>;

struct RoadCase {
    const char* name;
    Road run;
    const char* expected;  // what both must give
};

std::string Outcome(clsRecordset& rs, const Road& road) {
    try {
        return road(rs);
    } catch (const ComError& error) {
        return "error " + std::to_string(error.Number()) + " (" + error.Source() +
               "): " + error.Description();
    }
}

SPParams Inputs(std::initializer_list<std::pair<const char*, Variant>> values) {
    SPParams params;
    for (const auto& [name, value] : values) {
        params.Add(name, adVarChar, 60, adParamInput, value);
    }
    return params;
}

std::vector<RoadCase> Cases() {
    return {
        {"RunSPReturnValue copies the output back",
         [](clsRecordset& rs) {
             SPParams params = Inputs({{"@Description", "Ann Lee"}});
             params.Add("@Name", adVarChar, 60, adParamOutput, Variant::Missing());
             rs.RunSPReturnValue("sp_GetName", params);
             return params.GetValue("@Name").DisplayText();
         },
         "Ann Lee"},
        {"an output the procedure leaves NULL comes back Null, not an empty text",
         [](clsRecordset& rs) {
             SPParams params = Inputs({{"@Description", "Nobody"}});
             params.Add("@Name", adVarChar, 60, adParamOutput, Variant::Missing());
             rs.RunSPReturnValue("sp_GetName", params);
             return std::string(params.GetValue("@Name").IsNull() ? "Null" : "not Null");
         },
         "Null"},
        {"text with quotes, semicolons and line breaks reaches the procedure unchanged",
         [](clsRecordset& rs) {
             SPParams add = Inputs({{"@Property", "P9"}, {"@Name", kTrickyText}});
             rs.RunSP("sp_AddResident", &add);
             SPParams get = Inputs({{"@Description", kTrickyText}});
             get.Add("@Name", adVarChar, 60, adParamOutput, Variant::Missing());
             rs.RunSPReturnValue("sp_GetName", get);
             return std::string(get.GetValue("@Name").DisplayText() == kTrickyText ? "same"
                                                                                   : "changed");
         },
         "same"},
        {"RunSPRetRSOutParams gives the rows and the output",
         [](clsRecordset& rs) {
             SPParams params = Inputs({{"@Property", "P1"}});
             params.Add("@Count", adInteger, 4, adParamOutput, Variant::Missing());
             RecordsetPtr rows;
             rs.RunSPRetRSOutParams("sp_Count", &params, rows, false);
             return Render(rows) + "\n@Count=" + params.GetValue("@Count").DisplayText();
         },
         "id:3/4 name:200/30 \n1|Ann Lee|\n2|Bo Park|\n@Count=2"},
        {"money and date outputs come back exactly",
         [](clsRecordset& rs) {
             SPParams params = Inputs({{"@Property", "P1"}});
             params.Add("@Total", adCurrency, 8, adParamOutput, Variant::Missing());
             params.Add("@LastMove", adDBDate, 0, adParamOutput, Variant::Missing());
             rs.RunSPReturnValue("sp_Balance", params);
             return params.GetValue("@Total").DisplayText() + " " +
                    params.GetValue("@LastMove").DisplayText();
         },
         "100 1/15/2024"},
        {"a decimal keeps every digit on the text road",
         [](clsRecordset& rs) {
             SPParams params;
             params.Add("@Amount", adNumeric, 19, adParamInput,
                        *Decimal::Parse("-9999999999999999999999.999999"));
             RecordsetPtr rows;
             rs.RunSpRetRS("sp_EchoAmount", rows, &params, false);
             return rows->Value("Echo").ToString();
         },
         "-9999999999999999999999.999999"},
        {"RunSpRetRS runs the argument text with bound values",
         [](clsRecordset& rs) {
             SPParams params = Inputs({{"@Property", "P1"}});
             RecordsetPtr rows;
             rs.RunSpRetRS("sp_Residents", rows, &params, false);
             return Render(rows);
         },
         "id:3/4 property:200/10 name:200/30 balance:6/8 moved:133/6 "
         "\n1|P1|Ann Lee|100|1/15/2024|\n2|P1|Bo Park|0|NULL|"},
        {"GetRS of plain SQL",
         [](clsRecordset& rs) {
             RecordsetPtr rows;
             rs.GetRS("SELECT name, balance FROM tblResident WHERE balance > 20 ORDER BY id", rows,
                      false);
             return Render(rows);
         },
         "name:200/30 balance:6/8 \nAnn Lee|100|\nCy Moss|25.5|"},
        {"ExecuteRS changes rows",
         [](clsRecordset& rs) {
             rs.ExecuteRS("UPDATE tblResident SET name = 'Zed' WHERE id = 2");
             RecordsetPtr rows;
             rs.GetRS("SELECT name FROM tblResident WHERE id = 2", rows, false);
             return Render(rows);
         },
         "name:200/30 \nZed|"},
        {"a positional text call",
         [](clsRecordset& rs) {
             RecordsetPtr rows;
             rs.GetRS("EXEC sp_Residents 'P2'", rows, false);
             return Render(rows);
         },
         "id:3/4 property:200/10 name:200/30 balance:6/8 moved:133/6 \n3|P2|Cy Moss|25.5|NULL|"},
        {"RSRequery sees new rows",
         [](clsRecordset& rs) {
             SPParams params = Inputs({{"@Property", "P2"}});
             RecordsetPtr rows;
             rs.RunSpRetRS("sp_Residents", rows, &params, false);
             SPParams add = Inputs({{"@Property", "P2"}, {"@Name", "Di Reyes"}});
             rs.RunSP("sp_AddResident", &add);
             rs.RSRequery(*rows);
             return std::to_string(rows->RecordCount());
         },
         "2"},
        {"RSUpdateBatch writes edits, additions and deletions",
         [](clsRecordset& rs) {
             RecordsetPtr rows;
             rs.GetRS("SELECT id, property, name, balance FROM tblResident ORDER BY id", rows,
                      true);
             rows->MoveFirst();
             rows->SetValue("name", Variant("Ann O'Lee"));
             rows->Update();
             rows->MoveNext();
             rows->Delete();
             rows->AddNew();
             rows->SetValue("property", Variant("P3"));
             rows->SetValue("name", Variant("Eve Ng"));
             rows->SetValue("balance", Variant::Currency(123456));
             rows->Update();
             rs.RSUpdateBatch(rows, false);
             RecordsetPtr after;
             rs.GetRS("SELECT property, name, balance FROM tblResident ORDER BY id", after, false);
             return Render(after);
         },
         "property:200/10 name:200/30 balance:6/8 \nP1|Ann O'Lee|100|\nP2|Cy Moss|25.5|"
         "\nP3|Eve Ng|12.3456|"},
        {"a rolled back transaction leaves nothing",
         [](clsRecordset& rs) {
             rs.BeginTX();
             SPParams add = Inputs({{"@Property", "P1"}, {"@Name", "Gone"}});
             rs.RunSP("sp_AddResident", &add);
             rs.RollbackTX();
             RecordsetPtr rows;
             rs.GetRS("SELECT count(*) AS n FROM tblResident WHERE name = 'Gone'", rows, false);
             rows->MoveFirst();
             return rows->Value(0).DisplayText();
         },
         "0"},
        {"a committed transaction keeps its work",
         [](clsRecordset& rs) {
             rs.BeginTX();
             SPParams add = Inputs({{"@Property", "P1"}, {"@Name", "Kept"}});
             rs.RunSP("sp_AddResident", &add);
             rs.CommitTX();
             RecordsetPtr rows;
             rs.GetRS("SELECT name FROM tblResident WHERE name = 'Kept'", rows, false);
             return Render(rows);
         },
         "name:200/30 \nKept|"},
        {"a procedure that does not exist",
         [](clsRecordset& rs) {
             RecordsetPtr rows;
             rs.RunSpRetRS("sp_Missing", rows, nullptr, false);
             return Render(rows);
         },
         "error 3207 (clsRecordset.RunSpRetRS): Could not find stored procedure 'sp_Missing'. "
         "SP:sp_Missing"},
        {"a parameter list whose name differs from the declaration",
         [](clsRecordset& rs) {
             SPParams params = Inputs({{"@Desc", "Ann Lee"}});
             params.Add("@Name", adVarChar, 60, adParamOutput, Variant::Missing());
             rs.RunSPReturnValue("sp_GetName", params);
             return std::string("ran");
         },
         "error 3201 (clsRecordset.RunSPReturnValue): procedure sp_GetName: argument 1 is @Desc "
         "but the procedure declares @Description there SP:sp_GetName"},
        {"too many arguments in a text call",
         [](clsRecordset& rs) {
             RecordsetPtr rows;
             rs.GetRS("sp_Residents 'P1', 7, 8", rows, false);
             return Render(rows);
         },
         "error 3208 (clsRecordset.GetRS): procedure sp_Residents has too many arguments "
         "specified SQL:sp_Residents 'P1', 7, 8"},
        {"a text argument that is not a number for a number parameter",
         [](clsRecordset& rs) {
             RecordsetPtr rows;
             rs.GetRS("sp_Residents @Property='P1', @Days='abc'", rows, false);
             return Render(rows);
         },
         "error 3208 (clsRecordset.GetRS): procedure sp_Residents: parameter @Days: 'abc' is not "
         "a number SQL:sp_Residents @Property='P1', @Days='abc'"},
        {"a named argument the procedure does not declare",
         [](clsRecordset& rs) {
             RecordsetPtr rows;
             rs.GetRS("sp_Residents @Property='P1', @Weeks=2", rows, false);
             return Render(rows);
         },
         "error 3208 (clsRecordset.GetRS): procedure sp_Residents: @Weeks is not a parameter of "
         "the procedure SQL:sp_Residents @Property='P1', @Weeks=2"},
    };
}

class RoadCases : public test::MariaDbTest {};

// Each case gives the expected outcome on the embedded database and the same on MariaDB.
TEST_F(RoadCases, SameOnBothBackends) {
    Execute(kServerSchema);
    for (const RoadCase& c : Cases()) {
        SCOPED_TRACE(c.name);
        test::TestDatabase embedded;
        BuildEmbedded(embedded);
        clsRecordset onEmbedded;
        onEmbedded.SetConnectionString(embedded.ConnectionString());
        EXPECT_EQ(Outcome(onEmbedded, c.run), c.expected) << "embedded";

        Execute({"DELETE FROM tblResident", "ALTER TABLE tblResident AUTO_INCREMENT = 1",
                 kServerSchema[1]});
        clsRecordset onServer;
        onServer.SetConnectionString(ConnectionString());
        EXPECT_EQ(Outcome(onServer, c.run), c.expected) << "MariaDB";
        EXPECT_FALSE(onServer.IsConnectionOpen());
    }
}

}  // namespace
}  // namespace hlreports
