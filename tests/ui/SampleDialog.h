// Test dialogs built the way the component's dialogs are: design controls with geometry, key
// preview turning Enter into Tab, a validated text box, an option group in a frame, a pair of
// grid combos where picking a date fills the batches, a multi-select grid on a tab control.
#pragma once

#include <string>
#include <vector>

#include "runtime/Variant.h"
#include "ui/Form.h"
#include "ui/Ui.h"

namespace hlreports::test {

class SampleDialog : public Form {
  public:
    SampleDialog() : Form("frmSample", "Sample Criteria") {
        Move(0, 0, 7380, 5280);
        SetKeyPreview(true);
        Add(ControlKind::Label, "lblDate1").Move(420, 1020, 1935, 255).SetCaption("Start:");
        Add(ControlKind::DatePicker, "datDate1").Move(2460, 960, 1935, 315);
        Add(ControlKind::DatePicker, "datDate2").Move(2460, 1800, 1935, 315);
        Add(ControlKind::DatePicker, "datDate3").SetVisible(false);
        Control& frame = Add(ControlKind::Frame, "fraSortOpts").Move(360, 2340, 2655, 1455);
        frame.SetCaption("Sort Options");
        Add(ControlKind::OptionButton, "optSort1").SetContainer(frame).SetValue(true);
        Add(ControlKind::OptionButton, "optSort2").SetContainer(frame);
        Add(ControlKind::CheckBox, "chk1").SetCaption("View All Batches");
        Control& dates = Add(ControlKind::GridCombo, "cboCombo", 0);
        for (const char* date : {"1/5/2024", "1/12/2024", "1/19/2024"}) {
            dates.AddRow({date, date});
        }
        Add(ControlKind::GridCombo, "cboCombo", 1).SetEnabled(false);
        Add(ControlKind::TextBox, "txtAmount").SetText("1.00");
        Add(ControlKind::CommandButton, "cmdPreview").SetCaption("P&review");
        Add(ControlKind::CommandButton, "cmdCancel").SetCaption("&Cancel");
        Get("cmdCancel").SetCausesValidation(false);

        handlers.keyPress = [this](int& key) {
            if (key == KeyEnter) {
                key = 0;
                SendKey(KeyTab);
            }
        };
        Get("txtAmount").handlers.validate = [this](bool& cancel) {
            if (!ParseNumericText(Get("txtAmount").Text())) {
                TheUi().MsgBox("Please enter a number.", vbOKOnly, "Hearthline");
                cancel = true;
            }
        };
        Get("cboCombo", 0).handlers.rowPicked = [this] {
            Control& batches = Get("cboCombo", 1);
            batches.ClearList().SetColumnCount(3);
            const std::string date = Get("cboCombo", 0).Value().ToString();
            batches.AddItem("B1\tB1\tann").AddItem("B2\tB2\tbob");
            batches.SetEnabled(date == "1/12/2024");
        };
        Get("cmdPreview").handlers.click = [this] {
            if (Get("cboCombo", 0).Value().ToString().empty()) {
                TheUi().MsgBox("You must select a date.", vbOKOnly, "HLS-Reports");
                Get("cboCombo", 0).SetFocus();
                return;
            }
            result = true;
            Hide();
        };
        Get("cmdCancel").handlers.click = [this] {
            result = false;
            Hide();
        };
    }

    bool result = false;
};

class GridDialog : public Form {
  public:
    GridDialog() : Form("frmGrid", "Pick Residents") {
        Control& tabs = Add(ControlKind::TabControl, "tabPages");
        tabs.SetTabCaptions({"By Unit", "By Resident"});
        Add(ControlKind::TextBox, "txtUnit").SetContainer(tabs, 0);
        Control& grid = Add(ControlKind::Grid, "grdResident").SetContainer(tabs, 1);
        grid.SetColumns({{"Name", "Resident Name"}, {"Resident", "Resident ID"}});
        grid.SetValueColumn(1).SetRowSelection(RowSelectionKind::Multiple);
        grid.AddItem("Ann\tR1").AddItem("Bob\tR2").AddItem("Cy\tR3");
        Add(ControlKind::CommandButton, "cmdOK");
        tabs.handlers.tabChange = [this](int previous) {
            events.push_back("tab from " + std::to_string(previous));
        };
        grid.handlers.rowPicked = [this] {
            events.push_back("picked " + std::to_string(Get("grdResident").SelectedRow()));
        };
        Get("cmdOK").handlers.click = [this] { Hide(); };
        handlers.unload = [this] { events.push_back("unload"); };
    }

    std::vector<std::string> events;
};

}  // namespace hlreports::test
