#include "forms/start/customer_list_model.h"

#include <algorithm>

namespace qorvana {
namespace {

QString CellText(const CustomerListRow& row, int column) {
    if (column == 5) return QString::number(row.record);
    return QString::fromStdString(row.columns[static_cast<std::size_t>(column)]);
}

// The grid's generic ascending order: numbers by value when both cells are numbers, other
// texts alphabetically without regard to case.
bool GenericLess(const QString& a, const QString& b) {
    bool aNumber = false;
    bool bNumber = false;
    const double x = a.toDouble(&aNumber);
    const double y = b.toDouble(&bNumber);
    if (aNumber && bNumber) return x < y;
    return a.compare(b, Qt::CaseInsensitive) < 0;
}

}  // namespace

void CustomerListModel::setRows(std::vector<CustomerListRow> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

void CustomerListModel::setRowColours(bool alternate, QColor first, QColor second) {
    alternate_ = alternate;
    first_ = first;
    second_ = second;
    if (rowCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, kColumns - 1));
}

void CustomerListModel::sortListed(int column) {
    if (column < 0 || column >= kColumns) return;
    emit layoutAboutToBeChanged();
    std::vector<std::pair<QString, std::size_t>> keys;
    keys.reserve(rows_.size());
    for (std::size_t i = 0; i < rows_.size(); ++i) keys.emplace_back(CellText(rows_[i], column), i);
    std::stable_sort(keys.begin(), keys.end(),
                     [](const auto& a, const auto& b) { return GenericLess(a.first, b.first); });
    std::vector<CustomerListRow> sorted;
    sorted.reserve(rows_.size());
    for (const auto& key : keys) sorted.push_back(std::move(rows_[key.second]));
    rows_ = std::move(sorted);
    emit layoutChanged();
}

const CustomerListRow* CustomerListModel::customerAt(int row) const {
    if (row < 0 || row >= static_cast<int>(rows_.size())) return nullptr;
    return &rows_[static_cast<std::size_t>(row)];
}

int CustomerListModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid()) return 0;
    return std::max(static_cast<int>(rows_.size()), kMinimumRows - 1);
}

int CustomerListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumns;
}

QVariant CustomerListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    switch (role) {
        case Qt::DisplayRole: {
            const CustomerListRow* row = customerAt(index.row());
            return row ? CellText(*row, index.column()) : QString();
        }
        case Qt::BackgroundRole:
            if (!alternate_) return {};
            return index.row() % 2 == 0 ? first_ : second_;
        case Qt::TextAlignmentRole:
            return QVariant::fromValue(Qt::AlignLeft | Qt::AlignVCenter);
        default:
            return {};
    }
}

QVariant CustomerListModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
    static const char* const kHeaders[kColumns] = {"Nominativo",  "", "Indirizzo", "Città",
                                                   "Partita iva", ""};
    if (section < 0 || section >= kColumns) return {};
    return QString::fromUtf8(kHeaders[section]);
}

}  // namespace qorvana
