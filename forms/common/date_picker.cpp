#include "forms/common/date_picker.h"

#include <QCalendarWidget>
#include <QDate>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QToolButton>

namespace qorvana {

DatePicker::DatePicker(QWidget* parent)
    : QWidget(parent), edit_(new QLineEdit(this)), button_(new QToolButton(this)) {
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    row->addWidget(edit_);
    row->addWidget(button_);
    edit_->setMaxLength(10);
    edit_->setPlaceholderText(QStringLiteral("gg/mm/aaaa"));
    edit_->setFixedWidth(edit_->fontMetrics().horizontalAdvance(QStringLiteral("00/00/00000")) +
                         12);
    button_->setText(QStringLiteral("..."));
    button_->setToolTip(QStringLiteral("Calendario"));
    button_->setFocusPolicy(Qt::NoFocus);
    setFocusProxy(edit_);

    connect(edit_, &QLineEdit::textEdited, this, &DatePicker::edited);
    connect(edit_, &QLineEdit::textChanged, this, &DatePicker::textChanged);
    connect(button_, &QToolButton::clicked, this, &DatePicker::openCalendar);
}

// The calendar is a popup of its own, shown under the box. It is built when first opened: a
// form holds several date boxes and a calendar costs more to build than the rest of the box.
QCalendarWidget* DatePicker::calendar() {
    if (!calendar_) {
        calendar_ = new QCalendarWidget(this);
        calendar_->setWindowFlags(Qt::Popup);
        calendar_->setFirstDayOfWeek(Qt::Monday);
        calendar_->setGridVisible(true);
        connect(calendar_, &QCalendarWidget::activated, this, &DatePicker::chooseDay);
        connect(calendar_, &QCalendarWidget::clicked, this, &DatePicker::chooseDay);
    }
    return calendar_;
}

QString DatePicker::text() const {
    return edit_->text();
}

void DatePicker::setText(const QString& text) {
    edit_->setText(text);
}

void DatePicker::setDate(const CivilDate& date) {
    edit_->setText(QString::fromStdString(date.text()));
}

std::optional<CivilDate> DatePicker::date() const {
    return CivilDate::Parse(edit_->text().toStdString());
}

void DatePicker::openCalendar() {
    QCalendarWidget* popup = calendar();
    if (const auto d = date()) popup->setSelectedDate(QDate(d->year, d->month, d->day));
    popup->move(edit_->mapToGlobal(QPoint(0, edit_->height())));
    popup->show();
    popup->setFocus();
}

void DatePicker::chooseDay() {
    const QDate d = calendar_->selectedDate();
    calendar_->hide();
    setDate(CivilDate{d.year(), d.month(), d.day()});
    edit_->setFocus();
    emit edited(edit_->text());
}

}  // namespace qorvana
