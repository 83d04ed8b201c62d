// frmBlankCriteria: the design of the window, the arrangement of the prompt area for its content,
// scrolling, and the reset to the design. Geometry in twips.
#include <algorithm>
#include <string>

#include "prompts/frmBlankCriteria.h"

namespace hlreports {
namespace {

// The design: the prompt area (frame, viewport, scrolled content, scroll bars) above the buttons.
constexpr int32_t FormWidth = 9120;
constexpr int32_t FrameLeft = 120;
constexpr int32_t FrameTop = 120;
constexpr int32_t FrameWidth = 8775;
constexpr int32_t FrameHeight = 5055;
constexpr int32_t ViewportLeft = 45;
constexpr int32_t ViewportTop = 120;
constexpr int32_t ScrollBarSize = 255;
constexpr int32_t ButtonWidth = 1215;
constexpr int32_t ButtonHeight = 375;
constexpr int32_t ButtonGap = 225;
constexpr int32_t WindowBottomMargin = 500;
constexpr int32_t PixelTwips = 15;

int32_t ViewportWidth(int32_t frameWidth) {
    return frameWidth - ScrollBarSize - 2 * ViewportLeft;
}

}  // namespace

void frmBlankCriteria::Design() {
    Add(ControlKind::Frame, "frCriteria");
    Add(ControlKind::PictureBox, "pbCriteria").SetContainer(Get("frCriteria"));
    Add(ControlKind::PictureBox, "pbScrolled").SetContainer(Get("pbCriteria"));
    Add(ControlKind::ScrollBar, "vsScroll").SetVertical(true).SetContainer(Get("frCriteria"));
    Add(ControlKind::ScrollBar, "hsScroll").SetVertical(false).SetContainer(Get("frCriteria"));
    Control& scrolled = Get("pbScrolled");
    for (int n = 0; n < PromptFormFixedControls; ++n) {
        const std::string number = std::to_string(n);
        Add(ControlKind::TextBox, "txtListText" + number).SetContainer(scrolled);
        Add(ControlKind::CommandButton, "btnList" + number)
            .SetContainer(scrolled)
            .SetCaption("List...")
            .Move(0, 0, 855, 315);
        Add(ControlKind::TextBox, "DateBox" + number).SetContainer(scrolled);
        // The calendar button does not validate the date box it serves: it is how a wrong date
        // gets mended.
        Add(ControlKind::CommandButton, "Calendar" + number)
            .SetContainer(scrolled)
            .SetPicture(StockPicture::Calendar)
            .SetCausesValidation(false)
            .SetTabStop(false);
    }
    Add(ControlKind::CommandButton, "btnPreview").SetCaption("P&review");
    Add(ControlKind::CommandButton, "btnPrint").SetCaption("&Print");
    Add(ControlKind::CommandButton, "btnCancel").SetCaption("&Cancel").SetCausesValidation(false);
    ResetPromptArea();
}

void frmBlankCriteria::ResetPromptArea() {
    Control& scrolled = Get("pbScrolled");
    for (Control* control : ControlsIn(scrolled)) {
        const bool isFixed =
            control->Name().starts_with("txtListText") || control->Name().starts_with("btnList") ||
            control->Name().starts_with("DateBox") || control->Name().starts_with("Calendar");
        control->SetVisible(false).SetAlias("");
        if (control->Kind() == ControlKind::TextBox) {
            control->SetText("");
        }
        if (!isFixed) {
            Remove(*control);
        }
    }
    Get("frCriteria").Move(FrameLeft, FrameTop, FrameWidth, FrameHeight);
    Get("pbCriteria").Move(ViewportLeft, ViewportTop, ViewportWidth(FrameWidth), FrameHeight - 150);
    scrolled.Move(0, 0, ViewportWidth(FrameWidth), FrameHeight - 150);
    Get("vsScroll")
        .Move(FrameWidth - ScrollBarSize - ViewportLeft, ViewportTop, ScrollBarSize,
              FrameHeight - 150 - ScrollBarSize)
        .SetVisible(false);
    Get("hsScroll")
        .Move(ViewportLeft, FrameHeight - ScrollBarSize - 30, ViewportWidth(FrameWidth),
              ScrollBarSize)
        .SetVisible(false);
    const int32_t buttonsTop = FrameTop + FrameHeight + ButtonGap;
    const int32_t right = FrameLeft + FrameWidth;
    Get("btnCancel").Move(right - ButtonWidth, buttonsTop, ButtonWidth, ButtonHeight);
    Get("btnPrint").Move(right - 2 * ButtonWidth - 120, buttonsTop, ButtonWidth, ButtonHeight);
    Get("btnPreview").Move(right - 3 * ButtonWidth - 240, buttonsTop, ButtonWidth, ButtonHeight);
    Move(Left(), Top(), FormWidth, buttonsTop + ButtonHeight + ButtonGap + WindowBottomMargin);
}

void frmBlankCriteria::Arrange(int32_t contentHeight, int32_t contentWidth) {
    Control& frame = Get("frCriteria");
    Control& viewport = Get("pbCriteria");
    Control& scrolled = Get("pbScrolled");
    Control& vertical = Get("vsScroll");
    Control& horizontal = Get("hsScroll");
    if (contentHeight > frame.Top() + frame.Height()) {
        scrolled.SetHeight(contentHeight);
        vertical.SetVisible(true);
        vertical.SetRange(0, contentHeight - frame.Height() + 75 + horizontal.Height());
        vertical.SetValue(Variant(0));
        vertical.SetSmallChange(5 * PixelTwips).SetLargeChange(16 * 5 * PixelTwips);
    } else {
        vertical.SetVisible(false);
        frame.SetHeight(contentHeight + 150 + horizontal.Height());
        viewport.SetHeight(frame.Height() - 150);
        scrolled.SetHeight(viewport.Height());
        horizontal.SetTop(frame.Height() - horizontal.Height() - 30);
        const int32_t buttonsTop = frame.Top() + frame.Height() + ButtonGap;
        for (const char* name : {"btnPrint", "btnPreview", "btnCancel"}) {
            Get(name).SetTop(buttonsTop);
        }
        SetHeight(buttonsTop + ButtonHeight + ButtonGap + WindowBottomMargin);
    }
    if (contentWidth > frame.Width()) {
        scrolled.SetWidth(contentWidth);
        horizontal.SetVisible(true);
        horizontal.SetRange(0, contentWidth - frame.Width() + 200);
        horizontal.SetValue(Variant(0));
        horizontal.SetSmallChange(10 * PixelTwips).SetLargeChange(16 * 10 * PixelTwips);
        horizontal.SetWidth(ViewportWidth(frame.Width()) +
                            (vertical.IsVisible() ? 0 : ScrollBarSize));
    } else {
        horizontal.SetVisible(false);
    }
}

// Scrolls so that the whole control is inside the viewport, as far as the scroll bars reach.
void frmBlankCriteria::ScrollIntoView(const Control& control) {
    const Control& scrolled = Get("pbScrolled");
    const Control& viewport = Get("pbCriteria");
    int32_t left = control.Left();
    int32_t top = control.Top();
    for (const Control* container = control.Container();
         container != nullptr && container != &scrolled; container = container->Container()) {
        left += container->Left();
        top += container->Top();
    }
    const auto scroll = [](Control& bar, int32_t start, int32_t size, int32_t visible) {
        if (!bar.IsVisible()) {
            return;
        }
        int32_t value = bar.Value().ToLong();
        if (start < value) {
            value = start;
        } else if (start + size > value + visible) {
            value = start + size - visible;
        }
        value = std::clamp(value, bar.Min(), bar.Max());
        if (value != bar.Value().ToLong()) {
            bar.SetValue(Variant(value));
        }
    };
    scroll(Get("vsScroll"), top, control.Height(), viewport.Height());
    scroll(Get("hsScroll"), left, control.Width(), viewport.Width());
}

}  // namespace hlreports
