// The demo's custom reports asked in the prompt form, run by the host from their answer files:
// every parameter's saved value, the property list by user, and list SQL that is refused.
#include <gtest/gtest.h>

#include <algorithm>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>

#include "apps/HostFixture.h"
#include "hlreports/HostCommand.h"

namespace hlreports::test {
namespace {

using host::PrintRequest;
using host::RunPrint;

PrintRequest Request(const std::string& description, const std::string& answers,
                     const std::string& outFile) {
    PrintRequest request;
    request.description = description;
    request.answersFile = SourcePath("demo/answers/custom/" + answers).string();
    request.outFile = outFile;
    request.periodEnd = "11/30/2026";
    return request;
}

// name -> current values as JSON
nlohmann::json ValuesByName(const std::string& jsonText) {
    nlohmann::json values = nlohmann::json::object();
    const nlohmann::json document = nlohmann::json::parse(jsonText);
    for (const auto& parameter : document["parameters"]) {
        values[parameter["name"].get<std::string>()] = parameter["current_values"];
    }
    return values;
}

// The report with every line kind saves each answer by its type: lists, a range, a Boolean, dates
// typed, chosen in the calendar and as they came, the combo's value and the text line's blanks.
TEST_F(HostTest, ResidentReviewSavesEveryAnswer) {
    std::ostringstream errors;
    const auto out = (files / "review.json").string();
    ASSERT_EQ(RunPrint(Request("Resident Review", "ResidentReview.json", out), errors),
              host::ExitReport)
        << errors.str();
    const nlohmann::json values = ValuesByName(FileText(out));
    const auto one = [](const nlohmann::json& value) {
        return nlohmann::json::array({{{"value", value}}});
    };
    EXPECT_EQ(values["QZPROMPT(Intro)"], one("  "));
    EXPECT_EQ(values["QZLIST(Property Selection)"].size(), 3U);  // manager sees all three
    EXPECT_EQ(values["QZLIST(Unit Selection)"],
              nlohmann::json::parse(R"([{"value": "201"}, {"value": "202"}])"));
    EXPECT_EQ(values["Minimum_Occupants"], one(1.0));
    EXPECT_EQ(values["Minimum_Balance"], one(25.0));
    EXPECT_EQ(values["Rent_Range"], nlohmann::json::parse(R"([{"start": 500.0, "end": 1500.0}])"));
    EXPECT_EQ(values["Include_Notice"], one(true));
    EXPECT_EQ(values["As_Of"], one("2026-12-06"));
    EXPECT_EQ(values["QZPREFILL(Moved_In_After)"], one("2025-01-01"));
    EXPECT_EQ(values["HLPROPERTYPERIODENDDATE(Period_End)"], one("2026-11-30"));
    EXPECT_EQ(values["Sort_By"], one("Name"));
}

// The same answer file gives each user the properties of their own security rows; all units
// are saved as one empty value.
TEST_F(HostTest, PropertyListFollowsTheUser) {
    const struct {
        const char* user;
        std::vector<std::string> properties;
    } cases[] = {{"jsmith", {"OAK", "PINE"}}, {"kpatel", {"PINE"}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.user);
        std::ostringstream errors;
        const auto out = (files / (std::string(c.user) + ".json")).string();
        PrintRequest request = Request("Property Directory", "PropertyDirectory.json", out);
        request.user = c.user;
        ASSERT_EQ(RunPrint(request, errors), host::ExitReport) << errors.str();
        const nlohmann::json values = ValuesByName(FileText(out));
        std::vector<std::string> properties;
        for (const auto& value : values["QZLIST(Property Selection)"]) {
            properties.push_back(value["value"]);
        }
        std::sort(properties.begin(), properties.end());
        EXPECT_EQ(properties, c.properties);
        EXPECT_EQ(values["QZLIST(Unit Selection)"], nlohmann::json::parse(R"([{"value": ""}])"));
    }
}

// List SQL that also deletes ends the request with the keyword check's text before any window
// opens; nothing is written.
TEST_F(HostTest, RefusedListSqlEndsTheRequest) {
    std::ostringstream errors;
    const auto out = (files / "owners.json").string();
    EXPECT_EQ(RunPrint(Request("Owner Contacts", "PropertyDirectory.json", out), errors),
              host::ExitError);
    EXPECT_NE(errors.str().find(" DELETE  is not allowed in formula Owners  Command was "),
              std::string::npos)
        << errors.str();
    EXPECT_FALSE(std::filesystem::exists(out));
}

}  // namespace
}  // namespace hlreports::test
