// Helpers of the engine tests; see EngineFixtures.h.
#include <gtest/gtest.h>

#include "engine/EngineFixtures.h"

namespace hlreports::test {
namespace {

std::string Escaped(const std::string& text) {
    std::string out;
    for (const char c : text) {
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '\'':
                out += "&apos;";
                break;
            default:
                out += c;
        }
    }
    return out;
}

std::string DataType(const std::string& dtType) {
    if (dtType == "int") {
        return "dt:type='int' dt:maxLength='4' rs:precision='10' rs:fixedlength='true'";
    }
    if (dtType == "float") {
        return "dt:type='float' dt:maxLength='8' rs:precision='15' rs:fixedlength='true'";
    }
    if (dtType == "currency") {
        return "dt:type='number' rs:dbtype='currency' dt:maxLength='8' rs:precision='19' "
               "rs:fixedlength='true'";
    }
    if (dtType == "dateTime") {
        return "dt:type='dateTime' rs:dbtype='variantdate' dt:maxLength='16' rs:fixedlength='true'";
    }
    return "dt:type='string' rs:dbtype='str' dt:maxLength='50'";
}

}  // namespace

std::string RowsXml(const std::vector<TestField>& fields, const std::vector<TestRow>& rows) {
    std::string xml =
        "<xml xmlns:s='uuid:BDC6E3F0-6DA3-11d1-A2A3-00AA00C14882'\n"
        "\txmlns:dt='uuid:C2F41010-65B3-11d1-A29F-00AA00C14882'\n"
        "\txmlns:rs='urn:schemas-microsoft-com:rowset'\n"
        "\txmlns:z='#RowsetSchema'>\n"
        "<s:Schema id='RowsetSchema'>\n"
        "\t<s:ElementType name='row' content='eltOnly'>\n";
    for (std::size_t i = 0; i < fields.size(); ++i) {
        xml += "\t\t<s:AttributeType name='" + fields[i].name + "' rs:number='" +
               std::to_string(i + 1) + "' rs:nullable='true'>\n\t\t\t<s:datatype " +
               DataType(fields[i].dtType) + "/>\n\t\t</s:AttributeType>\n";
    }
    xml += "\t\t<s:extends type='rs:rowbase'/>\n\t</s:ElementType>\n</s:Schema>\n<rs:data>\n";
    for (const TestRow& row : rows) {
        xml += "\t<z:row";
        for (std::size_t i = 0; i < row.size() && i < fields.size(); ++i) {
            if (row[i]) {
                xml += " " + fields[i].name + "='" + Escaped(*row[i]) + "'";
            }
        }
        xml += "/>\n";
    }
    xml += "</rs:data>\n</xml>";
    return xml;
}

std::shared_ptr<CoreReport> LoadReport(const TempDir& folder, const std::string& xml,
                                       const std::string& fileName) {
    auto report = CoreEngine().NewReport();
    report->Load(folder.WriteFile(fileName, xml).string());
    return report;
}

}  // namespace hlreports::test
