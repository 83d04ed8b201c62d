// clsList: one list prompt of a custom report (a "QZLIST(" parameter). It finds the SQL that
// fills the list (the report formula named by the list name), checks it, restricts the property
// list to the properties the session's users may see, opens the rows over a connection of its
// own and hands them to its list picker, through which it answers what was chosen.
//
// The unit list ("Unit Selection") is special: its rows come from
// "sp_DistinctUnitListParameter" for the properties chosen in the property list (its
// PropertyFilter), without the keyword check, and there are none while the filter is blank.
// Formula SQL runs on the read-only road (docs/read-only-road.md): a statement that would write,
// or several statements, are refused with 3301 ("Only a query that reads is allowed in formula
// ...") before anything runs.
//
// Lifetime: created by the line adder; the picker is created on the first InitRS, Show,
// MatchText or ExistsOnList; the connection is opened on first use and closed by Term or when the
// object goes (the prompt form drops its lists when the request ends).

#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "data/Connections.h"
#include "engine/CoreReport.h"
#include "prompts/frmDatabaseList.h"

namespace hlreports {

class clsList : public ComObject {
  public:
    clsList();
    ~clsList() override;

    std::string ListText;
    std::string FeedbackLabel;
    std::string PropertyFilter;
    std::string ParamName;
    std::string Command;

    std::string Caption() const;
    void SetCaption(const std::string& caption);

    // The width of the list's text box in twips, as text: the defined size of the rows' second
    // column at 120 twips a character, or "1500" when the rows cannot be had.
    std::string DescriptionWidth(const std::string& strParamName, const CoreReport& rptReport);
    std::string Feedback() const;
    std::string Description() const;
    int16_t ValuesCount() const;
    std::string Value(int16_t I) const;
    void ClearValues();
    // The chosen values as the unit list's filter text (see PropertyFilterText).
    std::string CreatePropertyFilter() const;
    void Init(const std::string& strParamName, const Variant& strTextName);
    void Term();
    void InitRS(const CoreReport& rptReport);
    void Show(const CoreReport& rptReport);
    // Opens the rows. Every failure raises 3302, source "clsList.GetRS", with the failure's
    // description + "  Command was " + Command; the list then has no rows.
    void GetRS(const CoreReport& rptReport);
    void MatchText(const std::string& strToMatch, const CoreReport& rptReport);
    bool ExistsOnList(const std::string& strToMatch, const CoreReport& rptReport);
    bool ValidSelectStatement(const std::string& strSQL) const;
    void ClearAllUnitsSelected();

    bool IsUnitList() const;
    bool IsPropertyList() const;
    // The picker, nullptr before its first use (tests and the prompt form read its state).
    frmDatabaseList* Picker() const { return picker_.get(); }

  private:
    std::unique_ptr<Connection> connection_;
    RecordsetPtr rows_;
    std::unique_ptr<frmDatabaseList> picker_;
};

// The list names that interlock on the prompt form.
inline constexpr std::string_view PropertyListName = "Property Selection";
inline constexpr std::string_view UnitListName = "Unit Selection";
inline constexpr std::string_view AllUnitsSelectedText = "ALL Units Selected";

}  // namespace hlreports
