// FormWindow: the widget of each control kind, its signals turned into actions, and the
// model's state put into it; see FormWindow.h.
#include "ui-qt/FormWindow.h"

#include <algorithm>

#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QGroupBox>
#include <QHeaderView>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStandardItemModel>
#include <QTabBar>
#include <QTableView>

#include "runtime/Date.h"
#include "ui/AnswerRecorder.h"

namespace hlreports {
namespace {

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

// The calendar picture of a date line's button: the desktop theme's, or a small drawn page with
// a header band and a grid of days where the theme has none (the offscreen platform).
QIcon CalendarIcon(int side) {
    QIcon themed = QIcon::fromTheme(QStringLiteral("x-office-calendar"));
    if (!themed.isNull()) {
        return themed;
    }
    QPixmap page(side, side);
    page.fill(Qt::transparent);
    QPainter painter(&page);
    const QRectF frame(0.5, 0.5, side - 1.0, side - 1.0);
    painter.setPen(QPen(QColor(90, 90, 90), 1));
    painter.setBrush(Qt::white);
    painter.drawRect(frame);
    const double header = side / 4.0;
    painter.fillRect(QRectF(1, 1, side - 2.0, header), QColor(200, 40, 40));
    painter.setPen(QPen(QColor(120, 120, 120), 1));
    const double cell = (side - 2.0) / 4.0;
    for (int line = 1; line < 4; ++line) {
        painter.drawLine(QPointF(1 + line * cell, header + 1),
                         QPointF(1 + line * cell, side - 1.0));
    }
    const double row = (side - header - 1.0) / 3.0;
    for (int line = 1; line < 3; ++line) {
        painter.drawLine(QPointF(1, header + 1 + line * row),
                         QPointF(side - 1.0, header + 1 + line * row));
    }
    return QIcon(page);
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

}  // namespace

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
            Play(MakeAnswerAction(verb, ControlReference::Of(*target), std::move(arguments)));
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
                    Play(MakeAnswerAction(AnswerVerb::Set, ControlReference::Of(*target),
                                          {Variant(typed)}));
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
        case ControlKind::CommandButton: {
            auto* button = static_cast<QPushButton*>(widget);
            button->setText(Q(control.Caption()));
            const int side = std::max(8, std::min(button->width(), button->height()) * 2 / 3);
            if (control.Picture() == StockPicture::Calendar &&
                button->iconSize() != QSize(side, side)) {
                button->setIcon(CalendarIcon(side));
                button->setIconSize(QSize(side, side));
            }
            return;
        }
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

}  // namespace hlreports
