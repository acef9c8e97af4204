#include "forms/common/customer_label.h"

#include "forms/common/qt_text.h"

namespace qorvana {

CustomerLabel::CustomerLabel(QWidget* parent) : QLabel(parent) {
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);
    setTextFormat(Qt::PlainText);
}

void CustomerLabel::showCustomer(const DraftCustomer& customer) {
    QString text = QStringLiteral("Cliente: ") + Q(customer.name);
    if (!customer.town.empty()) text += QStringLiteral(" - ") + Q(customer.town);
    setText(text);
}

}  // namespace qorvana
