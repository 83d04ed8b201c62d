// A host of the installed component, as the desktop application uses it: it prepares the report
// "Returned Items" with criteria answered by a script of its own (PrintReport), then the report
// "Charge Type List" from rows it builds itself (PrintRS), and writes both as text.
//
// usage: hlreports-example DATABASE DATA_FOLDER OUT_FOLDER
// DATABASE is an embedded suite database such as the demo's (hlreports builds one on first use).
// Exit codes: 0 both reports written, 1 an error, 2 wrong usage, 3 cancelled, 4 no report.
#include <hlreports/CreateObject.h>
#include <hlreports/Reports.h>
#include <hlreports/Version.h>
#include <hlreports/engine/Render.h>
#include <hlreports/runtime/ComError.h>
#include <hlreports/runtime/Session.h>
#include <hlreports/ui/AnswerFile.h>
#include <hlreports/ui/ScriptedUi.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>
#include <utility>

namespace {

// What the user would do in the criteria dialog: returned items of 2026, sorted by unit.
constexpr const char* kReturnedItemsAnswers = R"({"dialogs": [{
    "caption": "Returned Item Report Criteria",
    "do": [["set", "datDate1", "2026-01-01"], ["set", "datDate2", "2026-11-30"],
           ["click", "optSort2"], ["click", "cmdPreview"]]}]})";

// Rows in the columns of the charge type list, as a caller that already holds its data has them.
hlreports::RecordsetPtr ChargeTypes() {
    using namespace hlreports;
    auto rows = std::make_shared<Recordset>();
    for (const char* name :
         {"Charge_Type", "Charge_Description", "Charge_Class", "GL_Account", "GL_Title"}) {
        rows->AppendField(FieldInfo{.name = name, .type = adVarChar, .definedSize = 30});
    }
    rows->AppendField(FieldInfo{.name = "Recurring", .type = adBoolean, .definedSize = 2});
    rows->AppendField(FieldInfo{.name = "Default_Amount", .type = adCurrency, .definedSize = 8});
    rows->Open();
    rows->AppendRow({Variant("RNT"), Variant("Monthly rent"), Variant("Rent"), Variant("4000"),
                     Variant("Rental Income"), Variant(true), Variant::Currency(9'500'000)});
    rows->AppendRow({Variant("PET"), Variant("Pet fee"), Variant("Fee"), Variant("4100"),
                     Variant::Null(), Variant(false), Variant::Null()});
    rows->FinishLoading();
    return rows;
}

void WriteText(const std::filesystem::path& file, const std::string& text) {
    std::ofstream out(file, std::ios::binary);
    out << text;
    out.close();
    if (!out) {
        throw std::runtime_error("cannot write " + file.string());
    }
    std::cout << "wrote " << file.string() << "\n";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: hlreports-example DATABASE DATA_FOLDER OUT_FOLDER\n";
        return 2;
    }
    using namespace hlreports;
    const std::string connection = std::string("Server=(embedded);Database=") + argv[1];
    const std::filesystem::path outFolder = argv[3];
    std::cout << "libhlreports " << ComponentVersion() << "\n";
    try {
        // The screen: this host answers the dialogs from its script; message boxes go to stderr.
        TheSession().ui = std::make_shared<ScriptedUi>(
            AnswerFile::Parse(kReturnedItemsAnswers, "example answers"), std::cerr);

        auto reports = std::dynamic_pointer_cast<Reports>(CreateObject("HLReports.Reports"));
        int32_t destination = irtowindow;
        bool paramsWindow = false;
        std::string dataFolder = argv[2];
        std::string qzUser;
        std::string qzPassword;
        const std::shared_ptr<CoreReport> returnedItems = reports->PrintReport(
            "Returned Items", "01", "OAK", "Oak Terrace Apartments", connection, "manager",
            destination, paramsWindow, Variant(false), dataFolder, qzUser, qzPassword,
            Date::FromYmd(2026, 11, 30), Date::FromYmd(2026, 12, 31));
        if (!returnedItems) {
            // No report and no exception: the user cancelled (20545 pending) or nothing to print.
            return Err().Number() == ErrorNumber::UserCancelled ? 3 : 4;
        }
        WriteText(outFolder / "returned-items.txt", RenderText(*returnedItems));

        // Report parameters by position: row i, column 1 holds the i-th value.
        VariantArray parameterRows(0, 1, 0, 2);
        parameterRows.At(0, 1) = Variant("Oak Terrace Apartments");
        const Variant parameters(std::move(parameterRows));
        const std::shared_ptr<CoreReport> chargeTypes =
            reports->PrintRS("Charge Type List", ChargeTypes(), connection, parameters);
        if (!chargeTypes) {
            return 4;
        }
        WriteText(outFolder / "charge-types.txt", RenderText(*chargeTypes));
        return 0;
    } catch (const ComError& error) {
        std::cerr << "error " << error.Number() << " (" << error.Source()
                  << "): " << error.Description() << "\n";
        return 1;
    } catch (const std::exception& error) {
        std::cerr << "error: " << error.what() << "\n";
        return 1;
    }
}
