#include "forms/start/customer_list_model.h"

#include <algorithm>
#include <vector>

namespace qorvana {
namespace {

QString CellText(const CustomerList& list, const CustomerListRow& row, int column) {
    if (column == 5) return QString::number(row.record);
    const std::string_view text = list.column(row, static_cast<std::size_t>(column));
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
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

void CustomerListModel::setRows(CustomerList rows) {
    beginResetModel();
    rows_ = std::move(rows);
    keepNarrowed();
    endResetModel();
}

void CustomerListModel::narrow(const std::string& text) {
    beginResetModel();
    narrowedBy_ = text;
    keepNarrowed();
    endResetModel();
}

void CustomerListModel::keepNarrowed() {
    shown_.reset();
    if (narrowedBy_.find_first_not_of(' ') != std::string::npos)
        shown_ = rows_.holding(narrowedBy_, rows_.size());
}

int CustomerListModel::shownRows() const {
    return static_cast<int>(shown_ ? shown_->size() : rows_.size());
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
    const std::span<CustomerListRow> rows = rows_.rows();
    std::vector<std::pair<QString, CustomerListRow>> keys;
    keys.reserve(rows.size());
    for (const CustomerListRow& row : rows) keys.emplace_back(CellText(rows_, row, column), row);
    std::stable_sort(keys.begin(), keys.end(),
                     [](const auto& a, const auto& b) { return GenericLess(a.first, b.first); });
    for (std::size_t i = 0; i < rows.size(); ++i) rows[i] = keys[i].second;
    keepNarrowed();
    emit layoutChanged();
}

const CustomerListRow* CustomerListModel::customerAt(int row) const {
    if (row < 0 || row >= shownRows()) return nullptr;
    const auto at = static_cast<std::size_t>(row);
    return &rows_[shown_ ? (*shown_)[at] : at];
}

int CustomerListModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid()) return 0;
    return std::max(shownRows(), kMinimumRows - 1);
}

int CustomerListModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : kColumns;
}

QVariant CustomerListModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid()) return {};
    switch (role) {
        case Qt::DisplayRole: {
            const CustomerListRow* row = customerAt(index.row());
            return row ? CellText(rows_, *row, index.column()) : QString();
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
