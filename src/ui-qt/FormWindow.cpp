// FormWindow: widgets from the model, gestures to actions; see FormWindow.h.
#include "ui-qt/FormWindow.h"

#include <algorithm>

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QEventLoop>
#include <QKeyEvent>
#include <QLineEdit>
#include <QScreen>

#include "ui/ActionPlayer.h"
#include "ui/AnswerRecorder.h"

namespace hlreports {
namespace {

// Keys of the classic KeyPress that the driver hands to the model rather than to the widget.
int ModelKeyOf(const QKeyEvent& event) {
    switch (event.key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return KeyEnter;
        case Qt::Key_Escape:
            return KeyEscape;
        case Qt::Key_Tab:
            return KeyTab;
        default:
            return 0;
    }
}

// Navigation keys by the classic key code, for a grid whose model handles keyDown.
int NavigationKeyCodeOf(const QKeyEvent& event) {
    switch (event.key()) {
        case Qt::Key_Up:
            return KeyCodeUp;
        case Qt::Key_Down:
            return KeyCodeDown;
        case Qt::Key_PageUp:
            return KeyCodePageUp;
        case Qt::Key_PageDown:
            return KeyCodePageDown;
        case Qt::Key_Home:
            return KeyCodeHome;
        case Qt::Key_End:
            return KeyCodeEnd;
        default:
            return 0;
    }
}

// A typed printable character without Ctrl or Alt, for a grid whose model handles keyPress.
int TypedCharacterOf(const QKeyEvent& event) {
    if ((event.modifiers() & (Qt::ControlModifier | Qt::AltModifier)) != 0 ||
        event.text().size() != 1) {
        return 0;
    }
    const char16_t character = event.text().at(0).unicode();
    return character >= 32 && character < 127 ? character : 0;
}

}  // namespace

FormWindow::FormWindow(Form& form, AnswerRecorder* recorder)
    : QWidget(nullptr, Qt::Dialog), form_(form), recorder_(recorder) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen != nullptr ? screen->logicalDotsPerInch() : 96.0;
    pixelsPerTwip_ = dpi / 96.0 / 15.0;
    setWindowModality(Qt::ApplicationModal);
    setObjectName(QString::fromStdString(form.Name()));
    qApp->installEventFilter(this);
}

FormWindow::~FormWindow() {
    qApp->removeEventFilter(this);
}

QWidget* FormWindow::WidgetOf(const Control& control) const {
    const auto found = shown_.find(&control);
    return found == shown_.end() ? nullptr : found->second.widget;
}

QRect FormWindow::Geometry(const Control& control) const {
    const auto pixels = [this](int32_t twips) { return qRound(twips * pixelsPerTwip_); };
    return QRect(pixels(control.Left()), pixels(control.Top()), pixels(control.Width()),
                 pixels(control.Height()));
}

QWidget* FormWindow::ParentFor(const Control& control) {
    if (control.Container() == nullptr) {
        return this;
    }
    QWidget* container = WidgetOf(*control.Container());
    return container != nullptr ? container : this;
}

void FormWindow::Sync() {
    syncing_ = true;
    setWindowTitle(QString::fromStdString(form_.Caption()));
    if (form_.Width() > 0 && form_.Height() > 0) {
        setFixedSize(qRound(form_.Width() * pixelsPerTwip_),
                     qRound(form_.Height() * pixelsPerTwip_));
    }
    const std::vector<Control*> controls = form_.Controls();
    // Widgets of removed controls go first, so a new control never meets a stale widget.
    for (auto it = shown_.begin(); it != shown_.end();) {
        const bool present =
            std::find(controls.begin(), controls.end(), it->first) != controls.end();
        if (present && it->first->Kind() == it->second.kind) {
            ++it;
            continue;
        }
        delete it->second.widget;  // its children's entries are removed in this same loop
        it = shown_.erase(it);
    }
    for (auto it = shown_.begin(); it != shown_.end();) {  // children deleted with a container
        it = it->second.widget == nullptr ? shown_.erase(it) : std::next(it);
    }
    // Containers come before what they hold in creation order, except when code moved a control
    // into a later container; two rounds settle that.
    for (int round = 0; round < 2; ++round) {
        for (Control* control : controls) {
            QWidget* parent = ParentFor(*control);
            auto found = shown_.find(control);
            if (found == shown_.end()) {
                found =
                    shown_.emplace(control, Shown{control->Kind(), Create(*control, parent), {}})
                        .first;
            } else if (found->second.widget->parentWidget() != parent) {
                found->second.widget->setParent(parent);
            }
        }
    }
    for (Control* control : controls) {
        Update(*control, shown_.at(control));
    }
    std::vector<Control*> raised(controls);
    std::stable_sort(raised.begin(), raised.end(),
                     [](const Control* a, const Control* b) { return a->ZOrder() < b->ZOrder(); });
    for (Control* control : raised) {
        if (control->ZOrder() != 0) {
            shown_.at(control).widget->raise();
        }
    }
    if (Control* focused = form_.FocusedControl()) {
        QWidget* widget = WidgetOf(*focused);
        if (widget != nullptr && isVisible() &&
            !widget->isAncestorOf(QApplication::focusWidget()) &&
            QApplication::focusWidget() != widget) {
            widget->setFocus(Qt::OtherFocusReason);
        }
    }
    syncing_ = false;
}

Control* FormWindow::ControlOf(QObject* object) const {
    for (QObject* at = object; at != nullptr && at != this; at = at->parent()) {
        const QVariant value = at->property(ControlProperty);
        if (!value.isValid()) {
            continue;
        }
        auto* control = reinterpret_cast<Control*>(value.value<quintptr>());
        return shown_.count(control) != 0 ? control : nullptr;
    }
    return nullptr;
}

bool FormWindow::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (syncing_ || widget == nullptr || widget->window() != this || !form_.IsVisible()) {
        return false;
    }
    if (event->type() == QEvent::KeyPress) {
        const auto& key = static_cast<const QKeyEvent&>(*event);
        if (key.key() == Qt::Key_Backtab) {
            BackTab();
            return true;
        }
        // A grid whose dialog handles its keys (moving through rows, type-ahead) gets them from
        // the model, so that the person sees what an answer file playing the same keys does.
        if (const Control* control = ControlOf(widget);
            control != nullptr && control == form_.FocusedControl() &&
            control->Kind() == ControlKind::Grid) {
            if (const int code = NavigationKeyCodeOf(key); code != 0 && control->handlers.keyDown) {
                Play(MakeAnswerAction(AnswerVerb::KeyDown, std::nullopt, {Variant(int32_t{code})}));
                return true;
            }
            if (const int typed = TypedCharacterOf(key); typed != 0 && control->handlers.keyPress) {
                Play(MakeAnswerAction(AnswerVerb::Key, std::nullopt, {Variant(int32_t{typed})}));
                return true;
            }
        }
        const int modelKey = ModelKeyOf(key);
        if (modelKey == 0) {
            return false;
        }
        if (auto* combo = qobject_cast<QComboBox*>(widget->parentWidget());
            combo != nullptr && modelKey == KeyEnter) {
            combo->lineEdit()->editingFinished();  // the typed text first, as leaving does
        }
        Play(MakeAnswerAction(AnswerVerb::Key, std::nullopt, {Variant(int32_t{modelKey})}));
        return true;
    }
    if (event->type() == QEvent::FocusIn) {
        const auto reason = static_cast<const QFocusEvent&>(*event).reason();
        Control* control = ControlOf(widget);
        if (reason == Qt::MouseFocusReason && control != nullptr &&
            control != form_.FocusedControl() && CanTakeFocus(control->Kind())) {
            Play(MakeAnswerAction(AnswerVerb::Focus, ControlReference::Of(*control), {}));
            if (form_.FocusedControl() != control) {
                refusedFocus_ = control;
            }
        }
    }
    return false;
}

void FormWindow::closeEvent(QCloseEvent* event) {
    event->ignore();  // the model decides (queryUnload may refuse)
    if (form_.IsVisible()) {
        Play(MakeAnswerAction(AnswerVerb::Close, std::nullopt, {}));
    }
}

void FormWindow::Play(const AnswerAction& action) {
    refusedFocus_ = nullptr;
    Perform([this, &action] {
        PlayAction(form_, action);
        form_.DeliverSentKeys();
        if (recorder_ != nullptr) {
            recorder_->Played(action);
        }
    });
}

// Shift-Tab has no key code of its own: it moves the focus back and is recorded as the focus
// action it amounts to, which validates the same way when replayed.
void FormWindow::BackTab() {
    Perform([this] {
        Control* before = form_.FocusedControl();
        form_.MoveFocus(false);
        Control* after = form_.FocusedControl();
        if (recorder_ != nullptr && after != nullptr && after != before) {
            recorder_->Played(
                MakeAnswerAction(AnswerVerb::Focus, ControlReference::Of(*after), {}));
        }
    });
}

void FormWindow::Perform(const std::function<void()>& gesture) {
    if (failure_) {
        return;
    }
    try {
        gesture();
        if (form_.IsVisible()) {
            Sync();
        }
    } catch (...) {
        failure_ = std::current_exception();
    }
    if (!form_.IsVisible() || failure_) {
        Finish();
    }
}

void FormWindow::Finish() {
    if (loop_ != nullptr) {
        loop_->quit();
    }
}

void FormWindow::RunModal() {
    Sync();
    show();
    if (QGuiApplication::platformName() != QLatin1String("offscreen")) {
        raise();  // the offscreen platform has no stacking and says so on every call
    }
    activateWindow();
    Sync();  // the focus can be placed only once the window is shown
    if (form_.IsVisible() && !failure_) {
        QEventLoop loop;
        loop_ = &loop;
        loop.exec();
        loop_ = nullptr;
    }
    hide();
    if (failure_) {
        std::rethrow_exception(failure_);
    }
}

}  // namespace hlreports
