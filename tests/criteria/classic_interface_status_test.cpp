// frmClassicInterfaceStatus: its design, the option that enables the resident list, the check
// of "Specify Applicant/Resident", what Preview and Print hand back (option, lease, revision,
// destination), and Cancel and the title-bar close ending as the user's cancel.
#include <functional>

#include "criteria/CriteriaFixture.h"
#include "criteria/frmClassicInterfaceStatus.h"
#include "runtime/Err.h"

namespace hlreports::test {
namespace {

RecordsetPtr Residents(const char* firstRevision = "2") {
    auto rows = std::make_shared<Recordset>();
    for (const char* name : {"Name", "Resident", "Unit", "Lease", "Revision_Num"}) {
        FieldInfo info;
        info.name = name;
        rows->AppendField(info);
    }
    rows->Open();
    rows->AppendRow({Variant("Ann Lee"), Variant("R1"), Variant("101"), Variant("L-100"),
                     Variant(firstRevision)});
    rows->AppendRow(
        {Variant("O'Neil, Pat"), Variant("R2"), Variant::Null(), Variant("L-200"), Variant("0")});
    rows->FinishLoading();
    return rows;
}

struct Shown {
    bool confirmed = false;
    int16_t option = -1;
    std::string lease = "unchanged";
    int16_t revision = -1;
};

class ClassicInterfaceTest : public CriteriaTest {
  protected:
    Shown Show(std::function<void(Form&)> user) {
        ui->script = std::move(user);
        frmClassicInterfaceStatus dialog;
        RecordsetPtr residents = Residents();
        Shown shown;
        shown.confirmed = dialog.FormShow(*residents, shown.option, shown.lease, shown.revision);
        return shown;
    }
};

// The dialog opens with its captions, option 0 selected, the resident list filled and disabled.
TEST_F(ClassicInterfaceTest, OpensWithItsDesign) {
    Show([](Form& form) {
        EXPECT_EQ(form.Caption(), "Classic Interface Status Report Options");
        EXPECT_EQ(form.Get("fraReportOptions").Caption(), "Select An Option");
        const char* captions[] = {"All Applicants/Residents",
                                  "Applicants/Residents not yet sent to Classic",
                                  "Applicants/Residents with no response from Classic",
                                  "Applicants with No Unit", "Specify Applicant/Resident"};
        for (int i = 0; i < 5; ++i) {
            EXPECT_EQ(form.Get("OptReport", i).Caption(), captions[i]);
            EXPECT_EQ(form.Get("OptReport", i).IsChecked(), i == 0);
        }
        EXPECT_EQ(form.Get("cmdPreview").Caption(), "P&review");
        EXPECT_EQ(form.Get("cmdPrint").Caption(), "&Print");
        EXPECT_EQ(form.Get("cmdCancel").Caption(), "&Cancel");
        const Control& residents = form.Get("cboResidents");
        EXPECT_FALSE(residents.IsEnabled());
        ASSERT_EQ(residents.List().RowCount(), 2);
        EXPECT_EQ(residents.List().Row(1),
                  (std::vector<std::string>{"O'Neil, Pat", "", "L-200", "0"}));
        form.Get("cmdCancel").Click();
    });
}

// Preview and Print: the option clicked, the lease and revision of the chosen resident for
// option 4 only, and the destination (Print 1, Preview 2 whatever the host asked).
TEST_F(ClassicInterfaceTest, PreviewAndPrintHandBackTheOptions) {
    const struct {
        const char* name;
        std::function<void(Form&)> user;
        Shown expected;
        int32_t destination;
    } cases[] = {
        {"Preview without a click",
         [](Form& form) { form.Get("cmdPreview").Click(); },
         {true, 0, "", 0},
         DestinationPreviewFromStatusForm},
        {"not yet sent, printed",
         [](Form& form) {
             form.Get("OptReport", 1).Click();
             form.Get("cmdPrint").Click();
         },
         {true, 1, "", 0},
         irToPrinter},
        {"no unit",
         [](Form& form) {
             form.Get("OptReport", 3).Click();
             form.Get("cmdPreview").Click();
         },
         {true, 3, "", 0},
         DestinationPreviewFromStatusForm},
        {"one resident",
         [](Form& form) {
             form.Get("OptReport", 4).Click();
             EXPECT_TRUE(form.Get("cboResidents").IsEnabled());
             form.Get("cboResidents").PickRow(0);
             form.Get("cmdPreview").Click();
         },
         {true, 4, "L-100", 2},
         DestinationPreviewFromStatusForm},
        {"a resident picked, then another option",
         [](Form& form) {
             form.Get("OptReport", 4).Click();
             form.Get("cboResidents").PickRow(1);
             form.Get("OptReport", 2).Click();
             EXPECT_FALSE(form.Get("cboResidents").IsEnabled());
             form.Get("cmdPrint").Click();
         },
         {true, 2, "", 0},
         irToPrinter},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TheSession().settings.destination = irtowindow;
        const Shown shown = Show(c.user);
        EXPECT_EQ(shown.confirmed, c.expected.confirmed);
        EXPECT_EQ(shown.option, c.expected.option);
        EXPECT_EQ(shown.lease, c.expected.lease);
        EXPECT_EQ(shown.revision, c.expected.revision);
        EXPECT_EQ(TheSession().settings.destination, c.destination);
        EXPECT_FALSE(Err().IsPending());
        EXPECT_TRUE(ui->Messages().empty());
    }
}

// Option 4 without a listed resident (none chosen, or a name typed that no row shows) warns and
// keeps the dialog open; a resident chosen afterwards passes.
TEST_F(ClassicInterfaceTest, SpecifyResidentNeedsOne) {
    const Shown shown = Show([](Form& form) {
        form.Get("OptReport", 4).Click();
        form.Get("cmdPreview").Click();
        EXPECT_TRUE(form.IsVisible());
        form.Get("cboResidents").SetText("Nobody");
        EXPECT_TRUE(form.Get("cboResidents").IsDroppedDown());
        form.Get("cmdPrint").Click();
        EXPECT_TRUE(form.IsVisible());
        EXPECT_EQ(TheSession().settings.destination, irtowindow);
        form.Get("cboResidents").PickRow(1);
        form.Get("cmdPreview").Click();
        EXPECT_FALSE(form.IsVisible());
    });
    ASSERT_EQ(ui->Messages().size(), 2u);
    for (const MessageBoxRecord& message : ui->Messages()) {
        EXPECT_EQ(message.text, "A resident must be selected when choosing this option.");
        EXPECT_EQ(message.title, "Hearthline");
        EXPECT_EQ(message.style, vbOKOnly | vbExclamation);
    }
    EXPECT_TRUE(shown.confirmed);
    EXPECT_EQ(shown.lease, "L-200");
    EXPECT_EQ(shown.revision, 0);
}

// Cancel and the title-bar close return False with the options as they stood and leave the
// user's cancel (20545) pending, so the request ends as a cancel, not as an error.
TEST_F(ClassicInterfaceTest, CancelAndCloseAreTheUsersCancel) {
    for (const bool close : {false, true}) {
        SCOPED_TRACE(close ? "close" : "Cancel");
        Err().Clear();
        const Shown shown = Show([close](Form& form) {
            form.Get("OptReport", 2).Click();
            if (close) {
                form.RequestClose();
                return;
            }
            form.Get("cmdCancel").Click();
        });
        EXPECT_FALSE(shown.confirmed);
        EXPECT_EQ(shown.option, 2);
        EXPECT_EQ(shown.lease, "");
        EXPECT_EQ(Err().Number(), 20545);
        EXPECT_EQ(Err().Source(), "frmClassicInterfaceStatus");
        EXPECT_EQ(TheSession().settings.destination, irtowindow);
    }
}

// A revision that is not a number shows the common error box naming the check and keeps the
// dialog open.
TEST_F(ClassicInterfaceTest, BadRevisionIsShownAndKeepsTheDialog) {
    ui->script = [](Form& form) {
        form.Get("OptReport", 4).Click();
        form.Get("cboResidents").PickRow(0);
        form.Get("cmdPreview").Click();
        EXPECT_TRUE(form.IsVisible());
        form.Get("cmdCancel").Click();
    };
    frmClassicInterfaceStatus dialog;
    RecordsetPtr residents = Residents("two");
    int16_t option = 0;
    std::string lease;
    int16_t revision = 0;
    EXPECT_FALSE(dialog.FormShow(*residents, option, lease, revision));
    ASSERT_EQ(ui->Messages().size(), 1u);
    EXPECT_EQ(ui->Messages()[0].title, "Hearthline");
    EXPECT_EQ(ui->Messages()[0].text, "Type mismatch ");
}

}  // namespace
}  // namespace hlreports::test
