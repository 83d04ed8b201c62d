// FormWindow: widgets from the model, gestures to actions; see FormWindow.h.
#include "ui-qt/FormWindow.h"

#include <algorithm>

#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDateEdit>
#include <QEventLoop>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTabBar>
#include <QTableView>
#include <QTableWidget>

#include "runtime/Date.h"
#include "ui/ActionPlayer.h"
#include "ui/AnswerRecorder.h"

namespace hlreports {
namespace {

constexpr const char* ControlProperty = "hlControl";

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

ControlReference ReferenceOf(const Control& control) {
    return ControlReference{control.Name(), control.Index()};
}

// A label shows "&" as a mnemonic only with a buddy; the classic label underlines it and shows
// "&&" as one ampersand, so the marks are removed and the doubled ones halved.
QString WithoutMnemonic(const std::string& caption) {
    QString text;
    for (std::size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size()) {
            ++i;
        }
        text += caption[i];
    }
    return Q(text.toStdString());
}

Qt::Alignment AlignmentOf(Alignment alignment) {
    switch (alignment) {
        case Alignment::Right:
            return Qt::AlignRight | Qt::AlignVCenter;
        case Alignment::Center:
            return Qt::AlignHCenter | Qt::AlignVCenter;
        case Alignment::Left:
            break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

QDate QDateOf(const Variant& value) {
    if (value.Kind() != VariantKind::Date) {
        return {};
    }
    const Date date = value.ToDate();
    return QDate(date.Year(), date.Month(), date.Day());
}

std::string IsoOf(const QDate& date) {
    return Date::FromYmd(date.year(), date.month(), date.day()).ToIsoDate();
}

// What the rows and columns look like, to refill a list widget only when they changed.
std::string ListSignature(const Control& control) {
    const GridData& list = control.List();
    std::string signature;
    for (const GridColumn& column : list.Columns()) {
        signature += column.caption + '\x1f' + (column.visible ? "1" : "0") + '\x1e';
    }
    signature += '\x1d';
    for (int row = 0; row < list.RowCount(); ++row) {
        for (const std::string& cell : list.Row(row)) {
            signature += cell + '\x1f';
        }
        signature += '\x1e';
    }
    return signature;
}

void FillModel(QStandardItemModel& model, const GridData& list) {
    model.clear();
    const int columns = std::max(list.ColumnCount(), 1);
    model.setColumnCount(columns);
    for (int column = 0; column < list.ColumnCount(); ++column) {
        const GridColumn& info = list.Column(column);
        model.setHeaderData(column, Qt::Horizontal,
                            Q(info.caption.empty() ? info.name : info.caption));
    }
    for (int row = 0; row < list.RowCount(); ++row) {
        QList<QStandardItem*> items;
        for (int column = 0; column < columns; ++column) {
            auto* item = new QStandardItem(Q(list.Cell(row, column)));
            item->setEditable(false);
            items.push_back(item);
        }
        model.appendRow(items);
    }
}

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

}  // namespace

FormWindow::FormWindow(Form& form, AnswerRecorder* recorder)
    : QWidget(nullptr, Qt::Dialog), form_(form), recorder_(recorder) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen != nullptr ? screen->logicalDotsPerInch() : 96.0;
    pixelsPerTwip_ = dpi / 96.0 / 15.0;
    setWindowModality(Qt::ApplicationModal);
    setObjectName(Q(form.Name()));
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

QWidget* FormWindow::Create(Control& control, QWidget* parent) {
    QWidget* widget = nullptr;
    switch (control.Kind()) {
        case ControlKind::Label:
            widget = new QLabel(parent);
            break;
        case ControlKind::TextBox:
            widget = new QLineEdit(parent);
            break;
        case ControlKind::CheckBox:
            widget = new QCheckBox(parent);
            break;
        case ControlKind::OptionButton: {
            auto* option = new QRadioButton(parent);
            option->setAutoExclusive(false);  // the model clears the others of the frame
            widget = option;
            break;
        }
        case ControlKind::Frame:
            widget = new QGroupBox(parent);
            break;
        case ControlKind::CommandButton: {
            auto* button = new QPushButton(parent);
            button->setAutoDefault(false);  // Enter goes to the model, which may turn it into Tab
            widget = button;
            break;
        }
        case ControlKind::DatePicker: {
            auto* date = new QDateEdit(parent);
            date->setCalendarPopup(true);
            date->setDisplayFormat(QStringLiteral("M/d/yyyy"));
            date->setSpecialValueText(QStringLiteral(" "));  // no date yet
            date->setMinimumDate(QDate(1753, 1, 1));
            widget = date;
            break;
        }
        case ControlKind::MonthView:
            widget = new QCalendarWidget(parent);
            break;
        case ControlKind::GridCombo:
        case ControlKind::ComboBox: {
            auto* combo = new QComboBox(parent);
            combo->setEditable(true);  // typing chooses a row or stands as typed
            combo->setInsertPolicy(QComboBox::NoInsert);
            combo->setModel(new QStandardItemModel(combo));
            if (control.Kind() == ControlKind::GridCombo) {
                auto* view = new QTableView(combo);
                view->setSelectionBehavior(QAbstractItemView::SelectRows);
                view->verticalHeader()->hide();
                view->horizontalHeader()->setStretchLastSection(true);
                combo->setView(view);
            }
            widget = combo;
            break;
        }
        case ControlKind::Grid: {
            auto* grid = new QTableView(parent);
            grid->setModel(new QStandardItemModel(grid));
            grid->setSelectionBehavior(QAbstractItemView::SelectRows);
            grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
            grid->verticalHeader()->hide();
            widget = grid;
            break;
        }
        case ControlKind::PictureBox:
            widget = new QFrame(parent);
            break;
        case ControlKind::ScrollBar:
            widget = new QScrollBar(parent);
            break;
        case ControlKind::TabControl: {
            auto* page = new QFrame(parent);
            page->setFrameShape(QFrame::StyledPanel);
            auto* bar = new QTabBar(page);
            bar->setObjectName(QStringLiteral("tabs"));
            widget = page;
            break;
        }
    }
    widget->setObjectName(Q(control.DisplayName()));
    widget->setProperty(ControlProperty, QVariant::fromValue(reinterpret_cast<quintptr>(&control)));
    Connect(control, widget);
    return widget;
}

void FormWindow::Connect(Control& control, QWidget* widget) {
    Control* target = &control;
    const auto play = [this, target](AnswerVerb verb, std::vector<Variant> arguments) {
        if (!syncing_) {
            Play(MakeAnswerAction(verb, ReferenceOf(*target), std::move(arguments)));
        }
    };
    // A click moves the focus first (PlayAction does, as a press does); a press whose focus move
    // a validation just refused swallows the click, so the refusal is not asked twice.
    const auto click = [this, target, play] {
        if (refusedFocus_ != target) {
            play(AnswerVerb::Click, {});
        }
    };
    switch (control.Kind()) {
        case ControlKind::TextBox:
            connect(static_cast<QLineEdit*>(widget), &QLineEdit::textEdited, this,
                    [play](const QString& text) {
                        play(AnswerVerb::Set, {Variant(text.toStdString())});
                    });
            return;
        case ControlKind::CheckBox:
        case ControlKind::OptionButton:
        case ControlKind::CommandButton:
            connect(static_cast<QAbstractButton*>(widget), &QAbstractButton::clicked, this, click);
            return;
        case ControlKind::DatePicker:
            connect(static_cast<QDateEdit*>(widget), &QDateEdit::dateChanged, this,
                    [play](const QDate& date) { play(AnswerVerb::Set, {Variant(IsoOf(date))}); });
            return;
        case ControlKind::MonthView:
            connect(static_cast<QCalendarWidget*>(widget), &QCalendarWidget::clicked, this,
                    [play](const QDate& date) { play(AnswerVerb::Set, {Variant(IsoOf(date))}); });
            return;
        case ControlKind::GridCombo:
        case ControlKind::ComboBox: {
            auto* combo = static_cast<QComboBox*>(widget);
            connect(combo, &QComboBox::activated, this, [play](int row) {
                play(AnswerVerb::Pick, {Variant("#" + std::to_string(row))});
            });
            connect(combo->lineEdit(), &QLineEdit::editingFinished, this, [this, target, combo] {
                const std::string typed = combo->currentText().toStdString();
                if (!syncing_ && typed != target->Text()) {
                    Play(MakeAnswerAction(AnswerVerb::Set, ReferenceOf(*target), {Variant(typed)}));
                }
            });
            return;
        }
        case ControlKind::Grid: {
            auto* grid = static_cast<QTableView*>(widget);
            connect(grid, &QTableView::clicked, this, [this, target, grid, play] {
                std::vector<Variant> rows;
                for (const QModelIndex& index : grid->selectionModel()->selectedRows()) {
                    rows.emplace_back("#" + std::to_string(index.row()));
                }
                if (rows.empty()) {
                    return;
                }
                if (target->RowSelection() != RowSelectionKind::Multiple) {
                    rows = {Variant("#" + std::to_string(grid->currentIndex().row()))};
                }
                play(AnswerVerb::Pick, std::move(rows));
            });
            return;
        }
        case ControlKind::ScrollBar:
            connect(static_cast<QScrollBar*>(widget), &QScrollBar::valueChanged, this,
                    [play](int value) { play(AnswerVerb::Set, {Variant(int32_t{value})}); });
            return;
        case ControlKind::TabControl:
            connect(widget->findChild<QTabBar*>(QStringLiteral("tabs")), &QTabBar::currentChanged,
                    this, [play](int tab) { play(AnswerVerb::Tab, {Variant(int32_t{tab})}); });
            return;
        case ControlKind::Label:
        case ControlKind::Frame:
        case ControlKind::PictureBox:
            return;
    }
}

void FormWindow::UpdateList(Control& control, Shown& shown) {
    std::string signature = ListSignature(control);
    if (signature == shown.listSignature) {
        return;
    }
    shown.listSignature = std::move(signature);
    if (auto* combo = qobject_cast<QComboBox*>(shown.widget)) {
        auto* model = static_cast<QStandardItemModel*>(combo->model());
        FillModel(*model, control.List());
        combo->setModelColumn(std::clamp(control.DisplayColumn(), 0, model->columnCount() - 1));
        if (auto* view = qobject_cast<QTableView*>(combo->view())) {
            for (int column = 0; column < control.List().ColumnCount(); ++column) {
                view->setColumnHidden(column, !control.List().Column(column).visible);
            }
        }
        return;
    }
    if (auto* grid = qobject_cast<QTableView*>(shown.widget)) {
        FillModel(*static_cast<QStandardItemModel*>(grid->model()), control.List());
        for (int column = 0; column < control.List().ColumnCount(); ++column) {
            grid->setColumnHidden(column, !control.List().Column(column).visible);
        }
    }
}

void FormWindow::Update(Control& control, Shown& shown) {
    QWidget* widget = shown.widget;
    QRect geometry = Geometry(control);
    if (geometry.width() == 0 || geometry.height() == 0) {
        geometry.setSize(widget->sizeHint());  // placed by code that never sized it
    }
    widget->setGeometry(geometry);
    const Control* container = control.Container();
    const bool onItsPage = container == nullptr || container->Kind() != ControlKind::TabControl ||
                           container->SelectedTab() == control.ContainerTab();
    widget->setVisible(control.IsVisible() && onItsPage);
    widget->setEnabled(control.IsEnabled());
    switch (control.Kind()) {
        case ControlKind::Label: {
            auto* label = static_cast<QLabel*>(widget);
            label->setText(WithoutMnemonic(control.Caption()));
            label->setAlignment(AlignmentOf(control.TextAlignment()));
            label->setWordWrap(control.WordWrap());
            return;
        }
        case ControlKind::TextBox: {
            auto* edit = static_cast<QLineEdit*>(widget);
            if (edit->text() != Q(control.Text())) {
                edit->setText(Q(control.Text()));
            }
            edit->setAlignment(AlignmentOf(control.TextAlignment()));
            return;
        }
        case ControlKind::CheckBox: {
            auto* check = static_cast<QCheckBox*>(widget);
            check->setText(Q(control.Caption()));
            const int32_t state = control.Value().IsNumeric() ? control.Value().ToLong() : 0;
            check->setTristate(state == vbGrayed);
            check->setCheckState(state == vbChecked  ? Qt::Checked
                                 : state == vbGrayed ? Qt::PartiallyChecked
                                                     : Qt::Unchecked);
            return;
        }
        case ControlKind::OptionButton: {
            auto* option = static_cast<QRadioButton*>(widget);
            option->setText(Q(control.Caption()));
            option->setChecked(control.IsChecked());
            return;
        }
        case ControlKind::Frame:
            static_cast<QGroupBox*>(widget)->setTitle(WithoutMnemonic(control.Caption()));
            return;
        case ControlKind::CommandButton:
            static_cast<QPushButton*>(widget)->setText(Q(control.Caption()));
            return;
        case ControlKind::DatePicker: {
            auto* date = static_cast<QDateEdit*>(widget);
            const QDate value = QDateOf(control.Value());
            date->setDate(value.isValid() ? value : date->minimumDate());
            return;
        }
        case ControlKind::MonthView: {
            const QDate value = QDateOf(control.Value());
            if (value.isValid()) {
                static_cast<QCalendarWidget*>(widget)->setSelectedDate(value);
            }
            return;
        }
        case ControlKind::GridCombo:
        case ControlKind::ComboBox: {
            UpdateList(control, shown);
            auto* combo = static_cast<QComboBox*>(widget);
            combo->setCurrentIndex(control.SelectedRow());
            if (combo->currentText() != Q(control.Text())) {
                combo->setEditText(Q(control.Text()));
            }
            return;
        }
        case ControlKind::Grid: {
            UpdateList(control, shown);
            auto* grid = static_cast<QTableView*>(widget);
            grid->setSelectionMode(control.RowSelection() == RowSelectionKind::Multiple
                                       ? QAbstractItemView::MultiSelection
                                       : QAbstractItemView::SingleSelection);
            QItemSelection selection;
            for (const int row : control.SelectedRows()) {
                const QModelIndex first = grid->model()->index(row, 0);
                const QModelIndex last =
                    grid->model()->index(row, grid->model()->columnCount() - 1);
                selection.select(first, last);
            }
            grid->selectionModel()->select(selection, QItemSelectionModel::ClearAndSelect);
            return;
        }
        case ControlKind::ScrollBar: {
            auto* bar = static_cast<QScrollBar*>(widget);
            bar->setOrientation(control.IsVertical() ? Qt::Vertical : Qt::Horizontal);
            bar->setRange(std::min(control.Min(), control.Max()),
                          std::max(control.Min(), control.Max()));
            bar->setSingleStep(control.SmallChange());
            bar->setPageStep(control.LargeChange());
            bar->setValue(control.Value().IsNumeric() ? control.Value().ToLong() : control.Min());
            return;
        }
        case ControlKind::TabControl: {
            auto* bar = widget->findChild<QTabBar*>(QStringLiteral("tabs"));
            while (bar->count() > static_cast<int>(control.TabCaptions().size())) {
                bar->removeTab(bar->count() - 1);
            }
            for (std::size_t i = 0; i < control.TabCaptions().size(); ++i) {
                const QString caption = Q(control.TabCaptions()[i]);
                if (static_cast<int>(i) < bar->count()) {
                    bar->setTabText(static_cast<int>(i), caption);
                } else {
                    bar->addTab(caption);
                }
            }
            bar->setCurrentIndex(control.SelectedTab());
            const int height = control.TabHeight() > 0
                                   ? qRound(control.TabHeight() * pixelsPerTwip_)
                                   : bar->sizeHint().height();
            bar->setGeometry(0, 0, widget->width(), height);
            return;
        }
        case ControlKind::PictureBox:
            return;
    }
}

void FormWindow::Sync() {
    syncing_ = true;
    setWindowTitle(Q(form_.Caption()));
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
            Play(MakeAnswerAction(AnswerVerb::Focus, ReferenceOf(*control), {}));
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
    if (failure_) {
        return;
    }
    refusedFocus_ = nullptr;
    try {
        PlayAction(form_, action);
        form_.DeliverSentKeys();
        if (recorder_ != nullptr) {
            recorder_->Played(action);
        }
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

// Shift-Tab has no key code of its own: it moves the focus back and is recorded as the focus
// action it amounts to, which validates the same way when replayed.
void FormWindow::BackTab() {
    try {
        Control* before = form_.FocusedControl();
        form_.MoveFocus(false);
        Control* after = form_.FocusedControl();
        if (recorder_ != nullptr && after != nullptr && after != before) {
            recorder_->Played(MakeAnswerAction(AnswerVerb::Focus, ReferenceOf(*after), {}));
        }
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
