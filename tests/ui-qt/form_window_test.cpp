// The Qt driver on the offscreen platform: every control kind becomes its widget with the
// model's geometry, caption and state; gestures reach the model and the handlers' changes reach
// the widgets; a refused validation keeps the focus; Enter acts as Tab where the form says so;
// the title bar's close is the model's close.
#include <gtest/gtest.h>

#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QTabBar>
#include <QTableView>
#include <QTest>

#include "runtime/Session.h"
#include "ui-qt/FormWindow.h"
#include "ui-qt/QtTestSupport.h"
#include "ui/SampleDialog.h"

namespace hlreports::test {
namespace {

class QtDriver : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetSession();
        TheSession().ui = ui_;
    }
    void TearDown() override { ResetSession(); }

    std::shared_ptr<QuietQtUi> ui_ = std::make_shared<QuietQtUi>();
};

// Each kind of control is drawn by its widget, placed from its twips, with its caption and state.
TEST_F(QtDriver, ControlKindsMapToWidgets) {
    Form form("frmKinds", "Every Kind");
    form.Move(0, 0, 9000, 6000);
    const struct {
        ControlKind kind;
        const char* name;
        const char* widgetClass;
    } kinds[] = {
        {ControlKind::Label, "lblName", "QLabel"},
        {ControlKind::TextBox, "txtName", "QLineEdit"},
        {ControlKind::CheckBox, "chkAll", "QCheckBox"},
        {ControlKind::OptionButton, "optOne", "QRadioButton"},
        {ControlKind::Frame, "fraBox", "QGroupBox"},
        {ControlKind::CommandButton, "cmdOK", "QPushButton"},
        {ControlKind::CommandButton, "cmdCalendar", "QPushButton"},
        {ControlKind::DatePicker, "dtpDate", "QDateEdit"},
        {ControlKind::MonthView, "mvwMonth", "QCalendarWidget"},
        {ControlKind::GridCombo, "cboGrid", "QComboBox"},
        {ControlKind::ComboBox, "cboList", "QComboBox"},
        {ControlKind::Grid, "grdRows", "QTableView"},
        {ControlKind::PictureBox, "picArea", "QFrame"},
        {ControlKind::ScrollBar, "vsbScroll", "QScrollBar"},
        {ControlKind::TabControl, "tabPages", "QFrame"},
    };
    int top = 0;
    for (const auto& kind : kinds) {
        form.Add(kind.kind, kind.name).Move(120, top += 300, 2400, 285);
    }
    form.Get("lblName").SetCaption("&Name && more:");
    form.Get("cmdOK").SetCaption("&OK");
    form.Get("cmdCalendar").SetPicture(StockPicture::Calendar);
    form.Get("chkAll").SetCaption("All").SetValue(Variant::Integer(vbChecked));
    form.Get("fraBox").SetCaption("Sort");
    form.Get("optOne").SetContainer(form.Get("fraBox")).Move(100, 200, 1000, 255);
    form.Get("optOne").SetValue(Variant(true));
    form.Get("txtName").SetText("Ann").SetEnabled(false);
    form.Get("dtpDate").SetValue(Variant(Date::FromYmd(2024, 1, 31)));
    form.Get("cboGrid").SetColumnCount(2).AddItem("R1\tAnn").AddItem("R2\tBob");
    form.Get("cboGrid").SetDisplayColumn(1).SetValue(Variant("R2"));
    form.Get("tabPages").SetTabCaptions({"First", "Second"});
    form.Get("vsbScroll").SetVertical(true).SetRange(0, 50).SetValue(Variant(int32_t{20}));
    form.Get("picArea").SetVisible(false);

    FormWindow window(form, nullptr);
    window.Sync();
    const double scale = window.PixelsPerTwip();
    for (const auto& kind : kinds) {
        SCOPED_TRACE(kind.name);
        QWidget* widget = ControlWidget(window, kind.name);
        ASSERT_NE(widget, nullptr);
        EXPECT_STREQ(widget->metaObject()->className(), kind.widgetClass);
        const Control& control = form.Get(kind.name);
        EXPECT_EQ(widget->geometry(),
                  QRect(qRound(control.Left() * scale), qRound(control.Top() * scale),
                        qRound(control.Width() * scale), qRound(control.Height() * scale)));
    }
    EXPECT_EQ(window.size(), QSize(qRound(9000 * scale), qRound(6000 * scale)));
    EXPECT_EQ(window.windowTitle(), "Every Kind");
    EXPECT_EQ(ControlWidget<QLabel>(window, "lblName")->text(), "Name & more:");
    EXPECT_EQ(ControlWidget<QPushButton>(window, "cmdOK")->text(), "&OK");
    EXPECT_TRUE(ControlWidget<QPushButton>(window, "cmdOK")->icon().isNull());
    EXPECT_FALSE(ControlWidget<QPushButton>(window, "cmdCalendar")->icon().isNull());
    EXPECT_TRUE(ControlWidget<QCheckBox>(window, "chkAll")->isChecked());
    EXPECT_EQ(ControlWidget<QGroupBox>(window, "fraBox")->title(), "Sort");
    EXPECT_EQ(ControlWidget(window, "optOne")->parentWidget(), ControlWidget(window, "fraBox"));
    EXPECT_TRUE(ControlWidget<QRadioButton>(window, "optOne")->isChecked());
    EXPECT_EQ(ControlWidget<QLineEdit>(window, "txtName")->text(), "Ann");
    EXPECT_FALSE(ControlWidget(window, "txtName")->isEnabled());
    EXPECT_EQ(ControlWidget<QDateEdit>(window, "dtpDate")->date(), QDate(2024, 1, 31));
    auto* grid = ControlWidget<QComboBox>(window, "cboGrid");
    EXPECT_EQ(grid->count(), 2);
    EXPECT_EQ(grid->currentText(), "Bob");
    EXPECT_EQ(grid->model()->columnCount(), 2);
    EXPECT_EQ(ControlWidget<QScrollBar>(window, "vsbScroll")->value(), 20);
    EXPECT_EQ(ControlWidget<QScrollBar>(window, "vsbScroll")->orientation(), Qt::Vertical);
    EXPECT_EQ(ControlWidget(window, "tabPages")->findChild<QTabBar*>()->count(), 2);
    EXPECT_TRUE(ControlWidget(window, "picArea")->isHidden());
}

// Gestures play on the model: a picked date fills and enables the batch list; typed text that
// fails validation keeps the focus and shows the dialog's message; Enter moves on as Tab; the
// Preview button closes the dialog with its result.
TEST_F(QtDriver, GesturesReachTheModelAndChangesReachTheWidgets) {
    SampleDialog dialog;
    ui_->onShown = [&](Form&, FormWindow& window) {
        window.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
        auto* dates = ControlWidget<QComboBox>(window, "cboCombo(0)");
        auto* batches = ControlWidget<QComboBox>(window, "cboCombo(1)");
        EXPECT_FALSE(batches->isEnabled());
        emit dates->activated(1);  // the person picks the second date from the list
        EXPECT_EQ(dialog.Get("cboCombo", 0).Value().ToString(), "1/12/2024");
        EXPECT_TRUE(batches->isEnabled());
        EXPECT_EQ(batches->count(), 2);

        auto* amount = ControlWidget<QLineEdit>(window, "txtAmount");
        QTest::mouseClick(amount, Qt::LeftButton);
        EXPECT_EQ(dialog.FocusedControl()->Name(), "txtAmount");
        amount->selectAll();
        QTest::keyClicks(amount, "abc");
        EXPECT_EQ(dialog.Get("txtAmount").Text(), "abc");
        QTest::mouseClick(ControlWidget(window, "cmdPreview"), Qt::LeftButton);
        EXPECT_EQ(ui_->messages, std::vector<std::string>{"Hearthline: Please enter a number."});
        EXPECT_EQ(dialog.FocusedControl()->Name(), "txtAmount");
        EXPECT_EQ(QApplication::focusWidget(), amount);
        EXPECT_TRUE(dialog.IsVisible());

        amount->selectAll();
        QTest::keyClicks(amount, "12.5");
        QTest::keyClick(amount, Qt::Key_Return);  // the form turns Enter into Tab
        EXPECT_EQ(dialog.FocusedControl()->Name(), "cmdPreview");
        QTest::mouseClick(ControlWidget(window, "cmdPreview"), Qt::LeftButton);
    };
    dialog.ShowModal();
    EXPECT_TRUE(dialog.result);
    EXPECT_FALSE(dialog.IsVisible());
    EXPECT_EQ(dialog.Get("txtAmount").Text(), "12.5");
}

// Closing the window from its title bar is the model's close: the dialog unloads and the modal
// wait ends, as the scripted "close" does.
TEST_F(QtDriver, TitleBarCloseIsTheModelsClose) {
    GridDialog dialog;
    ui_->onShown = [&](Form&, FormWindow& window) {
        auto* tabs = ControlWidget(window, "tabPages")->findChild<QTabBar*>();
        tabs->setCurrentIndex(1);  // the person selects the second page
        EXPECT_TRUE(ControlWidget(window, "grdResident")->isVisibleTo(&window));
        EXPECT_FALSE(ControlWidget(window, "txtUnit")->isVisibleTo(&window));
        window.close();
    };
    dialog.ShowModal();
    EXPECT_FALSE(dialog.IsVisible());
    EXPECT_EQ(dialog.events, (std::vector<std::string>{"tab from 0", "unload"}));
}

// A grid whose dialog handles its keys gets arrow keys and typed characters from the model, not
// from the table's own navigation; other keys and grids without handlers stay the widget's.
TEST_F(QtDriver, GridKeysReachTheModelsHandlers) {
    Form form("frmKeys", "Keys");
    form.Move(0, 0, 6000, 4000);
    Control& grid = form.Add(ControlKind::Grid, "grdList");
    grid.Move(100, 100, 4000, 2000);
    form.Add(ControlKind::Grid, "grdPlain").Move(100, 2200, 4000, 1000);
    std::vector<std::string> heard;
    grid.handlers.keyDown = [&](int& code) { heard.push_back("down " + std::to_string(code)); };
    grid.handlers.keyPress = [&](int& ascii) { heard.push_back("press " + std::to_string(ascii)); };
    ui_->onShown = [&](Form&, FormWindow& window) {
        QWidget* list = ControlWidget(window, "grdList");
        form.SetFocus(grid);
        QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_PageUp);
        QTest::keyClick(list, Qt::Key_B);
        QTest::keyClick(list, Qt::Key_C, Qt::ControlModifier);  // a shortcut, not type-ahead
        form.SetFocus(form.Get("grdPlain"));
        QTest::keyClick(ControlWidget(window, "grdPlain"), Qt::Key_Down);
        window.close();
    };
    form.ShowModal();
    EXPECT_EQ(heard, (std::vector<std::string>{"down 40", "down 33", "press 98"}));
}

// An error raised by the dialog's code inside a gesture ends the window and reaches the caller.
TEST_F(QtDriver, HandlerErrorsReachTheCaller) {
    Form form("frmFail", "Failing");
    form.Add(ControlKind::CommandButton, "cmdGo").Move(100, 100, 1200, 375);
    form.Get("cmdGo").handlers.click = [] { throw ComError(5, "frmFail", "handler failed"); };
    ui_->onShown = [&](Form&, FormWindow& window) {
        QTest::mouseClick(ControlWidget(window, "cmdGo"), Qt::LeftButton);
    };
    try {
        form.ShowModal();
        ADD_FAILURE() << "no error";
    } catch (const ComError& error) {
        EXPECT_EQ(error.Description(), "handler failed");
    }
    EXPECT_FALSE(form.IsVisible());
}

}  // namespace
}  // namespace hlreports::test
